// The five column types: entry checks and their texts, grouping, the
// TopDepth link, headers and widths, nested tables.

#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "grid/ColText.h"
#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "grid/TIntColumn.h"
#include "grid/TStringColumn.h"
#include "grid/TTableColumn.h"
#include "grid_test_util.h"

namespace zrv::comp {
namespace {

using test::RecordingEditor;
using Cells = std::vector<std::pair<int, int>>;

std::unique_ptr<TGridTable> tableFrom(std::string_view col) {
  auto t = std::make_unique<TGridTable>();
  TColTextStringReader r(col);
  t->ReadColumns(r);
  return t;
}

// Seven pixels per character at 96 pixels per inch.
class Metrics : public TTextMetrics {
public:
  int textWidth(std::string_view text) const override { return 7 * static_cast<int>(text.size()); }
  int pixelsPerInch() const override { return 96; }
};

TEST(TEnumColumn, ChoicesOutsideTheItemsAreRefused) {
  auto t = tableFrom(R"(1 0 ("Kind") True False ("a" "b" "c"))");
  RecordingEditor e(*t);
  t->SetRowCount(2);
  TColumn& c = t->Column(0);
  EXPECT_EQ(c.GetText(0), "1");
  e.cells.clear();
  c.SetInteger(0, 1);  // the stored value: nothing happens
  EXPECT_TRUE(e.cells.empty());
  c.SetInteger(0, 3);
  EXPECT_EQ(e.cells, (Cells{{0, 0}}));
  c.SetText(1, "1+1");
  EXPECT_EQ(c.GetInteger(1), 2);

  EXPECT_THROW_MSG(c.SetText(1, "2.5"), EAssignError, "Value must be an integer.");
  EXPECT_THROW_MSG(c.SetText(1, "1e10"), EAssignError, "Value must be an integer.");
  EXPECT_THROW_MSG(c.SetText(1, "4"), EAssignError, "Entry must be between 1 and 3.");
  EXPECT_THROW_MSG(c.SetText(1, "0"), EAssignError, "Entry must be between 1 and 3.");
  EXPECT_THROW_MSG(c.SetInteger(1, -1), EAssignError, "Entry must be between 1 and 3.");
  EXPECT_THROW_MSG(c.SetText(1, "two"), EAssignError, "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW_MSG(c.GetFloat(1), EInvalidCast, "Data of wrong type");
  EXPECT_THROW_MSG(c.SetInteger(2, 1), EListError, "List index out of bounds (2)");
  EXPECT_EQ(c.GetInteger(1), 2);
  EXPECT_EQ(c.ColumnWidth(Metrics()), 144);  // at least 1.5 inches
}

TEST(TIntColumn, EntriesAreCheckedAgainstTheLimits) {
  auto t = tableFrom(R"(1 1 ("Count") True False 5 1 10)");
  t->SetRowCount(1);
  TColumn& c = t->Column(0);
  EXPECT_EQ(c.GetText(0), "5");

  // Editor closed: fractions are rounded, halves to even.
  c.SetText(0, "2.5");
  EXPECT_EQ(c.GetInteger(0), 2);
  c.SetText(0, "3.5");
  EXPECT_EQ(c.GetInteger(0), 4);
  EXPECT_THROW_MSG(c.SetText(0, "11"), EAssignError, "Entry must be between 1 and 10.");
  EXPECT_THROW_MSG(c.SetText(0, "1e30"), EAssignError, "Entry must be between 1 and 10.");
  EXPECT_THROW_MSG(c.SetText(0, "0.4"), EAssignError, "Entry must be between 1 and 10.");
  EXPECT_THROW_MSG(c.SetInteger(0, 0), EAssignError, "Entry must be between 1 and 10.");

  // Editor open: a fraction is refused.
  RecordingEditor e(*t);
  EXPECT_THROW_MSG(c.SetText(0, "2.5"), EAssignError, "Entry must be an integer.");
  EXPECT_THROW_MSG(c.SetText(0, "-2.5"), EAssignError, "Entry must be an integer.");
  EXPECT_THROW_MSG(c.SetText(0, "12"), EAssignError, "Entry must be between 1 and 10.");
  c.SetText(0, "7.00000000001");  // within 1e-10 of a whole number
  EXPECT_EQ(c.GetInteger(0), 7);
  EXPECT_EQ(c.ColumnWidth(Metrics()), 49);  // "Count" and two blanks beat half an inch
}

TEST(TIntColumn, AGroupedColumnWritesTheWholeRowGroup) {
  auto t = tableFrom(R"(1 1 ("n") True True 0 -2147483648 2147483647)");
  t->SetRowGroup(3);
  t->SetRowCount(6);
  RecordingEditor e(*t);
  t->Column(0).SetInteger(4, 7);
  EXPECT_EQ(e.cells, (Cells{{0, 3}, {0, 4}, {0, 5}}));
  for (int r = 0; r < 6; ++r) EXPECT_EQ(t->Column(0).GetInteger(r), r >= 3 ? 7 : 0) << r;
  t->Column(0).SetText(0, "-2");
  EXPECT_EQ(t->Column(0).GetInteger(2), -2);
}

TEST(TFloatColumn, TextHeadersAndEntries) {
  auto t = tableFrom(R"(1 2 ("Layer " "depth, ") True False False "FLOATCOLUMN2" "L2" 1.5)");
  t->SetRowCount(1);
  TColumn& c = t->Column(0);
  EXPECT_EQ(c.GetText(0), "1.5");
  EXPECT_EQ(c.GetHeaderLine(0), "Layer ");
  EXPECT_EQ(c.GetHeaderLine(1), "depth,  (ft)  ");
  EXPECT_EQ(c.ColumnWidth(Metrics()), 7 * 16);
  t->SetUnitSystem(2);
  EXPECT_EQ(c.GetHeaderLine(1), "depth,  (m)  ");

  c.SetText(0, "2*pi");
  EXPECT_NEAR(c.GetFloat(0), 2 * std::numbers::pi_v<long double>, 1e-16L);
  EXPECT_EQ(c.GetText(0), "6.2831853");
  c.SetFloat(0, 1.0L / 3);
  {
    DecimalSeparatorGuard comma(',');
    EXPECT_EQ(c.GetText(0), "0,33333333");
  }
  EXPECT_THROW_MSG(c.SetText(0, "1/0"), EAssignError, "Entry must be a finite number.");
  EXPECT_THROW_MSG(c.SetText(0, ""), EAssignError, "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_EQ(c.GetFloat(0), 1.0L / 3);
  EXPECT_THROW_MSG(c.GetInteger(0), EInvalidCast, "Data of wrong type");

  auto bare = tableFrom(R"(1 2 () True False False "FLOATCOLUMN2" "" 0)");
  EXPECT_EQ(bare->Column(0).ColumnWidth(Metrics()), 48);  // no header: half an inch
}

TEST(TFloatColumn, TopDepthLinksTheLayersAboveAndBelow) {
  auto t = tableFrom(R"(2
    2 ("Top") True False True "FLOATCOLUMN2" "L2" 0
    2 ("Bottom") True False False "FLOATCOLUMN2" "L2" 0)");
  t->SetRowCount(3);
  TColumn& top = t->Column(0);
  TColumn& bottom = t->Column(1);
  RecordingEditor e(*t);
  top.SetFloat(1, 2);  // also the bottom of layer 0; the linked cell is signalled first
  EXPECT_EQ(bottom.GetFloat(0), 2.0L);
  EXPECT_EQ(e.cells, (Cells{{1, 0}, {0, 1}}));
  bottom.SetFloat(1, 5);  // also the top of layer 2
  EXPECT_EQ(top.GetFloat(2), 5.0L);
  bottom.SetFloat(2, 9);  // no layer below
  top.SetFloat(0, 0);     // no layer above
  auto values = [&] {
    std::vector<long double> v;
    for (int r = 0; r < t->RowCount(); ++r) v.insert(v.end(), {top.GetFloat(r), bottom.GetFloat(r)});
    return v;
  };
  EXPECT_EQ(values(), (std::vector<long double>{0, 2, 2, 5, 5, 9}));

  // A layer inserted at row 1 starts at the bottom of layer 0 and ends at the
  // top of the layer that follows it.
  t->insertRowGroup(1);
  EXPECT_EQ(values(), (std::vector<long double>{0, 2, 2, 2, 2, 5, 5, 9}));
  t->deleteRowGroup(1);
  EXPECT_EQ(values(), (std::vector<long double>{0, 2, 2, 5, 5, 9}));
  // Deleting a middle layer lets the layer below take its top.
  t->deleteRowGroup(1);
  EXPECT_EQ(values(), (std::vector<long double>{0, 2, 2, 9}));
}

TEST(TStringColumn, TextIsStoredAsTyped) {
  auto t = tableFrom(R"(1 4 ("Name") True False "none" 1.5)");
  t->SetRowCount(2);
  TColumn& c = t->Column(0);
  EXPECT_EQ(c.GetText(1), "none");
  c.SetText(1, "  2*3 ");
  EXPECT_EQ(c.GetText(1), "  2*3 ");
  EXPECT_THROW_MSG(c.GetFloat(1), EInvalidCast, "Data of wrong type");
  EXPECT_EQ(c.ColumnWidth(Metrics()), 144);
}

TEST(TColumn, ClonesCopyTheDefinitionButNoValues) {
  auto t = tableFrom(R"(4
    0 ("k") False False ("a" "b")
    1 ("n") True True 3 -1 9
    4 ("s") True False "dflt" 2
    2 ("x" "y") True False True "FLOATCOLUMN2" "F" 2.5)");
  t->SetRowCount(1);
  t->Column(1).SetInteger(0, 8);
  TGridTable u;
  for (int i = 0; i < t->ColumnCount(); ++i) u.AddColumn(t->Column(i).Clone(u));
  u.SetRowCount(1);
  EXPECT_EQ(u.Column(1).GetInteger(0), 3);
  EXPECT_FALSE(u.Column(0).Visible());
  EXPECT_FALSE(u.Column(1).Grouped());  // only Visible and the header lines of the common part
  TColTextWriter w;
  u.WriteColumns(w);
  EXPECT_EQ(w.text(),
            "4\n"
            "0 (\"k\") False False (\"a\" \"b\")\n"
            "1 (\"n\") True False 3 -1 9\n"
            "4 (\"s\") True False \"dflt\" 2\n"
            "2 (\"x\" \"y\") True False True \"FLOATCOLUMN2\" \"F\" 2.5\n");
}

// A row object supplied by OnInitRow.
struct Marker : TObject {
  explicit Marker(int k) : kind(k) {}
  int kind;
};

TEST(TTableColumn, RowsGetClonesOfThePrototypeOfTheirKind) {
  auto proto = tableFrom(R"(1 2 ("Amplitude") True False False "FLOATCOLUMN2" "F" 0)");
  proto->SetCaption("Load Amplitude");
  proto->SetMinRows(3);
  proto->SetRowCount(3);
  proto->Column(0).SetFloat(0, 7);
  const std::string p = std::to_string(proto->Identifier());
  auto parent = tableFrom("2\n 0 (\"Kind\") True False (\"a\" \"b\" \"c\")\n 3 (\"Data\") True False \"FLEXCOLUMN2\" (" +
                          p + " -1 " + p + ")");
  parent->SetRowCount(2);
  auto& data = dynamic_cast<TTableColumn&>(parent->Column(1));
  TColumn& kind = parent->Column(0);

  TGridTable& first = data.GetTable(0);
  EXPECT_EQ(first.Caption(), "Load Amplitude");
  EXPECT_EQ(first.RowCount(), 3);
  EXPECT_EQ(first.Column(0).GetFloat(0), 0.0L);  // definitions only, no values
  EXPECT_EQ(first.RowNumber(), 1);
  EXPECT_EQ(data.GetTable(1).RowNumber(), 2);
  EXPECT_EQ(data.buttonCaption(0), "1: Load Amplitude");

  // Kind 2 has no prototype and there is no OnInitRow: the cell is empty.
  kind.SetInteger(1, 2);
  EXPECT_EQ(data.GetObject(1), nullptr);
  EXPECT_EQ(data.buttonCaption(1), "2: ");
  EXPECT_THROW_MSG(data.GetTable(1), EInvalidCast, "Invalid class typecast");
  kind.SetInteger(1, 3);
  EXPECT_EQ(data.GetTable(1).Caption(), "Load Amplitude");

  // Inserting above renumbers the nested tables and retitles their editors.
  RecordingEditor nestedEditor(data.GetTable(1));
  parent->insertRowGroup(0);
  EXPECT_EQ(data.GetTable(2).RowNumber(), 3);
  EXPECT_EQ(nestedEditor.retitles, 1);
  parent->deleteRowGroup(0);
  EXPECT_EQ(data.GetTable(1).RowNumber(), 2);

  // Hiding the column closes the nested editors.
  data.Hide();
  EXPECT_EQ(nestedEditor.closes, 1);
  EXPECT_EQ(data.GetTable(1).editor(), nullptr);

  // Object rows come from OnInitRow and are told their row.
  std::vector<int> rowsSet;
  parent->OnInitRow = [](TGridTable&, int col, int, int k, std::unique_ptr<TObject>& obj) {
    EXPECT_EQ(col, 1);
    obj = std::make_unique<Marker>(k);
  };
  parent->OnSetRow = [&](TGridTable&, int, TObject*, int row) { rowsSet.push_back(row); };
  parent->OnGetButtonCaption = [](TGridTable&, int, int row, TObject* obj, std::string& caption) {
    caption = "object " + std::to_string(row) + " of kind " + std::to_string(static_cast<Marker*>(obj)->kind);
  };
  kind.SetInteger(0, 2);
  EXPECT_EQ(dynamic_cast<Marker*>(data.GetObject(0))->kind, 2);
  EXPECT_EQ(data.buttonCaption(0), "object 0 of kind 2");
  parent->insertRowGroup(0);
  EXPECT_EQ(rowsSet, (std::vector<int>{0, 1}));  // made in row 0, then moved to row 1
  EXPECT_THROW_MSG(data.GetTable(1), EInvalidCast, "Invalid class typecast");
}

TEST(TTableColumn, ButtonsOpenNestedEditorsModallyUnderAModalEditor) {
  auto proto = tableFrom(R"(1 2 ("x") True False False "FLOATCOLUMN2" "" 0)");
  auto parent = tableFrom("1 3 (\"t\") True False \"FLEXCOLUMN2\" (" + std::to_string(proto->Identifier()) + ")");
  parent->SetRowCount(1);
  auto& data = dynamic_cast<TTableColumn&>(parent->Column(0));
  std::vector<std::pair<TGridTable*, bool>> opened;
  setEditorLauncher([&](TGridTable& t, bool modal) { opened.push_back({&t, modal}); });
  data.pressButton(0);
  {
    RecordingEditor modalEditor(*parent, true);
    data.pressButton(0);
  }
  TGridTable hidden;  // no visible column: no editor
  hidden.Show();
  parent->Refresh();  // no editor open: nothing
  RecordingEditor open(*parent);
  RecordingEditor nested(data.GetTable(0));
  parent->Refresh();  // closes the open editor and its nested ones, then opens a new one
  EXPECT_EQ(open.closes, 1);
  EXPECT_EQ(nested.closes, 1);
  EXPECT_EQ(data.GetTable(0).editor(), nullptr);
  setEditorLauncher(nullptr);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], std::make_pair(&data.GetTable(0), false));
  EXPECT_EQ(opened[1], std::make_pair(&data.GetTable(0), true));
  EXPECT_EQ(opened[2], std::make_pair(parent.get(), false));

  // A table freed with its editor open closes the editor.
  auto doomed = tableFrom(R"(1 2 ("x") True False False "FLOATCOLUMN2" "" 0)");
  RecordingEditor e(*doomed);
  doomed.reset();
  EXPECT_EQ(e.closes, 1);
}

TEST(TTableColumn, APrototypeThatContainsItselfStopsAtOneLevel) {
  TGridTable self;
  TColTextStringReader r("1 3 (\"t\") True False \"FLEXCOLUMN2\" (" + std::to_string(self.Identifier()) + ")");
  self.ReadColumns(r);
  self.SetRowCount(2);
  EXPECT_EQ(self.Column(0).GetObject(0), nullptr);

  // Two tables that name each other: one clone level each way, then empty cells.
  TGridTable a, b;
  TColTextStringReader ra("1 3 (\"b\") True False \"FLEXCOLUMN2\" (" + std::to_string(b.Identifier()) + ")");
  TColTextStringReader rb("1 3 (\"a\") True False \"FLEXCOLUMN2\" (" + std::to_string(a.Identifier()) + ")");
  a.ReadColumns(ra);
  b.ReadColumns(rb);
  a.SetRowCount(1);
  TGridTable& inner = a.Column(0).GetTable(0);
  EXPECT_EQ(inner.RowCount(), 1);
  EXPECT_EQ(inner.Column(0).GetObject(0), nullptr);
}


// Object cells hand every table operation to the owner's events.
TEST(TTableColumn, ObjectCellsAnswerThroughTheTableEvents) {
  auto t = tableFrom(R"(1 3 ("obj") True False "FLEXCOLUMN2" (-1))");
  std::vector<std::string> calls;
  const auto log = [&](const char* what, int col, int row) {
    calls.push_back(std::string(what) + " " + std::to_string(col) + "," + std::to_string(row));
  };
  t->OnInitRow = [](TGridTable&, int, int, int kind, std::unique_ptr<TObject>& obj) {
    obj = std::make_unique<Marker>(kind);
  };
  t->OnGetChanged = [&](TGridTable&, int col, int row, TObject*, bool& changed) {
    log("changed?", col, row);
    changed = row == 1;
  };
  t->OnResetChanged = [&](TGridTable&, int col, int row, TObject*) { log("reset", col, row); };
  t->OnHide = [&](TGridTable&, int col, int row, TObject*) { log("hide", col, row); };
  t->OnSetUnits = [&](TGridTable&, int col, int row, TObject*, int system) {
    log(("units " + std::to_string(system)).c_str(), col, row);
  };
  t->OnButtonClick = [&](TGridTable&, int col, int row, TObject* obj) {
    log("click", col, row);
    EXPECT_EQ(obj, t->Column(0).GetObject(row));
  };
  t->SetRowCount(3);
  ASSERT_NE(dynamic_cast<Marker*>(t->Column(0).GetObject(2)), nullptr);

  EXPECT_TRUE(t->GetChanged());  // the second object answers changed: the third is not asked
  EXPECT_EQ(calls, (std::vector<std::string>{"changed? 0,0", "changed? 0,1"}));
  calls.clear();
  t->SetChanged(false);
  t->Column(0).Hide();
  t->SetUnitSystem(2);
  dynamic_cast<TTableColumn&>(t->Column(0)).pressButton(1);
  EXPECT_EQ(calls, (std::vector<std::string>{"reset 0,0", "reset 0,1", "reset 0,2", "hide 0,0", "hide 0,1",
                                             "hide 0,2", "units 2 0,0", "units 2 0,1", "units 2 0,2",
                                             "click 0,1"}));
  // Without handlers object cells are left alone and count as unchanged.
  t->OnGetChanged = nullptr;
  t->OnButtonClick = nullptr;
  EXPECT_FALSE(t->GetChanged());
  EXPECT_NO_THROW(dynamic_cast<TTableColumn&>(t->Column(0)).pressButton(0));
}

// A row object that cannot be made leaves the table as it was.
TEST(TTableColumn, AFailingOnInitRowLeavesEveryColumnAtRowCount) {
  auto t = tableFrom(R"(3
    2 ("x") True False False "FLOATCOLUMN2" "" 0
    3 ("obj") True False "FLEXCOLUMN2" (-1)
    2 ("y") True False False "FLOATCOLUMN2" "" 0)");
  t->SetRowCount(1);
  t->OnInitRow = [](TGridTable&, int, int row, int, std::unique_ptr<TObject>& obj) {
    if (row == 2) throw EAssignError("no object for row 3");
    obj = std::make_unique<Marker>(1);
  };
  EXPECT_THROW_MSG(t->SetRowCount(4), EAssignError, "no object for row 3");
  EXPECT_EQ(t->RowCount(), 2);  // the row that could be made stays
  for (int c = 0; c < 3; ++c) EXPECT_EQ(t->Column(c).RowCount(), 2) << c;
  EXPECT_NE(t->Column(1).GetObject(1), nullptr);
  EXPECT_THROW_MSG(t->insertRowGroup(2), EAssignError, "no object for row 3");
  EXPECT_EQ(t->RowCount(), 2);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(t->Column(c).RowCount(), 2) << c;
}

// Values that no definition should hold are refused or made harmless.
TEST(TColumn, OutOfRangeDefinitionsAreHarmless) {
  // A choice column without items takes any number; a kind below 1 names no
  // prototype, and OnInitRow is asked with the kind as it stands.
  auto t = tableFrom("2\n 0 (\"k\") True False ()\n 3 (\"t\") True False \"FLEXCOLUMN2\" (0)");
  std::vector<int> kinds;
  t->OnInitRow = [&](TGridTable&, int, int, int kind, std::unique_ptr<TObject>& obj) {
    kinds.push_back(kind);
    obj = std::make_unique<Marker>(kind);
  };
  t->SetRowCount(1);
  t->Column(0).SetInteger(0, -2147483647 - 1);
  EXPECT_EQ(kinds, (std::vector<int>{1, -2147483647 - 1}));
  EXPECT_EQ(dynamic_cast<Marker*>(t->Column(1).GetObject(0))->kind, -2147483647 - 1);

  // A width factor beyond any screen falls back to the header width.
  for (const char* factor : {"nan", "inf", "-inf", "1e30", "-3"}) {
    auto s = tableFrom(std::string(R"(1 4 ("Name") True False "" )") + factor);
    EXPECT_EQ(s->Column(0).ColumnWidth(Metrics()), 7 * 6) << factor;
  }

  // A unit code that a unit switch could not convert is refused when set.
  auto f = tableFrom(R"(1 2 ("x") True False False "FLOATCOLUMN2" "L2" 0)");
  auto& column = dynamic_cast<TFloatColumn&>(f->Column(0));
  EXPECT_THROW_MSG(column.SetUnits("F/L2^x"), EConvertError, "'x' is not a valid integer value");
  EXPECT_EQ(column.Units(), "L2");
  column.SetUnits("F/L2^3");
  EXPECT_EQ(column.Units(), "F/L2^3");
}

}  // namespace
}  // namespace zrv::comp
