#include "impedance/halfspace.h"

#include <cmath>

#include "numerics/pi.h"

namespace zrv {

namespace {

using cd = std::complex<double>;

// Damping parts of the complex modulus 1 + i d: q + i p is its square root.
struct Viscous {
  double s, p, q;
  explicit Viscous(double d)
      : s(std::sqrt(1.0 + d * d)), p(std::sqrt((s - 1.0) / 2.0)), q(std::sqrt((s + 1.0) / 2.0)) {}
};

// Resonant correction of amplitude c and frequency scale b at frequency a,
// carried to the damped soil: real part re, imaginary part im (im without c,
// so that the caller supplies the product c b).
struct Resonant {
  double re, im;
  Resonant(const Viscous& v, double c, double b, double a) {
    const double q2 = (b * a) * (b * a);
    const double e = v.s + 2.0 * v.p * b * a + q2;
    re = c * (v.s + v.p * b * a) * q2 / e;
    im = v.q * q2 / e;
  }
};

std::complex<float> to_float(double re, double im) {
  return {static_cast<float>(re), static_cast<float>(im)};
}

// Damping coefficient below a stratum resonance: amp * beta * F / (1 - (1 - d) F^2).
// Without material damping the term is 0, also at F = 1 where the quotient is 0/0.
double below_resonance(double amp, double beta, double f, double d) {
  const double num = amp * beta * f;
  if (num == 0.0) return 0.0;
  return num / (1.0 - (1.0 - d) * f * f);
}

}  // namespace

HalfspaceImpedance HSPIMP(float a0, float nu, float d, float r, float r4, float r5, float rt) {
  const bool soft = nu < 0.4f;
  const double c1 = soft ? 0.65 : 0.6;
  const double c2 = soft ? 0.5 : 0.4;
  const double c3 = 0.8;
  const double c4 = soft ? 0.0 : 0.027;
  const double c5 = soft ? 0.35 : 0.0;
  const double c6 = soft ? 0.8 : 0.0;
  const double c7 = soft ? 0.0 : 0.17;
  const double c8 = soft ? 0.75 : 0.85;

  const Viscous v(d);
  const double a = a0;
  const double a4 = a * r4 / r;
  const double a5 = a * r5 / r;
  const double at = a * rt / r;

  HalfspaceImpedance z;
  const double fh = 8.0 / (2.0 - nu);
  z.horizontal = to_float(fh * (1.0 - c1 * v.p * a), fh * (c1 * v.q * a + d));

  const double fv = 4.0 / (1.0 - nu);
  const Resonant rv(v, c5, c6, a);
  z.vertical = to_float(fv * (1.0 - rv.re - c8 * v.p * a - c7 * a * a),
                        fv * (a * (c8 * v.q + c5 * c6 * rv.im) + d));

  const double fr = 8.0 / (3.0 * (1.0 - nu));
  const Resonant r4v(v, c2, c3, a4);
  z.rocking4 = to_float(fr * (1.0 - r4v.re - c4 * a4 * a4), fr * (a4 * c2 * c3 * r4v.im + d));
  const Resonant r5v(v, c2, c3, a5);
  z.rocking5 = to_float(fr * (1.0 - r5v.re - c4 * a5 * a5), fr * (a5 * c2 * c3 * r5v.im + d));

  const double ft = 16.0 / 3.0;
  const Resonant rtv(v, 0.425, 0.687, at);
  z.torsion = to_float(ft * (1.0 - rtv.re), ft * (at * 0.291975 * rtv.im + d));
  return z;
}

StratumImpedance STRIMP(float omega, const StratumInput& in) {
  const double g = in.gravity;
  const double nu = in.nu;
  const double d = in.damping;
  const double e = in.embedment;
  const double h = in.depth;
  const double rho = in.unit_weight / g;
  const double gm = rho * static_cast<double>(in.vs) * in.vs;
  const double lambda = 2.0 * nu * gm / (1.0 - 2.0 * nu);
  const float vp = static_cast<float>(std::sqrt((lambda + 2.0 * gm) * g / in.unit_weight));

  // Resonance ratios and dimensionless frequencies in single precision, so
  // that the branch choices below fall as the stored values say.
  const float fs = in.vs / (4.0f * in.depth);
  const float fp = vp / (4.0f * in.depth);
  const float f = omega * 0.5f / kPiFiveDecimals;
  const float ratio_s = f / fs;
  const float ratio_p = f / fp;
  const float ah = omega * in.rh / in.vs;
  const float a4 = omega * in.r4 / in.vs;
  const float a5 = omega * in.r5 / in.vs;
  const float at = omega * in.rt / in.vs;
  const double beta = d / 2.0;

  const double rh = in.rh, rv = in.rv, r4 = in.r4, r5 = in.r5, rt = in.rt;
  const double kh = 8.0 * gm * rh / (2.0 - nu) * (1.0 + rh / (2.0 * h)) * (1.0 + 2.0 * e / (3.0 * rh)) *
                    (1.0 + 1.25 * e / h);
  const double k_c4 = (0.4 * e / r4 - 0.03) * r4 * kh;
  const double k_c5 = (0.4 * e / r5 - 0.03) * r5 * kh;
  auto kr = [&](double r) {
    return 8.0 * gm * r * r * r / (3.0 * (1.0 - nu)) * (1.0 + r / (6.0 * h)) * (1.0 + 2.0 * e / r) *
           (1.0 + 0.7 * e / h);
  };
  const double kv = 4.0 * gm * rv / (1.0 - nu) * (1.0 + 1.28 * rv / h) * (1.0 + 0.47 * e / rv) *
                    (1.0 + (0.85 - 0.28 * e / rv) * (e / h) / (1.0 - e / h));
  const double kt = 16.0 * gm * rt * rt * rt / 3.0 * (1.0 + 2.67 * e / rt);

  double ch, ct;
  if (ratio_s <= 1.0f) {
    ch = below_resonance(0.65, beta, ratio_s, d);
    ct = 0.2307692 * ch;
  } else {
    ch = 0.6;
    ct = 0.3 * at * at / (2.0 + static_cast<double>(at) * at);
  }
  double cv, c4, c5;
  if (ratio_p <= 1.0f) {
    c4 = c5 = below_resonance(0.5, beta, ratio_p, d);
    cv = 1.34 * c4;
  } else {
    cv = 0.85;
    c4 = 0.3 * a4 * a4 / (1.0 + static_cast<double>(a4) * a4);
    c5 = 0.3 * a5 * a5 / (1.0 + static_cast<double>(a5) * a5);
  }

  auto rocking_factor = [&](float a) -> double {
    if (in.nu < 0.45f && a >= 2.5f) return 0.5;
    return 1.0 - 0.2 * a;
  };
  const double kt_factor = at < 3.0f ? 1.0 - 0.133 * at : 0.6;

  const cd material(1.0, d);
  auto imp = [&](double stiff, double k, double a, double c) {
    const cd z = stiff * cd(k, a * c) * material;
    return std::complex<float>(z);
  };
  StratumImpedance z;
  z.horizontal = imp(kh, 1.0, ah, ch);
  z.vertical = imp(kv, 1.0, ah, cv);
  z.coupling4 = imp(k_c4, 1.0, ah, ch);
  z.coupling5 = imp(-k_c5, 1.0, ah, ch);
  z.rocking4 = imp(kr(r4), rocking_factor(a4), a4, c4);
  z.rocking5 = imp(kr(r5), rocking_factor(a5), a5, c5);
  z.torsion = imp(kt, kt_factor, at, ct);
  return z;
}

}  // namespace zrv
