#pragma once
// The working data of one engine run. One RunState is value-initialised per
// call of the entry, so every run starts from zeroed storage plus the defaults
// of INIDEF, exactly as a freshly loaded library would.

#include <array>
#include <string>

#include "fio/fio.h"
#include "input/foundation.h"
#include "input/load.h"
#include "input/soil.h"
#include "run/word.h"

namespace zrv {

// Run flags and codes set by INIDEF and by the keyword groups.
struct RunFlags {
  int foundation_type = 0;  // 1 pile, 2 half-space, 3 stratum, 4 multilayer; 0 not given
  int load_type = 0;        // 1 transient, 2 random, 3 harmonic; 0 not given
  int shape = 0;            // 1 circular, 2 rectangular; 0 not given
  int gravity_given = 0;
  int print_width = 0;      // 1 narrow, 2 wide
  int echo = 0;             // 1 echo the input data to the report
  int soil_profile = 0;     // 1 layered, 2 parabolic
  int harmonic_form = 0;    // 1 non-quadratic, 2 quadratic
  int matrix_print = 0;     // 1 print and write the stiffness and damping constants
  int dimensionless = 0;    // set by DIME; no further effect
  int weak_zone = 0;
  int interaction = 0;
  int battered = 0;
  int embedment = 0;
  int side_cap_weak = 0;
  int pile_tip = 0;         // 0 floating, 1 end-bearing
  int fatal = 0;            // set by any reader that meets a fatal input error
};

// The names file as the engine reads it.
struct NamesFile {
  std::string version;      // 12 characters, blank-padded
  std::string input_path;   // each path without its trailing blanks
  std::string report_path;
  std::string plot_path;
  std::string mass_path;
};

struct RunState {
  fio::Units units;
  std::array<int, 17> unit_table{};  // unit number by role
  NamesFile names;
  RunFlags flags;
  int keyword_count = 0;             // 52 after the first keyword look-up
  int stop = 0;                      // dispatcher's stop flag
  std::array<char, 80> title{};      // one character per element

  FoundationData foundation;
  SoilData soil;
  LoadData load;

  // The unit that a role reads or writes now.
  fio::Unit& unit(int role) { return units[unit_table[static_cast<std::size_t>(role)]]; }
  fio::Unit& report() { return unit(16); }
};

}  // namespace zrv
