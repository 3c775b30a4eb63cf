#pragma once
// One vocabulary for what stops the analysis (at a frequency or before the
// first) and for the solver outcomes reported at a frequency, and the one
// place that writes each into the report. The element and group kernels'
// statuses and the solvers' error indicators map onto it one to one.

#include "impedance/group.h"
#include "impedance/pile.h"

namespace zrv {

struct RunState;

/// What went wrong.
enum class Failure {
  none,
  layer_count,         // element layer count outside 1..30
  tip_velocity,        // soil below the element tip without shear-wave velocity
  section,             // an element layer's thickness, radii, area or moments not positive
  torsional_constant,  // an element layer's torsional constant not positive
  modulus,             // element or soil-column modulus not positive
  element_singular,    // the element impedance cannot be computed at the frequency
  group_size,          // pile count outside 1..500 or layer count outside 1..30
  coincident_piles,    // two piles at one plan position
  group_tip_velocity,  // interaction without shear-wave velocity in the tip layer
  free_length,         // free length beyond 8 diameters with interaction
  pile_diameter,       // interaction without pile radius, length or modulus
  group_singular,      // the group flexibility cannot be solved
  halfspace_velocity,  // half-space shear-wave velocity not positive
  not_finite,          // the foundation's impedance is not finite
  solve_singular,      // the dynamic system cannot be factored (the run goes on)
  solve_not_settled,   // a right-hand side's refinement did not settle (the run goes on)
};

/// The values that a failure's report text names.
struct FailureDetail {
  float omega = 0;      // the frequency, rad/s
  int pile_count = 0;   // group_size
  int layer_count = 0;  // group_size
  int pair_i = 0;       // coincident_piles: the two piles, counted from 0
  int pair_j = 0;
  float velocity = 0;   // halfspace_velocity
  int column = 0;       // solve_not_settled: the right-hand side, counted from 1
};

Failure failure_of(PileStatus status);
Failure failure_of(GroupStatus status);
/// Of a solver's error indicator: kSolveOk, kSolveSingular or kSolveNotSettled.
Failure solve_failure(int err);

/// Whether `failure` ends the analysis (all but none and the solver outcomes).
bool is_fatal(Failure failure);

/// Writes the report text of `failure` with the values of `detail`; a fatal
/// failure's framed message ends in "***PROGRAM WILL NOT EXECUTE***" and sets
/// the fatal-input flag. Nothing for `Failure::none`.
void report_failure(RunState& s, Failure failure, const FailureDetail& detail);

}  // namespace zrv
