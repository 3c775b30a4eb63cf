#include "plotwindow/PageSet.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <exception>

#include "plotwindow/PlotHooks.h"
#include "ui/UiHooks.h"

namespace zrv::comp {

std::uint32_t PageSetupFlag(TPageSetupFlags option) {
  switch (option) {
    case TPageSetupFlags::poDefaultMinMargins: return 0x0;
    case TPageSetupFlags::poDisableMargins: return 0x10;
    case TPageSetupFlags::poMargins: return 0x2;
    case TPageSetupFlags::poMinMargins: return 0x1;
    case TPageSetupFlags::poDisableOrientation: return 0x100;
    case TPageSetupFlags::poDisablePaper: return 0x200;
    case TPageSetupFlags::poDisablePrinter: return 0x20;
    case TPageSetupFlags::poHundredthsOfMillimeters: return 0x8;
    case TPageSetupFlags::poThousandthsOfInches: return 0x4;
  }
  return 0;
}

TPageSetupDialog::TPageSetupDialog()
    : m_options{TPageSetupFlags::poDefaultMinMargins, TPageSetupFlags::poHundredthsOfMillimeters} {}

void TPageSetupDialog::SetOptions(TPageOptions options) {
  const TPageOptions previous = m_options;
  auto added = [&](TPageSetupFlags f) { return options.count(f) && !previous.count(f); };
  if (added(TPageSetupFlags::poDefaultMinMargins)) options.erase(TPageSetupFlags::poMinMargins);
  if (added(TPageSetupFlags::poMinMargins)) options.erase(TPageSetupFlags::poDefaultMinMargins);
  if (added(TPageSetupFlags::poHundredthsOfMillimeters)) options.erase(TPageSetupFlags::poThousandthsOfInches);
  if (added(TPageSetupFlags::poThousandthsOfInches)) options.erase(TPageSetupFlags::poHundredthsOfMillimeters);
  m_options = std::move(options);
  m_flags = 0;
  for (TPageSetupFlags f : m_options) m_flags |= PageSetupFlag(f);
}

void TPageSetupDialog::setMargin(int side, int v) { m_margin[side] = std::max(v, m_min[side]); }

void TPageSetupDialog::setMinMargin(int side, int v) { m_min[side] = std::min(v, m_margin[side]); }

bool TPageSetupDialog::inInches() const { return m_options.count(TPageSetupFlags::poThousandthsOfInches) > 0; }

bool TPageSetupDialog::Execute(QPrinter& printer, QWidget* parent) {
  // The dialog starts from the current margins; a cancel or an error puts
  // the printer's own page layout back.
  const QPageLayout original = printer.pageLayout();
  try {
    // Inches in thousandths, else millimetres in hundredths.
    const QPageLayout::Unit unit = inInches() ? QPageLayout::Inch : QPageLayout::Millimeter;
    const double scale = inInches() ? 1000.0 : 100.0;
    const QMarginsF margins(m_margin[0] / scale, m_margin[1] / scale, m_margin[2] / scale, m_margin[3] / scale);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(unit);
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    layout.setMargins(margins);
    printer.setPageLayout(layout);
    if (!RunPageSetupDialog(printer, parent)) {
      printer.setPageLayout(original);
      return false;
    }

    const QPageLayout chosen = printer.pageLayout();
    const QRectF paper = chosen.fullRect(unit);
    const QMarginsF m = chosen.margins(unit);
    auto toInt = [scale](double v) { return static_cast<int>(std::lround(v * scale)); };
    m_paperLength = toInt(paper.height());
    m_paperWidth = toInt(paper.width());
    SetMarginLeft(toInt(m.left()));
    SetMarginTop(toInt(m.top()));
    SetMarginRight(toInt(m.right()));
    SetMarginBottom(toInt(m.bottom()));
    return true;
  } catch (const std::exception& e) {
    printer.setPageLayout(original);
    ShowInformation(QString("Error in %1\r%2").arg("TPageSetupDialog.Execute", QString::fromStdString(e.what())));
    return false;
  }
}

}  // namespace zrv::comp
