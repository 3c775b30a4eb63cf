#pragma once
// The engine's formatted input and output: numbered sequential text units,
// format lists in the field-descriptor notation of the report layouts, the
// 20-column real read of the deck and list-directed reads. Locale-independent
// throughout; standard C++ only.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zrv::fio {

// One value edited by a format list: an integer (I fields), a real (F and E
// fields) or a text (A fields). Engine reals are float; they widen exactly.
using Item = std::variant<long, double, std::string_view>;

// Builds an Item from any of the engine's scalar types.
inline Item item(int v) { return Item(std::in_place_type<long>, v); }
inline Item item(long v) { return Item(std::in_place_type<long>, v); }
inline Item item(float v) { return Item(std::in_place_type<double>, v); }
inline Item item(double v) { return Item(std::in_place_type<double>, v); }
inline Item item(std::string_view v) { return Item(std::in_place_type<std::string_view>, v); }
inline Item item(const std::string& v) { return item(std::string_view(v)); }
inline Item item(const char* v) { return item(std::string_view(v)); }

// Edits `items` with the format list `fmt` and returns the records it makes.
// The list is written as in the report layouts, with or without its outer
// parentheses: "(/,/,1X,'KXX ..',1P,E13.5,1X,A5)". Supported: 'text' (''
// stands for one quote), /, nX, A, Aw, Iw, Fw.d, Ew.d, kP (in force for the
// rest of the list, E fields only), n(...), n('c'). When items remain at the
// end of the list the list starts again from its last top-level group, with a
// new record, as sequential formatted output does. A number too wide for its
// field is written in the fewest columns that hold it instead (the single-field
// editors below fill the field with asterisks). The blanks of nX appear only
// when something follows them in the same record. A list that is malformed, or
// an item of the wrong kind for its field, throws std::invalid_argument (a
// programming error, never a data error).
std::vector<std::string> format(std::string_view fmt, std::span<const Item> items);

inline std::vector<std::string> format(std::string_view fmt, const std::vector<Item>& items) {
  return format(fmt, std::span<const Item>(items.data(), items.size()));
}

template <class... A>
std::vector<std::string> format(std::string_view fmt, const A&... a) {
  const std::array<Item, sizeof...(A)> items{item(a)...};
  return format(fmt, std::span<const Item>(items.data(), items.size()));
}

// Single fields, as the format interpreter writes them.
std::string edit_i(long v, int w);
std::string edit_f(double v, int w, int d);
std::string edit_e(double v, int w, int d, int scale = 0);
std::string edit_a(std::string_view text, int w);  // w < 0: the whole text

// Reads a real from the first 20 columns of `record` as a F20.0 field with
// blanks ignored: all blanks give 0, a number without a point is whole, an
// exponent may be written with E, e, D or d (or as a signed number after the
// mantissa). Returns false when the columns hold no number, or one too large
// for a float; `value` is then 0. Columns after a comma are not read.
bool read_real20(std::string_view record, float& value);

// List-directed read of reals: values separated by blanks, commas or line
// ends; r*v stands for r values v; a slash ends the read. Returns how many of
// `out` were filled before the end of `text`, a slash or the first item that
// is not a number. A null value (nothing between two commas, or r*) counts as
// filled and leaves its element as it was.
std::size_t read_list(std::string_view text, std::span<float> out);

enum class Status { ok, end, error };

// A sequential formatted text file addressed by a unit number. The records of
// the file are held in memory while the unit is open and written out when it
// is closed; a record written after a read or a rewind ends the file there,
// as sequential files do. Reads drop a trailing CR and turn tabs into blanks.
class Unit {
public:
  enum class Mode {
    input,    // read-only; must exist
    output,   // created or truncated when opened
    scratch,  // created or truncated when opened; written and read back
  };

  Unit() = default;
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;
  ~Unit();

  // Opens the unit on `path`; false (and the unit stays closed) when the file
  // cannot be opened in that mode.
  bool open(const std::string& path, Mode mode);
  // Writes out the records of an output or scratch unit and closes the unit.
  // Returns false when the file could not be written in full.
  bool close();
  bool is_open() const { return open_; }
  const std::string& path() const { return path_; }

  // Reads the next record. At the end of the file returns Status::end and
  // stays there; a BACKSPACE after that leaves the unit at the end of file.
  Status read(std::string& record);
  // Writes one record at the current position.
  void write(std::string_view record);
  // Writes every record that the format list makes.
  void write(std::string_view fmt, std::span<const Item> items);
  template <class... A>
  void write_fmt(std::string_view fmt, const A&... a) {
    for (const auto& r : format(fmt, a...)) write(r);
  }
  void rewind();
  void backspace();

  // The records held now (tests and the console unit use it).
  const std::vector<std::string>& records() const { return records_; }

private:
  std::vector<std::string> records_;
  std::size_t pos_ = 0;      // index of the next record to read or write
  bool at_end_ = false;      // the last read met the end of the file
  bool open_ = false;
  Mode mode_ = Mode::input;
  std::string path_;
};

// The units 0 to 16 of one run. Unit 0 is the console: it reads standard
// input and writes standard output; it is never opened or closed.
class Units {
public:
  static constexpr int count = 17;
  Unit& operator[](int n) { return units_.at(static_cast<std::size_t>(n)); }
  // Console unit: reads one line of standard input (false at its end).
  static bool console_read(std::string& line);
  static void console_write(std::string_view line);
  // Whether standard input is a terminal, so that prompting makes sense.
  static bool console_is_terminal();

private:
  std::array<Unit, count> units_{};
};

}  // namespace zrv::fio
