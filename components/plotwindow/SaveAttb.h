#pragma once
// "Save Attributes": the size and resolution of the bitmap that the plot
// window saves. OK sizes the bitmap the caller handed in; when the bitmap
// cannot get its memory the dialog ends with kModalAbort instead.

#include <QDialog>

class QGroupBox;
class QImage;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zrv::comp {

class TDataEdit;

/// Result code of a dialog that could not get memory for its bitmap.
inline constexpr int kModalAbort = 3;

/// The largest bitmap the dialog makes, in pixels; a larger one is refused
/// as if its memory ran out.
inline constexpr long long kMaxBitmapPixels = 1LL << 28;

class TdlgFormat : public QDialog {
  Q_OBJECT
public:
  explicit TdlgFormat(QWidget* parent = nullptr);

  /// The bitmap that OK sizes (not owned).
  void SetBitmap(QImage* bitmap) { m_bitmap = bitmap; }

  TDataEdit* deHeight = nullptr;
  TDataEdit* deWidth = nullptr;
  TDataEdit* dePPI = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* rbBW = nullptr;
  QRadioButton* rb16 = nullptr;
  QRadioButton* rb256 = nullptr;
  QRadioButton* rbHigh = nullptr;
  QRadioButton* rbTrue = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

  /// OK: the three entries are checked (a refused one keeps the dialog
  /// open), then the bitmap gets round(ppi * width) x round(ppi * height)
  /// pixels; kModalAbort when that fails.
  void btnOKClick();

private:
  QImage* m_bitmap = nullptr;
};

}  // namespace zrv::comp
