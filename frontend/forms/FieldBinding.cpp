#include "forms/FieldBinding.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <climits>
#include <cmath>
#include <exception>
#include <utility>

#include "dataedit/TDataEdit.h"
#include "ui/UiHooks.h"

namespace zrv::front {

namespace {

constexpr Extended kMinInt32 = -2147483648.0L;
constexpr Extended kMaxInt32 = 2147483647.0L;

int roundToInt(Extended x) {
  if (std::isnan(x)) return 0;
  if (x >= static_cast<Extended>(INT_MAX)) return INT_MAX;
  if (x <= static_cast<Extended>(INT_MIN)) return INT_MIN;
  return static_cast<int>(std::llround(x));
}

}  // namespace

TFieldBinding bindReal(comp::TDataEdit* edit, Extended TProjectFields::*field) {
  return {edit, [field](const TProjectFields& f) { return f.*field; },
          [field](TProjectFields& f, Extended x) { f.*field = x; }};
}

TFieldBinding bindInteger(comp::TDataEdit* edit, int TProjectFields::*field) {
  return {edit, [field](const TProjectFields& f) { return static_cast<Extended>(f.*field); },
          [field](TProjectFields& f, Extended x) { f.*field = roundToInt(x); }};
}

TFieldBinding bindMassProperty(comp::TDataEdit* edit, int index) {
  const auto i = static_cast<std::size_t>(index);
  return {edit, [i](const TProjectFields& f) { return f.MassProperties[i]; },
          [i](TProjectFields& f, Extended x) { f.MassProperties[i] = x; }};
}

comp::TDataEdit* addEdit(QWidget* parent, QGridLayout* grid, int row, const TEditDesign& design, int column) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("Label%1").arg(design.number));
  auto* edit = new comp::TDataEdit(parent);
  edit->setObjectName(QStringLiteral("DataEdit%1").arg(design.number));
  switch (design.range) {
    case TEditRange::Full:
      break;
    case TEditRange::Int32:
      edit->SetMaxVal(kMaxInt32);
      edit->SetMinVal(kMinInt32);
      break;
    case TEditRange::Max:
      edit->SetMaxVal(design.max);
      break;
  }
  edit->SetCaption(design.caption);
  edit->SetUnitsString(design.units);
  edit->SetEditLabel(label);
  grid->addWidget(label, row, column);
  grid->addWidget(edit, row, column + 1);
  return edit;
}

bool loadBindings(const std::vector<TFieldBinding>& bindings, const TProjectFields& fields) {
  bool clamped = false;
  for (const auto& b : bindings) {
    if (!b.edit->UnitsString().isEmpty()) b.edit->SetUnits(fields.UnitSystem);
    const Extended value = b.get(fields);
    b.edit->SetNumber(value);
    if (value > b.edit->MaxVal() || value < b.edit->MinVal()) clamped = true;
  }
  return clamped;
}

void storeBindings(const std::vector<TFieldBinding>& bindings, TProjectFields& fields) {
  for (const auto& b : bindings) {
    try {
      b.set(fields, b.edit->Number());
    } catch (const comp::Exception&) {
      // Only the focused box can hold an unchecked entry, and the form
      // refuses to store while it fails; any other keeps its field.
    }
  }
}

// ---------------------------------------------------------------------------

TFieldForm::TFieldForm(IMainForm& main, QWidget* parent) : TDataForm(main, parent) {}

void TFieldForm::FormActivate() {
  m_loading = true;
  BeforeLoad();
  const bool clamped = loadBindings(m_bindings, m_main.Project());
  m_loading = false;
  if (clamped) MarkModified();
}

comp::TDataEdit* TFieldForm::DataEdit(int number) const {
  return findChild<comp::TDataEdit*>(QStringLiteral("DataEdit%1").arg(number));
}

void TFieldForm::StoreEntries() { storeBindings(m_bindings, m_main.Project()); }

void TFieldForm::bind(TFieldBinding binding) {
  connect(binding.edit, &QLineEdit::textChanged, this, [this] { Changed(); });
  m_bindings.push_back(std::move(binding));
}

void TFieldForm::Changed() {
  if (!m_loading) MarkModified();
}

void TFieldForm::addDataButtonRow(QBoxLayout* layout, const QString& prompt, std::function<void()> onClick) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(prompt, this));
  auto* button = new QPushButton(QStringLiteral("Data Button"), this);
  button->setObjectName(QStringLiteral("Button1"));
  connect(button, &QPushButton::clicked, this, std::move(onClick));
  row->addWidget(button);
  layout->addLayout(row);
}

void TFieldForm::showReportingError(const std::function<void()>& show) {
  try {
    show();
  } catch (const std::exception& e) {
    comp::ShowError(QString::fromStdString(e.what()));
  }
}

}  // namespace zrv::front
