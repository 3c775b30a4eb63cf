#pragma once
// Call points of the pile-group and multilayer systems in the analysis
// driver. This build does not compute these systems: SOLAVG refuses them with
// a framed message, and the driver stops before the frequency loop.

#include <array>

#include "analysis/matrix6.h"
#include "input/foundation.h"

namespace zrv {

struct RunState;

/// What the driver prepares once for the pile and multilayer systems.
struct ElementSystem {
  float shear_cutoff = 0;                       // omega_s of the soil column (rad/s)
  float compression_cutoff = 0;                 // omega_p
  int pile_count = 1;                           // rounded; 1 for the multilayer system
  int head_fixed = 0;                           // 1 fixed, 0 pinned
  std::array<float, kMaxLayers> mean_radius{};  // 0.5 (radius x + radius y) per layer
};

/// Sections an element call takes: the mean radius with the moments about x,
/// radius x with the moments about x, radius y with the moments about y.
enum ElementSection { section_mean = 0, section_x = 1, section_y = 2 };

/// Stiffness k and damping c at the element head, in the order vertical,
/// torsion, first horizontal, rocking, horizontal-rocking coupling, second
/// horizontal.
struct ElementHead {
  std::array<float, 6> k{};
  std::array<float, 6> c{};
};

/// Cut-off frequencies of the soil column for the tip condition `tip`
/// (0 floating, 1 end-bearing). Returns false after writing a framed message
/// and setting the fatal-input flag when the system cannot be analysed.
bool SOLAVG(RunState& s, int tip, ElementSystem& system);

/// Static interaction factors of every pile pair of the group.
void GRPSTA(RunState& s, const ElementSystem& system);

/// Head impedance of one element at omega for the section set `section`;
/// `profile` is 1 layered, 0 parabolic, -1 the multilayer system.
ElementHead PILIMP(RunState& s, const ElementSystem& system, ElementSection section, int profile,
                   float omega);

/// Group impedance about the reference of the group from the single-pile
/// matrix `single` at omega.
Matrix6 GRPDYN(RunState& s, const ElementSystem& system, const Matrix6& single, float omega);

}  // namespace zrv
