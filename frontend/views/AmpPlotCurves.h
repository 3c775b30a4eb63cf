#pragma once
// The amplitude curves of the interactive amplitude plot, apart from the
// dialog: the response at a chosen point from the footing's translation and
// rotation amplitudes, the unit factor of the displayed system, and the texts
// of the point message and of the comma-separated export.

#include <string>
#include <vector>

namespace zrv::front {

struct TResultPlots;

/// A point or a vector in x, y, z.
struct TVec3 {
  double x = 0, y = 0, z = 0;
};

/// What the three curves show.
enum class TAmpKind { Displacement, Rotation };

/// The three curves against frequency (Hz), as displayed.
struct TAmpCurves {
  std::vector<double> freq;
  std::vector<double> x, y, z;
  int count() const { return static_cast<int>(freq.size()); }
};

/// Factor from the project's lengths to the displayed ones: 1 when the two
/// systems agree, 0.3048 for SI shown for an English project, 1/0.3048 for
/// English shown for an SI project. Any project system other than 1 counts
/// as SI.
double AmpUnitFactor(int displaySystem, int projectSystem);

/// Points usable from the result plots: the point count of the translations
/// when both the translation and the rotation plots hold three curves of at
/// least that many points, else the smaller count; 0 when a plot lacks a curve.
int AmpPointCount(const TResultPlots& plots);

/// The curves for the reference point `ref` (displayed units) and the centre
/// of gravity `cg` (project units), with h = AmpUnitFactor(...):
/// Displacement: the upper bound of the amplitude at the point, per
/// direction |h*u_a| + |r_b*theta_c| + |r_c*theta_b| (a, b, c cyclic), with
/// r = ref - h*cg, u the translations and theta the rotations (radians, not
/// scaled); the plots carry no phases, so the terms cannot be combined
/// exactly. Rotation: v = theta.
TAmpCurves ComputeAmplitudes(const TResultPlots& plots, TAmpKind kind, const TVec3& ref, const TVec3& cg,
                             double h);

/// The dialog's note under the reference point.
inline constexpr const char* kAmpBoundNote =
    "Away from the C.G. the displacement is an upper bound: |Xo| + |ry\u00b7Rz| + |rz\u00b7Ry| for X, "
    "and likewise for Y and Z (the phases are not known).";

/// Left-axis title: "Translational Amplitude (ft)" or "(m)", or
/// "Rotational Amplitude (rad)".
std::string AmpAxisTitle(TAmpKind kind, int displaySystem);

/// A real in 23 characters: a blank or "-", one digit, ".", 14 digits, "E",
/// the exponent's sign and four digits (1.5 is " 1.50000000000000E+0000").
/// Infinities and NaN are written as " INF", "-INF" and " NAN".
std::string FormatExportReal(double value);

/// The exported text, lines ended by CR LF: "Reference Point", the point
/// with its unit, the two header lines and one line per curve point. The
/// header lines are those of displacements in either mode: in rotation mode
/// the rows hold the rotations (radians) under them.
std::string AmpExportText(const TVec3& ref, int displaySystem, const TAmpCurves& curves);

/// The message of a clicked curve point k (lines ended by "\r"): the curve
/// title, point, frequency, the three curve values, the footing's
/// translations times h and its rotations, in 6 significant digits.
std::string AmpPointMessage(const std::string& title, int k, const TAmpCurves& curves,
                            const TResultPlots& plots, double h);

/// The cursor read-out "(x,y)" in 6 significant digits.
std::string AmpCursorText(double x, double y);

/// Axis ticks at whole multiples of `step`, which is 1, 2 or 5 times a power
/// of ten, the smallest such step that gives at most `maxIntervals` steps
/// over lo..hi; `values` are the multiples within lo..hi, ascending. No
/// ticks for an empty or not finite range.
struct TAmpTicks {
  double step = 0;
  std::vector<double> values;
};
TAmpTicks AmpAxisTicks(double lo, double hi, int maxIntervals);

/// An axis number in the chart's picture format "##,###,##0." followed by
/// `decimals` optional digits: rounded to `decimals` decimals, at least one
/// digit before the separator, digits grouped by three, trailing zeros and a
/// trailing separator dropped, no sign on a value that rounds to zero. The
/// decimal separator is the user's; groups are separated by "." when that is
/// ",", else by ",".
std::string FormatAmpAxisLabel(double value, int decimals);

/// Decimals of the left axis ("##,###,##0.########") and of the frequency
/// axis ("#,##0.###").
inline constexpr int kAmpValueDecimals = 8;
inline constexpr int kAmpFrequencyDecimals = 3;

}  // namespace zrv::front
