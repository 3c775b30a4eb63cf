#pragma once
// Generated projects of every foundation system and load type, for the
// project-file tests. Values are plausible machine-foundation data, so that
// the engine accepts every deck written from them.

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "project/TProgramData.h"

namespace zrv::front::fixtures {

using Rows = std::vector<std::vector<Extended>>;

/// Fills `table` with `rows` (choices as numbers) and, for a load table, the
/// nested amplitude rows.
inline void fill(TGridTable& table, Rows rows, Rows nested = {}) {
  TTableImage image;
  image.unitSystem = table.UnitSystem();
  image.cells = std::move(rows);
  image.nested = std::move(nested);
  applyTable(table, image);
}

inline void massComponents(TProgramData& p) {
  fill(p.tables().MassCal(), {{117.55102, 3, 2, 1, 6, 4, 2}, {12, 2, 2, 2.6, 2.5, 1.6, 1.2}, {8, 4.6, 2, 2.5, 1.6, 1.4, 1}});
  p.MassProperties = {137.55102, 243.53476, 476.01848, 553.68644, 0, 0.18145994, 0};
  p.CGLocalX = 3.005816;
  p.CGLocalY = 2;
  p.CGLocalZ = 1.2268249;
  p.CBLocalX = 3;
  p.CBLocalY = 2;
  p.CBGlobalX = -0.0058160237;
  p.CBGlobalZ = 1.2268249;
}

/// Rectangular block on a half-space with a weakened side layer; harmonic
/// non-quadratic load given about the centre of the base.
inline void halfspaceHarmonic(TProgramData& p) {
  p.ProjectTitle = "Compressor block, half-space";
  p.LengthX = 6;
  p.WidthY = 4;
  p.WidthCopy = 4;
  p.BaseX = -0.0058160237;
  p.BaseZ = 1.2268249;
  massComponents(p);
  fill(p.tables().D1(), {{1, 150, 18, 0.33, 0.05, 0.7}});
  p.TipShearWaveVelocity = 250;
  p.TipUnitWeight = 19;
  p.TipPoisson = 0.33;
  p.TipDamping = 0.05;
  p.MaxFrequency = 50;
  p.MinFrequency = 1;
  p.FrequencyStep = 0.5;
  p.ForceX = 18;
  p.ForceZ = 6;
  p.MomentZ = 4;
  p.LoadPointX = 2;
  p.LoadPointY = 2;
  p.LoadPointZ = 2.8;
  p.LoadPointReference = 1;
}

/// Round block on a clay stratum in English units; transient load of two
/// components.
inline void stratumTransient(TProgramData& p) {
  p.SetUnitSystem(1);
  p.ProjectTitle = "Hammer block, stratum";
  p.GenerateMatrix = 0;
  p.FoundationType = "STRATUM";
  p.FoundationCode = 3;
  p.CircularShape = 1;
  p.Radius = 9.5;
  p.MassProperties = {6832.2981, 106090.16, 245926.41, 278428.38, 0, -3760.5872, 0};
  p.BaseZ = 3.3727273;
  p.BaseDepth = 3;
  p.BedrockDepth = 35;
  p.TipShearWaveVelocity = 600;
  p.TipUnitWeight = 115;
  p.TipPoisson = 0.4;
  p.TipDamping = 0.05;
  p.LoadType = 2;
  p.PointCount = 32;
  p.TimeStep = 0.004;
  Rows amplitudes(2, std::vector<Extended>(32, 0));
  for (int i = 0; i <= 10; ++i) amplitudes[0][static_cast<std::size_t>(i)] = 180000 * std::sin(3.14159265 * i / 10);
  for (int i = 0; i <= 10; ++i) amplitudes[1][static_cast<std::size_t>(i)] = -9.25e-6 * i;
  p.LoadTypeCount = 2;
  fill(p.tables().TLoadtype(), {{3, 0}, {5, 0}}, amplitudes);
  fill(p.tables().MassCal(), {{0, 0, 0, 0, 0, 0, 0}});
}

/// Embedded block on a multilayer system: five elements, two side layers
/// and three soil-column layers below; random load of two spectra.
inline void multilayerRandom(TProgramData& p) {
  p.ProjectTitle = "Pump block, multilayer";
  p.FoundationType = "MULTILAYER";
  p.FoundationCode = 4;
  p.LengthX = 5;
  p.WidthY = 5;
  p.WidthCopy = 5;
  p.MassProperties = {198.67347, 588.36379, 594.61379, 781.55612, 0, 0, 0};
  p.BaseZ = 1.6585516;
  p.PileLength = 12;
  p.PileUnitWeight = 24;
  p.StaticLoad = 1950;
  p.PilePoisson = 0.2;
  p.PileDamping = 0.02;
  p.ShearRigidityCoef = 1.2;
  p.PileModulus = 30000000;
  const std::vector<Extended> section = {2.5, 2.5, 25, 52.083333, 52.083333, 87.875};
  Rows elements;
  for (Extended depth : {1.5, 1.5, 3.0, 3.0, 3.0}) {
    std::vector<Extended> row = {depth};
    row.insert(row.end(), section.begin(), section.end());
    elements.push_back(row);
  }
  fill(p.tables().MultiElement(), elements);
  fill(p.tables().D(), {{160, 18, 0.35, 0.05, 0.8}, {190, 18.5, 0.35, 0.05, 1}});
  fill(p.tables().Multisoil(), {{220, 19, 0.35, 0.05, 1, 1}, {240, 19.2, 0.35, 0.045, 1, 1}, {260, 19.5, 0.35, 0.04, 1, 1}});
  p.TipShearWaveVelocity = 300;
  p.TipUnitWeight = 20;
  p.TipPoisson = 0.33;
  p.TipDamping = 0.03;
  p.LoadType = 3;
  p.RandomMaxFrequency = 40;
  p.RandomMinFrequency = 2;
  p.PointCount = 12;
  p.ObservationPeriod = 120;
  Rows spectra(2);
  for (int i = 0; i < 12; ++i) {
    spectra[0].push_back(40 / (1 + 0.1 * (i - 6) * (i - 6)));
    spectra[1].push_back(60 / (1 + 0.2 * (i - 5) * (i - 5)));
  }
  p.LoadTypeCount = 2;
  fill(p.tables().Trandom(), {{1, 0}, {3, 0}}, spectra);
  massComponents(p);
}

/// Pile group: `piles` piles on a grid, five element layers, fixed heads,
/// floating tips, interaction, battered piles in both planes (one at row 105
/// when there are so many), a weakened side-cap soil; quadratic harmonic load.
inline void pileGroup(TProgramData& p, int piles, bool interaction) {
  p.ProjectTitle = "Turbine on piles, " + std::to_string(piles) + " piles";
  p.FoundationType = "PILE";
  p.FoundationCode = 2;
  p.LengthX = 10.8;
  p.WidthY = 8.4;
  p.WidthCopy = 8.4;
  p.MassProperties = {614.58367, 4034.163, 6714.4515, 7000.7573, 0, -155.43169, 0};
  p.BaseX = -0.087864358;
  p.BaseZ = 2.1216354;
  p.PileLength = 15;
  p.PileUnitWeight = 24;
  p.StaticLoad = 500;
  p.PilePoisson = 0.2;
  p.PileDamping = 0.02;
  p.ShearRigidityCoef = 1.11;
  p.PileModulus = 30000000;
  p.PileInteraction = interaction ? 1 : 0;
  Rows coords;
  const int columns = piles > 12 ? 12 : 4;
  for (int i = 0; i < piles; ++i) {
    const Extended angle = i == 0 ? -10 : i == 2 ? -8 : i == 3 ? 10 : i == 104 ? 5 : 0;
    const Extended plane = i == 2 || i == 104 ? 2 : 1;
    coords.push_back({-3.6 + 2.4 * (i % columns), -2.4 + 2.4 * (i / columns), angle, plane});
  }
  fill(p.tables().Pilecoord(), coords);
  Rows elements(5, {3, 0.3, 0.3, 0.28274334, 0.0063617251, 0.0063617251, 0.01272345});
  fill(p.tables().PileData(), elements);
  fill(p.tables().D(), {{140, 18, 0.35, 0.05, 0.6},
                        {170, 18.5, 0.35, 0.05, 0.8},
                        {200, 19, 0.35, 0.05, 1},
                        {230, 19, 0.4, 0.04, 1},
                        {260, 19.5, 0.4, 0.04, 1}});
  fill(p.tables().pilecapsoil(), {{1, 150, 18, 0.33, 0.05, 0.6}, {0.5, 160, 18, 0.33, 0.05, 1}});
  p.TipShearWaveVelocity = 320;
  p.TipUnitWeight = 20;
  p.TipPoisson = 0.35;
  p.TipDamping = 0.03;
  p.QuadraticLoad = 1;
  p.MaxFrequency = 60;
  p.MinFrequency = 5;
  p.FrequencyStep = piles > 12 ? 27.5 : 5;
  p.ForceY = 0.0012;
  p.ForceZ = 0.0012;
  p.LoadPointX = -2.088;
  p.LoadPointZ = -3.378;
  massComponents(p);
}

/// Pinned, end-bearing pile group without interaction, batter or side-cap
/// weakening, with plain embedded side soil; harmonic load.
inline void pileGroupPlain(TProgramData& p) {
  pileGroup(p, 4, false);
  p.PileHeadFixed = 0;
  p.EndBearing = 1;
  fill(p.tables().Pilecoord(), {{-2, -2, 0, 1}, {2, -2, 0, 1}, {-2, 2, 0, 1}, {2, 2, 0, 1}});
  fill(p.tables().pilecapsoil(), {{1.5, 150, 18, 0.33, 0.05, 0}});
  p.QuadraticLoad = 0;
  p.ForceY = 10;
  p.ForceZ = 20;
  p.MomentX = 5;
}

/// Round block on a half-space without weakened zone, no side soil,
/// transient load; the mass table's first mass is 0.
inline void halfspaceTransientPlain(TProgramData& p) {
  p.ProjectTitle = "Anvil block";
  p.CircularShape = 1;
  p.Radius = 2.5;
  p.WeakZone = 0;
  p.MassProperties = {147.44898, 297.39296, 392.87553, 431.38818, 0, 0, 0};
  p.BaseZ = 1.5467128;
  fill(p.tables().D1(), {{0, 160, 18, 0.3, 0.05, 0}});
  p.TipShearWaveVelocity = 220;
  p.TipUnitWeight = 19;
  p.TipPoisson = 0.3;
  p.TipDamping = 0.05;
  p.LoadType = 2;
  p.PointCount = 16;
  p.TimeStep = 0.004;
  Rows a(1, std::vector<Extended>(16, 0));
  a[0][1] = 400;
  a[0][2] = 800;
  a[0][3] = 400;
  p.LoadTypeCount = 1;
  fill(p.tables().TLoadtype(), {{3, 0}}, a);
}

struct Generated {
  std::string name;
  std::function<void(TProgramData&)> make;
};

inline std::vector<Generated> allProjects() {
  return {{"halfspace-harmonic", halfspaceHarmonic},
          {"halfspace-harmonic-no-masses",
           [](TProgramData& p) {
             // Load point about the centre of the base, which the tail alone carries.
             halfspaceHarmonic(p);
             fill(p.tables().MassCal(), {{0, 0, 0, 0, 0, 0, 0}});
           }},
          {"halfspace-transient", halfspaceTransientPlain},
          {"stratum-transient-english", stratumTransient},
          {"multilayer-random", multilayerRandom},
          {"pile-harmonic", [](TProgramData& p) { pileGroup(p, 12, true); }},
          {"pile-plain", pileGroupPlain},
          {"pile-120", [](TProgramData& p) { pileGroup(p, 120, false); }}};
}

}  // namespace zrv::front::fixtures
