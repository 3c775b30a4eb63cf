#pragma once
// Call points of the pile-group and multilayer systems in the analysis
// driver: the deck's foundation and soil data mapped onto the element and
// group kernels, and the kernels' refusals turned into framed report messages.

#include <array>

#include "analysis/failure.h"
#include "analysis/matrix6.h"
#include "impedance/group.h"
#include "impedance/pile.h"
#include "input/foundation.h"

namespace zrv {

struct RunState;

/// What the driver prepares once for the pile and multilayer systems. After
/// preparation the frequency loop only reads it, from any thread.
struct ElementSystem {
  float shear_cutoff = 0;                       // omega_s of the soil column (rad/s)
  float compression_cutoff = 0;                 // omega_p
  int pile_count = 1;                           // rounded; 1 for the multilayer system
  int head_fixed = 0;                           // 1 fixed, 0 pinned
  std::array<float, kMaxLayers> mean_radius{};  // 0.5 (radius x + radius y) per layer
  PileInput element;                            // the element data but section and frequency
  // Radius and second moment of area per layer of each section set.
  std::array<std::array<float, kMaxLayers>, 3> section_radius{};
  std::array<std::array<float, kMaxLayers>, 3> section_inertia{};
  GroupInput group;                             // the pile group (pile system)
  GroupTables tables;                           // static pair factors (with interaction)
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
/// (0 floating, 1 end-bearing), and the element and group data of the run
/// (`mean_radius` must be set; each weakened zone's thickness is its ratio
/// times that radius). Returns false after writing a framed message
/// and setting the fatal-input flag when the element cannot be described.
bool SOLAVG(RunState& s, int tip, ElementSystem& system);

/// Static interaction factors of every pile pair of the group. Returns false
/// after writing a framed message and setting the fatal-input flag when the
/// group cannot be analysed (coincident piles, no tip velocity, a free length
/// beyond the fit).
bool GRPSTA(RunState& s, ElementSystem& system);

/// Head impedance of one element at omega for the section set `section`.
/// Reads only `system`. False with the reason in `failure`.
bool PILIMP(const ElementSystem& system, ElementSection section, float omega, ElementHead& head,
            Failure& failure);

/// Group impedance about the reference of the group from the single-pile
/// matrix `single` at omega; `work` is the caller's (one per thread).
bool GRPDYN(const ElementSystem& system, const Matrix6& single, float omega, Matrix6& group,
            GroupWork& work, Failure& failure);

/// The values that the report text of a failure at omega names: the group's
/// counts and its coincident pair, the velocity of the soil below.
FailureDetail failure_detail(const RunState& s, const ElementSystem& system, float omega);

}  // namespace zrv
