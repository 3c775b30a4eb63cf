#pragma once
// The working data of one engine run. One RunState is value-initialised per
// call of the entry, so every run starts from zeroed storage plus the defaults
// of INIDEF, exactly as a freshly loaded library would.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "fio/fio.h"
#include "input/foundation.h"
#include "input/load.h"
#include "input/soil.h"
#include "run/word.h"

namespace zrv {

// The foundation system that the FOUNDATION group names.
enum class FoundationSystem : int {
  none = 0,  // not given yet
  pile = 1,
  half_space = 2,
  stratum = 3,
  multilayer = 4,
};

// The kind of load that the LOAD group names.
enum class LoadKind : int { none = 0, transient = 1, random = 2, harmonic = 3 };

// Run flags and codes set by INIDEF and by the keyword groups.
struct RunFlags {
  FoundationSystem foundation_type = FoundationSystem::none;  // none: not given yet
  LoadKind load_type = LoadKind::none;                        // none: not given yet
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
  // Completeness of the groups, checked by CHKDAT after RUN:
  int soil_given = 0;       // set by the SOIL reader once the soil below the foundation was read
  int elements_given = 0;   // set by the FOUNDATION reader once the element data (ELEM) were read
};

// The names file as the engine reads it.
struct NamesFile {
  std::string version;      // 12 characters, blank-padded
  std::string input_path;   // each path without its trailing blanks
  std::string report_path;
  std::string plot_path;
  std::string mass_path;    // empty when the names file gave none
};

// The report's unit labels, by position in `RunState::labels`. Each label has
// a fixed width (blank-padded) and is all blanks until GRAVITY chooses a unit
// system with the echo on.
enum Label : std::size_t {
  lbl_length,               //  2  "ft"            "m"
  lbl_moment,               //  5  "lb-ft"         "kN-m"
  lbl_force,                //  3  "lb"            "kN."
  lbl_pressure,             //  3  "psf"           "kPa"
  lbl_unit_weight,          //  8  "lb/ft**3"      "kN/m**3"
  lbl_acceleration,         //  7  "ft/s**2"       "m/s**2"
  lbl_area,                 //  5  "ft**2"         "m**2"
  lbl_velocity,             //  4  "ft/s"          "m/s"
  lbl_second_moment,        //  5  "ft**4"         "m**4"      (second moment of area)
  lbl_mass,                 //  4  "slug"          "Mg"
  lbl_mass_inertia,         // 10  "slug-ft**2"    "Mg-m**2"   (mass moment of inertia)
  lbl_trans_stiffness,      //  5  "lb/ft"         "kN/m"
  lbl_rot_stiffness,        //  9  "lb-ft/rad"     "kN-m/rad"
  lbl_trans_damping,        //  9  "lb/ft/sec"     "kN/m/sec"
  lbl_rot_damping,          // 13  "lb-ft/rad/sec" "kN-m/rad/sec"
  lbl_coupling_stiffness,   //  6  "lb/rad"        "kN/rad"
  lbl_coupling_damping,     // 10  "lb/rad/sec"    "kN/rad/sec"
  lbl_mass_length,          //  7  "slug-ft"       "Mg-m"      (mass times length)
  label_count
};

// Width of each label, in the order of `Label`.
inline constexpr std::array<int, label_count> label_width{
    2, 5, 3, 3, 8, 7, 5, 4, 5, 4, 10, 5, 9, 9, 13, 6, 10, 7};

// The eighteen labels, each a text of its fixed width. Value-initialised to
// blanks; UNITLB fills them.
struct UnitLabels {
  std::array<std::string, label_count> text;

  UnitLabels() {
    for (std::size_t i = 0; i < label_count; ++i)
      text[i] = std::string(static_cast<std::size_t>(label_width[i]), ' ');
  }
  const std::string& operator[](Label l) const { return text[l]; }
};

struct RunState {
  fio::Units units;
  std::array<int, 17> unit_table{};  // unit number by role
  NamesFile names;
  RunFlags flags;
  int keyword_count = 0;             // 52 after the first keyword look-up
  int stop = 0;                      // dispatcher's stop flag
  bool deck_ended = false;           // the record reader met the end of the deck
  bool deck_end_reported = false;    // the "deck ended early" message was written

  // GRAVITY: the gravitational constant and the report unit system it chose
  // (1 English, 2 SI, 0 none yet), with the labels of that system.
  float gravity = 0.0f;
  int unit_system = 0;
  UnitLabels labels;

  std::string title;                 // always 80 characters once INIDEF ran

  FoundationData foundation;
  SoilData soil;
  LoadData load;

  // The unit that a role reads or writes now.
  fio::Unit& unit(int role) { return units[unit_table[static_cast<std::size_t>(role)]]; }
  fio::Unit& report() { return unit(16); }
  // The unit the deck readers read (the scratch deck after preprocessing).
  fio::Unit& deck() { return unit(4); }
};

}  // namespace zrv
