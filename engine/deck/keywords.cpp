#include "deck/keywords.h"

#include <string>

#include "deck/reader.h"
#include "report/header.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

namespace {

constexpr std::array<std::string_view, label_count> english{
    "ft",    "lb-ft",     "lb",        "psf",           "lb/ft**3", "ft/s**2",
    "ft**2", "ft/s",      "ft**4",     "slug",          "slug-ft**2", "lb/ft",
    "lb-ft/rad", "lb/ft/sec", "lb-ft/rad/sec", "lb/rad", "lb/rad/sec", "slug-ft"};
constexpr std::array<std::string_view, label_count> si{
    "m",    "kN-m",     "kN.",      "kPa",          "kN/m**3", "m/s**2",
    "m**2", "m/s",      "m**4",     "Mg",           "Mg-m**2", "kN/m",
    "kN-m/rad", "kN/m/sec", "kN-m/rad/sec", "kN/rad", "kN/rad/sec", "Mg-m"};

}  // namespace

void UNITLB(RunState& s) {
  const auto& texts = s.unit_system == 1 ? english : si;
  for (std::size_t i = 0; i < label_count; ++i) {
    std::string t(texts[i]);
    t.resize(static_cast<std::size_t>(label_width[i]), ' ');
    s.labels.text[i] = t;
  }
}

void GRVRED(RunState& s) {
  Word word;
  int status = 0;
  READIT(s, 1, s.gravity, word, status);
  if (status != 1) {
    s.flags.gravity_given = 0;
    report_message(s, " ERROR ENCOUNTERED WHILE READING GRAV. CONSTANT");
    s.report().write(" PROGRAM WILL NOT EXECUTE");
    s.flags.fatal = 1;
  }
  if (s.flags.echo != 1 || s.flags.fatal != 0) return;
  s.unit_system = s.gravity > 10.0f ? 1 : 2;
  UNITLB(s);
  report_message(s, " GRAVITATIONAL CONSTANT SET TO" + fio::edit_f(s.gravity, 7, 2) + " " +
                        s.labels[lbl_acceleration]);
  s.report().write(" " + std::string(44, '*'));
}

void TITLRD(RunState& s, int& status) {
  std::string record;
  if (s.deck().read(record) != fio::Status::ok) {
    s.deck_ended = true;
    report_message(s, " END OF FILE ENCOUNTERED WHILE READING TITLE");
    report_deck_ended(s);
    status = -1;
    return;
  }
  record.resize(80, ' ');
  s.title = record;
  status = 1;
  if (s.flags.echo == 1) HEADER(s, header_data_echo, status);
}

}  // namespace zrv
