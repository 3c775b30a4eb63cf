#include "forms/cPileProperties.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zrv::front {
namespace {

struct TChoiceFields {
  std::string TProjectFields::*text;
  int TProjectFields::*code;
};

TChoiceFields choiceFields(TPileChoice choice) {
  switch (choice) {
    case TPileChoice::PileHead: return {&TProjectFields::PileHeadText, &TProjectFields::PileHeadFixed};
    case TPileChoice::TipType: return {&TProjectFields::TipTypeText, &TProjectFields::EndBearing};
    case TPileChoice::Interaction: break;
  }
  return {&TProjectFields::InteractionText, &TProjectFields::PileInteraction};
}

// Item 0 and item 1 of each choice, with their codes.
struct TChoiceItems {
  const char* items[2];
  int codes[2];
};

TChoiceItems choiceItems(TPileChoice choice) {
  switch (choice) {
    case TPileChoice::PileHead: return {{"FIXED", "PINNED"}, {1, 0}};
    case TPileChoice::TipType: return {{"Floating Piles", "End-Bearing Piles"}, {0, 1}};
    case TPileChoice::Interaction: break;
  }
  return {{"Yes", "No"}, {1, 0}};
}

constexpr TPileChoice kChoices[] = {TPileChoice::PileHead, TPileChoice::TipType, TPileChoice::Interaction};

// Boxes 1 to 10 and their fields.
struct TPileEdit {
  TEditDesign design;
  Extended TProjectFields::*field;
};

const TPileEdit kEdits[10] = {
    {{1, QStringLiteral("X Coordinate (Xc) "), QStringLiteral("L2")}, &TProjectFields::BaseX},
    {{2, QStringLiteral("Y Coordinate (Yc)"), QStringLiteral("L2")}, &TProjectFields::BaseY},
    {{3, QStringLiteral("Z Coordinate (Zc)"), QStringLiteral("L2")}, &TProjectFields::BaseZ},
    {{4, QStringLiteral("Unit weight of pile"), QStringLiteral("F/L2^3")}, &TProjectFields::PileUnitWeight},
    {{5, QStringLiteral("Poisson's ratio of the pile"), {}}, &TProjectFields::PilePoisson},
    {{6, QStringLiteral("Material damping of the pile"), {}}, &TProjectFields::PileDamping},
    {{7, QStringLiteral("&Elastic modulus of the pile "), QStringLiteral("F/L2\u00B2")}, &TProjectFields::PileModulus},
    {{8, QStringLiteral("Total length of pile"), QStringLiteral("L2"), TEditRange::Int32}, &TProjectFields::PileLength},
    {{9, QStringLiteral("Cross-sectional coefficient of rigidity for the effect of shear"), {}, TEditRange::Int32},
     &TProjectFields::ShearRigidityCoef},
    {{10, QStringLiteral("Static load on foundation"), QStringLiteral("F"), TEditRange::Max, 2.147483647E+12L},
     &TProjectFields::StaticLoad},
};

}  // namespace

std::array<const char*, 2> PileChoiceItems(TPileChoice choice) {
  const TChoiceItems c = choiceItems(choice);
  return {c.items[0], c.items[1]};
}

std::optional<int> PileChoiceCode(TPileChoice choice, std::string_view text) {
  const TChoiceItems c = choiceItems(choice);
  for (int i = 0; i < 2; ++i)
    if (text == c.items[i]) return c.codes[i];
  return std::nullopt;
}

std::optional<std::string> PileChoiceText(TPileChoice choice, int code) {
  const TChoiceItems c = choiceItems(choice);
  for (int i = 0; i < 2; ++i)
    if (code == c.codes[i]) return std::string(c.items[i]);
  return std::nullopt;
}

void AlignPileChoiceTexts(TProjectFields& fields) {
  for (TPileChoice choice : kChoices) {
    const TChoiceFields f = choiceFields(choice);
    if (auto text = PileChoiceText(choice, fields.*f.code)) fields.*f.text = *text;
  }
}

void ApplyPileChoiceTexts(TProjectFields& fields) {
  for (TPileChoice choice : kChoices) {
    const TChoiceFields f = choiceFields(choice);
    if (auto code = PileChoiceCode(choice, fields.*f.text)) fields.*f.code = *code;
  }
}

TfrmCPileProperties::TfrmCPileProperties(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmCPileProperties"));
  setWindowTitle(QStringLiteral("Pile Properties"));
  auto* layout = new QVBoxLayout(this);

  // Boxes 1 to 6 have a change handler each, 7 to 10 share one; all mark
  // the project modified.
  auto* baseBox = new QGroupBox(QStringLiteral("Global Coordinates of Center of Pile Cap Base "), this);
  auto* baseGrid = new QGridLayout(baseBox);
  auto* grid = new QGridLayout;
  int row = 0;
  for (int i = 0; i < 10; ++i) {
    const TPileEdit& e = kEdits[i];
    if (i < 3) {
      bind(bindReal(addEdit(baseBox, baseGrid, i, e.design), e.field));
      continue;
    }
    bind(bindReal(addEdit(this, grid, row++, e.design), e.field));
    if (i == 8) {
      grid->addWidget(
          new QLabel(QStringLiteral("(use 1.334 for solid circular sections; use 1.52 for rectangular sections)"), this),
          row++, 0, 1, 2);
    }
  }
  layout->addWidget(baseBox);
  layout->addLayout(grid);

  const char* labels[3] = {"The connection between the pile cap and pile head",
                           "Select either floating piles or  end-bearing piles",
                           "Consider the interaction of pile-soil-pile "};
  const char* designTexts[3] = {"Fixed", "Floating Piles", "Yes"};
  auto* choices = new QGridLayout;
  for (int i = 0; i < 3; ++i) {
    const TPileChoice choice = kChoices[i];
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : PileChoiceItems(choice)) box->addItem(QString::fromUtf8(item));
    box->setEditText(QString::fromUtf8(designTexts[i]));
    choices->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), i, 0);
    choices->addWidget(box, i, 1);
    m_combos[static_cast<std::size_t>(i)] = box;
    // Only the user's choices and typing count as changes; activation sets
    // the texts without running the handlers.
    connect(box, &QComboBox::activated, this, [this, choice] { comboChanged(choice); });
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, choice] { comboChanged(choice); });
  }
  layout->addLayout(choices);
  layout->addStretch();
}

QComboBox* TfrmCPileProperties::combo(TPileChoice choice) const {
  return m_combos[static_cast<std::size_t>(choice)];
}

void TfrmCPileProperties::FormActivate() {
  TFieldForm::FormActivate();
  TProgramData& p = m_main.Project();
  AlignPileChoiceTexts(p);
  for (TPileChoice choice : kChoices)
    combo(choice)->setEditText(QString::fromStdString(p.*choiceFields(choice).text));
}

void TfrmCPileProperties::ComboBox1Change() { comboChanged(TPileChoice::PileHead); }
void TfrmCPileProperties::ComboBox2Change() { comboChanged(TPileChoice::TipType); }
void TfrmCPileProperties::ComboBox3Change() { comboChanged(TPileChoice::Interaction); }

void TfrmCPileProperties::comboChanged(TPileChoice choice) {
  TProgramData& p = m_main.Project();
  const TChoiceFields f = choiceFields(choice);
  p.*f.text = combo(choice)->currentText().toStdString();
  if (auto code = PileChoiceCode(choice, p.*f.text)) p.*f.code = *code;
  MarkModified();
}

void TfrmCPileProperties::StoreEntries() {
  TFieldForm::StoreEntries();
  ApplyPileChoiceTexts(m_main.Project());
}

}  // namespace zrv::front
