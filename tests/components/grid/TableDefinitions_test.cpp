// The definitions of the main window's thirteen tables (and the prototypes
// of the nested tables of moment rows) as shipped, and the definitions text
// itself.

#include <cmath>
#include <map>
#include <sstream>
#include <tuple>

#include "grid/ColBinary.h"
#include "grid/ColText.h"
#include "grid/GlobalTableList.h"
#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "grid/TTableColumn.h"
#include "grid/TableDefinitions.h"
#include "grid_test_util.h"
#include "test_support.h"

namespace zrv::comp {
namespace {

std::string shipped() { return zrv::test::read_file(std::string(ZRV_SOURCE_DIR) + "/components/grid/tables.coldefs"); }

// The text without its comment lines and the blank lines that follow them.
std::string withoutComments(const std::string& text) {
  std::istringstream in(text);
  std::string line, out;
  bool started = false;
  while (std::getline(in, line)) {
    if (line.starts_with("#") || (!started && line.empty())) continue;
    started = true;
    out += line + '\n';
  }
  return out;
}

std::vector<const TGridTable*> view(const std::vector<std::unique_ptr<TGridTable>>& tables) {
  std::vector<const TGridTable*> v;
  for (const auto& t : tables) v.push_back(t.get());
  return v;
}

std::string colText(const TGridTable& t) {
  TColTextWriter w;
  t.WriteColumns(w);
  return w.text();
}

// The tables of the project data model: caption, row limit (0: none) and per
// column "E" (choice), "T" (nested table) or the unit code of a real column.
struct Expected {
  const char* name;
  const char* caption;
  int maxRows;
  std::vector<std::string> columns;
};

const std::vector<Expected> kModel = {
    {"D", "Soil Properties", 20, {"L2/SEC", "F/L2^3", "", "", ""}},
    {"D1", "Soil Layer Data", 20, {"L2", "L2/SEC", "F/L2^3", "", "", ""}},
    {"pilecapsoil", "Side Weakened Soil Parameters", 20, {"L2", "L2/SEC", "F/L2^3", "", "", ""}},
    {"Multisoil", "Soil Column Layer", 20, {"L2/SEC", "F/L2^3", "", "", "", ""}},
    // The torsional coefficient is the section's torsion constant, a length
    // to the fourth like the moments of inertia beside it: a unit switch must
    // rescale it with them.
    {"MultiElement", "Multi-Layer Foundation", 20, {"L2", "L2", "L2", "L2^2", "L2^4", "L2^4", "L2^4"}},
    {"PileData", "Pile Data", 200, {"L2", "L2", "L2", "L2^2", "L2^4", "L2^4", "L2^4"}},
    {"Pilecoord", "Pile Coordinations", 500, {"L2", "L2", "", "E"}},
    {"TLoadtype", "Transient Loading Data", 0, {"E", "T"}},
    {"Dtransient", "Load Amplitude", 0, {"F"}},
    {"Trandom", "Random Loading data", 0, {"E", "T"}},
    {"Tspectrum", "Random Spectrum Data", 0, {"F^2-F5/L3"}},
    {"MassCal", "Mass Components including equipment, and self weight of footing ", 30,
     {"F6", "L2", "L2", "L2", "L2", "L2", "L2"}},
    {"TBattered", "Battered Pile Data", 0, {"E", "DEGREES"}},
    // A moment amplitude; the spectral density of a moment.
    {"DtransientMoment", "Load Amplitude", 0, {"F-L2"}},
    {"TspectrumMoment", "Random Spectrum Data", 0, {"F^2-L2^2-F5/L3"}},
};

std::vector<std::string> headers(const TGridTable& t) {
  std::vector<std::string> h;
  for (int c = 0; c < t.ColumnCount(); ++c) {
    std::string joined;
    for (const auto& line : t.Column(c).Headers()) joined += (joined.empty() ? "" : "|") + line;
    h.push_back(joined);
  }
  return h;
}

TEST(TableDefinitions, TheShippedTablesMatchTheProjectDataModel) {
  const auto tables = readTableDefinitions(shipped());
  ASSERT_EQ(tables.size(), kModel.size());
  for (std::size_t i = 0; i < kModel.size(); ++i) {
    const Expected& x = kModel[i];
    const TGridTable& t = *tables[i];
    SCOPED_TRACE(x.name);
    EXPECT_EQ(t.Name(), x.name);
    EXPECT_EQ(t.Identifier(), static_cast<int>(i));
    EXPECT_EQ(t.Caption(), x.caption);
    EXPECT_EQ(t.MaxRows(), x.maxRows);
    EXPECT_EQ(t.MinRows(), 1);
    EXPECT_EQ(t.RowGroup(), 1);
    EXPECT_EQ(t.RowCount(), 0);
    ASSERT_EQ(t.ColumnCount(), static_cast<int>(x.columns.size()));
    for (int c = 0; c < t.ColumnCount(); ++c) {
      const TColumn& column = t.Column(c);
      EXPECT_FALSE(column.Grouped());
      EXPECT_FALSE(column.Headers().empty()) << c;
      if (x.columns[c] == "E") {
        EXPECT_NE(dynamic_cast<const TEnumColumn*>(&column), nullptr) << c;
      } else if (x.columns[c] == "T") {
        EXPECT_NE(dynamic_cast<const TTableColumn*>(&column), nullptr) << c;
      } else {
        const auto* f = dynamic_cast<const TFloatColumn*>(&column);
        ASSERT_NE(f, nullptr) << c;
        EXPECT_EQ(f->Units(), x.columns[c]) << c;
        // The hidden in/out damping ratio of the soil column, which no form
        // shows, starts at 1 (the soil inside as damped as outside): 0 would
        // silently take the material damping out of those layers.
        const bool hiddenRatio = x.name == std::string("Multisoil") && c == 5;
        EXPECT_EQ(f->Default(), hiddenRatio ? 1.0L : 0.0L) << c;
        EXPECT_FALSE(f->TopDepth());
      }
      EXPECT_EQ(column.Visible(), !(x.name == std::string("Multisoil") && c == 5)) << c;
    }
  }

  // Texts given word for word.
  const auto six = [](const char* first) {
    return std::vector<std::string>{first,
                                    "Force in Y-direction",
                                    "Force in Z-direction",
                                    "Moment about X-axis",
                                    "Moment about Y-axis",
                                    "Moment about Z-axis"};
  };
  EXPECT_EQ(dynamic_cast<const TEnumColumn&>(tables[7]->Column(0)).Items(), six("Force in X-direction"));
  EXPECT_EQ(dynamic_cast<const TEnumColumn&>(tables[9]->Column(0)).Items(), six("Force in X-directiin"));
  EXPECT_EQ(dynamic_cast<const TEnumColumn&>(tables[6]->Column(3)).Items(),
            (std::vector<std::string>{"XZ-Plane", "YZ-Plane"}));
  EXPECT_EQ(dynamic_cast<const TEnumColumn&>(tables[12]->Column(0)).Items(),
            (std::vector<std::string>{"XZ-Plane", "YZ-Plane"}));
  EXPECT_EQ(headers(*tables[7]), (std::vector<std::string>{"Load type", "Load amplitude"}));
  EXPECT_EQ(headers(*tables[8]), (std::vector<std::string>{"Load Amplitude"}));
  EXPECT_EQ(headers(*tables[9]), (std::vector<std::string>{"Spectrum Coordinates", "Enter Data"}));
  EXPECT_EQ(headers(*tables[10]), (std::vector<std::string>{"Spectrum Data"}));
  EXPECT_EQ(headers(*tables[11]), (std::vector<std::string>{"Mass", "x-Coord.", "y-Coord.", "z-Coord.",
                                                            "Length |(x-direction)", "Width |(y-direction)",
                                                            "Thickness|(z-direction)"}));
  EXPECT_EQ(headers(*tables[5])[0], "Layer |depth, ");
  EXPECT_EQ(headers(*tables[5])[1], "Radius of pile|(X-dir.) ");  // the pile radius the top view draws

  // The nested tables of the loading tables are clones of the amplitude and
  // spectrum tables: those of forces for the first three kinds, those of
  // moments for the last three.
  for (const auto& [parent, force, moment] : {std::tuple{7, 8, 13}, std::tuple{9, 10, 14}}) {
    const auto& p = dynamic_cast<const TTableColumn&>(tables[parent]->Column(1)).Prototypes();
    ASSERT_EQ(p.Count(), 6);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(p.ResolveTable(k), tables[k < 3 ? force : moment].get());
  }
}

TEST(TableDefinitions, TheShippedTablesWorkAsTheMainWindowUsesThem) {
  const auto tables = readTableDefinitions(shipped());
  for (const auto& t : tables) t->SetRowCount(t->MinRows());
  TGridTable& loads = *tables[7];
  loads.Column(0).SetInteger(0, 3);  // force in Z
  TGridTable& amplitudes = loads.Column(1).GetTable(0);
  EXPECT_EQ(amplitudes.Caption(), "Load Amplitude");
  EXPECT_EQ(amplitudes.RowNumber(), 1);
  amplitudes.SetRowCount(4);
  amplitudes.Column(0).SetText(3, "1000");
  EXPECT_EQ(amplitudes.Column(0).GetHeaderLine(0), "Load Amplitude (lbs)  ");

  for (const auto& t : tables) t->SetUnitSystem(2);
  EXPECT_EQ(amplitudes.Column(0).GetText(3), "4.448222");  // 1000 / 224.8089237 = 4.44822199...
  EXPECT_EQ(amplitudes.Column(0).GetHeaderLine(0), "Load Amplitude (kN)  ");
  EXPECT_EQ(tables[0]->Column(0).GetHeaderLine(1), "Velocity,  (m/SEC)  ");
  EXPECT_EQ(tables[0]->Column(1).GetHeaderLine(1), "Weight,  (kN/m^3)  ");
  EXPECT_EQ(tables[11]->Column(0).GetHeaderLine(0), "Mass (Mg)  ");
  EXPECT_EQ(tables[5]->Column(6).GetHeaderLine(1), "Inertia,  (m^4)  ");
  EXPECT_EQ(tables[12]->Column(1).GetHeaderLine(0), "Batter Angle (DEGREES)  ");

  // A moment row's amplitudes and the spectra show their own units.
  loads.Column(0).SetInteger(0, 5);
  EXPECT_EQ(loads.Column(1).GetTable(0).Column(0).GetHeaderLine(0), "Load Amplitude (kN-m)  ");
  TGridTable& spectra = *tables[9];
  EXPECT_EQ(spectra.Column(1).GetTable(0).Column(0).GetHeaderLine(0), "Spectrum Data (kN^2-sec/rad)  ");
  spectra.Column(0).SetInteger(0, 4);
  for (const auto& t : tables) t->SetUnitSystem(1);
  EXPECT_EQ(spectra.Column(1).GetTable(0).Column(0).GetHeaderLine(0), "Spectrum Data (lbs^2-ft^2-sec/rad)  ");
}

TEST(TableDefinitions, EveryShippedValueConvertsByPhysicalFactorsAndBack) {
  // SI units per English unit from the definitions of the units themselves:
  // 1 lbf = 4.4482216152605 N, 1 slug = 14.5939029372 kg, 1 ft = 0.3048 m.
  const long double lbf = 4.4482216152605e-3L, slug = 14.5939029372e-3L, ft = 0.3048L;
  const std::map<std::string, long double> toSI = {
      {"", 1},          {"DEGREES", 1},           {"L2", ft},        {"L2/SEC", ft},
      {"L2^2", ft * ft}, {"L2^4", ft * ft * ft * ft}, {"F/L2^3", lbf / (ft * ft * ft)},
      {"F", lbf},       {"F6", slug},
      // A moment; spectral densities of a force and of a moment (the
      // seconds per radian do not change).
      {"F-L2", lbf * ft}, {"F^2-F5/L3", lbf * lbf}, {"F^2-L2^2-F5/L3", lbf * lbf * ft * ft}};
  const auto tables = readTableDefinitions(shipped());
  for (const auto& t : tables) t->SetRowCount(2);
  // Every float cell of the top-level tables and of one nested table per
  // loading table, with the value it started from.
  struct Cell {
    TColumn* column;
    int row;
    long double english;
    long double factor;
  };
  std::vector<Cell> cells;
  long double v = 0.37L;
  const auto collect = [&](TGridTable& t) {
    for (int c = 0; c < t.ColumnCount(); ++c) {
      auto* f = dynamic_cast<TFloatColumn*>(&t.Column(c));
      if (!f) continue;
      ASSERT_EQ(toSI.count(f->Units()), 1u) << t.Caption() << " " << f->Units();
      for (int r = 0; r < t.RowCount(); ++r) {
        v = v * 1.37L + 0.013L;
        f->SetFloat(r, v);
        cells.push_back({f, r, v, toSI.at(f->Units())});
      }
    }
  };
  for (const auto& t : tables) {
    collect(*t);
    if (auto* nested = t->firstTableColumn()) {
      // A force in row 1, a moment about Y in row 2.
      t->Column(0).SetInteger(1, 5);
      collect(nested->GetTable(0));
      collect(nested->GetTable(1));
    }
  }
  // Two rows of each top-level table's real columns; the nested amplitude and
  // spectrum tables keep their one row.
  ASSERT_EQ(cells.size(), 2u * (5 + 6 + 6 + 6 + 7 + 7 + 3 + 1 + 1 + 7 + 1 + 1 + 1) + 4u);

  for (const auto& t : tables) t->SetUnitSystem(2);
  for (const Cell& c : cells) {
    const long double si = c.column->GetFloat(c.row);
    // The stored factors carry eight to ten digits (224.8089237 lbs per kN is
    // 9e-8 short of the defined value).
    EXPECT_LE(std::fabs(si - c.english * c.factor), 2e-7L * std::fabs(c.english * c.factor))
        << c.column->Table().Caption() << " column " << c.column->Index();
  }
  for (const auto& t : tables) t->SetUnitSystem(1);
  for (const Cell& c : cells)
    EXPECT_LE(std::fabs(c.column->GetFloat(c.row) - c.english), 1e-15L * c.english)
        << c.column->Table().Caption() << " column " << c.column->Index();
}

TEST(TableDefinitions, TheShippedTextRoundTripsThroughBothForms) {
  const std::string text = shipped();
  const auto tables = readTableDefinitions(text);
  EXPECT_EQ(writeTableDefinitions(view(tables)), withoutComments(text));

  for (const auto& t : tables) {
    SCOPED_TRACE(t->Name());
    TColBinaryWriter bin;
    t->WriteColumns(bin);
    TGridTable copy;
    TColBinaryReader r(bin.bytes());
    copy.ReadColumns(r);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(colText(copy), colText(*t));
    TColBinaryWriter again;
    copy.WriteColumns(again);
    EXPECT_EQ(again.bytes(), bin.bytes());
  }
}

TEST(TableDefinitions, PropertiesAndErrors) {
  const auto t = readTableDefinitions(R"(table X
  Comments = "one\rtwo"
  MinRows = 0
  HardwiredButton = True
  RowGroup = 2
  MaxRows = 6
  Col = { 0 }
end)");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0]->Comments(), "one\rtwo");
  EXPECT_EQ(t[0]->MinRows(), 1);  // 0 while reading is stored as 1
  EXPECT_EQ(writeTableDefinitions(view(t)), "table X\n  Comments = \"one\\rtwo\"\n  Identifier = " +
                                                std::to_string(t[0]->Identifier()) +
                                                "\n  MaxRows = 6\n  HardwiredButton = True\n  RowGroup = 2\n"
                                                "  Col = {\n    0\n  }\nend\n");
  EXPECT_FALSE(t[0]->reading());
  EXPECT_THROW_MSG(t[0]->SetMinRows(0), Exception, "Value must be greater than 0");

  EXPECT_THROW_MSG(readTableDefinitions("tabel X end"), EReadError, "Line 1: \"table\" expected");
  EXPECT_THROW_MSG(readTableDefinitions("table X\n Colour = 1\nend"), EReadError,
                   "Table X: Line 2: a property name expected");
  EXPECT_THROW_MSG(readTableDefinitions("table X\n Caption \"a\"\nend"), EReadError,
                   "Table X: Line 2: \"=\" expected");
  EXPECT_THROW_MSG(readTableDefinitions("table X\n MaxRows = many\nend"), EReadError,
                   "Table X: Line 2: a 32-bit integer expected");
  EXPECT_THROW_MSG(readTableDefinitions("table X\n Col = { 0 5 }\nend"), EReadError,
                   "Table X: Line 2: \"}\" expected");
  EXPECT_THROW_MSG(readTableDefinitions("table X\n Col = { 1 9 }\nend"), EReadError,
                   "Table X: Error Column Class not defined");
  EXPECT_THROW_MSG(readTableDefinitions("table X\nend\n\ntable X\nend"), EReadError,
                   "Line 4: table X defined twice");
  EXPECT_THROW_MSG(readTableDefinitions("table X\n Caption = \"a\""), EReadError,
                   "Table X: Line 2: a property name or \"end\" expected");
}

}  // namespace
}  // namespace zrv::comp
