#pragma once
// Field-by-field comparison of two projects and their tables.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "expect.h"
#include "project/TProgramData.h"

namespace zrv::front::fixtures {

using RealField = Extended TProjectFields::*;
using IntField = int TProjectFields::*;

inline std::vector<std::pair<const char*, RealField>> realFields() {
#define F(name) {#name, &TProjectFields::name}
  return {F(Radius), F(LengthX), F(WidthY), F(WidthCopy), F(EmbedDepth), F(BaseX), F(BaseY), F(BaseZ),
          F(BaseDepth), F(BedrockDepth), F(CBLocalX), F(CBLocalY), F(CBLocalZ), F(CBGlobalX), F(CBGlobalY),
          F(CBGlobalZ), F(CGLocalX), F(CGLocalY), F(CGLocalZ), F(ElementLengthSum), F(PileLength),
          F(PileUnitWeight), F(StaticLoad), F(PilePoisson), F(PileDamping), F(ShearRigidityCoef), F(PileModulus),
          F(TipShearWaveVelocity), F(TipUnitWeight), F(TipDamping), F(TipPoisson), F(MaxFrequency),
          F(MinFrequency), F(FrequencyStep), F(ForceX), F(ForceY), F(ForceZ), F(MomentX), F(MomentY), F(MomentZ),
          F(LoadPointX), F(LoadPointY), F(LoadPointZ), F(TimeStep), F(RandomMaxFrequency), F(RandomMinFrequency),
          F(ObservationPeriod)};
}

inline std::vector<std::pair<const char*, IntField>> intFields() {
  return {F(UnitSystem), F(FoundationCode), F(LoadType), F(QuadraticLoad), F(GenerateMatrix), F(CircularShape),
          F(MassComponentCount), F(PileHeadFixed), F(EndBearing), F(PileInteraction), F(LoadPointReference),
          F(PointCount), F(LoadTypeCount)};
#undef F
}

/// Every scalar (within `rel`) and the flags, title and foundation type.
inline void expectSameFields(const TProjectFields& a, const TProjectFields& b, Extended rel) {
  for (const auto& [name, f] : realFields())
    EXPECT_TRUE(zrv::test::near_rel(a.*f, b.*f, rel))
        << name << ": " << static_cast<double>(a.*f) << " vs " << static_cast<double>(b.*f);
  for (const auto& [name, f] : intFields()) EXPECT_EQ(a.*f, b.*f) << name;
  for (std::size_t i = 0; i < a.MassProperties.size(); ++i)
    EXPECT_TRUE(zrv::test::near_rel(a.MassProperties[i], b.MassProperties[i], rel)) << "MassProperties " << i;
  EXPECT_EQ(a.ProjectTitle, b.ProjectTitle);
  EXPECT_EQ(a.FoundationType, b.FoundationType);
  EXPECT_EQ(a.Battered, b.Battered);
  EXPECT_EQ(a.SideCapWeakened, b.SideCapWeakened);
  EXPECT_EQ(a.WeakZone, b.WeakZone);
}

/// Same row counts and every cell within `rel`.
inline void expectSameTable(const TTableImage& a, const TTableImage& b, Extended rel, const std::string& name) {
  EXPECT_EQ(a.unitSystem, b.unitSystem) << name;
  ASSERT_EQ(a.cells.size(), b.cells.size()) << name;
  for (std::size_t r = 0; r < a.cells.size(); ++r)
    for (std::size_t c = 0; c < a.cells[r].size(); ++c)
      EXPECT_TRUE(zrv::test::near_rel(a.cells[r][c], b.cells[r][c], rel))
          << name << " row " << r << " col " << c << ": " << static_cast<double>(a.cells[r][c]) << " vs "
          << static_cast<double>(b.cells[r][c]);
  ASSERT_EQ(a.nested.size(), b.nested.size()) << name;
  for (std::size_t r = 0; r < a.nested.size(); ++r) {
    ASSERT_EQ(a.nested[r].size(), b.nested[r].size()) << name << " nested " << r;
    for (std::size_t i = 0; i < a.nested[r].size(); ++i)
      EXPECT_TRUE(zrv::test::near_rel(a.nested[r][i], b.nested[r][i], rel))
          << name << " nested " << r << " point " << i;
  }
}

inline std::vector<TTableImage> captureAll(const TProjectTables& t) {
  std::vector<TTableImage> images;
  for (int i = 0; i < TProjectTables::kCount; ++i) images.push_back(captureTable(t.at(i)));
  return images;
}

inline void expectSameTables(const std::vector<TTableImage>& a, const std::vector<TTableImage>& b, Extended rel) {
  for (std::size_t i = 0; i < a.size(); ++i) expectSameTable(a[i], b[i], rel, "table " + std::to_string(i));
}

}  // namespace zrv::front::fixtures
