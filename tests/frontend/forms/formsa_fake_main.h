#pragma once
// A main window for form tests: one project with its tables and plots, the
// modified flag, a count of the pile-menu updates, and the data forms that a
// unit switch re-activates.
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "app/IMainForm.h"
#include "forms/TDataForm.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"

namespace zrv::test {

using front::TProjectFields;

class FakeMain : public front::IMainForm {
public:
  FakeMain() : m_project(std::make_unique<front::TProgramData>(m_tables)) { m_modified = false; }

  front::TProgramData& Project() override { return *m_project; }
  front::TProjectTables& Tables() override { return m_tables; }
  front::TResultPlots& Plots() override { return m_plots; }
  bool IsModified() const override { return m_modified; }
  void SetModified(bool modified) override {
    m_modified = modified;
    if (!modified) m_tables.clearChanged();
  }
  void UpdatePileMenus() override { ++pileMenuUpdates; }
  void UpdateLoadingMenus() override {}
  void Close3DView() override {}
  QString WordProcessorPath() const override { return {}; }
  void SetWordProcessorPath(const QString&) override {}
  QString GetVersion() const override { return QStringLiteral("3.0.13"); }
  void ShowChild(QWidget* child) override { child->show(); }

  /// The Units menu: the project switches, then the open forms reload.
  void SetUnits(int system) {
    m_project->SetUnitSystem(system);
    for (auto& form : forms)
      if (form) form->FormActivate();
  }

  int pileMenuUpdates = 0;
  std::vector<QPointer<front::TDataForm>> forms;

private:
  front::TProjectTables m_tables;
  front::TResultPlots m_plots;
  bool m_modified = false;
  std::unique_ptr<front::TProgramData> m_project;
};

}  // namespace zrv::test
