// Times whole engine calls on generated pile decks: writes each deck and its
// names file into a temporary folder, runs the engine there several times and
// prints the median wall time with the median time of each analysis phase.
//
//   zrv3-bench [--repeat N] [--threads N] [--case a|b|c]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "analysis/analysis.h"
#include "run/entry.h"

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
  names << "3.0.13\n";
  for (const char* ext : {"zvd", "zvo", "zvp", "zvr", "zvt", "zvm"})
    names << (dir / (std::string("job.") + ext)).string() << "\n";
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
      std::fprintf(stderr, "usage: zrv3-bench [--repeat N] [--threads N] [--case a|b|c]\n");
      return 2;
    }
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
