#pragma once
// "Graph Caption": the plot's title text and whether it stands at the top or
// the bottom. The caller reads both back however the dialog was closed.

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zrv::comp {

class TfrmGraphCaption : public QDialog {
  Q_OBJECT
public:
  explicit TfrmGraphCaption(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLineEdit* edtCaption = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* rbTop = nullptr;
  QRadioButton* rbBottom = nullptr;
  QPushButton* btnOK = nullptr;
};

}  // namespace zrv::comp
