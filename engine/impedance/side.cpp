#include "impedance/side.h"

#include <algorithm>
#include <cmath>

#include "impedance/bessel.h"
#include "numerics/pi.h"
#include "numerics/solvers.h"

namespace zrv {
namespace {

using cd = std::complex<double>;

constexpr cd kI{0.0, 1.0};
// Low-frequency rules: the horizontal reaction is not evaluated below a0 = 0.3
// and the vertical one not below 0.05; below 0.3 the radiation damping of the
// vertical reaction is ramped down, and below 0.1 blended into material damping.
constexpr double kLowFrequency = 0.3;
constexpr double kVerticalFloor = 0.05;
constexpr double kVerticalBlend = 0.1;
// Factor of the annulus stiffness of the horizontal zone form.
constexpr double kAnnulusFactor = 3.7699115;

// Layer values in double.
struct Layer {
  double a0;
  double nu;
  double damping;
  cd modulus;         // 1 + i D
  cd kappa;           // sqrt(1 + i D)
  bool compressible;  // nu < 0.5
  double eta;         // Vp / Vs = sqrt(2 (1 - nu) / (1 - 2 nu)), when compressible
};

// z K0(z) / K1(z), with its limit 0 at z = 0.
cd z_k0_over_k1(cd z) {
  if (z == cd(0.0)) return 0.0;
  return z / bessel_k1_over_k0(z);
}

// Horizontal reaction of the soil outside a cylinder at dimensionless frequency
// a. q receives the compression-wave argument s / eta.
cd horizontal_soil(const Layer& layer, double a, cd& q) {
  const cd s = kI * a / layer.kappa;
  const cd ratio_s = bessel_k1_over_k0(s);
  const double scale = -kPi * a * a;
  if (!layer.compressible) return scale * (4.0 * ratio_s + s) / s;
  q = s / layer.eta;
  const cd ratio_q = bessel_k1_over_k0(q);
  // Numerator and denominator divided by K0(q) K0(s).
  return scale * (4.0 * ratio_q * ratio_s + s * ratio_q + q * ratio_s) /
         (q * ratio_s + s * ratio_q + q * s);
}

// Vertical reaction of the soil outside a cylinder at dimensionless frequency a.
cd vertical_soil(const Layer& layer, double a) {
  const cd s = kI * a / layer.kappa;
  return 2.0 * kPi * layer.modulus * s * bessel_k1_over_k0(s);
}

cd with_imag(cd value, double imag) { return {value.real(), imag}; }

// Layer horizontal reaction with its low-frequency and cut-off rules. q
// receives the compression-wave argument of the last evaluation.
cd horizontal_reaction(const Layer& layer, double ab, int& shear_cutoff, cd& q) {
  const cd su = horizontal_soil(layer, std::max(ab, kLowFrequency), q);
  if (shear_cutoff > 0) {
    shear_cutoff = -1;
    const cd floor = horizontal_soil(layer, kLowFrequency, q);
    return {su.real(), layer.damping * floor.real()};
  }
  if (ab < kLowFrequency) {
    const double f = ab / kLowFrequency;
    return with_imag(su, layer.damping * su.real() * (1.0 - f) + f * su.imag());
  }
  return su;
}

// Layer vertical reaction with its low-frequency and cut-off rules.
cd vertical_reaction(const Layer& layer, double ab, int compression_cutoff) {
  cd v = vertical_soil(layer, std::max(ab, kVerticalFloor));
  if (layer.a0 < kLowFrequency) v = with_imag(v, v.imag() * layer.a0 / kLowFrequency);
  if (compression_cutoff > 0) {
    return with_imag(v, layer.damping * vertical_soil(layer, kVerticalFloor).real());
  }
  if (ab < kVerticalBlend) {
    const double f = ab / kVerticalBlend;
    const double low = layer.damping * vertical_soil(layer, kVerticalFloor).real();
    return with_imag(v, low * (1.0 - f) + f * vertical_soil(layer, kVerticalBlend).imag());
  }
  return v;
}

// Horizontal reaction with a zone: the zone is a uniform annulus r..R, taken as
// a ring held at its outer edge and moved by the cylinder at its inner edge,
// whose stiffness acts in series with the outer soil's reaction su at R.
// q is the layer's compression-wave argument at R.
cd horizontal_with_zone(const Layer& layer, const SideSoil& in, cd su, cd q) {
  const double outer = static_cast<double>(in.r) + in.zone_thickness;
  const double ratio = in.r / outer;  // r / R
  const cd zone_modulus = static_cast<double>(in.zone_modulus) * cd(1.0, in.zone_damping);
  const cd kappa_zone = std::sqrt(static_cast<double>(in.zone_modulus)) *
                        std::sqrt(cd(1.0, in.zone_damping) / layer.modulus);
  const cd q_outer = q / kappa_zone;
  const cd q_inner = ratio * q_outer;
  const cd s_outer = layer.eta * q_outer;
  const cd s_inner = layer.eta * q_inner;

  // Each column of the system below holds one family of functions (I or K of
  // the compression or the shear argument). Each family is taken relative to
  // its size at the radius where it is largest (I at R, K at r); the constant
  // factors fold into the unknowns, and large arguments stay in range.
  const cd fq = std::exp(q_inner - q_outer);
  const cd fs = std::exp(s_inner - s_outer);
  const cd i0qr = bessel_i0_scaled(q_inner) * fq, i1qr = bessel_i1_scaled(q_inner) * fq;
  const cd k0qr = bessel_k0_scaled(q_inner), k1qr = bessel_k1_scaled(q_inner);
  const cd i0sr = bessel_i0_scaled(s_inner) * fs, i1sr = bessel_i1_scaled(s_inner) * fs;
  const cd k0sr = bessel_k0_scaled(s_inner), k1sr = bessel_k1_scaled(s_inner);
  const cd i0qR = bessel_i0_scaled(q_outer), i1qR = bessel_i1_scaled(q_outer);
  const cd k0qR = bessel_k0_scaled(q_outer) * fq, k1qR = bessel_k1_scaled(q_outer) * fq;
  const cd i0sR = bessel_i0_scaled(s_outer), i1sR = bessel_i1_scaled(s_outer);
  const cd k0sR = bessel_k0_scaled(s_outer) * fs, k1sR = bessel_k1_scaled(s_outer) * fs;

  // Rows 1-2 belong to the inner radius, rows 3-4 to the outer one; column j
  // multiplies x_j.
  const cd rows[4][4] = {
      {q_inner * i0qr - i1qr, -q_inner * k0qr - k1qr, -i1sr, -k1sr},
      {i1qr, k1qr, i1sr - s_inner * i0sr, k1sr + s_inner * k0sr},
      {ratio * i1qR - q_inner * i0qR, ratio * k1qR + q_inner * k0qR, ratio * i1sR, ratio * k1sR},
      {ratio * i1qR, ratio * k1qR, ratio * i1sR - s_inner * i0sR, ratio * k1sR + s_inner * k0sR},
  };
  // Each column is scaled to a largest entry of 1 before it is rounded to
  // single precision, so that growing and decaying functions of large
  // arguments stay in range; the solution is scaled back.
  std::complex<float> a[16];
  double scale[4];
  for (int j = 0; j < 4; ++j) {
    double largest = 0.0;
    for (int i = 0; i < 4; ++i) largest = std::max(largest, std::abs(rows[i][j]));
    scale[j] = largest > 0.0 ? 1.0 / largest : 1.0;
    for (int i = 0; i < 4; ++i) a[i + 4 * j] = std::complex<float>(rows[i][j] * scale[j]);
  }
  std::complex<float> b[4] = {1.0f, 1.0f, 0.0f, 0.0f};
  float work[4];
  // A failed factorisation leaves b as given, which is then taken as the solution.
  LEQT1C(a, 4, 4, b, 1, 4, 0, work);
  const cd x1 = cd(b[0]) * scale[0], x2 = cd(b[1]) * scale[1];
  const cd x3 = cd(b[2]) * scale[2], x4 = cd(b[3]) * scale[3];

  const cd q2 = q_inner * q_inner;
  const cd s2 = s_inner * s_inner;
  const cd iq = 2.0 * i1qr - q_inner * i0qr;  // 2 I1(q) - q I0(q)
  const cd kq = q_inner * k0qr + 2.0 * k1qr;  // q K0(q) + 2 K1(q)
  const cd is = 2.0 * i1sr - s_inner * i0sr;
  const cd ks = s_inner * k0sr + 2.0 * k1sr;
  const cd sum1 = (iq + q2 * i1qr) * x1 + (kq + q2 * k1qr) * x2 + is * x3 + ks * x4;
  const cd sum2 = iq * x1 + kq * x2 + (is + s2 * i1sr) * x3 + (ks + s2 * k1sr) * x4;
  const cd sum3 = -iq * x1 - kq * x2 - is * x3 - ks * x4;
  const double lambda = 2.0 * layer.nu / (1.0 - 2.0 * layer.nu);
  const cd z = sum2 - layer.eta * layer.eta * sum1 - (lambda + 1.0) * sum3;
  const cd annulus = kAnnulusFactor * zone_modulus * z;
  return su / (su / annulus + 1.0);
}

enum class Motion { vertical, rocking, torsion };

// Most terms of a zone series. Its terms fall off like r^n, r = max(|sqrt(w)|,
// (rho - 1) / rho), the distance to the nearest singular point of the equation
// of motion (where the modulus or the radius vanishes); a zone whose series
// needs more terms, as for a shear-modulus ratio below about 0.005, is
// integrated instead.
constexpr int kMaxSeriesTerms = 20000;
// Step of the integration as a fraction of the local length scale.
constexpr double kStepFraction = 0.05;

// -u'/u at the inner radius of a zone whose complex shear modulus runs from the
// layer's at the outer radius rho (with zero slope) parabolically to the
// zone's at the inner radius 1, all in units of r: G(x) = G_layer m(x) with
// m = 1 - w (x/X)^2, x = rho - radius and X = rho - 1. u is the radial
// solution of the motion that continues the outer soil's solution at rho with
// its value and slope: K0(sigma rho) for the vertical motion, K1(sigma rho) for
// the others. With primes taken in the radius xi, the motions obey
//   vertical  (1/xi)(xi m u')' - sigma^2 u = 0
//   rocking   (1/xi)(xi m u')' - m u / xi^2 - sigma^2 u = 0
//   torsion   (1/xi^2)(xi^2 m (u' - u/xi))' - sigma^2 u = 0.
struct Zone {
  Motion motion;
  cd sigma;
  double rho;
  cd w;
};

// Sums u as a power series in x, u = sum C_n x^n, whose coefficients follow
// from the equation of motion by a recurrence, until its terms no longer
// change the sums. The recurrence runs on the terms T_n = C_n X^n at the inner
// radius rather than on C_n: C_n grows like (sqrt(w) / X)^n while X^n shrinks,
// and for a soft zone (w near 1) the sum needs thousands of terms, so either
// factor alone leaves the double range long before the sum has settled. It
// depends on w only through w = beta^2 X^2, so a zone equal to the layer
// (w = 0) needs no special case. Returns false when the sums do not settle or
// cancel too far to be trusted (large |sigma| X).
bool zone_series(const Zone& zone, cd k1_over_k0, cd& result) {
  const double rho = zone.rho;
  const cd sigma = zone.sigma;
  const double x = rho - 1.0;
  const cd w = zone.w;
  const cd s2x = sigma * sigma * (x * x);  // (sigma X)^2
  const double rho2 = rho * rho;
  // The outer solution is scaled to u(rho) = 1.
  // t[0..3]: T_(n-1), T_(n-2), T_(n-3), T_(n-4) as n advances.
  cd t[4];
  t[2] = 1.0;
  if (zone.motion == Motion::vertical) {
    t[1] = sigma * k1_over_k0 * x;
    t[0] = 0.5 * s2x + t[1] * x / (2.0 * rho);
  } else {
    t[1] = (1.0 / rho + sigma / k1_over_k0) * x;
    t[0] = (s2x * rho2 + x * x + rho * x * t[1]) / (2.0 * rho2);
  }
  cd value = t[2] + t[1] + t[0];
  cd slope = t[1] + 2.0 * t[0];  // X du/dx
  double largest = std::max({1.0, std::abs(t[1]), std::abs(t[0])});
  int quiet = 0;
  constexpr double kTiny = 1e-17;
  for (int n = 3; quiet < 4; ++n) {
    if (n > kMaxSeriesTerms) return false;
    const double m = n - 1.0;
    cd next;
    if (zone.motion == Motion::vertical) {
      next = (x * m * m * t[0] + rho * (m * (n - 2.0) * w + s2x) * t[1] -
              x * (m * (n - 3.0) * w + s2x) * t[2]) /
             (rho * n * m);
    } else {
      const double shift3 = zone.motion == Motion::rocking ? 0.0 : 2.0;
      const double shift4 = zone.motion == Motion::rocking ? 1.0 : 3.0;
      next = x * m * (2.0 * n - 3.0) * t[0] / rho +
             (rho2 * w * m * (n - 2.0) + rho2 * s2x - m * (n - 3.0) * x * x) * t[1] / rho2 -
             x * (((n - 3.0) * (2.0 * n - 3.0) - shift3) * w + 2.0 * s2x) * t[2] / rho;
      if (n >= 4) next += x * x * (((n - 2.0) * (n - 4.0) - shift4) * w + s2x) * t[3] / rho2;
      next /= n * m;
    }
    const cd slope_term = static_cast<double>(n) * next;
    value += next;
    slope += slope_term;
    largest = std::max(largest, std::abs(next));
    const bool small = std::abs(next) <= kTiny * std::abs(value) &&
                       std::abs(slope_term) <= kTiny * std::abs(slope);
    quiet = small ? quiet + 1 : 0;
    t[3] = t[2];
    t[2] = t[1];
    t[1] = t[0];
    t[0] = next;
  }
  result = slope / (x * value);
  // Accept the sums while the cancellation leaves at least ten digits.
  return std::isfinite(result.real()) && std::isfinite(result.imag()) &&
         largest <= 1e6 * std::abs(value);
}

// The same -u'/u by integrating the first-order equation of the flux ratio
// P = xi m u'/u (torsion: P = xi^2 m (u'/u - 1/xi)) from rho inwards to 1 with
// fourth-order steps. Inwards the wanted solution dominates the other one, so
// the integration is stable.
cd zone_integrated(const Zone& zone, cd k1_over_k0) {
  const double rho = zone.rho;
  const double x = rho - 1.0;
  const cd s2 = zone.sigma * zone.sigma;
  const auto modulus = [&](double xi) {
    const double f = (rho - xi) / x;
    return 1.0 - zone.w * f * f;
  };
  const auto rate = [&](double xi, cd p) -> cd {
    const cd m = modulus(xi);
    switch (zone.motion) {
      case Motion::vertical:
        return xi * s2 - p * p / (xi * m);
      case Motion::rocking:
        return xi * s2 + m / xi - p * p / (xi * m);
      case Motion::torsion:
        return xi * xi * s2 - p * p / (xi * xi * m) - p / xi;
    }
    return 0.0;
  };
  cd p;
  switch (zone.motion) {
    case Motion::vertical:
      p = -rho * zone.sigma * k1_over_k0;
      break;
    case Motion::rocking:
      p = -rho * zone.sigma / k1_over_k0 - 1.0;
      break;
    case Motion::torsion:
      p = rho * rho * (-zone.sigma / k1_over_k0 - 2.0 / rho);
      break;
  }
  // Each step is a small part of the shorter of two local lengths: the zone's
  // wavelength sqrt(m) / |sigma|, and m / |m'|, over which the modulus changes
  // by itself. The second is short only near the inner edge of a soft zone,
  // where it shrinks with m, so the steps there shrink geometrically.
  const double sigma = std::abs(zone.sigma);
  const double span = std::abs(x);
  const double modulus_rate = 2.0 * std::abs(zone.w) / (span * span);  // |m'| / |rho - xi|
  const double inwards = x > 0.0 ? -1.0 : 1.0;
  double xi = rho;
  for (bool last = false; !last;) {
    const double m = std::abs(modulus(xi));
    const double from_outer = std::abs(rho - xi);
    double length = span;
    if (sigma > 0.0) length = std::min(length, std::sqrt(m) / sigma);
    if (modulus_rate > 0.0 && from_outer > 0.0)
      length = std::min(length, m / (modulus_rate * from_outer));
    double step = std::max(kStepFraction * length, 1e-6 * span);
    if (step >= std::abs(xi - 1.0)) {
      step = std::abs(xi - 1.0);
      last = true;
    }
    const double h = inwards * step;
    const cd k1 = rate(xi, p);
    const cd k2 = rate(xi + 0.5 * h, p + 0.5 * h * k1);
    const cd k3 = rate(xi + 0.5 * h, p + 0.5 * h * k2);
    const cd k4 = rate(xi + h, p + h * k3);
    p += h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
    xi = last ? 1.0 : xi + h;
  }
  const cd m1 = modulus(1.0);
  return zone.motion == Motion::torsion ? -(p / m1 + 1.0) : -p / m1;
}

cd zone_slope(Motion motion, cd sigma, double rho, cd w) {
  const Zone zone{motion, sigma, rho, w};
  const cd k1_over_k0 = bessel_k1_over_k0(rho * sigma);
  // The series settles when r^n falls below about 1e-17 (e^-39), with a margin.
  const double reach = std::max(std::sqrt(std::abs(w)), (rho - 1.0) / rho);
  cd result;
  if (reach < 1.0 - 50.0 / kMaxSeriesTerms && zone_series(zone, k1_over_k0, result)) return result;
  return zone_integrated(zone, k1_over_k0);
}

std::complex<float> to_float(cd value) { return std::complex<float>(value); }

}  // namespace

SideReactions SIDIMP(const SideSoil& in, int& shear_cutoff, int compression_cutoff) {
  SideReactions out{};
  if (in.a0 <= 0.0f) return out;
  if (shear_cutoff < 0) shear_cutoff = 0;

  Layer layer{};
  layer.a0 = in.a0;
  layer.nu = in.nu;
  layer.damping = in.damping;
  layer.modulus = cd(1.0, in.damping);
  layer.kappa = std::sqrt(layer.modulus);
  layer.compressible = in.nu < 0.5f;
  if (layer.compressible) layer.eta = std::sqrt(2.0 * (1.0 - layer.nu) / (1.0 - 2.0 * layer.nu));

  const double r = in.r;
  const double t = in.zone_thickness;
  const bool zone = in.zone_thickness != 0.0f;
  const double rho = zone ? (r + t) / r : 1.0;
  const double ab = layer.a0 * rho;
  const cd zone_modulus = static_cast<double>(in.zone_modulus) * cd(1.0, in.zone_damping);
  // A zone without stiffness transmits nothing.
  const bool void_zone = zone && in.zone_modulus <= 0.0f;

  cd q;
  cd horizontal = horizontal_reaction(layer, ab, shear_cutoff, q);
  if (void_zone) {
    horizontal = 0.0;
  } else if (zone && layer.compressible) {
    horizontal = horizontal_with_zone(layer, in, horizontal, q);
  }

  cd vertical;
  if (in.zone_thickness > 0.0f) {
    if (!void_zone) {
      const double a_v = std::max(ab, kVerticalFloor);
      const cd sigma = kI * a_v / layer.kappa / rho;
      const cd w = 1.0 - zone_modulus / layer.modulus;
      vertical = 2.0 * kPi * zone_modulus * zone_slope(Motion::vertical, sigma, rho, w);
      if (layer.a0 < kLowFrequency) {
        vertical = with_imag(vertical, vertical.imag() * layer.a0 / kLowFrequency);
      }
    }
  } else {
    vertical = vertical_reaction(layer, ab, compression_cutoff);
  }

  cd rocking_x;
  cd rocking_y;
  cd torsion;
  if (!zone) {
    const cd k = kI * layer.a0 / (r * layer.kappa);
    rocking_x = kPi * layer.modulus * (1.0 + z_k0_over_k1(k * static_cast<double>(in.rx)));
    rocking_y = kPi * layer.modulus * (1.0 + z_k0_over_k1(k * static_cast<double>(in.ry)));
    torsion = 2.0 * kPi * layer.modulus * (2.0 + z_k0_over_k1(k * static_cast<double>(in.rt)));
  } else if (!void_zone) {
    const cd sigma = kI * layer.a0 / layer.kappa;
    const cd w = 1.0 - zone_modulus / layer.modulus;
    rocking_x = kPi * zone_modulus * zone_slope(Motion::rocking, sigma, rho, w);
    rocking_y = rocking_x;
    torsion = 2.0 * kPi * zone_modulus * (1.0 + zone_slope(Motion::torsion, sigma, rho, w));
  }

  out.horizontal = to_float(horizontal);
  out.vertical = to_float(vertical);
  out.rocking_x = to_float(rocking_x);
  out.rocking_y = to_float(rocking_y);
  out.torsion = to_float(torsion);
  return out;
}

}  // namespace zrv
