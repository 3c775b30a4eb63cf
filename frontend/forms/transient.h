#pragma once
// The transient loading form ("Transient Loading Data"): the number of time
// points (PointCount), the time step (TimeStep) and the number of loads
// (LoadTypeCount); the load histories themselves are rows of the main
// window's table TLoadtype. No box carries a unit.

#include "forms/FieldBinding.h"

namespace zrv::front {

class Tfrmtransient : public TFieldForm {
  Q_OBJECT
public:
  explicit Tfrmtransient(IMainForm& main, QWidget* parent = nullptr);

  /// "Data Button": opens TLoadtype in the table editor (not modal).
  void Button1Click();
};

}  // namespace zrv::front
