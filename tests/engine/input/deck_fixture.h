#pragma once
// Runs whole engine calls on decks written the way users write them, and cuts
// the report into the lines a test compares.

#include <memory>
#include <string>
#include <vector>

#include "deck/prepro.h"
#include "deck/reader.h"
#include "run/entry.h"
#include "run/state.h"
#include "test_support.h"

namespace zrv::test {

struct DeckRun {
  int result = -1;
  std::string report;
  std::vector<std::string> lines;  // the report's records
};

// Writes names.dat, the deck and (when `mass` is not empty) the mass file into
// a fresh folder, runs one engine call there and returns its report.
namespace detail {
inline void write_job(const TempDir& dir, const std::string& deck, const std::string& mass) {
  write_file(dir / "job.zvd", deck);
  if (!mass.empty()) write_file(dir / "job.zvm", mass);
  const auto p = [&](const char* name) { return (dir / name).string(); };
  write_file(dir / "names.dat", "3.0.13\n" + p("job.zvd") + "\n" + p("job.zvo") + "\n" +
                                    p("job.zvp") + "\n" + p("job.zvr") + "\n" + p("job.zvt") +
                                    "\n" + p("job.zvm") + "\n");
}

inline void split_report(DeckRun& run) {
  std::string line;
  for (char c : run.report) {
    if (c == '\n') {
      run.lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) run.lines.push_back(line);
}
}  // namespace detail

inline DeckRun run_deck(const std::string& deck, const std::string& mass = "") {
  TempDir dir;
  detail::write_job(dir, deck, mass);
  DeckRun run;
  {
    ChangeDir here(dir.path());
    run.result = run_engine(13);
  }
  run.report = read_file(dir / "job.zvo");
  detail::split_report(run);
  return run;
}

// Reads a deck as the entry does (names file, preprocessor, defaults,
// dispatcher) but stops before the check and the analysis, and keeps the run
// state for the test to look at.
struct DeckState {
  std::unique_ptr<RunState> state = std::make_unique<RunState>();
  DeckRun run;
};

inline DeckState read_deck(const std::string& deck, const std::string& mass = "") {
  TempDir dir;
  detail::write_job(dir, deck, mass);
  DeckState out;
  RunState& s = *out.state;
  {
    ChangeDir here(dir.path());
    for (int role : {4, 7, 8, 16}) s.unit_table[static_cast<std::size_t>(role)] = role;
    if (OPNFIL(s) == 0) {
      PREPRO(s);
      int status = 0;
      INIDEF(s, status);
      KEYDSP(s, status, s.stop);
    }
    CLSFIL(s);
  }
  out.run.result = s.flags.fatal != 0 ? 3 : 0;
  out.run.report = read_file(dir / "job.zvo");
  detail::split_report(out.run);
  return out;
}

// The echo of the groups: the records from the two empty ones before the
// FOUNDATION echo (or before `from` when given) up to the stop frame's page mark.
inline std::vector<std::string> echo_of(const DeckRun& run,
                                        const std::string& from = " FOUNDATION TYPE") {
  std::vector<std::string> out;
  std::size_t k = 0;
  while (k < run.lines.size() && run.lines[k].rfind(from, 0) != 0) ++k;
  if (k == run.lines.size()) return out;
  for (k = k >= 2 ? k - 2 : 0; k < run.lines.size() && run.lines[k] != "1"; ++k)
    out.push_back(run.lines[k]);
  return out;
}

// The records from the first one equal to `first` up to (not including) the
// first one after it that equals `end`; empty when `first` is missing.
inline std::vector<std::string> section(const DeckRun& run, const std::string& first,
                                        const std::string& end) {
  std::vector<std::string> out;
  bool in = false;
  for (const std::string& l : run.lines) {
    if (!in && l == first)
      in = true;
    else if (in && l == end)
      break;
    if (in) out.push_back(l);
  }
  return out;
}

// A framed message: the records from the one equal to `first` up to the next
// empty record or page mark.
inline std::vector<std::string> message(const DeckRun& run, const std::string& first) {
  std::vector<std::string> out;
  bool in = false;
  for (const std::string& l : run.lines) {
    if (!in && l == first)
      in = true;
    else if (in && (l.empty() || l == "1"))
      break;
    if (in) out.push_back(l);
  }
  return out;
}

// Whether some record of the report equals `line`.
inline bool has_line(const DeckRun& run, const std::string& line) {
  for (const std::string& l : run.lines)
    if (l == line) return true;
  return false;
}

// The four records of a framed fatal message whose text is `line`: two empty
// records, the line and " PROGRAM WILL NOT EXECUTE"; empty when not found.
inline std::vector<std::string> framed(const DeckRun& run, const std::string& line) {
  for (std::size_t k = 2; k + 1 < run.lines.size(); ++k)
    if (run.lines[k] == line)
      return {run.lines[k - 2], run.lines[k - 1], run.lines[k], run.lines[k + 1]};
  return {};
}

inline std::vector<std::string> framed_text(const std::string& line) {
  return {"", "", line, " PROGRAM WILL NOT EXECUTE"};
}

// Whether some record of the report begins with `prefix`.
inline bool has_prefix(const DeckRun& run, const std::string& prefix) {
  for (const std::string& l : run.lines)
    if (l.rfind(prefix, 0) == 0) return true;
  return false;
}

}  // namespace zrv::test
