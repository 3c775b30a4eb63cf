#include "input/soil.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "input/group_read.h"
#include "input/soil_detail.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

using namespace detail;

namespace detail {

bool read_all(RunState& s, std::initializer_list<float*> fields) {
  for (float* v : fields)
    if (!read_number(s, *v)) return false;
  return true;
}

bool check_poisson(RunState& s, float nu, const std::string& what, PoissonRule rule) {
  // A negative ratio (a stray "*" reads as -999) lies outside every formula's range.
  if (nu < 0.0f) {
    refuse(s, " ERROR - POISSONS RATIO OF " + what + " MUST NOT BE NEGATIVE");
    return false;
  }
  if (nu < 0.5f || (nu == 0.5f && rule == PoissonRule::up_to_half)) return true;
  if (!(nu <= 0.5f) || rule == PoissonRule::below_half) {
    refuse(s, " ERROR - POISSONS RATIO OF " + what +
                  (rule == PoissonRule::below_half ? " MUST BE LESS THAN 0.5"
                                                   : " MUST NOT BE GREATER THAN 0.5"));
  } else {
    refuse(s, " ERROR - POISSONS RATIO OF " + what + " MUST BE LESS THAN 0.5 WITH A WEAKENED ZONE");
  }
  return false;
}

void check_damping(RunState& s, float damping, const std::string& what) {
  if (!(damping >= 0.0f)) refuse(s, " ERROR - MATERIAL DAMPING OF " + what + " MUST NOT BE NEGATIVE");
}

PoissonRule rule_for_zone(float zone_thickness) {
  return zone_thickness != 0.0f ? PoissonRule::below_half_with_zone : PoissonRule::up_to_half;
}

bool check_poisson_rows(RunState& s, const SoilProperties* rows, int n, const char* what) {
  for (int k = 0; k < n; ++k)
    if (!check_poisson(s, rows[k].poisson_ratio, with_i3(what, k + 1),
                       rule_for_zone(s.soil.weak[static_cast<std::size_t>(k)].thickness_ratio)))
      return false;
  return true;
}

bool check_side_poisson(RunState& s, int n) {
  for (int k = 0; k < n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (!check_poisson(s, s.soil.side[i].soil.poisson_ratio, with_i3("SIDE LAYER", k + 1),
                       rule_for_zone(s.soil.side_weak[i].thickness)))
      return false;
  }
  return true;
}

void weak_table(RunState& s, const std::array<float, kMaxLayers>& ratio, int n) {
  fio::Unit& out = s.report();
  out.write_fmt("(/,/,1X,'NONLINEARITY OF SOIL (WEAKENED ZONE)',/,1X,36('*'))");
  out.write("");
  out.write(" LAYER  SHEAR MODULUS  ");
  out.write("  NO.   RATIO          ");
  out.write("");
  // The rows are shown only when the first or second layer has a zone.
  if (!(ratio[0] > 0.000001f || ratio[1] > 0.000001f)) return;
  for (int k = 0; k < n; ++k)
    out.write_fmt("(1X,I3,5X,F7.3)", k + 1, ratio[static_cast<std::size_t>(k)]);
}

}  // namespace detail

namespace {

template <class Zone, std::size_t N>
std::array<float, kMaxLayers> ratios(const std::array<Zone, N>& zones) {
  std::array<float, kMaxLayers> r{};
  for (std::size_t k = 0; k < N && k < r.size(); ++k) r[k] = zones[k].shear_modulus_ratio;
  return r;
}

bool echo_on(const RunState& s) { return s.flags.echo == 1; }

void soil_error(RunState& s) {
  report_message(s, " ERROR ENCOUNTERED WHILE READING SOIL CONSTANTS");
  s.report().write(" PROGRAM WILL NOT EXECUTE");
  s.flags.fatal = 1;
}

// Reads the four weakened-zone values of a layer. A modulus ratio above 0.999
// means no zone: its thickness ratio is kept as 0.
bool read_weak(RunState& s, LayerWeakZone& z) {
  if (!read_all(s, {&z.shear_modulus_ratio, &z.poisson_ratio, &z.damping, &z.thickness_ratio}))
    return false;
  if (z.shear_modulus_ratio > 0.999f) z.thickness_ratio = 0.0f;
  return true;
}

LayerWeakZone no_zone(const SoilProperties& p) {
  return LayerWeakZone{1.0f, p.poisson_ratio, p.damping, 0.0f};
}

void constants_block(RunState& s, const SoilProperties& p) {
  s.report().write_fmt(
      "(/,/,1X,'SOIL CONSTANTS',/,1X,14('*'),/,/,"
      "1X,'SHEAR WAVE VELOCITY  ...........',F12.5,1X,A4,/,"
      "1X,'UNIT WEIGHT  ...................',F12.5,1X,A8,/,"
      "1X,'POISSONS RATIO  ................',F12.5,/,"
      "1X,'MATERIAL DAMPING  ..............',F12.5)",
      p.shear_velocity, label(s, lbl_velocity), p.unit_weight, label(s, lbl_unit_weight),
      p.poisson_ratio, p.damping);
}

void layer_rows(RunState& s, const SoilProperties* rows, int n) {
  for (int k = 0; k < n; ++k)
    s.report().write_fmt("(1X,I3,4X,F9.3,1X,F11.3,3X,F5.3,3X,F7.3)", k + 1, rows[k].shear_velocity,
                         rows[k].unit_weight, rows[k].poisson_ratio, rows[k].damping);
}

void stratum(RunState& s) {
  SoilProperties& p = s.soil.stratum;
  if (!read_all(s, {&p.shear_velocity, &p.unit_weight, &p.poisson_ratio, &p.damping})) {
    if (!s.deck_ended) soil_error(s);
    return;
  }
  if (!(p.shear_velocity > 0.0f))
    refuse(s, " ERROR - SHEAR WAVE VELOCITY OF STRATUM MUST BE GREATER THAN 0");
  check_poisson(s, p.poisson_ratio, "STRATUM", PoissonRule::below_half);
  check_damping(s, p.damping, "STRATUM");
  if (echo_on(s)) constants_block(s, p);
}

// Parabolic profile: 30 layers down the pile whose velocity grows with the
// fourth root of depth up to the tip velocity read.
void pile_parabolic(RunState& s) {
  SoilData& soil = s.soil;
  FoundationData& f = s.foundation;
  SoilProperties tip;
  if (!read_all(s, {&tip.shear_velocity, &tip.unit_weight, &tip.poisson_ratio, &tip.damping})) {
    if (!s.deck_ended) soil_error(s);
    return;
  }
  check_poisson(s, tip.poisson_ratio, "SOIL");
  check_damping(s, tip.damping, "SOIL");
  if (echo_on(s)) constants_block(s, tip);

  f.layer_count = static_cast<float>(kMaxLayers);
  const float length = f.material.total_length;
  float top = 0.0f;
  for (int k = 0; k < kMaxLayers; ++k) {
    const float h = k < 20 ? length / 40.0f : length / 20.0f;
    const float middle = top + 0.5f * h;
    ElementLayer& e = f.layers[static_cast<std::size_t>(k)];
    e = f.parabolic_section;
    e.thickness = h;
    SoilProperties& p = soil.layers[static_cast<std::size_t>(k)];
    p = tip;
    p.shear_velocity = length > 0.0f ? tip.shear_velocity * std::pow(middle / length, 0.25f) : 0.0f;
    top += h;
  }

  LayerWeakZone zone{0.0f, tip.poisson_ratio, tip.damping, 0.0f};
  if (s.flags.weak_zone == 1) {
    if (!read_all(s, {&zone.shear_modulus_ratio, &zone.poisson_ratio, &zone.damping,
                      &zone.thickness_ratio})) {
      if (!s.deck_ended) soil_error(s);
      return;
    }
    if (echo_on(s))
      s.report().write_fmt(
          "(1X,'WEAK SHEAR RATIO  ..............',F12.5,/,"
          "1X,'WEAKPOISSONS RATIO  ..........',F12.5,/,"
          "1X,'WEAK MATERIAL DAMPING  .........',F12.5,/,"
          "1X,'WEAK THICKNESS RATIO  ..........',F12.5)",
          zone.shear_modulus_ratio, zone.poisson_ratio, zone.damping, zone.thickness_ratio);
  }
  // Saturated soil passed above; the zone's horizontal form excludes it.
  if (tip.poisson_ratio == 0.5f)
    check_poisson(s, tip.poisson_ratio, "SOIL", rule_for_zone(zone.thickness_ratio));
  soil.weak.fill(zone);
}

void pile_layered(RunState& s) {
  SoilData& soil = s.soil;
  const bool weak = s.flags.weak_zone == 1;
  const int n = std::clamp(rounded(s.foundation.layer_count), 0, kMaxLayers);
  soil.modulus_ratio_in_out.fill(1.0f);
  soil.damping_ratio_in_out.fill(1.0f);
  for (int k = 0; k < n; ++k) {
    SoilProperties& p = soil.layers[static_cast<std::size_t>(k)];
    LayerWeakZone& z = soil.weak[static_cast<std::size_t>(k)];
    float number = 0.0f;
    if (!read_all(s, {&number, &p.shear_velocity, &p.unit_weight, &p.poisson_ratio, &p.damping}) ||
        (weak && !read_weak(s, z))) {
      if (!s.deck_ended) soil_error(s);
      return;
    }
    if (!weak) z = no_zone(p);
  }
  if (n > 0) soil.reference_velocity = soil.layers[static_cast<std::size_t>(n - 1)].shear_velocity;
  check_poisson_rows(s, soil.layers.data(), n, "LAYER");
  if (!echo_on(s)) return;
  s.report().write_fmt(
      "(/,/,1X,'SOIL CONSTANTS',/,1X,14('*'),/,/,"
      "1X,'LAYER  SHEAR WAVE    UNIT   POISSONS  MATERIAL',/,"
      "1X,' NO.    VELOCITY    WEIGHT    RATIO    DAMPING',/,11X,A4,6X,A8)",
      label(s, lbl_velocity), label(s, lbl_unit_weight));
  layer_rows(s, soil.layers.data(), n);
  if (weak) weak_table(s, ratios(soil.weak), n);
}

// Side layers of a half-space footing.
void half_side(RunState& s) {
  SoilData& soil = s.soil;
  const bool weak = s.flags.weak_zone == 1;
  float count = 0.0f;
  if (!read_number(s, count)) {
    if (!s.deck_ended) soil_error(s);
    return;
  }
  if (!(count <= static_cast<float>(kMaxSideLayers))) {
    refuse(s, " ERROR - NUMBER OF SIDE LAYERS EXCEEDS 30");
    return;
  }
  soil.side_layer_count = count;
  const int n = std::max(0, rounded(count));
  if (n == 0) return;
  for (int k = 0; k < n; ++k) {
    SideLayer& l = soil.side[static_cast<std::size_t>(k)];
    SideWeakZone& z = soil.side_weak[static_cast<std::size_t>(k)];
    float number = 0.0f;
    LayerWeakZone read_zone;
    if (!read_all(s, {&number, &l.thickness, &l.soil.shear_velocity, &l.soil.unit_weight,
                      &l.soil.poisson_ratio, &l.soil.damping}) ||
        (weak && !read_weak(s, read_zone))) {
      if (!s.deck_ended) soil_error(s);
      return;
    }
    if (!weak) read_zone = no_zone(l.soil);
    z = SideWeakZone{read_zone.shear_modulus_ratio, read_zone.poisson_ratio, read_zone.damping,
                     read_zone.thickness_ratio};
  }
  check_side_poisson(s, n);
  if (echo_on(s)) {
    fio::Unit& out = s.report();
    out.write_fmt(
        "(/,/,1X,'SOIL CONSTANTS  NUMBER OF SIDE LAYERS - ',I3,/,1X,14('*'),/,/,"
        "1X,'LAYER  LAYER  SHEAR WAVE   UNIT   POISSON''S  MATERIAL',/,"
        "1X,' NO.   DEPTH   VELOCITY   WEIGHT    RATIO     DAMPING',/,10X,A2,7X,A4,5X,A8)",
        n, label(s, lbl_length), label(s, lbl_velocity), label(s, lbl_unit_weight));
    for (int k = 0; k < n; ++k) {
      const SideLayer& l = soil.side[static_cast<std::size_t>(k)];
      out.write_fmt("(1X,I3,1X,F9.3,2X,F8.3,1X,F10.3,2X,F7.3,3X,F7.3)", k + 1, l.thickness,
                    l.soil.shear_velocity, l.soil.unit_weight, l.soil.poisson_ratio,
                    l.soil.damping);
    }
    if (weak) weak_table(s, ratios(soil.side_weak), n);
  }
  // The zone's thickness ratio becomes a thickness here, once.
  if (weak)
    for (int k = 0; k < n; ++k)
      soil.side_weak[static_cast<std::size_t>(k)].thickness *= s.foundation.radii.translation;
}

void multilayer(RunState& s) {
  SoilData& soil = s.soil;
  const bool weak = s.flags.weak_zone == 1;
  float count = 0.0f;
  if (!read_number(s, count)) {
    if (!s.deck_ended) soil_error(s);
    return;
  }
  if (!(count <= static_cast<float>(kMaxAdjacentLayers))) {
    refuse(s, " ERROR - NUMBER OF ADJACENT LAYERS EXCEEDS 30");
    return;
  }
  soil.adjacent_layer_count = count;
  const int m = std::max(0, rounded(count));
  const int n = std::clamp(rounded(s.foundation.layer_count), 0, kMaxLayers);
  soil.modulus_ratio_in_out.fill(1.0f);
  soil.damping_ratio_in_out.fill(1.0f);
  for (int k = 0; k < std::max(m, n); ++k) {
    const auto i = static_cast<std::size_t>(k);
    SoilProperties& p = soil.layers[i];
    LayerWeakZone& z = soil.weak[i];
    float number = 0.0f;
    bool ok =
        read_all(s, {&number, &p.shear_velocity, &p.unit_weight, &p.poisson_ratio, &p.damping});
    if (k < m)
      ok = ok && (!weak || read_weak(s, z));
    else
      ok = ok && read_all(s, {&soil.modulus_ratio_in_out[i], &soil.damping_ratio_in_out[i]});
    if (!ok) {
      if (!s.deck_ended) soil_error(s);
      return;
    }
    if (k >= m || !weak) z = no_zone(p);
  }
  if (n > 0) soil.reference_velocity = soil.layers[static_cast<std::size_t>(n - 1)].shear_velocity;
  check_poisson_rows(s, soil.layers.data(), std::max(m, n), "LAYER");
  if (!echo_on(s)) return;
  fio::Unit& out = s.report();
  out.write_fmt(
      "(/,/,1X,'SOIL CONSTANTS',6X,'NUMBER OF ADJACENT LAYERS -  ',I3,/,1X,14('*'),/,/,"
      "1X,'LAYER  SHEAR WAVE   UNIT    POISSONS  MATERIAL',/,"
      "1X,' NO.    VELOCITY   WEIGHT    RATIO     DAMPING',/,11X,A4,6X,A8)",
      m, label(s, lbl_velocity), label(s, lbl_unit_weight));
  layer_rows(s, soil.layers.data(), m);
  if (weak) weak_table(s, ratios(soil.weak), m);
  if (m >= n) return;
  out.write_fmt(
      "(/,/,1X,'SOIL PROPERTIES BELOW FOUNDATION',/,1X,32('*'),/,/,"
      "1X,'LAYER  SHEAR WAVE   UNIT   POISSON''S  MATERIAL  SHEAR MODULUS  DAMPING RATIO',/,"
      "1X,' NO.    VELOCITY   WEIGHT    RATIO     DAMPING  RATIO(IN/OUT)      (IN/OUT)',/,"
      "10X,A4,8X,A8)",
      label(s, lbl_velocity), label(s, lbl_unit_weight));
  for (int k = m; k < n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const SoilProperties& p = soil.layers[i];
    out.write_fmt("(1X,I3,5X,F7.3,2X,F9.3,1X,F7.3,3X,F7.3,6X,F7.3,8X,F7.3)", k + 1,
                  p.shear_velocity, p.unit_weight, p.poisson_ratio, p.damping,
                  soil.modulus_ratio_in_out[i], soil.damping_ratio_in_out[i]);
  }
}

void side_cap_check(RunState& s) {
  if (s.flags.side_cap_weak == 1 && s.flags.embedment != 1) {
    s.flags.side_cap_weak = 0;
    report_message(s,
                   " SIDE-CAP KEYWORD WAS INPUT WITHOUT THE EMBEDDED KEYWORD - THE SIDE-CAP "
                   "OPTION WILL BE IGNORED");
  }
}

// Refuses a negative shear-wave velocity or material damping (of the soil or
// of its weakened zone) in the first `n` rows, naming a refused one as `what`
// and its number (0 stays: a layer without soil, or without damping).
void check_velocity_rows(RunState& s, const SoilProperties* rows, int n, const char* what) {
  for (int k = 0; k < n; ++k) {
    const char* value = nullptr;
    if (!(rows[k].shear_velocity >= 0.0f))
      value = " ERROR - SHEAR WAVE VELOCITY OF ";
    else if (!(rows[k].damping >= 0.0f) || !(s.soil.weak[static_cast<std::size_t>(k)].damping >= 0.0f))
      value = " ERROR - MATERIAL DAMPING OF ";
    if (value == nullptr) continue;
    refuse(s, with_i3(std::string(value) + what, k + 1) + " MUST NOT BE NEGATIVE");
    return;
  }
}

// Refuses a negative thickness, shear-wave velocity or material damping in
// the first `n` side layers (0 stays: a side layer without reaction).
void check_side_layers(RunState& s, int n) {
  for (int k = 0; k < n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const SideLayer& l = s.soil.side[i];
    const char* what = nullptr;
    if (!(l.thickness >= 0.0f))
      what = " ERROR - THICKNESS OF SIDE LAYER";
    else if (!(l.soil.shear_velocity >= 0.0f))
      what = " ERROR - SHEAR WAVE VELOCITY OF SIDE LAYER";
    else if (!(l.soil.damping >= 0.0f) || !(s.soil.side_weak[i].damping >= 0.0f))
      what = " ERROR - MATERIAL DAMPING OF SIDE LAYER";
    if (what == nullptr) continue;
    refuse(s, with_i3(what, k + 1) + " MUST NOT BE NEGATIVE");
    return;
  }
}

// Refuses the negative thicknesses and shear-wave velocities of the soil
// constants just read: they would be analysed as a soil that cannot exist.
void check_soil_signs(RunState& s) {
  const SoilData& soil = s.soil;
  switch (s.flags.foundation_type) {
    case FoundationSystem::pile:
      if (s.flags.soil_profile != 2) {
        check_velocity_rows(s, soil.layers.data(),
                            std::clamp(rounded(s.foundation.layer_count), 0, kMaxLayers), "LAYER");
      } else if (!(soil.layers[0].shear_velocity >= 0.0f)) {
        // Every layer of the profile has the sign of the tip velocity read.
        refuse(s, " ERROR - SHEAR WAVE VELOCITY OF SOIL MUST NOT BE NEGATIVE");
      }
      break;
    case FoundationSystem::multilayer: {
      const int adjacent = std::clamp(rounded(soil.adjacent_layer_count), 0, kMaxAdjacentLayers);
      const int layers = std::clamp(rounded(s.foundation.layer_count), 0, kMaxLayers);
      check_velocity_rows(s, soil.layers.data(), std::max(adjacent, layers), "LAYER");
      break;
    }
    case FoundationSystem::half_space:
      check_side_layers(s, std::clamp(rounded(soil.side_layer_count), 0, kMaxSideLayers));
      break;
    default:
      break;
  }
}

}  // namespace

void SOLKEY(RunState& s) {
  RunFlags& fl = s.flags;
  const FoundationSystem type = fl.foundation_type;
  Word w;
  for (;;) {
    if (!read_word(s, w)) return;
    const int slot = slot_of(s, w);
    if (slot == slot_cons) break;
    if (slot != slot_weak) {
      refuse(s, " WEAK OR CONSTANT SUBKEYWORDS ARE EXPECTED TO FOLLOW SOIL KEYWORD");
      return;
    }
    if (type == FoundationSystem::stratum) {
      refuse(s, " WEAK IS AN IMPROPER KEYWORD FOR THIS FOUNDATION   TYPE");
      side_cap_check(s);
      return;
    }
    fl.weak_zone = 1;
  }

  SOLCST(s);
  if (!s.deck_ended) check_soil_signs(s);
  if (s.deck_ended || type == FoundationSystem::none) return;
  if (type == FoundationSystem::stratum) {
    fl.soil_given = 1;
    side_cap_check(s);
    return;
  }

  if (!read_word(s, w)) return;
  if (slot_of(s, w) != slot_belo) {
    refuse(s, " BELOW SUBKEYWORD IS EXPECTED TO FOLLOW SOIL CONSTANT DATA");
    return;
  }
  BELRED(s);
  if (s.deck_ended) return;
  fl.soil_given = 1;

  if (type == FoundationSystem::pile) {
    while (read_word(s, w, false)) {
      const int slot = slot_of(s, w);
      if (slot == slot_side) {
        fl.side_cap_weak = 1;
        continue;
      }
      if (slot == slot_embe) {
        fl.embedment = 1;
        EMBRED(s);
        if (fl.embedment == 1 && !s.deck_ended)
          check_side_layers(s, std::clamp(rounded(s.soil.side_layer_count), 0, kMaxSideLayers));
      } else {
        hand_back(s);
      }
      break;
    }
  }
  if (!s.deck_ended) side_cap_check(s);
}

void SOLCST(RunState& s) {
  switch (s.flags.foundation_type) {
    case FoundationSystem::stratum:
      stratum(s);
      break;
    case FoundationSystem::pile:
      if (s.flags.soil_profile == 2)
        pile_parabolic(s);
      else
        pile_layered(s);
      break;
    case FoundationSystem::half_space:
      half_side(s);
      break;
    case FoundationSystem::multilayer:
      multilayer(s);
      break;
    default:
      report_message(s, " THE FOUNDATION TYPE HAS NOT BEEN ESTABLISHED");
      s.report().write("    THE PROGRAM SHOULD NEVER ENCOUNTER THIS ERROR (SOLCST)");
      s.flags.fatal = 1;
      break;
  }
}

}  // namespace zrv
