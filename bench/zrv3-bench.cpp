// Times whole engine calls on generated pile decks: writes each deck and its
// names file into a temporary folder, runs the engine there several times and
// prints the median wall time with the median time of each analysis phase.
// Case r prints ratios: the 500-pile group on one thread against LAPACK's
// cgesv on the same systems (when the benchmark is built with LAPACK), and
// the speed-up of 8 threads over one, beside the speed-up that the machine
// itself gives 8 independent loops of arithmetic.
//
//   zrv3-bench [--repeat N] [--threads N] [--case a|b|c|r]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <complex>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "analysis/analysis.h"
#include "impedance/group.h"
#include "run/entry.h"
#include "zorvin_version.h"
#include "zrv/names_file.h"

#ifdef ZRV_BENCH_LAPACK
extern "C" void cgesv_(const int* n, const int* nrhs, std::complex<float>* a, const int* lda,
                       int* ipiv, std::complex<float>* b, const int* ldb, int* info);
// A tuned LAPACK may run on several threads; where it is OpenBLAS it is held
// to one. Weak: absent from other LAPACK builds.
extern "C" void openblas_set_num_threads(int) __attribute__((weak));
#endif

namespace {

namespace fs = std::filesystem;

// One pile group: a grid of rows x columns piles at `spacing`, fixed heads.
struct GroupDeck {
  int piles = 1;
  int columns = 1;
  double spacing = 1.8;
  int layers = 5;
  bool weak = false;
  int side_layers = 0;
  int battered = 0;  // the first `battered` piles lean 10 degrees, alternately in XZ and YZ
  bool interaction = true;
  int frequencies = 5;
};

std::string deck(const GroupDeck& g) {
  std::ostringstream d;
  d.precision(8);
  const double length = 18.0, layer = length / g.layers;
  d << "TITLE=benchmark deck\nMATRIX\nGRAVITY=9.8\nFOUNDATION=PILE\nRECTANGULAR="
    << std::max(3.0, g.columns * g.spacing) << ","
    << std::max(3.0, (g.piles + g.columns - 1) / g.columns * g.spacing) << "\nMASS\n"
    << 20.0 * g.piles << " " << 4000.0 * g.piles << " " << 4000.0 * g.piles << " "
    << 6000.0 * g.piles << " 0 0 0\nLAYERS=" << g.layers << "\nFIXED=" << g.piles << "\n";
  const int rows = (g.piles + g.columns - 1) / g.columns;
  for (int p = 0; p < g.piles; ++p) {
    const double x = (p % g.columns - 0.5 * (g.columns - 1)) * g.spacing;
    const double y = (p / g.columns - 0.5 * (rows - 1)) * g.spacing;
    d << p + 1 << " " << x << " " << y << "\n";
  }
  d << "CONSTANTS\n0 0 1.5 " << length << " 24\n400 0.2 0.02 1.11 30000000\nELEMENT\n";
  for (int k = 1; k <= g.layers; ++k)
    d << k << " " << layer << " 0.3 0.3 0.28274334 0.0063617251 0.0063617251 0.01272345\n";
  d << "FLOATING\n";
  if (g.battered > 0) {
    d << "BATTERED\n";
    for (int p = 0; p < g.piles; ++p)
      d << p + 1 << " " << (p % 2 == 0 ? "XZ" : "YZ") << "\n"
        << (p < g.battered ? (p % 4 < 2 ? 10 : -10) : 0) << "\n";
  }
  if (g.interaction) d << "INTERACTION\n";
  d << "SOIL\n" << (g.weak ? "WEAK\n" : "") << "CONSTANTS\n";
  for (int k = 1; k <= g.layers; ++k) {
    const double depth = (k - 0.5) * layer;
    d << k << " " << 120.0 + 8.0 * depth << " 18.5 0.35 0.05";
    // Weakened zones round the upper third of the pile.
    if (g.weak) d << (depth < length / 3 ? " 0.6 0.35 0.1 1" : " 1 0.35 0.1 0");
    d << "\n";
  }
  d << "BELOW=350 20 0.33 0.03\n";
  if (g.side_layers > 0) {
    d << "EMBEDDED\n" << g.side_layers << "\n";
    for (int k = 1; k <= g.side_layers; ++k) d << k << " 0.5 " << 100 + 20 * k << " 18 0.33 0.05\n";
  }
  const double fmin = 6.28, fstep = 3.14;
  d << "LOAD\nHARMONIC\nCONSTANTS\nNONQUADRATIC\n"
    << fmin + (g.frequencies - 1) * fstep << " " << fmin << " " << fstep
    << "\n100 100 100\n0 0 0\n0 0 0 0\nRUN\n";
  return d.str();
}

struct Timing {
  double total = 0;
  zrv::PhaseTimes phases;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// Runs `text` `repeat` times in a fresh folder; medians of the wall time and
// of each phase. A run that does not end with result 0 stops the benchmark.
Timing time_deck(const std::string& text, int repeat) {
  char pattern[] = "/tmp/zrv3-bench-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (!made) {
    std::perror("zrv3-bench: temporary folder");
    std::exit(1);
  }
  const fs::path dir(made);
  std::ofstream(dir / "job.zvd") << text;
  std::ofstream names(dir / "names.dat");
  names << zrv::names_file_text(ZORVIN_VERSION, (dir / "job.zvd").string());
  names.close();
  const fs::path back = fs::current_path();
  fs::current_path(dir);

  std::vector<double> total, p1, p2, resp, out;
  zrv::PhaseTimes phases;
  zrv::set_phase_timing(&phases);
  for (int r = 0; r < repeat; ++r) {
    const auto start = std::chrono::steady_clock::now();
    const int result = zrv::run_engine(zrv::interface_value);
    total.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (result != 0) {
      std::fprintf(stderr, "zrv3-bench: the engine returned %d; see %s\n", result,
                   (dir / "job.zvo").c_str());
      std::exit(1);
    }
    p1.push_back(phases.pass1);
    p2.push_back(phases.pass2);
    resp.push_back(phases.response);
    out.push_back(phases.output);
  }
  zrv::set_phase_timing(nullptr);
  fs::current_path(back);
  fs::remove_all(dir);
  return {median(total), {median(p1), median(p2), median(resp), median(out)}};
}

void row(const char* name, int frequencies, const Timing& t) {
  std::printf("%-44s %5d %9.3f %9.4f %8.3f %8.4f %8.4f %8.4f\n", name, frequencies, t.total,
              t.total / frequencies, t.phases.pass1, t.phases.pass2, t.phases.response,
              t.phases.output);
  std::fflush(stdout);
}

double seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

#ifdef ZRV_BENCH_LAPACK
// The 500-pile fixed-head group of deck (b): 25 x 20 piles at 1.8 m, the deck's
// pile section and soil.
zrv::GroupInput group_of_deck_b() {
  zrv::GroupInput in;
  for (int p = 0; p < 500; ++p) {
    zrv::GroupPile pile;
    pile.x = (static_cast<float>(p % 25) - 12.0f) * 1.8f;
    pile.y = (static_cast<float>(p / 25) - 9.5f) * 1.8f;
    in.piles.push_back(pile);
  }
  in.interaction = true;
  in.head_fixed = true;
  in.cap_height = 1.5f;
  in.gravity = 9.8f;
  in.youngs_modulus = 3.0e7f;
  in.length = 18.0f;
  in.radius = in.tip_radius = 0.3f;
  in.area = 0.28274334f;
  in.inertia_x = in.inertia_y = 0.0063617251f;
  in.layer_count = 5;
  for (int k = 0; k < 5; ++k)
    in.layers[static_cast<std::size_t>(k)] = {3.6f, 120.0f + 8.0f * 3.6f * (static_cast<float>(k) + 0.5f),
                                              18.5f, 0.35f};
  in.below = {0.0f, 350.0f, 20.0f, 0.33f};
  return in;
}
#endif

// Median time of LAPACK's cgesv (single precision, partial pivoting) on the
// three systems that the group solves at one frequency; negative without LAPACK.
double cgesv_time(int repeat) {
#ifdef ZRV_BENCH_LAPACK
  const zrv::GroupInput in = group_of_deck_b();
  zrv::GroupTables tables;
  if (zrv::GRPSTA(in, tables) != zrv::GroupStatus::kGroupOk) return -1.0;
  // A fixed-head single-pile impedance with its horizontal-rocking coupling.
  std::complex<float> z[36] = {};
  z[0] = z[7] = {4.0e4f, 1.2e3f};
  z[14] = {9.0e4f, 2.5e3f};
  z[21] = z[28] = {6.0e4f, 0.8e3f};
  z[35] = {1.5e3f, 20.0f};
  z[0 + 6 * 4] = z[4 + 6 * 0] = {-2.0e4f, -3.0e2f};
  z[1 + 6 * 3] = z[3 + 6 * 1] = {2.0e4f, 3.0e2f};
  std::array<zrv::GroupSystem, 3> systems;
  if (zrv::group_systems(in, tables, z, 12.56f, systems) != zrv::GroupStatus::kGroupOk) return -1.0;
  std::vector<double> times;
  for (int r = 0; r < repeat; ++r) {
    double t = 0.0;
    for (const zrv::GroupSystem& sys : systems) {
      std::vector<std::complex<float>> a(sys.a.begin(), sys.a.end()), b(sys.b.begin(), sys.b.end());
      std::vector<int> pivots(static_cast<std::size_t>(sys.n));
      int info = 0;
      const auto start = std::chrono::steady_clock::now();
      cgesv_(&sys.n, &sys.nrhs, a.data(), &sys.n, pivots.data(), b.data(), &sys.n, &info);
      t += seconds(start);
      if (info != 0) return -1.0;
    }
    times.push_back(t);
  }
  return median(times);
#else
  (void)repeat;
  return -1.0;
#endif
}

// Seconds for `threads` threads to run the same loop of arithmetic side by
// side: 64 independent lanes in registers and the first level of cache, so
// no memory traffic and no sharing, and as many multiplications and additions
// in flight as the cores allow. 8 of them take longer than one where the
// cores are shared or slow down when all are busy; the engine cannot scale
// better than that.
double arithmetic_time(int threads) {
  const auto loop = [](float* out) {
    float lanes[64];
    for (int k = 0; k < 64; ++k) lanes[k] = 0.5f + 0.001f * static_cast<float>(k);
    for (long i = 0; i < 50000000; ++i)
      for (float& x : lanes) x = x * 0.999f + 0.0005f;
    float sum = 0.0f;
    for (float x : lanes) sum += x;
    *out = sum;
  };
  std::vector<float> results(static_cast<std::size_t>(threads));
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(loop, &results[static_cast<std::size_t>(t)]);
  loop(&results[0]);
  for (std::thread& t : pool) t.join();
  const double t = seconds(start);
  volatile float keep = results[0];
  (void)keep;
  return t;
}

// Ratios of the 500-pile fixed-head group: one thread against cgesv, and 8
// threads against one at 41 and at 5 frequencies. The two sides of a ratio
// are timed one right after the other, `repeat` times, and the median ratio is
// reported: the load of a shared machine changes more slowly than that.
void ratios(int repeat) {
#ifdef ZRV_BENCH_LAPACK
  if (openblas_set_num_threads) openblas_set_num_threads(1);
#endif
  const auto with_threads = [&](int threads, int frequencies) {
    setenv("ZORVIN_THREADS", std::to_string(threads).c_str(), 1);
    GroupDeck b;
    b.piles = 500;
    b.columns = 25;
    b.frequencies = frequencies;
    return time_deck(deck(b), 1).total;
  };
  std::vector<double> one5, eight5, one41, eight41, lapack, to_lapack, up41, up5, ceiling;
  for (int r = 0; r < repeat; ++r) {
    one5.push_back(with_threads(1, 5));
    lapack.push_back(cgesv_time(1));
    to_lapack.push_back(one5.back() / 5 / lapack.back());
    eight5.push_back(with_threads(8, 5));
    up5.push_back(one5.back() / eight5.back());
    one41.push_back(with_threads(1, 41));
    eight41.push_back(with_threads(8, 41));
    up41.push_back(one41.back() / eight41.back());
    ceiling.push_back(8.0 * arithmetic_time(1) / arithmetic_time(8));
  }
  std::printf("500-pile fixed-head group, medians of %d runs\n", repeat);
  std::printf("  one thread, per frequency                     %9.4f s\n", median(one5) / 5);
  if (median(lapack) > 0.0)
    std::printf("  LAPACK cgesv on the same three systems        %9.4f s   ratio %.2f\n",
                median(lapack), median(to_lapack));
  else
    std::printf("  LAPACK cgesv: not built with LAPACK, no ratio\n");
  std::printf("  41 frequencies: 1 thread %.3f s, 8 threads %.3f s   speed-up %.2f\n",
              median(one41), median(eight41), median(up41));
  std::printf("  5 frequencies:  1 thread %.3f s, 8 threads %.3f s   speed-up %.2f\n",
              median(one5), median(eight5), median(up5));
  std::printf("  the machine: 8 independent loops of arithmetic at once  speed-up %.2f\n",
              median(ceiling));
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 3;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--threads" && i + 1 < argc) {
      setenv("ZORVIN_THREADS", argv[++i], 1);
    } else if (arg == "--case" && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr, "usage: zrv3-bench [--repeat N] [--threads N] [--case a|b|c|r]\n");
      return 2;
    }
  }
  if (only == "r") {
    ratios(repeat);
    return 0;
  }
  std::printf("threads %d, median of %d runs, times in seconds\n", zrv::analysis_threads(),
              repeat);
  std::printf("%-44s %5s %9s %9s %8s %8s %8s %8s\n", "deck", "freq", "total", "per freq",
              "pass 1", "pass 2", "response", "output");

  if (only.empty() || only == "a") {
    GroupDeck a;
    a.piles = 100;
    a.columns = 10;
    a.spacing = 1.8;  // 3 diameters
    a.layers = 20;
    a.weak = true;
    a.side_layers = 3;
    a.battered = 8;
    a.frequencies = 100;
    row("(a) 10x10 group, 20 layers, 3 side layers", a.frequencies,
        time_deck(deck(a), repeat));
  }
  if (only.empty() || only == "b") {
    for (int piles : {50, 100, 200, 500}) {
      GroupDeck b;
      b.piles = piles;
      b.columns = piles == 50 ? 10 : (piles == 100 ? 10 : (piles == 200 ? 20 : 25));
      b.frequencies = 5;
      const std::string name = "(b) " + std::to_string(piles) + "-pile fixed-head group";
      row(name.c_str(), b.frequencies, time_deck(deck(b), repeat));
    }
  }
  if (only.empty() || only == "c") {
    GroupDeck c;
    c.layers = 30;
    c.weak = true;
    c.interaction = false;
    c.frequencies = 500;
    row("(c) single pile, 30 layers", c.frequencies, time_deck(deck(c), repeat));
  }
  return 0;
}
