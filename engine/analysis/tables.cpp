#include "analysis/tables.h"

#include <string_view>

#include "fio/fio.h"
#include "numerics/pi.h"
#include "run/state.h"

namespace zrv {

namespace {

constexpr std::string_view full_format =
    "(/,/,1X,'FREQUENCY  -  ',F12.4,' Hz ','(',F12.4,' rad./sec.)',/,1X,9('*'),/,/,1X,"
    "'STIFFNESS CONSTANTS (K)',/,1X,23('*'),/,/,"
    "1X,'HORIZONTAL TRANSLATION (KXX) ..',1P,E13.5,1X,A5,/,"
    "1X,'HORIZONTAL TRANSLATION (KYY) ..',1P,E13.5,1X,A5,/,"
    "1X,'VERTICAL TRANSLATION (KWW)  ...',1P,E13.5,1X,A5,/,"
    "1X,'ROTATION (KPPX) .............. ',1P,E13.5,1X,A9,/,"
    "1X,'ROTATION (KPPY)  ..............',1P,E13.5,1X,A9,/,"
    "1X,'TORSION (KZT)  ................',1P,E13.5,1X,A9,/,"
    "1X,'CROSS-STIFFNESS (KXP)  ........',1P,E13.5,1X,A6,/,"
    "1X,'CROSS-STIFFNESS (KYP) ........ ',1P,E13.5,1X,A6,/,/,"
    "1X,'DAMPING CONSTANTS (C)',/,1X,21('*'),/,/,"
    "1X,'HORIZONTAL TRANSLATION (CXX) ..',1P,E13.5,1X,A9,/,"
    "1X,'HORIZONTAL TRANSLATION (CYY) ..',1P,E13.5,1X,A9,/,"
    "1X,'VERTICAL TRANSLATION (CWW)  ...',1P,E13.5,1X,A9,/,"
    "1X,'ROTATION (CPPX)  ..............',1P,E13.5,1X,A13,/,"
    "1X,'ROTATION (CPPY)  ..............',1P,E13.5,1X,A13,/,"
    "1X,'TORSION (CZT)  ................',1P,E13.5,1X,A13,/,"
    "1X,'CROSS-STIFFNESS (CXP)  ........',1P,E13.5,1X,A10,/,"
    "1X,'CROSS-STIFFNESS (CYP)  ........',1P,E13.5,1X,A10)";

constexpr std::string_view reduced_format =
    "(/,/,1X,'FREQUENCY  -  ',F12.4,' Hz ','(',F12.4,' rad./sec.)',/,1X,9('*'),/,/,1X,"
    "'STIFFNESS CONSTANTS (K)',/,1X,23('*'),/,/,"
    "1X,'HORIZONTAL TRANSLATION (KXX) ..',1P,E13.5,1X,A5,/,"
    "1X,'HORIZONTAL TRANSLATION (KYY) ..',1P,E13.5,1X,A5,/,"
    "1X,'VERTICAL TRANSLATION (KWW)  ...',1P,E13.5,1X,A5,/,"
    "1X,'ROTATION (KPPX) .............. ',1P,E13.5,1X,A9,/,"
    "1X,'ROTATION (KPPY)  ..............',1P,E13.5,1X,A9,/,"
    "1X,'TORSION (KZT)  ................',1P,E13.5,1X,A9,/,/,"
    "1X,'DAMPING CONSTANTS (C)',/,1X,21('*'),/,/,"
    "1X,'HORIZONTAL TRANSLATION (CXX) ..',1P,E13.5,1X,A9,/,"
    "1X,'HORIZONTAL TRANSLATION (CYY) ..',1P,E13.5,1X,A9,/,"
    "1X,'VERTICAL TRANSLATION (CWW)  ...',1P,E13.5,1X,A9,/,"
    "1X,'ROTATION (CPPX)  ..............',1P,E13.5,1X,A13,/,"
    "1X,'ROTATION (CPPY)  ..............',1P,E13.5,1X,A13,/,"
    "1X,'TORSION (CZT)  ................',1P,E13.5,1X,A13)";

}  // namespace

void write_full_table(RunState& s, float omega, const Constants& c) {
  const UnitLabels& l = s.labels;
  const auto& k = c.k;
  const auto& d = c.c;
  s.report().write_fmt(full_format, hertz(omega), omega, k[0], l[lbl_trans_stiffness], k[1],
                       l[lbl_trans_stiffness], k[2], l[lbl_trans_stiffness], k[3],
                       l[lbl_rot_stiffness], k[4], l[lbl_rot_stiffness], k[5], l[lbl_rot_stiffness],
                       k[6], l[lbl_coupling_stiffness], k[7], l[lbl_coupling_stiffness], d[0],
                       l[lbl_trans_damping], d[1], l[lbl_trans_damping], d[2], l[lbl_trans_damping],
                       d[3], l[lbl_rot_damping], d[4], l[lbl_rot_damping], d[5], l[lbl_rot_damping],
                       d[6], l[lbl_coupling_damping], d[7], l[lbl_coupling_damping]);
}

void write_special_block(RunState& s) {
  s.report().write_fmt(
      "(/,/,/,'************** SPECIAL OUTPUT OPTION **************',/,/,"
      "' CONCENTRATED HORIZONTAL AND ROCKING STIFFNESS ',/,' WITHOUT SEPARATED COUPLING TERMS',/,"
      "' --------------------------------------','-------')");
}

void write_reduced_table(RunState& s, float omega, const Constants& c) {
  const UnitLabels& l = s.labels;
  const auto& k = c.k;
  const auto& d = c.c;
  s.report().write_fmt(reduced_format, hertz(omega), omega, k[0], l[lbl_trans_stiffness], k[1],
                       l[lbl_trans_stiffness], k[2], l[lbl_trans_stiffness], k[3],
                       l[lbl_rot_stiffness], k[4], l[lbl_rot_stiffness], k[5], l[lbl_rot_stiffness],
                       d[0], l[lbl_trans_damping], d[1], l[lbl_trans_damping], d[2],
                       l[lbl_trans_damping], d[3], l[lbl_rot_damping], d[4], l[lbl_rot_damping],
                       d[5], l[lbl_rot_damping]);
}

std::string count_record(int n) { return fio::edit_i(n, 12); }

std::array<std::string, 2> matrix_records(float omega, const Constants& c) {
  std::array<std::string, 2> out;
  for (int r = 0; r < 2; ++r) {
    const auto& v = r == 0 ? c.k : c.c;
    out[static_cast<std::size_t>(r)] =
        fio::format("(9(1X,E10.3))", omega, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]).front();
  }
  return out;
}

std::string response_record(float omega, const std::array<float, 6>& amplitude) {
  const auto& u = amplitude;
  return fio::format("(1X,F7.2,2X,6(1X,1P,E11.4))", omega, u[0], u[1], u[2], u[3], u[4], u[5])
      .front();
}

std::string no_response_record(float omega) {
  return fio::format("(1X,F7.2,4X,'NO SOLUTION')", omega).front();
}

}  // namespace zrv
