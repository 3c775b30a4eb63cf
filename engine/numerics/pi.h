#pragma once
// The values of pi the engine computes with. Some results are defined with a
// rounded pi (the printed hertz, the rectangle's equivalent radii); each
// deliberate value has one name here, so that none is changed by a slip and
// a new use picks the value it means.

#include <numbers>

namespace zrv {

/// Pi to double precision: the Bessel functions and the side-layer springs.
inline constexpr double kPi = std::numbers::pi;

/// Pi to single precision: pile and group geometry, batter angles and the
/// mean frequency of a random response.
inline constexpr float kPiFloat = std::numbers::pi_v<float>;

/// 3.14: hertz as the report prints and echoes them, f = omega * 0.5 / 3.14.
inline constexpr float kPiPrintedHertz = 3.14f;

/// A circular frequency in the hertz that the report prints and echoes.
inline constexpr float hertz(float omega) { return omega * 0.5f / kPiPrintedHertz; }

/// 3.14159: the equivalent radii of a rectangle and the stratum's frequency
/// in hertz for its resonance ratios.
inline constexpr float kPiFiveDecimals = 3.14159f;

/// 3.1415927: the spacing of the transient frequencies, 2 pi k / (n dt); the
/// same single-precision value as `kPiFloat`.
inline constexpr float kPiTransientSpacing = 3.1415927f;
static_assert(kPiTransientSpacing == kPiFloat);

}  // namespace zrv
