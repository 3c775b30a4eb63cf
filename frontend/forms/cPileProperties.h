#pragma once
// The data form of a pile-group foundation ("Pile Properties"): the global
// position of the pile-cap base, the pile material and length, the static
// load, and three choices (pile-head connection, floating or end-bearing
// piles, pile-soil-pile interaction), each stored as a text and a code.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "forms/FieldBinding.h"
#include "project/TProgramData.h"

class QComboBox;

namespace zrv::front {

/// The three choices of the form; each has two item texts.
enum class TPileChoice { PileHead, TipType, Interaction };

/// The two item texts of `choice`, in list order ("FIXED", "PINNED"; ...).
std::array<const char*, 2> PileChoiceItems(TPileChoice choice);
/// The code of an item text (exact, case-sensitive): "FIXED" 1, "PINNED" 0;
/// "Floating Piles" 0, "End-Bearing Piles" 1; "Yes" 1, "No" 0. Nullopt for
/// any other text.
std::optional<int> PileChoiceCode(TPileChoice choice, std::string_view text);
/// The item text of a code, nullopt for a code that has none.
std::optional<std::string> PileChoiceText(TPileChoice choice, int code);

/// Activation rule: each text field is set from its code field; a code that
/// has no text leaves the text as it is.
void AlignPileChoiceTexts(TProjectFields& fields);
/// Deactivation rule: each code field is set from its text field; a text
/// that matches neither item leaves the code as it is.
void ApplyPileChoiceTexts(TProjectFields& fields);

class TfrmCPileProperties : public TFieldForm {
  Q_OBJECT
public:
  explicit TfrmCPileProperties(IMainForm& main, QWidget* parent = nullptr);

  /// Unit labels and values of the ten boxes, then the texts of the three
  /// combo boxes from the project's codes.
  void FormActivate() override;

  /// The combo boxes' change handlers: the box's text goes into its text
  /// field and sets its code field at once; a change marks the project
  /// modified.
  void ComboBox1Change();
  void ComboBox2Change();
  void ComboBox3Change();

protected:
  void StoreEntries() override;

private:
  void comboChanged(TPileChoice choice);
  QComboBox* combo(TPileChoice choice) const;

  std::array<QComboBox*, 3> m_combos{};
};

}  // namespace zrv::front
