#include "views/ViewPrinting.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/UiHooks.h"

namespace zrv::front {
namespace {

TPrintDialogHook& printDialogHook() {
  static TPrintDialogHook hook;
  return hook;
}

}  // namespace

void setViewPrintDialog(TPrintDialogHook hook) { printDialogHook() = std::move(hook); }

bool runViewPrintDialog(QPrinter& printer, QWidget* parent) {
  if (printDialogHook()) return printDialogHook()(printer, parent);
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void printViewPage(QWidget* parent, const std::function<void(QPrinter&, QPainter&)>& draw) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName("Soil-Pile Profile");
  if (!runViewPrintDialog(printer, parent)) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    comp::ShowInformation("The printer could not be started.");
    return;
  }
  draw(printer, painter);
  painter.end();
}

}  // namespace zrv::front
