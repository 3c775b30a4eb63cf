#pragma once
// The print dialog of the plan and section views, replaceable so that tests
// print to a file without a modal window.

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace zrv::front {

/// Lets the user set up `printer`; true to print. The default shows the
/// platform's print dialog over `parent`.
using TPrintDialogHook = std::function<bool(QPrinter& printer, QWidget* parent)>;

/// Replaces the print dialog (an empty hook restores the real one).
void setViewPrintDialog(TPrintDialogHook hook);
/// Runs the print dialog or its replacement.
bool runViewPrintDialog(QPrinter& printer, QWidget* parent);

/// Prints one landscape page titled "Soil-Pile Profile": asks the print
/// dialog, then calls `draw` with a painter on the printer and the page size
/// in pixels. A printer that cannot start is reported in a message box.
void printViewPage(QWidget* parent, const std::function<void(QPrinter& printer, QPainter& painter)>& draw);

}  // namespace zrv::front
