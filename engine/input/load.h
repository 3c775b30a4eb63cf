#pragma once
// Data and readers of the LOAD keyword group: harmonic, transient and random
// loads. All frequencies are circular (rad/s).

#include <array>
#include <complex>
#include <vector>

namespace zrv {

struct RunState;

inline constexpr int kMaxFrequencies = 500;
inline constexpr int kMaxTimePoints = 999;
inline constexpr int kMaxRandomPoints = 500;

// Six load components by degree of freedom: Fx, Fy, Fz, Mx, My, Mz.
using LoadVector = std::array<float, 6>;

struct HarmonicLoad {
  float fmax = 0;
  float fmin = 0;
  float fstep = 0;
  LoadVector as_read{};  // for the quadratic form, the coefficients of w^2
  float point_x = 0;     // load point: as read, or relative to the centre of
  float point_y = 0;     // gravity when a reference point was given
  float point_z = 0;
  float reference_flag = 0;
  float reference_x = 0;
  float reference_y = 0;
  float reference_z = 0;
  LoadVector at_cg{};  // the loads moved to the centre of gravity
};

// One transient load history as read (kept for the echo).
struct TransientHistory {
  int code = 0;  // degree of freedom 1..6
  std::vector<float> amplitudes;
};

struct TransientLoad {
  float point_count = 0;  // n, as read (a real): 2 to 999
  float time_step = 0;    // dt > 0
  float load_count = 0;
  // First row (from 1) completed by conjugate symmetry in the response
  // spectrum: floor(n/2) + 2, which is right for odd n too (rows n/2+2..n of
  // an even n, (n+3)/2..n of an odd n).
  float symmetric_start = 0;
  // Load spectrum: row k (from 0) holds conj(DFT_k)/n of each history by
  // degree of freedom, zero where no load is given.
  std::array<std::array<std::complex<float>, 6>, kMaxTimePoints> spectrum{};
  std::vector<TransientHistory> histories;
};

// One load spectral density as read (kept for the echo).
struct RandomSpectrum {
  int i = 0;  // location codes 1..6
  int j = 0;
  std::vector<float> amplitudes;
};

struct RandomLoad {
  float fmax = 0;
  float fmin = 0;
  float point_count = 0;  // np, as read (a real): 3 to 500
  float observation_time = 0;
  float spectrum_count = 0;
  float fstep = 0;  // (fmax - fmin) / (np - 1)
  // Load spectral matrix per point: 6x6 column by column (entry (i, j) from 0
  // at i + 6 j), imaginary parts 0. A spectrum given as (i, j) fills both
  // (i, j) and (j, i); a later spectrum of the same pair replaces an earlier.
  std::array<std::array<std::complex<float>, 36>, kMaxRandomPoints> matrix{};
  std::vector<RandomSpectrum> spectra;
};

struct LoadData {
  HarmonicLoad harmonic;
  TransientLoad transient;
  RandomLoad random;
};

// Reads the LOAD group; the dispatcher calls it after the LOAD keyword. Needs
// the foundation constants first (the harmonic load is moved to the centre of
// gravity): a LOAD group before them is refused.
void LODKEY(RunState& s);

// Reads the rest of the group for the load type set by LODKEY.
void LODRED(RunState& s);

}  // namespace zrv
