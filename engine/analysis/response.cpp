#include "analysis/response.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/failure.h"
#include "analysis/tables.h"
#include "fio/fio.h"
#include "input/foundation.h"
#include "numerics/fft.h"
#include "numerics/pi.h"
#include "numerics/small.h"
#include "numerics/solvers.h"
#include "report/columns.h"
#include "report/header.h"
#include "run/state.h"

namespace zrv {

namespace {

// Largest component modulus of n values.
double max_norm(const Complex* v, int n) {
  double m = 0.0;
  for (int i = 0; i < n; ++i) m = std::max(m, std::abs(std::complex<double>(v[i])));
  return m;
}

// Whether x solves d x = b to a relative residual fit for a displacement.
bool acceptable(const Matrix6& d, const Complex* x, const Complex* b) {
  using cd = std::complex<double>;
  double res = 0.0;
  double scale = 0.0;
  for (int i = 0; i < 6; ++i) {
    cd sum = 0.0;
    for (int j = 0; j < 6; ++j) sum += cd(d[static_cast<std::size_t>(i + 6 * j)]) * cd(x[j]);
    res = std::max(res, std::abs(sum - cd(b[i])));
    scale = std::max(scale, std::abs(cd(b[i])));
  }
  return std::isfinite(res) && res <= 1.0e-3 * scale;
}

// Solves d x = b for m right-hand sides (6 x m, in place). Returns false, with
// the reason written to the report at this frequency, when any column has no
// usable solution; b then holds nothing to be shown as a response.
bool solve(RunState& s, const Matrix6& d, Complex* b, int m, float omega) {
  const std::vector<Complex> given(b, b + 6 * m);
  Matrix6 factor{};
  float pivots[6] = {};
  const Leq2cResult r = LEQ2C(d.data(), 6, 6, b, m, 6, 0, factor.data(), pivots);
  bool ok = solve_failure(r.err) != Failure::solve_singular;
  if (!ok) report_failure(s, Failure::solve_singular, FailureDetail{});
  for (int col : r.unsettled) {
    FailureDetail detail;
    detail.omega = omega;
    detail.column = col;
    report_failure(s, Failure::solve_not_settled, detail);
    const std::size_t at = static_cast<std::size_t>(6 * (col - 1));
    if (!acceptable(d, b + at, given.data() + at)) ok = false;
  }
  if (ok && !std::isfinite(max_norm(b, 6 * m))) ok = false;
  if (!ok)
    s.report().write_fmt("(1X,'*** NO RESPONSE AT FREQUENCY ',1P,E12.5,' rad/sec ***')", omega);
  return ok;
}

}  // namespace

void dynamic_stiffness(Matrix6& m, float omega, const MassConstants& mass) {
  const float w2 = omega * omega;
  const auto add = [&](int i, int j, float v) {
    Complex& e = m[at6(i, j)];
    e = Complex(e.real() + v, e.imag());
  };
  add(1, 1, -w2 * mass.total);
  add(2, 2, -w2 * mass.total);
  add(3, 3, -w2 * mass.total);
  add(4, 4, -w2 * mass.moment_x);
  add(5, 5, -w2 * mass.moment_y);
  add(6, 6, -w2 * mass.moment_z);
  add(4, 5, w2 * mass.product_xy);
  add(5, 4, w2 * mass.product_xy);
  add(4, 6, w2 * mass.product_xz);
  add(6, 4, w2 * mass.product_xz);
  add(5, 6, w2 * mass.product_yz);
  add(6, 5, w2 * mass.product_yz);
}

std::array<float, 6> response_density(const Matrix6& h, const std::array<Complex, 36>& load) {
  std::array<float, 6> out{};
  for (int l = 0; l < 6; ++l) {
    float sum = 0.0f;
    for (int j = 0; j < 6; ++j)
      for (int k = 0; k < 6; ++k) {
        const Complex t = h[static_cast<std::size_t>(l + 6 * j)] *
                          std::conj(h[static_cast<std::size_t>(l + 6 * k)]) *
                          load[static_cast<std::size_t>(j + 6 * k)];
        sum += t.real();
      }
    out[static_cast<std::size_t>(l)] = sum;
  }
  return out;
}

std::vector<std::array<float, 6>> transient_histories(
    const std::array<std::array<Complex, 6>, kMaxFrequencies>& spectrum, int n) {
  std::vector<std::array<float, 6>> out(static_cast<std::size_t>(std::max(n, 0)));
  if (n < 1) return out;
  const int count = n / 2 + 1;
  std::vector<std::array<Complex, 6>> rows(static_cast<std::size_t>(n));
  for (int k = 0; k < count && k < n; ++k)
    rows[static_cast<std::size_t>(k)] = spectrum[static_cast<std::size_t>(k)];
  // Rows from 1: k = n/2 + 2 .. n mirror rows n + 2 - k; for an odd n this
  // covers every row above N, for an even n every row above the middle one.
  for (int k = n / 2 + 2; k <= n; ++k)
    for (int l = 0; l < 6; ++l)
      rows[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(l)] =
          std::conj(rows[static_cast<std::size_t>(n + 1 - k)][static_cast<std::size_t>(l)]);
  for (int l = 0; l < 6; ++l) {
    Complex& first = rows[0][static_cast<std::size_t>(l)];
    first = Complex(first.real(), 0.0f);
    if (n % 2 == 0 && n >= 2) {
      Complex& middle = rows[static_cast<std::size_t>(count - 1)][static_cast<std::size_t>(l)];
      middle = Complex(middle.real(), 0.0f);
    }
  }
  std::vector<Complex> x(static_cast<std::size_t>(n));
  for (int l = 0; l < 6; ++l) {
    for (int k = 0; k < n; ++k)
      x[static_cast<std::size_t>(k)] =
          rows[static_cast<std::size_t>(k)][static_cast<std::size_t>(l)];
    int factors[kFftFactorSpace] = {};
    CMPFFT(x.data(), n, factors, nullptr);
    for (int k = 0; k < n; ++k)
      out[static_cast<std::size_t>(k)][static_cast<std::size_t>(l)] =
          x[static_cast<std::size_t>(k)].real();
  }
  return out;
}

RandomPeak random_peak(const float* density, int n, float fmin, float fstep, float time) {
  std::vector<float> a0(static_cast<std::size_t>(std::max(n, 0)));
  std::vector<float> a2(a0.size());
  float w = fmin;
  for (int i = 0; i < n; ++i) {
    a0[static_cast<std::size_t>(i)] = density[i];
    a2[static_cast<std::size_t>(i)] = w * w * density[i];
    w += fstep;
  }
  RandomPeak p;
  p.m0 = SIMPSN(a0.data(), n, fstep);
  p.m2 = SIMPSN(a2.data(), n, fstep);
  p.nu0 = p.m0 != 0.0f ? std::sqrt(p.m2 / p.m0) / (2.0f * kPiFloat) : 0.0f;
  if (p.m2 != 0.0f && p.nu0 != 0.0f) {
    const float product = p.nu0 * time;
    if (product > 1.0f) {
      const float s = std::sqrt(2.0f * std::log(product));
      p.factor = s + 0.5772f / s;
    } else {
      p.defined = false;
    }
  }
  p.maximum = std::sqrt(p.m0) * p.factor;
  return p;
}

void respond(RunState& s, ResponseData& r, int i, float omega, Matrix6& result) {
  dynamic_stiffness(result, omega, s.foundation.mass);
  const std::size_t at = static_cast<std::size_t>(i);
  r.failed[at] = false;
  switch (s.flags.load_type) {
    case LoadKind::transient: {
      std::array<Complex, 6> u = s.load.transient.spectrum[at];
      if (!solve(s, result, u.data(), 1, omega)) {
        u.fill(Complex(0.0f, 0.0f));
        r.failed[at] = true;
      }
      r.spectrum[at] = u;
      break;
    }
    case LoadKind::random: {
      Matrix6 h{};
      for (int k = 1; k <= 6; ++k) h[at6(k, k)] = Complex(1.0f, 0.0f);
      if (solve(s, result, h.data(), 6, omega)) {
        r.density[at] = response_density(h, s.load.random.matrix[at]);
      } else {
        r.density[at].fill(0.0f);
        r.failed[at] = true;
      }
      break;
    }
    case LoadKind::harmonic: {
      const float scale = s.flags.harmonic_form == 2 ? omega * omega : 1.0f;
      std::array<Complex, 6> u{};
      for (std::size_t k = 0; k < 6; ++k) u[k] = Complex(s.load.harmonic.at_cg[k] * scale, 0.0f);
      if (solve(s, result, u.data(), 1, omega)) {
        // |u|, without the underflow of squaring very small amplitudes.
        for (std::size_t k = 0; k < 6; ++k)
          r.amplitude[at][k] = std::hypot(u[k].real(), u[k].imag());
      } else {
        r.amplitude[at].fill(0.0f);
        r.failed[at] = true;
      }
      break;
    }
    default:
      break;
  }
}

namespace {

void write_harmonic(RunState& s, const FrequencyPlan& plan, const ResponseData& r) {
  int status = 0;
  HEADER(s, header_results, status);
  const std::string& len = s.labels[lbl_length];
  s.report().write_fmt(
      "(/,/,24X,'FOOTING RESPONSE AMPLITUDES',/,24X,27('-'),/,/,1X,'   FREQ.    FREQ.     "
      "TRANS. X    TRANS. Y    VERTICAL','   ROT ABOUT   ROT ABOUT   TORSIONAL',/,1X,'    Hz    "
      "rad/sec    DIRECTION   DIRECTION            ','     X AXIS       Y AXIS            ',/,"
      "1X,'                       (UOX)       (UOY)       (UOZ)  ','     (EPOX)      (EPOY)      "
      "(EPOZ)',/,10X,16X,A2,10X,A2,10X,A2,10X,'rad',9X,'rad',9X,'rad',/,1X,'  ------  -------    "
      "---------   ---------   ---------','   ---------   ---------   ---------',/)",
      len, len, len);
  // Two decimals unless the step needs more for the rows to differ.
  const float last = plan.fmin + static_cast<float>(std::max(plan.count - 1, 0)) * plan.fstep;
  const float largest = std::max(std::fabs(plan.fmin), std::fabs(last));
  const std::string frequencies =
      "2X," + distinct_edit(hertz(plan.fstep), hertz(largest), 7, 2) + ",2X," +
      distinct_edit(plan.fstep, largest, 7, 2) + ",2X,";
  float omega = plan.fmin;
  for (int i = 0; i < plan.count; ++i) {
    const auto& u = r.amplitude[static_cast<std::size_t>(i)];
    if (r.failed[static_cast<std::size_t>(i)]) {
      s.report().write_fmt("(" + frequencies + "'  *** NO SOLUTION AT THIS FREQUENCY ***')",
                           hertz(omega), omega);
    } else {
      s.report().write_fmt("(" + frequencies + "6(1X,1P,E11.4))", hertz(omega), omega, u[0], u[1],
                           u[2], u[3], u[4], u[5]);
    }
    s.units[6].write(r.failed[static_cast<std::size_t>(i)] ? no_response_record(omega)
                                                            : response_record(omega, u));
    omega += plan.fstep;
  }
}

void write_transient(RunState& s, const FrequencyPlan& plan, const ResponseData& r) {
  const int n = plan.points;
  const auto history = transient_histories(r.spectrum, n);
  int status = 0;
  HEADER(s, header_results, status);
  const std::string& len = s.labels[lbl_length];
  s.report().write_fmt(
      "(/,/,24X,'FOOTING RESPONSE AMPLITUDES',/,24X,27('-'),/,/,1X,'          TRANS. X   "
      "TRANS. Y    VERTICAL',5X,'ROT ABOUT',5X,'ROT ABOUT',2X,'TORSIONAL',/,1X,'  TIME    "
      "DIRECTION  DIRECTION         ','        X AXIS       Y AXIS            ',/,13X,'(OUX)      "
      "(UOY)       (UOZ)       (EPOX)       (EPOY)',5X,' (EPOZ)',/,15X,A2,9X,A2,10X,A2,9X,'rad',"
      "10X,'rad',9X,'rad',/,1X,'-------   ---------   ---------   --------',3X,'  ---------',3X,"
      "' --------- ',2X,'--------',/)",
      len, len, len);
  // Row k shows k dt, with the decimals that show every multiple of the step
  // exactly: F7.2 for whole hundredths, a wider field for a finer step, the E
  // format beyond ten decimals.
  const std::string row =
      "(1X," + multiples_edit(plan.time_step, n, 7, 2) + ",2X,6(1X,1P,E11.4))";
  for (int k = 0; k < n; ++k) {
    const auto& u = history[static_cast<std::size_t>(k)];
    const double t = static_cast<double>(k + 1) * static_cast<double>(plan.time_step);
    s.report().write_fmt(row, t, u[0], u[1], u[2], u[3], u[4], u[5]);
  }
}

void write_random(RunState& s, const FrequencyPlan& plan, const ResponseData& r) {
  int status = 0;
  HEADER(s, header_results, status);
  s.report().write_fmt(
      "(/,/,14X,'DEGREE OF',/,15X,'FREEDOM',4X,'PEAK FACTOR (G)',3X,'MAXIMUM DISPLACEMENT',/,14X,"
      "9('-'),3X,15('-'),3X,20('-'),/)");
  const int n = plan.count;
  std::vector<float> density(static_cast<std::size_t>(n));
  for (int l = 0; l < 6; ++l) {
    for (int i = 0; i < n; ++i)
      density[static_cast<std::size_t>(i)] =
          r.density[static_cast<std::size_t>(i)][static_cast<std::size_t>(l)];
    const RandomPeak p =
        random_peak(density.data(), n, plan.fmin, plan.fstep, s.load.random.observation_time);
    if (p.defined) {
      s.report().write_fmt("(17X,I2,12X,F4.1,9X,E14.4)", l + 1, p.factor, p.maximum);
    } else {
      s.report().write_fmt(
          "(17X,I2,12X,'NOT DEFINED: MEAN FREQUENCY TIMES OBSERVATION TIME IS NOT ABOVE 1')",
          l + 1);
    }
  }
  float largest = 0.0f;
  for (int i = 0; i < n; ++i)
    largest = std::max(largest, std::fabs(plan.omega[static_cast<std::size_t>(i)]));
  const std::string row = "(15X," + distinct_edit(plan.fstep, largest, 7, 2) + ",15X,1P,E12.6)";
  const auto curve = [&](std::string_view head, int dof) {
    s.report().write_fmt(head);
    for (int i = 0; i < n; ++i)
      s.report().write_fmt(row, plan.omega[static_cast<std::size_t>(i)],
                           r.density[static_cast<std::size_t>(i)][static_cast<std::size_t>(dof)]);
  };
  curve(
      "(/,/,15X,'RESPONSE SPECTRA CURVE OF TRANSLATION',/,15X,37('-'),/,15X,'FREQUENCY',12X,"
      "'IN X DIRECTION',/)",
      0);
  curve(
      "(/,/,15X,'RESPONSE SPECTRA CURVE OF ROTATION',/,15X,34('-'),/,15X,'FREQUENCY',14X,"
      "'ABOUT Y AXIS',/)",
      4);
}

}  // namespace

void write_response(RunState& s, const FrequencyPlan& plan, const ResponseData& r) {
  switch (s.flags.load_type) {
    case LoadKind::transient:
      write_transient(s, plan, r);
      break;
    case LoadKind::random:
      write_random(s, plan, r);
      break;
    case LoadKind::harmonic:
      write_harmonic(s, plan, r);
      break;
    default:
      break;
  }
}

}  // namespace zrv
