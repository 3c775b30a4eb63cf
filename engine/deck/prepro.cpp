#include "deck/prepro.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "run/state.h"

namespace zrv {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_exponent_letter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// Code letters that stand alone in a record are replaced by their numbers.
bool code_of(char c, int& code) {
  switch (c) {
    case 'T': code = 999; return true;
    case 'H': code = -999; return true;
    case 'F': code = 0; return true;
    case 'Q': code = -997; return true;
    case 'P': code = 998; return true;
    case 'S': code = -998; return true;
    case 'V': code = -996; return true;
    default: return false;
  }
}

std::string pad80(std::string_view text) {
  std::string r(text);
  if (r.size() < 80) r.append(80 - r.size(), ' ');
  return r;
}

// Writes the token file and remembers which of its records hold a title,
// which pass 2 copies as they stand.
class TokenWriter {
public:
  explicit TokenWriter(fio::Unit& unit) : unit_(unit) {}
  void put(std::string_view record) {
    unit_.write(record);
    ++count_;
  }
  void put_title(std::string_view record) {
    titles_.push_back(count_);
    put(record);
  }
  const std::vector<std::size_t>& titles() const { return titles_; }

private:
  fio::Unit& unit_;
  std::size_t count_ = 0;
  std::vector<std::size_t> titles_;
};

void write_too_long(RunState& s, std::string_view line) {
  fio::Unit& r = s.report();
  for (int i = 0; i < 3; ++i) r.write("");
  r.write("***   INPUT DATA RECORD TOO LONG DUE TO REPEAT    FEATURE   ***");
  r.write("");
  r.write(" ***   DATA TRUNCATED ON THE FOLLOWING LINE    ***");
  r.write("");
  r.write(" " + pad80(line));
}

// Repeat expansion of one record (comment cut and trailing blanks dropped)
// into the item list. Returns false when the list filled up.
bool expand(std::string_view text, std::string& items) {
  const auto limit = static_cast<std::size_t>(prepro_item_limit);
  auto add = [&](char c) {
    items.push_back(c);
    return items.size() < limit;
  };
  for (std::size_t j = 0; j < text.size(); ++j) {
    const char c = text[j];
    if (c == '(' && j > 0 && is_digit(text[j - 1]) && !items.empty()) {
      const int copies = text[j - 1] - '0';
      if (items.size() >= 2 && items[items.size() - 2] == ' ') items[items.size() - 2] = ',';
      std::size_t close = text.find(')', j + 1);
      if (close == std::string_view::npos) close = std::max(j, text.size() - 1);
      const std::string_view group = text.substr(j + 1, close - (j + 1));
      items.pop_back();  // the count
      if (copies == 0) {
        if (!items.empty()) items.pop_back();
      } else {
        for (int k = 0; k < copies; ++k) {
          for (char g : group)
            if (!add(g)) return false;
          if (!add(',')) return false;
        }
        items.pop_back();
      }
      j = close;
      continue;
    }
    if (!add(c)) return false;
  }
  return true;
}

// Splits the items at separators and lone code letters into token records.
void split(std::string_view items, TokenWriter& out) {
  std::string segment;
  auto flush = [&] {
    if (!segment.empty()) out.put(segment);
    segment.clear();
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    const char c = items[i];
    int code = 0;
    if (c == ',' || c == '=') {
      flush();
    } else if (c == '*') {
      flush();
      out.put("-999");
    } else if (code_of(c, code) && (segment.empty() || items[i - 1] == ' ') &&
               (i + 1 == items.size() || items[i + 1] == ' ' || items[i + 1] == '=' ||
                items[i + 1] == ',')) {
      flush();
      out.put(fio::edit_i(code, 4));
    } else {
      segment.push_back(c);
    }
  }
  flush();
}

// A TITLE record: the keyword becomes a record of its own and the rest of the
// record, as written, the title. Returns true when the title stands on the
// next record instead (nothing follows the keyword).
bool split_title(std::string_view line, TokenWriter& out) {
  std::size_t end = line.find_first_of(" ,=$");
  if (end == std::string_view::npos) end = line.size();
  out.put(line.substr(0, end));
  std::size_t pos = line.find_first_not_of(' ', end);
  if (pos == std::string_view::npos || line[pos] == '$') return true;
  if (line[pos] == '=' || line[pos] == ',') ++pos;
  out.put_title(line.substr(pos));
  return false;
}

// Pass 2: one number per record; text records are copied in 80 columns.
void numeric_split(std::string_view rec, std::size_t first, fio::Unit& scratch) {
  std::size_t pos = first;
  while (pos < rec.size()) {
    pos = rec.find_first_not_of(' ', pos);
    if (pos == std::string_view::npos) return;
    std::size_t end = rec.find(' ', pos);
    if (end == std::string_view::npos) end = rec.size();
    const std::string_view token = rec.substr(pos, end - pos);
    bool exponent = false;
    bool point = false;
    for (std::size_t k = 0; k < token.size(); ++k) {
      const char c = token[k];
      const bool ok = is_digit(c) || c == '.' || c == '+' || is_exponent_letter(c) ||
                      (c == '-' && (k == 0 || is_exponent_letter(token[k - 1])));
      if (!ok) {
        scratch.write(pad80(rec.substr(pos)));
        return;
      }
      exponent = exponent || is_exponent_letter(c);
      point = point || c == '.';
    }
    if (exponent) {
      const std::size_t lead = token.size() < 20 ? 20 - token.size() : 0;
      scratch.write(std::string(lead, ' ') + std::string(token));
    } else {
      scratch.write(std::string(token) + (point ? "" : "."));
    }
    pos = end;
  }
}

}  // namespace

void PREPRO(RunState& s) {
  fio::Unit& deck = s.unit(4);
  fio::Unit& tokens = s.unit(8);
  fio::Unit& scratch = s.unit(7);

  // Pass 1: deck to token file.
  tokens.rewind();
  TokenWriter out(tokens);
  bool title_next = false;
  std::string line;
  std::string items;
  while (deck.read(line) == fio::Status::ok) {
    std::string_view text(line);
    text = text.substr(0, text.find('$'));
    const auto last = text.find_last_not_of(' ');
    if (last == std::string_view::npos) continue;  // blank or comment only
    text = text.substr(0, last + 1);
    if (title_next) {
      out.put_title(line);
      title_next = false;
      continue;
    }
    if (line.compare(0, 4, "TITL") == 0) {
      title_next = split_title(line, out);
      continue;
    }
    items.clear();
    if (!expand(text, items)) write_too_long(s, line);
    split(items, out);
  }

  // Pass 2: token file to scratch deck.
  tokens.rewind();
  scratch.rewind();
  // The title records' numbers ascend: one pass over them serves the file.
  const std::vector<std::size_t>& titles = out.titles();
  auto next_title = titles.begin();
  std::size_t index = 0;
  std::string rec;
  while (tokens.read(rec) == fio::Status::ok) {
    const bool title = next_title != titles.end() && *next_title == index;
    if (title) ++next_title;
    ++index;
    if (title) {
      scratch.write(rec);
      continue;
    }
    const std::size_t first = rec.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    const char c = rec[first];
    if (is_digit(c) || c == '.' || c == '+' || c == '-') {
      numeric_split(rec, first, scratch);
    } else {
      scratch.write(pad80(rec));
    }
  }

  scratch.rewind();
  tokens.rewind();
  tokens.write(" ");
  tokens.rewind();
  s.unit_table[4] = 7;
}

}  // namespace zrv
