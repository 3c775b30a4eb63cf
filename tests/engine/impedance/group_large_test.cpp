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

namespace {

// A complex symmetric matrix of order n with a dominant diagonal.
std::vector<cd> symmetric_matrix(int n) {
  std::vector<cd> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = j; i < n; ++i) {
      const cd v = i == j ? cd(4.0 + 0.01 * i, 0.3)
                          : cd(std::sin(1.0 + i * 0.7 + j * 1.3), 0.2 * std::cos(i + 2.0 * j)) /
                                (1.0 + std::abs(i - j));
      a[i + static_cast<std::size_t>(n) * j] = a[j + static_cast<std::size_t>(n) * i] = v;
    }
  return a;
}

double worst_error(const std::vector<cd>& got, const std::vector<cd>& want) {
  double e = 0.0;
  for (std::size_t k = 0; k < got.size(); ++k) e = std::max(e, std::abs(got[k] - want[k]));
  return e;
}

TEST(group_large, symmetric_solver_pivots_when_it_must) {
  zrv::SymmetricWork work;
  for (int n : {1, 2, 31, 67}) {
    SCOPED_TRACE(n);
    std::vector<cd> a = symmetric_matrix(n);
    // Upper triangle not read: spoil it.
    for (int j = 1; j < n; ++j) a[0 + static_cast<std::size_t>(n) * j] = cd(1e30, 0.0);
    std::vector<cd> b(n), x(n);
    for (int i = 0; i < n; ++i) b[i] = cd(1.0 + i, -0.5 * i);
    x = b;
    ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 1, x.data(), work));
    EXPECT_LT(worst_error(x, solve(n, symmetric_matrix(n), b)), 1e-12);
  }
  // A zero first pivot and a first pivot of 1e-9 (factors of 1e9 without
  // pivoting): both solved to full accuracy through row pivoting.
  for (double first : {0.0, 1e-9}) {
    SCOPED_TRACE(first);
    const int n = 40;
    std::vector<cd> a = symmetric_matrix(n);
    a[0] = first;
    a[1] = a[n] = cd(2.0, 0.1);
    std::vector<cd> b(n, cd(1.0, 1.0)), x = b;
    ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 1, x.data(), work));
    const std::vector<cd> want = solve(n, a, b);
    EXPECT_LT(worst_error(x, want), 1e-11 * std::abs(want[0]));
  }
  // A singular matrix is refused.
  std::vector<cd> zero(9, 0.0), b(3, 1.0);
  EXPECT_FALSE(zrv::solve_symmetric(3, zero.data(), 1, b.data(), work));
}

// A = V diag(lambda) V with V a reflection and lambda falling from 1 to 1e-5
// (condition 1e5, far beyond what single precision resolves): the solution
// still matches a pivoting elimination in double to near its rounding.
TEST(group_large, symmetric_solver_reaches_double_accuracy_when_ill_conditioned) {
  const int n = 150;
  std::vector<double> v(n), lambda(n);
  double vv = 0.0;
  for (int i = 0; i < n; ++i) {
    v[i] = std::cos(0.37 * i) + 0.5;
    vv += v[i] * v[i];
    lambda[i] = std::pow(10.0, -5.0 * i / (n - 1));
  }
  auto reflect = [&](int i, int k) { return (i == k ? 1.0 : 0.0) - 2.0 * v[i] * v[k] / vv; };
  std::vector<cd> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      double sum = 0.0;
      for (int k = 0; k < n; ++k) sum += reflect(i, k) * lambda[k] * reflect(k, j);
      a[i + static_cast<std::size_t>(n) * j] = cd(1.0, 0.3) * sum;
    }
  std::vector<cd> b(2 * n);
  for (int i = 0; i < 2 * n; ++i) b[i] = cd(std::sin(0.3 * i), 1.0 - 0.01 * i);
  std::vector<cd> x = b;
  zrv::SymmetricWork work;
  ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 2, x.data(), work));
  for (int r = 0; r < 2; ++r) {
    const std::vector<cd> br(b.begin() + n * r, b.begin() + n * (r + 1));
    const std::vector<cd> xr(x.begin() + n * r, x.begin() + n * (r + 1));
    const std::vector<cd> want = solve(n, a, br);
    double size = 0.0;
    for (const cd& w : want) size = std::max(size, std::abs(w));
    EXPECT_LT(worst_error(xr, want), 1e-9 * size);
  }
}

}  // namespace
