#pragma once
// "Foundation Shape": a rectangular footing or pile cap with its length and
// width, or a circular one with its radius.

#include "forms/FieldBinding.h"

class QRadioButton;

namespace zrv::front {

class TfrmShape : public TFieldForm {
  Q_OBJECT
public:
  explicit TfrmShape(IMainForm& main, QWidget* parent = nullptr);

  QRadioButton* RadioButton1() const { return m_rectangular; }
  QRadioButton* RadioButton2() const { return m_circular; }

  /// "Rectangular": CircularShape := 0 at once; length and width shown,
  /// radius hidden.
  void RadioButton1Click();
  /// "Circular": CircularShape := 1 at once; radius shown, length and width
  /// hidden.
  void RadioButton2Click();

protected:
  void BeforeLoad() override;
  /// Stores the three boxes; the width's copy, which the 3D view and the
  /// geometry file draw from, follows the width.
  void StoreEntries() override;

private:
  void setShape(int circular);
  void showBoxes(bool circular);

  QRadioButton* m_rectangular = nullptr;
  QRadioButton* m_circular = nullptr;
};

}  // namespace zrv::front
