#include "forms/random.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "dataedit/EntryCheck.h"
#include "dataedit/TDataEdit.h"
#include "forms/transient.h"
#include "project/TProjectTables.h"

namespace zrv::front {

Tfrmrandom::Tfrmrandom(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmrandom"));
  // The caption is the system's own, spelling included.
  setWindowTitle(QStringLiteral("Tansient Loading Data"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const QString hertz = QStringLiteral("Hz");
  bind(bindReal(addEdit(this, grid, 0, {1, QStringLiteral("Maximum frequency"), hertz}),
                &TProjectFields::RandomMaxFrequency));
  bind(bindReal(addEdit(this, grid, 1, {2, QStringLiteral("Minimum frequency"), hertz}),
                &TProjectFields::RandomMinFrequency));
  // At most 2147483647 points; the integer clamp gives the minimum.
  comp::TDataEdit* points = addEdit(this, grid, 2,
                                    {3, QStringLiteral("Number of points to be read"), {}, TEditRange::Max,
                                     comp::kMaxInteger});
  points->SetIntegerOnly(true);
  bind(bindInteger(points, &TProjectFields::PointCount));
  bind(bindReal(addEdit(this, grid, 3, {4, QStringLiteral("Observation period"), {}}),
                &TProjectFields::ObservationPeriod));
  // 1 to 2147483647 spectra, 1 until a project is loaded.
  comp::TDataEdit* spectra =
      addEdit(this, grid, 4, {5, QStringLiteral("Number of spectrum"), {}, TEditRange::Max, comp::kMaxInteger});
  spectra->SetIntegerOnly(true);
  spectra->SetMinVal(1);
  spectra->SetNumber(1);
  bind(bindInteger(spectra, &TProjectFields::LoadTypeCount));
  layout->addLayout(grid);

  addDataButtonRow(
      layout, QStringLiteral("Enter spectrum coordinates and spectrum amplitude by clicking the right button "),
      [this] { Button1Click(); });
  layout->addStretch();
  SizeNewLoadHistories(main, main.Tables().Trandom());
}

void Tfrmrandom::BeforeLoad() { m_main.Project().LoadTypeCount = m_main.Tables().Trandom().RowCount(); }

void Tfrmrandom::StoreEntries() {
  TFieldForm::StoreEntries();
  comp::TGridTable& spectra = m_main.Tables().Trandom();
  // Both run: new rows get their spectra sized too.
  const bool rows = SizeLoadRows(spectra, m_main.Project().LoadTypeCount);
  if (SizeLoadHistories(spectra, m_main.Project().PointCount) || rows) m_main.SetModified(true);
}

void Tfrmrandom::Button1Click() {
  showReportingError([this] { m_main.Tables().Trandom().Show(); });
}

}  // namespace zrv::front
