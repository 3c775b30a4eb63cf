#include "forms/harmonic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "dataedit/TDataEdit.h"
#include "ui/UiHooks.h"

namespace zrv::front {
namespace {

struct THarmonicEdit {
  const char* caption;      // harmonic form
  const char* quadCaption;  // quadratic form
  const char* units;
  const char* quadUnits;
  TEditRange range;
  Extended TProjectFields::*field;
};

constexpr TEditRange kFull = TEditRange::Full;
constexpr TEditRange kInt32 = TEditRange::Int32;

const THarmonicEdit kEdits[12] = {
    {"Maximum Frequency", "Maximum Frequency", "Hz", "Hz", kFull, &TProjectFields::MaxFrequency},
    {"Minimum Frequency", "Minimum Frequency", "Hz", "Hz", kFull, &TProjectFields::MinFrequency},
    {"Step frequency (incremental frequency)", "Step frequency (incremental frequency)", "Hz", "Hz", kFull,
     &TProjectFields::FrequencyStep},
    {"Force in X-direction", "Force Coefficient in X-direction", "F", "F6-L2", kFull, &TProjectFields::ForceX},
    {"Force in Y-direction", "Force Coefficient in Y-direction", "F", "F6-L2", kFull, &TProjectFields::ForceY},
    {"Force in Z-direction", "Force Coefficient in Z-direction", "F", "F6-L2", kFull, &TProjectFields::ForceZ},
    {"Moment about X-axis ", "Moment Coefficient about X-axis ", "F-L2", "F6-L2^2", kFull, &TProjectFields::MomentX},
    {"Moment about Y-axis", "Moment Coefficient about Y-axis", "F-L2", "F6-L2^2", kInt32, &TProjectFields::MomentY},
    {"Moment about Z-axis", "Moment Coefficient about Z-axis", "F-L2", "F6-L2^2", kInt32, &TProjectFields::MomentZ},
    {"X-coordinate", "X-coordinate", "L2", "L2", kFull, &TProjectFields::LoadPointX},
    {"Y-coordinate", "Y-coordinate", "L2", "L2", kFull, &TProjectFields::LoadPointY},
    {"Z-coordinate", "Z-coordinate", "L2", "L2", kFull, &TProjectFields::LoadPointZ},
};

TLoadPoint offset(const TProjectFields& f) {
  return {f.CBLocalX - f.BaseX, f.CBLocalY - f.BaseY, f.CBLocalZ - f.BaseZ};
}

}  // namespace

TLoadPoint LoadPointToGlobal(const TLoadPoint& p, const TProjectFields& f) {
  const TLoadPoint d = offset(f);
  return {p.x - d.x, p.y - d.y, -p.z - d.z};
}

TLoadPoint LoadPointToLocal(const TLoadPoint& p, const TProjectFields& f) {
  const TLoadPoint d = offset(f);
  return {p.x + d.x, p.y + d.y, -p.z - d.z};
}

THarmonicLoads EquivalentLoadsAtCG(const THarmonicLoads& loads, const TLoadPoint& point, int reference,
                                   const TProjectFields& f) {
  if (reference != 0 && reference != 1) return loads;
  const TLoadPoint p = reference == 1 ? LoadPointToGlobal(point, f) : point;
  THarmonicLoads r = loads;
  r.Mx = loads.Mx - p.y * loads.Fz + p.z * loads.Fy;
  r.My = loads.My - p.z * loads.Fx + p.x * loads.Fz;
  r.Mz = loads.Mz - p.x * loads.Fy + p.y * loads.Fx;
  return r;
}

QString EquivalentLoadsText(const THarmonicLoads& loads, bool quadratic, int unitSystem) {
  const bool si = unitSystem == 2;
  const char* force = quadratic ? (si ? " Mg-m" : " slug-ft") : (si ? " kN" : " lbs");
  const char* moment = quadratic ? (si ? " Mg-m^2" : " slug-ft^2") : (si ? " kN-m" : " lbs-ft");
  const struct {
    const char* label;
    const char* quadLabel;
    Extended value;
    const char* unit;
  } lines[6] = {
      {"Fx: ", "Fcx: ", loads.Fx, force},  {"Fy: ", "Fcy: ", loads.Fy, force},
      {"Fz: ", "Fcz: ", loads.Fz, force},  {"Mx: ", "Mcx: ", loads.Mx, moment},
      {"My: ", "Mcy: ", loads.My, moment}, {"Mz: ", "Mcz: ", loads.Mz, moment},
  };
  // Qt's message boxes break lines at a line feed only (a carriage return
  // shows as a blank).
  QString text = QString::fromLatin1(quadratic ? "Equivalent Coeffs." : "Equivalent Loads.") + "\n\n";
  for (const auto& line : lines) {
    text += QString::fromLatin1(quadratic ? line.quadLabel : line.label);
    text += QString::fromStdString(comp::format_general(line.value, 15));
    text += QString::fromLatin1(line.unit);
    text += '\n';
  }
  return text;
}

THarmonicFormBase::THarmonicFormBase(IMainForm& main, QWidget* parent, bool quadratic)
    : TFieldForm(main, parent), m_quadratic(quadratic) {
  setObjectName(quadratic ? QStringLiteral("frmQuad") : QStringLiteral("frmharmonic"));
  setWindowTitle(quadratic ? QStringLiteral("Harmonic Loading Data, Quadratic")
                           : QStringLiteral("Harmonic Loading Data, NonQuadratic"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* pointBox = new QGroupBox(QStringLiteral("Point of Application of Load"), this);
  auto* pointGrid = new QGridLayout(pointBox);
  // The harmonic form's change handlers mark the project modified; the
  // quadratic form's boxes do the same, so that no edit of either form can
  // be lost without the save question.
  for (int i = 0; i < 12; ++i) {
    const THarmonicEdit& e = kEdits[i];
    const TEditDesign design{i + 1, QString::fromLatin1(quadratic ? e.quadCaption : e.caption),
                         QString::fromLatin1(quadratic ? e.quadUnits : e.units), e.range};
    comp::TDataEdit* edit = i < 9 ? addEdit(this, grid, i, design) : addEdit(pointBox, pointGrid, i - 9, design);
    bind(bindReal(edit, e.field));
    m_edits[static_cast<std::size_t>(i)] = edit;
  }
  m_global = new QRadioButton(QStringLiteral("Referred to the Center of Gravity (Global Coordinates)"), pointBox);
  m_global->setObjectName(QStringLiteral("RadioButton1"));
  m_global->setChecked(true);
  m_local = new QRadioButton(QStringLiteral("Referred to the Center of Base (local coordinates)"), pointBox);
  m_local->setObjectName(QStringLiteral("RadioButton2"));
  pointGrid->addWidget(m_global, 3, 0, 1, 2);
  pointGrid->addWidget(m_local, 4, 0, 1, 2);
  // Only a button that becomes checked runs its handler: clicking the
  // checked one changes nothing.
  connect(m_global, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(m_local, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });

  auto* button = new QPushButton(quadratic ? QStringLiteral("Equivalent Coefs. at Center of Gravity")
                                           : QStringLiteral("Equivalent Loads at Center of Gravity"),
                                 this);
  button->setObjectName(QStringLiteral("Button1"));
  connect(button, &QPushButton::clicked, this, [this] { Button1Click(); });

  layout->addLayout(grid);
  if (quadratic) {
    layout->addWidget(
        new QLabel(QStringLiteral("Note: Force (or Moment) is equal to the  Force (Moment)  Coefficient "), this));
    layout->addWidget(new QLabel(QStringLiteral("times the square of the frequency."), this));
  }
  layout->addWidget(pointBox);
  layout->addWidget(button);
  layout->addStretch();
}

void THarmonicFormBase::FormActivate() {
  m_activated = false;
  TFieldForm::FormActivate();
  setReferenceButtons(m_main.Project().LoadPointReference);
  setPointCaptions(m_local->isChecked());
  m_activated = true;
}

void THarmonicFormBase::setReferenceButtons(int reference) {
  // Both buttons can only be cleared while they are not exclusive; setting
  // them runs no handler.
  const QSignalBlocker blockGlobal(m_global);
  const QSignalBlocker blockLocal(m_local);
  m_reference = reference;
  m_global->setAutoExclusive(false);
  m_local->setAutoExclusive(false);
  m_global->setChecked(reference == 0);
  m_local->setChecked(reference == 1);
  m_global->setAutoExclusive(true);
  m_local->setAutoExclusive(true);
}

void THarmonicFormBase::setPointCaptions(bool local) {
  const char* captions[3] = {"X-coordinate", "Y-coordinate", "Z-coordinate"};
  const char* localCaptions[3] = {"x-coordinate", "y-coordinate", "z-coordinate"};
  for (int i = 0; i < 3; ++i)
    m_edits[static_cast<std::size_t>(9 + i)]->SetCaption(QString::fromLatin1(local ? localCaptions[i] : captions[i]));
}

void THarmonicFormBase::RadioButton1Click() { switchReference(false); }
void THarmonicFormBase::RadioButton2Click() { switchReference(true); }

void THarmonicFormBase::switchReference(bool toLocal) {
  if (!m_activated) return;
  TLoadPoint point;
  try {
    point = {m_edits[9]->Number(), m_edits[10]->Number(), m_edits[11]->Number()};
  } catch (const comp::Exception& e) {
    // The point stays as it stands, so the reference does too.
    setReferenceButtons(m_reference);
    comp::ShowError(QString::fromStdString(e.what()));
    return;
  }
  m_reference = toLocal ? 1 : 0;
  setPointCaptions(toLocal);
  const TProgramData& p = m_main.Project();
  const TLoadPoint converted = toLocal ? LoadPointToLocal(point, p) : LoadPointToGlobal(point, p);
  m_edits[9]->SetNumber(converted.x);
  m_edits[10]->SetNumber(converted.y);
  m_edits[11]->SetNumber(converted.z);
}

void THarmonicFormBase::Button1Click() {
  THarmonicLoads loads;
  TLoadPoint point;
  try {
    loads = {m_edits[3]->Number(), m_edits[4]->Number(), m_edits[5]->Number(),
             m_edits[6]->Number(), m_edits[7]->Number(), m_edits[8]->Number()};
    point = {m_edits[9]->Number(), m_edits[10]->Number(), m_edits[11]->Number()};
  } catch (const comp::Exception& e) {
    comp::ShowError(QString::fromStdString(e.what()));
    return;
  }
  const int reference = m_local->isChecked() ? 1 : m_global->isChecked() ? 0 : -1;
  const TProgramData& p = m_main.Project();
  comp::ShowInformation(EquivalentLoadsText(EquivalentLoadsAtCG(loads, point, reference, p), m_quadratic,
                                            p.UnitSystem));
}

void THarmonicFormBase::StoreEntries() {
  TFieldForm::StoreEntries();
  TProgramData& p = m_main.Project();
  if (m_global->isChecked()) p.LoadPointReference = 0;
  if (m_local->isChecked()) p.LoadPointReference = 1;
}

Tfrmharmonic::Tfrmharmonic(IMainForm& main, QWidget* parent) : THarmonicFormBase(main, parent, false) {}

}  // namespace zrv::front
