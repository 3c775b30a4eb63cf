#pragma once
// "Mass Data": the mass properties of a footing (half-space, stratum and
// multilayer foundations) and their calculator.

#include "forms/MassForm.h"

namespace zrv::front {

class TfrmMassdata : public TMassForm {
  Q_OBJECT
public:
  explicit TfrmMassdata(IMainForm& main, QWidget* parent = nullptr);

  /// "Calculate mass moment of inertia".
  void Button1Click() { Calculate(); }
  /// "Input all the mass components".
  void Button2Click() { InputComponents(); }
};

}  // namespace zrv::front
