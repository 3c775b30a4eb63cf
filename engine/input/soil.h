#pragma once
// Data and readers of the SOIL keyword group: weakened zone, soil constants by
// foundation type, the soil below, and the embedded side layers of a pile cap.

#include <array>

#include "input/foundation.h"

namespace zrv {

struct RunState;

// Elastic constants of one soil.
struct SoilProperties {
  float shear_velocity = 0;  // Vs
  float unit_weight = 0;
  float poisson_ratio = 0;
  float damping = 0;
};

// Weakened zone round a pile or element layer. The thickness is kept as the
// ratio read: the analysis's element system takes it times the layer's mean
// element radius.
struct LayerWeakZone {
  float shear_modulus_ratio = 0;  // zone to layer
  float poisson_ratio = 0;
  float damping = 0;
  float thickness_ratio = 0;  // 0 when the modulus ratio is above 0.999
};

// A side layer of an embedded half-space footing or of a pile cap.
struct SideLayer {
  float thickness = 0;
  SoilProperties soil;
};

// Weakened zone of a side layer. With the weakened zone (half-space) or the
// side cap (piles) given, the thickness ratio read is multiplied once by the
// footing's translation radius here: the field holds a thickness, and no
// later step scales it again. Otherwise it holds the ratio as read (0 without
// a zone).
struct SideWeakZone {
  float shear_modulus_ratio = 0;
  float poisson_ratio = 0;
  float damping = 0;
  float thickness = 0;
};

inline constexpr int kMaxSideLayers = 30;
inline constexpr int kMaxAdjacentLayers = 30;

struct SoilData {
  // Soil layers along the pile or element (thickness in FoundationData::layers).
  std::array<SoilProperties, kMaxLayers> layers{};
  std::array<LayerWeakZone, kMaxLayers> weak{};
  // MULT layers below the body: soil inside over soil outside.
  std::array<float, kMaxLayers> modulus_ratio_in_out{};
  std::array<float, kMaxLayers> damping_ratio_in_out{};
  float adjacent_layer_count = 0;  // MULT, as read (a real), at most 30

  float reference_velocity = 0;  // Vs of the profile's last layer

  SoilProperties stratum;  // STRA
  SoilProperties below;    // below the pile tips, the half-space, or the multilayer system

  float side_layer_count = 0;  // as read (a real), at most 30
  std::array<SideLayer, kMaxSideLayers> side{};
  std::array<SideWeakZone, kMaxSideLayers> side_weak{};
};

// Reads the SOIL group; the dispatcher calls it after the SOIL keyword. The
// FOUNDATION group must have been read: the layout follows its type.
void SOLKEY(RunState& s);

// The group's readers, called by SOLKEY only.
void SOLCST(RunState& s);  // soil constants by foundation type
void BELRED(RunState& s);  // soil below
void EMBRED(RunState& s);  // embedded side layers of a pile cap

}  // namespace zrv
