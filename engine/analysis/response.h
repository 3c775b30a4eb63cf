#pragma once
// Footing response of the rigid mass on its foundation impedance: per
// frequency the harmonic amplitudes, the transient response spectrum or the
// random response spectral densities; after the frequency loop the time
// histories, peak factors and the response tables.

#include <array>
#include <vector>

#include "analysis/matrix6.h"
#include "input/load.h"

namespace zrv {

struct RunState;
struct MassConstants;

/// The frequencies of one analysis. Transient loads: n time points of step dt,
/// N = n/2 + 1. Other loads: N frequencies from fmin in steps of fstep.
struct FrequencyPlan {
  int count = 0;  // N
  float fmin = 0;
  float fstep = 1;                             // 0 replaced by 1
  int points = 0;                              // transient n
  float time_step = 0;                         // transient dt
  std::array<float, kMaxFrequencies> omega{};  // the frequency used at each index
};

/// Everything the response keeps from the frequency loop, by frequency index.
struct ResponseData {
  std::array<std::array<float, 6>, kMaxFrequencies> amplitude{};   // harmonic |u|
  std::array<std::array<Complex, 6>, kMaxFrequencies> spectrum{};  // transient u
  std::array<std::array<float, 6>, kMaxFrequencies> density{};     // random S_u
  std::array<bool, kMaxFrequencies> failed{};                      // no solution at this index
};

/// D = K - omega² M in place: the real parts of the diagonal lose omega² times
/// the mass and the three moments of inertia; (4,5), (4,6), (5,6) and their
/// mirrors gain omega² times the products of inertia Ixy, Ixz, Iyz.
void dynamic_stiffness(Matrix6& m, float omega, const MassConstants& mass);

/// Response S_u(l) = sum over j, k of Re[H(l,j) conj(H(l,k)) S(j,k)] of the
/// transfer matrix H (column-major 6x6) to the load spectral matrix S.
std::array<float, 6> response_density(const Matrix6& h, const std::array<Complex, 36>& load);

/// Completes the first N = n/2 + 1 rows of a spectrum to n rows by conjugate
/// symmetry (row k = conj(row n + 2 - k), from 1), makes the zero-frequency
/// row (and for an even n the middle row) real, and transforms each degree of
/// freedom: the histories at samples 1..n, one row of six per sample.
std::vector<std::array<float, 6>> transient_histories(
    const std::array<std::array<Complex, 6>, kMaxFrequencies>& spectrum, int n);

/// Spectral moments and peak of one degree of freedom of a random response:
/// m0 and m2 by the three-point rule over N points of step fstep, mean
/// frequency nu0 = sqrt(m2 / m0) / 2 pi, peak factor G = s + 0.5772 / s with
/// s = sqrt(2 ln(nu0 T)), maximum sqrt(m0) G. `defined` is false when
/// nu0 T is not above 1, where the peak factor has no value.
struct RandomPeak {
  float m0 = 0, m2 = 0, nu0 = 0, factor = 0, maximum = 0;
  bool defined = true;
};
RandomPeak random_peak(const float* density, int n, float fmin, float fstep, float time);

/// Response step of frequency index i (from 0) at omega: forms the dynamic
/// stiffness in `result` and solves for the load type of the run. A system that
/// cannot be solved is reported at that frequency and marked failed.
void respond(RunState& s, ResponseData& r, int i, float omega, Matrix6& result);

/// Response tables after the frequency loop (and the harmonic plot records).
void write_response(RunState& s, const FrequencyPlan& plan, const ResponseData& r);

}  // namespace zrv
