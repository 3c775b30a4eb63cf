#pragma once
// "Pile Cap Properties": the mass properties of the cap of a pile group and
// their calculator.

#include "forms/MassForm.h"

namespace zrv::front {

class TfrmNCPileProperties : public TMassForm {
  Q_OBJECT
public:
  explicit TfrmNCPileProperties(IMainForm& main, QWidget* parent = nullptr);

  /// "Input all the mass components".
  void Button1Click() { InputComponents(); }
  /// "Calculate mass moment of inertia".
  void Button2Click() { Calculate(); }
};

}  // namespace zrv::front
