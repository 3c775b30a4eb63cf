#pragma once
// Helpers for data-form tests: showing a form with a box focused, closing it
// and letting its deferred deletion run, reading label texts.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

#include "dataedit/TDataEdit.h"
#include "expect.h"
#include "qt_test_support.h"

namespace zrv::test {

/// Shows `form` as the active window and gives `edit` the focus.
inline void focusIn(QWidget* form, QWidget* edit) {
  form->show();
  QApplication::setActiveWindow(form);
  edit->setFocus();
  QCoreApplication::processEvents();
}

/// Runs the deletions that closing forms asked for.
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

inline QString labelOf(const comp::TDataEdit* edit) {
  return edit && edit->EditLabel() ? edit->EditLabel()->text() : QStringLiteral("<no label>");
}

}  // namespace zrv::test
