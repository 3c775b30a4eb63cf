#pragma once
// The pile group shared by the group tests: concrete piles 15 m long and
// 0.5 m across under a 1.2 m cap, in two soil layers over a stiffer base,
// with pile-soil-pile interaction.
#include "impedance/group.h"

namespace zrv::test {

/// Sets every property of `in` but its piles and head fixity.
inline void setSampleGroupProperties(GroupInput& in) {
  in.interaction = true;
  in.cap_height = 1.2f;
  in.gravity = 9.81f;
  in.youngs_modulus = 3.0e7f;
  in.length = 15.0f;
  in.radius = 0.25f;
  in.tip_radius = 0.25f;
  in.area = 0.196f;
  in.inertia_x = in.inertia_y = 3.07e-3f;
  in.layer_count = 2;
  in.layers[0] = {6.0f, 150.0f, 18.0f, 0.35f};
  in.layers[1] = {9.0f, 220.0f, 19.0f, 0.3f};
  in.below = {0.0f, 400.0f, 20.0f, 0.3f};
}

}  // namespace zrv::test
