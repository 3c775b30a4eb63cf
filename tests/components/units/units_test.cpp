#include "units/units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/exceptions.h"
#include "expect.h"

using namespace zrv::comp;

namespace {
// Physical definitions, independent of the unit table: 1 lbf = 4.4482216152605 N,
// 1 slug = 14.5939029372 kg, 1 ft = 0.3048 m, 1 in = 0.0254 m.
constexpr long double kLbfN = 4.4482216152605L;
constexpr long double kSlugKg = 14.5939029372L;
constexpr long double kFtM = 0.3048L;
constexpr long double kInM = 0.0254L;

}  // namespace

TEST(units, base_factors_agree_with_physical_definitions) {
  // English units in one SI unit, to the table's ten digits.
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::F), 1000 / kLbfN, 1e-7));
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::F1), 1 / kLbfN, 1e-7));
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::F2), 0.5L / kLbfN, 1e-7));
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::F6), 1000 / kSlugKg, 1e-8));
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::F4), 1000 / (kLbfN / kInM),
                                  5e-7));  // lb-sec2/in per Mg, stored to 8 digits
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::L), 1 / kInM, 1e-9));
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::L1), 0.001L / kInM, 1e-9));
  EXPECT_TRUE(zrv::test::near_rel(BaseUnitFactor(BaseUnit::L2), 1 / kFtM, 1e-9));
  EXPECT_EQ(BaseUnitFactor(BaseUnit::L3), 1.0L);
  EXPECT_EQ(BaseUnitFactor(BaseUnit::F5), 1.0L);
}

TEST(units, conversion_factor_of_codes) {
  const long double F = 224.8089237L, L = 39.37007874L, L2 = 3.280839895L, F6 = 68.5217659L;
  // 1 lbs/ft^3 is 0.157087 kN/m^3.
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(1, 2, "F/L2^3"), 1 / (F / (L2 * L2 * L2)), 1e-17));
  EXPECT_TRUE(
      zrv::test::near_rel(UnitConversionFactor(1, 2, "F/L2^3"), kLbfN / 1000 / (kFtM * kFtM * kFtM), 1e-7));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "F/L2^3"), F / (L2 * L2 * L2), 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "F6-L2^2"), F6 * L2 * L2, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "L2/SEC"), L2, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "L"), L, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "F"), F, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "L^2"), L * L, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "F^2"), F * F, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "F1-L2"), 0.2248089237L * L2, 1e-17));
  EXPECT_TRUE(zrv::test::near_rel(UnitConversionFactor(2, 1, "F-L2/F1"), F * L2 / 0.2248089237L, 1e-17));
  for (const char* code : {"", "DEGREES", "SEC", "Hz", "l2", "f"}) {
    EXPECT_EQ(UnitConversionFactor(1, 2, code), 1.0L) << code;
    EXPECT_EQ(UnitConversionFactor(2, 1, code), 1.0L) << code;
  }
  EXPECT_EQ(UnitConversionFactor(1, 1, "F/L2^3"), 1.0L);
  EXPECT_EQ(UnitConversionFactor(2, 2, "F/L2^3"), 1.0L);
  EXPECT_EQ(UnitConversionFactor(3, 1, "F/L2^3"), 1.0L);

  // A bad exponent character is a conversion error; so is a three-character
  // length item, whose exponent is its missing fourth character.
  EXPECT_THROW(UnitFactor("L2^x"), EConvertError);
  EXPECT_THROW(UnitFactor("L2^"), EConvertError);
  EXPECT_THROW(UnitFactor("F^x-L"), EConvertError);
}

TEST(units, english_to_si_and_back_restores_values) {
  const char* codes[] = {"F",      "F1",   "F2",      "F4",     "F5",    "F6",       "L",
                         "L1",     "L2",   "L3",      "F/L2^3", "F/L2",  "F-L2/F1",  "F6-L2^2",
                         "L2/SEC", "F1/L", "F4/L1^2", "DEGREES", "F2-L^3", "F/L2^2"};
  const long double values[] = {1.0L, -3.75L, 1e-9L, 123456.789L, 6.02e23L};
  for (const char* code : codes) {
    const long double there = UnitConversionFactor(1, 2, code);
    const long double back = UnitConversionFactor(2, 1, code);
    for (long double v : values) {
      const long double r = (v * there) * back;
      EXPECT_LE(std::fabs(r - v), 1e-15L * std::fabs(v)) << code << " " << static_cast<double>(v);
    }
  }
}

TEST(units, expansions) {
  EXPECT_EQ(UnitText("F/L2^3", 1), "lbs/ft^3");
  EXPECT_EQ(UnitText("F/L2^3", 2), "kN/m^3");
  EXPECT_EQ(UnitText("F/L2^3", 3), "F/L^3");
  EXPECT_EQ(UnitText("F2/L1", 2), "kN/mm");
  EXPECT_EQ(UnitText("F4", 3), "M");
  EXPECT_EQ(UnitText("F4", 1), "lb-sec2/in");
  EXPECT_EQ(UnitText("L2/L2", 1), "ft/ft");
  EXPECT_EQ(UnitText("F6-L2^2", 2), "Mg-m^2");
  EXPECT_EQ(UnitText("L3", 1), "rad");
  EXPECT_EQ(UnitText("F5", 2), "sec");

  EXPECT_EQ(EditUnitText("F-L2/F1", 1), "F-ft/kips");  // only the first force code found
  EXPECT_EQ(EditUnitText("F6-L2^2", 1), "slug-ft^2");
  EXPECT_EQ(EditUnitText("F6-L2^2", 2), "Mg-m^2");
  EXPECT_EQ(EditUnitText("F/L2\u00b2", 1), "lbs/ft\u00b2");
  EXPECT_EQ(EditUnitText("F/L2^3", 1), "lbs/ft^3");
  EXPECT_EQ(EditUnitText("L1", 2), "mm");
  EXPECT_EQ(EditUnitText("Hz", 1), "Hz");
  EXPECT_EQ(EditUnitText("F/L2^3", 3), "F/L2^3");

  EXPECT_EQ(ComboUnitText("F/L2", 1), "lbs/in2");
  EXPECT_EQ(ComboUnitText("F/L2", 2), "kN/m2");
  EXPECT_EQ(ComboUnitText("F/L2", 3), "F/L2");

  EXPECT_EQ(PlotUnitText("F/L2", 1), "lbs/ft");
  EXPECT_EQ(PlotUnitText("F/L2", 2), "kN/m");
  EXPECT_EQ(PlotUnitText("F1-L1", 2), "kN-mm");
  EXPECT_EQ(PlotUnitText("F6", 1), "lbs6");  // the plot knows F2, F1 and F only
  EXPECT_EQ(PlotUnitText("rad.", 1), "rad.");
  EXPECT_EQ(PlotUnitText("F/L2", 3), "F/L2");
}
