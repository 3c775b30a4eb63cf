#pragma once
// A main window without windows for form and view tests: one project with
// its tables and plots, the modified flag and the editor path as plain
// members, child windows shown as they are; and table filling.
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <vector>

#include "app/IMainForm.h"
#include "grid/TEnumColumn.h"
#include "grid/TGridTable.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"

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
  void Close3DView() override { ++closed3D; }
  QString WordProcessorPath() const override { return editor; }
  void SetWordProcessorPath(const QString& path) override { editor = path; }
  QString GetVersion() const override { return "3.0.13"; }
  void ShowChild(QWidget* child) override { child->show(); }

  front::TProjectTables tables;
  front::TProgramData project{tables};
  front::TResultPlots plots;
  bool modified = false;
  QString editor;
  int closed3D = 0;
};

/// Sets `table` to the given rows (cells by column; choices as numbers).
inline void setRows(comp::TGridTable& table, std::initializer_list<std::vector<comp::Extended>> rows) {
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

}  // namespace zrv::test
