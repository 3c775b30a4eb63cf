#include "forms/Quadratic.h"

namespace zrv::front {

TfrmQuad::TfrmQuad(IMainForm& main, QWidget* parent) : THarmonicFormBase(main, parent, true) {}

}  // namespace zrv::front
