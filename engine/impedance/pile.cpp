#include "impedance/pile.h"

#include <algorithm>
#include <cmath>

#include "impedance/halfspace.h"
#include "impedance/side.h"
#include "numerics/pi.h"

namespace zrv {

namespace {

using cd = std::complex<double>;

constexpr cd kI(0.0, 1.0);

// Below this size of the wave numbers the closed-form lateral entries lose
// digits to cancellation (like lambda^-4) and the transfer route is taken.
constexpr double kShortElement = 0.2;

bool finite(cd v) { return std::isfinite(v.real()) && std::isfinite(v.imag()); }

// x / sin x and x cos x / sin x, by their series near 0 where the quotients
// would be 0/0.
cd x_over_sin(cd x) {
  if (std::abs(x) < 1e-4) return 1.0 + x * x / 6.0;
  return x / std::sin(x);
}
cd x_cot(cd x) {
  if (std::abs(x) < 1e-4) return 1.0 - x * x / 3.0;
  return x * std::cos(x) / std::sin(x);
}

ImpedancePair pair(cd z, double omega) {
  return {static_cast<float>(z.real()), static_cast<float>(z.imag() / omega)};
}

}  // namespace

ColumnCutoffs SOLAVG(const ColumnInput& in) {
  ColumnCutoffs out;
  if (in.end_bearing <= 0) return out;
  const auto nl = static_cast<std::size_t>(std::clamp(in.layer_count, 0, kPileMaxLayers));
  const auto ns = static_cast<std::size_t>(std::clamp(in.side_layer_count, 0, kPileMaxLayers));
  float t = 0.0f, v = 0.0f, nu = 0.0f;
  for (std::size_t k = 0; k < nl; ++k) t += in.layers[k].thickness;
  for (std::size_t k = 0; k < ns; ++k) t += in.side_layers[k].thickness;
  if (!(t > 0.0f)) return out;
  for (std::size_t k = 0; k < nl; ++k) {
    v += in.layers[k].thickness * in.layers[k].shear_velocity / t;
    nu += in.layers[k].thickness * in.layers[k].poisson_ratio / t;
  }
  for (std::size_t k = 0; k < ns; ++k) {
    v += in.side_layers[k].thickness * in.side_layers[k].shear_velocity / t;
    nu += in.side_layers[k].thickness * in.side_layers[k].poisson_ratio / t;
  }
  if (v >= in.below_velocity) return out;
  out.omega_s = kPiFloat * v / (2.0f * t);
  if (nu >= 0.5f) nu = 0.499f;
  out.omega_p = out.omega_s * std::sqrt(2.0f * (1.0f - nu) / (1.0f - 2.0f * nu));
  return out;
}

BeamEntries beam_element_transfer(const BeamInput& in) {
  // Scaled state (u, h psi, Q h^3 / EI, M h^2 / EI) over z / h, psi the section
  // rotation (du/dz less the shear strain) with z downwards; the entries then
  // come out in the head-rotation sign of the closed form (against psi).
  const double h = in.h, h2 = h * h;
  const cd ei = in.ei * cd(1.0, in.de);
  const double c = 1.0 + in.fs * in.p;
  const cd q = in.qr - in.rho_i_w2;
  cd a[16] = {};  // column by column
  a[0 + 4 * 1] = c;
  a[0 + 4 * 2] = in.fs * ei / h2;
  a[1 + 4 * 3] = 1.0;
  a[2 + 4 * 0] = -h2 * h2 * in.a / ei;
  a[3 + 4 * 1] = h2 * (q - c * in.p) / ei;
  a[3 + 4 * 2] = -c;
  // exp(a) by scaling and squaring a truncated power series.
  double norm = 0.0;
  for (int j = 0; j < 4; ++j) {
    double col = 0.0;
    for (int i = 0; i < 4; ++i) col += std::abs(a[i + 4 * j]);
    norm = std::max(norm, col);
  }
  int squarings = 0;
  while (norm > 0.25) norm *= 0.5, ++squarings;
  const double scale = std::ldexp(1.0, -squarings);
  for (cd& v : a) v *= scale;
  cd phi[16] = {}, term[16] = {};
  for (int i = 0; i < 4; ++i) phi[i + 4 * i] = term[i + 4 * i] = 1.0;
  for (int k = 1; k <= 30; ++k) {
    cd next[16] = {};
    for (int j = 0; j < 4; ++j)
      for (int l = 0; l < 4; ++l)
        for (int i = 0; i < 4; ++i) next[i + 4 * j] += term[i + 4 * l] * a[l + 4 * j] / double(k);
    double size = 0.0;
    for (int i = 0; i < 16; ++i) {
      term[i] = next[i];
      phi[i] += next[i];
      size = std::max(size, std::abs(next[i]));
    }
    if (size < 1e-20) break;
  }
  for (int s = 0; s < squarings; ++s) {
    cd sq[16] = {};
    for (int j = 0; j < 4; ++j)
      for (int l = 0; l < 4; ++l)
        for (int i = 0; i < 4; ++i) sq[i + 4 * j] += phi[i + 4 * l] * phi[l + 4 * j];
    std::copy(sq, sq + 16, phi);
  }
  // Blocks: displacements (rows 0-1) and forces (rows 2-3) at the bottom from
  // those at the top. Top forces -f0 = P12^-1 P11 d0 - P12^-1 d1.
  auto p = [&](int i, int j) { return phi[i + 4 * j]; };
  const cd det = p(0, 2) * p(1, 3) - p(0, 3) * p(1, 2);
  const cd inv[2][2] = {{p(1, 3) / det, -p(0, 3) / det}, {-p(1, 2) / det, p(0, 2) / det}};
  // Only the blocks over the top motions and the top-bottom coupling are needed.
  cd k11[2][2], k12[2][2];
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) {
      k11[i][j] = inv[i][0] * p(0, j) + inv[i][1] * p(1, j);
      k12[i][j] = -inv[i][j];
    }
  // Back to physical forces (EI/h^3, EI/h^2) and motions (u, psi = h psi / h),
  // and to the rotation sign of the closed form.
  const cd sf[2] = {ei / (h2 * h), -ei / h2};
  const double sd[2] = {1.0, -h};
  auto kk = [&](const cd(&m)[2][2], int i, int j) { return sf[i] * m[i][j] * sd[j]; };
  BeamEntries out;
  out.l[5] = kk(k11, 0, 0) * h2;
  out.l[3] = kk(k11, 0, 1) * h;
  out.l[4] = kk(k12, 0, 0) * h2;
  out.l[2] = -kk(k12, 0, 1) * h;
  out.l[1] = kk(k11, 1, 1);
  out.l[0] = kk(k12, 1, 1);
  return out;
}

BarEntries bar_element(cd ea, cd k2, double h) {
  const cd kh = std::sqrt(k2) * h;
  return {ea * x_cot(kh) / h, -ea * x_over_sin(kh) / h};
}

BeamEntries beam_element(const BeamInput& in) {
  const double h = in.h, h2 = h * h;
  const cd damp(1.0, in.de);
  const cd ei = in.ei * damp;
  const cd a = in.a;
  const cd b = 1.0 - in.fs * (in.rho_i_w2 - in.p - in.qr);
  const double c = 1.0 + in.fs * in.p;
  const cd d = (in.rho_i_w2 + c * in.p - in.qr) / ei;
  const cd e = h2 * (d + in.fs * a);
  const cd s = std::sqrt(e * e + 4.0 * h2 * h2 * a * b / ei);
  const cd l1 = std::sqrt((s + e) / 2.0), l2 = std::sqrt((s - e) / 2.0);
  const cd g1 = (1.0 - in.fs * ei * l2 * l2 / (h2 * b)) * l1 / c;
  const cd g2 = (1.0 + in.fs * ei * l1 * l1 / (h2 * b)) * l2 / c;
  if (std::max(std::abs(l1), std::abs(l2)) < kShortElement) return beam_element_transfer(in);
  const cd s1 = std::sin(l1), c1 = std::cos(l1);
  const cd s2 = -kI * std::sin(kI * l2), c2 = std::cos(kI * l2);
  const cd ll = l1 * l2 / b;
  const cd delta = (s1 * s2 * (g1 * g1 - g2 * g2) + 2.0 * ll * (c1 * c2 - 1.0)) / damp;
  // The common factor of L1, L2, L3, L5 and L6 is divided by c = 1 + fs P:
  // without it those five entries come out c times those of the shear
  // beam-column while L4 does not, and a rigid translation of a free element
  // without soil would bend it.
  const cd f = (in.ei / h) * (l1 * l1 + l2 * l2) / (c * delta);
  const cd hh = f * ll;
  BeamEntries out;
  out.l[0] = -(s2 * g1 - s1 * g2) * f;
  out.l[1] = -(s1 * c2 * g2 - c1 * s2 * g1) * f;
  out.l[2] = -(c2 - c1) * hh;
  out.l[3] = (s1 * s2 * (g1 * l2 + g2 * l1) + (g2 * l2 - g1 * l1) * (c1 * c2 - 1.0)) * ll *
             (in.ei / h) / delta;
  out.l[4] = (s1 * g1 + s2 * g2) * hh;
  out.l[5] = -(c1 * s2 * g2 + s1 * c2 * g1) * hh;
  return out;
}

void beam_matrix(const BeamEntries& e, double h, cd* k4) {
  const cd* l = e.l;
  const double h2 = h * h;
  const cd m[16] = {l[5] / h2, l[3] / h, l[4] / h2, -l[2] / h,  // column u top
                    l[3] / h,  l[1],     l[2] / h,  l[0],       // column theta top
                    l[4] / h2, l[2] / h, l[5] / h2, -l[3] / h,  // column u bottom
                    -l[2] / h, l[0],     -l[3] / h, l[1]};      // column theta bottom
  std::copy(m, m + 16, k4);
}

bool CBNDSV(int nrhs, int n, int m, cd* band, int ldb, cd* rhs, int ldr) {
  auto at = [&](int i, int c) -> cd& { return band[i + ldb * c]; };
  for (int i = 0; i + 1 < n; ++i) {
    const cd d = at(i, 0);
    if (d == 0.0) return false;
    const int g = std::min(m, n - i);
    for (int r = 0; r < nrhs; ++r) rhs[i + ldr * r] /= d;
    for (int c = 1; c < g; ++c) at(i, c) /= d;
    for (int c = 1; c < g; ++c) {
      const int j = i + c;
      const cd f = d * at(i, c);
      for (int t = 0; t <= g - 1 - c; ++t) at(j, t) -= f * at(i, c + t);
      for (int r = 0; r < nrhs; ++r) rhs[j + ldr * r] -= f * rhs[i + ldr * r];
    }
  }
  if (at(n - 1, 0) == 0.0) return false;
  for (int r = 0; r < nrhs; ++r) rhs[n - 1 + ldr * r] /= at(n - 1, 0);
  for (int i = n - 2; i >= 0; --i) {
    const int g = std::min(m, n - i);
    for (int r = 0; r < nrhs; ++r)
      for (int c = 1; c < g; ++c) rhs[i + ldr * r] -= at(i, c) * rhs[i + c + ldr * r];
  }
  return true;
}

namespace {

// The data the element routine cannot use.
PileStatus check_pile_input(const PileInput& in) {
  const int n = in.layer_count;
  if (n < 1 || n > kPileMaxLayers) return PileStatus::kLayerCount;
  if (!(in.below_velocity > 0.0f)) return PileStatus::kTipVelocity;
  if (!(in.omega > 0.0f)) return PileStatus::kFrequency;
  for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
    const PileLayer& l = in.layers[k];
    if (!(l.thickness > 0.0f) || !(l.radius > 0.0f) || !(l.area > 0.0f) || !(l.inertia > 0.0f))
      return PileStatus::kSection;
    if (!(l.torsional_stiffness > 0.0f)) return PileStatus::kTorsionalConstant;
  }
  if (!(in.youngs_modulus > 0.0f) || !(in.gravity > 0.0f) || !(in.poisson_ratio > -1.0f))
    return PileStatus::kModulus;
  return PileStatus::kPileOk;
}

// The soil below the tip as a rigid disc of the tip radius on the half-space,
// with the damping of the static values below the cut-off frequencies.
HalfspaceImpedance tip_disc(const PileInput& in) {
  const float rt = in.layers[static_cast<std::size_t>(in.layer_count - 1)].radius;
  HalfspaceImpedance tip = HSPIMP(in.omega * rt / in.below_velocity, in.below_poisson_ratio,
                                  in.below_damping, rt, rt, rt, rt);
  if (in.omega <= in.omega_p) {
    const HalfspaceImpedance low =
        HSPIMP(1.0e-4f, in.below_poisson_ratio, in.below_damping, rt, rt, rt, rt);
    tip.vertical.imag(in.below_damping * low.vertical.real());
    if (in.omega <= in.omega_s) tip.horizontal.imag(in.below_damping * low.horizontal.real());
  }
  return tip;
}

// The axial, torsional and lateral elements of every layer.
struct LayerElements {
  std::array<BarEntries, kPileMaxLayers> axial{}, torsion{};
  std::array<BeamEntries, kPileMaxLayers> beam{};
};

// Layer k's elements on the side-soil reactions of its layer: the pile's
// section, or in the soil column of the multilayer system the soil's own.
// shear_flag is the shared cut-off flag of the side-soil routine.
PileStatus layer_element(const PileInput& in, int k, int& shear_flag, int compression_flag,
                         LayerElements& out) {
  const auto at = static_cast<std::size_t>(k);
  const PileLayer& l = in.layers[at];
  const double w2 = double(in.omega) * in.omega, g = in.gravity;
  const double gs = double(l.shear_velocity) * l.shear_velocity * l.unit_weight / g;
  SideSoil soil;
  soil.a0 = gs > 0.0 ? in.omega * l.radius / l.shear_velocity : 0.0f;
  soil.nu = l.poisson_ratio;
  soil.damping = l.damping;
  soil.zone_modulus = l.zone_modulus_ratio;
  soil.zone_nu = l.zone_poisson_ratio;
  soil.zone_damping = l.zone_damping;
  soil.zone_thickness = l.zone_thickness;
  soil.r = soil.rx = soil.ry = soil.rt = l.radius;
  const SideReactions react = SIDIMP(soil, shear_flag, compression_flag);

  const bool column = in.profile < 0 && k + 1 > in.adjacent_layer_count;
  const double gm = in.youngs_modulus / (2.0 * (1.0 + in.poisson_ratio));
  double ge, de, ee, unit, fs;
  if (column) {
    ge = gs * l.modulus_ratio_in_out;
    de = double(l.damping) * l.damping_ratio_in_out;
    if (!(ge > 0.0)) return PileStatus::kModulus;
    ee = 2.0 * ge * (1.0 + l.poisson_ratio);
    unit = l.unit_weight;
    fs = (double(in.rigidity_coefficient) / (ge * l.area * cd(1.0, de))).real();
  } else {
    ge = gm;
    de = in.damping;
    ee = in.youngs_modulus;
    unit = in.unit_weight;
    fs = in.rigidity_coefficient / (gm * l.area);
  }
  const double h = l.thickness, r = l.radius;
  const double mass = unit * l.area / g, mass_j = unit * l.torsional_stiffness / g;
  const cd damp(1.0, de);
  const cd ea = ee * l.area * damp;
  const cd gj = ge * l.torsional_stiffness * damp;
  out.axial[at] = bar_element(ea, (mass * w2 - gs * cd(react.vertical)) / ea, h);
  out.torsion[at] = bar_element(gj, (mass_j * w2 - r * r * gs * cd(react.torsion)) / gj, h);
  BeamInput bi;
  bi.a = mass * w2 - gs * cd(react.horizontal);
  bi.qr = r * r * gs * cd(react.rocking_x);
  bi.rho_i_w2 = mass * l.inertia / l.area * w2;
  bi.p = in.static_load;
  bi.fs = fs;
  bi.ei = ee * l.inertia;
  bi.de = de;
  bi.h = h;
  out.beam[at] = beam_element(bi);
  return PileStatus::kPileOk;
}

// Axial or torsional chain of n bars on the tip value, head displacement 1
// (node k the bottom of layer k): the head force z. False when singular.
bool bar_chain(int n, const std::array<BarEntries, kPileMaxLayers>& e, cd tip_value, cd& z) {
  cd band[2 * kPileMaxLayers] = {};
  cd rhs[kPileMaxLayers] = {};
  const int ldb = kPileMaxLayers;
  band[0] = e[0].ka;
  for (int k = 1; k < n; ++k) {
    const BarEntries& ek = e[static_cast<std::size_t>(k)];
    band[k - 1] += ek.ka;
    band[k] += ek.ka;
    band[(k - 1) + ldb] = ek.kb;
  }
  band[n - 1] += tip_value;
  rhs[0] = e[0].kb;
  if (n == 1) {
    if (band[0] == 0.0) return false;
    rhs[0] /= band[0];
  } else if (!CBNDSV(1, n, 2, band, ldb, rhs, ldb)) {
    return false;
  }
  z = e[0].ka - e[0].kb * rhs[0];
  return true;
}

// Head forces of the lateral chain on the tip's translation and rocking:
// shear and moment for a unit head translation (v1, m1) and rotation (m2),
// and the shear of the free-headed pile (v3). False when singular.
bool lateral_chain(const PileInput& in, const LayerElements& el, cd tip_horizontal,
                   cd tip_rocking, cd& v1, cd& m1, cd& m2, cd& v3) {
  // Variables 2k, 2k + 1 (from 0): translation and rotation of node k + 1.
  constexpr int ldb = 2 * kPileMaxLayers;
  cd band[4 * ldb] = {};
  cd rhs[2 * ldb] = {};
  const int n = in.layer_count, nv = 2 * n;
  for (int k = 0; k < n; ++k) {
    cd e[16];
    const auto uk = static_cast<std::size_t>(k);
    beam_matrix(el.beam[uk], in.layers[uk].thickness, e);
    const int base = 2 * k - 2;  // variable of the top node's translation
    for (int i = 0; i < 4; ++i) {
      const int vi = base + i;
      if (vi < 0) continue;
      for (int j = i; j < 4; ++j) {
        const int vj = base + j;
        band[vi + ldb * (vj - vi)] += e[i + 4 * j];
      }
    }
    if (k == 0) {
      rhs[0] = e[2 + 4 * 0];
      rhs[1] = e[3 + 4 * 0];
      rhs[0 + ldb] = e[2 + 4 * 1];
      rhs[1 + ldb] = e[3 + 4 * 1];
    }
  }
  band[nv - 2] += tip_horizontal;
  band[nv - 1] += tip_rocking;
  if (!CBNDSV(2, nv, 4, band, ldb, rhs, ldb)) return false;

  const cd* l = el.beam[0].l;
  const double h1 = in.layers[0].thickness;
  auto shear = [&](cd u0, cd t0, cd u1, cd t1) {
    return (l[5] * u0 + l[4] * u1) / (h1 * h1) + (l[3] * t0 - l[2] * t1) / h1;
  };
  auto moment = [&](cd u0, cd t0, cd u1, cd t1) {
    return (l[3] * u0 + l[2] * u1) / h1 + l[1] * t0 + l[0] * t1;
  };
  const cd u1a = -rhs[0], t1a = -rhs[1], u1b = -rhs[ldb], t1b = -rhs[1 + ldb];
  v1 = shear(1.0, 0.0, u1a, t1a);
  m1 = moment(1.0, 0.0, u1a, t1a);
  const cd v2 = shear(0.0, 1.0, u1b, t1b);
  m2 = moment(0.0, 1.0, u1b, t1b);
  if (m2 == 0.0) return false;
  const cd tf = -v2 / m2;
  v3 = shear(1.0, tf, u1a + tf * u1b, t1a + tf * t1b);
  return true;
}

}  // namespace

PileStatus PILIMP(const PileInput& in, PileImpedance& out) {
  const PileStatus checked = check_pile_input(in);
  if (checked != PileStatus::kPileOk) return checked;
  const int n = in.layer_count;
  const HalfspaceImpedance tip = tip_disc(in);

  int shear_flag = in.omega <= in.omega_s ? 1 : 0;
  const int compression_flag = in.omega <= in.omega_p ? 1 : 0;
  LayerElements el;
  for (int k = 0; k < n; ++k) {
    const PileStatus made = layer_element(in, k, shear_flag, compression_flag, el);
    if (made != PileStatus::kPileOk) return made;
  }

  const double gb = double(in.below_velocity) * in.below_velocity * in.below_unit_weight /
                    double(in.gravity);
  const double rt = in.layers[static_cast<std::size_t>(n - 1)].radius;
  cd z_vertical, z_torsion, v1, m1, m2, v3;
  if (!bar_chain(n, el.axial, gb * rt * cd(tip.vertical), z_vertical) ||
      !bar_chain(n, el.torsion, gb * rt * rt * rt * cd(tip.torsion), z_torsion) ||
      !lateral_chain(in, el, gb * rt * cd(tip.horizontal), gb * rt * rt * rt * cd(tip.rocking4),
                     v1, m1, m2, v3))
    return PileStatus::kSingular;

  const cd z[6] = {z_vertical, z_torsion, v1, m2, m1, v3};
  for (const cd& v : z)
    if (!finite(v)) return PileStatus::kSingular;
  const double w = in.omega;
  out.vertical = pair(z[0], w);
  out.torsion = pair(z[1], w);
  out.horizontal = pair(z[2], w);
  out.rocking = pair(z[3], w);
  out.coupling = pair(z[4], w);
  out.horizontal_free = pair(z[5], w);
  return PileStatus::kPileOk;
}

}  // namespace zrv
