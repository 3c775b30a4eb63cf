#include "analysis/analysis.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "analysis/assembly.h"
#include "analysis/piles.h"
#include "analysis/pool.h"
#include "analysis/tables.h"
#include "impedance/halfspace.h"
#include "numerics/pi.h"
#include "numerics/small.h"
#include "report/header.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

namespace {

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
// gravity (the pile group about its own reference). The three element calls
// differ only in their sections; a section equal to one computed already
// takes its result.
bool element_matrix(const RunState& s, const ElementSystem& es, float omega, GroupWork& work,
                    Matrix6& result, Failure& failure) {
  const FoundationSystem type = s.flags.foundation_type;
  ElementHead heads[3];
  for (int set = 0; set < 3; ++set) {
    int same = -1;
    for (int done = 0; done < set && same < 0; ++done)
      if (es.section_radius[static_cast<std::size_t>(set)] ==
              es.section_radius[static_cast<std::size_t>(done)] &&
          es.section_inertia[static_cast<std::size_t>(set)] ==
              es.section_inertia[static_cast<std::size_t>(done)])
        same = done;
    if (same >= 0) {
      heads[set] = heads[same];
    } else if (!PILIMP(es, static_cast<ElementSection>(set), omega, heads[set], failure)) {
      return false;
    }
  }
  const ElementHead& mean = heads[section_mean];
  const ElementHead& x = heads[section_x];
  const ElementHead& y = heads[section_y];
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
  if (type == FoundationSystem::pile) return GRPDYN(es, k, omega, result, work, failure);
  RealMatrix6 t{};
  const FoundationData& f = s.foundation;
  rigid_offset(f.cg_x, f.cg_y, f.cg_height, t.data());
  result = Matrix6{};
  CTRAN6(k.data(), t.data(), result.data());
  return true;
}

// Radius of the embedment factors: the translation radius, or when it is 0
// the circle's radius or the mean half-side of the rectangle.
float special_radius(const FoundationData& f, int shape) {
  if (f.radii.translation != 0.0f) return f.radii.translation;
  if (shape == 1) return f.radius;
  return 0.5f * (0.5f * f.side_a + 0.5f * f.side_b);
}

// What the impedance phase leaves for one frequency.
struct FrequencyImpedance {
  Matrix6 bare{};      // the foundation about the centre of gravity, without side soil
  Matrix6 embedded{};  // with the side soil of pass 1 (when the run has side soil)
  Failure failure = Failure::none;
};

bool finite(const Matrix6& m) {
  for (const Complex& v : m)
    if (!std::isfinite(v.real()) || !std::isfinite(v.imag())) return false;
  return true;
}

// The foundation's impedance at omega, without and with its side soil. Reads
// the run state only, so that the frequencies can be computed on any thread.
void impedance_at(const RunState& s, const ElementSystem& es, float omega, int side_count,
                  GroupWork& work, FrequencyImpedance& out) {
  const FoundationData& f = s.foundation;
  const FoundationSystem type = s.flags.foundation_type;
  switch (type) {
    case FoundationSystem::half_space:
      if (!(s.soil.below.shear_velocity > 0.0f)) {
        out.failure = Failure::halfspace_velocity;
        return;
      }
      out.bare = halfspace_matrix(omega, s.soil.below, s.gravity, f.radii, centre_of(f));
      break;
    case FoundationSystem::stratum:
      out.bare = stratum_matrix(omega, stratum_input(s), centre_of(f));
      break;
    default:
      if (!element_matrix(s, es, omega, work, out.bare, out.failure)) return;
      break;
  }
  // Side soil of an embedded footing or pile cap (pass 1 only).
  const bool pile = type == FoundationSystem::pile;
  if (side_count > 0 && (type == FoundationSystem::half_space || pile)) {
    const int shear_cut = pile && omega <= es.shear_cutoff ? 1 : 0;
    const int compression_cut = pile && omega <= es.compression_cutoff ? 1 : 0;
    out.embedded = out.bare;
    add_side_layers(out.embedded, omega, side_count, s.soil.side.data(), s.soil.side_weak.data(),
                    s.gravity, f.radii, centre_of(f), shear_cut, compression_cut);
    if (!finite(out.embedded)) out.failure = Failure::not_finite;
  }
  if (!finite(out.bare)) out.failure = Failure::not_finite;
}

// Computes the impedances of all frequencies on the run's pool. Each
// frequency is computed alone into its own slot, so the results do not depend
// on the number of threads or on their scheduling.
std::vector<FrequencyImpedance> impedances(const RunState& s, const ElementSystem& es,
                                           const FrequencyPlan& plan, int side_count,
                                           WorkerPool& pool) {
  std::vector<FrequencyImpedance> out(static_cast<std::size_t>(plan.count));
  // One working storage per thread; a large group hands its solves to the pool.
  const std::size_t threads = static_cast<std::size_t>(pool.size());
  std::vector<GroupWork> works(threads);
  std::vector<SymmetricWork> solves(threads);
  for (GroupWork& w : works) {
    w.runner = &pool;
    w.thread_solves = &solves;
  }
  // The run stops at its lowest failing frequency, so the frequencies above a
  // known failure need not be computed. Frequencies are taken in rising order,
  // so every frequency below the lowest failure is still computed.
  std::atomic<int> first_failure{plan.count};
  pool.run(plan.count, [&](int i, int worker) {
    if (i >= first_failure) return;
    FrequencyImpedance& fi = out[static_cast<std::size_t>(i)];
    impedance_at(s, es, plan.omega[static_cast<std::size_t>(i)], side_count,
                 works[static_cast<std::size_t>(worker)], fi);
    if (fi.failure != Failure::none) {
      int known = first_failure;
      while (i < known && !first_failure.compare_exchange_weak(known, i)) {
      }
    }
  });
  return out;
}

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::atomic<PhaseTimes*> phase_sink{nullptr};

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
  const bool stratum = s.flags.foundation_type == FoundationSystem::stratum;
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

// Whether a pile of the group is inclined. With interaction a battered pile
// enters the group through its flexibility diagonal and its sway-rocking
// terms only, which the report says once.
bool any_battered(const RunState& s) {
  if (s.flags.battered == 0) return false;
  const int n = std::clamp(NEARIN(s.foundation.pile_count), 0, kMaxPiles);
  for (int p = 0; p < n; ++p)
    if (s.foundation.batter[static_cast<std::size_t>(p)].angle != 0.0f) return true;
  return false;
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
  if (s.flags.load_type == LoadKind::transient) {
    plan.points = NEARIN(s.load.transient.point_count);
    plan.time_step = s.load.transient.time_step;
    plan.count = plan.points / 2 + 1;
    return plan;
  }
  float fmax = s.load.harmonic.fmax;
  float fmin = s.load.harmonic.fmin;
  float fstep = s.load.harmonic.fstep;
  if (s.flags.load_type == LoadKind::random) {
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

int analysis_threads() {
  if (const char* text = std::getenv("ZORVIN_THREADS")) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && n >= 1) return static_cast<int>(std::min(n, 256L));
  }
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void set_phase_timing(PhaseTimes* sink) { phase_sink = sink; }

void ANALYS(RunState& s) {
  if (!(s.gravity > 0.0f)) {
    s.report().write_fmt(
        "(/,/,1X,'*** INADMISSABLE VALUE FOR GRAVITATIONAL ','CONSTANT (',1P,E10.3,') ***',/,1X,"
        "'***PROGRAM WILL NOT EXECUTE***')",
        s.gravity);
    s.flags.fatal = 1;
    return;
  }
  PhaseTimes times;
  const FoundationData& f = s.foundation;
  const FoundationSystem type = s.flags.foundation_type;
  int side_count = std::clamp(NEARIN(s.soil.side_layer_count), 0, kMaxSideLayers);
  if (s.flags.embedment == 0 && type != FoundationSystem::half_space) side_count = 0;
  // The weakened thickness of the side layers was made a thickness by the
  // SOIL reader already; it is not scaled again here.

  // The element system is derived from the deck's data, which stay as read.
  auto es = std::make_unique<ElementSystem>();
  const bool element = type == FoundationSystem::pile || type == FoundationSystem::multilayer;
  if (element) {
    const int layers = std::clamp(NEARIN(f.layer_count), 0, kMaxLayers);
    for (int k = 0; k < layers; ++k) {
      const ElementLayer& l = f.layers[static_cast<std::size_t>(k)];
      es->mean_radius[static_cast<std::size_t>(k)] = 0.5f * (l.radius_x + l.radius_y);
    }
    es->pile_count = type == FoundationSystem::multilayer ? 1 : NEARIN(f.pile_count);
    es->head_fixed = NEARIN(f.head_restraint);
    if (!SOLAVG(s, s.flags.pile_tip, *es)) return;
  }

  FrequencyPlan plan = plan_frequencies(s);
  if (type == FoundationSystem::pile && s.flags.interaction != 0 && es->pile_count != 1 &&
      !GRPSTA(s, *es))
    return;
  if (type == FoundationSystem::pile && s.flags.interaction != 0 && es->pile_count > 1 &&
      any_battered(s))
    report_message(s,
                   " NOTE - WITH INTERACTION, THE AXIAL-LATERAL COUPLING OF BATTERED PILES IS NOT "
                   "CARRIED INTO THE GROUP");
  s.units[6].write(count_record(plan.count));
  if (plan.count < 1 || plan.count > kMaxFrequencies) {
    refuse_count(s, plan.count);
    return;
  }

  // The frequency list; the running sum is not floored, the frequency used is.
  float running = plan.fmin - plan.fstep;
  for (int i = 0; i < plan.count; ++i) {
    float omega;
    if (s.flags.load_type == LoadKind::transient) {
      omega = i == 0 ? 0.01f
                     : kPiTransientSpacing * 2.0f * static_cast<float>(i) /
                           (static_cast<float>(plan.points) * plan.time_step);
    } else {
      running += plan.fstep;
      omega = running > 0.0f ? running : 1.0e-4f;
    }
    plan.omega[static_cast<std::size_t>(i)] = omega;
  }

  // Both passes run over the same frequencies: the impedances are computed
  // once, and pass 2 takes them without the side soil.
  Clock::time_point start = Clock::now();
  WorkerPool pool(analysis_threads());
  const std::vector<FrequencyImpedance> imp = impedances(s, *es, plan, side_count, pool);
  times.pass1 = seconds_since(start);

  const bool matrix_print = s.flags.matrix_print != 0;
  const bool side_soil =
      side_count > 0 && (type == FoundationSystem::half_space || type == FoundationSystem::pile);
  auto response = std::make_unique<ResponseData>();
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 2) {
      start = Clock::now();
      write_special_block(s);
      times.output += seconds_since(start);
    }
    for (int i = 0; i < plan.count; ++i) {
      const float omega = plan.omega[static_cast<std::size_t>(i)];
      const FrequencyImpedance& fi = imp[static_cast<std::size_t>(i)];
      if (fi.failure != Failure::none) {
        report_failure(s, fi.failure, failure_detail(s, *es, omega));
        return;
      }
      start = Clock::now();
      // The pass-1 matrix holds the side soil; pass 2 prints its table without
      // it. The response of both passes comes from the pass-1 matrix.
      Matrix6 full = side_soil ? fi.embedded : fi.bare;
      reduce_damping(full);
      Matrix6 shown = full;
      if (pass == 2 && side_soil) {
        shown = fi.bare;
        reduce_damping(shown);
      }
      (pass == 1 ? times.pass1 : times.pass2) += seconds_since(start);

      start = Clock::now();
      if (matrix_print) write_constants(s, pass, i, omega, shown, side_count);
      times.output += seconds_since(start);
      start = Clock::now();
      respond(s, *response, i, omega, full);
      times.response += seconds_since(start);
    }
  }
  start = Clock::now();
  write_response(s, plan, *response);
  times.response += seconds_since(start);
  if (PhaseTimes* sink = phase_sink.load()) {
    *sink = times;
    std::fprintf(stderr,
                 "analysis phases (s): pass 1 %.4f, pass 2 %.4f, response %.4f, output %.4f\n",
                 times.pass1, times.pass2, times.response, times.output);
  }
}

}  // namespace zrv
