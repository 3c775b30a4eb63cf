// BELOW: the soil under the pile tips, the half-space or the multilayer
// system; EMBEDDED: the side layers of a pile cap with their side-cap zone.

#include <algorithm>
#include <string>

#include "input/group_read.h"
#include "input/soil.h"
#include "input/soil_detail.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

using namespace detail;

void BELRED(RunState& s) {
  const FoundationSystem type = s.flags.foundation_type;
  SoilProperties& p = s.soil.below;
  if (!read_all(s, {&p.shear_velocity, &p.unit_weight, &p.poisson_ratio, &p.damping})) {
    if (s.deck_ended) return;
    s.report().write_fmt(
        "(/,1X,' *** BAD DATA IN SOIL DESCRIPTION BELOW PILE ***',/,"
        "1X,'     - WILL CONTINUE TO PROCESS DATA',/,"
        "1X,'     - CANNOT    EXECUTE THIS PROBLEM SET')");
    s.flags.fatal = 1;
    return;
  }
  // The half-space's own velocity is checked by the analysis with its message;
  // under piles and the multilayer system the tip disk divides by it.
  if (type != FoundationSystem::half_space && !(p.shear_velocity > 0.0f))
    refuse(s, " ERROR - SHEAR WAVE VELOCITY OF SOIL BELOW MUST BE GREATER THAN 0");
  check_poisson(s, p.poisson_ratio, "SOIL BELOW");
  check_damping(s, p.damping, "SOIL BELOW");
  if (s.flags.echo != 1) return;
  fio::Unit& out = s.report();
  if (type == FoundationSystem::pile)
    out.write_fmt("(/,/,1X,'SOIL BELOW PILE',/,1X,15('*'))");
  else if (type == FoundationSystem::half_space)
    out.write_fmt("(/,/,1X,'HALF-SPACE SOIL',/,1X,15('*'))");
  else
    out.write_fmt("(/,/,1X,'SOIL BELOW MULTILAYER SYSTEM',/,1X,28('*'))");
  out.write("");
  out.write_fmt(
      "(1X,'SHEAR WAVE    UNIT    POISSON''S   MATERIAL',/,"
      "1X,' VELOCITY    WEIGHT     RATIO     DAMPING',/,5X,A4,6X,A8,/,"
      "1X,1P,E9.2,1X,F11.4,3X,F5.3,3X,F7.3)",
      label(s, lbl_velocity), label(s, lbl_unit_weight), p.shear_velocity, p.unit_weight,
      p.poisson_ratio, p.damping);
}

void EMBRED(RunState& s) {
  SoilData& soil = s.soil;
  RunFlags& fl = s.flags;
  const bool cap = fl.side_cap_weak == 1;
  const auto ignore = [&] {
    report_message(s, " ERROR ENCOUNTERED WHILE READING EMBEDDED OR ISOLATION DATA");
    s.report().write(" PROGRAM WILL IGNORE THESE OPTIONS");
    fl.embedment = 0;
    fl.side_cap_weak = 0;
  };

  float count = 0.0f;
  if (!read_number(s, count)) {
    if (!s.deck_ended) ignore();
    return;
  }
  if (!(count <= static_cast<float>(kMaxSideLayers))) {
    refuse(s, " ERROR - NUMBER OF SIDE LAYERS EXCEEDS 30");
    return;
  }
  soil.side_layer_count = count;
  const int n = std::max(0, rounded(count));
  for (int k = 0; k < n; ++k) {
    SideLayer& l = soil.side[static_cast<std::size_t>(k)];
    SideWeakZone& z = soil.side_weak[static_cast<std::size_t>(k)];
    float number = 0.0f;
    if (!read_all(s, {&number, &l.thickness, &l.soil.shear_velocity, &l.soil.unit_weight,
                      &l.soil.poisson_ratio, &l.soil.damping}) ||
        (cap &&
         !read_all(s, {&z.shear_modulus_ratio, &z.poisson_ratio, &z.damping, &z.thickness}))) {
      if (!s.deck_ended) ignore();
      return;
    }
    if (!cap) z = SideWeakZone{1.0f, l.soil.poisson_ratio, l.soil.damping, 0.0f};
  }
  check_side_poisson(s, n);

  if (fl.echo == 1) {
    fio::Unit& out = s.report();
    out.write_fmt(
        "(/,/,1X,'EMBEDDED OPTION',/,1X,15('*'),/,/,1X,'NUMBER OF SIDE LAYERS  -  ',I3,/,/,"
        "1X,'LAYER  THICKNESS  SHEAR WAVE   UNIT    POISSONS','  MATERIAL',/,"
        "1X,' NO.    OF LAYER   VELOCITY   WEIHT    RATIO  ','   DAMPING',/,"
        "11X,A2,8X,A4,6X,A8)",
        n, label(s, lbl_length), label(s, lbl_velocity), label(s, lbl_unit_weight));
    for (int k = 0; k < n; ++k) {
      const SideLayer& l = soil.side[static_cast<std::size_t>(k)];
      out.write_fmt("(1X,I3,4X,F7.3,3X,F7.2,3X,F9.3,2X,F7.3,3X,F7.3)", k + 1, l.thickness,
                    l.soil.shear_velocity, l.soil.unit_weight, l.soil.poisson_ratio,
                    l.soil.damping);
    }
    if (cap) {
      out.write_fmt("(/,/,1X,'SIDE-CAP (WEAKENING) OF SIDE LAYERS',/,1X,36('*'))");
      out.write("");
      out.write(" LAYER  SHEAR MODULUS  ");
      out.write("  NO.       RATIO        ");
      out.write("");
      for (int k = 0; k < n; ++k)
        out.write_fmt("(1X,I3,5X,F7.3,6X)", k + 1,
                      soil.side_weak[static_cast<std::size_t>(k)].shear_modulus_ratio);
    }
  }
  // The zone's thickness ratio becomes a thickness here, once.
  if (cap)
    for (int k = 0; k < n; ++k)
      soil.side_weak[static_cast<std::size_t>(k)].thickness *= s.foundation.radii.translation;
}

}  // namespace zrv
