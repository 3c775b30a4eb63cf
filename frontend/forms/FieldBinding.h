#pragma once
// Numeric edit boxes bound to fields of the project, and the data form that
// loads and stores them. A binding reads and writes its field through the
// project object current at the time, so a form never holds a pointer into a
// project that was replaced.

#include <QString>
#include <functional>
#include <vector>

#include "base/types.h"
#include "forms/TDataForm.h"
#include "project/TProgramData.h"

class QBoxLayout;
class QGridLayout;

namespace zrv::front {

using comp::Extended;

/// The limits of an edit box.
enum class TEditRange {
  Full,   // the box's own defaults: no limit
  Int32,  // -2147483648 .. 2147483647 (not integer-only)
  Max,    // no minimum, maximum TEditDesign::max
};

/// How one edit box of a form is made.
struct TEditDesign {
  int number = 0;  // the box is named "DataEdit" + number, its label "Label" + number
  QString caption;
  QString units;  // unit code, empty for none
  TEditRange range = TEditRange::Full;
  Extended max = 0;
};

/// One edit box and the project field it shows.
struct TFieldBinding {
  comp::TDataEdit* edit = nullptr;
  std::function<Extended(const TProjectFields&)> get;
  std::function<void(TProjectFields&, Extended)> set;
};

/// A real field.
TFieldBinding bindReal(comp::TDataEdit* edit, Extended TProjectFields::*field);
/// An integer field: stored rounded to the nearest integer (halves away from
/// zero) and clamped to the int range.
TFieldBinding bindInteger(comp::TDataEdit* edit, int TProjectFields::*field);
/// Entry `index` (0 total mass, 1-3 Ixx Iyy Izz, 4-6 Ixy Ixz Iyz) of MassProperties.
TFieldBinding bindMassProperty(comp::TDataEdit* edit, int index);

/// Makes a labelled edit box in row `row` of `grid` (label in column
/// `column`, box in the next), with its caption, unit code and limits.
comp::TDataEdit* addEdit(QWidget* parent, QGridLayout* grid, int row, const TEditDesign& design, int column = 0);

/// Sets the unit system of every box that carries a unit code to `fields`'
/// UnitSystem, then loads every box with its field (clamped by the box).
/// Returns true when a box had to clamp its field's value.
bool loadBindings(const std::vector<TFieldBinding>& bindings, const TProjectFields& fields);
/// Stores the number of every box into its field. A box whose text does not
/// evaluate leaves its field as it was.
void storeBindings(const std::vector<TFieldBinding>& bindings, TProjectFields& fields);

/// A data form whose edit boxes are bound to project fields: activation loads
/// them, deactivation stores them, and an edit marks the project modified.
/// Loading itself marks the project modified only when a box clamped a value,
/// because only then does the project change.
class TFieldForm : public TDataForm {
  Q_OBJECT
public:
  explicit TFieldForm(IMainForm& main, QWidget* parent = nullptr);

  void FormActivate() override;

  /// Edit box `number` ("DataEdit" + number), or null.
  comp::TDataEdit* DataEdit(int number) const;

protected:
  void StoreEntries() override;
  /// Runs before the boxes are loaded (visibility of optional boxes).
  virtual void BeforeLoad() {}
  /// Adds the binding and connects the box's change to Changed().
  void bind(TFieldBinding binding);
  /// The change handlers: mark the project modified unless the form loads.
  void Changed();
  bool loading() const { return m_loading; }
  /// Adds to `layout` a row of `prompt` and the "Data Button" (named
  /// "Button1"), whose click runs `onClick`.
  void addDataButtonRow(QBoxLayout* layout, const QString& prompt, std::function<void()> onClick);
  /// Runs `show` (opening a table in the table editor); a failure is
  /// reported by the default error handler.
  static void showReportingError(const std::function<void()>& show);

  std::vector<TFieldBinding> m_bindings;

private:
  bool m_loading = false;
};

}  // namespace zrv::front
