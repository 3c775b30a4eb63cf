// Large pile groups: the blocked symmetric solve of the group flexibility
// (several panels, an odd order, the three solves at once) against the
// flexibility matrices formed and solved here by plain elimination in double.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <vector>

#include "expect.h"
#include "impedance/group.h"
#include "group_fixture.h"

namespace {

using cd = std::complex<double>;
using cf = std::complex<float>;
using zrv::GroupInput;
using zrv::GroupStatus;
using zrv::GroupTables;

// Solves a x = b (a column-major n x n) by elimination with row pivoting.
std::vector<cd> solve(int n, std::vector<cd> a, std::vector<cd> b) {
  auto at = [&](int i, int j) -> cd& { return a[i + static_cast<std::size_t>(n) * j]; };
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::abs(at(i, k)) > std::abs(at(p, k))) p = i;
    for (int j = 0; j < n; ++j) std::swap(at(k, j), at(p, j));
    std::swap(b[k], b[p]);
    for (int i = k + 1; i < n; ++i) {
      const cd f = at(i, k) / at(k, k);
      for (int j = k; j < n; ++j) at(i, j) -= f * at(k, j);
      b[i] -= f * b[k];
    }
  }
  std::vector<cd> x(n);
  for (int i = n - 1; i >= 0; --i) {
    cd s = b[i];
    for (int j = i + 1; j < n; ++j) s -= at(i, j) * x[j];
    x[i] = s / at(i, i);
  }
  return x;
}

// A single-pile impedance with fixed-head couplings (1,5) = c, (2,4) = -c.
void single_pile(cf* z) {
  const cd kh(4.0e4, 1.2e3), kz(9.0e4, 2.5e3), kr(6.0e4, 0.8e3), kt(1.5e3, 20.0),
      c(-2.0e4, -3.0e2);
  for (int i = 0; i < 36; ++i) z[i] = 0.0f;
  z[0] = z[7] = cf(kh);
  z[14] = cf(kz);
  z[21] = z[28] = cf(kr);
  z[35] = cf(kt);
  z[0 + 6 * 4] = z[4 + 6 * 0] = cf(c);
  z[1 + 6 * 3] = z[3 + 6 * 1] = cf(-c);
}

GroupInput large_group(int n, bool fixed) {
  GroupInput in;
  for (int k = 0; k < n; ++k) {
    zrv::GroupPile p;
    p.x = 1.5f * static_cast<float>(k % 13) + 0.1f * static_cast<float>(k % 3);
    p.y = 1.3f * static_cast<float>(k / 13);
    in.piles.push_back(p);
  }
  zrv::test::setSampleGroupProperties(in);
  in.head_fixed = fixed;
  return in;
}

// Runs the tasks on the calling thread, last first, each as another worker.
class ReverseRunner final : public zrv::TaskRunner {
 public:
  int size() const override { return 2; }
  void run(int count, const std::function<void(int, int)>& task) override {
    for (int k = count - 1; k >= 0; --k) task(k, k % 2);
  }
};

TEST(group_large, blocked_solve_matches_plain_elimination) {
  const float omega = 40.0f;  // dynamic factors
  cf z[36];
  single_pile(z);
  // The common flexibility F = Z^-1, column by column.
  std::vector<cd> zd(z, z + 36);
  std::vector<cd> f(36);
  for (int j = 0; j < 6; ++j) {
    std::vector<cd> e(6, 0.0);
    e[j] = 1.0;
    const std::vector<cd> col = solve(6, zd, e);
    for (int i = 0; i < 6; ++i) f[i + 6 * j] = col[i];
  }
  const auto fe = [&](int i, int j) { return f[(i - 1) + 6 * (j - 1)]; };

  for (bool fixed : {true, false}) {
    SCOPED_TRACE(fixed ? "fixed heads" : "pinned heads");
    const int n = 151;  // 302 lateral equations with fixed heads
    const GroupInput in = large_group(n, fixed);
    GroupTables t;
    ASSERT_EQ(zrv::GRPSTA(in, t), GroupStatus::kGroupOk);
    cf g[36];
    zrv::GroupWork work;
    ASSERT_EQ(zrv::GRPDYN(in, t, z, omega, g, work), GroupStatus::kGroupOk);
    const float a0 = omega * t.diameter / t.tip_velocity;
    const auto tab = [&](const std::vector<float>& v, int i, int j) {
      return v[i + static_cast<std::size_t>(n) * j];
    };

    // Vertical: sum of the inverse of [Fzz alpha_v(i, j)].
    std::vector<cd> av(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        if (i == j) {
          av[i + n * j] = fe(3, 3);
          continue;
        }
        const int lo = std::min(i, j), hi = std::max(i, j);
        const float s = tab(t.spacing, hi, lo), alpha = tab(t.spacing, lo, hi);
        av[i + n * j] = fe(3, 3) * cd(zrv::DYNVER(a0, s, alpha));
      }
    const std::vector<cd> kv = solve(n, av, std::vector<cd>(n, 1.0));
    cd kzz = 0.0, kzx = 0.0;
    for (int i = 0; i < n; ++i) {
      kzz += kv[i];
      kzx += kv[i] * static_cast<double>(in.piles[i].x);
    }
    EXPECT_LT(zrv::test::relative_error(cd(g[14]), kzz), 1e-5);
    EXPECT_LT(zrv::test::relative_error(cd(g[2 + 6 * 4]), kzx), 1e-5);

    // Lateral along x: translation (and rotation) per pile.
    const int step = fixed ? 2 : 1, m = step * n;
    const cd fuu = fe(1, 1), fut = fe(1, 5), ftt = fe(5, 5);
    std::vector<cd> al(static_cast<std::size_t>(m) * m);
    const auto put = [&](int i, int j, cd v) { al[i + static_cast<std::size_t>(m) * j] = v; };
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        cd alpha[3] = {1.0, 1.0, 1.0};
        if (i != j) {
          const int lo = std::min(i, j), hi = std::max(i, j);
          zrv::LateralStatic st;
          for (int c = 0; c < 3; ++c)
            st[c] = {tab(t.lateral[c], lo, hi), tab(t.lateral[c], hi, lo)};
          const auto d = zrv::DYNLAT(a0, tab(t.spacing, hi, lo), tab(t.angle, lo, hi), st);
          for (int c = 0; c < 3; ++c) alpha[c] = cd(d[c]);
        }
        put(step * i, step * j, fuu * alpha[0]);
        if (fixed) {
          put(step * i + 1, step * j, fut * alpha[1]);
          put(step * i, step * j + 1, fut * alpha[1]);
          put(step * i + 1, step * j + 1, ftt * alpha[2]);
        }
      }
    std::vector<cd> unit(m, 0.0);
    for (int i = 0; i < n; ++i) unit[step * i] = 1.0;
    const std::vector<cd> kl = solve(m, al, unit);
    cd kxx = 0.0;
    for (int i = 0; i < n; ++i) kxx += kl[step * i];
    EXPECT_LT(zrv::test::relative_error(cd(g[0]), kxx), 1e-5);

    // The same group in a second call with the storage of the first, and
    // with its solves handed to a runner, each on its worker's storage.
    cf again[36], handed[36];
    ASSERT_EQ(zrv::GRPDYN(in, t, z, omega, again, work), GroupStatus::kGroupOk);
    ReverseRunner runner;
    std::vector<zrv::SymmetricWork> solves(static_cast<std::size_t>(runner.size()));
    zrv::GroupWork shared;
    shared.runner = &runner;
    shared.thread_solves = &solves;
    ASSERT_EQ(zrv::GRPDYN(in, t, z, omega, handed, shared), GroupStatus::kGroupOk);
    for (int k = 0; k < 36; ++k) {
      EXPECT_EQ(again[k], g[k]);
      EXPECT_EQ(handed[k], g[k]);
    }
  }
}

}  // namespace
