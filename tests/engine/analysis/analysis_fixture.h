#pragma once
// Decks and report readers shared by the analysis tests.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <sstream>
#include <string>
#include <vector>

#include "../run/run_fixture.h"

namespace zrv::test {

using cd = std::complex<double>;

// A finished run: its result, report and plot-data records.
struct Outcome {
  int result = -1;
  std::string report;
  std::vector<std::string> plot;
};

inline Outcome run(const std::string& deck) {
  TempDir dir;
  Outcome r;
  r.result = run_deck(dir, deck);
  r.report = read_file(dir / "job.zvo");
  r.plot = lines_of(read_file(dir / "job.zvp"));
  return r;
}

// The value printed after the n-th (from 0) occurrence of `label` in the report.
inline double value_after(const std::string& report, const std::string& label, int n = 0) {
  std::size_t at = 0;
  for (int k = 0; k <= n; ++k) {
    at = report.find(label, k == 0 ? 0 : at + 1);
    if (at == std::string::npos) {
      ADD_FAILURE() << "missing " << label;
      return NAN;
    }
  }
  std::istringstream in(report.substr(at + label.size()));
  double v = NAN;
  in >> v;
  return v;
}

// The whitespace-separated numbers of a text line.
inline std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> out;
  for (double v; in >> v;) out.push_back(v);
  return out;
}

// Report lines after the first line holding `marker`, up to `count` of them
// that hold numbers only.
inline std::vector<std::vector<double>> rows_after(const std::string& report,
                                                   const std::string& marker, int count) {
  std::vector<std::vector<double>> rows;
  const auto lines = lines_of(report);
  std::size_t i = 0;
  while (i < lines.size() && lines[i].find(marker) == std::string::npos) ++i;
  for (++i; i < lines.size() && static_cast<int>(rows.size()) < count; ++i) {
    const auto v = numbers(lines[i]);
    if (!v.empty() && lines[i].find_first_not_of(" 0123456789.+-E") == std::string::npos)
      rows.push_back(v);
  }
  return rows;
}

// Half-space or stratum deck parts.
inline std::string deck_head(const std::string& foundation, const std::string& shape,
                             const std::string& mass, const std::string& constants, bool matrix,
                             double gravity = 9.81) {
  std::ostringstream d;
  d << "TITLE=analysis test\n"
    << (matrix ? "MATRIX\n" : "") << "GRAVITY=" << gravity << "\n"
    << "FOUNDATION=" << foundation << "\n"
    << shape << "\nMASS\n"
    << mass << "\nCONSTANTS\n"
    << constants << "\n";
  return d.str();
}

inline std::string harmonic_load(const std::string& form, double fmax, double fmin, double fstep,
                                 const std::string& forces, const std::string& moments) {
  std::ostringstream d;
  d << "LOAD\nHARMONIC\nCONSTANTS\n"
    << form << "\n"
    << fmax << " " << fmin << " " << fstep << "\n"
    << forces << "\n"
    << moments << "\n0 0 0 0\nRUN\n";
  return d.str();
}

// Solves the complex system a x = b (row-major n x n) by elimination with
// partial pivoting, in double.
inline std::vector<cd> solve(std::vector<cd> a, std::vector<cd> b) {
  const std::size_t n = b.size();
  for (std::size_t c = 0; c < n; ++c) {
    std::size_t p = c;
    for (std::size_t r = c + 1; r < n; ++r)
      if (std::abs(a[r * n + c]) > std::abs(a[p * n + c])) p = r;
    for (std::size_t k = 0; k < n; ++k) std::swap(a[c * n + k], a[p * n + k]);
    std::swap(b[c], b[p]);
    for (std::size_t r = c + 1; r < n; ++r) {
      const cd f = a[r * n + c] / a[c * n + c];
      for (std::size_t k = c; k < n; ++k) a[r * n + k] -= f * a[c * n + k];
      b[r] -= f * b[c];
    }
  }
  std::vector<cd> x(n);
  for (std::size_t r = n; r-- > 0;) {
    cd s = b[r];
    for (std::size_t k = r + 1; k < n; ++k) s -= a[r * n + k] * x[k];
    x[r] = s / a[r * n + r];
  }
  return x;
}

}  // namespace zrv::test
