#pragma once
// The quadratic harmonic loading form ("Harmonic Loading Data, Quadratic"):
// the same fields as the harmonic form, read as coefficients that the
// analysis multiplies by the square of the frequency. Like its twin it is a
// child window of the main window, which runs its activation and
// deactivation.

#include "forms/harmonic.h"

namespace zrv::front {

class TfrmQuad : public THarmonicFormBase {
  Q_OBJECT
public:
  explicit TfrmQuad(IMainForm& main, QWidget* parent = nullptr);
};

}  // namespace zrv::front
