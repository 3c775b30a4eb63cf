#pragma once
// The harmonic loading forms: Tfrmharmonic for loads of constant amplitude
// ("Harmonic Loading Data, NonQuadratic") and, built on the same base, TfrmQuad
// for loads that grow with the square of the frequency (Quadratic.h). Both
// edit the frequency range, three forces, three moments and the point where
// the load acts, given about the centre of gravity (global axes X, Y, Z, Z
// down) or about the centre of the base (local axes x, y, z, z up).

#include <QString>
#include <array>

#include "forms/FieldBinding.h"
#include "project/TProgramData.h"

class QRadioButton;

namespace zrv::comp {
class TDataEdit;
}

namespace zrv::front {

/// A point of application of the load.
struct TLoadPoint {
  Extended x = 0, y = 0, z = 0;
  bool operator==(const TLoadPoint&) const = default;
};

/// Local (about the centre of base) to global (about the centre of gravity),
/// with d = (CBLocalX - BaseX, CBLocalY - BaseY, CBLocalZ - BaseZ):
/// (x - dx, y - dy, -z - dz). The engine moves a load given about the centre
/// of base by the same rule.
TLoadPoint LoadPointToGlobal(const TLoadPoint& p, const TProjectFields& f);
/// Global to local: (x + dx, y + dy, -z - dz); the z rule is its own inverse.
TLoadPoint LoadPointToLocal(const TLoadPoint& p, const TProjectFields& f);

/// Three forces and three moments (or their coefficients).
struct THarmonicLoads {
  Extended Fx = 0, Fy = 0, Fz = 0, Mx = 0, My = 0, Mz = 0;
  bool operator==(const THarmonicLoads&) const = default;
};

/// The loads moved to the centre of gravity. `reference` is how the point
/// is given: 0 global, 1 local (converted to global first), any other value
/// leaves the moments as entered. Forces are unchanged; Mx - y*Fz + z*Fy,
/// My - z*Fx + x*Fz, Mz - x*Fy + y*Fx (global Z points down).
THarmonicLoads EquivalentLoadsAtCG(const THarmonicLoads& loads, const TLoadPoint& point, int reference,
                                   const TProjectFields& f);

/// The message of the equivalent loads: a heading, an empty line and six
/// lines of label, value (up to 15 significant digits) and unit, each ending
/// in a line break. Forces in lbs or kN and moments in lbs-ft or kN-m;
/// quadratic coefficients in slug-ft or Mg-m and slug-ft^2 or Mg-m^2 (SI when
/// `unitSystem` is 2).
QString EquivalentLoadsText(const THarmonicLoads& loads, bool quadratic, int unitSystem);

/// What the harmonic and the quadratic form share: twelve edit boxes, the
/// two reference buttons and the equivalent-load button.
class THarmonicFormBase : public TFieldForm {
  Q_OBJECT
public:
  /// Unit systems and values of the twelve boxes, the reference buttons and
  /// the captions of the point's boxes. The reference buttons convert the
  /// point only after an activation has ended, never while it loads.
  void FormActivate() override;

  /// The reference buttons' handlers, run when a button becomes checked:
  /// relabel boxes 10-12 and convert the point standing in them, to global
  /// (button 1) or to local (button 2). When the point cannot be read, the
  /// message is shown and the previous button checked again.
  void RadioButton1Click();
  void RadioButton2Click();
  /// Shows the loads of boxes 4-9 moved to the centre of gravity from the
  /// point of boxes 10-12, as they stand; nothing is stored.
  void Button1Click();

  /// False from creation and while an activation runs.
  bool Activated() const { return m_activated; }

protected:
  THarmonicFormBase(IMainForm& main, QWidget* parent, bool quadratic);
  void StoreEntries() override;

private:
  void switchReference(bool toLocal);
  void setPointCaptions(bool local);
  void setReferenceButtons(int reference);

  bool m_quadratic;
  bool m_activated = false;
  int m_reference = 0;  // what the buttons showed before a click
  std::array<comp::TDataEdit*, 12> m_edits{};
  QRadioButton* m_global = nullptr;  // RadioButton1
  QRadioButton* m_local = nullptr;   // RadioButton2
};

/// Harmonic loading with constant amplitude: a child window of the main window.
class Tfrmharmonic : public THarmonicFormBase {
  Q_OBJECT
public:
  explicit Tfrmharmonic(IMainForm& main, QWidget* parent = nullptr);
};

}  // namespace zrv::front
