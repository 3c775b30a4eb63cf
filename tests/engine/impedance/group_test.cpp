#include "impedance/group.h"
#include "expect.h"
#include "group_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

using cd = std::complex<double>;
using cf = std::complex<float>;
using zrv::GroupInput;
using zrv::GroupStatus;
using zrv::GroupTables;

constexpr double kPi = 3.14159265358979324;

// A single-pile head impedance with the couplings of a fixed-head pile:
// (1,5) = c and (2,4) = -c.
struct Single {
  cd kh{4.0e4, 1.2e3}, kz{9.0e4, 2.5e3}, kr{6.0e4, 0.8e3}, kt{1.5e3, 20.0}, c{-2.0e4, -3.0e2};
  void fill(cf* z) const {
    for (int i = 0; i < 36; ++i) z[i] = 0.0f;
    z[0] = z[7] = cf(kh);
    z[14] = cf(kz);
    z[21] = z[28] = cf(kr);
    z[35] = cf(kt);
    z[0 + 6 * 4] = z[4 + 6 * 0] = cf(c);
    z[1 + 6 * 3] = z[3 + 6 * 1] = cf(-c);
  }
  cd fuu() const { return kr / (kh * kr - c * c); }  // translation flexibility, free head
};

GroupInput group(std::initializer_list<std::pair<float, float>> xy) {
  GroupInput in;
  for (auto [x, y] : xy) {
    zrv::GroupPile p;
    p.x = x;
    p.y = y;
    in.piles.push_back(p);
  }
  zrv::test::setSampleGroupProperties(in);
  return in;
}

struct Result {
  cf g[36];
  cd at(int i, int j) const { return cd(g[(i - 1) + 6 * (j - 1)]); }
};

Result solve(const GroupInput& in, float omega, GroupTables* keep = nullptr) {
  GroupTables t;
  if (in.interaction && in.piles.size() > 1) {
    EXPECT_EQ(zrv::GRPSTA(in, t), GroupStatus::kGroupOk);
  }
  cf z[36];
  Single{}.fill(z);
  Result r;
  zrv::GroupWork work;
  EXPECT_EQ(zrv::GRPDYN(in, t, z, omega, r.g, work), GroupStatus::kGroupOk);
  if (keep) *keep = t;
  return r;
}

}  // namespace

TEST(group, tabint_is_piecewise_linear_through_three_points) {
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 2.0f), 1.0f);
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 5.0f), 4.0f);
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 10.0f), 14.0f);
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 3.5f), 2.5f);
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 7.5f), 9.0f);
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 1.0f), 0.0f);
  EXPECT_FLOAT_EQ(zrv::TABINT(1.0f, 4.0f, 14.0f, 12.0f), 18.0f);
}

TEST(group, dynamic_factors_follow_their_fits) {
  // Vertical, S = 2, a = 0.2: amplitude and phase of the S = 2 fit.
  {
    const double a = 0.2, amp = std::exp(0.24 * a * a - 0.42 * a);
    const double phi = 3.786 * a - 5.2 * a * a - 0.0936;
    const cf v = zrv::DYNVER(0.2f, 2.0f, 0.5f);
    EXPECT_LT(zrv::test::relative_error(cd(v), 0.5 * amp * std::exp(cd(0.0, -phi))), 1e-6);
  }
  // Vertical above a0 = 1 and beyond S = 10: polynomials at a = 1, extra decay and lag.
  {
    const double s = 12.0, d = 0.5;
    const double amp = std::exp(-0.05 * s * 1.0) * std::exp(-0.05 * s * d);
    const double p5 = 1.45375 + 4.7 * 0.75, p10 = 2.865625 + 9.78 * 0.75;
    const double phi = p5 + (p10 - p5) * (s - 5.0) / 5.0 - 0.0936 + s * d;
    const cf v = zrv::DYNVER(1.5f, 12.0f, 0.3f);
    EXPECT_LT(zrv::test::relative_error(cd(v), 0.3 * amp * std::exp(cd(0.0, -phi))), 1e-5);
  }
  // Lateral, S = 5, a = 0.5, along the load: the S = 5 polynomials.
  {
    const double a = 0.5;
    const zrv::LateralStatic st{{{0.4f, 0.2f}, {0.15f, 0.05f}, {0.07f, 0.02f}}};
    const auto v = zrv::DYNLAT(0.5f, 5.0f, 0.0f, st);
    const double a1 = 1 + 0.135 * a + 0.495 * a * a - 0.878 * a * a * a;
    const double f1 = 2.9 * a - 0.0757;
    EXPECT_LT(zrv::test::relative_error(cd(v[0]), 0.4 * a1 * std::exp(cd(0.0, -f1))), 1e-5);
    const double a3 = 1 - 0.19 * a + 12.48 * a * a - 22.9 * a * a * a + 11.19 * a * a * a * a;
    const double f3 = 0.112 * a + 5.025 * a * a - 2.481 * a * a * a - 0.02596;
    EXPECT_LT(zrv::test::relative_error(cd(v[2]), 0.07 * a3 * std::exp(cd(0.0, -f3))), 1e-5);
    // Across the load, S = 15: amplitude read at 10, factor 1 decays beyond it.
    const auto w = zrv::DYNLAT(0.5f, 15.0f, static_cast<float>(kPi / 2), st);
    const double b10 = 1 - 0.84 * a + 4.725 * a * a - 3.125 * a * a * a;
    const double phi10 = 4.967 + 9.244 * (a - 0.5);
    const double phi5 = 4.886 * a;
    const double phi = phi5 + (phi10 - phi5) * 2.0 - 0.0757;
    const cd want = 0.2 * b10 * std::exp(-0.05 * 5.0 * a) * std::exp(cd(0.0, -phi));
    EXPECT_LT(zrv::test::relative_error(cd(w[0]), want), 1e-5);
  }
}

TEST(group, static_factors_follow_their_fits) {
  // Lateral power laws.
  const float kl = 1000.0f;
  auto f = zrv::ALFLAT(4.0f, kl, 0.0f, 0.0f);
  EXPECT_LT(std::abs(f[0] - 0.41 * std::pow(1000.0, 0.095) * std::pow(0.25, 0.725)), 1e-6);
  EXPECT_LT(std::abs(f[2] - 0.067 * std::pow(1000.0, 0.202) * std::pow(0.25, 1.24)), 1e-6);
  f = zrv::ALFLAT(8.0f, kl, static_cast<float>(kPi / 2), 2.0f);
  const double first90 = 0.203 * std::pow(1000.0, 0.134) * std::pow(0.2, 0.838) * 0.125 / 0.2;
  EXPECT_LT(std::abs(f[0] - first90 * 0.75), 1e-6);
  f = zrv::ALFLAT(4.0f, kl, static_cast<float>(kPi / 4), 0.0f);
  const double mix = 0.5 * 0.174 * std::pow(1000.0, 0.163) * std::pow(0.25, 1.095) +
                     0.5 * 0.05 * std::pow(1000.0, 0.25) * std::pow(0.25, 1.315);
  EXPECT_LT(std::abs(f[1] - mix), 1e-6);
  f = zrv::ALFLAT(0.0f, kl, 0.3f, 0.0f);
  EXPECT_EQ(f, (std::array<float, 3>{1.0f, 1.0f, 1.0f}));

  // Vertical fit with a stiff pile (every k term at its bound), no base
  // contrast, no enlargement and nu = 0.5: the curve is its B term.
  const double l3 = std::log(3.0);
  const double b10 = 0.72 - 0.244 * l3;
  const double u = -1.3;
  const double b100 =
      (0.522 - 0.11 * l3) * (1 - ((0.092 + 0.032 * 3) - (0.195 - 0.0035 * 3) * u) * u);
  const double b25 = 0.712 - 0.19 * l3;  // u = -0.28: (1 - (0.255 + 0.0375) u)
  const double b25u = b25 * (1 - (0.255 + 0.0125 * 3) * -0.28);
  EXPECT_LT(std::abs(zrv::ALFVER(3.0f, 10.0f, 1e8f, 1.0f, 0.5f, 1.0f) - b10), 1e-6);
  EXPECT_LT(std::abs(zrv::ALFVER(3.0f, 100.0f, 1e8f, 1.0f, 0.5f, 1.0f) - b100), 1e-6);
  EXPECT_LT(std::abs(zrv::ALFVER(3.0f, 17.5f, 1e8f, 1.0f, 0.5f, 1.0f) - 0.5 * (b10 + b25u)), 1e-6);
  EXPECT_LT(std::abs(zrv::ALFVER(20.0f, 5.0f, 1e8f, 1.0f, 0.5f, 1.0f) - (1.8 - 0.1) * 0.05), 1e-6);
  // Poisson correction and the base contrast: t = 0, w = 0.8 leaves 0.2 D.
  EXPECT_LT(std::abs(zrv::ALFVER(3.0f, 10.0f, 1e8f, 1.0f, 0.3f, 1.0f) -
                     b10 * (1 + (std::sqrt(3.0) - 1) * 0.2 * 0.16)),
            1e-6);
  EXPECT_LT(std::abs(zrv::ALFVER(3.0f, 10.0f, 1e8f, 100.0f, 0.5f, 1.0f) - 0.2 * b10), 1e-6);
  EXPECT_EQ(zrv::ALFVER(0.0f, 10.0f, 1e3f, 1.0f, 0.3f, 1.0f), 1.0f);
}

TEST(group, one_pile_is_the_single_pile_moved_by_the_cap_height) {
  const Single p;
  const double x = 0.7, y = -0.4, h = 1.2;
  for (bool interaction : {false, true}) {
    GroupInput in = group({{0.7f, -0.4f}});
    in.interaction = interaction;
    const Result r = solve(in, 30.0f);
    EXPECT_LT(zrv::test::relative_error(r.at(1, 1), p.kh), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(3, 3), p.kz), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(1, 5), p.c - h * p.kh), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(2, 4), -p.c + h * p.kh), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(5, 5), h * h * p.kh - 2 * h * p.c + p.kr + x * x * p.kz), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(4, 4), h * h * p.kh - 2 * h * p.c + p.kr + y * y * p.kz), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(6, 6), p.kt + (x * x + y * y) * p.kh), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(1, 6), y * p.kh), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(2, 6), -x * p.kh), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(3, 4), -y * p.kz), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(3, 5), x * p.kz), 1e-6);
    EXPECT_LT(zrv::test::relative_error(r.at(4, 5), -x * y * p.kz), 1e-6);
  }
}

TEST(group, pairs_and_squares_follow_the_superposition_forms) {
  const Single p;
  // Two pinned piles along x, static factors (w <= 10).
  GroupInput two = group({{0.0f, 0.0f}, {1.5f, 0.0f}});
  two.head_fixed = false;
  GroupTables t;
  const Result r2 = solve(two, 10.0f, &t);
  const double av = t.spacing[0 + 2 * 1], a1_0 = t.lateral[0][0 + 2 * 1], a1_90 = t.lateral[0][1];
  EXPECT_FLOAT_EQ(t.spacing[1], 3.0f);
  EXPECT_LT(zrv::test::relative_error(r2.at(3, 3), 2.0 * p.kz / (1.0 + av)), 1e-6);
  EXPECT_LT(zrv::test::relative_error(r2.at(1, 1), 2.0 / (p.fuu() * (1.0 + a1_0))), 1e-6);
  EXPECT_LT(zrv::test::relative_error(r2.at(2, 2), 2.0 / (p.fuu() * (1.0 + a1_90))), 1e-6);
  // Dynamic factors just above w = 10.
  const Result d2 = solve(two, 10.5f, nullptr);
  const double a0 = 10.5 * 0.5 / 220.0;
  const cd dv = cd(zrv::DYNVER(static_cast<float>(a0), 3.0f, static_cast<float>(av)));
  EXPECT_LT(zrv::test::relative_error(d2.at(3, 3), 2.0 * p.kz / (1.0 + dv)), 1e-6);

  // Square of side 1.5 m with fixed heads.
  GroupTables ts;
  const Result r4 =
      solve(group({{0.0f, 0.0f}, {1.5f, 0.0f}, {0.0f, 1.5f}, {1.5f, 1.5f}}), 5.0f, &ts);
  const double side = ts.spacing[0 + 4 * 1], diag = ts.spacing[0 + 4 * 3];
  EXPECT_FLOAT_EQ(ts.spacing[1], 3.0f);
  EXPECT_FLOAT_EQ(ts.spacing[3], static_cast<float>(3.0 * std::sqrt(2.0)));
  EXPECT_LT(zrv::test::relative_error(r4.at(3, 3), 4.0 * p.kz / (1.0 + 2.0 * side + diag)), 1e-6);
}

TEST(group, distant_piles_add_without_interaction) {
  GroupInput far = group({{0.0f, 0.0f}, {5000.0f, 0.0f}, {1000.0f, 3000.0f}});
  const Result with = solve(far, 50.0f);
  far.interaction = false;
  const Result without = solve(far, 50.0f);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      const cd w = without.at(i, j);
      if (std::abs(w) == 0.0) continue;
      EXPECT_LT(zrv::test::relative_error(with.at(i, j), w), 2e-3) << i << "," << j;
    }
}

TEST(group, group_matrix_is_symmetric_and_follows_the_layout) {
  const std::initializer_list<std::pair<float, float>> xy = {
      {0.3f, -1.1f}, {1.9f, 0.4f}, {-1.2f, 1.3f}, {-0.5f, -2.6f}, {2.4f, 2.2f}};
  for (float w : {5.0f, 60.0f}) {
    const Result r = solve(group(xy), w);
    for (int i = 1; i <= 6; ++i)
      for (int j = 1; j <= 6; ++j) EXPECT_EQ(r.at(i, j), r.at(j, i));

    // Mirror x -> -x: displacement x and the rotations about y and z change sign.
    GroupInput mirrored = group({});
    for (auto [x, y] : xy) mirrored.piles.push_back({-x, y});
    const Result m = solve(mirrored, w);
    const double sx[6] = {-1, 1, 1, 1, -1, -1};
    for (int i = 1; i <= 6; ++i)
      for (int j = 1; j <= 6; ++j)
        EXPECT_LT(std::abs(m.at(i, j) - sx[i - 1] * sx[j - 1] * r.at(i, j)),
                  1e-5 * std::abs(r.at(1, 1)))
            << i << "," << j;

    // Reflection in the plane x = y: x and y swap, the rotations swap with a
    // change of sign.
    GroupInput swapped = group({});
    for (auto [x, y] : xy) swapped.piles.push_back({y, x});
    const Result s = solve(swapped, w);
    const int to[6] = {2, 1, 3, 5, 4, 6};
    const double sg[6] = {1, 1, 1, -1, -1, -1};
    for (int i = 1; i <= 6; ++i)
      for (int j = 1; j <= 6; ++j) {
        const cd want = sg[i - 1] * sg[j - 1] * r.at(to[i - 1], to[j - 1]);
        EXPECT_LT(std::abs(s.at(i, j) - want), 1e-5 * std::abs(r.at(1, 1))) << i << "," << j;
      }
  }
}

TEST(group, refuses_input_that_would_give_nan) {
  GroupTables t;
  GroupInput in = group({{0.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 0.0f}});
  EXPECT_EQ(zrv::GRPSTA(in, t), GroupStatus::kCoincident);
  EXPECT_EQ(t.pair_i, 0);
  EXPECT_EQ(t.pair_j, 2);

  in = group({{0.0f, 0.0f}, {1.0f, 1.0f}});
  in.layers[1].shear_velocity = 0.0f;
  EXPECT_EQ(zrv::GRPSTA(in, t), GroupStatus::kTipVelocity);

  // A free first layer of 4.5 diameters is within the fit, 8.5 beyond it.
  in = group({{0.0f, 0.0f}, {1.0f, 1.0f}});
  in.layers[0].shear_velocity = 0.0f;
  in.layers[0].thickness = 2.25f;
  EXPECT_EQ(zrv::GRPSTA(in, t), GroupStatus::kGroupOk);
  in.layers[0].thickness = 4.25f;
  EXPECT_EQ(zrv::GRPSTA(in, t), GroupStatus::kFreeLength);

  // A singular single-pile matrix.
  in = group({{0.0f, 0.0f}, {1.0f, 1.0f}});
  ASSERT_EQ(zrv::GRPSTA(in, t), GroupStatus::kGroupOk);
  cf z[36] = {};
  cf g[36];
  zrv::GroupWork work;
  EXPECT_EQ(zrv::GRPDYN(in, t, z, 20.0f, g, work), GroupStatus::kSingular);
}

TEST(group, battered_pile_enters_in_the_global_axes) {
  // Axis inclined by 20 degrees in the x-z plane.
  const double phi = 20.0 * kPi / 180.0;
  zrv::GroupPile p;
  p.batter_angle = 20.0f;
  p.axis_angles = {20.0f, 90.0f, 110.0f, 90.0f, 0.0f, 90.0f, 70.0f, 90.0f, 20.0f};
  GroupInput in = group({});
  in.piles.push_back(p);
  in.battered = true;
  in.cap_height = 0.0f;
  const Result r = solve(in, 30.0f);
  const Single s;
  const double c2 = std::cos(phi) * std::cos(phi), s2 = std::sin(phi) * std::sin(phi);
  EXPECT_LT(zrv::test::relative_error(r.at(1, 1), c2 * s.kh + s2 * s.kz), 1e-6);
  EXPECT_LT(zrv::test::relative_error(r.at(3, 3), s2 * s.kh + c2 * s.kz), 1e-6);
  EXPECT_LT(zrv::test::relative_error(r.at(2, 2), s.kh), 1e-6);

  // In a group its plan position moves a third of the length down the batter.
  GroupInput pair = group({{-1.0f, 0.0f}});
  pair.piles.push_back(p);
  pair.battered = true;
  GroupTables t;
  ASSERT_EQ(zrv::GRPSTA(pair, t), GroupStatus::kGroupOk);
  EXPECT_NEAR(t.x[1], std::tan(phi) * 15.0 / 3.0, 1e-5);
  EXPECT_EQ(t.y[1], 0.0f);
  EXPECT_NEAR(t.spacing[1], (1.0 + std::tan(phi) * 5.0) / 0.5, 1e-5);
  // Without the batter data the deck position stays.
  pair.battered = false;
  ASSERT_EQ(zrv::GRPSTA(pair, t), GroupStatus::kGroupOk);
  EXPECT_EQ(t.x[1], 0.0f);
  EXPECT_EQ(t.spacing[1], 2.0f);
}
