#include "plotwindow/PageSet.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <stdexcept>

#include "plotwindow/PlotHooks.h"
#include "qt_test_support.h"

using namespace zrv::comp;
using F = TPageSetupFlags;

namespace {

// A printer that never talks to a print system.
struct PdfPrinter {
  PdfPrinter() : printer(QPrinter::HighResolution) { printer.setOutputFormat(QPrinter::PdfFormat); }
  QPrinter printer;
};

class PageSetTest : public ::testing::Test {
protected:
  void SetUp() override { zrv::test::recordedMessages().clear(); }
  void TearDown() override { setPageSetupHook({}); }
};

}  // namespace

TEST_F(PageSetTest, MarginsStayAtOrAboveTheirMinimum) {
  TPageSetupDialog d;
  EXPECT_EQ(d.MarginLeft(), 0);
  EXPECT_EQ(d.MinMarginTop(), 0);
  d.SetMarginLeft(1000);
  d.SetMinMarginLeft(1000);
  d.SetMarginLeft(500);
  EXPECT_EQ(d.MarginLeft(), 1000);
  d.SetMarginTop(1000);
  d.SetMinMarginTop(2000);
  EXPECT_EQ(d.MinMarginTop(), 1000);
  d.SetMinMarginRight(300);  // margin 0: the minimum becomes 0
  EXPECT_EQ(d.MinMarginRight(), 0);
  d.SetMarginBottom(750);
  EXPECT_EQ(d.MarginBottom(), 750);
}

TEST_F(PageSetTest, OptionsExcludeTheirOpposites) {
  TPageSetupDialog d;
  EXPECT_EQ(d.Options(), (TPageOptions{F::poDefaultMinMargins, F::poHundredthsOfMillimeters}));
  EXPECT_EQ(d.Flags(), 0u);  // built on the first assignment

  d.SetOptions({F::poDefaultMinMargins, F::poThousandthsOfInches});
  EXPECT_EQ(d.Options(), (TPageOptions{F::poDefaultMinMargins, F::poThousandthsOfInches}));
  EXPECT_EQ(d.Flags(), 0x4u);

  // A new poMinMargins drops poDefaultMinMargins; a new hundredths drops thousandths.
  d.SetOptions({F::poDefaultMinMargins, F::poMinMargins, F::poThousandthsOfInches, F::poHundredthsOfMillimeters});
  EXPECT_EQ(d.Options(), (TPageOptions{F::poMinMargins, F::poHundredthsOfMillimeters}));
  EXPECT_EQ(d.Flags(), 0x1u | 0x8u);

  // Both new at once: the default minimum wins over the minimum, hundredths over thousandths.
  TPageSetupDialog e;
  e.SetOptions({});
  e.SetOptions({F::poDefaultMinMargins, F::poMinMargins, F::poHundredthsOfMillimeters, F::poThousandthsOfInches,
                F::poDisablePaper, F::poDisablePrinter, F::poDisableOrientation, F::poDisableMargins, F::poMargins});
  EXPECT_EQ(e.Options(), (TPageOptions{F::poDefaultMinMargins, F::poHundredthsOfMillimeters, F::poDisablePaper,
                                       F::poDisablePrinter, F::poDisableOrientation, F::poDisableMargins,
                                       F::poMargins}));
  EXPECT_EQ(e.Flags(), 0x8u | 0x200u | 0x20u | 0x100u | 0x10u | 0x2u);
}

TEST_F(PageSetTest, ExecuteTakesPaperAndMarginsOnlyWhenConfirmed) {
  PdfPrinter pdf;
  TPageSetupDialog d;
  d.SetOptions({F::poDefaultMinMargins, F::poThousandthsOfInches});
  d.SetMarginLeft(1000);
  d.SetMarginTop(1000);
  d.SetMarginRight(1000);
  d.SetMarginBottom(1000);
  d.SetMinMarginLeft(800);

  QMarginsF seen;
  const QPageLayout before = pdf.printer.pageLayout();
  setPageSetupHook([&](QPrinter& printer, QWidget*) {
    seen = printer.pageLayout().margins(QPageLayout::Inch);
    return false;
  });
  EXPECT_FALSE(d.Execute(pdf.printer));
  EXPECT_NEAR(seen.left(), 1.0, 1e-9);  // the dialog starts from the current margins
  EXPECT_EQ(d.PaperWidth(), 0);
  EXPECT_EQ(d.MarginLeft(), 1000);
  // A cancel leaves the printer as it was.
  EXPECT_TRUE(pdf.printer.pageLayout().isEquivalentTo(before));
  EXPECT_NEAR(pdf.printer.pageLayout().margins(QPageLayout::Inch).left(), before.margins(QPageLayout::Inch).left(),
              1e-9);

  // The user picks Letter with half-inch margins: 8.5 x 11 in.
  setPageSetupHook([](QPrinter& printer, QWidget*) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(0.5, 0.5, 0.5, 0.25), QPageLayout::Inch));
    return true;
  });
  EXPECT_TRUE(d.Execute(pdf.printer));
  EXPECT_EQ(d.PaperWidth(), 8500);
  EXPECT_EQ(d.PaperLength(), 11000);
  EXPECT_EQ(d.MarginLeft(), 800);  // held at its minimum
  EXPECT_EQ(d.MarginTop(), 500);
  EXPECT_EQ(d.MarginRight(), 500);
  EXPECT_EQ(d.MarginBottom(), 250);

  // In hundredths of a millimetre: A4 is 210 x 297 mm.
  TPageSetupDialog m;
  setPageSetupHook([](QPrinter& printer, QWidget*) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 10, 5),
                                      QPageLayout::Millimeter));
    return true;
  });
  EXPECT_TRUE(m.Execute(pdf.printer));
  EXPECT_EQ(m.PaperWidth(), 21000);
  EXPECT_EQ(m.PaperLength(), 29700);
  EXPECT_EQ(m.MarginLeft(), 2000);
  EXPECT_EQ(m.MarginTop(), 1500);
  EXPECT_TRUE(zrv::test::recordedMessages().empty());
}

TEST_F(PageSetTest, AnErrorIsShownAndGivesFalse) {
  PdfPrinter pdf;
  TPageSetupDialog d;
  setPageSetupHook([](QPrinter&, QWidget*) -> bool { throw std::runtime_error("Printer not Assigned"); });
  EXPECT_FALSE(d.Execute(pdf.printer));
  ASSERT_EQ(zrv::test::recordedMessages().size(), 1u);
  EXPECT_EQ(zrv::test::recordedMessages()[0].text, "Error in TPageSetupDialog.Execute\rPrinter not Assigned");
}
