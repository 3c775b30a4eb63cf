#include "forms/Quadratic.h"

#include <QEvent>

namespace zrv::front {

TfrmQuad::TfrmQuad(IMainForm& main, QWidget* parent) : THarmonicFormBase(main, parent, true) {
  // A dialog-bordered window of its own, not a child of the main window.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void TfrmQuad::changeEvent(QEvent* event) {
  THarmonicFormBase::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isWindow() || !isVisible()) return;
  if (isActiveWindow()) {
    if (m_keepEntries)
      m_keepEntries = false;
    else
      FormActivate();
  } else if (!FormDeactivate()) {
    m_keepEntries = true;
    raise();
    activateWindow();
  }
}

}  // namespace zrv::front
