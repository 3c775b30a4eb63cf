#include "views/AmpPlotCurves.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/numbers.h"
#include "project/PlotDataReader.h"

namespace zrv::front {

namespace {

constexpr double kFoot = 0.3048;

std::string general6(double v) { return comp::format_general(v, 6); }

}  // namespace

double AmpUnitFactor(int displaySystem, int projectSystem) {
  const int project = projectSystem == 1 ? 1 : 2;
  if (displaySystem == project) return 1.0;
  return displaySystem == 1 ? 1.0 / kFoot : kFoot;
}

int AmpPointCount(const TResultPlots& plots) {
  const TGraphPlot& d = plots.pltDxyzR;
  const TGraphPlot& m = plots.pltMxyzR;
  if (d.LineCount() < 3 || m.LineCount() < 3) return 0;
  std::size_t n = d.Line(0).Points().size();
  for (int k = 0; k < 3; ++k) {
    n = std::min(n, d.Line(k).Points().size());
    n = std::min(n, m.Line(k).Points().size());
  }
  return static_cast<int>(n);
}

TAmpCurves ComputeAmplitudes(const TResultPlots& plots, TAmpKind kind, const TVec3& ref, const TVec3& cg,
                             double h) {
  TAmpCurves c;
  const auto n = static_cast<std::size_t>(AmpPointCount(plots));
  c.freq.reserve(n);
  c.x.reserve(n);
  c.y.reserve(n);
  c.z.reserve(n);
  const TVec3 r{ref.x - h * cg.x, ref.y - h * cg.y, ref.z - h * cg.z};
  const TGraphPlot& d = plots.pltDxyzR;
  const TGraphPlot& m = plots.pltMxyzR;
  for (std::size_t i = 0; i < n; ++i) {
    const double f = static_cast<double>(d.Line(0).Points()[i].X);
    const TVec3 u{static_cast<double>(d.Line(0).Points()[i].Y) * h, static_cast<double>(d.Line(1).Points()[i].Y) * h,
                  static_cast<double>(d.Line(2).Points()[i].Y) * h};
    const TVec3 t{static_cast<double>(m.Line(0).Points()[i].Y), static_cast<double>(m.Line(1).Points()[i].Y),
                  static_cast<double>(m.Line(2).Points()[i].Y)};
    c.freq.push_back(f);
    if (kind == TAmpKind::Displacement) {
      // The plots hold moduli without phases, so the true amplitude is not
      // known; the sum of the moduli of the terms bounds it from above.
      c.x.push_back(std::fabs(u.x) + std::fabs(r.y * t.z) + std::fabs(r.z * t.y));
      c.y.push_back(std::fabs(u.y) + std::fabs(r.z * t.x) + std::fabs(r.x * t.z));
      c.z.push_back(std::fabs(u.z) + std::fabs(r.x * t.y) + std::fabs(r.y * t.x));
    } else {
      c.x.push_back(t.x);
      c.y.push_back(t.y);
      c.z.push_back(t.z);
    }
  }
  return c;
}

std::string AmpAxisTitle(TAmpKind kind, int displaySystem) {
  if (kind == TAmpKind::Rotation) return "Rotational Amplitude (rad)";
  return displaySystem == 1 ? "Translational Amplitude (ft)" : "Translational Amplitude (m)";
}

std::string FormatExportReal(double value) {
  if (std::isnan(value)) return " NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : " INF";
  // 15 significant digits in scientific form, then the exponent widened to
  // four digits.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  std::string text(buf, res.ptr);
  const auto e = text.find('e');
  const std::string mantissa = text.substr(0, e);
  const int exponent = std::atoi(text.c_str() + e + 1);
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return (std::signbit(value) && value != 0 ? "-" : " ") + mantissa + exp;
}

std::string AmpExportText(const TVec3& ref, int displaySystem, const TAmpCurves& curves) {
  const bool english = displaySystem == 1;
  const std::string unit = english ? " ft" : " m";
  std::string out = "Reference Point\r\n";
  out += "X= " + FormatExportReal(ref.x) + unit + ", Y= " + FormatExportReal(ref.y) + unit +
         ", Z= " + FormatExportReal(ref.z) + unit + "\r\n";
  // The same two header lines whatever the curves show.
  out += "n,Frequency,Disp_x,Disp_y,Disp_z\r\n";
  out += english ? ",Hz,ft,ft,ft\r\n" : ",Hz,m,m,m\r\n";
  for (std::size_t i = 0; i < curves.freq.size(); ++i) {
    out += std::to_string(i + 1) + "," + FormatExportReal(curves.freq[i]) + "," + FormatExportReal(curves.x[i]) +
           "," + FormatExportReal(curves.y[i]) + "," + FormatExportReal(curves.z[i]) + "\r\n";
  }
  return out;
}

std::string AmpPointMessage(const std::string& title, int k, const TAmpCurves& curves,
                            const TResultPlots& plots, double h) {
  if (k < 0 || k >= curves.count() || k >= AmpPointCount(plots)) return title + "\r";
  const TGraphPlot& d = plots.pltDxyzR;
  const TGraphPlot& m = plots.pltMxyzR;
  const auto at = static_cast<std::size_t>(k);
  std::string s = title + "\r";
  s += "Point: " + std::to_string(k) + "\r";
  s += "Freq: " + general6(curves.freq[at]) + "\r";
  s += "X: " + general6(curves.x[at]) + "\r";
  s += "Y: " + general6(curves.y[at]) + "\r";
  s += "Z: " + general6(curves.z[at]) + "\r";
  s += "Xo: " + general6(static_cast<double>(d.Line(0).Points()[at].Y) * h) + "\r";
  s += "Yo: " + general6(static_cast<double>(d.Line(1).Points()[at].Y) * h) + "\r";
  s += "Zo: " + general6(static_cast<double>(d.Line(2).Points()[at].Y) * h) + "\r";
  s += "Rx: " + general6(static_cast<double>(m.Line(0).Points()[at].Y)) + "\r";
  s += "Ry: " + general6(static_cast<double>(m.Line(1).Points()[at].Y)) + "\r";
  s += "Rz: " + general6(static_cast<double>(m.Line(2).Points()[at].Y)) + "\r";
  return s;
}

std::string AmpCursorText(double x, double y) { return "(" + general6(x) + "," + general6(y) + ")"; }

TAmpTicks AmpAxisTicks(double lo, double hi, int maxIntervals) {
  TAmpTicks t;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) || maxIntervals < 1) return t;
  const double raw = (hi - lo) / maxIntervals;
  double g = std::pow(10.0, std::floor(std::log10(raw)));
  if (!(g > 0) || !std::isfinite(g)) return t;
  // The smallest of 1, 2, 5 and 10 times g that is not below raw; a hair
  // of rounding noise does not push the step one size up.
  t.step = 10 * g;
  for (const double m : {1.0, 2.0, 5.0})
    if (m * g >= raw * (1 - 1e-12)) {
      t.step = m * g;
      break;
    }
  const double first = std::ceil(lo / t.step - 1e-9);
  const double last = std::floor(hi / t.step + 1e-9);
  for (double k = first; k <= last; k += 1) t.values.push_back(k == 0 ? 0.0 : k * t.step);
  return t;
}

std::string FormatAmpAxisLabel(double value, int decimals) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, decimals);
  std::string digits(buf, res.ptr);
  std::string fraction;
  if (const auto dot = digits.find('.'); dot != std::string::npos) {
    fraction = digits.substr(dot + 1);
    digits.erase(dot);
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  const char separator = comp::decimal_separator();
  const char group = separator == ',' ? '.' : ',';
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += group;
    out += digits[i];
  }
  if (!fraction.empty()) out += separator + fraction;
  const bool zero = digits.find_first_not_of('0') == std::string::npos && fraction.empty();
  return (value < 0 && !zero ? "-" : "") + out;
}

}  // namespace zrv::front
