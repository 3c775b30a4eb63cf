// MASS: the mass constants of the rigid body and, with the echo on, the list
// of mass components from the mass file.

#include <cstddef>
#include <string>
#include <vector>

#include "input/foundation.h"
#include "input/group_read.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

using namespace detail;

namespace {

constexpr int kMassFileRole = 9;

// Reads `need` numbers of the mass file in free format (blanks or commas
// between them, any number per line). False when the file ends first or holds
// something that is not a number.
bool read_free(fio::Unit& u, std::size_t need, std::vector<float>& out) {
  std::string record;
  while (out.size() < need) {
    if (u.read(record) != fio::Status::ok) return false;
    std::size_t pos = 0;
    while (pos < record.size()) {
      const std::size_t start = record.find_first_not_of(" ,\t", pos);
      if (start == std::string::npos) break;
      std::size_t end = record.find_first_of(" ,\t", start);
      if (end == std::string::npos) end = record.size();
      float value = 0.0f;
      if (fio::read_list(std::string_view(record).substr(start, end - start),
                         std::span<float>(&value, 1)) != 1)
        return false;
      out.push_back(value);
      pos = end;
    }
  }
  return true;
}

// The mass components of the mass file. A missing, short or unreadable file
// skips the list with a warning; the run goes on.
void mass_components(RunState& s) {
  fio::Unit& u = s.unit(kMassFileRole);
  const auto warn = [&] {
    report_message(s, " WARNING - MASS FILE MISSING OR INCOMPLETE, MASS COMPONENTS NOT LISTED");
  };
  if (!u.is_open()) {
    warn();
    return;
  }
  u.rewind();
  std::vector<float> values;
  if (!read_free(u, 1, values)) {
    warn();
    return;
  }
  const int count = rounded(values[0]);
  if (count < 1) return;
  // The components may follow the count on its own line.
  if (!read_free(u, 1 + 7 * static_cast<std::size_t>(count), values)) {
    warn();
    return;
  }
  fio::Unit& out = s.report();
  const std::string& len = label(s, lbl_length);
  out.write_fmt(
      "(/,/,1X,'MASS COMPONENTS  NUMBER OF DEFINED MASSES -',I3,/,1X,15('*'),/,/,"
      "1X,'  NO.     MASS     x-local   y-local   z-local','  LENGTH-X  LENGTH-Y  LENGTH-Z ',/,"
      "11X,A4,7X,A2,5(8X,A2))",
      count, label(s, lbl_mass), len, len, len, len, len, len);
  for (int k = 0; k < count; ++k) {
    const float* v = &values[1 + 7 * static_cast<std::size_t>(k)];
    out.write_fmt("(1X,I3,1X,F11.3,6(2X,F8.3))", k + 1, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  }
}

}  // namespace

void MASRED(RunState& s) {
  MassConstants& m = s.foundation.mass;
  float* field[7] = {&m.total,      &m.moment_x,   &m.moment_y,  &m.moment_z,
                     &m.product_xy, &m.product_xz, &m.product_yz};
  for (float* v : field) {
    if (!read_number(s, *v)) {
      if (s.deck_ended) return;
      report_message(s, " ERROR ENCOUNTERED IN FOUNDATION MASS DESCRIPTION");
      s.report().write(" PROGRAM WILL NOT EXECUTE");
      s.flags.fatal = 1;
      return;
    }
  }
  if (s.flags.echo != 1) return;
  fio::Unit& out = s.report();
  const std::string& mass = label(s, lbl_mass);
  const std::string& inertia = label(s, lbl_mass_inertia);
  out.write_fmt("(/,/,1X,'MASS CONSTANTS',/,1X,14('*'))");
  out.write("");
  out.write_fmt(
      "(1X,'TOTAL MASS OF FOOTING  .........',1P,E12.5,1X,A4,/,"
      "1X,'MASS MOMENT ABOUT X-AXIS  ......',E12.5,1X,A10,/,"
      "1X,'MASS MOMENT ABOUT Y-AXIS  ......',E12.5,1X,A10,/,"
      "1X,'MASS MOMENT ABOUT Z-AXIS  ......',E12.5,1X,A10,/,"
      "1X,'CROSS PRODUCT X-Y  .............',E12.5,1X,A10,/,"
      "1X,'CROSS PRODUCT X-Z  .............',E12.5,1X,A10,/,"
      "1X,'CROSS PRODUCT Y-Z  .............',E12.5,1X,A10)",
      m.total, mass, m.moment_x, inertia, m.moment_y, inertia, m.moment_z, inertia, m.product_xy,
      inertia, m.product_xz, inertia, m.product_yz, inertia);
  mass_components(s);
}

}  // namespace zrv
