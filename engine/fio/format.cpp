// Output editing: single fields (I, F, E, A) and the interpreter of format
// lists. Numbers are converted with std::to_chars, which rounds the exact
// binary value correctly and never consults a locale.

#include "fio/fio.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace zrv::fio {
namespace {

std::string stars(int w) { return std::string(static_cast<std::size_t>(std::max(w, 0)), '*'); }

// Right-aligns `s` in `w` columns, or fills the field with asterisks.
std::string fit(const std::string& s, int w) {
  if (static_cast<int>(s.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

// NaN and the infinities in a real field: "NaN", "Inf"/"Infinity" with a
// minus sign for negative infinity, the long form only when it fits.
std::string edit_special(double v, int w) {
  if (std::isnan(v)) return w < 3 ? stars(w) : fit("NaN", w);
  const bool neg = std::signbit(v);
  const int sign = neg ? 1 : 0;
  if (w < 3 + sign) return stars(w);
  if (w >= 8 + sign) return fit(neg ? "-Infinity" : "Infinity", w);
  return fit(neg ? "-Inf" : "Inf", w);
}

// Joins sign and body; when the body starts with "0." the zero is dropped if
// the field is too narrow for it.
std::string fit_optional_zero(bool neg, const std::string& body, int w) {
  std::string s = (neg ? "-" : "") + body;
  if (static_cast<int>(s.size()) > w && body.size() > 1 && body[0] == '0' && body[1] == '.')
    s = (neg ? "-" : "") + body.substr(1);
  return fit(s, w);
}

[[noreturn]] void bad_format(std::string_view fmt, const char* what) {
  throw std::invalid_argument("format \"" + std::string(fmt) + "\": " + what);
}

// One step of a format list after its repeat counts have been expanded.
struct Op {
  enum Kind { text, slash, blanks, scale, i_field, f_field, e_field, a_field } kind;
  int w = 0;  // width, blank count or scale factor
  int d = 0;
  std::string str;
  bool is_data() const { return kind == i_field || kind == f_field || kind == e_field || kind == a_field; }
};

struct Program {
  std::vector<Op> ops;
  std::size_t revert = 0;  // where the list starts again when items remain
};

// Largest expanded list accepted; a guard against a runaway repeat count.
constexpr std::size_t max_ops = 1u << 20;

class Parser {
public:
  explicit Parser(std::string_view fmt) : fmt_(fmt) {}

  Program parse() {
    std::size_t begin = 0, end = fmt_.size();
    while (begin < end && fmt_[begin] == ' ') ++begin;
    while (end > begin && fmt_[end - 1] == ' ') --end;
    if (begin < end && fmt_[begin] == '(' && matching(begin) == end - 1) {
      ++begin;
      --end;
    }
    pos_ = begin;
    end_ = end;
    Program p;
    list(p.ops, 0, &p.revert);
    if (pos_ != end_) bad_format(fmt_, "unbalanced parentheses");
    return p;
  }

private:
  std::string_view fmt_;
  std::size_t pos_ = 0, end_ = 0;

  // Index of the parenthesis closing the one at `open`, quotes skipped.
  std::size_t matching(std::size_t open) const {
    int depth = 0;
    for (std::size_t i = open; i < fmt_.size(); ++i) {
      const char c = fmt_[i];
      if (c == '\'') {
        for (++i; i < fmt_.size() && fmt_[i] != '\''; ++i) {
        }
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        return i;
      }
    }
    return std::string_view::npos;
  }

  void skip_blanks() {
    while (pos_ < end_ && fmt_[pos_] == ' ') ++pos_;
  }
  bool at(char c) {
    skip_blanks();
    return pos_ < end_ && fmt_[pos_] == c;
  }
  static char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

  int number() {
    skip_blanks();
    if (pos_ >= end_ || fmt_[pos_] < '0' || fmt_[pos_] > '9') bad_format(fmt_, "number expected");
    long n = 0;
    while (pos_ < end_ && fmt_[pos_] >= '0' && fmt_[pos_] <= '9') {
      n = n * 10 + (fmt_[pos_++] - '0');
      if (n > 1000000) bad_format(fmt_, "number too large");
    }
    return static_cast<int>(n);
  }

  static void append(std::vector<Op>& out, const std::vector<Op>& part, int times) {
    for (int t = 0; t < times; ++t) {
      if (out.size() + part.size() > max_ops) throw std::invalid_argument("format list too long");
      out.insert(out.end(), part.begin(), part.end());
    }
  }

  // Items up to the end of the list (depth 0) or the closing parenthesis.
  void list(std::vector<Op>& out, int depth, std::size_t* revert) {
    if (depth > 0 ? at(')') : (skip_blanks(), pos_ == end_)) return;  // empty list
    for (;;) {
      const bool comma_optional_after = item(out, depth, revert);
      skip_blanks();
      if (pos_ == end_ || fmt_[pos_] == ')') {
        if (depth == 0 && pos_ != end_) bad_format(fmt_, "unbalanced parentheses");
        if (depth > 0 && pos_ == end_) bad_format(fmt_, "missing ')'");
        return;
      }
      if (fmt_[pos_] == ',') {
        ++pos_;
        skip_blanks();
        if (pos_ == end_ || fmt_[pos_] == ')') bad_format(fmt_, "missing item after ','");
      } else if (!comma_optional_after && fmt_[pos_] != '/') {
        bad_format(fmt_, "',' expected");
      }
    }
  }

  // Parses one item; returns true when the next item may follow without a
  // comma (after a slash or a scale factor).
  bool item(std::vector<Op>& out, int depth, std::size_t* revert) {
    skip_blanks();
    if (pos_ >= end_) bad_format(fmt_, "item expected");
    char c = fmt_[pos_];
    if (c == '\'') {
      out.push_back(Op{Op::text, 0, 0, quoted()});
      return false;
    }
    if (c == '/') {
      ++pos_;
      out.push_back(Op{Op::slash, 0, 0, {}});
      return true;
    }
    bool negative = false, has_count = false;
    int count = 1;
    if (c == '-' || c == '+') {
      negative = c == '-';
      ++pos_;
      count = number();
      has_count = true;
      skip_blanks();
      if (pos_ >= end_ || upper(fmt_[pos_]) != 'P') bad_format(fmt_, "sign allowed only before P");
    } else if (c >= '0' && c <= '9') {
      count = number();
      has_count = true;
    }
    skip_blanks();
    if (pos_ >= end_) bad_format(fmt_, "descriptor expected");
    c = upper(fmt_[pos_]);
    if (c == 'P') {
      if (!has_count) bad_format(fmt_, "scale factor without a number");
      ++pos_;
      out.push_back(Op{Op::scale, negative ? -count : count, 0, {}});
      return true;
    }
    if (has_count && count < 1) bad_format(fmt_, "repeat count must be positive");
    if (c == '(') {
      ++pos_;
      if (depth == 0 && revert) *revert = out.size();
      std::vector<Op> body;
      list(body, depth + 1, nullptr);
      if (pos_ >= end_ || fmt_[pos_] != ')') bad_format(fmt_, "missing ')'");
      ++pos_;
      append(out, body, count);
      return false;
    }
    if (c == '/') {
      ++pos_;
      append(out, {Op{Op::slash, 0, 0, {}}}, count);
      return true;
    }
    ++pos_;
    Op op{Op::text, 0, 0, {}};
    switch (c) {
      case 'X':
        if (!has_count) bad_format(fmt_, "X needs a count");
        out.push_back(Op{Op::blanks, count, 0, {}});
        return false;
      case 'A':
        op.kind = Op::a_field;
        op.w = -1;
        skip_blanks();
        if (pos_ < end_ && fmt_[pos_] >= '0' && fmt_[pos_] <= '9') op.w = width();
        break;
      case 'I':
        op.kind = Op::i_field;
        op.w = width();
        break;
      case 'F':
      case 'E':
        op.kind = c == 'F' ? Op::f_field : Op::e_field;
        op.w = width();
        skip_blanks();
        if (pos_ >= end_ || fmt_[pos_] != '.') bad_format(fmt_, "'.' expected in real field");
        ++pos_;
        op.d = number();
        break;
      default:
        bad_format(fmt_, "unknown descriptor");
    }
    append(out, {op}, count);
    return false;
  }

  int width() {
    const int w = number();
    if (w < 1) bad_format(fmt_, "field width must be positive");
    return w;
  }

  std::string quoted() {
    std::string s;
    ++pos_;
    for (;;) {
      if (pos_ >= end_) bad_format(fmt_, "unterminated text");
      const char c = fmt_[pos_++];
      if (c != '\'') {
        s += c;
      } else if (pos_ < end_ && fmt_[pos_] == '\'') {
        s += '\'';
        ++pos_;
      } else {
        return s;
      }
    }
  }
};

// A number edited in `w` columns, or when it does not fit there, in the
// fewest columns that hold it: a report or plot-data field never shows
// asterisks in place of a value. The fields of the layouts follow blanks or
// text, so a wider field does not run into the one before it.
template <class Edit>
std::string widened(const Edit& edit, int w) {
  std::string field = edit(w);
  const auto overflow = [](const std::string& f) {
    return !f.empty() && f.find_first_not_of('*') == std::string::npos;
  };
  for (int wider = w + 1; overflow(field) && wider <= w + 400; ++wider) field = edit(wider);
  return field;
}

template <class T>
const T& item_as(std::string_view fmt, const Item& it, const char* what) {
  if (const T* p = std::get_if<T>(&it)) return *p;
  bad_format(fmt, what);
}

}  // namespace

std::string edit_i(long v, int w) {
  if (w <= 0) return {};
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return fit(std::string(buf, r.ptr), w);
}

std::string edit_f(double v, int w, int d) {
  if (w <= 0) return {};
  if (d < 0) throw std::invalid_argument("F field with negative decimals");
  if (!std::isfinite(v)) return edit_special(v, w);
  const bool neg = std::signbit(v) && v != 0.0;  // negative zero prints unsigned
  const double a = std::fabs(v);
  // A value of w or more integer digits cannot fit; skip the long conversion.
  if (a >= 1e300 || (w < 300 && a >= std::pow(10.0, w))) return stars(w);
  std::string buf(static_cast<std::size_t>(d) + 320, '\0');
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::fixed, d);
  if (r.ec != std::errc()) return stars(w);
  std::string body(buf.data(), r.ptr);
  if (d == 0) {
    body += '.';
    return fit((neg ? "-" : "") + body, w);
  }
  return fit_optional_zero(neg, body, w);
}

std::string edit_e(double v, int w, int d, int scale) {
  if (w <= 0) return {};
  // Significant digits: d + 1 with a positive scale, d + scale otherwise.
  const int digits = scale > 0 ? d + 1 : d + scale;
  if (d < 0 || digits < 1 || scale > d + 1)
    throw std::invalid_argument("E field: scale factor out of range for its decimals");
  if (!std::isfinite(v)) return edit_special(v, w);
  const bool neg = std::signbit(v) && v != 0.0;
  const double a = std::fabs(v);

  std::string mant;  // the significant digits, exactly rounded
  int exp10 = 0;     // a = 0.mant * 10^exp10
  if (a == 0.0) {
    mant.assign(static_cast<std::size_t>(digits), '0');
    exp10 = scale;  // prints as exponent 0 whatever the scale
  } else {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, digits - 1);
    if (r.ec != std::errc()) return stars(w);
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
      if (s[i] != '.') mant += s[i];
    int x = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), x);
    exp10 = x + 1;
  }

  std::string body;
  if (scale > 0) {
    body = mant.substr(0, static_cast<std::size_t>(scale)) + "." + mant.substr(static_cast<std::size_t>(scale));
  } else {
    body = "0." + std::string(static_cast<std::size_t>(-scale), '0') + mant;
  }
  const int e = exp10 - scale;
  const int ae = std::abs(e);
  if (ae > 999) return stars(w);
  char eb[8];
  const auto er = std::to_chars(eb, eb + sizeof eb, ae);
  std::string digits_e(eb, er.ptr);
  if (ae <= 99) {
    if (digits_e.size() < 2) digits_e.insert(0, "0");
    body += e < 0 ? "E-" : "E+";
  } else {
    body += e < 0 ? "-" : "+";
  }
  body += digits_e;
  return fit_optional_zero(neg, body, w);
}

std::string edit_a(std::string_view text, int w) {
  if (w < 0) return std::string(text);
  if (static_cast<int>(text.size()) >= w) return std::string(text.substr(0, static_cast<std::size_t>(w)));
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + std::string(text);
}

std::vector<std::string> format(std::string_view fmt, std::span<const Item> items) {
  const Program prog = Parser(fmt).parse();
  std::vector<std::string> records;
  std::string cur;
  std::size_t next = 0;  // next item
  int scale = 0;
  bool revert_has_data = false;
  for (std::size_t i = prog.revert; i < prog.ops.size(); ++i) revert_has_data |= prog.ops[i].is_data();

  // Blanks of X fields are held back until something follows them in the
  // same record, so that a record never ends in skipped columns.
  std::size_t pending = 0;
  const auto put = [&](const std::string& s) {
    cur.append(pending, ' ');
    pending = 0;
    cur += s;
  };
  const auto end_record = [&] {
    records.push_back(std::move(cur));
    cur.clear();
    pending = 0;
  };

  for (std::size_t i = 0;; ++i) {
    if (i == prog.ops.size()) {
      if (next == items.size()) break;
      if (!revert_has_data) bad_format(fmt, "items remain but the list edits none");
      end_record();
      i = prog.revert;
    }
    const Op& op = prog.ops[i];
    if (op.is_data() && next == items.size()) break;
    switch (op.kind) {
      case Op::text: put(op.str); break;
      case Op::slash: end_record(); break;
      case Op::blanks: pending += static_cast<std::size_t>(op.w); break;
      case Op::scale: scale = op.w; break;
      case Op::i_field: {
        const long v = item_as<long>(fmt, items[next++], "I field needs an integer");
        put(widened([&](int w) { return edit_i(v, w); }, op.w));
        break;
      }
      case Op::f_field: {
        const double v = item_as<double>(fmt, items[next++], "F field needs a real");
        put(widened([&](int w) { return edit_f(v, w, op.d); }, op.w));
        break;
      }
      case Op::e_field: {
        const double v = item_as<double>(fmt, items[next++], "E field needs a real");
        put(widened([&](int w) { return edit_e(v, w, op.d, scale); }, op.w));
        break;
      }
      case Op::a_field:
        put(edit_a(item_as<std::string_view>(fmt, items[next++], "A field needs a text"), op.w));
        break;
    }
  }
  records.push_back(std::move(cur));
  return records;
}

}  // namespace zrv::fio
