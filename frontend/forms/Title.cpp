#include "forms/Title.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "project/TProgramData.h"

namespace zrv::front {

TdlgTitle::TdlgTitle(IMainForm& main, QWidget* parent) : TDataForm(main, parent) {
  setWindowTitle("Project Title");
  auto* frame = new QGroupBox(this);
  auto* label = new QLabel("Enter text line for project description:", frame);
  // One line: Enter inserts no line break.
  m_memo = new QLineEdit(frame);
  m_memo->setMaxLength(kMaxTitle);
  m_memo->setMinimumWidth(420);
  auto* inner = new QVBoxLayout(frame);
  inner->addWidget(label);
  inner->addWidget(m_memo);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  FormActivate();
}

void TdlgTitle::FormActivate() {
  const QString title = QString::fromStdString(m_main.Project().ProjectTitle);
  // A longer title from a file is shown whole, never cut by the limit.
  m_memo->setMaxLength(std::max<int>(kMaxTitle, static_cast<int>(title.size())));
  m_memo->setText(title);
}

void TdlgTitle::StoreEntries() {
  const std::string text = m_memo->text().toStdString();
  TProgramData& project = m_main.Project();
  if (text == project.ProjectTitle) return;
  project.ProjectTitle = text;
  MarkModified();
}

}  // namespace zrv::front
