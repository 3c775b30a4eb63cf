#include "project/ProjectWriter.h"

#include <cmath>

#include "grid/TTableColumn.h"
#include "project/ProjectSections.h"
#include "project/ProjectText.h"
#include "project/TProgramData.h"

namespace zrv::front {

namespace deck {

/// The lines of a file being written, each ended by LF.
class Lines {
public:
  void add(const std::string& line) { m_text += line + '\n'; }
  const std::string& text() const { return m_text; }

private:
  std::string m_text;
};

}  // namespace deck

namespace {

using deck::Lines;

// Frequencies are held in hertz and written as circular frequencies with
// this factor; the reader divides by it.
constexpr Extended kHertzToDeck = 6.28L;

std::string I(long long v) { return std::to_string(v); }

// An infinity or NaN would reach the engine as a word it cannot read.
std::string R(Extended v) {
  if (!std::isfinite(v)) throw EProjectError("The project holds a value that is not a finite number.");
  return formatReal(v);
}

Extended cell(const TGridTable& t, int col, int row) {
  const Extended v = cellValue(t, col, row);
  if (!std::isfinite(v))
    throw EProjectError("The table \"" + t.Caption() + "\" holds a value that is not a finite number in row " +
                        I(row + 1) + ".");
  return v;
}

/// Row number, then the cells of columns first..last, one blank between.
std::string rowText(const TGridTable& t, int row, int first, int last) {
  std::string s = I(row + 1);
  for (int c = first; c <= last; ++c) s += ' ' + R(cell(t, c, row));
  return s;
}

/// Each value followed by one blank.
std::string valuesLine(std::initializer_list<Extended> values) {
  std::string s;
  for (Extended v : values) s += R(v) + ' ';
  return s;
}

bool anyAbove(const TGridTable& t, int col, Extended limit) {
  for (int r = 0; r < t.RowCount(); ++r)
    if (std::fabs(cell(t, col, r)) > limit) return true;
  return false;
}

/// Weak form of a D1 or pilecapsoil row: the row, the weak zone's Poisson's
/// ratio (the soil's), damping (twice the soil's) and thickness ratio.
std::string weakSideRow(const TGridTable& t, int r) {
  return rowText(t, r, 0, 5) + ' ' + R(cell(t, 3, r)) + ' ' + R(2 * cell(t, 4, r)) + ' ' +
         (cell(t, 5, r) > 0.999999L ? "0" : "0.1");
}

/// Weak form of a D row (pile and multilayer soil).
std::string weakSoilRow(const TGridTable& t, int r, Extended noZoneAbove) {
  return rowText(t, r, 0, 4) + ' ' + R(cell(t, 2, r)) + ' ' + R(2 * cell(t, 3, r)) + ' ' +
         (cell(t, 4, r) > noZoneAbove ? "0" : "1");
}

/// The title as one line that is never empty.
std::string titleText(const std::string& title) {
  std::string s = title;
  for (char& c : s)
    if (c == '\n' || c == '\r') c = ' ';
  return s.empty() ? " " : s;
}

/// Sets MassComponentCount (0 when the first mass is below 1e-8) and writes
/// it, then, when it is above 0, the MassCal rows; true when rows were written.
bool massComponents(Lines& out, TProgramData& p) {
  const TGridTable& m = p.tables().MassCal();
  p.MassComponentCount = m.RowCount() > 0 && cell(m, 0, 0) >= 1e-8L ? m.RowCount() : 0;
  out.add(I(p.MassComponentCount));
  if (p.MassComponentCount == 0) return false;
  for (int r = 0; r < m.RowCount(); ++r) {
    std::string s;
    for (int c = 0; c <= 6; ++c) s += R(cell(m, c, r)) + ' ';
    out.add(s);
  }
  return true;
}

std::string quoted(const TGridTable& t) { return "\"" + t.Caption() + "\""; }

void checkNested(const TGridTable& loads, const TGridTable& prototype, int points) {
  const comp::TTableColumn* column = loads.firstTableColumn();
  for (int r = 0; r < loads.RowCount(); ++r) {
    const int rows = column && column->GetObject(r) ? column->GetTable(r).RowCount() : 0;
    if (rows != points)
      throw EProjectError("The table " + quoted(prototype) + " of row " + I(r + 1) + " of the table " +
                          quoted(loads) + " has " + I(rows) + " rows; the number of points is " + I(points) +
                          ".");
  }
}

void writeNested(Lines& out, const TGridTable& loads, int row) {
  const TGridTable& nested = loads.firstTableColumn()->GetTable(row);
  for (int i = 0; i < nested.RowCount(); ++i) out.add(R(cell(nested, 0, i)) + ' ');
}

}  // namespace

void checkWritable(const TProgramData& p) {
  const TProjectTables& t = p.tables();
  const std::string& type = p.FoundationType;
  if (type != "HALF-SPACE" && type != "PILE" && type != "STRATUM" && type != "MULTILAYER")
    throw EProjectError("The foundation type \"" + type + "\" is not known.");
  if (p.FoundationType == "PILE" && t.D().RowCount() != t.PileData().RowCount())
    throw EProjectError("The table " + quoted(t.D()) + " has " + I(t.D().RowCount()) +
                        " rows; it must have one row per row of the table " + quoted(t.PileData()) + " (" +
                        I(t.PileData().RowCount()) + ").");
  if (p.FoundationType == "MULTILAYER") {
    const int below = t.MultiElement().RowCount() - t.D().RowCount();
    if (t.Multisoil().RowCount() < below)
      throw EProjectError("The table " + quoted(t.Multisoil()) + " has " + I(t.Multisoil().RowCount()) +
                          " rows; the elements below the side soil need " + I(below) + ".");
  }
  if (p.LoadType == 2) checkNested(t.TLoadtype(), t.Dtransient(), p.PointCount);
  if (p.LoadType == 3) checkNested(t.Trandom(), t.Tspectrum(), p.PointCount);
}

namespace deck {

unsigned foundationBit(const std::string& type) {
  return type == "HALF-SPACE" ? kHalfSpace
         : type == "PILE"     ? kPile
         : type == "STRATUM"  ? kStratum
         : type == "MULTILAYER" ? kMultilayer
                                : 0u;
}

void writeHeader(Lines& out, TProgramData& p) {
  out.add("TITLE=" + titleText(p.ProjectTitle));
  if (p.GenerateMatrix == 1) out.add("MATRIX");
  out.add(p.UnitSystem == 1 ? "GRAVITY=32.2" : "GRAVITY=9.8");
  out.add("FOUNDATION=" + p.FoundationType);
  if (p.CircularShape == 0)
    out.add("RECTANGULAR=" + R(p.LengthX) + "," + R(p.WidthY));
  else
    out.add("CIRCULAR=" + R(p.Radius));
  out.add("MASS ");
  std::string s;
  for (std::size_t i = 0; i < p.MassProperties.size(); ++i) {
    if (i) s += ' ';
    s += R(p.MassProperties[i]);
  }
  out.add(s);
}

void writePiles(Lines& out, TProgramData& p) {
  const TProjectTables& t = p.tables();
  const TGridTable& coord = t.Pilecoord();
  out.add("LAYERS=" + I(t.PileData().RowCount()));
  out.add((p.PileHeadFixed == 1 ? "FIXED=" : "PINNED=") + I(coord.RowCount()));
  for (int r = 0; r < coord.RowCount(); ++r) out.add(rowText(coord, r, 0, 1) + ' ');
}

void writeLayerCount(Lines& out, TProgramData& p) { out.add("LAYER=" + I(p.tables().MultiElement().RowCount())); }

void writeConstants(Lines& out, TProgramData& p) {
  out.add("CONSTANTS ");
  const unsigned type = foundationBit(p.FoundationType);
  if (type == kHalfSpace) out.add(valuesLine({p.BaseX, p.BaseY, p.BaseZ}));
  if (type == kStratum) out.add(valuesLine({p.BaseX, p.BaseY, p.BaseZ, p.BaseDepth, p.BedrockDepth}));
  if (type == kPile || type == kMultilayer) {
    out.add(valuesLine({p.BaseX, p.BaseY, p.BaseZ, p.PileLength, p.PileUnitWeight}));
    out.add(R(p.StaticLoad) + ' ' + R(p.PilePoisson) + ' ' + R(p.PileDamping) + ' ' + R(p.ShearRigidityCoef) +
            ' ' + R(p.PileModulus));
  }
}

void writeElements(Lines& out, TProgramData& p) {
  const TGridTable& e = p.FoundationType == "MULTILAYER" ? p.tables().MultiElement() : p.tables().PileData();
  out.add("ELEMENT");
  for (int r = 0; r < e.RowCount(); ++r) out.add(rowText(e, r, 0, 6));
}

void writePileTips(Lines& out, TProgramData& p) {
  const TGridTable& coord = p.tables().Pilecoord();
  out.add(p.EndBearing == 0 ? "FLOATING" : "END-BEARING");
  if (anyAbove(coord, 2, 1e-7L)) p.Battered = 1;
  if (p.Battered) {
    out.add("BATTERED");
    for (int r = 0; r < coord.RowCount(); ++r) {
      out.add(I(r + 1) + (cell(coord, 3, r) == 2 ? " YZ  " : " XZ  "));
      out.add(R(cell(coord, 2, r)) + ' ');
    }
  }
  if (p.PileInteraction == 1) out.add("INTERACTION ");
}

/// The four values of the soil below the footing or the pile tips.
static std::string belowText(const TProgramData& p) {
  return R(p.TipShearWaveVelocity) + ' ' + R(p.TipUnitWeight) + ' ' + R(p.TipPoisson) + ' ' + R(p.TipDamping);
}

void writeStratumSoil(Lines& out, TProgramData& p) {
  out.add("SOIL ");
  out.add("CONSTANTS ");
  out.add(belowText(p));
}

void writeMultilayerSoil(Lines& out, TProgramData& p) {
  const TProjectTables& t = p.tables();
  const TGridTable& d = t.D();
  out.add("SOIL ");
  if (d.RowCount() > 0) out.add("WEAK ");
  out.add("CONSTANTS=" + I(d.RowCount()));
  for (int r = 0; r < d.RowCount(); ++r) out.add(weakSoilRow(d, r, 0.99999L));
  const int below = t.MultiElement().RowCount() - d.RowCount();
  for (int i = 0; i < below; ++i) {
    std::string s = I(i + 1 + d.RowCount());
    for (int c = 0; c <= 5; ++c) s += ' ' + R(cell(t.Multisoil(), c, i));
    out.add(s);
  }
}

void writeHalfSpaceSoil(Lines& out, TProgramData& p) {
  const TGridTable& d1 = p.tables().D1();
  out.add("SOIL ");
  if (anyAbove(d1, 5, 1e-7L)) p.WeakZone = 1;
  if (p.WeakZone) out.add("WEAK ");
  out.add("CONSTANTS=" + I(d1.RowCount()));
  for (int r = 0; r < d1.RowCount(); ++r) out.add(p.WeakZone ? weakSideRow(d1, r) : rowText(d1, r, 0, 4));
}

void writePileSoil(Lines& out, TProgramData& p) {
  const TGridTable& d = p.tables().D();
  out.add("SOIL ");
  out.add("WEAK");
  out.add("CONSTANTS");
  for (int r = 0; r < d.RowCount(); ++r) out.add(weakSoilRow(d, r, 0.999999L));
}

void writeSoilBelow(Lines& out, TProgramData& p) { out.add("BELOW=" + belowText(p)); }

void writeSideCap(Lines& out, TProgramData& p) {
  const TGridTable& cap = p.tables().pilecapsoil();
  if (cap.RowCount() == 0) return;
  if (anyAbove(cap, 5, 1e-7L)) p.SideCapWeakened = 1;
  if (p.SideCapWeakened) {
    out.add("SIDE-CAP");
    out.add("EMBEDDED");
    out.add(I(cap.RowCount()) + ' ');
    for (int r = 0; r < cap.RowCount(); ++r) out.add(weakSideRow(cap, r));
  } else if (cell(cap, 1, cap.RowCount() - 1) > 0.00001L) {
    out.add("EMBEDDED");
    out.add(I(cap.RowCount()) + ' ');
    for (int r = 0; r < cap.RowCount(); ++r) out.add(rowText(cap, r, 0, 4));
  }
}

/// Load choice, nested values: the transient amplitudes or random spectra.
static void writeLoadRows(Lines& out, const TGridTable& loads, bool choiceTwice) {
  for (int r = 0; r < loads.RowCount(); ++r) {
    const std::string choice = I(static_cast<long long>(cell(loads, 0, r)));
    out.add(choiceTwice ? choice + ' ' + choice : choice + ' ');
    writeNested(out, loads, r);
  }
}

void writeLoad(Lines& out, TProgramData& p) {
  const TProjectTables& t = p.tables();
  out.add("LOAD ");
  out.add(p.LoadType == 2 ? "TRANSIENT " : p.LoadType == 3 ? "RANDOM " : "HARMONIC ");
  out.add("CONSTANTS ");
  if (p.LoadType == 2) {
    out.add(I(p.PointCount) + ' ');
    out.add(R(p.TimeStep) + ' ');
    out.add(I(t.TLoadtype().RowCount()) + ' ');
    writeLoadRows(out, t.TLoadtype(), false);
  } else if (p.LoadType == 3) {
    out.add(R(p.RandomMaxFrequency * kHertzToDeck) + ' ');
    out.add(R(p.RandomMinFrequency * kHertzToDeck) + ' ');
    out.add(I(p.PointCount) + ' ');
    out.add(R(p.ObservationPeriod) + ' ');
    out.add(I(t.Trandom().RowCount()) + ' ');
    writeLoadRows(out, t.Trandom(), true);
  } else {
    out.add(p.QuadraticLoad == 1 ? "QUADRATIC " : "NONQUADRATIC ");
    out.add(valuesLine({p.MaxFrequency * kHertzToDeck, p.MinFrequency * kHertzToDeck,
                        p.FrequencyStep * kHertzToDeck}));
    out.add(valuesLine({p.ForceX, p.ForceY, p.ForceZ}));
    out.add(valuesLine({p.MomentX, p.MomentY, p.MomentZ}));
    std::string s = valuesLine({p.LoadPointX, p.LoadPointY, p.LoadPointZ}) + I(p.LoadPointReference) + ' ';
    if (p.LoadPointReference == 1) s += valuesLine({p.CBLocalX, p.CBLocalY, p.CBLocalZ});
    out.add(s);
  }
  out.add("RUN ");
}

void writeTail(Lines& out, TProgramData& p) {
  massComponents(out, p);
  out.add(valuesLine({p.CGLocalX, p.CGLocalY, p.CGLocalZ}));
  out.add(valuesLine({p.CBLocalX, p.CBLocalY, p.CBLocalZ}));
  out.add(valuesLine({p.CBGlobalX, p.CBGlobalY, p.CBGlobalZ}));
}

}  // namespace deck

std::string projectFileText(TProgramData& p) {
  checkWritable(p);
  const unsigned type = deck::foundationBit(p.FoundationType);
  deck::Lines out;
  for (const deck::Section& section : deck::kSections)
    if (section.foundations & type) section.write(out, p);
  return out.text();
}

std::string massFileText(TProgramData& p) {
  Lines out;
  if (massComponents(out, p)) {
    for (auto xyz : {std::array{p.CGLocalX, p.CGLocalY, p.CGLocalZ}, std::array{p.CBLocalX, p.CBLocalY, p.CBLocalZ},
                     std::array{p.CBGlobalX, p.CBGlobalY, p.CBGlobalZ}})
      out.add(formatWide(xyz[0]) + ' ' + formatWide(xyz[1]) + ' ' + formatWide(xyz[2]) + ' ');
  }
  return out.text();
}

std::string geometryFileText(TProgramData& p) {
  const TProjectTables& t = p.tables();
  const std::string& type = p.FoundationType;
  Lines out;

  Extended embed = 0;
  if (type == "PILE") {
    for (int r = 0; r < t.pilecapsoil().RowCount(); ++r) embed += cell(t.pilecapsoil(), 0, r);
  } else if (type == "MULTILAYER") {
    for (int r = 0; r < t.D().RowCount() && r < t.MultiElement().RowCount(); ++r)
      embed += cell(t.MultiElement(), 0, r);
  } else {
    for (int r = 0; r < t.D1().RowCount(); ++r) embed += cell(t.D1(), 0, r);
  }
  p.EmbedDepth = embed;

  if (p.CircularShape == 0) {
    out.add("RECTANGULAR ");
    if (p.EmbedDepth < 0.00001L) p.EmbedDepth = 0.15L * p.WidthCopy;
    if (p.PileLength < 0.00001L) p.PileLength = 2 * p.LengthX;
    out.add(' ' + R(p.LengthX) + ' ' + R(p.WidthCopy) + ' ' + R(p.EmbedDepth));
  } else {
    out.add("CIRCULAR ");
    if (p.EmbedDepth < 0.00001L) p.EmbedDepth = 0.15L * p.Radius;
    if (p.PileLength < 0.00001L) p.PileLength = 3 * p.Radius;
    out.add(' ' + R(p.Radius) + ' ' + R(p.Radius) + ' ' + R(p.EmbedDepth));
  }

  // The first n depths of `table` (0 past its rows), then the pile length and
  // a closing layer of a fifth of it.
  const auto layerList = [&](const TGridTable& table, int n) {
    for (int r = 0; r < n; ++r)
      out.add(I(r + 1) + ' ' + R(r < table.RowCount() ? cell(table, 0, r) : 0) + ' ');
    out.add(I(n + 1) + ' ' + R(p.PileLength));
    out.add(I(n + 2) + ' ' + R(0.2L * p.PileLength));
  };

  if (type == "PILE") {
    const TGridTable& coord = t.Pilecoord();
    out.add(I(coord.RowCount()));
    out.add(R(p.PileLength) + ' ');
    for (int r = 0; r < coord.RowCount(); ++r) out.add(rowText(coord, r, 0, 1) + ' ');
    out.add("ELEMENT");
    out.add(I(t.PileData().RowCount()));
    for (int r = 0; r < t.PileData().RowCount(); ++r) out.add(rowText(t.PileData(), r, 0, 6));
    if (anyAbove(coord, 2, 1e-7L)) p.Battered = 1;
    if (p.Battered) {
      out.add("BATTERED");
      for (int r = 0; r < coord.RowCount(); ++r)
        out.add(I(r + 1) + (cell(coord, 3, r) == 2 ? " 90 " : " 0 ") + R(cell(coord, 2, r)) + ' ');
    }
    out.add("SOIL");
    out.add(type);
    const int n = t.pilecapsoil().RowCount();
    out.add(I(n + 2));
    layerList(t.pilecapsoil(), n);
    return out.text();
  }

  out.add(" 0");
  out.add("SOIL");
  if (type == "MULTILAYER") {
    const int m = t.D().RowCount();
    out.add("MULTILAYER");
    out.add(I(m));
    out.add(I(m + 2));
    layerList(t.MultiElement(), m);
    return out.text();
  }
  const TGridTable& d1 = t.D1();
  const int n = d1.RowCount();
  out.add(type);
  if (n > 0 && cell(d1, 0, 0) > 0) {
    out.add(I(n));
    out.add(I(n + 2));
    layerList(d1, n);
  } else {
    out.add(" 0");
    out.add(I(n + 1));
    out.add(I(n) + ' ' + R(p.PileLength));
    out.add(I(n + 1) + ' ' + R(0.2L * p.PileLength));
  }
  return out.text();
}

}  // namespace zrv::front
