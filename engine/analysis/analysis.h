#pragma once
// The analysis driver: frequency loop, impedance assembly, result tables,
// plot data and footing response.

#include "analysis/response.h"

namespace zrv {

struct RunState;

/// Runs the analysis of a complete deck: two passes over the frequencies,
/// each assembling the impedance about the centre of gravity, printing it and
/// solving the response; then the response tables. Data it cannot use
/// (gravity or half-space velocity not positive, no frequency or more than
/// the table holds) are refused with a framed message and the fatal-input flag.
void ANALYS(RunState& s);

/// The frequencies of the run's load (count, start and step; transient:
/// points and time step). The list of frequencies used is filled by the loop.
FrequencyPlan plan_frequencies(const RunState& s);

}  // namespace zrv
