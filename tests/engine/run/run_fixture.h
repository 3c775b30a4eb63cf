#pragma once
// Runs whole engine calls on decks written into a temporary folder.

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "run/entry.h"
#include "test_support.h"

namespace zrv::test {

// Writes names.dat (seven lines) and `deck` as job.zvd into `dir`.
inline void write_job(const TempDir& dir, const std::string& deck) {
  write_file(dir / "job.zvd", deck);
  const auto p = [&](const char* name) { return (dir / name).string(); };
  write_file(dir / "names.dat", "3.0.13\n" + p("job.zvd") + "\n" + p("job.zvo") + "\n" +
                                    p("job.zvp") + "\n" + p("job.zvr") + "\n" + p("job.zvt") +
                                    "\n" + p("job.zvm") + "\n");
}

// Writes the job as `write_job` does, runs one engine call in `dir` and
// returns its result.
inline int run_deck(const TempDir& dir, const std::string& deck) {
  write_job(dir, deck);
  ChangeDir here(dir.path());
  return run_engine(13);
}

using Lines = std::vector<std::string>;

inline Lines concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The report with the run date and time of the banner replaced by fixed text.
inline std::string masked(const std::string& report) {
  static const std::regex date("RUN DATE -  \\d{4}-\\d{2}-\\d{2}");
  static const std::regex time("TIME     -  \\d{2}:\\d{2}:\\d{2}");
  return std::regex_replace(std::regex_replace(report, date, "RUN DATE -  yyyy-mm-dd"), time,
                            "TIME     -  hh:mm:ss");
}

inline std::string pad(std::string s, std::size_t width = 80) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

}  // namespace zrv::test
