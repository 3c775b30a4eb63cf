// Numbered sequential text units held in memory, and the console.

#include "fio/fio.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace zrv::fio {
namespace {

// A record as the readers see it: no trailing CR, tabs as blanks.
void clean(std::string& r) {
  if (!r.empty() && r.back() == '\r') r.pop_back();
  for (char& c : r)
    if (c == '\t') c = ' ';
}

// Reads a whole text file into records split at LF. False when the file
// cannot be opened or read (a folder, for one).
bool load(const std::string& path, std::vector<std::string>& records) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buf[65536];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return false;
  records.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    records.emplace_back(text, start, end - start);
    start = end + 1;
  }
  return true;
}

// Creates or truncates `path` and writes `records`, each ended by LF.
bool save(const std::string& path, const std::vector<std::string>& records) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = true;
  for (const auto& r : records) {
    if (!r.empty() && std::fwrite(r.data(), 1, r.size(), f) != r.size()) ok = false;
    if (std::fputc('\n', f) == EOF) ok = false;
  }
  if (std::fclose(f) != 0) ok = false;
  return ok;
}

}  // namespace

Unit::~Unit() { close(); }

bool Unit::open(const std::string& path, Mode mode) {
  if (open_) close();
  std::vector<std::string> records;
  if (mode == Mode::input) {
    if (!load(path, records)) return false;
  } else if (!save(path, records)) {
    return false;
  }
  records_ = std::move(records);
  pos_ = 0;
  at_end_ = false;
  open_ = true;
  mode_ = mode;
  path_ = path;
  return true;
}

bool Unit::close() {
  if (!open_) return true;
  const bool ok = mode_ == Mode::input || save(path_, records_);
  records_.clear();
  pos_ = 0;
  at_end_ = false;
  open_ = false;
  path_.clear();
  return ok;
}

Status Unit::read(std::string& record) {
  record.clear();
  if (!open_) return Status::error;
  if (pos_ >= records_.size()) {
    at_end_ = true;
    return Status::end;
  }
  record = records_[pos_++];
  clean(record);
  at_end_ = false;
  return Status::ok;
}

void Unit::write(std::string_view record) {
  if (!open_ || mode_ == Mode::input) return;
  records_.resize(pos_);
  records_.emplace_back(record);
  pos_ = records_.size();
  at_end_ = false;
}

void Unit::write(std::string_view fmt, std::span<const Item> items) {
  for (const auto& r : format(fmt, items)) write(r);
}

void Unit::rewind() {
  pos_ = 0;
  at_end_ = false;
}

void Unit::backspace() {
  // After a read that met the end of the file the unit stands before that
  // end: going back over it leaves the unit at the end of the file.
  if (at_end_) {
    at_end_ = false;
    return;
  }
  if (pos_ > 0) --pos_;
}

bool Units::console_read(std::string& line) {
  line.clear();
  if (!std::getline(std::cin, line)) return false;
  clean(line);
  return true;
}

void Units::console_write(std::string_view line) {
  std::cout << line << '\n' << std::flush;
}

bool Units::console_is_terminal() { return ::isatty(0) == 1; }

}  // namespace zrv::fio
