#pragma once
// What the numeric edit box and its combo-box twin share: the bounds and the
// integer-only flag, the attached label with caption and unit, and the exit
// check with its message. The widget supplies how its entry is read, shown
// and formatted.

#include <QPointer>
#include <QString>
#include <optional>
#include <string>

#include "base/types.h"
#include "dataedit/EntryCheck.h"

class QFocusEvent;
class QLabel;
class QWidget;

namespace zrv::comp {

class TEntryBox {
public:
  TEntryBox(const TEntryBox&) = delete;
  TEntryBox& operator=(const TEntryBox&) = delete;

  /// The value of the entry; the evaluator's EAssignError passes through.
  virtual Extended Number() const = 0;
  /// Clamps x into MinVal..MaxVal and shows it formatted.
  void SetNumber(Extended x);

  /// Bounds; an open bound is +-kMaxExtended. A new bound is kept on its
  /// side of the other one (and in the 32-bit range when IntegerOnly); a
  /// current value beyond it is replaced by it. A text that does not evaluate
  /// at that moment is left for the exit check.
  Extended MaxVal() const { return m_maxVal; }
  void SetMaxVal(Extended x);
  Extended MinVal() const { return m_minVal; }
  void SetMinVal(Extended x);
  bool IntegerOnly() const { return m_integerOnly; }
  /// True re-applies both bounds, clamping them into the 32-bit range.
  void SetIntegerOnly(bool b);

  QString Caption() const { return m_caption; }
  void SetCaption(const QString& caption);
  QLabel* EditLabel() const;
  /// The label shows caption and unit and gets this box as its buddy; it is
  /// not owned (a deleted label is forgotten).
  void SetEditLabel(QLabel* label);
  QString UnitsString() const { return m_unitsString; }
  void SetUnitsString(const QString& code);
  int Units() const { return m_units; }
  /// Stored clamped to 1..3 (0 or less gives 1).
  void SetUnits(int units);

  /// Runs the exit check and returns whether the entry was accepted. A
  /// refused entry has had its message shown and the box took the focus
  /// back; a bound violation replaced the entry by the bound.
  bool IsValid();
  /// Label caption: Caption + " (" + ExpandUnits() + ")", or Caption alone
  /// without a unit code; label enabled as the box.
  void UpdateLabel();
  /// The unit code expanded for the current unit system.
  virtual QString ExpandUnits() const = 0;
  /// The text a value is shown with.
  virtual QString FormatValue(Extended x) const = 0;

protected:
  explicit TEntryBox(QWidget& box) : m_box(box) {}
  virtual ~TEntryBox() = default;

  /// The text the exit check evaluates.
  virtual QString EntrySource() const = 0;
  /// Shows a text in the box.
  virtual void ShowText(const QString& text) = 0;
  /// Called with the value of an accepted entry.
  virtual void EntryAccepted(Extended value) = 0;
  /// The violated bound as the refusal message writes it.
  virtual std::string BoundText(Extended bound) const = 0;
  /// Gives the box the focus again after a refused entry.
  virtual void TakeFocusBack() = 0;

  /// The evaluated entry, or nothing when it does not evaluate.
  std::optional<Extended> TryNumber() const;
  void DoExit();
  /// Whether a focus loss leaves the box: only a move of the focus to another
  /// control of the visible window does; a menu or the menu bar, a message
  /// box or another application taking the focus does not, nor does the
  /// window going away.
  bool FocusLeaves(const QFocusEvent& event) const;

private:
  // The bound clamp of an integer-only box.
  Extended IntegerClamp(Extended x) const;

  QWidget& m_box;
  Extended m_maxVal = kMaxExtended;
  Extended m_minVal = -kMaxExtended;
  bool m_integerOnly = false;
  bool m_valid = false;
  QString m_caption;
  QPointer<QLabel> m_label;
  QString m_unitsString;
  int m_units = 1;
  bool m_inExit = false;
};

}  // namespace zrv::comp
