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

// Refuses a Poisson's ratio of 0.5 or more (fatal); `what` names the soil.
bool check_poisson(RunState& s, float nu, const std::string& what);

// Checks the first `n` rows, naming a refused one as `what` and its number.
bool check_poisson_rows(RunState& s, const SoilProperties* rows, int n, const char* what);

// Checks the first `n` side layers, naming a refused one by its number.
bool check_side_poisson(RunState& s, int n);

// The weakened-zone table of `n` layers: rows only when the ratio of layer 1
// or layer 2 shows a zone.
void weak_table(RunState& s, const std::array<float, kMaxLayers>& ratio, int n);

}  // namespace detail
}  // namespace zrv
