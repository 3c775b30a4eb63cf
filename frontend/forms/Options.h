#pragma once
// "Control Options": the text editor the Computation menu opens files with,
// and whether the engine is asked for the foundation stiffness matrix.

#include <QString>
#include <functional>

#include "forms/TDataForm.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zrv::front {

class TDlgOptions : public TDataForm {
  Q_OBJECT
public:
  explicit TDlgOptions(IMainForm& main, QWidget* parent = nullptr);

  /// Editor path into EdtWord (empty: the desktop's default application);
  /// the check box from GenerateMatrix.
  void FormActivate() override;

  /// The file dialog of "&Browse...": (parent, start file) -> the chosen
  /// program, empty when cancelled. Replaceable for tests.
  using TBrowseHook = std::function<QString(QWidget*, const QString&)>;
  static TBrowseHook& Browser();

  QLineEdit* EdtWord() const { return m_edtWord; }
  QPushButton* BtnBrowse() const { return m_btnBrowse; }
  QCheckBox* MatrixBox() const { return m_matrix; }

  void BtnBrowseClick();
  void CheckBoxClick();

protected:
  void StoreEntries() override;

private:
  QLineEdit* m_edtWord;
  QPushButton* m_btnBrowse;
  QCheckBox* m_matrix;
};

}  // namespace zrv::front
