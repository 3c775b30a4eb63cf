// The grid table: rows in groups, cell handles, identifiers, unit switches
// and the stored column definitions ("Col").

#include "grid/ColBinary.h"
#include "grid/ColumnRegistry.h"
#include "grid/ColText.h"
#include "grid/GlobalTableList.h"
#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "grid/TTableColumn.h"
#include "grid_test_util.h"

namespace zrv::comp {
namespace {

using test::RecordingEditor;
using Bytes = std::vector<std::uint8_t>;

// A table whose columns are read from the text form of "Col".
std::unique_ptr<TGridTable> tableFrom(std::string_view col, TGridTable* owner = nullptr) {
  auto t = std::make_unique<TGridTable>(owner);
  TColTextStringReader r(col);
  t->ReadColumns(r);
  return t;
}

std::string colText(const TGridTable& t) {
  TColTextWriter w;
  t.WriteColumns(w);
  return w.text();
}

constexpr const char* kTwoFloats = R"(2
  2 ("a") True False False "FLOATCOLUMN2" "L2" 0
  2 ("b") True False False "FLOATCOLUMN2" "F/L2^3" 0.5)";

TEST(TGridTable, RowCountsFollowRowGroups) {
  auto t = tableFrom(kTwoFloats);
  EXPECT_EQ(t->RowCount(), 0);
  t->SetRowCount(-5);
  EXPECT_EQ(t->RowCount(), 0);
  t->SetRowGroup(2);
  t->SetRowCount(3);  // whole groups are added: overshoots to 4
  EXPECT_EQ(t->RowCount(), 4);
  EXPECT_EQ(t->Column(0).RowCount(), 4);
  EXPECT_EQ(t->Column(1).RowCount(), 4);
  EXPECT_EQ(t->Column(1).GetFloat(3), 0.5L);  // new rows hold the default

  for (int r = 0; r < 4; ++r) t->Column(0).SetFloat(r, r);
  t->insertRowGroup(3);  // before the group of row 3, which starts at row 2
  EXPECT_EQ(t->RowCount(), 6);
  EXPECT_EQ(t->Column(0).GetFloat(1), 1.0L);
  EXPECT_EQ(t->Column(0).GetFloat(2), 0.0L);
  EXPECT_EQ(t->Column(0).GetFloat(4), 2.0L);
  t->deleteRowGroup(5);  // rows 4 and 5
  EXPECT_EQ(t->RowCount(), 4);
  EXPECT_EQ(t->Column(0).GetFloat(3), 0.0L);
  t->addRowGroup();
  EXPECT_EQ(t->RowCount(), 6);
  t->SetRowCount(5);  // deleting takes single rows
  EXPECT_EQ(t->RowCount(), 5);
  t->deleteRowGroup(4);  // a group cut short by the end
  EXPECT_EQ(t->RowCount(), 4);
  EXPECT_THROW_MSG(t->deleteRowGroup(4), EListError, "List index out of bounds (4)");
  EXPECT_THROW_MSG(t->insertRowGroup(5), EListError, "List index out of bounds (5)");

  t->SetRowGroup(0);
  EXPECT_EQ(t->RowGroup(), 1);

  // A column added later is brought to the table's row count exactly.
  auto c = std::make_unique<TFloatColumn>(*t);
  t->SetRowGroup(3);
  EXPECT_EQ(t->AddColumn(std::move(c)).RowCount(), 4);
}

TEST(TGridTable, CellHandlesFollowTheirCell) {
  auto t = tableFrom(kTwoFloats);
  t->SetRowCount(8);
  auto h = t->GetData(0, 5);
  h->SetFloat(55);
  t->insertRowGroup(2);
  EXPECT_EQ(h->Row(), 6);
  EXPECT_EQ(h->GetFloat(), 55.0L);
  EXPECT_EQ(t->Column(0).GetFloat(6), 55.0L);
  t->deleteRowGroup(0);
  EXPECT_EQ(h->Row(), 5);
  EXPECT_EQ(h->GetText(), "55");
  EXPECT_THROW_MSG(h->GetInteger(), EInvalidCast, "Data of wrong type");
  EXPECT_THROW_MSG(h->GetTable(), EInvalidCast, "Data of wrong type");

  // A handle whose cell was deleted fails instead of touching freed memory.
  t->deleteRowGroup(5);
  EXPECT_EQ(h->Row(), -1);
  EXPECT_THROW_MSG(h->GetFloat(), EListError, "List index out of bounds (-1)");
  auto g = t->GetData(1, 0);
  t.reset();
  EXPECT_THROW_MSG(g->SetFloat(1), EListError, "List index out of bounds (-1)");
}

TEST(TGridTable, IdentifiersStayUniqueAndFindTables) {
  TGridTable a, b;
  EXPECT_EQ(b.Identifier(), a.Identifier() + 1);  // taken from one counter in creation order
  const int ia = a.Identifier(), ib = b.Identifier();
  a.SetIdentifier(ib);
  EXPECT_EQ(a.Identifier(), ib);
  EXPECT_EQ(b.Identifier(), ia);
  a.SetIdentifier(-3);
  EXPECT_EQ(a.Identifier(), ib);

  EXPECT_EQ(GlobalTableAt(GlobalTableIndexOfIdentifier(ia)), &b);
  EXPECT_EQ(GlobalTableIndexOfIdentifier(-1), -1);
  EXPECT_EQ(GlobalTableAt(-1), nullptr);
  EXPECT_EQ(GlobalTableAt(GlobalTableCount()), nullptr);
  const int count = GlobalTableCount();
  {
    TGridTable c;
    EXPECT_EQ(GlobalTableIndexOf(&c), count);
  }
  EXPECT_EQ(GlobalTableCount(), count);
}

TEST(TGridTable, MinRowsMustBePositiveExceptWhileReading) {
  TGridTable t;
  EXPECT_THROW_MSG(t.SetMinRows(0), Exception, "Value must be greater than 0");
  EXPECT_EQ(t.MinRows(), 1);
  t.setReading(true);
  t.SetMinRows(0);
  EXPECT_EQ(t.MinRows(), 1);
  t.SetMinRows(3);
  EXPECT_EQ(t.MinRows(), 3);
}

TEST(TGridTable, UnitSwitchRescalesFloatColumnsOnce) {
  auto t = tableFrom(kTwoFloats);
  RecordingEditor e(*t);
  t->SetRowCount(2);
  t->Column(0).SetFloat(0, 10);
  t->Column(1).SetFloat(1, 100);
  e.cells.clear();
  e.rebuilds = 0;

  t->SetUnitSystem(1);  // the current system: nothing at all
  EXPECT_EQ(t->Column(0).GetFloat(0), 10.0L);
  EXPECT_TRUE(e.cells.empty());
  EXPECT_EQ(e.rebuilds, 0);

  const Extended ft = 3.280839895L, lbs = 224.8089237L;
  t->SetUnitSystem(2);
  EXPECT_EQ(t->UnitSystem(), 2);
  EXPECT_NEAR(t->Column(0).GetFloat(0), 10 / ft, 1e-15L);                 // ft to m
  EXPECT_NEAR(t->Column(1).GetFloat(1), 100 * ft * ft * ft / lbs, 1e-13L);  // lbs/ft^3 to kN/m^3
  EXPECT_NEAR(t->Column(1).GetFloat(0), 0.5L * ft * ft * ft / lbs, 1e-15L);  // the default too
  EXPECT_EQ(e.rebuilds, 1);
  EXPECT_EQ(e.cells.size(), 4u);  // every cell of both columns redrawn
  EXPECT_EQ(t->Column(0).GetHeaderLine(0), "a (m)  ");
  t->SetUnitSystem(1);
  EXPECT_NEAR(t->Column(0).GetFloat(0), 10.0L, 1e-15L);
  EXPECT_NEAR(t->Column(1).GetFloat(1), 100.0L, 1e-13L);
}

TEST(TGridTable, UnitSwitchReachesNestedTables) {
  auto proto = tableFrom(R"(1 2 ("Amplitude") True False False "FLOATCOLUMN2" "F" 0)");
  proto->SetCaption("Amplitudes");
  proto->SetMinRows(2);
  auto parent = tableFrom(R"(2
    0 ("Kind") True False ("one" "two")
    3 ("Data") True False "FLEXCOLUMN2" ()" +
                          std::to_string(proto->Identifier()) + " " + std::to_string(proto->Identifier()) + "))");
  parent->SetRowCount(1);
  TGridTable& nested = parent->Column(1).GetTable(0);
  EXPECT_EQ(nested.RowCount(), 2);
  EXPECT_EQ(nested.Owner(), parent.get());
  nested.Column(0).SetFloat(1, 1000);

  const Extended lbs = 224.8089237L;
  parent->SetUnitSystem(2);
  EXPECT_EQ(nested.UnitSystem(), 2);
  EXPECT_NEAR(nested.Column(0).GetFloat(1), 1000 / lbs, 1e-15L);

  // A nested table made after the switch starts in the parent's system.
  parent->addRowGroup();
  TGridTable& later = parent->Column(1).GetTable(1);
  EXPECT_EQ(later.UnitSystem(), 2);
  later.Column(0).SetFloat(0, 1);
  parent->SetUnitSystem(1);
  EXPECT_NEAR(later.Column(0).GetFloat(0), lbs, 1e-12L);
  EXPECT_EQ(proto->UnitSystem(), 1);  // the prototype is not a part of its clones
}

TEST(TGridTable, ChangedStateIncludesNestedTables) {
  auto proto = tableFrom(R"(1 2 ("x") True False False "FLOATCOLUMN2" "" 0)");
  auto parent = tableFrom("1 3 (\"t\") True False \"FLEXCOLUMN2\" (" + std::to_string(proto->Identifier()) + ")");
  parent->SetRowCount(2);
  EXPECT_FALSE(parent->GetChanged());
  parent->Column(0).GetTable(1).SetChanged(true);
  EXPECT_TRUE(parent->GetChanged());
  parent->SetChanged(false);
  EXPECT_FALSE(parent->Column(0).GetTable(1).GetChanged());
  parent->SetChanged(true);
  EXPECT_TRUE(parent->GetChanged());
}

TEST(TGridTable, VisibleColumnsSkipHiddenOnes) {
  auto t = tableFrom(R"(3
    2 ("a") True False False "FLOATCOLUMN2" "" 0
    2 ("b") False False False "FLOATCOLUMN2" "" 0
    2 ("c") True False False "FLOATCOLUMN2" "" 0)");
  EXPECT_EQ(t->visibleColumnCount(), 2);
  EXPECT_EQ(&t->visibleColumn(1), &t->Column(2));
  EXPECT_EQ(t->visibleIndexOf(t->Column(2)), 1);
  EXPECT_EQ(t->visibleIndexOf(t->Column(1)), -1);
  EXPECT_THROW_MSG(t->visibleColumn(2), EListError, "Index out of bounds");
  EXPECT_THROW_MSG(t->Column(3), EListError, "List index out of bounds (3)");
}

TEST(TGridTable, ByteExampleOfAFloatColumnDecodesAndEncodesExactly) {
  // Column count 1, then the first float column of the pile data table.
  const Bytes bytes = {2, 1, 2, 2, 1, 6, 6, 'L', 'a', 'y', 'e', 'r', ' ', 6, 7, 'd', 'e', 'p', 't', 'h', ',', ' ', 0,
                       9, 8, 8, 6, 12, 'F', 'L', 'O', 'A', 'T', 'C', 'O', 'L', 'U', 'M', 'N', '2', 6, 2, 'L', '2',
                       5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  TGridTable t;
  TColBinaryReader r(bytes);
  t.ReadColumns(r);
  EXPECT_EQ(r.remaining(), 0u);
  ASSERT_EQ(t.ColumnCount(), 1);
  const auto& c = dynamic_cast<const TFloatColumn&>(t.Column(0));
  EXPECT_EQ(c.Headers(), (std::vector<std::string>{"Layer ", "depth, "}));
  EXPECT_TRUE(c.Visible());
  EXPECT_FALSE(c.Grouped());
  EXPECT_FALSE(c.TopDepth());
  EXPECT_EQ(c.Units(), "L2");
  EXPECT_EQ(c.Default(), 0.0L);
  t.SetUnitSystem(2);
  EXPECT_EQ(c.GetHeaderLine(0), "Layer ");
  EXPECT_EQ(c.GetHeaderLine(1), "depth,  (m)  ");

  TColBinaryWriter w;
  t.WriteColumns(w);
  EXPECT_EQ(w.bytes(), bytes);
}

TEST(TGridTable, ColumnReadErrorsNameTheColumn) {
  TGridTable t;
  EXPECT_THROW_MSG(tableFrom("\"two\""), Exception, "Error reading column count");
  EXPECT_THROW_MSG(tableFrom("1 9 (\"a\") True False"), Exception, "Error Column Class not defined");
  EXPECT_THROW_MSG(tableFrom("2\n 2 (\"a\") True False False \"FLOATCOLUMN2\" \"L2\" 0\n 1 (\"b\") True 7 0 0 0"),
                   Exception, "Error occured when creating column 1: Line 3: True or False expected");
  EXPECT_THROW_MSG(tableFrom("1\n 4 (\"a\") True False \"x\""), Exception,
                   "Error occured when creating column 0: Line 2: a real expected");

  EXPECT_THROW_MSG(tableFrom(R"(1 2 ("a") True False False "FLOATCOLUMN2" "L2^x" 0)"), Exception,
                   "Error occured when creating column 0: 'x' is not a valid integer value");

  const Bytes truncated = {2, 1, 2, 0, 1, 0, 9};
  TColBinaryReader r(truncated);
  EXPECT_THROW_MSG(t.ReadColumns(r), Exception,
                   "Error occured when creating column 0: Stream ended where a Boolean was expected");
  EXPECT_EQ(t.ColumnCount(), 0);
}

TEST(TGridTable, OlderColumnRecordsReadAndAreWrittenInTheCurrentForm) {
  // A float column with a plain unit code and no default.
  auto t = tableFrom(R"(1 2 ("d") True False True "L2")");
  const auto& f = dynamic_cast<const TFloatColumn&>(t->Column(0));
  EXPECT_EQ(f.Units(), "L2");
  EXPECT_TRUE(f.TopDepth());
  EXPECT_EQ(colText(*t), "1\n2 (\"d\") True False True \"FLOATCOLUMN2\" \"L2\" 0\n");

  TGridTable p0, p1;
  p0.SetIdentifier(1);
  p1.SetIdentifier(3);
  const std::string k = std::to_string(GlobalTableIndexOf(&p1));
  // Older nested-table column after an enumeration: one entry per item, by
  // identifiers 1, 2, 3 ...
  auto a = tableFrom("2\n 0 (\"k\") True False (\"x\" \"y\" \"z\")\n 3 (\"t\") True False \"FLEX\" " + k);
  const auto& pa = dynamic_cast<const TTableColumn&>(a->Column(1)).Prototypes();
  ASSERT_EQ(pa.Count(), 3);
  EXPECT_EQ(pa.ResolveTable(0), &p0);
  EXPECT_EQ(pa.ResolveTable(2), &p1);
  // ... or, with HardwiredButton, each with list index k.
  TGridTable b;
  b.SetHardwiredButton(true);
  TColTextStringReader rb("2\n 0 (\"k\") True False (\"x\" \"y\")\n 3 (\"t\") True False \"FLEX\" " + k);
  b.ReadColumns(rb);
  const auto& pb = dynamic_cast<const TTableColumn&>(b.Column(1)).Prototypes();
  ASSERT_EQ(pb.Count(), 2);
  EXPECT_EQ(pb.ResolveTable(0), &p1);
  EXPECT_EQ(pb.ResolveTable(1), &p1);
  EXPECT_EQ(colText(b), "2\n0 (\"k\") True False (\"x\" \"y\")\n3 (\"t\") True False \"FLEXCOLUMN2\" (" +
                            std::to_string(p1.Identifier()) + " " + std::to_string(p1.Identifier()) + ")\n");
  // Without an enumeration first: one entry with list index k.
  auto c = tableFrom("1 3 (\"t\") True False \"FLEX\" " + k);
  EXPECT_EQ(dynamic_cast<const TTableColumn&>(c->Column(0)).Prototypes().ResolveTable(0), &p1);
}

TEST(TGridTable, PrototypeEntriesFollowTheItemsOfTheFirstColumn) {
  TGridTable p;
  const std::string id = std::to_string(p.Identifier());
  // Too few entries are filled with entries that name no table, too many are cut.
  auto t = tableFrom("2\n 0 (\"k\") True False (\"x\" \"y\" \"z\")\n 3 (\"t\") True False \"FLEXCOLUMN2\" (" + id +
                     " " + id + ")");
  auto& column = dynamic_cast<TTableColumn&>(t->Column(1));
  EXPECT_EQ(column.Prototypes().Count(), 3);
  EXPECT_EQ(column.Prototypes().ResolveTable(1), &p);
  EXPECT_EQ(column.Prototypes().ResolveTable(2), nullptr);
  EXPECT_EQ(colText(*t).substr(colText(*t).find("FLEX")), "FLEXCOLUMN2\" (" + id + " " + id + " -1)\n");
  auto u = tableFrom("1 3 (\"t\") True False \"FLEXCOLUMN2\" (" + id + " 5 6)");
  EXPECT_EQ(dynamic_cast<TTableColumn&>(u->Column(0)).Prototypes().Count(), 1);

  // Changing the items of the first column adjusts the entries at once.
  dynamic_cast<TEnumColumn&>(t->Column(0)).SetItems({"only"});
  EXPECT_EQ(column.Prototypes().Count(), 1);
}

TEST(TGridTable, AFailedInsertLeavesEveryColumnAtRowCount) {
  // A TopDepth column must be followed by a float column.
  auto t = tableFrom(R"(3
    2 ("a") True False False "FLOATCOLUMN2" "" 0
    2 ("top") True False True "FLOATCOLUMN2" "" 0
    0 ("k") True False ("x"))");
  EXPECT_THROW_MSG(t->SetRowCount(2), Exception, "If column if a topdepth then the next column must be a float column");
  EXPECT_EQ(t->RowCount(), 0);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(t->Column(c).RowCount(), 0);
}

// A column type of the table's user, known to the registry under id 5.
class TFlagColumn : public TColumn {
public:
  explicit TFlagColumn(TGridTable& t) : TColumn(t) {}
  static const TColumnClass& Class() {
    static const TColumnClass cls{
        "TFlagColumn", [](TGridTable& t) -> std::unique_ptr<TColumn> { return std::make_unique<TFlagColumn>(t); },
        [](TGridTable& t, TColReader& r) -> std::unique_ptr<TColumn> {
          auto c = std::make_unique<TFlagColumn>(t);
          c->ReadData(r);
          return c;
        }};
    return cls;
  }
  const TColumnClass& ClassType() const override { return Class(); }
};

TEST(TGridTable, TheRegistryMapsColumnClassesToStreamIds) {
  EXPECT_EQ(ColumnTypeId(TEnumColumn::Class()), 0);
  EXPECT_EQ(ColumnTypeClass(2), &TFloatColumn::Class());
  EXPECT_EQ(ColumnTypeId(TTableColumn::Class()), 3);
  EXPECT_EQ(ColumnTypeId(TFlagColumn::Class()), -1);
  EXPECT_EQ(ColumnTypeClass(5), nullptr);

  RegisterColumnType(TFlagColumn::Class(), 5);
  auto t = tableFrom(R"(1 5 ("f") True True)");
  EXPECT_NE(dynamic_cast<TFlagColumn*>(&t->Column(0)), nullptr);
  EXPECT_EQ(colText(*t), "1\n5 (\"f\") True True\n");
  UnregisterColumnType(TFlagColumn::Class());
  EXPECT_EQ(ColumnTypeClass(5), nullptr);
  EXPECT_THROW_MSG(colText(*t), Exception, "Error Column Class not defined");
}

}  // namespace
}  // namespace zrv::comp
