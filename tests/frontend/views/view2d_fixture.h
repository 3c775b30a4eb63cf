#pragma once
// A main window without windows for the plan and section views: one project
// with its tables and plots, and helpers that fill the tables and look at
// rendered pixels.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

#include "app/IMainForm.h"
#include "grid/TEnumColumn.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "qt_test_support.h"

namespace zrv::test {

class FakeMainForm : public front::IMainForm {
public:
  front::TProgramData& Project() override { return project; }
  front::TProjectTables& Tables() override { return tables; }
  front::TResultPlots& Plots() override { return plots; }
  bool IsModified() const override { return modified; }
  void SetModified(bool m) override { modified = m; }
  void UpdatePileMenus() override {}
  void UpdateLoadingMenus() override {}
  void Close3DView() override {}
  QString WordProcessorPath() const override { return {}; }
  void SetWordProcessorPath(const QString&) override {}
  QString GetVersion() const override { return "3.0.13"; }
  void ShowChild(QWidget* child) override { child->show(); }

  front::TProjectTables tables;
  front::NullProjectHost host;
  front::TProgramData project{tables, host};
  front::TResultPlots plots;
  bool modified = false;
};

/// Sets `table` to the given rows (cells by column; choices as numbers).
inline void setRows(comp::TGridTable& table, std::initializer_list<std::vector<long double>> rows) {
  table.SetRowCount(0);
  table.SetRowCount(static_cast<int>(rows.size()));
  int r = 0;
  for (const auto& row : rows) {
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
      if (dynamic_cast<comp::TEnumColumn*>(&table.Column(c)) != nullptr)
        table.Column(c).SetInteger(r, static_cast<int>(row[static_cast<std::size_t>(c)]));
      else
        table.Column(c).SetFloat(r, row[static_cast<std::size_t>(c)]);
    }
    ++r;
  }
}

/// The widget painted into an image of its size, without its child widgets.
inline QImage renderOf(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  return image;
}

inline bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 96; }
inline bool white(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

/// Runs deferred deletions (a view that closed itself is gone afterwards).
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace zrv::test
