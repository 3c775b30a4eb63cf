#pragma once
// Unit systems and unit codes. Every number a user types or sees is in the
// English or the SI system; fields and columns carry a short unit code such
// as "F/L2^3" that is turned into a conversion factor for a switch of unit
// system, or into unit names for captions.
//
// A code is a numerator, optionally followed by "/" and a denominator. Each
// part is an optional force item ("F", an optional digit out of 0 1 2 4 5 6,
// an optional "^" and exponent digit, then one separator character) and an
// optional length item ("L", an optional digit 0-3, optional "^" and exponent
// digit); anything else in a part is ignored. Upper case only.

#include <string>
#include <string_view>

#include "base/types.h"

namespace zrv::comp {

/// Unit system codes.
inline constexpr int kUnitsEnglish = 1;   // ft, lbs, slug, kips
inline constexpr int kUnitsSI = 2;        // m, kN, Mg
inline constexpr int kUnitsSymbolic = 3;  // codes shown as written

/// The ten base codes.
enum class BaseUnit { F, F1, F2, F4, F5, F6, L, L1, L2, L3 };

/// Number of English units in one SI unit of `unit`.
Extended BaseUnitFactor(BaseUnit unit);
/// Name of `unit` in unit system 1, 2 or 3 (3: the symbolic letter).
const char* BaseUnitName(BaseUnit unit, int unit_system);

/// Factor that converts a value in unit system `old_system` to `new_system`
/// (1 and 2 only; any other pair gives 1): (UnitFactor(numerator) /
/// UnitFactor(denominator)) to the power -1 for English to SI, +1 for SI to
/// English. Raises EConvertError for an exponent that is not a digit.
Extended UnitConversionFactor(int old_system, int new_system, std::string_view code);

/// Factor of one part of a code (no "/"): force factor to its exponent times
/// length factor to its exponent; 1 for a part that names neither.
Extended UnitFactor(std::string_view part);

/// Full expansion for table column headers: every F2, F1, F4, F5, F6, F, L3,
/// L2, L1, L (in this order) replaced by its name in unit system 1, 2 or 3.
std::string UnitText(std::string_view code, int unit_system);

/// Edit-box caption: only the first force code found among F6 F5 F4 F2 F1
/// (else F) and the first length code among L2 L1 L3 (else L) is replaced.
/// System 3 (or any other than 1 and 2) returns the code as written.
std::string EditUnitText(std::string_view code, int unit_system);

/// Combo-box caption: every "F" becomes lbs or kN, then every "L" in or m.
std::string ComboUnitText(std::string_view code, int unit_system);

/// Plot axis caption: as EditUnitText with the force codes F2, F1, else F and
/// the length codes L2, L1, else L.
std::string PlotUnitText(std::string_view code, int unit_system);

}  // namespace zrv::comp
