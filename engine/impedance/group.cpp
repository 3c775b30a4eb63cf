#include "impedance/group.h"

#include <algorithm>
#include <cmath>

#include "impedance/batter.h"
#include "numerics/pi.h"
#include "numerics/small.h"
#include "numerics/solvers.h"
#include "numerics/tasks.h"

namespace zrv {

namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

float clampf(float v, float lo, float hi) { return std::min(std::max(v, lo), hi); }

// Young's modulus 2 (1 + nu) rho Vs^2 of a soil.
float soil_modulus(const GroupLayer& l, float g) {
  return 2.0f * (1.0f + l.poisson_ratio) * (l.unit_weight / g) * l.shear_velocity *
         l.shear_velocity;
}

// One fitted vertical curve: D - (D - C t) w with D = B (1 + R f r).
struct Curve {
  float b, c, t, f, r, w, rr;
  float value() const {
    const float d = b * (1.0f + rr * f * r);
    return d - (d - c * t) * w;
  }
};

}  // namespace

float ALFVER(float s, float l_d, float k_ratio, float eb, float nu, float rb) {
  if (s <= 0.0f) return 1.0f;
  const float l = std::log(s), x = 1.0f / s, xp = std::min(x, 0.3f);
  const float k = std::log10(k_ratio);
  const float e = std::max(std::log10(eb), 0.0f);
  const float r1 = clampf(rb - 1.0f, 0.0f, 1.0f), r2 = clampf(rb - 1.0f, 0.0f, 2.0f);
  const bool far = s > 10.0f;
  const float w1 = std::min(0.4f * e, 1.0f), w2 = std::min(0.5f * e, 1.0f);
  const float f50 = clampf(0.58f * (k - 1.75f), 0.0f, 1.0f);
  const float r50 = 0.37f - (1.51f - 2.81f * xp) * xp;

  auto curve10 = [&] {
    const float u = clampf(3.0f - k, 0.0f, 2.0f);
    Curve c;
    c.b =
        far ? (1.8f - 2.0f * x) * x * (1.0f - (0.465f - 2.7f * x) * u)
            : (0.72f - 0.244f * l) * (1.0f - (0.06f + 0.005f * s - (0.002f * s - 0.105f) * u) * u);
    c.c = far ? 0.0327f * x : 0.123f - 0.052f * l;
    c.t = std::max(1.0f - 0.9f * std::max(k - 2.0f, -1.0f), 0.0f);
    c.f = clampf(0.2f * k + 0.4f, 0.0f, 1.0f);
    c.r = r2;
    c.w = w1;
    c.rr = 1.0f - (3.28f - 5.53f * xp) * xp;
    return c.value();
  };
  auto curve25 = [&] {
    const float u = clampf(3.0f - k, -0.28f, 1.73f);
    Curve c;
    c.b = far ? (3.765f - 10.2f * x) * x * (1.0f - 0.38f * u)
              : (0.712f - 0.19f * l) * (1.0f - (0.255f + 0.0125f * s) * u);
    c.c = far ? (0.29f + 3.8f * x) * x : 0.32f - 0.11f * l;
    c.t = std::max(1.0f - 0.72f * std::max(k - 2.0f, -0.3f), 0.0f);
    c.f = clampf(0.45f * (k - 1.0f), 0.0f, 1.0f);
    c.r = r1;
    c.w = w2;
    c.rr = 0.78f - (3.78f - 6.57f * xp) * xp;
    return c.value();
  };
  auto curve50 = [&] {
    const float u = clampf(3.0f - k, -1.32f, 1.27f);
    Curve c;
    c.b = far ? (4.4f - 15.6f * x) * x * (1.0f - (0.47f - 1.4f * x) * u)
              : (0.638f - 0.154f * l) * (1.0f - (0.14f + 0.019f * s) * u);
    c.c = far ? (1.88f - 3.2f * x) * x : 0.511f - 0.154f * l;
    const float b = clampf(k - 2.0f, -0.14f, 1.0f);
    float t = far ? 1.0f - 0.5f * b : 1.0f - (0.65f - 0.015f * s) * b;
    if (k > 3.0f) t *= 4.0f - k;
    c.t = std::max(t, 0.0f);
    c.f = f50;
    c.r = r1;
    c.w = w2;
    c.rr = r50;
    return c.value();
  };
  auto curve100 = [&] {
    const float u = clampf(3.0f - k, -1.3f, 1.0f);
    Curve c;
    c.b = far ? (4.63f - 19.4f * x) * x *
                    (1.0f - ((0.658f - 2.46f * x) - (0.076f + 0.84f * x) * u) * u)
              : (0.522f - 0.11f * l) *
                    (1.0f - ((0.092f + 0.032f * s) - (0.195f - 0.0035f * s) * u) * u);
    c.c = far ? (2.04f - 2.8f * x) * x : 0.57f - 0.171f * l;
    const float b = clampf(k - 2.0f, -0.3f, 1.0f);
    float t = far ? 1.0f - 0.07f * b : 1.0f - (0.31f - 0.024f * s) * b;
    if (k > 3.0f) t *= (4.2f - k) / 1.2f;
    c.t = std::max(t, 0.0f);
    c.f = f50;
    c.r = r1;
    c.w = w2;
    c.rr = r50;
    return c.value();
  };

  float alpha;
  if (l_d <= 10.0f) {
    alpha = curve10();
  } else if (l_d <= 25.0f) {
    const float a = curve10(), b = curve25();
    alpha = a + (b - a) * (l_d - 10.0f) / 15.0f;
  } else if (l_d <= 50.0f) {
    const float a = curve25(), b = curve50();
    alpha = a + (b - a) * (l_d - 25.0f) / 25.0f;
  } else if (l_d < 100.0f) {
    const float a = curve50(), b = curve100();
    alpha = a + (b - a) * (l_d - 50.0f) / 50.0f;
  } else {
    alpha = curve100();
  }
  return alpha * (1.0f + (std::sqrt(s) - 1.0f) * (0.5f - nu) * 0.16f);
}

std::array<float, 3> ALFLAT(float s, float kl, float beta, float lf) {
  std::array<float, 3> out{1.0f, 1.0f, 1.0f};
  if (s == 0.0f) return out;
  static constexpr float p[3][2] = {{0.095f, 0.134f}, {0.163f, 0.25f}, {0.202f, 0.271f}};
  static constexpr float q[3][2] = {{0.725f, 0.838f}, {1.095f, 1.315f}, {1.24f, 1.42f}};
  static constexpr float m[3][2] = {{0.41f, 0.203f}, {0.174f, 0.05f}, {0.067f, 0.02f}};
  const float x = 1.0f / s;
  const float c2 = std::cos(beta) * std::cos(beta), s2 = std::sin(beta) * std::sin(beta);
  for (std::size_t c = 0; c < 3; ++c) {
    float a[2];
    for (int d = 0; d < 2; ++d) {
      if (c == 0 && x < 0.2f)
        a[d] = m[c][d] * std::pow(kl, p[c][d]) * std::pow(0.2f, q[c][d]) * x / 0.2f;
      else
        a[d] = m[c][d] * std::pow(kl, p[c][d]) * std::pow(x, q[c][d]);
    }
    out[c] = c2 * a[0] + s2 * a[1];
    if (lf != 0.0f) out[c] *= 1.0f - 0.125f * lf;
  }
  return out;
}

float TABINT(float y2, float y5, float y10, float x) {
  if (x <= 5.0f) return y2 + (y5 - y2) * (x - 2.0f) / 3.0f;
  return y5 + (y10 - y5) * (x - 5.0f) / 5.0f;
}

std::complex<float> DYNVER(float a0, float s, float alpha_static) {
  const float a = std::min(a0, 1.0f);
  float amp;
  if (s <= 10.0f)
    amp = TABINT(std::exp(0.24f * a * a - 0.42f * a), std::exp(0.35f * a * a - 0.74f * a),
                 std::exp(-0.5f * a), s);
  else
    amp = std::exp(-0.05f * s * a);
  float phi;
  if (a <= 0.25f)
    phi =
        TABINT(3.786f * a - 5.2f * a * a, 7.2f * a - 5.54f * a * a, 12.29f * a - 3.31f * a * a, s);
  else
    phi = TABINT(0.6215f + 1.7f * (a - 0.25f), 1.45375f + 4.7f * (a - 0.25f),
                 2.865625f + 9.78f * (a - 0.25f), s);
  const float delta = a0 - a;
  amp *= std::exp(-0.05f * s * delta);
  phi = phi - 0.0936f + s * delta;
  return {alpha_static * amp * std::cos(phi), -alpha_static * amp * std::sin(phi)};
}

LateralCurves lateral_curves(float a0) {
  LateralCurves out;
  const float a = std::min(a0, 1.0f);
  out.a = a;
  out.delta = a0 - a;
  const float a2 = a * a, a3 = a2 * a, a4 = a3 * a;
  // Amplitude at S = 2, 5, 10 per factor and direction.
  const float amp[3][2][3] = {
      {{1.0f + 0.424f * a - 0.362f * a2, 1.0f + 0.135f * a + 0.495f * a2 - 0.878f * a3,
        1.0f - 0.876f * a + 2.23f * a2 - 2.13f * a3},
       {1.0f + 0.442f * a - 0.144f * a2, 1.0f - 0.84f * a + 4.725f * a2 - 3.125f * a3,
        1.0f - 0.84f * a + 4.725f * a2 - 3.125f * a3}},
      {{1.0f + 0.16f * a + 5.45f * a2 - 10.54f * a3 + 5.35f * a4,
        1.0f - 0.11f * a + 11.55f * a2 - 20.84f * a3 + 10.0f * a4,
        1.0f + 0.53f * a + 14.99f * a2 - 23.69f * a3 + 8.22f * a4},
       {1.0f + 0.098f * a + 7.95f * a2 - 13.95f * a3 + 6.71f * a4,
        1.0f + 1.47f * a + 8.73f * a2 - 6.89f * a3, 1.0f - 1.56f * a + 27.63f * a2 - 20.57f * a3}},
      {{1.0f - 0.055f * a + 4.995f * a2 - 8.835f * a3 + 4.22f * a4,
        1.0f - 0.19f * a + 12.48f * a2 - 22.9f * a3 + 11.19f * a4,
        1.0f + 1.785f * a + 4.16f * a2 - 5.21f * a3},
       {1.0f + 0.69f * a + 5.48f * a2 - 9.82f * a3 + 4.42f * a4,
        1.0f + 0.572f * a + 13.12f * a2 - 12.82f * a3 + 2.46f * a4,
        1.0f - 2.14f * a + 25.3f * a2 - 17.35f * a3}}};
  const bool low = a <= 0.25f;
  const float e = a - 0.25f;
  const float phase[3][2][3] = {
      {{1.082f * a, 2.9f * a,
        a < 0.6f ? 5.54f * a
                 : (a <= 0.9f ? 3.324f + 6.571f * (a - 0.6f) : 5.2953f + 0.867f * (a - 0.9f))},
       {1.976f * a, 4.886f * a, a <= 0.5f ? 9.934f * a : 4.967f + 9.244f * (a - 0.5f)}},
      {{0.078f * a + 1.554f * a2 - 0.57f * a3, 0.565f * a + 4.203f * a2 - 1.92f * a3,
        1.798f * a + 6.913f * a2 - 3.027f * a3},
       {low ? 0.12f * a + 2.62f * a2 : 0.19375f + 2.21f * e,
        low ? 0.83f * a + 9.56f * a2 : 0.805f + 5.5f * e,
        low ? 0.85f * a + 28.4f * a2 : 1.9875f + 9.77f * e}},
      {{-0.037f * a + 1.846f * a2 - 0.77f * a3, 0.112f * a + 5.025f * a2 - 2.481f * a3,
        0.352f * a + 8.583f * a2 - 3.72f * a3},
       {low ? 2.67f * a2 : 0.166875f + 2.29f * e,
        low ? 0.34f * a + 8.03f * a2 : 0.586875f + 5.69f * e,
        low ? -0.52f * a + 27.24f * a2 : 1.5725f + 10.17f * e}}};
  std::copy(&amp[0][0][0], &amp[0][0][0] + 18, &out.amp[0][0][0]);
  std::copy(&phase[0][0][0], &phase[0][0][0] + 18, &out.phase[0][0][0]);
  return out;
}

std::array<std::complex<float>, 3> DYNLAT(const LateralCurves& k, float s, float beta,
                                          const LateralStatic& st) {
  const float a = k.a, delta = k.delta, sc = std::min(s, 10.0f);
  constexpr float q[2] = {0.028f, 0.05f}, kk[2] = {0.554f, 1.0f};
  constexpr float c[3] = {0.0757f, 0.05157f, 0.02596f};
  const float c2 = std::cos(beta) * std::cos(beta), s2 = std::sin(beta) * std::sin(beta);
  std::array<cf, 3> out;
  for (std::size_t f = 0; f < 3; ++f) {
    cf dir[2];
    for (std::size_t d = 0; d < 2; ++d) {
      const float* amp = k.amp[f][d];
      const float* phase = k.phase[f][d];
      float am = TABINT(amp[0], amp[1], amp[2], sc);
      float ph = TABINT(phase[0], phase[1], phase[2], s);
      // exp(0) is 1: the decays below a0 = 1 and within S = 10 are skipped.
      const float decay = -q[d] * s * delta;
      if (decay != 0.0f) am *= std::exp(decay);
      ph = ph - c[f] + kk[d] * s * delta;
      const float far = f == 0 ? -q[d] * (s - sc) * a : 0.0f;
      if (far != 0.0f) am *= std::exp(far);
      dir[d] = cf(st[f][d] * am * std::cos(ph), -st[f][d] * am * std::sin(ph));
    }
    out[f] = c2 * dir[0] + s2 * dir[1];
  }
  return out;
}


std::array<std::complex<float>, 3> DYNLAT(float a0, float s, float beta, const LateralStatic& st) {
  return DYNLAT(lateral_curves(a0), s, beta, st);
}

GroupStatus GRPSTA(const GroupInput& in, GroupTables& out) {
  const int n = static_cast<int>(in.piles.size());
  const int nl = in.layer_count;
  if (n < 1 || n > kGroupMaxPiles || nl < 1 || nl > kGroupMaxLayers) return GroupStatus::kPileCount;
  if (!(in.radius > 0.0f) || !(in.length > 0.0f) || !(in.youngs_modulus > 0.0f) ||
      !(in.gravity > 0.0f))
    return GroupStatus::kDiameter;
  const float g = in.gravity;
  out = GroupTables{};
  out.n = n;
  out.x.resize(in.piles.size());
  out.y.resize(in.piles.size());
  for (std::size_t p = 0; p < in.piles.size(); ++p) {
    out.x[p] = in.piles[p].x;
    out.y[p] = in.piles[p].y;
    const auto& ang = in.piles[p].axis_angles;
    if (in.battered && ang[8] != 0.0f) {
      out.x[p] += std::tan(kPiFloat * ang[0] / 180.0f) * in.length / 3.0f;
      out.y[p] += std::tan(kPiFloat * ang[4] / 180.0f) * in.length / 3.0f;
    }
  }

  const float d = 2.0f * in.radius;
  out.diameter = d;
  const auto tip = static_cast<std::size_t>(nl - 1);
  out.tip_velocity = in.layers[tip].shear_velocity;
  if (!(out.tip_velocity > 0.0f)) return GroupStatus::kTipVelocity;
  const float l_d = in.length / d;
  float sum_h = 0.0f, sum_e = 0.0f, sum_nu = 0.0f;
  for (std::size_t k = 0; k <= tip; ++k) {
    const GroupLayer& l = in.layers[k];
    sum_h += l.thickness;
    sum_e += l.thickness * soil_modulus(l, g);
    sum_nu += l.thickness * l.poisson_ratio;
  }
  const float e_mean = sum_h > 0.0f ? sum_e / sum_h : 0.0f;
  const float nu_mean = sum_h > 0.0f ? sum_nu / sum_h : 0.0f;
  float k_ratio = 1.0e8f, eb_ratio = 1.0e8f;
  if (e_mean != 0.0f) {
    k_ratio = in.youngs_modulus * in.area / (e_mean * kPiFloat * d * d / 4.0f);
    eb_ratio = soil_modulus(in.below, g) / e_mean;
  }
  const float e_tip = soil_modulus(in.layers[tip], g);
  const float kl = e_tip != 0.0f ? in.youngs_modulus * (in.inertia_x + in.inertia_y) / 2.0f /
                                       (e_tip * kPiFloat * d * d * d * d / 64.0f)
                                 : 1.0e8f;
  const float rb = in.tip_radius / in.radius;
  const float lf = in.layers[0].shear_velocity == 0.0f ? in.layers[0].thickness / d : 0.0f;
  if (1.0f - 0.125f * lf < 0.0f) return GroupStatus::kFreeLength;

  const size_t nn = in.piles.size() * in.piles.size();
  out.spacing.assign(nn, 0.0f);
  out.angle.assign(nn, 0.0f);
  for (auto& t : out.lateral) t.assign(nn, 0.0f);
  for (size_t i = 0; i < in.piles.size(); ++i)
    for (size_t j = i + 1; j < in.piles.size(); ++j) {
      const float dx = out.x[j] - out.x[i], dy = out.y[j] - out.y[i];
      const float s = std::sqrt(dx * dx + dy * dy) / d;
      if (s == 0.0f) {
        out.pair_i = static_cast<int>(i);
        out.pair_j = static_cast<int>(j);
        return GroupStatus::kCoincident;
      }
      const size_t ij = i + in.piles.size() * j, ji = j + in.piles.size() * i;
      out.spacing[ji] = s;
      out.spacing[ij] = ALFVER(s, l_d, k_ratio, eb_ratio, nu_mean, rb);
      out.angle[ij] = dx == 0.0f ? kPiFloat / 2.0f : std::atan(std::abs(dy) / std::abs(dx));
      out.angle[ji] = dy == 0.0f ? kPiFloat / 2.0f : std::atan(std::abs(dx) / std::abs(dy));
      const std::array<float, 3> at0 = ALFLAT(s, kl, 0.0f, lf);
      const std::array<float, 3> at90 = ALFLAT(s, kl, kPiFloat / 2.0f, lf);
      for (size_t c = 0; c < 3; ++c) {
        out.lateral[c][ij] = at0[c];
        out.lateral[c][ji] = at90[c];
      }
    }
  return GroupStatus::kGroupOk;
}

namespace {

cd dot(int n, const cd* u, const cd* v) {
  cd s = 0.0;
  for (int i = 0; i < n; ++i) s += u[i] * v[i];
  return s;
}

bool battered_pile(const GroupInput& in, std::size_t p) {
  return in.battered && in.piles[p].batter_angle != 0.0f;
}

// Flexibility entries of one pile used by the group matrices.
struct Flexibility {
  cd xx, yy, zz, xr, yr, rx, ry;  // (1,1) (2,2) (3,3) (1,5) (2,4) (5,5) (4,4)
};

Flexibility record(const cf* f) {
  return {f[0], f[7], f[14], f[0 + 6 * 4], f[1 + 6 * 3], f[4 + 6 * 4], f[3 + 6 * 3]};
}

// Impedance of every pile in the global axes: battered piles transformed.
void pile_impedances(const GroupInput& in, const cf* z, std::vector<std::array<cf, 36>>& own) {
  own.resize(in.piles.size());
  for (std::size_t p = 0; p < in.piles.size(); ++p) {
    if (battered_pile(in, p)) {
      BatterAngles angles;
      std::copy(in.piles[p].axis_angles.begin(), in.piles[p].axis_angles.end(), angles.angle);
      BATTRN(angles, z, own[p].data());
    } else {
      std::copy(z, z + 36, own[p].begin());
    }
  }
}

// Without interaction the piles add under the rigid cap.
void rigid_cap_sum(const GroupInput& in, const std::vector<std::array<cf, 36>>& own, cf* g) {
  cd sum[36] = {};
  for (std::size_t p = 0; p < own.size(); ++p) {
    float t[36];
    cf moved[36];
    rigid_offset(in.piles[p].x, in.piles[p].y, in.cap_height, t);
    CTRAN6(own[p].data(), t, moved, 6);
    for (int i = 0; i < 36; ++i) sum[i] += cd(moved[i]);
  }
  for (int i = 0; i < 36; ++i) g[i] = cf(sum[i]);
}

// What the group's flexibility systems are formed from at one frequency.
struct GroupFrequency {
  GroupFrequency(const GroupInput& group, const GroupTables& pairs, float omega)
      : in(group), tables(pairs), n(static_cast<int>(group.piles.size())),
        dynamic(omega > 10.0f), a0(omega * pairs.diameter / pairs.tip_velocity),
        curves(lateral_curves(a0)) {
    for (const GroupPile& p : group.piles) {
      xs.emplace_back(p.x);
      ys.emplace_back(p.y);
    }
  }
  const GroupInput& in;
  const GroupTables& tables;
  int n;
  bool dynamic;  // frequency-dependent factors above 10 rad/s
  float a0;
  LateralCurves curves;  // the lateral factors' polynomials at a0
  std::vector<cd> xs, ys;
  Flexibility common;            // the single pile's, for the pairs
  std::vector<Flexibility> rec;  // each pile's own
  float at(const std::vector<float>& t, int i, int j) const {
    return t[static_cast<std::size_t>(i) + static_cast<std::size_t>(n) * static_cast<std::size_t>(j)];
  }
};

// The flexibility records: the single pile's from z^-1, a battered pile's from
// the inverse of its transformed impedance. False when one cannot be inverted.
bool flexibilities(const cf* z, const std::vector<std::array<cf, 36>>& own, GroupFrequency& fr) {
  cf f[36];
  std::copy(z, z + 36, f);
  if (!CMINV(f, 6, 6)) return false;
  fr.common = record(f);
  fr.rec.assign(static_cast<std::size_t>(fr.n), fr.common);
  for (std::size_t p = 0; p < fr.rec.size(); ++p)
    if (battered_pile(fr.in, p)) {
      cf fb[36];
      std::copy(own[p].begin(), own[p].end(), fb);
      if (!CMINV(fb, 6, 6)) return false;
      fr.rec[p] = record(fb);
    }
  return true;
}

// Vertical flexibility: each pile's own on the diagonal, Fzz times the pair's
// factor off it.
template <class Put>
void vertical_entries(const GroupFrequency& fr, const Put& put) {
  for (int i = 0; i < fr.n; ++i) {
    put(i, i, fr.rec[static_cast<std::size_t>(i)].zz);
    for (int j = i + 1; j < fr.n; ++j) {
      const float s = fr.at(fr.tables.spacing, j, i), av = fr.at(fr.tables.spacing, i, j);
      const cd alpha = fr.dynamic ? cd(DYNVER(fr.a0, s, av)) : cd(av);
      put(i, j, fr.common.zz * alpha);
    }
  }
}

// Lateral flexibility along x or y: per pile its translation (and with fixed
// heads its rotation) on the diagonal, the common entries times the pair's
// three factors off it.
template <class Put>
void lateral_entries(const GroupFrequency& fr, bool along_x, const Put& put) {
  const bool fixed = fr.in.head_fixed;
  const int step = fixed ? 2 : 1;
  const cd fuu = along_x ? fr.common.xx : fr.common.yy;
  const cd fut = along_x ? fr.common.xr : fr.common.yr;
  const cd ftt = along_x ? fr.common.rx : fr.common.ry;
  for (int i = 0; i < fr.n; ++i) {
    const Flexibility& r = fr.rec[static_cast<std::size_t>(i)];
    const int ui = step * i;
    put(ui, ui, along_x ? r.xx : r.yy);
    if (fixed) {
      put(ui, ui + 1, along_x ? r.xr : r.yr);
      put(ui + 1, ui + 1, along_x ? r.rx : r.ry);
    }
    for (int j = i + 1; j < fr.n; ++j) {
      const float s = fr.at(fr.tables.spacing, j, i);
      const float beta = along_x ? fr.at(fr.tables.angle, i, j) : fr.at(fr.tables.angle, j, i);
      LateralStatic st;
      for (std::size_t c = 0; c < 3; ++c)
        st[c] = {fr.at(fr.tables.lateral[c], i, j), fr.at(fr.tables.lateral[c], j, i)};
      cd alpha[3];
      if (fr.dynamic) {
        const std::array<cf, 3> dyn = DYNLAT(fr.curves, s, beta, st);
        for (std::size_t c = 0; c < 3; ++c) alpha[c] = dyn[c];
      } else {
        const float c2 = std::cos(beta) * std::cos(beta), s2 = std::sin(beta) * std::sin(beta);
        for (std::size_t c = 0; c < 3; ++c) alpha[c] = c2 * st[c][0] + s2 * st[c][1];
      }
      const int uj = step * j;
      put(ui, uj, fuu * alpha[0]);
      if (fixed) {
        const cd cross = fut * alpha[1];
        put(ui, uj + 1, cross);
        put(ui + 1, uj, cross);
        put(ui + 1, uj + 1, ftt * alpha[2]);
      }
    }
  }
}

// Order of the lateral systems: translation, and with fixed heads rotation.
int lateral_order(const GroupFrequency& fr) { return fr.in.head_fixed ? 2 * fr.n : fr.n; }

// Right-hand sides, column by column. Vertical: the weights 1, x, y. Lateral:
// unit translation, unit rotation, translation weighted by the torsion arm w
// (y for x, x for y).
std::vector<cd> right_hand_sides(const GroupFrequency& fr, int system) {
  if (system == 0) {
    const std::size_t n = fr.xs.size();
    std::vector<cd> b(n * 3);
    for (std::size_t i = 0; i < n; ++i) {
      b[i] = 1.0;
      b[i + n] = fr.xs[i];
      b[i + 2 * n] = fr.ys[i];
    }
    return b;
  }
  const auto m = static_cast<std::size_t>(lateral_order(fr));
  const std::size_t step = fr.in.head_fixed ? 2 : 1;
  const std::vector<cd>& wt = system == 1 ? fr.ys : fr.xs;
  std::vector<cd> b(m * 3, 0.0);
  for (std::size_t i = 0; i < wt.size(); ++i) {
    b[step * i] = 1.0;
    if (fr.in.head_fixed) b[step * i + 1 + m] = 1.0;
    b[step * i + 2 * m] = wt[i];
  }
  return b;
}

// Hands the entries of system 0 (vertical), 1 (lateral x) or 2 (lateral y).
template <class Put>
void system_entries(const GroupFrequency& fr, int system, const Put& put) {
  if (system == 0)
    vertical_entries(fr, put);
  else
    lateral_entries(fr, system == 1, put);
}

// Stiffness sums of one solved system: weighted sums of the inverse
// flexibility. Vertical: sum K, K x, K y, K x x, K y y, K x y. Lateral (kuu,
// kut, ktt, w kuu, w w kuu, w kut): translation, cross, rotation, and with the
// torsion arm.
using StiffnessSums = std::array<cd, 6>;

// Forms and solves system 0, 1 or 2; false when it is singular.
bool solve_system(const GroupFrequency& fr, int system, SymmetricWork& w, StiffnessSums& k) {
  const int m = system == 0 ? fr.n : lateral_order(fr);
  w.prepare(m);
  system_entries(fr, system, [&w](int i, int j, cd v) { w.set(i, j, v); });
  std::vector<cd> b = right_hand_sides(fr, system);
  const std::vector<cd> e = b;  // the weights, the solutions' partners in the sums
  const SymmetricEntries entries = [&](const std::function<void(int, int, cd)>& put) {
    system_entries(fr, system, put);
  };
  if (!solve_prepared(m, entries, 3, b.data(), w)) return false;
  const cd* x0 = b.data();
  const cd* x1 = x0 + m;
  const cd* x2 = x1 + m;
  const cd* e0 = e.data();
  const cd* e1 = e0 + m;
  const cd* e2 = e1 + m;
  if (system == 0)
    k = {dot(m, e0, x0), dot(m, e1, x0), dot(m, e2, x0),
         dot(m, e1, x1), dot(m, e2, x2), dot(m, e1, x2)};
  else
    k = {dot(m, e0, x0), dot(m, e1, x0), dot(m, e1, x1),
         dot(m, e2, x0), dot(m, e2, x2), dot(m, e2, x1)};
  return true;
}

// The group matrix at the centre of gravity from the stiffness sums of the
// three systems and the piles' own torsion.
GroupStatus assemble(const GroupInput& in, const std::array<StiffnessSums, 3>& k,
                     const std::vector<std::array<cf, 36>>& own, cf* g) {
  const StiffnessSums& v = k[0];
  const StiffnessSums& lx = k[1];
  const StiffnessSums& ly = k[2];
  enum { kuu, kut, ktt, wkuu, wwkuu, wkut };
  cd torsion = 0.0;
  for (const std::array<cf, 36>& z : own) torsion += cd(z[35]);
  cd r[36] = {};
  auto set = [&](int i, int j, cd value) { r[(i - 1) + 6 * (j - 1)] = value; };
  const double h = in.cap_height;
  set(1, 1, lx[kuu]);
  set(2, 2, ly[kuu]);
  set(3, 3, v[0]);
  set(1, 5, lx[kut] - h * lx[kuu]);
  set(2, 4, h * ly[kuu] + ly[kut]);
  set(3, 4, -v[2]);
  set(3, 5, v[1]);
  set(4, 5, -v[5]);
  set(4, 4, h * h * ly[kuu] + ly[ktt] + v[4] + 2.0 * h * ly[kut]);
  set(5, 5, h * h * lx[kuu] + lx[ktt] + v[3] - 2.0 * h * lx[kut]);
  set(1, 6, lx[wkuu]);
  set(2, 6, -ly[wkuu]);
  set(4, 6, -h * ly[wkuu] - ly[wkut]);
  set(5, 6, lx[wkut] - h * lx[wkuu]);
  set(6, 6, lx[wwkuu] + ly[wwkuu] + torsion);
  for (int j = 0; j < 6; ++j)
    for (int i = j + 1; i < 6; ++i) r[i + 6 * j] = r[j + 6 * i];
  for (int i = 0; i < 36; ++i) {
    g[i] = cf(r[i]);
    if (!std::isfinite(g[i].real()) || !std::isfinite(g[i].imag())) return GroupStatus::kSingular;
  }
  return GroupStatus::kGroupOk;
}

// Group matrices of this order and more hand their three solves to the
// caller's runner, so that idle threads can take them.
constexpr int kSharedSolves = 200;

}  // namespace

GroupStatus GRPDYN(const GroupInput& in, const GroupTables& tables, const cf* z, float omega, cf* g,
                   GroupWork& work) {
  const int n = static_cast<int>(in.piles.size());
  if (n < 1 || n > kGroupMaxPiles) return GroupStatus::kPileCount;
  pile_impedances(in, z, work.own);
  if (!in.interaction || n == 1) {
    rigid_cap_sum(in, work.own, g);
    return GroupStatus::kGroupOk;
  }
  if (tables.n != n) return GroupStatus::kPileCount;
  GroupFrequency fr(in, tables, omega);
  if (!flexibilities(z, work.own, fr)) return GroupStatus::kSingular;

  // The three solves are independent; each writes its own slot.
  std::array<StiffnessSums, 3> k{};
  bool ok[3] = {false, false, false};
  if (work.runner && work.thread_solves && lateral_order(fr) >= kSharedSolves) {
    std::vector<SymmetricWork>& solves = *work.thread_solves;
    work.runner->run(3, [&](int system, int worker) {
      ok[system] = solve_system(fr, system, solves[static_cast<std::size_t>(worker)],
                                k[static_cast<std::size_t>(system)]);
    });
  } else {
    for (int system = 0; system < 3; ++system)
      ok[system] = solve_system(fr, system, work.solve, k[static_cast<std::size_t>(system)]);
  }
  if (!ok[0] || !ok[1] || !ok[2]) return GroupStatus::kSingular;
  return assemble(in, k, work.own, g);
}

GroupStatus group_systems(const GroupInput& in, const GroupTables& tables, const cf* z,
                          float omega, std::array<GroupSystem, 3>& out) {
  const int n = static_cast<int>(in.piles.size());
  if (n < 2 || n > kGroupMaxPiles || !in.interaction || tables.n != n)
    return GroupStatus::kPileCount;
  GroupWork work;
  pile_impedances(in, z, work.own);
  GroupFrequency fr(in, tables, omega);
  if (!flexibilities(z, work.own, fr)) return GroupStatus::kSingular;
  for (int system = 0; system < 3; ++system) {
    GroupSystem& sys = out[static_cast<std::size_t>(system)];
    sys.n = system == 0 ? n : lateral_order(fr);
    sys.nrhs = 3;
    const auto order = static_cast<std::size_t>(sys.n);
    sys.a.assign(order * order, 0.0);
    system_entries(fr, system, [&sys, order](int i, int j, cd v) {
      const auto ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
      sys.a[ui + order * uj] = v;
      sys.a[uj + order * ui] = v;
    });
    sys.b = right_hand_sides(fr, system);
  }
  return GroupStatus::kGroupOk;
}

}  // namespace zrv
