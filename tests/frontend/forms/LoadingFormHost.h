#pragma once
// A main window for the tests of the pile-properties and loading forms: the
// project, its tables and plots, the modified flag, and a recorder of the
// table editor's openings.

#include <QString>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/IMainForm.h"
#include "grid/TGridTable.h"
#include "grid/TTableEditor.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"

/// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace zrv::front::test {

class FakeMainForm : public IMainForm {
public:
  FakeMainForm() : m_project(std::make_unique<TProgramData>(m_tables)) {}

  TProgramData& Project() override { return *m_project; }
  TProjectTables& Tables() override { return m_tables; }
  TResultPlots& Plots() override { return m_plots; }
  bool IsModified() const override { return m_modified; }
  void SetModified(bool modified) override { m_modified = modified; }
  void UpdatePileMenus() override {}
  void UpdateLoadingMenus() override {}
  void Close3DView() override {}
  QString WordProcessorPath() const override { return {}; }
  void SetWordProcessorPath(const QString&) override {}
  QString GetVersion() const override { return QStringLiteral("3.0.13"); }
  void ShowChild(QWidget*) override {}

private:
  TProjectTables m_tables;
  std::unique_ptr<TProgramData> m_project;
  TResultPlots m_plots;
  bool m_modified = false;
};

/// While it lives, the table editor is replaced by a list of the tables
/// opened (caption, modal).
class EditorRecorder {
public:
  struct Opening {
    std::string caption;
    bool modal;
  };
  EditorRecorder() {
    comp::setEditorLauncher([this](comp::TGridTable& table, bool modal) {
      openings.push_back({table.Caption(), modal});
    });
  }
  ~EditorRecorder() { comp::setEditorLauncher({}); }
  std::vector<Opening> openings;
};

}  // namespace zrv::front::test
