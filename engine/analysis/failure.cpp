#include "analysis/failure.h"

#include <string>
#include <string_view>

#include "input/foundation.h"
#include "numerics/solvers.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

namespace {

// A framed message of one fixed line: two empty records, the line between
// asterisks and the line that the program will not execute.
void refuse_text(RunState& s, std::string_view text) {
  report_lines(s, "(1X,'*** " + std::string(text) +
                      " ***',/,1X,'***PROGRAM WILL NOT EXECUTE***')");
}

// The same with the frequency after `text`.
void refuse_at(RunState& s, std::string_view text, float omega) {
  report_lines(s,
               "(1X,'*** " + std::string(text) +
                   " ',1P,E10.3,' RAD/S ***',/,1X,'***PROGRAM WILL NOT EXECUTE***')",
               omega);
}

}  // namespace

Failure failure_of(PileStatus status) {
  switch (status) {
    case PileStatus::kPileOk: return Failure::none;
    case PileStatus::kLayerCount: return Failure::layer_count;
    case PileStatus::kTipVelocity: return Failure::tip_velocity;
    case PileStatus::kSection: return Failure::section;
    case PileStatus::kTorsionalConstant: return Failure::torsional_constant;
    case PileStatus::kModulus: return Failure::modulus;
    case PileStatus::kSingular:
    case PileStatus::kFrequency: return Failure::element_singular;
  }
  return Failure::element_singular;
}

Failure failure_of(GroupStatus status) {
  switch (status) {
    case GroupStatus::kGroupOk: return Failure::none;
    case GroupStatus::kPileCount: return Failure::group_size;
    case GroupStatus::kCoincident: return Failure::coincident_piles;
    case GroupStatus::kTipVelocity: return Failure::group_tip_velocity;
    case GroupStatus::kFreeLength: return Failure::free_length;
    case GroupStatus::kDiameter: return Failure::pile_diameter;
    case GroupStatus::kSingular: return Failure::group_singular;
  }
  return Failure::group_singular;
}

Failure solve_failure(int err) {
  if (err == kSolveOk) return Failure::none;
  return err == kSolveNotSettled ? Failure::solve_not_settled : Failure::solve_singular;
}

bool is_fatal(Failure failure) {
  return failure != Failure::none && failure != Failure::solve_singular &&
         failure != Failure::solve_not_settled;
}

void report_failure(RunState& s, Failure failure, const FailureDetail& d) {
  switch (failure) {
    case Failure::none:
      return;
    case Failure::layer_count:
      refuse_text(s, "NUMBER OF LAYERS MUST LIE BETWEEN 1 AND 30");
      break;
    case Failure::tip_velocity:
      refuse_text(s, "SHEAR WAVE VELOCITY OF THE SOIL BELOW THE TIP MUST BE GREATER THAN 0");
      break;
    case Failure::section:
      refuse_text(s,
                  "THICKNESS, RADII, AREA AND MOMENTS OF INERTIA OF EVERY ELEMENT LAYER MUST BE "
                  "GREATER THAN 0");
      break;
    case Failure::torsional_constant:
      refuse_text(s, "TORSIONAL CONSTANT OF EVERY ELEMENT LAYER MUST BE GREATER THAN 0");
      break;
    case Failure::modulus:
      refuse_text(s,
                  "YOUNGS MODULUS OF THE ELEMENT AND SHEAR MODULUS OF EVERY SOIL COLUMN LAYER "
                  "MUST BE GREATER THAN 0");
      break;
    case Failure::element_singular:
      refuse_at(s, "ELEMENT IMPEDANCE CANNOT BE COMPUTED AT FREQUENCY", d.omega);
      break;
    case Failure::group_size:
      report_lines(s,
                   "(1X,'*** NUMBER OF PILES (',I5,') AND OF LAYERS (',I5,') MUST LIE BETWEEN 1 "
                   "AND ',I3,' AND 1 AND ',I2,' ***',/,1X,'***PROGRAM WILL NOT EXECUTE***')",
                   d.pile_count, d.layer_count, kMaxPiles, kMaxLayers);
      break;
    case Failure::coincident_piles:
      report_lines(s,
                   "(1X,'*** PILES',I4,' AND',I4,' MEET AT THE SAME POSITION (AT ONE THIRD OF "
                   "THEIR LENGTH FOR BATTERED PILES) ***',/,1X,'***PROGRAM WILL NOT EXECUTE***')",
                   d.pair_i + 1, d.pair_j + 1);
      break;
    case Failure::group_tip_velocity:
      refuse_text(s,
                  "PILE INTERACTION NEEDS A SHEAR WAVE VELOCITY GREATER THAN 0 IN THE TIP LAYER");
      break;
    case Failure::free_length:
      refuse_text(s,
                  "FREE LENGTH OF THE PILES EXCEEDS 8 DIAMETERS: THE INTERACTION FACTORS DO NOT "
                  "APPLY");
      break;
    case Failure::pile_diameter:
      refuse_text(s,
                  "PILE INTERACTION NEEDS A PILE RADIUS, LENGTH AND YOUNGS MODULUS GREATER THAN 0");
      break;
    case Failure::group_singular:
      refuse_at(s, "PILE GROUP FLEXIBILITY CANNOT BE SOLVED AT FREQUENCY", d.omega);
      break;
    case Failure::halfspace_velocity:
      s.report().write_fmt(
          "(/,/,1X,'***INADMISSABLE VALUE FOR SHEAR WAVE ','VELOCITY OF HALF-SPACE (',1P,"
          "E9.2,') ***',/,1X,'***PROGRAM WILL NOT EXECUTE***')",
          d.velocity);
      break;
    case Failure::not_finite:
      refuse_at(s, "IMPEDANCE IS NOT FINITE AT FREQUENCY", d.omega);
      break;
    case Failure::solve_singular:
      s.report().write(" ERROR ENCOUNTERED IN LEQ2C SUBROUTINE");
      break;
    case Failure::solve_not_settled:
      s.report().write_fmt(
          "(1X,'REFINEMENT NOT SETTLED IN LEQ2C SUBROUTINE FOR RIGHT-HAND SIDE',I3)", d.column);
      break;
  }
  if (is_fatal(failure)) s.flags.fatal = 1;
}

}  // namespace zrv
