#include "units/units.h"

#include <string>

#include "base/exceptions.h"
#include "base/kalstring.h"

namespace zrv::comp {

namespace {

struct BaseEntry {
  BaseUnit unit;
  const char* code;
  const char* names[3];  // English, SI, symbolic
  Extended factor;
};

// Factors are English units per SI unit: 1 kN = 224.8089237 lbs, 1 Mg =
// 68.5217659 slug, 1 m = 3.280839895 ft.
const BaseEntry kTable[] = {
    {BaseUnit::F, "F", {"lbs", "kN", "F"}, 224.8089237L},
    {BaseUnit::F1, "F1", {"kips", "kN", "F"}, 0.2248089237L},
    {BaseUnit::F2, "F2", {"tons", "kN", "F"}, 0.1124044745L},
    {BaseUnit::F4, "F4", {"lb-sec2/in", "Mg", "M"}, 5.7101483L},
    {BaseUnit::F5, "F5", {"sec", "sec", "T"}, 1.0L},
    {BaseUnit::F6, "F6", {"slug", "Mg", "F"}, 68.5217659L},
    {BaseUnit::L, "L", {"in", "m", "L"}, 39.37007874L},
    {BaseUnit::L1, "L1", {"in", "mm", "L"}, 0.03937007874L},
    {BaseUnit::L2, "L2", {"ft", "m", "L"}, 3.280839895L},
    {BaseUnit::L3, "L3", {"rad", "rad", "L"}, 1.0L},
};

const BaseEntry& entry(BaseUnit unit) { return kTable[static_cast<int>(unit)]; }

// Integer power by repeated multiplication (exponents are single digits).
Extended ipow(Extended base, int exponent) {
  Extended r = 1;
  for (int k = 0; k < exponent; ++k) r *= base;
  return r;
}

// A single character read as a decimal integer; a missing character reads as
// an empty text.
int exponent_digit(const std::string& s, std::size_t index) {
  if (index >= s.size()) throw EConvertError("'' is not a valid integer value");
  const char c = s[index];
  if (c < '0' || c > '9') throw EConvertError("'" + std::string(1, c) + "' is not a valid integer value");
  return c - '0';
}

BaseUnit force_code(char digit) {
  switch (digit) {
    case '1': return BaseUnit::F1;
    case '2': return BaseUnit::F2;
    case '4': return BaseUnit::F4;
    case '5': return BaseUnit::F5;
    case '6': return BaseUnit::F6;
    default: return BaseUnit::F;
  }
}

BaseUnit length_code(char digit) {
  switch (digit) {
    case '1': return BaseUnit::L1;
    case '2': return BaseUnit::L2;
    case '3': return BaseUnit::L3;
    default: return BaseUnit::L;
  }
}

bool contains(const std::string& text, const char* code) { return text.find(code) != std::string::npos; }

// Replaces the first present code of `candidates` (all occurrences of it),
// else every occurrence of `fallback`.
std::string replace_first_class(std::string text, std::initializer_list<BaseUnit> candidates,
                                BaseUnit fallback, int unit_system) {
  for (BaseUnit u : candidates) {
    if (contains(text, entry(u).code))
      return KalString::ReplaceAll(text, entry(u).code, BaseUnitName(u, unit_system));
  }
  return KalString::ReplaceAll(text, entry(fallback).code, BaseUnitName(fallback, unit_system));
}

}  // namespace

Extended BaseUnitFactor(BaseUnit unit) { return entry(unit).factor; }

const char* BaseUnitName(BaseUnit unit, int unit_system) {
  if (unit_system < 1 || unit_system > 3) unit_system = 3;
  return entry(unit).names[unit_system - 1];
}

Extended UnitFactor(std::string_view part) {
  std::string p(part);
  Extended result = 1;
  if (KalString::CharAt(p, 1) == 'F') {
    const char d = KalString::CharAt(p, 2);
    if (d != '0' && d != '1' && d != '2' && d != '4' && d != '5' && d != '6') p.insert(1, "0");
    const Extended f = BaseUnitFactor(force_code(p[1]));
    int e = 1;
    if (KalString::CharAt(p, 3) == '^') {
      e = exponent_digit(p, 3);
      p.erase(0, std::min<std::size_t>(5, p.size()));
    } else {
      p.erase(0, std::min<std::size_t>(3, p.size()));
    }
    result *= ipow(f, e);
  }
  if (KalString::CharAt(p, 1) == 'L') {
    const char d = KalString::CharAt(p, 2);
    if (d < '0' || d > '3') p.insert(1, "0");
    const Extended f = BaseUnitFactor(length_code(p[1]));
    // A length item of three characters or more carries its exponent in the
    // fourth character ("L2^3"); the third is not looked at.
    const int e = p.size() >= 3 ? exponent_digit(p, 3) : 1;
    result *= ipow(f, e);
  }
  return result;
}

Extended UnitConversionFactor(int old_system, int new_system, std::string_view code) {
  int e = 0;
  if (old_system == kUnitsEnglish && new_system == kUnitsSI) e = -1;
  if (old_system == kUnitsSI && new_system == kUnitsEnglish) e = 1;
  if (e == 0) return 1;
  const auto slash = code.find('/');
  const std::string_view num = code.substr(0, slash);
  const std::string_view den = slash == std::string_view::npos ? std::string_view() : code.substr(slash + 1);
  const Extended ratio = UnitFactor(num) / UnitFactor(den);
  return e > 0 ? ratio : 1 / ratio;
}

std::string UnitText(std::string_view code, int unit_system) {
  std::string s(code);
  for (BaseUnit u : {BaseUnit::F2, BaseUnit::F1, BaseUnit::F4, BaseUnit::F5, BaseUnit::F6, BaseUnit::F,
                     BaseUnit::L3, BaseUnit::L2, BaseUnit::L1, BaseUnit::L})
    s = KalString::ReplaceAll(s, entry(u).code, BaseUnitName(u, unit_system));
  return s;
}

std::string EditUnitText(std::string_view code, int unit_system) {
  if (unit_system != kUnitsEnglish && unit_system != kUnitsSI) return std::string(code);
  std::string s = replace_first_class(std::string(code),
                                      {BaseUnit::F6, BaseUnit::F5, BaseUnit::F4, BaseUnit::F2, BaseUnit::F1},
                                      BaseUnit::F, unit_system);
  return replace_first_class(s, {BaseUnit::L2, BaseUnit::L1, BaseUnit::L3}, BaseUnit::L, unit_system);
}

std::string ComboUnitText(std::string_view code, int unit_system) {
  if (unit_system != kUnitsEnglish && unit_system != kUnitsSI) return std::string(code);
  const bool english = unit_system == kUnitsEnglish;
  std::string s = KalString::ReplaceAll(code, "F", english ? "lbs" : "kN");
  return KalString::ReplaceAll(s, "L", english ? "in" : "m");
}

std::string PlotUnitText(std::string_view code, int unit_system) {
  if (unit_system != kUnitsEnglish && unit_system != kUnitsSI) return std::string(code);
  std::string s = replace_first_class(std::string(code), {BaseUnit::F2, BaseUnit::F1}, BaseUnit::F, unit_system);
  return replace_first_class(s, {BaseUnit::L2, BaseUnit::L1}, BaseUnit::L, unit_system);
}

}  // namespace zrv::comp
