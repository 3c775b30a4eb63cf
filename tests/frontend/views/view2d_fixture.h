#pragma once
// A main window without windows for the plan and section views: one project
// with its tables and plots, and helpers that fill the tables and look at
// rendered pixels.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <string>

#include "fake_main_form.h"
#include "qt_test_support.h"
#include "test_support.h"
#include "views/ViewPrinting.h"

namespace zrv::test {

/// The widget painted into an image of its size, without its child widgets.
inline QImage renderOf(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  return image;
}

inline bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 96; }
inline bool white(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

/// What a print through the replaced print dialog gave.
struct PrintedPage {
  QString title;           // the document name
  bool landscape = false;  // the orientation the dialog was handed
  std::string pdf;         // the printed file
};

/// Clicks `button` with the print dialog replaced by one that notes the
/// document name and orientation and prints into the PDF file `pdf`.
inline PrintedPage printThroughDialog(QPushButton& button, const std::filesystem::path& pdf) {
  auto printed = std::make_shared<PrintedPage>();
  front::setViewPrintDialog([printed, pdf](QPrinter& printer, QWidget*) {
    printed->title = printer.docName();
    printed->landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return true;
  });
  button.click();
  printed->pdf = read_file(pdf);
  return *printed;
}

/// Runs deferred deletions (a view that closed itself is gone afterwards).
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

/// A test of one view of type View over a fake main window: no message is
/// left from an earlier test, and the view and the print hook go after it.
template <class View>
class ViewTest : public ::testing::Test {
protected:
  void SetUp() override { recordedMessages().clear(); }
  void TearDown() override {
    delete view.data();
    front::setViewPrintDialog({});
  }

  FakeMainForm main;
  QPointer<View> view;
};

}  // namespace zrv::test
