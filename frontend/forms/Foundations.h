#pragma once
// "Foundation Data": the global position of a half-space or stratum
// foundation's base and, for a stratum, the depths of the base and of the
// bed rock.

#include "forms/FieldBinding.h"

namespace zrv::front {

class TfrmFoundations : public TFieldForm {
  Q_OBJECT
public:
  explicit TfrmFoundations(IMainForm& main, QWidget* parent = nullptr);

protected:
  /// A half-space hides the two depth boxes, a stratum shows them; other
  /// foundation codes leave them as they are.
  void BeforeLoad() override;
};

}  // namespace zrv::front
