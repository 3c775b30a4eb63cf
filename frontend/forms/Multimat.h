#pragma once
// "Foundation Properties": the centre of gravity, the pile material, the
// pile length and rigidity and the static load of a multilayer foundation.

#include "forms/FieldBinding.h"

namespace zrv::front {

class TfrmMultimat : public TFieldForm {
  Q_OBJECT
public:
  explicit TfrmMultimat(IMainForm& main, QWidget* parent = nullptr);
};

}  // namespace zrv::front
