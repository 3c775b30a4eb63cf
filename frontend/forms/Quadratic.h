#pragma once
// The quadratic harmonic loading form ("Harmonic Loading Data, Quadratic"):
// the same fields as the harmonic form, read as coefficients that the
// analysis multiplies by the square of the frequency. It is a window of its
// own beside the main window, created hidden at start-up.

#include "forms/harmonic.h"

namespace zrv::front {

class TfrmQuad : public THarmonicFormBase {
  Q_OBJECT
public:
  explicit TfrmQuad(IMainForm& main, QWidget* parent = nullptr);

protected:
  /// As a window of its own the form runs its own activation and
  /// deactivation when it gains and loses the focus; a refused deactivation
  /// brings it back to the front with the entry kept. Placed among the main
  /// window's children instead, it leaves both to the main window.
  void changeEvent(QEvent* event) override;

private:
  bool m_keepEntries = false;
};

}  // namespace zrv::front
