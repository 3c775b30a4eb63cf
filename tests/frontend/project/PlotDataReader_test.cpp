// Reading the engine's plot-data file into the result plots.

#include <gtest/gtest.h>

#include "project/PlotDataReader.h"
#include "test_support.h"

namespace zrv::front {
namespace {

// Two frequencies, 6.28 and 12.56 rad/s, in the engine's record layouts:
// stiffness and damping records "(9(1X,E10.3))", response records
// "(1X,F7.2,2X,6(1X,1P,E11.4))".
const char* const kHarmonicWithMatrix =
    "           2\n"
    "  0.628E+01  0.110E+07  0.120E+07  0.130E+07  0.140E+08  0.150E+08  0.160E+08 -0.170E+06 -0.180E+06\n"
    "  0.628E+01  0.210E+05  0.220E+05  0.230E+05  0.240E+05  0.250E+05  0.260E+05 -0.270E+04 -0.280E+04\n"
    "  0.126E+02  0.111E+07  0.121E+07  0.131E+07  0.141E+08  0.151E+08  0.161E+08 -0.171E+06 -0.181E+06\n"
    "  0.126E+02  0.211E+05  0.221E+05  0.231E+05  0.241E+05  0.251E+05  0.261E+05 -0.271E+04 -0.281E+04\n"
    "    6.28    1.0000E-05  2.0000E-05  3.0000E-05  4.0000E-06  5.0000E-06  6.0000E-06\n"
    "   12.56    1.1000E-05  2.1000E-05  3.1000E-05  4.1000E-06  5.1000E-06  6.1000E-06\n";

class PlotData : public ::testing::Test {
protected:
  bool read(const std::string& text, int matrix, int loadType, int units = 2) {
    zrv::test::write_file(dir / "run.zvp", text);
    return ReadPlotData((dir / "run.zvp").string(), plots, units, matrix, loadType);
  }
  zrv::test::TempDir dir;
  TResultPlots plots;
};

TEST_F(PlotData, HarmonicWithMatrix) {
  ASSERT_TRUE(read(kHarmonicWithMatrix, 1, 1));
  const double f1 = 6.28 / 6.2832, f2 = 12.56 / 6.2832;
  // Kxx with Kyy and Kww copied in as curves 2 and 3.
  ASSERT_EQ(plots.pltRealKXX.LineCount(), 3);
  EXPECT_EQ(plots.pltRealKXX.Line(0).Name, "Kxx");
  EXPECT_EQ(plots.pltRealKXX.Line(2).Name, "Kww");
  EXPECT_NEAR(static_cast<double>(plots.pltRealKXX.Point(0, 0).X), f1, 1e-15);
  EXPECT_NEAR(static_cast<double>(plots.pltRealKXX.Point(0, 1).X), f2 * 12.6 / 12.56, 1e-12);
  EXPECT_EQ(plots.pltRealKXX.Point(0, 0).Y, 1.1e6L);
  EXPECT_EQ(plots.pltRealKXX.Point(1, 1).Y, 1.21e6L);
  EXPECT_EQ(plots.pltRealKXX.Point(2, 0).Y, 1.3e6L);
  EXPECT_EQ(plots.pltRealKPPX.Line(1).Name, "Kppy");
  EXPECT_EQ(plots.pltRealKPPX.Point(2, 1).Y, 1.61e7L);
  EXPECT_EQ(plots.pltRealKYP.LineCount(), 1);
  EXPECT_EQ(plots.pltRealKYP.Point(0, 1).Y, -1.81e5L);
  EXPECT_EQ(plots.pltDampCXX.Line(1).Name, "Cyy");
  EXPECT_EQ(plots.pltDampCXX.Point(0, 1).Y, 2.11e4L);
  EXPECT_EQ(plots.pltDampCPPX.Line(2).Name, "Czt");
  EXPECT_EQ(plots.pltDampCXP.Point(0, 0).Y, -2.7e3L);
  // Responses: translations and rotations, at the response records' own frequencies.
  ASSERT_EQ(plots.pltDxyzR.LineCount(), 3);
  EXPECT_EQ(plots.pltDxyzR.PointCount(), 2);
  EXPECT_NEAR(static_cast<double>(plots.pltDxyzR.Point(2, 1).X), f2, 1e-15);
  EXPECT_EQ(plots.pltDxyzR.Point(2, 1).Y, 3.1e-5L);
  EXPECT_EQ(plots.pltMxyzR.Point(0, 0).Y, 4e-6L);
  EXPECT_EQ(plots.pltDxyzR.Line(1).Name, "Y-Dir.");
  EXPECT_EQ(plots.pltMxyzR.Line(2).Name, "About Z-Dir");
  for (TGraphPlot* p : plots.all()) EXPECT_EQ(p->Units(), 2);
}

TEST_F(PlotData, WhatEachLoadAndMatrixSettingReads) {
  // A count of 1 or 0 reads nothing more.
  EXPECT_TRUE(read("           1\n", 1, 1));
  EXPECT_EQ(plots.pltRealKXX.PointCount(), 1);
  EXPECT_EQ(plots.pltDxyzR.PointCount(), 0);
  EXPECT_TRUE(read("           0\n", 1, 1, 1));
  EXPECT_EQ(plots.pltRealKXX.PointCount(), 0);
  EXPECT_EQ(plots.pltMxyzR.Units(), 1);

  // No matrix, harmonic: the count and the response records only; a
  // frequency too wide for its field is written wider.
  EXPECT_TRUE(read("           2\n"
                   "    6.28    1.0000E-05  2.0000E-05  3.0000E-05  4.0000E-06  5.0000E-06  6.0000E-06\n"
                   " 12345.67    1.1000E-05  2.1000E-05  3.1000E-05  4.1000E-06  5.1000E-06  6.1000E-06\n",
                   0, 1));
  EXPECT_EQ(plots.pltRealKXX.LineCount(), 1);
  EXPECT_NEAR(static_cast<double>(plots.pltDxyzR.Point(0, 1).X), 12345.67 / 6.2832, 1e-9);
  EXPECT_EQ(plots.pltMxyzR.Point(2, 1).Y, 6.1e-6L);

  // Transient or random: the matrix records only.
  const std::string text(kHarmonicWithMatrix);
  const std::string matrixOnly = text.substr(0, text.find("    6.28"));
  zrv::test::write_file(dir / "transient.zvp", matrixOnly);
  TResultPlots fresh;
  EXPECT_TRUE(ReadPlotData((dir / "transient.zvp").string(), fresh, 2, 1, 2));
  EXPECT_EQ(fresh.pltDampCPPY.Point(0, 1).Y, 2.51e4L);
  EXPECT_EQ(fresh.pltDxyzR.Point(0, 0).Y, 0);
}

TEST_F(PlotData, FrequencyWithoutSolutionHasNoResponsePoint) {
  // The engine's record where the dynamic system has no solution.
  const std::string text = "           3\n"
                           "    6.28    1.0000E-05  2.0000E-05  3.0000E-05  4.0000E-06  5.0000E-06  6.0000E-06\n"
                           "   12.56    NO SOLUTION\n"
                           "   18.84    1.2000E-05  2.2000E-05  3.2000E-05  4.2000E-06  5.2000E-06  6.2000E-06\n";
  ASSERT_TRUE(read(text, 0, 1));
  for (TGraphPlot* p : {&plots.pltDxyzR, &plots.pltMxyzR})
    for (int k = 0; k < 3; ++k) ASSERT_EQ(p->Line(k).Points().size(), 2u);
  EXPECT_NEAR(static_cast<double>(plots.pltDxyzR.Point(0, 1).X), 18.84 / 6.2832, 1e-15);
  EXPECT_EQ(plots.pltDxyzR.Point(2, 1).Y, 3.2e-5L);
  EXPECT_EQ(plots.pltMxyzR.Point(2, 1).Y, 6.2e-6L);
  // The marker cut short, or not where a record's amplitudes begin.
  EXPECT_FALSE(read(text.substr(0, text.find("SOLUTION")), 0, 1));
  EXPECT_FALSE(read("           2\n    6.28\n NO SOLUTION\n   12.56    NO SOLUTION\n", 0, 1));
}

TEST_F(PlotData, DamagedFilesGiveFalse) {
  EXPECT_FALSE(ReadPlotData((dir / "missing.zvp").string(), plots, 2, 1, 1));
  const std::string text(kHarmonicWithMatrix);
  // Cut anywhere inside the records: false, never a crash.
  for (std::size_t n = 0; n < text.size() - 1; ++n) {
    if (n > 0 && text[n - 1] != ' ' && text[n - 1] != '\n') continue;  // cut at word boundaries only
    SCOPED_TRACE(n);
    EXPECT_FALSE(read(text.substr(0, n), 1, 1));
  }
  EXPECT_TRUE(read(text.substr(0, text.size() - 1), 1, 1));
  // Words that are not numbers.
  for (const char* bad : {"*******", "NaN", "1.0E-0x", "INF"}) {
    std::string damaged = text;
    damaged.replace(damaged.find("0.240E+05"), 9, bad);
    EXPECT_FALSE(read(damaged, 1, 1)) << bad;
    damaged = text;
    damaged.replace(damaged.find("4.1000E-06"), 10, bad);
    EXPECT_FALSE(read(damaged, 1, 1)) << bad;
  }
  EXPECT_FALSE(read("  2.5\n", 1, 1));
  // An absurd count is refused before anything is made of it.
  EXPECT_FALSE(read(" 2000000000\n", 1, 1));
}

}  // namespace
}  // namespace zrv::front
