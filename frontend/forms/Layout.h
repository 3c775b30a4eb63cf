#pragma once
// "Foundation Options": the choice of the foundation system, with a picture
// of it read from the program folder.

#include <QString>
#include <string>

#include "forms/TDataForm.h"

class QComboBox;
class QLabel;

namespace zrv::front {

/// The foundation code of a foundation-type text: "HALF-SPACE" 1, "PILE" 2,
/// "STRATUM" 3, "MULTILAYER" 4 (exact, case-sensitive); 0 for any other text.
int foundationCodeOf(const std::string& type);
/// The picture file of a foundation type ("halfspace.bmp", "pile.bmp",
/// "stratum.bmp", "multilayer.bmp"); empty for any other text.
QString pictureFileOf(const std::string& type);

class TfrmLayout : public TDataForm {
  Q_OBJECT
public:
  explicit TfrmLayout(IMainForm& main, QWidget* parent = nullptr);

  /// The folder the pictures are read from: the program's folder unless a
  /// test set another (an empty text restores the program's folder).
  static QString PictureFolder();
  static void SetPictureFolder(const QString& folder);

  /// Shows FoundationType in the combo box, remembers it, shows its picture
  /// and sets FoundationCode.
  void FormActivate() override;

  QComboBox* ComboBox1() const { return m_combo; }
  QLabel* Image1() const { return m_image; }

  /// The combo box changed: FoundationType := its text; picture and code follow.
  void ComboBox1Change();
  /// Loads the picture of FoundationType. A text without a picture keeps the
  /// picture shown; a picture file that cannot be read is reported and keeps
  /// it too. Returns false in that last case.
  bool ShowPicture();
  /// FoundationCode from FoundationType; an unknown text keeps the code.
  void UpdateFootingType();

protected:
  /// FoundationType := the combo box's text (the project is modified when it
  /// differs from the type at activation); the code and the main window's
  /// pile menus follow.
  void StoreEntries() override;

private:
  QComboBox* m_combo = nullptr;
  QLabel* m_image = nullptr;
  std::string m_typeAtActivation;
  bool m_loading = false;
};

}  // namespace zrv::front
