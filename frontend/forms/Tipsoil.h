#pragma once
// "Soil Below The Footing": the soil below the footing or the pile tips.

#include "forms/FieldBinding.h"

namespace zrv::front {

class TfrmTipsoil : public TFieldForm {
  Q_OBJECT
public:
  explicit TfrmTipsoil(IMainForm& main, QWidget* parent = nullptr);
};

}  // namespace zrv::front
