// Reading a project file into an image of a project: plain data, which
// replaces the open project only when the whole file was read, so that a
// file that cannot be read leaves the open project as it was.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <array>
#include <optional>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "project/ProjectSections.h"
#include "project/ProjectText.h"
#include "project/TProgramData.h"
#include "wordreader/wordreader.h"

namespace zrv::front {

namespace {

constexpr Extended kDeckToHertz = 6.28L;
const char* const kIncomplete = "This file either invalid or incomplete.";

std::string trim(std::string_view s) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

/// The text from 1-based position `pos` on.
std::string from(const std::string& s, std::size_t pos) { return pos - 1 < s.size() ? s.substr(pos - 1) : ""; }

bool startsWith(const std::string& s, std::string_view prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

/// The length in bytes of the first `most` characters of UTF-8 text, never
/// ending inside a letter; a byte that begins no letter counts as one.
std::size_t utf8Prefix(const std::string& text, std::size_t most) {
  std::size_t at = 0;
  for (std::size_t n = 0; n < most && at < text.size(); ++n) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t next = at + 1;
    while (next < at + length && next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
      ++next;
    at = next;
  }
  return at;
}

/// At most 80 characters of a line, for a message: a file whose line ends
/// were not understood can make its first line the whole file. Control
/// characters (line and paragraph separators among them) show as blanks, so
/// that the message stays one line.
std::string excerpt(const std::string& text) {
  constexpr std::size_t kMost = 80;
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (c < 0x20 || c == 0x7F) {
      shown += ' ';
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080 to U+009F
      shown += ' ';
      ++i;
    } else if (c == 0xE2 && next == 0x80 && i + 2 < text.size() &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {  // U+2028, U+2029
      shown += ' ';
      i += 2;
    } else {
      shown += text[i];
    }
  }
  shown = trim(shown);
  const std::size_t cut = utf8Prefix(shown, kMost);
  return cut == shown.size() ? shown : shown.substr(0, cut) + "...";
}

/// Tabs separate like blanks: a number cut from a line may be followed by one.
std::string untabbed(std::string text) {
  std::replace(text.begin(), text.end(), '\t', ' ');
  return text;
}

}  // namespace

namespace deck {

/// The word reader with the file's structure errors turned into one kind.
class DeckReader {
public:
  explicit DeckReader(const std::string& path) : m_words(path) {}

  std::string line() {
    if (m_pending) {
      m_lastLine = m_pendingLine;
      std::string text = std::move(*m_pending);
      m_pending.reset();
      return text;
    }
    m_lastLine = m_words.LineIndex() + 1;
    if (m_words.Eof()) throw comp::EInOutError(kIncomplete);
    return m_words.ReadLine();
  }
  /// The next line, which line() then returns: an optional record looked at
  /// before it is taken. Only whole lines may be read after it.
  const std::string& peek() {
    if (!m_pending) {
      std::string text = line();
      m_pendingLine = m_lastLine;
      m_pending = std::move(text);
    }
    return *m_pending;
  }
  /// Ends a line of values and moves to the next line. A value left on it
  /// would be lost on the next save, so such a line is refused.
  void endLine() {
    if (m_pending) throw comp::Exception("A line was dropped after a peeked line");
    const int taken = m_words.WordIndex(), words = wordCount();
    if (taken < words)
      throw comp::EInOutError("Error on Line " + std::to_string(wordLine()) + "\r" + std::to_string(taken) +
                              (taken == 1 ? " value was" : " values were") + " expected on the line, not " +
                              std::to_string(words) + ".");
    line();
  }
  /// The next word as the number of a row, which must be its place `row`:
  /// the rows are numbered anew on saving.
  void rowNumber(int row) {
    const int n = integer();
    if (n != row) wrongRow(row, std::to_string(n), wordLine());
  }
  [[noreturn]] static void wrongRow(int row, const std::string& found, int line) {
    throw comp::EInOutError("Error on Line " + std::to_string(line) + "\rThe row number " + std::to_string(row) +
                            " was expected, not " + excerpt(found) + ".");
  }
  /// The next word as a count of rows, at least 1 (the tables keep one row).
  int countWord(const char* what) {
    const int n = integer();
    if (n < 1) badCount(what, n, wordLine(), 1);
    return n;
  }
  [[noreturn]] static void badCount(const char* what, int n, int line, int least) {
    throw comp::EInOutError("Error on Line " + std::to_string(line) + "\rThe number of " + what + " is " +
                            std::to_string(n) + "; it must be at least " + std::to_string(least) + ".");
  }
  /// The next line that holds words, which must be `count` numbers; `what`
  /// says what the line should hold. At the end of the file the line that is
  /// missing is named. Lines are taken whole: only whole lines may come before.
  std::vector<Extended> numbers(std::size_t count, const std::string& what) {
    std::vector<Extended> values;
    for (const std::string& w : words(count, what)) values.push_back(toReal(w));
    return values;
  }
  /// The next line that holds words, which must be `count` words.
  std::vector<std::string> words(std::size_t count, const std::string& what) {
    std::string text;
    std::vector<std::string> found;
    while (found.empty()) {
      if (m_words.Eof())
        throw comp::EInOutError("Error on Line " + std::to_string(m_words.LineCount() + 1) + "\r" + what +
                                " was expected, not the end of the file.");
      text = line();
      found = comp::SplitWords(text).words;
    }
    if (found.size() != count) refuse(what, text);
    return found;
  }
  /// Refuses any line with words after the last line taken.
  void expectEnd() {
    while (!m_words.Eof()) {
      const std::string text = line();
      if (!comp::SplitWords(text).words.empty()) refuse("The end of the file", text);
    }
  }
  Extended real() {
    return guarded([&] { return m_words.ReadFloat(); });
  }
  int integer() {
    return guarded([&] { return m_words.ReadInteger(); });
  }
  int wordCount() {
    return guarded([&] { return m_words.WordCount(); });
  }

  /// The next line, which must be `keyword` (blanks around it aside).
  void keyword(const char* word) {
    const std::string text = line();
    if (trim(text) != word) refuse(std::string("\"") + word + "\"", text);
  }
  /// The next line, trimmed; it must begin with `key` ("GRAVITY="). Returns
  /// what follows the key.
  std::string valueOf(const char* key, const std::string& expected) {
    const std::string text = trim(line());
    if (!startsWith(text, key)) refuse(expected, text);
    return text.substr(std::char_traits<char>::length(key));
  }
  /// Refuses the file at the last line taken whole: `expected` says what
  /// should have stood there.
  [[noreturn]] void refuse(const std::string& expected, const std::string& found) const {
    throw comp::EInOutError("Error on Line " + std::to_string(m_lastLine) + "\r" + expected +
                            " was expected, not \"" + excerpt(found) + "\".");
  }
  /// The next word as a load choice: 1 to 6.
  int choice() {
    const int c = integer();
    if (c < 1 || c > 6)
      throw comp::EInOutError("Error on Line " + std::to_string(wordLine()) +
                              "\rA load choice from 1 to 6 was expected, not " + std::to_string(c) + ".");
    return c;
  }
  /// The 1-based line of the last word read.
  int wordLine() const { return m_words.LineIndex() + 1; }
  /// The 1-based line last taken whole.
  int lastLine() const { return m_lastLine; }
  /// True when no word is left in the file.
  bool ended() const {
    comp::TWordReader probe = m_words;
    try {
      probe.NextWord();
      return false;
    } catch (const comp::Exception&) {
      return true;
    }
  }

  /// A piece cut from the last line taken whole, as a real.
  Extended toReal(const std::string& text) const {
    const auto v = comp::parse_number(untabbed(text), '.');
    if (!v || !std::isfinite(*v)) throw badNumber(text);
    return *v;
  }
  /// A row count cut from the last line taken whole. The tables keep at
  /// least one row, so a count below 1 would come back as a row the file
  /// does not hold: such a file is refused, naming its line.
  int toCount(const std::string& text, const char* what) const {
    const int n = toInteger(text);
    if (n < 1) badCount(what, n, m_lastLine, 1);
    return n;
  }
  int toInteger(const std::string& text) const {
    const auto v = comp::parse_number(untabbed(text), '.');
    std::optional<std::int32_t> i;
    if (v && *v == std::trunc(*v)) i = comp::trunc_to_int32(*v);
    if (!i) throw badNumber(text);
    return *i;
  }

private:
  template <class F>
  auto guarded(F f) -> decltype(f()) {
    // A word after a peeked line would come from the line after it.
    if (m_pending) throw comp::Exception("A word was read after a peeked line");
    try {
      return f();
    } catch (const comp::EListError&) {
      throw comp::EInOutError(kIncomplete);
    }
  }
  comp::EConvertError badNumber(const std::string& text) const {
    return comp::EConvertError("Error on Line " + std::to_string(m_lastLine) + "\r'" + excerpt(text) +
                               "' is not a valid number.");
  }

  comp::TWordReader m_words;
  int m_lastLine = 0;
  std::optional<std::string> m_pending;
  int m_pendingLine = 0;
};

}  // namespace deck

namespace {

using deck::DeckReader;

/// The staged contents of the thirteen tables.
class StagedTables {
public:
  explicit StagedTables(const TProjectTables& tables) : m_tables(tables) {
    for (int i = 0; i < TProjectTables::kCount; ++i) m_images[static_cast<std::size_t>(i)].unitSystem = 2;
  }
  TTableImage& image(const TGridTable& table) { return m_images[index(table)]; }
  /// Appends a row of default values and returns it.
  std::vector<Extended>& addRow(const TGridTable& table) {
    std::vector<Extended> row;
    for (int c = 0; c < table.ColumnCount(); ++c) {
      const comp::TColumn& column = table.Column(c);
      if (dynamic_cast<const comp::TEnumColumn*>(&column))
        row.push_back(1);
      else if (const auto* f = dynamic_cast<const comp::TFloatColumn*>(&column))
        row.push_back(f->Default());
      else
        row.push_back(0);
    }
    auto& cells = image(table).cells;
    cells.push_back(std::move(row));
    return cells.back();
  }
  void setUnitSystem(int system) {
    for (auto& i : m_images) i.unitSystem = system;
  }
  const std::array<TTableImage, TProjectTables::kCount>& images() const { return m_images; }

private:
  std::size_t index(const TGridTable& table) const {
    for (int i = 0; i < TProjectTables::kCount; ++i)
      if (&m_tables.at(i) == &table) return static_cast<std::size_t>(i);
    throw comp::Exception("Not a project table");
  }
  const TProjectTables& m_tables;
  std::array<TTableImage, TProjectTables::kCount> m_images;
};

}  // namespace

namespace deck {

/// What was read so far: the scalar data, the table contents, and the
/// element count that the foundation block gives to the sections after it.
struct Staged {
  TProjectFields f;
  StagedTables tables;
  const TProjectTables& shapes;  // the live tables, for their columns only
  int elementRows = 0;
  // The centre of the base that a harmonic load point about it carries.
  std::optional<std::array<Extended, 3>> loadPointBase;
};

}  // namespace deck

namespace {

using deck::Staged;

/// The three weak-zone values that follow a soil row's own in its weak
/// form: the writer derives them from the row (the zone's Poisson's ratio is
/// the soil's, its damping twice the soil's, and its thickness is `zone`
/// unless the modulus ratio is above `noZoneAbove`), so a file must hold
/// just those; other values would be lost on the next save.
struct WeakForm {
  std::size_t poisson, damping, ratio;
  Extended noZoneAbove, zone;
};
constexpr WeakForm kWeakSide{3, 4, 5, 0.999999L, 0.1L};          // D1, pilecapsoil
constexpr WeakForm kWeakPileSoil{2, 3, 4, 0.999999L, 1};         // D of a pile group
constexpr WeakForm kWeakMultilayerSoil{2, 3, 4, 0.99999L, 1};    // D of a multilayer system

/// The three values that follow a soil row's own in its weak form.
void checkWeakForm(DeckReader& in, const std::vector<Extended>& row, const WeakForm& weak) {
  const Extended expected[3] = {row[weak.poisson], 2 * row[weak.damping],
                                row[weak.ratio] > weak.noZoneAbove ? 0 : weak.zone};
  // The file holds 8 digits: twice a rounded damping may differ from the
  // rounded double in the last of them.
  std::string found, wanted;
  bool same = true;
  for (const Extended e : expected) {
    const Extended v = in.real();
    same = same && std::fabs(v - e) <= 2e-7L * std::fabs(e);
    found += (found.empty() ? "" : " ") + formatReal(v);
    wanted += (wanted.empty() ? "" : " ") + formatReal(e);
  }
  if (!same)
    throw comp::EInOutError("Error on Line " + std::to_string(in.wordLine()) + "\rThe weak zone values " +
                            wanted + " were expected, not " + excerpt(found) + ".");
}

/// Reads rows of `table`, each a line of its own: the row number (counted
/// from `firstRow`), then `columns` reals into columns 0.., then for a weak
/// form its three derived values.
void readRows(DeckReader& in, StagedTables& st, const TGridTable& table, int rows, int columns,
              const WeakForm* weak = nullptr, int firstRow = 1) {
  for (int r = 0; r < rows; ++r) {
    in.rowNumber(firstRow + r);
    auto& row = st.addRow(table);
    for (int c = 0; c < columns; ++c) row[static_cast<std::size_t>(c)] = in.real();
    if (weak) checkWeakForm(in, row, *weak);
    in.endLine();
  }
}

/// Nested amplitude rows of a load table: the choice, (the spectrum's second
/// coordinate, which must be the same), then `points` reals, each on a line
/// of its own.
void readLoads(DeckReader& in, StagedTables& st, const TGridTable& table, int rows, int points, bool choiceTwice) {
  auto& image = st.image(table);
  for (int r = 0; r < rows; ++r) {
    const int choice = in.choice();
    // A spectrum of two different coordinates cannot be held: refused.
    if (choiceTwice && in.choice() != choice)
      throw comp::EInOutError("Error on Line " + std::to_string(in.wordLine()) +
                              "\rThe same spectrum coordinate twice was expected.");
    in.endLine();
    st.addRow(table)[0] = choice;
    std::vector<Extended> values;
    for (int i = 0; i < points; ++i) {
      values.push_back(in.real());
      in.endLine();
    }
    image.nested.push_back(std::move(values));
  }
}

/// The count of a "CONSTANTS=" line (up to a comma, if any), after an
/// optional "WEAK" line; true when that was there. The soil tables keep at
/// least one row, so a count below 1 is refused.
bool readSoilCount(DeckReader& in, int& count) {
  std::string line = trim(in.line());
  const bool weak = line == "WEAK";
  if (weak) line = trim(in.line());
  if (!startsWith(line, "CONSTANTS=")) in.refuse("\"CONSTANTS=\" and the number of soil layers", line);
  const std::string text = from(line, 11);
  count = in.toCount(trim(text.substr(0, text.find(','))), "soil layers");
  return weak;
}

}  // namespace

namespace deck {

void readHeader(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  std::string line = in.line();
  if (!startsWith(line, "TITLE=")) in.refuse("\"TITLE=\" and the title", line);
  // The title is one line of at most 248 letters; a carriage return in it
  // would be written as a blank.
  f.ProjectTitle = from(line, 7);
  if (f.ProjectTitle.find('\r') != std::string::npos) in.refuse("A title without carriage returns", line);
  f.ProjectTitle.resize(utf8Prefix(f.ProjectTitle, 248));
  line = in.line();
  f.GenerateMatrix = trim(line) == "MATRIX" ? 1 : 0;
  if (f.GenerateMatrix) line = in.line();
  // The engine takes the constant itself and chooses its units by it; the
  // writer writes one of two lines, so only those two are read.
  const char* const kGravity = "\"GRAVITY=32.2\" or \"GRAVITY=9.8\"";
  line = trim(line);
  if (!startsWith(line, "GRAVITY=")) in.refuse(kGravity, line);
  const auto gravity = static_cast<float>(in.toReal(from(line, 9)));
  if (gravity != 32.2f && gravity != 9.8f) in.refuse(kGravity, line);
  f.UnitSystem = gravity == 32.2f ? 1 : 2;
  s.tables.setUnitSystem(f.UnitSystem);
  const char* const kFoundation = "\"FOUNDATION=\" and HALF-SPACE, PILE, STRATUM or MULTILAYER";
  f.FoundationType = in.valueOf("FOUNDATION=", kFoundation);
  const unsigned type = foundationBit(f.FoundationType);
  if (type == 0) in.refuse(kFoundation, "FOUNDATION=" + f.FoundationType);
  f.FoundationCode = type == kHalfSpace ? 1 : type == kPile ? 2 : type == kStratum ? 3 : 4;
  line = trim(in.line());
  if (startsWith(line, "CIRCULAR=")) {
    f.Radius = in.toReal(from(line, 10));
    f.CircularShape = 1;
  } else if (startsWith(line, "RECTANGULAR=")) {
    f.CircularShape = 0;
    const std::string dims = from(line, 13);
    const auto comma = dims.find(',');
    if (comma == std::string::npos) in.toReal(dims + ",");  // fails with the whole text
    f.LengthX = in.toReal(dims.substr(0, comma));
    f.WidthY = in.toReal(dims.substr(comma + 1));
    f.WidthCopy = f.WidthY;
  } else {
    in.refuse("\"CIRCULAR=\" or \"RECTANGULAR=\" and the dimensions", line);
  }
  in.keyword("MASS");
  for (Extended& m : f.MassProperties) m = in.real();
  in.endLine();
}

void readPiles(DeckReader& in, Staged& s) {
  s.elementRows =
      in.toCount(in.valueOf("LAYERS=", "\"LAYERS=\" and the number of pile elements"), "pile elements");
  const std::string line = trim(in.line());
  s.f.PileHeadFixed = startsWith(line, "FIXED=") ? 1 : 0;
  if (!s.f.PileHeadFixed && !startsWith(line, "PINNED="))
    in.refuse("\"FIXED=\" or \"PINNED=\" and the number of piles", line);
  const int piles = in.toCount(from(line, s.f.PileHeadFixed ? 7 : 8), "piles");
  for (int r = 0; r < piles; ++r) {
    in.rowNumber(r + 1);
    auto& row = s.tables.addRow(s.shapes.Pilecoord());
    row[0] = in.real();
    row[1] = in.real();
    in.endLine();
  }
}

void readLayerCount(DeckReader& in, Staged& s) {
  s.elementRows = in.toCount(in.valueOf("LAYER=", "\"LAYER=\" and the number of foundation layers"),
                             "foundation layers");
}

void readConstants(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  in.keyword("CONSTANTS");
  const unsigned type = foundationBit(f.FoundationType);
  if (type == kPile || type == kMultilayer) {
    for (Extended* v : {&f.BaseX, &f.BaseY, &f.BaseZ, &f.PileLength, &f.PileUnitWeight}) *v = in.real();
    in.endLine();
    for (Extended* v : {&f.StaticLoad, &f.PilePoisson, &f.PileDamping, &f.ShearRigidityCoef, &f.PileModulus})
      *v = in.real();
  } else {
    for (Extended* v : {&f.BaseX, &f.BaseY, &f.BaseZ}) *v = in.real();
    if (type == kStratum)
      for (Extended* v : {&f.BaseDepth, &f.BedrockDepth}) *v = in.real();
  }
  in.endLine();
}

void readElements(DeckReader& in, Staged& s) {
  in.keyword("ELEMENT");
  const TGridTable& elements = s.f.FoundationType == "PILE" ? s.shapes.PileData() : s.shapes.MultiElement();
  for (int r = 0; r < s.elementRows; ++r) {
    in.rowNumber(r + 1);
    auto& row = s.tables.addRow(elements);
    for (int c = 0; c < 7; ++c) row[static_cast<std::size_t>(c)] = in.real();
    in.endLine();
  }
}

void readPileTips(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  const std::string line = trim(in.line());
  if (line != "FLOATING" && line != "END-BEARING") in.refuse("\"FLOATING\" or \"END-BEARING\"", line);
  f.EndBearing = line == "END-BEARING" ? 1 : 0;
  if (trim(in.peek()) == "BATTERED") {
    in.line();
    f.Battered = 1;
    int pile = 0;
    for (auto& row : s.tables.image(s.shapes.Pilecoord()).cells) {
      // The pile number and the plane, then the angle on a line of its own.
      const std::string text = in.line();
      const auto words = comp::SplitWords(text).words;
      ++pile;
      if (!words.empty() && std::to_string(pile) != words[0]) DeckReader::wrongRow(pile, words[0], in.lastLine());
      const std::string plane = words.size() == 2 ? words[1] : "";
      if (plane == "XZ")
        row[3] = 1;
      else if (plane == "YZ")
        row[3] = 2;
      else
        in.refuse("The pile number and the batter plane XZ or YZ", text);
      row[2] = in.toReal(in.line());
    }
  }
  f.PileInteraction = trim(in.peek()) == "INTERACTION" ? 1 : 0;
  if (f.PileInteraction) in.line();
}

void readStratumSoil(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  in.keyword("SOIL");
  in.keyword("CONSTANTS");
  for (Extended* v : {&f.TipShearWaveVelocity, &f.TipUnitWeight, &f.TipPoisson, &f.TipDamping}) *v = in.real();
  in.endLine();
}

void readMultilayerSoil(DeckReader& in, Staged& s) {
  in.keyword("SOIL");
  int soilRows = 0;
  // "WEAK" is written with side soil rows, which are always in the weak form.
  if (!readSoilCount(in, soilRows))
    in.refuse("\"WEAK\" before the side soil layers", "CONSTANTS=" + std::to_string(soilRows));
  readRows(in, s.tables, s.shapes.D(), soilRows, 5, &kWeakMultilayerSoil);
  // Both counts are any 32-bit integers the file holds: their difference
  // is taken wide, and a count past what a file can hold ends at its end.
  const long long below = static_cast<long long>(s.elementRows) - soilRows;
  if (below > 0) {
    // The soil column's rows are numbered on from the side soil's.
    readRows(in, s.tables, s.shapes.Multisoil(), static_cast<int>(std::min<long long>(below, INT32_MAX)), 6,
             nullptr, soilRows + 1);
  }
}

void readHalfSpaceSoil(DeckReader& in, Staged& s) {
  in.keyword("SOIL");
  int rows = 0;
  const bool weak = readSoilCount(in, rows);
  s.f.WeakZone = weak ? 1 : 0;
  readRows(in, s.tables, s.shapes.D1(), rows, weak ? 6 : 5, weak ? &kWeakSide : nullptr);
}

void readPileSoil(DeckReader& in, Staged& s) {
  in.keyword("SOIL");
  in.keyword("WEAK");
  in.keyword("CONSTANTS");
  // One soil layer per pile element: the file carries no count of its own.
  readRows(in, s.tables, s.shapes.D(), s.elementRows, 5, &kWeakPileSoil);
}

void readSoilBelow(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  const char* const kBelow = "\"BELOW=\" and the four values of the soil below";
  const std::string values = in.valueOf("BELOW=", kBelow);
  const std::vector<std::string> pieces = comp::SplitWords(values).words;
  if (pieces.size() != 4) in.refuse(kBelow, "BELOW=" + values);
  f.TipShearWaveVelocity = in.toReal(pieces[0]);
  f.TipUnitWeight = in.toReal(pieces[1]);
  f.TipPoisson = in.toReal(pieces[2]);
  f.TipDamping = in.toReal(pieces[3]);
}

void readSideCap(DeckReader& in, Staged& s) {
  const std::string line = trim(in.peek());
  if (line != "SIDE-CAP" && line != "EMBEDDED") return;  // no side soil: the LOAD line follows
  in.line();
  const bool weakened = line == "SIDE-CAP";
  if (weakened) in.keyword("EMBEDDED");
  s.f.SideCapWeakened = weakened ? 1 : 0;
  const int rows = in.countWord("side soil layers");
  in.endLine();
  readRows(in, s.tables, s.shapes.pilecapsoil(), rows, weakened ? 6 : 5, weakened ? &kWeakSide : nullptr);
  // Plain side soil whose last layer has no shear-wave velocity is not
  // written: the rows would be lost on saving.
  if (!weakened && s.tables.image(s.shapes.pilecapsoil()).cells.back()[1] <= 0.00001L)
    throw comp::EInOutError("Error on Line " + std::to_string(in.lastLine()) +
                            "\rA shear-wave velocity above 0.00001 in the last side soil layer was expected.");
}

/// The harmonic load after its CONSTANTS line.
static void readHarmonic(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  const std::string line = trim(in.line());
  if (line != "QUADRATIC" && line != "NONQUADRATIC") in.refuse("\"QUADRATIC\" or \"NONQUADRATIC\"", line);
  f.QuadraticLoad = line == "QUADRATIC" ? 1 : 0;
  for (Extended* v : {&f.MaxFrequency, &f.MinFrequency, &f.FrequencyStep}) *v = in.real() / kDeckToHertz;
  in.endLine();
  for (Extended* v : {&f.ForceX, &f.ForceY, &f.ForceZ}) *v = in.real();
  in.endLine();
  for (Extended* v : {&f.MomentX, &f.MomentY, &f.MomentZ}) *v = in.real();
  in.endLine();
  // The load point and its reference; a point about the centre of the base
  // (reference 1) carries that centre on its line, which the tail gives again.
  const int words = in.wordCount();
  const auto refuseLoadPoint = [&] {
    throw comp::EInOutError("Error on Line " + std::to_string(in.wordLine()) +
                            "\rThe load point, its reference and, for reference 1, the centre of the base were "
                            "expected.");
  };
  if (words != 4 && words != 7) refuseLoadPoint();
  for (Extended* v : {&f.LoadPointX, &f.LoadPointY, &f.LoadPointZ}) *v = in.real();
  f.LoadPointReference = in.integer();
  if (f.LoadPointReference == 1) {
    if (words != 7) refuseLoadPoint();
    for (Extended* v : {&f.CBLocalX, &f.CBLocalY, &f.CBLocalZ}) *v = in.real();
    s.loadPointBase = std::array{f.CBLocalX, f.CBLocalY, f.CBLocalZ};
  }
  in.endLine();
}

void readLoad(DeckReader& in, Staged& s) {
  TProjectFields& f = s.f;
  in.keyword("LOAD");
  f.LoadingText = in.line();
  const std::string kind = trim(f.LoadingText);
  if (kind != "HARMONIC" && kind != "TRANSIENT" && kind != "RANDOM")
    in.refuse("\"HARMONIC\", \"TRANSIENT\" or \"RANDOM\"", kind);
  in.keyword("CONSTANTS");
  f.LoadType = 1;
  if (kind == "TRANSIENT") {
    f.LoadType = 2;
    f.PointCount = in.countWord("points");
    in.endLine();
    f.TimeStep = in.real();
    in.endLine();
    f.LoadTypeCount = in.countWord("loads");
    in.endLine();
    readLoads(in, s.tables, s.shapes.TLoadtype(), f.LoadTypeCount, f.PointCount, false);
  } else if (kind == "RANDOM") {
    f.LoadType = 3;
    f.RandomMaxFrequency = in.real() / kDeckToHertz;
    in.endLine();
    f.RandomMinFrequency = in.real() / kDeckToHertz;
    in.endLine();
    f.PointCount = in.countWord("points");
    in.endLine();
    f.ObservationPeriod = in.real();
    in.endLine();
    f.LoadTypeCount = in.countWord("spectra");
    in.endLine();
    readLoads(in, s.tables, s.shapes.Trandom(), f.LoadTypeCount, f.PointCount, true);
  } else {
    readHarmonic(in, s);
  }
  in.keyword("RUN");
}

void readTail(DeckReader& in, Staged& s) {
  // The mass components, then the reference points, which the writer writes
  // also without components (the centre of the base is the harmonic load's
  // reference point). A file may end right after "RUN", or after a count of
  // no components; any other tail must be the lines that a save writes.
  TProjectFields& f = s.f;
  if (in.ended()) return;
  const int count = in.toInteger(in.words(1, "The number of mass components alone on its line")[0]);
  if (count < 0) DeckReader::badCount("mass components", count, in.lastLine(), 0);
  f.MassComponentCount = count;
  for (int r = 0; r < count; ++r) {
    const auto values = in.numbers(7, "A mass component of seven values");
    // Components whose first has no mass are not written.
    if (r == 0 && values[0] < 1e-8L)
      throw comp::EInOutError("Error on Line " + std::to_string(in.lastLine()) +
                              "\rA mass of at least 1E-8 in the first mass component was expected.");
    s.tables.addRow(s.shapes.MassCal()) = values;
  }
  if (count == 0 && in.ended()) return;
  const auto point = [&](Extended& x, Extended& y, Extended& z, const char* what) {
    const auto xyz = in.numbers(3, std::string("A line of the three coordinates of ") + what);
    x = xyz[0];
    y = xyz[1];
    z = xyz[2];
  };
  point(f.CGLocalX, f.CGLocalY, f.CGLocalZ, "the centre of gravity");
  point(f.CBLocalX, f.CBLocalY, f.CBLocalZ, "the centre of the base");
  // One centre of the base is written on both lines: two cannot be kept.
  if (s.loadPointBase && *s.loadPointBase != std::array{f.CBLocalX, f.CBLocalY, f.CBLocalZ})
    throw comp::EInOutError("Error on Line " + std::to_string(in.lastLine()) +
                            "\rThe centre of the base given with the load point was expected.");
  point(f.CBGlobalX, f.CBGlobalY, f.CBGlobalZ, "the centre of the base in global coordinates");
  in.expectEnd();
}

}  // namespace deck

TProjectImage TProgramData::ReadFile(const std::string& path, const TProjectTables& tables) {
  Staged staged{newProjectFields(), StagedTables(tables), tables, 0, std::nullopt};
  DeckReader in(path);
  for (const deck::Section& section : deck::kSections)
    if (section.foundations & deck::foundationBit(staged.f.FoundationType)) section.read(in, staged);
  TProjectImage image{staged.f, staged.tables.images()};
  image.fields.FileName = path;
  return image;
}

}  // namespace zrv::front
