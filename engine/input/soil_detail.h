#pragma once
// Helpers shared by the SOIL group's readers.

#include <array>
#include <initializer_list>
#include <string>

#include "input/soil.h"

namespace zrv {

struct RunState;

namespace detail {

// Reads the numbers in order; false at the first that cannot be read.
bool read_all(RunState& s, std::initializer_list<float*> fields);

// Where a soil's Poisson's ratio may reach 0.5: wherever the impedance has a
// form for incompressible soil, but not where a formula divides by 1 - 2 nu
// (the stratum; the horizontal reaction of a weakened zone).
enum class PoissonRule { up_to_half, below_half, below_half_with_zone };

// Refuses (fatal) a negative Poisson's ratio, one above 0.5, or 0.5 where
// the rule excludes it; `what` names the soil.
bool check_poisson(RunState& s, float nu, const std::string& what,
                   PoissonRule rule = PoissonRule::up_to_half);

// Refuses (fatal) a negative material damping; `what` names the soil.
void check_damping(RunState& s, float damping, const std::string& what);

// The rule of a layer whose weakened zone has this thickness (0: no zone).
PoissonRule rule_for_zone(float zone_thickness);

// Checks the first `n` rows of the layer table with their weakened zones (the
// zones of the layers' own table), naming a refused one as `what` and its
// number.
bool check_poisson_rows(RunState& s, const SoilProperties* rows, int n, const char* what);

// Checks the first `n` side layers with their zones, naming a refused one by
// its number.
bool check_side_poisson(RunState& s, int n);

// The weakened-zone table of `n` layers: rows only when the ratio of layer 1
// or layer 2 shows a zone.
void weak_table(RunState& s, const std::array<float, kMaxLayers>& ratio, int n);

}  // namespace detail
}  // namespace zrv
