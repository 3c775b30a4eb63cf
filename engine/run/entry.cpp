#include "run/entry.h"

#include <filesystem>
#include <ios>
#include <iostream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "analysis/analysis.h"
#include "deck/prepro.h"
#include "deck/reader.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

namespace {

constexpr std::string_view default_title = "ZORVIN ANALYSIS";

// A names-file line: its first `width` characters, blank-padded.
std::string field(std::string_view line, std::size_t width) {
  std::string r(line.substr(0, width));
  r.append(width - r.size(), ' ');
  return r;
}

std::string without_trailing_blanks(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

// A file that the run cannot do without: the message goes to the report when
// it is open, else to standard error.
void file_failure(RunState& s, std::string_view message) {
  const std::string line = " *** " + std::string(message) + " ***";
  if (s.units[16].is_open()) {
    report_message(s, line);
    s.report().write(" *** EXECUTION TERMINATED ***");
  } else {
    std::cerr << "zorvin:" << line << '\n';
  }
}

std::string prompt_for(std::string_view what) {
  fio::Units::console_write("");
  fio::Units::console_write("");
  fio::Units::console_write("       ENTER A FILE NAME FOR YOUR " + std::string(what) + " FILE.");
  fio::Units::console_write(" ENTER >");
  std::string answer;
  if (!fio::Units::console_read(answer)) answer.clear();
  return without_trailing_blanks(answer);
}

bool open_unit(RunState& s, int unit, const std::string& path, fio::Unit::Mode mode,
               std::string_view what) {
  if (!path.empty() && s.units[unit].open(path, mode)) return true;
  file_failure(s, std::string(what) + " COULD NOT BE OPENED: " +
                      (path.empty() ? std::string("(NO NAME GIVEN)") : path));
  return false;
}

void write_exception(RunState& s, std::string_view what) {
  if (!s.units[16].is_open()) {
    std::cerr << "zorvin: *** RUN ABORTED - " << what << " ***\n";
    return;
  }
  report_message(s, " *** RUN ABORTED - " + std::string(what) + " ***");
  s.report().write(" *** EXECUTION TERMINATED ***");
}

int run_sequence(RunState& s) {
  s.unit_table[4] = 4;
  s.unit_table[7] = 7;
  s.unit_table[8] = 8;
  s.unit_table[16] = 16;
  int result = run_done;
  try {
    result = OPNFIL(s);
    if (result == run_done) {
      PREPRO(s);
      int status = 0;
      INIDEF(s, status);
      KEYDSP(s, status, s.stop);
      if (s.flags.fatal != 0) {
        write_fatal_frame(s);
        result = run_fatal;
      } else if (s.stop != 0) {
        write_stop_frame(s);
        result = run_stopped;
      } else {
        CHKDAT(s);
        if (s.flags.fatal != 0) {
          write_fatal_frame(s);
          result = run_fatal;
        } else {
          ANALYS(s);
          // The analysis refuses data it cannot use (its own message) by
          // setting the fatal-input flag.
          result = s.flags.fatal != 0 ? run_fatal : run_done;
        }
      }
    }
  } catch (const std::filesystem::filesystem_error& e) {
    write_exception(s, e.what());
    result = run_file_error;
  } catch (const std::ios_base::failure& e) {
    write_exception(s, e.what());
    result = run_file_error;
  } catch (const std::bad_alloc&) {
    write_exception(s, "OUT OF MEMORY");
    result = run_fatal;
  } catch (const std::exception& e) {
    write_exception(s, e.what());
    result = run_fatal;
  }
  if (!CLSFIL(s) && result != run_file_error) {
    std::cerr << "zorvin: an output file could not be written in full\n";
    result = run_file_error;
  }
  return result;
}

}  // namespace

int OPNFIL(RunState& s) {
  using Mode = fio::Unit::Mode;
  fio::Units& u = s.units;
  if (!u[7].open("TAPE7", Mode::scratch)) {
    file_failure(s, "SCRATCH FILE TAPE7 COULD NOT BE OPENED");
    return run_file_error;
  }
  if (!u[8].open("TAPE8", Mode::scratch)) {
    file_failure(s, "SCRATCH FILE TAPE8 COULD NOT BE OPENED");
    return run_file_error;
  }
  if (!u[2].open("names.dat", Mode::input)) {
    file_failure(s, "NAMES FILE names.dat COULD NOT BE OPENED");
    return run_file_error;
  }
  std::string line;
  if (u[2].read(line) != fio::Status::ok) {
    file_failure(s, "NAMES FILE names.dat IS EMPTY");
    return run_file_error;
  }
  s.names.version = field(line, 12);

  std::string* const targets[] = {&s.names.input_path, &s.names.report_path,
                                   &s.names.plot_path, &s.names.mass_path,
                                   &s.names.mass_path, &s.names.mass_path};
  bool complete = true;
  for (std::string* target : targets) {
    if (u[2].read(line) != fio::Status::ok) {
      complete = false;
      break;
    }
    // Paths are read whole: a deep folder must not cut one name into another.
    *target = without_trailing_blanks(line);
  }
  if (!complete) {
    if (!fio::Units::console_is_terminal()) {
      file_failure(s, "NAMES FILE names.dat HAS FEWER THAN SEVEN LINES"
                      " AND NO TERMINAL TO ASK FOR THE FILE NAMES");
      return run_file_error;
    }
    s.names.input_path = prompt_for("INPUT");
    s.names.report_path = prompt_for("OUTPUT");
    s.names.plot_path = prompt_for("GRAPHIC DATA");
  }

  // The report first, so that the failures after it are written there.
  if (!open_unit(s, 16, s.names.report_path, Mode::output, "OUTPUT FILE")) return run_file_error;
  if (!open_unit(s, 4, s.names.input_path, Mode::input, "INPUT FILE")) return run_file_error;
  if (!open_unit(s, 6, s.names.plot_path, Mode::output, "GRAPHIC DATA FILE"))
    return run_file_error;
  // A missing mass file only skips the mass-component echo (its reader says so).
  if (!s.names.mass_path.empty()) u[9].open(s.names.mass_path, Mode::input);
  return run_done;
}

bool CLSFIL(RunState& s) {
  bool ok = true;
  for (int unit : {7, 8, 2, 4, 16, 6, 9}) {
    fio::Unit& u = s.units[unit];
    if (u.is_open() && !u.close()) ok = false;
  }
  return ok;
}

void INIDEF(RunState& s, int& status) {
  for (int role = 1; role <= 10; ++role) s.unit_table[static_cast<std::size_t>(role)] = role;
  s.unit_table[4] = 7;
  RunFlags& f = s.flags;
  f.foundation_type = FoundationSystem::none;
  f.load_type = LoadKind::none;
  f.shape = 0;
  f.gravity_given = 0;
  s.keyword_count = 0;
  f.print_width = 1;
  f.echo = 1;
  f.soil_profile = 1;
  f.harmonic_form = 1;
  f.matrix_print = 0;
  f.dimensionless = 0;
  f.weak_zone = 0;
  f.interaction = 0;
  f.battered = 0;
  f.embedment = 0;
  f.side_cap_weak = 0;
  f.pile_tip = 0;
  f.fatal = 0;
  s.title = std::string(default_title);
  s.title.resize(80, ' ');
  status = 1;
}

void CHKDAT(RunState& s) {
  const RunFlags& f = s.flags;
  const bool needs_elements = f.foundation_type == FoundationSystem::pile ||
                              f.foundation_type == FoundationSystem::multilayer;
  if (f.foundation_type == FoundationSystem::none || f.load_type == LoadKind::none ||
      f.shape == 0 || f.soil_given == 0 || (needs_elements && f.elements_given == 0)) {
    s.flags.fatal = 1;
    report_message(s, " INSUFFICIENT INPUT DATA TO COMPLETE RUN");
    s.report().write(" PROGRAM WILL TERMINATE");
    return;
  }
  if (f.gravity_given == 0) {
    s.flags.fatal = 1;
    report_message(s, " GRAVITATIONAL CONSTANT NOT SET");
    s.report().write(" PROGRAM WILL TERMINATE");
  }
}

void write_fatal_frame(RunState& s) {
  s.report().write_fmt("('1',/,/,/,'*** FATAL ERROR IN INPUT DATA ***',/,"
                       "'*** EXECUTION TERMINATED ***')");
}

void write_stop_frame(RunState& s) {
  s.report().write_fmt("('1',/,/,/,' *** RUN TERMINATED BY ''STOP'' KEYWORD ***')");
}

int run_engine(int value) {
  if (value != interface_value) return run_wrong_value;
  const auto state = std::make_unique<RunState>();
  return run_sequence(*state);
}

}  // namespace zrv
