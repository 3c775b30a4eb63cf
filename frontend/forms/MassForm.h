#pragma once
// What the two mass forms share: the sixteen boxes of total mass, inertias
// and centres, the button that opens the mass-component table and the
// calculator that fills the boxes from it. Once a calculation was made, every
// deactivation of the form also moves the computed centre of the base into
// BaseX, BaseY, BaseZ.

#include <array>

#include "forms/FieldBinding.h"

class QPushButton;

namespace zrv::front {

/// The sixteen quantities of a mass form, in this order.
enum TMassBox {
  kTotalMass, kIxx, kIyy, kIzz, kIxy, kIxz, kIyz,
  kCBLocalX, kCBLocalY, kCBLocalZ,
  kCGLocalX, kCGLocalY, kCGLocalZ,
  kCBGlobalX, kCBGlobalY, kCBGlobalZ,
  kMassBoxCount
};

/// What tells the two forms apart.
struct TMassFormDesign {
  QString title;
  QString massCaption;
  QString massGroupCaption;
  std::array<int, kMassBoxCount> editNumbers;  // the DataEdit number of each quantity
  int inputButton;                             // "Input all the mass components" is Button + this
  int calculateButton;                         // "Calculate mass moment of inertia"
  bool pileCap;                                // the picture shows a pile cap
};

class TMassForm : public TFieldForm {
  Q_OBJECT
public:
  TMassForm(IMainForm& main, const TMassFormDesign& design, QWidget* parent);

  /// The box of quantity `box`.
  comp::TDataEdit* Box(TMassBox box) const { return m_boxes[static_cast<std::size_t>(box)]; }
  QPushButton* InputButton() const { return m_input; }
  QPushButton* CalculateButton() const { return m_calculate; }
  /// Set by the calculator for the rest of the form's life.
  bool Calculated() const { return m_calculated; }

  /// Shows the mass-component table in its editor.
  void InputComponents();
  /// Fills the boxes from the mass-component table and the local C.B. boxes;
  /// nothing reaches the project but the calculator's centre-of-gravity
  /// slots until deactivation. A C.B. box that does not evaluate stops the
  /// calculation with the evaluator's message, changing nothing.
  void Calculate();

protected:
  void StoreEntries() override;

private:
  std::array<comp::TDataEdit*, kMassBoxCount> m_boxes{};
  QPushButton* m_input = nullptr;
  QPushButton* m_calculate = nullptr;
  bool m_calculated = false;
};

}  // namespace zrv::front
