#include "analysis/piles.h"

#include <algorithm>
#include <string>

#include "input/soil.h"
#include "numerics/small.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

namespace {

int layer_count(const RunState& s) {
  return std::clamp(NEARIN(s.foundation.layer_count), 0, kMaxLayers);
}

// The element data of the run; sections and frequency are set per call.
PileInput element_input(const RunState& s, const ElementSystem& es) {
  const FoundationData& f = s.foundation;
  const SoilData& soil = s.soil;
  PileInput in;
  if (s.flags.foundation_type == FoundationSystem::multilayer)
    in.profile = -1;
  else
    in.profile = s.flags.soil_profile == 2 ? 0 : 1;
  in.layer_count = NEARIN(f.layer_count);
  in.adjacent_layer_count = NEARIN(soil.adjacent_layer_count);
  in.youngs_modulus = f.material.youngs_modulus;
  in.poisson_ratio = f.material.poisson_ratio;
  in.damping = f.material.material_damping;
  in.unit_weight = f.material.unit_weight;
  in.rigidity_coefficient = f.material.rigidity_coefficient;
  in.static_load = f.material.static_load;
  in.gravity = s.gravity;
  for (int k = 0; k < layer_count(s); ++k) {
    const auto i = static_cast<std::size_t>(k);
    const ElementLayer& e = f.layers[i];
    const SoilProperties& p = soil.layers[i];
    const LayerWeakZone& z = soil.weak[i];
    PileLayer& l = in.layers[i];
    l.thickness = e.thickness;
    l.shear_velocity = p.shear_velocity;
    l.unit_weight = p.unit_weight;
    l.poisson_ratio = p.poisson_ratio;
    l.damping = p.damping;
    l.radius = es.mean_radius[i];
    l.area = e.area;
    l.inertia = e.inertia_x;
    l.torsional_stiffness = e.torsional_stiffness;
    l.zone_modulus_ratio = z.shear_modulus_ratio;
    l.zone_poisson_ratio = z.poisson_ratio;
    l.zone_damping = z.damping;
    l.zone_thickness = z.thickness_ratio * es.mean_radius[i];  // the ratio times the radius
    l.modulus_ratio_in_out = soil.modulus_ratio_in_out[i];
    l.damping_ratio_in_out = soil.damping_ratio_in_out[i];
  }
  in.below_velocity = soil.below.shear_velocity;
  in.below_unit_weight = soil.below.unit_weight;
  in.below_poisson_ratio = soil.below.poisson_ratio;
  in.below_damping = soil.below.damping;
  in.omega_s = es.shear_cutoff;
  in.omega_p = es.compression_cutoff;
  return in;
}

GroupInput group_input(const RunState& s, const ElementSystem& es) {
  const FoundationData& f = s.foundation;
  const SoilData& soil = s.soil;
  GroupInput in;
  const int n = std::clamp(es.pile_count, 0, kMaxPiles);
  in.piles.resize(static_cast<std::size_t>(n));
  in.battered = s.flags.battered != 0;
  for (int p = 0; p < n; ++p) {
    const auto i = static_cast<std::size_t>(p);
    GroupPile& pile = in.piles[i];
    pile.x = f.piles[i].x;
    pile.y = f.piles[i].y;
    if (in.battered) {
      pile.batter_angle = f.batter[i].angle;
      pile.axis_angles = f.batter[i].axis_angles;
    }
  }
  in.interaction = s.flags.interaction != 0;
  in.head_fixed = es.head_fixed == 1;
  in.cap_height = f.cg_height;
  in.gravity = s.gravity;
  in.youngs_modulus = f.material.youngs_modulus;
  in.length = f.material.total_length;
  const int nl = layer_count(s);
  in.layer_count = NEARIN(f.layer_count);
  if (nl > 0) {
    const ElementLayer& first = f.layers[0];
    in.radius = es.mean_radius[0];
    in.area = first.area;
    in.inertia_x = first.inertia_x;
    in.inertia_y = first.inertia_y;
    in.tip_radius = es.mean_radius[static_cast<std::size_t>(nl - 1)];
  }
  for (int k = 0; k < nl; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const SoilProperties& p = soil.layers[i];
    in.layers[i] = GroupLayer{f.layers[i].thickness, p.shear_velocity, p.unit_weight,
                              p.poisson_ratio};
  }
  in.below = GroupLayer{0.0f, soil.below.shear_velocity, soil.below.unit_weight,
                        soil.below.poisson_ratio};
  return in;
}

}  // namespace

bool SOLAVG(RunState& s, int tip, ElementSystem& system) {
  const FoundationData& f = s.foundation;
  const SoilData& soil = s.soil;
  const int nl = layer_count(s);
  if (NEARIN(f.layer_count) < 1 || NEARIN(f.layer_count) > kMaxLayers) {
    report_lines(s,
                 "(1X,'*** NUMBER OF LAYERS (',I11,') MUST LIE BETWEEN 1 AND ',I2,' ***',/,1X,"
                 "'***PROGRAM WILL NOT EXECUTE***')",
                 NEARIN(f.layer_count), kMaxLayers);
    s.flags.fatal = 1;
    return false;
  }
  ColumnInput column;
  column.end_bearing = tip;
  column.layer_count = nl;
  column.side_layer_count = std::clamp(NEARIN(soil.side_layer_count), 0, kMaxSideLayers);
  for (int k = 0; k < nl; ++k) {
    const auto i = static_cast<std::size_t>(k);
    column.layers[i] = ColumnLayer{f.layers[i].thickness, soil.layers[i].shear_velocity,
                                   soil.layers[i].poisson_ratio};
  }
  for (int k = 0; k < column.side_layer_count; ++k) {
    const auto i = static_cast<std::size_t>(k);
    column.side_layers[i] = ColumnLayer{soil.side[i].thickness, soil.side[i].soil.shear_velocity,
                                        soil.side[i].soil.poisson_ratio};
  }
  column.below_velocity = soil.below.shear_velocity;
  for (int k = 0; k < nl; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const ElementLayer& e = f.layers[i];
    system.section_radius[section_mean][i] = system.mean_radius[i];
    system.section_inertia[section_mean][i] = e.inertia_x;
    system.section_radius[section_x][i] = e.radius_x;
    system.section_inertia[section_x][i] = e.inertia_x;
    system.section_radius[section_y][i] = e.radius_y;
    system.section_inertia[section_y][i] = e.inertia_y;
  }
  const ColumnCutoffs cut = SOLAVG(column);
  system.shear_cutoff = cut.omega_s;
  system.compression_cutoff = cut.omega_p;
  system.element = element_input(s, system);
  system.group = group_input(s, system);
  return true;
}

bool GRPSTA(RunState& s, ElementSystem& system) {
  const Failure failure = failure_of(GRPSTA(system.group, system.tables));
  if (failure == Failure::none) return true;
  report_failure(s, failure, failure_detail(s, system, 0.0f));
  return false;
}

bool PILIMP(const ElementSystem& system, ElementSection section, float omega, ElementHead& head,
            Failure& failure) {
  PileInput in = system.element;
  in.omega = omega;
  const auto set = static_cast<std::size_t>(section);
  for (std::size_t k = 0; k < static_cast<std::size_t>(kPileMaxLayers); ++k) {
    in.layers[k].radius = system.section_radius[set][k];
    in.layers[k].inertia = system.section_inertia[set][k];
  }
  PileImpedance z;
  failure = failure_of(zrv::PILIMP(in, z));
  if (failure != Failure::none) return false;
  const ImpedancePair pairs[6] = {z.vertical, z.torsion,  z.horizontal,
                                  z.rocking,  z.coupling, z.horizontal_free};
  for (std::size_t n = 0; n < 6; ++n) {
    head.k[n] = pairs[n].k;
    head.c[n] = pairs[n].c;
  }
  return true;
}

bool GRPDYN(const ElementSystem& system, const Matrix6& single, float omega, Matrix6& group,
            GroupWork& work, Failure& failure) {
  failure = failure_of(
      zrv::GRPDYN(system.group, system.tables, single.data(), omega, group.data(), work));
  return failure == Failure::none;
}

FailureDetail failure_detail(const RunState& s, const ElementSystem& system, float omega) {
  FailureDetail d;
  d.omega = omega;
  d.pile_count = system.pile_count;
  d.layer_count = system.group.layer_count;
  d.pair_i = system.tables.pair_i;
  d.pair_j = system.tables.pair_j;
  d.velocity = s.soil.below.shear_velocity;
  return d;
}

}  // namespace zrv
