#include "project/TProgramData.h"

#include <algorithm>

#include "project/ProjectText.h"
#include "project/ProjectWriter.h"
#include "units/units.h"

namespace zrv::front {

TProgramData::TProgramData(TProjectTables& tables) : TProjectFields(newProjectFields()), m_tables(tables) {
  m_tables.setUnitSystem(2);
  m_tables.resetRows();
  m_tables.clearChanged();
}

std::unique_ptr<TProgramData> TProgramData::FromImage(const TProjectImage& image, TProjectTables& tables) {
  auto project = std::make_unique<TProgramData>(tables);
  static_cast<TProjectFields&>(*project) = image.fields;
  try {
    for (int i = 0; i < TProjectTables::kCount; ++i) {
      TGridTable& table = tables.at(i);
      applyTable(table, image.tables[static_cast<std::size_t>(i)]);
      if (table.RowCount() < table.MinRows()) table.SetRowCount(table.MinRows());
    }
  } catch (...) {
    // Never half a project: the tables go back to a new one's.
    tables.setUnitSystem(2);
    tables.resetRows();
    throw;
  }
  tables.clearChanged();
  return project;
}

std::unique_ptr<TProgramData> TProgramData::CreateFromFile(const std::string& path, TProjectTables& tables) {
  return FromImage(ReadFile(path, tables), tables);
}

bool TProgramData::Modified() const { return m_modified || m_tables.changed(); }

void TProgramData::SetModified(bool modified) {
  m_modified = modified;
  if (!modified) m_tables.clearChanged();
}

TProjectFields TProgramData::newProjectFields() {
  TProjectFields f;
  f.FileName = kNewFileName;
  f.UnitSystem = 2;
  f.ProjectTitle = "New Pile";
  f.LoadType = 1;
  f.FoundationCode = 1;
  f.FoundationType = "HALF-SPACE";
  f.PileHeadFixed = 1;
  f.GenerateMatrix = 1;
  f.EndBearing = 0;
  f.PileInteraction = 1;
  f.WeakZone = 1;
  return f;
}

void TProgramData::SetUnitSystem(int system) {
  system = std::clamp(system, 1, 2);
  if (system == UnitSystem) return;
  // Both directions use one factor per base unit, so that a switch there and
  // back restores every value (English units per SI unit from the unit table).
  const auto factor = [&](const char* code) {
    return comp::UnitConversionFactor(system == 2 ? 1 : 2, system, code);
  };
  const Extended F = factor("F"), L = factor("L2"), M = factor("F6");

  for (Extended* v : {&Radius, &LengthX, &WidthY, &WidthCopy, &BaseX, &BaseY, &BaseZ, &CGLocalX, &CGLocalY,
                      &CGLocalZ, &CBLocalX, &CBLocalY, &CBLocalZ, &CBGlobalX, &CBGlobalY, &CBGlobalZ,
                      &BaseDepth, &BedrockDepth, &TipShearWaveVelocity, &LoadPointX, &LoadPointY, &LoadPointZ,
                      &PileLength})
    *v *= L;
  TipUnitWeight *= F / (L * L * L);
  PileUnitWeight *= F / (L * L * L);
  PileModulus *= F / (L * L);
  StaticLoad *= F;
  MassProperties[0] *= M;
  for (std::size_t i = 1; i < MassProperties.size(); ++i) MassProperties[i] *= M * L * L;
  const Extended force = QuadraticLoad == 1 ? M * L : F;
  const Extended moment = QuadraticLoad == 1 ? M * L * L : F * L;
  for (Extended* v : {&ForceX, &ForceY, &ForceZ}) *v *= force;
  for (Extended* v : {&MomentX, &MomentY, &MomentZ}) *v *= moment;

  UnitSystem = system;
  m_tables.setUnitSystem(system);
}

void TProgramData::WriteInputFiles() {
  try {
    const std::string deck = projectFileText(*this);
    MassFileName = changeFileExt(FileName, ".zvm");
    const std::string mass = massFileText(*this);
    GeometryFileName = changeFileExt(FileName, ".zvt");
    const std::string geometry = geometryFileText(*this);
    TAtomicFiles files;
    files.add(FileName, deck);
    files.add(MassFileName, mass);
    files.add(GeometryFileName, geometry);
    files.commit();
    m_diskStamp = TFileStamp::OfText(deck);
  } catch (...) {
    SetModified(true);
    throw;
  }
  SetModified(false);
}

}  // namespace zrv::front
