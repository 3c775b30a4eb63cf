#include "analysis/analysis.h"

#include <algorithm>

#include "analysis/assembly.h"
#include "analysis/piles.h"
#include "analysis/tables.h"
#include "impedance/halfspace.h"
#include "numerics/small.h"
#include "report/header.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

namespace {

constexpr int type_pile = 1;
constexpr int type_half = 2;
constexpr int type_stratum = 3;
constexpr int type_multi = 4;
constexpr int load_transient = 1;
constexpr int load_random = 2;

CentreOfGravity centre_of(const FoundationData& f) {
  return CentreOfGravity{f.cg_x, f.cg_y, f.cg_height};
}

StratumInput stratum_input(const RunState& s) {
  const FoundationData& f = s.foundation;
  const SoilProperties& soil = s.soil.stratum;
  StratumInput in;
  in.shape = s.flags.shape == 1 ? 1.0f : -1.0f;
  in.embedment = f.embedment_depth;
  in.depth = f.stratum_depth;
  in.nu = soil.poisson_ratio;
  in.damping = soil.damping;
  in.unit_weight = soil.unit_weight;
  in.vs = soil.shear_velocity;
  in.gravity = s.gravity;
  in.rh = f.stratum_radii.horizontal;
  in.rv = f.stratum_radii.vertical;
  in.r4 = f.stratum_radii.rocking_x;
  in.r5 = f.stratum_radii.rocking_y;
  in.rt = f.stratum_radii.torsion;
  return in;
}

// Impedance of the pile or multilayer element system about the centre of
// gravity (the pile group about its own reference).
Matrix6 element_matrix(RunState& s, const ElementSystem& es, float omega) {
  const int type = s.flags.foundation_type;
  const int profile = type == type_multi ? -1 : (s.flags.soil_profile == 2 ? 0 : 1);
  const ElementHead mean = PILIMP(s, es, section_mean, profile, omega);
  const ElementHead x = PILIMP(s, es, section_x, profile, omega);
  const ElementHead y = PILIMP(s, es, section_y, profile, omega);
  const auto entry = [&](const ElementHead& h, int n) {
    return Complex(h.k[static_cast<std::size_t>(n)], omega * h.c[static_cast<std::size_t>(n)]);
  };
  Matrix6 k{};
  k[at6(3, 3)] = entry(mean, 0);
  k[at6(6, 6)] = entry(mean, 1);
  if ((es.pile_count > 1 && s.flags.interaction != 0) || es.head_fixed == 1) {
    k[at6(1, 1)] = entry(x, 2);
    k[at6(5, 5)] = entry(x, 3);
    k[at6(2, 2)] = entry(y, 2);
    k[at6(4, 4)] = entry(y, 3);
    k[at6(1, 5)] = entry(x, 4);
    k[at6(5, 1)] = entry(x, 4);
    k[at6(2, 4)] = -entry(y, 4);
    k[at6(4, 2)] = -entry(y, 4);
  } else {
    k[at6(1, 1)] = entry(x, 5);
    k[at6(2, 2)] = entry(y, 5);
  }
  if (type == type_pile) return GRPDYN(s, es, k, omega);
  RealMatrix6 t{};
  const FoundationData& f = s.foundation;
  rigid_offset(f.cg_x, f.cg_y, f.cg_height, t.data());
  Matrix6 r{};
  CTRAN6(k.data(), t.data(), r.data());
  return r;
}

// Radius of the embedment factors: the translation radius, or when it is 0
// the circle's radius or the mean half-side of the rectangle.
float special_radius(const FoundationData& f, int shape) {
  if (f.radii.translation != 0.0f) return f.radii.translation;
  if (shape == 1) return f.radius;
  return 0.5f * (0.5f * f.side_a + 0.5f * f.side_b);
}

// The foundation's impedance about the centre of gravity at omega, before the
// side soil. False, with the message written, for a half-space whose
// shear-wave velocity is not positive.
bool foundation_impedance(RunState& s, const ElementSystem& es, float omega, Matrix6& result) {
  const FoundationData& f = s.foundation;
  switch (s.flags.foundation_type) {
    case type_half: {
      const float vs = s.soil.below.shear_velocity;
      if (!(vs > 0.0f)) {
        s.report().write_fmt(
            "(/,/,1X,'***INADMISSABLE VALUE FOR SHEAR WAVE ','VELOCITY OF HALF-SPACE (',1P,"
            "E9.2,') ***',/,1X,'***PROGRAM WILL NOT EXECUTE***')",
            vs);
        s.flags.fatal = 1;
        return false;
      }
      result = halfspace_matrix(omega, s.soil.below, s.gravity, f.radii, centre_of(f));
      return true;
    }
    case type_stratum:
      result = stratum_matrix(omega, stratum_input(s), centre_of(f));
      return true;
    default:
      result = element_matrix(s, es, omega);
      return true;
  }
}

// The constants of frequency index i (from 0): the full table and the two
// plot-data records in pass 1, the table with the embedment factors in pass 2;
// the results header before the first frequency of each pass.
void write_constants(RunState& s, int pass, int i, float omega, const Matrix6& result,
                     int side_count) {
  const FoundationData& f = s.foundation;
  int status = 0;
  if (i == 0) HEADER(s, header_results, status);
  if (pass == 1) {
    const Constants c = constants_of(result, omega);
    write_full_table(s, omega, c);
    for (const std::string& r : matrix_records(omega, c)) s.units[6].write(r);
    return;
  }
  const bool stratum = s.flags.foundation_type == type_stratum;
  float depth = 0.0f;
  if (stratum) {
    depth = f.embedment_depth;
  } else {
    for (int k = 0; k < side_count; ++k)
      depth += s.soil.side[static_cast<std::size_t>(k)].thickness;
  }
  const float nu = stratum ? s.soil.stratum.poisson_ratio : s.soil.below.poisson_ratio;
  const EmbedmentFactors factors = embedment_factors(depth, special_radius(f, s.flags.shape), nu);
  write_reduced_table(s, omega, special_constants(result, omega, factors));
}

void refuse_count(RunState& s, int count) {
  report_lines(s,
               "(1X,'*** NUMBER OF FREQUENCIES (',I11,') MUST LIE BETWEEN 1 AND ',I3,' ***',/,"
               "1X,'***PROGRAM WILL NOT EXECUTE***')",
               count, kMaxFrequencies);
  s.flags.fatal = 1;
}

}  // namespace

FrequencyPlan plan_frequencies(const RunState& s) {
  FrequencyPlan plan;
  if (s.flags.load_type == load_transient) {
    plan.points = NEARIN(s.load.transient.point_count);
    plan.time_step = s.load.transient.time_step;
    plan.count = plan.points / 2 + 1;
    return plan;
  }
  float fmax = s.load.harmonic.fmax;
  float fmin = s.load.harmonic.fmin;
  float fstep = s.load.harmonic.fstep;
  if (s.flags.load_type == load_random) {
    fmax = s.load.random.fmax;
    fmin = s.load.random.fmin;
    fstep = s.load.random.fstep;
  }
  if (fstep == 0.0f) fstep = 1.0f;
  plan.fmin = fmin;
  plan.fstep = fstep;
  plan.count = NEARIN((fmax - fmin) / fstep + 1.0f);
  return plan;
}

void ANALYS(RunState& s) {
  if (!(s.gravity > 0.0f)) {
    s.report().write_fmt(
        "(/,/,1X,'*** INADMISSABLE VALUE FOR GRAVITATIONAL ','CONSTANT (',1P,E10.3,') ***',/,1X,"
        "'***PROGRAM WILL NOT EXECUTE***')",
        s.gravity);
    s.flags.fatal = 1;
    return;
  }
  FoundationData& f = s.foundation;
  const int type = s.flags.foundation_type;
  int side_count = std::clamp(NEARIN(s.soil.side_layer_count), 0, kMaxSideLayers);
  if (s.flags.embedment == 0 && type != type_half) side_count = 0;
  // The weakened thickness of the side layers was made a thickness by the
  // SOIL reader already; it is not scaled again here.

  ElementSystem es;
  const bool element = type == type_pile || type == type_multi;
  if (element) {
    if (!SOLAVG(s, s.flags.pile_tip, es)) return;
    const int layers = std::clamp(NEARIN(f.layer_count), 0, kMaxLayers);
    for (int k = 0; k < layers; ++k) {
      const ElementLayer& l = f.layers[static_cast<std::size_t>(k)];
      const float r = 0.5f * (l.radius_x + l.radius_y);
      es.mean_radius[static_cast<std::size_t>(k)] = r;
      s.soil.weak[static_cast<std::size_t>(k)].thickness_ratio *= r;
    }
    if (type == type_multi) f.pile_count = 1.0f;
    es.pile_count = NEARIN(f.pile_count);
    es.head_fixed = NEARIN(f.head_restraint);
  }

  FrequencyPlan plan = plan_frequencies(s);
  if (type == type_pile && s.flags.interaction != 0 && es.pile_count != 1) GRPSTA(s, es);
  s.units[6].write(count_record(plan.count));
  if (plan.count < 1 || plan.count > kMaxFrequencies) {
    refuse_count(s, plan.count);
    return;
  }

  const CentreOfGravity cg = centre_of(f);
  const bool matrix_print = s.flags.matrix_print != 0;
  ResponseData response;
  for (int pass = 1; pass <= 2; ++pass) {
    float running = plan.fmin - plan.fstep;
    if (pass == 2) write_special_block(s);
    for (int i = 0; i < plan.count; ++i) {
      float omega;
      if (s.flags.load_type == load_transient) {
        omega = i == 0 ? 0.01f
                       : 3.1415927f * 2.0f * static_cast<float>(i) /
                             (static_cast<float>(plan.points) * plan.time_step);
      } else {
        running += plan.fstep;
        omega = running > 0.0f ? running : 1.0e-4f;
      }
      plan.omega[static_cast<std::size_t>(i)] = omega;

      Matrix6 result{};
      if (!foundation_impedance(s, es, omega, result)) return;

      // Side soil of an embedded footing or pile cap, in pass 1 only.
      if (pass == 1 && side_count > 0 && (type == type_half || type == type_pile)) {
        const bool pile = type == type_pile;
        const int shear_cut = pile && omega <= es.shear_cutoff ? 1 : 0;
        const int compression_cut = pile && omega <= es.compression_cutoff ? 1 : 0;
        add_side_layers(result, omega, side_count, s.soil.side.data(), s.soil.side_weak.data(),
                        s.gravity, f.radii, cg, shear_cut, compression_cut);
      }

      reduce_damping(result);
      if (matrix_print) write_constants(s, pass, i, omega, result, side_count);
      respond(s, response, i, omega, result);
    }
  }
  write_response(s, plan, response);
}

}  // namespace zrv
