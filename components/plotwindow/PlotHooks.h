#pragma once
// The modal windows of the plot window and the page-setup dialog run through
// replaceable hooks, so that a test answers them instead of a person. An
// empty hook restores the real window.

#include <QString>
#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace zrv::comp {

/// Runs a modal dialog and returns its result code (QDialog::exec).
using TModalRunner = std::function<int(QDialog& dialog)>;
void setModalRunner(TModalRunner runner);
int RunModal(QDialog& dialog);

/// Asks for the name of a file to write; empty when cancelled. `filter` is
/// a file-dialog filter such as "Bitmap (*.bmp)", `suffix` the extension
/// added to a name typed without one.
using TSaveFileHook =
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix)>;
void setSaveFileHook(TSaveFileHook hook);
QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& suffix);

/// Runs the print dialog on `printer`; true when the user confirmed it.
using TPrintDialogHook = std::function<bool(QPrinter& printer, QWidget* parent)>;
void setPrintDialogHook(TPrintDialogHook hook);
bool RunPrintDialog(QPrinter& printer, QWidget* parent);

/// Runs the page-setup dialog on `printer` (whose page layout carries the
/// margins in and out); true when the user confirmed it.
using TPageSetupHook = std::function<bool(QPrinter& printer, QWidget* parent)>;
void setPageSetupHook(TPageSetupHook hook);
bool RunPageSetupDialog(QPrinter& printer, QWidget* parent);

}  // namespace zrv::comp
