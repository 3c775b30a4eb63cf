#include "project/PlotDataReader.h"

#include <algorithm>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "wordreader/wordreader.h"

namespace zrv::front {

namespace {

// The plot data carry circular frequencies; the plots show hertz.
constexpr comp::Extended kRadiansPerHertz = 6.2832L;
constexpr int kMaxFrequencies = 500;
// The words of a response record that has no amplitudes.
constexpr const char* kNoSolution[2] = {"NO", "SOLUTION"};

void copyCurve(TGraphPlot& from, TGraphPlot& to, int line) {
  to.Line(line).Points() = from.Line(0).Points();
}

void nameCurves(TGraphPlot& plot, std::initializer_list<const char*> names) {
  int k = 0;
  for (const char* n : names) plot.Line(k++).Name = n;
}

/// One record: the frequency, then one value per plot (curve `line`).
template <std::size_t N>
void readRecord(comp::TWordReader& in, const std::array<TGraphPlot*, N>& plots, int line, int point) {
  const comp::Extended f = in.ReadFloat() / kRadiansPerHertz;
  for (TGraphPlot* p : plots) {
    comp::TFloatPoint& pt = p->Point(line, point);
    pt.X = f;
    pt.Y = in.ReadFloat();
  }
}

}  // namespace

std::array<TGraphPlot*, 18> TResultPlots::all() {
  return {&pltRealKXX, &pltRealKYY, &pltRealKWW, &pltRealKPPX, &pltRealKPPY, &pltRealKZT,
          &pltRealKXP, &pltRealKYP, &pltDampCXX, &pltDampCYY, &pltDampCWW, &pltDampCPPX,
          &pltDampCPPY, &pltDampCZT, &pltDampCXP, &pltDampCYP, &pltDxyzR,   &pltMxyzR};
}

bool ReadPlotData(const std::string& path, TResultPlots& plots, int unitSystem, int generateMatrix, int loadType) {
  try {
    for (TGraphPlot* p : plots.stiffness()) p->SetLineCount(1);
    for (TGraphPlot* p : plots.damping()) p->SetLineCount(1);
    plots.pltDxyzR.SetLineCount(3);
    plots.pltMxyzR.SetLineCount(3);

    comp::TWordReader in(path);
    const int n = in.ReadInteger();
    // The engine writes at most 500 frequencies, each on a line of its own;
    // a larger count is a damaged file, not a reason to allocate.
    if (n > std::max(kMaxFrequencies, in.LineCount())) return false;
    plots.pltRealKXX.SetPointCount(n);
    if (n > 1) {
      plots.pltDxyzR.SetPointCount(n);
      plots.pltMxyzR.SetPointCount(n);
      if (generateMatrix > 0) {
        for (TGraphPlot* p : plots.all()) {
          if (p == &plots.pltDxyzR || p == &plots.pltMxyzR) continue;
          p->SetPointCount(n);
        }
        for (int i = 0; i < n; ++i) {
          readRecord(in, plots.stiffness(), 0, i);
          in.ReadLine();
          readRecord(in, plots.damping(), 0, i);
        }
        const auto three = [](TGraphPlot& target, TGraphPlot& second, TGraphPlot& third) {
          target.SetLineCount(3);
          copyCurve(second, target, 1);
          copyCurve(third, target, 2);
        };
        three(plots.pltRealKXX, plots.pltRealKYY, plots.pltRealKWW);
        three(plots.pltRealKPPX, plots.pltRealKPPY, plots.pltRealKZT);
        three(plots.pltDampCXX, plots.pltDampCYY, plots.pltDampCWW);
        three(plots.pltDampCPPX, plots.pltDampCPPY, plots.pltDampCZT);
        nameCurves(plots.pltRealKXX, {"Kxx", "Kyy", "Kww"});
        nameCurves(plots.pltRealKPPX, {"Kppx", "Kppy", "Kzt"});
        nameCurves(plots.pltDampCXX, {"Cxx", "Cyy", "Cww"});
        nameCurves(plots.pltDampCPPX, {"Cppx", "Cppy", "Czt"});
      }
      if (loadType == 1) {
        int points = 0;
        for (int i = 0; i < n; ++i) {
          const comp::Extended f = in.ReadFloat() / kRadiansPerHertz;
          const int line = in.LineIndex();
          const std::string first = in.NextWord();
          // A frequency without a solution has no point.
          if (first == kNoSolution[0] && in.LineIndex() == line) {
            if (in.NextWord() != kNoSolution[1] || in.LineIndex() != line) return false;
            continue;
          }
          const auto u = comp::parse_number(first, '.');
          if (!u) return false;
          std::array<comp::Extended, 6> value{*u};
          for (std::size_t k = 1; k < value.size(); ++k) value[k] = in.ReadFloat();
          for (int k = 0; k < 3; ++k) {
            plots.pltDxyzR.Point(k, points) = {f, value[static_cast<std::size_t>(k)]};
            plots.pltMxyzR.Point(k, points) = {f, value[static_cast<std::size_t>(k + 3)]};
          }
          ++points;
        }
        plots.pltDxyzR.SetPointCount(points);
        plots.pltMxyzR.SetPointCount(points);
        nameCurves(plots.pltDxyzR, {"X-Dir.", "Y-Dir.", "Z-Dir."});
        nameCurves(plots.pltMxyzR, {"About X-Dir.", "About Y-Dir.", "About Z-Dir"});
      }
    }
  } catch (const comp::EInOutError&) {
    return false;
  } catch (const comp::EListError&) {
    return false;  // a record cut short at the end of the file
  }
  for (TGraphPlot* p : plots.all()) p->SetUnits(unitSystem);
  return true;
}

}  // namespace zrv::front
