#include "impedance/pile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "expect.h"
#include "impedance/halfspace.h"
#include "impedance/side.h"

namespace {

using cd = std::complex<double>;
using zrv::PileImpedance;
using zrv::PileInput;
using zrv::PileStatus;

constexpr double kPi = 3.14159265358979324;

// A steel-like pipe pile in SI units (kN, m, t): E in kPa, unit weight in kN/m3.
PileInput free_pile(int layers, double length, float omega) {
  PileInput in;
  in.layer_count = layers;
  in.youngs_modulus = 2.0e8f;
  in.poisson_ratio = 0.25f;
  in.damping = 0.0f;
  in.unit_weight = 78.0f;
  in.gravity = 9.81f;
  for (int k = 0; k < layers; ++k) {
    zrv::PileLayer& l = in.layers[k];
    l.thickness = static_cast<float>(length / layers);
    l.radius = 0.2f;
    l.area = 0.02f;
    l.inertia = 4.0e-4f;
    l.torsional_stiffness = 8.0e-4f;
  }
  // A base so stiff that the tip is held.
  in.below_velocity = 1.0e6f;
  in.below_unit_weight = 1.0e4f;
  in.below_poisson_ratio = 0.3f;
  in.omega = omega;
  return in;
}

PileImpedance impedance(const PileInput& in) {
  PileImpedance out;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kPileOk);
  return out;
}

// Reference for a pile of uniform section in one soil, semi-infinite: the two
// decaying solutions of the shear beam with axial load (fs = 0 here) give the
// head stiffness directly. Head forces F = -(Q, M) at z = 0 with
// u' = psi + fs Q and the equations of motion written out in double.
struct HeadStiffness {
  cd kuu, kut, ktt;
};
HeadStiffness semi_infinite(cd a, cd qr, double rho_i_w2, double p, double ei, double de) {
  const cd eis = ei * cd(1.0, de);
  const cd q = qr - rho_i_w2;  // net rotational reaction
  // mu^4 + ((p - q)/EI) mu^2 - a/EI = 0
  const cd bq = (p - q) / eis, cq = -a / eis;
  const cd disc = std::sqrt(bq * bq - 4.0 * cq);
  const cd m2[2] = {(-bq + disc) / 2.0, (-bq - disc) / 2.0};
  cd mu[2], psi[2], qf[2], mf[2];
  for (int j = 0; j < 2; ++j) {
    mu[j] = std::sqrt(m2[j]);
    if (mu[j].real() > 0) mu[j] = -mu[j];
    psi[j] = mu[j];
    mf[j] = eis * mu[j] * psi[j];
    qf[j] = ((q - p) * psi[j] - mu[j] * mf[j]);
  }
  // Head motions (u, psi) = D alpha, internal forces (Q, M) = F alpha.
  const cd det = psi[1] - psi[0];
  // D^-1 = [[psi1, -1], [-psi0, 1]] / det
  const cd dinv[2][2] = {{psi[1] / det, -1.0 / det}, {-psi[0] / det, 1.0 / det}};
  auto k = [&](int r, int c) {
    return -((r == 0 ? qf[0] : mf[0]) * dinv[0][c] + (r == 0 ? qf[1] : mf[1]) * dinv[1][c]);
  };
  return {k(0, 0), k(0, 1), k(1, 1)};
}

}  // namespace

TEST(pile, held_tip_without_soil_gives_the_static_member_stiffness) {
  // Low frequency: the inertia terms are below 1e-9 of the stiffness.
  const double length = 6.0;
  const PileInput in = free_pile(3, length, 0.05f);
  const PileImpedance z = impedance(in);
  const double ei = 2.0e8 * 4.0e-4, ea = 2.0e8 * 0.02, gj = 2.0e8 / 2.5 * 8.0e-4;
  const double l = length;
  EXPECT_LT(zrv::test::relative_error(z.horizontal.k, 12.0 * ei / (l * l * l)), 2e-6);
  EXPECT_LT(zrv::test::relative_error(z.rocking.k, 4.0 * ei / l), 2e-6);
  EXPECT_LT(zrv::test::relative_error(z.coupling.k, -6.0 * ei / (l * l)), 2e-6);
  EXPECT_LT(zrv::test::relative_error(z.horizontal_free.k, 3.0 * ei / (l * l * l)), 2e-6);
  EXPECT_LT(zrv::test::relative_error(z.vertical.k, ea / l), 2e-6);
  EXPECT_LT(zrv::test::relative_error(z.torsion.k, gj / l), 2e-6);
  EXPECT_NEAR(z.horizontal.c, 0.0, 1e-6 * ei);
}

TEST(pile, compressed_column_follows_the_stability_functions) {
  const double length = 5.0, ei = 2.0e8 * 4.0e-4;
  PileInput in = free_pile(2, length, 0.05f);
  // phi = L sqrt(P / EI) = 2: a marked reduction of every term.
  const double p = 4.0 * ei / (length * length);
  in.static_load = static_cast<float>(p);
  const PileImpedance z = impedance(in);
  const double phi = 2.0, sn = std::sin(phi), cs = std::cos(phi);
  const double den = 2.0 - 2.0 * cs - phi * sn;
  const double s = phi * (sn - phi * cs) / den;  // near-end rotational factor
  const double sc = phi * (phi - sn) / den;      // carry-over times s
  const double l = length;
  EXPECT_LT(zrv::test::relative_error(z.rocking.k, s * ei / l), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.coupling.k, -(s + sc) * ei / (l * l)), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.horizontal.k, 2.0 * (s + sc) * ei / (l * l * l) - p / l), 1e-5);
  // Moment-free head: the pinned-fixed sway stiffness.
  EXPECT_LT(zrv::test::relative_error(z.horizontal_free.k,
                                      (s * (1.0 - (sc / s) * (sc / s)) * ei / (l * l) - p) / l),
            1e-5);
}

TEST(pile, bar_on_a_tip_disc_matches_the_closed_form) {
  // One layer without soil on a soft base: the disc is a spring in series.
  const double length = 12.0;
  PileInput in = free_pile(1, length, 400.0f);
  in.damping = 0.02f;
  in.below_velocity = 150.0f;
  in.below_unit_weight = 18.0f;
  in.below_damping = 0.05f;
  const PileImpedance z = impedance(in);

  const zrv::HalfspaceImpedance disc =
      zrv::HSPIMP(400.0f * 0.2f / 150.0f, 0.3f, 0.05f, 0.2f, 0.2f, 0.2f, 0.2f);
  const double gb = 150.0 * 150.0 * 18.0 / 9.81;
  const cd kt = gb * 0.2 * cd(disc.vertical);
  const cd ea = 2.0e8 * 0.02 * cd(1.0, 0.02);
  const double m = 78.0 * 0.02 / 9.81, w = 400.0;
  const cd k = std::sqrt(m * w * w / ea);
  // u = cos kz + B sin kz; EA u'(L) = -kt u(L); Z = -EA u'(0).
  const cd kl = k * length;
  const cd b =
      (ea * k * std::sin(kl) - kt * std::cos(kl)) / (ea * k * std::cos(kl) + kt * std::sin(kl));
  const cd want = -ea * k * b;
  EXPECT_LT(zrv::test::relative_error(z.vertical.k, want.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.vertical.c, want.imag() / w), 1e-5);

  // The same bar cut into four layers.
  PileInput four = free_pile(4, length, 400.0f);
  four.damping = in.damping;
  four.below_velocity = in.below_velocity;
  four.below_unit_weight = in.below_unit_weight;
  four.below_damping = in.below_damping;
  const PileImpedance z4 = impedance(four);
  EXPECT_LT(zrv::test::relative_error(z4.vertical.k, want.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z4.vertical.c, want.imag() / w), 1e-5);
}

PileInput soil_pile(int layers, double length, float omega) {
  PileInput in = free_pile(layers, length, omega);
  in.damping = 0.01f;
  for (int k = 0; k < layers; ++k) {
    zrv::PileLayer& l = in.layers[k];
    l.shear_velocity = 120.0f;
    l.unit_weight = 18.0f;
    l.poisson_ratio = 0.4f;
    l.damping = 0.05f;
  }
  in.below_velocity = 300.0f;
  in.below_unit_weight = 19.0f;
  in.below_poisson_ratio = 0.35f;
  in.below_damping = 0.05f;
  return in;
}

TEST(pile, long_pile_in_uniform_soil_matches_the_semi_infinite_beam) {
  const float w = 30.0f;
  const PileInput in = soil_pile(30, 75.0, w);
  const PileImpedance z = impedance(in);

  zrv::SideSoil s;
  s.a0 = w * 0.2f / 120.0f;
  s.nu = 0.4f;
  s.damping = 0.05f;
  s.r = s.rx = s.ry = s.rt = 0.2f;
  int fs = 0;
  const zrv::SideReactions react = zrv::SIDIMP(s, fs, 0);
  const double gs = 120.0 * 120.0 * 18.0 / 9.81, m = 78.0 * 0.02 / 9.81;
  const cd a = m * w * w - gs * cd(react.horizontal);
  const cd qr = 0.04 * gs * cd(react.rocking_x);
  const HeadStiffness h =
      semi_infinite(a, qr, m * 4.0e-4 / 0.02 * w * w, 0.0, 2.0e8 * 4.0e-4, 0.01);
  EXPECT_LT(zrv::test::relative_error(z.horizontal.k, h.kuu.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.horizontal.c, h.kuu.imag() / w), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.rocking.k, h.ktt.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.rocking.c, h.ktt.imag() / w), 1e-5);
  // The head rotation is counted positive against the slope du/dz (z down).
  EXPECT_LT(zrv::test::relative_error(z.coupling.k, -h.kut.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.coupling.c, -h.kut.imag() / w), 1e-5);
  const cd free = h.kuu - h.kut * h.kut / h.ktt;
  EXPECT_LT(zrv::test::relative_error(z.horizontal_free.k, free.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.horizontal_free.c, free.imag() / w), 1e-5);

  // Axial: a long bar on distributed springs, Z = EA* k with k^2 = (Gs Sv - m w^2)/EA*.
  const cd ea = 2.0e8 * 0.02 * cd(1.0, 0.01);
  const cd kz = std::sqrt((gs * cd(react.vertical) - m * w * w) / ea);
  const cd zv = ea * kz;
  EXPECT_LT(zrv::test::relative_error(z.vertical.k, zv.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.vertical.c, zv.imag() / w), 1e-5);
}

TEST(pile, one_layer_equals_five_thinner_layers_of_the_same_soil) {
  for (float w : {0.5f, 20.0f, 150.0f}) {
    const PileImpedance one = impedance(soil_pile(1, 10.0, w));
    const PileImpedance five = impedance(soil_pile(5, 10.0, w));
    const zrv::ImpedancePair a[6] = {one.vertical, one.torsion,  one.horizontal,
                                     one.rocking,  one.coupling, one.horizontal_free};
    const zrv::ImpedancePair b[6] = {five.vertical, five.torsion,  five.horizontal,
                                     five.rocking,  five.coupling, five.horizontal_free};
    for (int i = 0; i < 6; ++i) {
      EXPECT_LT(zrv::test::relative_error(b[i].k, a[i].k), 1e-5) << "w " << w << " entry " << i;
      EXPECT_LT(zrv::test::relative_error(b[i].c, a[i].c), 1e-5) << "w " << w << " entry " << i;
    }
  }
}

TEST(pile, refuses_input_that_would_divide_by_zero) {
  PileImpedance out;
  PileInput in = soil_pile(3, 9.0, 10.0f);
  in.below_velocity = 0.0f;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kTipVelocity);
  in = soil_pile(3, 9.0, 10.0f);
  in.layers[1].torsional_stiffness = 0.0f;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kTorsionalConstant);
  in = soil_pile(3, 9.0, 10.0f);
  in.layers[2].thickness = 0.0f;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kSection);
  in = soil_pile(3, 9.0, 10.0f);
  in.layer_count = 0;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kLayerCount);
  in.layer_count = 31;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kLayerCount);
  in = soil_pile(3, 9.0, 0.0f);
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kFrequency);
  // A soil column (multilayer system) whose layer has no stiffness.
  in = soil_pile(3, 9.0, 10.0f);
  in.profile = -1;
  in.adjacent_layer_count = 1;
  in.layers[2].modulus_ratio_in_out = 0.0f;
  EXPECT_EQ(zrv::PILIMP(in, out), PileStatus::kModulus);
}

TEST(pile, shear_flexible_member_matches_the_closed_form) {
  const double length = 4.0, ei = 2.0e8 * 4.0e-4, ga = 2.0e8 / 2.5 * 0.02;
  PileInput in = free_pile(2, length, 0.05f);
  in.rigidity_coefficient = 2.0f;
  const PileImpedance z = impedance(in);
  const double l = length, phi = 12.0 * ei * (2.0 / ga) / (l * l);
  EXPECT_LT(zrv::test::relative_error(z.horizontal.k, 12.0 * ei / (l * l * l * (1.0 + phi))), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.rocking.k, (4.0 + phi) * ei / (l * (1.0 + phi))), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.coupling.k, -6.0 * ei / (l * l * (1.0 + phi))), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.horizontal_free.k, 3.0 * ei / (l * l * l * (1.0 + phi / 4.0))), 1e-5);
}

TEST(pile, lateral_entries_agree_by_closed_form_and_transfer_matrix) {
  // Soil-like reactions, axial load and shear flexibility, for wave numbers
  // from about 0.3 to 4, where both routes keep their digits.
  for (double h : {0.5, 2.0, 6.0}) {
    zrv::BeamInput b;
    b.a = cd(0.3, 0.0) * 9.0 - cd(6.0e4, 4.0e3);
    b.qr = cd(2.0e3, 150.0);
    b.rho_i_w2 = 0.05;
    b.p = 300.0;
    b.fs = 2.0e-6;
    b.ei = 8.0e4;
    b.de = 0.02;
    b.h = h;
    const zrv::BeamEntries closed = zrv::beam_element(b), transfer = zrv::beam_element_transfer(b);
    for (int i = 0; i < 6; ++i)
      EXPECT_LT(std::abs(closed.l[i] - transfer.l[i]), 1e-9 * std::abs(closed.l[1]) * 10.0)
          << "h " << h << " L" << i + 1;
  }
}

TEST(pile, short_free_elements_keep_the_static_stiffness_at_low_frequency) {
  // Thirty 0.2 m elements without soil at 1e-4 rad/s: the closed form would
  // lose most of its digits here.
  const double length = 6.0, ei = 2.0e8 * 4.0e-4;
  const PileImpedance z = impedance(free_pile(30, length, 1.0e-4f));
  const double l = length;
  EXPECT_LT(zrv::test::relative_error(z.horizontal.k, 12.0 * ei / (l * l * l)), 1e-6);
  EXPECT_LT(zrv::test::relative_error(z.rocking.k, 4.0 * ei / l), 1e-6);
  EXPECT_LT(zrv::test::relative_error(z.coupling.k, -6.0 * ei / (l * l)), 1e-6);
  EXPECT_LT(zrv::test::relative_error(z.horizontal_free.k, 3.0 * ei / (l * l * l)), 1e-6);
}

TEST(pile, column_cutoffs_follow_the_quarter_wave_frequency) {
  zrv::ColumnInput in;
  in.end_bearing = 1;
  in.layer_count = 2;
  in.side_layer_count = 1;
  in.layers[0] = {4.0f, 100.0f, 0.3f};
  in.layers[1] = {6.0f, 200.0f, 0.4f};
  in.side_layers[0] = {2.0f, 80.0f, 0.35f};
  in.below_velocity = 500.0f;
  const zrv::ColumnCutoffs c = zrv::SOLAVG(in);
  const double t = 12.0, v = (400.0 + 1200.0 + 160.0) / t, nu = (1.2 + 2.4 + 0.7) / t;
  const double ws = kPi * v / (2.0 * t);
  EXPECT_LT(zrv::test::relative_error(c.omega_s, ws), 1e-6);
  EXPECT_LT(zrv::test::relative_error(c.omega_p, ws * std::sqrt(2.0 * (1.0 - nu) / (1.0 - 2.0 * nu))), 1e-6);

  zrv::ColumnInput soft = in;
  soft.layers[0].poisson_ratio = soft.layers[1].poisson_ratio = soft.side_layers[0].poisson_ratio =
      0.5f;
  const zrv::ColumnCutoffs s = zrv::SOLAVG(soft);
  EXPECT_LT(zrv::test::relative_error(s.omega_p, ws * std::sqrt(2.0 * 0.501 / 0.002)), 1e-5);

  zrv::ColumnInput off = in;
  off.end_bearing = 0;
  EXPECT_EQ(zrv::SOLAVG(off).omega_s, 0.0f);
  off = in;
  off.below_velocity = 140.0f;  // the column is stiffer than the soil below
  EXPECT_EQ(zrv::SOLAVG(off).omega_p, 0.0f);
}

TEST(pile, tip_below_the_compression_cutoff_keeps_only_material_damping) {
  const double length = 12.0, w = 40.0;
  PileInput in = free_pile(1, length, static_cast<float>(w));
  in.below_velocity = 150.0f;
  in.below_unit_weight = 18.0f;
  in.below_damping = 0.05f;
  in.omega_p = static_cast<float>(w);  // equal counts as below
  const PileImpedance z = impedance(in);
  const zrv::HalfspaceImpedance disc =
      zrv::HSPIMP(static_cast<float>(w) * 0.2f / 150.0f, 0.3f, 0.05f, 0.2f, 0.2f, 0.2f, 0.2f);
  const zrv::HalfspaceImpedance still = zrv::HSPIMP(1.0e-4f, 0.3f, 0.05f, 0.2f, 0.2f, 0.2f, 0.2f);
  const double gb = 150.0 * 150.0 * 18.0 / 9.81;
  const cd kt = gb * 0.2 * cd(disc.vertical.real(), 0.05 * still.vertical.real());
  const cd ea = 2.0e8 * 0.02;
  const double m = 78.0 * 0.02 / 9.81;
  const cd k = std::sqrt(m * w * w / ea), kl = k * length;
  const cd b =
      (ea * k * std::sin(kl) - kt * std::cos(kl)) / (ea * k * std::cos(kl) + kt * std::sin(kl));
  const cd want = -ea * k * b;
  EXPECT_LT(zrv::test::relative_error(z.vertical.k, want.real()), 1e-5);
  EXPECT_LT(zrv::test::relative_error(z.vertical.c, want.imag() / w), 1e-5);
}

TEST(pile, soil_column_layers_act_as_an_element_of_the_soil_inside) {
  // A multilayer system with every layer a soil column equals a pile whose
  // material is that soil (modulus ratio 0.6, damping ratio 0.5), without
  // shear flexibility.
  PileInput column = soil_pile(4, 8.0, 25.0f);
  column.profile = -1;
  column.adjacent_layer_count = 0;
  column.rigidity_coefficient = 0.0f;
  for (int k = 0; k < 4; ++k) {
    column.layers[k].modulus_ratio_in_out = 0.6f;
    column.layers[k].damping_ratio_in_out = 0.5f;
  }
  PileInput pile = column;
  pile.profile = 1;
  const double gi = 120.0 * 120.0 * 18.0 / 9.81 * 0.6;
  pile.youngs_modulus = static_cast<float>(2.0 * gi * 1.4);
  pile.poisson_ratio = 0.4f;
  pile.damping = 0.025f;
  pile.unit_weight = 18.0f;
  const PileImpedance a = impedance(column), b = impedance(pile);
  const zrv::ImpedancePair x[6] = {a.vertical, a.torsion,  a.horizontal,
                                   a.rocking,  a.coupling, a.horizontal_free};
  const zrv::ImpedancePair y[6] = {b.vertical, b.torsion,  b.horizontal,
                                   b.rocking,  b.coupling, b.horizontal_free};
  for (int i = 0; i < 6; ++i) {
    EXPECT_LT(zrv::test::relative_error(x[i].k, y[i].k), 1e-5) << i;
    EXPECT_LT(zrv::test::relative_error(x[i].c, y[i].c), 1e-5) << i;
  }
  // With one adjacent layer the body's own material is used there, which differs.
  column.adjacent_layer_count = 1;
  EXPECT_GT(zrv::test::relative_error(impedance(column).vertical.k, a.vertical.k), 1e-2);
}

TEST(pile, band_solver_recovers_a_known_solution) {
  // Symmetric band of 6 equations and 3 diagonals; right-hand sides formed
  // from two chosen solutions.
  constexpr int n = 6, m = 3, ld = 8;
  cd full[n][n] = {};
  for (int i = 0; i < n; ++i) {
    full[i][i] = cd(6.0 + i, 0.5 * i);
    if (i + 1 < n) full[i][i + 1] = full[i + 1][i] = cd(-1.5, 0.2);
    if (i + 2 < n) full[i][i + 2] = full[i + 2][i] = cd(0.4, -0.1 * i);
  }
  const cd x[2][n] = {{1, 2, 3, 4, 5, 6}, {cd(0, 1), -1, cd(2, -1), 0.5, cd(0, -3), 1}};
  cd band_d[ld * m] = {}, rhs_d[ld * 2] = {};
  for (int i = 0; i < n; ++i) {
    for (int c = 0; c < m && i + c < n; ++c) band_d[i + ld * c] = full[i][i + c];
    for (int r = 0; r < 2; ++r) {
      cd b = 0.0;
      for (int j = 0; j < n; ++j) b += full[i][j] * x[r][j];
      rhs_d[i + ld * r] = b;
    }
  }
  ASSERT_TRUE(zrv::CBNDSV(2, n, m, band_d, ld, rhs_d, ld));
  for (int r = 0; r < 2; ++r)
    for (int i = 0; i < n; ++i) EXPECT_LT(std::abs(rhs_d[i + ld * r] - x[r][i]), 1e-13);
  cd zero_pivot[ld * m] = {};
  cd rhs[ld] = {1.0};
  EXPECT_FALSE(zrv::CBNDSV(1, 2, 2, zero_pivot, ld, rhs, ld));
}

TEST(pile, shear_flexible_column_under_axial_load_is_the_exact_beam_column) {
  // Static member without soil, shear flexible and compressed (fs P = 0.16).
  // Reference: the sway stiffness of the shear beam-column with both ends
  // held against rotation, integrated by hand. With the shear force taken on
  // the rotated section, u' = c psi + fs Q and EI psi'' = -c (Q + P psi),
  // c = 1 + fs P, so psi = (Q/P)(cos kz + tan(kL/2) sin kz - 1), k^2 = c P/EI,
  // and the drift is Q [c/P (2 tan(kL/2)/k - L) + fs L].
  const double length = 5.0, ei = 2.0e8 * 4.0e-4, ga = 2.0e8 / 2.5 * 0.02;
  const double kappa = 20.0, fs = kappa / ga, p = 4.0 * ei / (length * length) / (1.0 + 0.16);
  PileInput in = free_pile(2, length, 0.05f);
  in.rigidity_coefficient = static_cast<float>(kappa);
  in.static_load = static_cast<float>(p);
  const double c = 1.0 + fs * p, k = std::sqrt(c * p / ei), l = length;
  const double sway = 1.0 / (c / p * (2.0 * std::tan(k * l / 2.0) / k - l) + fs * l);
  EXPECT_LT(zrv::test::relative_error(impedance(in).horizontal.k, sway), 1e-5);

  // A rigid translation of a free element, static and without soil, moves no
  // force or moment at either end, by either route.
  zrv::BeamInput b;
  b.a = cd(-1.0e-9, 0.0);  // a vanishing spring keeps the wave numbers apart
  b.p = p;
  b.fs = fs;
  b.ei = ei;
  b.h = 2.5;
  for (const zrv::BeamEntries& e : {zrv::beam_element(b), zrv::beam_element_transfer(b)}) {
    cd k4[16];
    zrv::beam_matrix(e, b.h, k4);
    for (int i = 0; i < 4; ++i) {
      const cd f = k4[i + 4 * 0] + k4[i + 4 * 2];  // u top = u bottom = 1
      EXPECT_LT(std::abs(f), 1e-6 * std::abs(k4[i + 4 * i])) << "row " << i;
    }
  }
}
