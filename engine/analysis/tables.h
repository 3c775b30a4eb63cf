#pragma once
// The report's stiffness and damping tables of the frequency loop and the
// records of the plot-data file.

#include <array>
#include <string>

#include "analysis/assembly.h"

namespace zrv {

struct RunState;

/// Full table of pass 1: the frequency in Hz (omega 0.5 / 3.14) and rad/s,
/// the eight stiffness and the eight damping constants with their labels.
void write_full_table(RunState& s, float omega, const Constants& c);

/// The block that opens pass 2, whatever the matrix print switch.
void write_special_block(RunState& s);

/// Reduced table of pass 2: the table without its cross terms.
void write_reduced_table(RunState& s, float omega, const Constants& c);

/// Count record of the plot-data file: N in list-directed form.
std::string count_record(int n);

/// The two matrix records of one frequency: omega and the eight stiffness
/// constants, then omega and the eight damping constants, nine E10.3 fields.
std::array<std::string, 2> matrix_records(float omega, const Constants& c);

/// Harmonic response record: omega in F7.2 and the six amplitudes in 1PE11.4.
/// An omega too large for F7.2 takes the narrowest wider field that holds it,
/// so that a reader splitting at blanks still reads seven numbers.
std::string response_record(float omega, const std::array<float, 6>& amplitude);

/// The response record of a frequency whose dynamic system has no solution:
/// omega in F7.2 and the words NO SOLUTION in place of the amplitudes, so
/// that no plot draws a zero response there.
std::string no_response_record(float omega);

}  // namespace zrv
