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

/// Threads of the frequency loop: the environment variable ZORVIN_THREADS
/// when it holds a positive integer, else the hardware's concurrency. Read
/// once per run. The results do not depend on it.
int analysis_threads();

/// Seconds spent per phase of one analysis: the impedances of pass 1 (all
/// frequencies, on the loop's threads), the pass-2 matrices, the response
/// step with its tables, and the stiffness tables and plot records.
struct PhaseTimes {
  double pass1 = 0;
  double pass2 = 0;
  double response = 0;
  double output = 0;
};

/// For the benchmark: while `sink` is not null, every analysis stores its
/// phase times there and writes them as one line to standard error (never to
/// the report). Set it between runs only.
void set_phase_timing(PhaseTimes* sink);

}  // namespace zrv
