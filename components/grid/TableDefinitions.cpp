#include "grid/TableDefinitions.h"

#include <set>

#include "grid/ColText.h"

namespace zrv::comp {

namespace {

void readProperty(TGridTable& table, const std::string& name, TTextTokens& tokens,
                  const TTextTokens::Token& at) {
  TColTextReader values(tokens);
  if (name == "Comments") {
    table.SetComments(values.readString());
  } else if (name == "Identifier") {
    table.SetIdentifier(values.readInteger());
  } else if (name == "Caption") {
    table.SetCaption(values.readString());
  } else if (name == "MaxRows") {
    table.SetMaxRows(values.readInteger());
  } else if (name == "MinRows") {
    table.SetMinRows(values.readInteger());
  } else if (name == "HardwiredButton") {
    table.SetHardwiredButton(values.readBoolean());
  } else if (name == "RowGroup") {
    table.SetRowGroup(values.readInteger());
  } else if (name == "TopLeft") {
    table.SetTopLeft(values.readString());
  } else if (name == "Col") {
    tokens.expectPunct('{');
    table.ReadColumns(values);
    tokens.expectPunct('}');
  } else {
    tokens.fail(at, "a property name");
  }
}

std::unique_ptr<TGridTable> readTable(TTextTokens& tokens, const std::string& name) {
  auto table = std::make_unique<TGridTable>();
  table->SetName(name);
  table->setReading(true);
  for (;;) {
    const auto t = tokens.next();
    if (t.kind == TTextTokens::Kind::word && t.text == "end") break;
    if (t.kind != TTextTokens::Kind::word) tokens.fail(t, "a property name or \"end\"");
    tokens.expectPunct('=');
    readProperty(*table, t.text, tokens, t);
  }
  table->setReading(false);
  return table;
}

}  // namespace

std::vector<std::unique_ptr<TGridTable>> readTableDefinitions(std::string_view text) {
  TTextTokens tokens(text);
  std::vector<std::unique_ptr<TGridTable>> tables;
  std::set<std::string> names;
  for (;;) {
    const auto t = tokens.next();
    if (t.kind == TTextTokens::Kind::end) break;
    if (t.kind != TTextTokens::Kind::word || t.text != "table") tokens.fail(t, "\"table\"");
    const auto name = tokens.next();
    if (name.kind != TTextTokens::Kind::word) tokens.fail(name, "a table name");
    if (!names.insert(name.text).second) throw EReadError("Line " + std::to_string(name.line) + ": table " + name.text + " defined twice");
    try {
      tables.push_back(readTable(tokens, name.text));
    } catch (const Exception& e) {
      throw EReadError("Table " + name.text + ": " + e.what());
    }
  }
  return tables;
}

std::string writeTableDefinitions(const std::vector<const TGridTable*>& tables) {
  std::string out;
  for (const TGridTable* t : tables) {
    if (!out.empty()) out += '\n';
    out += "table " + t->Name() + '\n';
    if (!t->Comments().empty()) out += "  Comments = " + quoteText(t->Comments()) + '\n';
    out += "  Identifier = " + std::to_string(t->Identifier()) + '\n';
    if (!t->Caption().empty()) out += "  Caption = " + quoteText(t->Caption()) + '\n';
    if (t->MaxRows() != 0) out += "  MaxRows = " + std::to_string(t->MaxRows()) + '\n';
    if (t->MinRows() != 1) out += "  MinRows = " + std::to_string(t->MinRows()) + '\n';
    if (t->HardwiredButton()) out += "  HardwiredButton = True\n";
    if (t->RowGroup() != 1) out += "  RowGroup = " + std::to_string(t->RowGroup()) + '\n';
    if (!t->TopLeft().empty()) out += "  TopLeft = " + quoteText(t->TopLeft()) + '\n';
    TColTextWriter col("    ");
    t->WriteColumns(col);
    out += "  Col = {\n" + col.text() + "  }\nend\n";
  }
  return out;
}

}  // namespace zrv::comp
