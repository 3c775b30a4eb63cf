// The one vocabulary of the analysis's failures: each kernel status and
// driver failure with its report text, and which of them end the run.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "analysis/failure.h"
#include "numerics/solvers.h"
#include "run/state.h"
#include "test_support.h"

namespace zrv::test {
namespace {

using Lines = std::vector<std::string>;

Lines framed(const std::string& line) { return {"", "", line, " ***PROGRAM WILL NOT EXECUTE***"}; }

TEST(Failures, EachHasItsReportTextAndOnlyTheSolverOutcomesLetTheRunGoOn) {
  FailureDetail detail;
  detail.omega = 12.5f;
  detail.pile_count = 501;
  detail.layer_count = 3;
  detail.pair_i = 1;
  detail.pair_j = 4;
  detail.velocity = -5.0f;
  detail.column = 3;
  struct Case {
    Failure failure;
    Lines report;
  };
  const Case cases[] = {
      {failure_of(PileStatus::kLayerCount),
       framed(" *** NUMBER OF LAYERS MUST LIE BETWEEN 1 AND 30 ***")},
      {failure_of(PileStatus::kTipVelocity),
       framed(" *** SHEAR WAVE VELOCITY OF THE SOIL BELOW THE TIP MUST BE GREATER THAN 0 ***")},
      {failure_of(PileStatus::kSection),
       framed(" *** THICKNESS, RADII, AREA AND MOMENTS OF INERTIA OF EVERY ELEMENT LAYER MUST BE "
              "GREATER THAN 0 ***")},
      {failure_of(PileStatus::kTorsionalConstant),
       framed(" *** TORSIONAL CONSTANT OF EVERY ELEMENT LAYER MUST BE GREATER THAN 0 ***")},
      {failure_of(PileStatus::kModulus),
       framed(" *** YOUNGS MODULUS OF THE ELEMENT AND SHEAR MODULUS OF EVERY SOIL COLUMN LAYER "
              "MUST BE GREATER THAN 0 ***")},
      {failure_of(PileStatus::kSingular),
       framed(" *** ELEMENT IMPEDANCE CANNOT BE COMPUTED AT FREQUENCY  1.250E+01 RAD/S ***")},
      {failure_of(PileStatus::kFrequency),
       framed(" *** ELEMENT IMPEDANCE CANNOT BE COMPUTED AT FREQUENCY  1.250E+01 RAD/S ***")},
      {failure_of(GroupStatus::kPileCount),
       framed(" *** NUMBER OF PILES (  501) AND OF LAYERS (    3) MUST LIE BETWEEN 1 AND 500 AND 1 "
              "AND 30 ***")},
      {failure_of(GroupStatus::kCoincident),
       framed(" *** PILES   2 AND   5 MEET AT THE SAME POSITION (AT ONE THIRD OF THEIR LENGTH FOR "
              "BATTERED PILES) ***")},
      {failure_of(GroupStatus::kTipVelocity),
       framed(" *** PILE INTERACTION NEEDS A SHEAR WAVE VELOCITY GREATER THAN 0 IN THE TIP LAYER "
              "***")},
      {failure_of(GroupStatus::kFreeLength),
       framed(" *** FREE LENGTH OF THE PILES EXCEEDS 8 DIAMETERS: THE INTERACTION FACTORS DO NOT "
              "APPLY ***")},
      {failure_of(GroupStatus::kDiameter),
       framed(" *** PILE INTERACTION NEEDS A PILE RADIUS, LENGTH AND YOUNGS MODULUS GREATER THAN 0 "
              "***")},
      {failure_of(GroupStatus::kSingular),
       framed(" *** PILE GROUP FLEXIBILITY CANNOT BE SOLVED AT FREQUENCY  1.250E+01 RAD/S ***")},
      {Failure::halfspace_velocity,
       framed(" ***INADMISSABLE VALUE FOR SHEAR WAVE VELOCITY OF HALF-SPACE (-5.00E+00) ***")},
      {Failure::not_finite,
       framed(" *** IMPEDANCE IS NOT FINITE AT FREQUENCY  1.250E+01 RAD/S ***")},
      {solve_failure(kSolveSingular), {" ERROR ENCOUNTERED IN LEQ2C SUBROUTINE"}},
      {solve_failure(kSolveNotSettled),
       {" REFINEMENT NOT SETTLED IN LEQ2C SUBROUTINE FOR RIGHT-HAND SIDE  3"}},
      {failure_of(PileStatus::kPileOk), {}},
      {failure_of(GroupStatus::kGroupOk), {}},
      {solve_failure(kSolveOk), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.failure));
    TempDir dir;
    auto s = std::make_unique<RunState>();
    s->unit_table[16] = 16;
    ASSERT_TRUE(s->units[16].open((dir / "r.zvo").string(), fio::Unit::Mode::output));
    report_failure(*s, c.failure, detail);
    EXPECT_EQ(s->units[16].records(), c.report);
    // Only a framed message stops the analysis.
    const bool stops = c.report.size() == 4;
    EXPECT_EQ(s->flags.fatal, stops ? 1 : 0);
    EXPECT_EQ(is_fatal(c.failure), stops);
  }
}

}  // namespace
}  // namespace zrv::test
