#pragma once
// Data and readers of the FOUNDATION keyword group: foundation type and shape
// with its equivalent radii, mass constants, soil-media description, pile
// locations, foundation or pile constants, element sections, tip condition,
// battered piles and group interaction.

#include <array>

namespace zrv {

struct RunState;

// Fixed table sizes of the engine; a deck beyond them is refused.
inline constexpr int kMaxLayers = 30;
inline constexpr int kMaxPiles = 500;

// Equivalent radii of a footing on the half-space, of a pile cap or of the
// multilayer body. A circle gives its radius everywhere.
struct EquivalentRadii {
  float translation = 0;  // sqrt(a b / pi)
  float rocking_x = 0;    // rocking about the x axis (dof 4): (a b^3 / (3 pi))^(1/4)
  float rocking_y = 0;    // rocking about the y axis (dof 5): (a^3 b / (3 pi))^(1/4)
  float torsion = 0;      // ((a^2 + b^2) a b / (6 pi))^(1/4)
};

// Equivalent radii of a footing on a stratum and their mean, the stratum's
// reference radius R.
struct StratumRadii {
  float vertical = 0;
  float horizontal = 0;
  float rocking_x = 0;
  float rocking_y = 0;
  float torsion = 0;
  float mean = 0;  // (sum of the five) / 5
};

// Mass and inertia of the rigid body, as read.
struct MassConstants {
  float total = 0;
  float moment_x = 0;  // mass moments of inertia about x, y, z
  float moment_y = 0;
  float moment_z = 0;
  float product_xy = 0;  // products of inertia
  float product_xz = 0;
  float product_yz = 0;
};

struct PileLocation {
  float number = 0;  // as read; the tables number piles by position
  float x = 0;
  float y = 0;
};

// Constants of the piles (PILE) or of the multilayer body (MULT).
struct ElementMaterial {
  float total_length = 0;
  float unit_weight = 0;
  float static_load = 0;  // static load on the body
  float poisson_ratio = 0;
  float material_damping = 0;
  float rigidity_coefficient = 0;
  float youngs_modulus = 0;
};

// One layer of the element (pile or multilayer body): the layer's thickness
// (the "depth" of the ELEMENT rows) and the element section in it.
struct ElementLayer {
  float thickness = 0;
  float radius_x = 0;
  float radius_y = 0;
  float area = 0;
  float inertia_x = 0;  // second moments of area
  float inertia_y = 0;
  float torsional_stiffness = 0;
};

// Batter of one pile: the angle from the vertical and the 3x3 angles (degrees)
// between the pile's local axes (rows) and the global axes x, y, z (columns),
// row by row: (1,1), (1,2), (1,3), (2,1), ... (3,3).
struct PileBatter {
  float angle = 0;
  std::array<float, 9> axis_angles{};
};

struct FoundationData {
  // Shape: the circle's radius, or the rectangle's sides in the order read.
  float radius = 0;
  float side_a = 0;
  float side_b = 0;
  EquivalentRadii radii;       // every type but the stratum
  StratumRadii stratum_radii;  // the stratum

  MassConstants mass;

  float layer_count = 0;     // LAYERS count as read (a real), at most 30
  int head_fixed = 0;        // 1 fixed (FIXED, and always for MULT), 0 pinned
  float head_restraint = 0;  // 1.0 fixed, 0.0 pinned

  float pile_count = 0;  // as read (a real), at most 500
  std::array<PileLocation, kMaxPiles> piles{};

  // Centre of gravity of the body relative to the base centre.
  int constants_read = 0;  // set once CONSTANTS has been read without error
  int group_begun = 0;     // set when a FOUNDATION group has begun
  float cg_x = 0;
  float cg_y = 0;
  float cg_height = 0;

  ElementMaterial material;  // PILE and MULT

  // Stratum constants (STRA).
  float embedment_depth = 0;  // E
  float stratum_depth = 0;    // H, depth of the layer
  float e_over_r = 0;
  float e_over_h = 0;
  float r_over_h = 0;

  // Element sections per layer (layered profile; the SOIL group fills all 30
  // layers from the single section for a parabolic profile).
  std::array<ElementLayer, kMaxLayers> layers{};
  ElementLayer parabolic_section;  // thickness unused

  std::array<PileBatter, kMaxPiles> batter{};
};

// Reads the FOUNDATION group; the dispatcher calls it after the FOUNDATION
// keyword. Hands back the word that ends the group. A fatal error writes its
// message, sets the fatal-input flag and ends the group.
void FNDKEY(RunState& s);

// The group's data-block readers, called by FNDKEY only.
void GEORED(RunState& s);  // shape and equivalent radii
void MASRED(RunState& s);  // mass constants (and the mass-component echo)
void CONRED(RunState& s);  // centre of gravity and foundation constants
void ELMRED(RunState& s);  // element sections
void BATRED(RunState& s);  // batter of every pile

}  // namespace zrv
