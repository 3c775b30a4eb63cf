#include "project/TProgramData.h"

#include <algorithm>

#include "project/ProjectText.h"
#include "project/ProjectWriter.h"
#include "units/units.h"

namespace zrv::front {

TProgramData::TProgramData(TProjectTables& tables, IProjectHost& host) : m_tables(tables), m_host(host) {
  initialiseNew();
}

TProgramData::TProgramData(TProjectTables& tables, IProjectHost& host, ReadTag)
    : m_tables(tables), m_host(host) {}

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

void TProgramData::initialiseNew() {
  m_host.closeAllChildren();
  static_cast<TProjectFields&>(*this) = newProjectFields();
  // A new project is in SI; its scalars are zero, so only the tables switch.
  m_tables.setUnitSystem(2);
  m_host.refreshDataForms();
  m_tables.resetRows();
  m_tables.clearChanged();
  m_host.setModified(false);
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
  m_host.refreshDataForms();
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
  } catch (...) {
    m_host.setModified(true);
    throw;
  }
  m_tables.clearChanged();
  m_host.setModified(false);
}

}  // namespace zrv::front
