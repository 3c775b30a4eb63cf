#pragma once
// The eighteen result plots of a project and the reading of the engine's
// plot-data file (.zvp) into them. Abscissae are frequencies in hertz; the
// file holds circular frequencies.

#include <array>
#include <string>

#include "plotdata/pltdata.h"

namespace zrv::front {

using comp::TGraphPlot;

struct TResultPlots {
  // Stiffness: Kxx, Kyy, Kww, Kppx, Kppy, Kzt, Kxp, Kyp.
  TGraphPlot pltRealKXX, pltRealKYY, pltRealKWW, pltRealKPPX, pltRealKPPY, pltRealKZT, pltRealKXP, pltRealKYP;
  // Damping constants in the same order.
  TGraphPlot pltDampCXX, pltDampCYY, pltDampCWW, pltDampCPPX, pltDampCPPY, pltDampCZT, pltDampCXP, pltDampCYP;
  // Response amplitudes: translations and rotations.
  TGraphPlot pltDxyzR, pltMxyzR;

  std::array<TGraphPlot*, 8> stiffness() {
    return {&pltRealKXX, &pltRealKYY, &pltRealKWW, &pltRealKPPX, &pltRealKPPY, &pltRealKZT, &pltRealKXP, &pltRealKYP};
  }
  std::array<TGraphPlot*, 8> damping() {
    return {&pltDampCXX, &pltDampCYY, &pltDampCWW, &pltDampCPPX, &pltDampCPPY, &pltDampCZT, &pltDampCXP, &pltDampCYP};
  }
  std::array<TGraphPlot*, 18> all();
};

/// Reads the plot-data file at `path` into `plots`: the frequency count N;
/// when N > 1, for `generateMatrix` > 0 the stiffness and damping records
/// of each frequency, and for a harmonic load (`loadType` 1) the response
/// records; a response record that says NO SOLUTION in place of its six
/// amplitudes gives no point, so the response plots may hold fewer than N
/// points. Returns false when the file is missing, ends early or holds a
/// word that is not a number where one is expected; the plots then keep what
/// was read. Every plot gets `unitSystem` when the file was read.
bool ReadPlotData(const std::string& path, TResultPlots& plots, int unitSystem, int generateMatrix, int loadType);

}  // namespace zrv::front
