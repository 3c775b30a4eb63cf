#include "forms/Options.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "project/TProgramData.h"

namespace zrv::front {

TDlgOptions::TDlgOptions(IMainForm& main, QWidget* parent) : TDataForm(main, parent) {
  setWindowTitle("Control Options");
  auto* label = new QLabel("&Text Editor:", this);
  m_edtWord = new QLineEdit(this);
  m_edtWord->setPlaceholderText("(the desktop's default application)");
  label->setBuddy(m_edtWord);
  m_btnBrowse = new QPushButton("&Browse...", this);
  m_matrix = new QCheckBox("Generate Foundation Stiffness Matrix", this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0, 1, 2);
  layout->addWidget(m_edtWord, 1, 0);
  layout->addWidget(m_btnBrowse, 1, 1);
  layout->addWidget(m_matrix, 2, 0, 1, 2);
  layout->setRowStretch(3, 1);
  m_edtWord->setMinimumWidth(280);

  connect(m_btnBrowse, &QPushButton::clicked, this, &TDlgOptions::BtnBrowseClick);
  connect(m_matrix, &QCheckBox::clicked, this, &TDlgOptions::CheckBoxClick);
  FormActivate();
}

TDlgOptions::TBrowseHook& TDlgOptions::Browser() {
  static TBrowseHook hook = [](QWidget* parent, const QString& start) {
    return QFileDialog::getOpenFileName(parent, "Text Editor", start, "All Files (*)");
  };
  return hook;
}

void TDlgOptions::FormActivate() {
  m_edtWord->setText(m_main.WordProcessorPath());
  m_matrix->setChecked(m_main.Project().GenerateMatrix == 1);
}

void TDlgOptions::StoreEntries() {
  m_main.SetWordProcessorPath(m_edtWord->text());
  CheckBoxClick();
}

void TDlgOptions::CheckBoxClick() {
  const int value = m_matrix->isChecked() ? 1 : 0;
  TProgramData& project = m_main.Project();
  if (project.GenerateMatrix == value) return;
  project.GenerateMatrix = value;
  // The choice is saved with the project (its MATRIX line).
  MarkModified();
}

void TDlgOptions::BtnBrowseClick() {
  const QString chosen = Browser()(this, m_edtWord->text());
  if (!chosen.isEmpty()) m_edtWord->setText(chosen);
}

}  // namespace zrv::front
