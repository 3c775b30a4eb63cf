#include "report/header.h"

#include <chrono>
#include <ctime>
#include <string>

#include "run/state.h"

namespace zrv {

namespace {

std::string fit(std::string_view text, std::size_t width) {
  std::string r(text.substr(0, width));
  r.append(width - r.size(), ' ');
  return r;
}

// The run date (yyyy-mm-dd) and time of day (hh:mm:ss) of the local clock.
void clock_texts(std::string& date, std::string& time) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&now, &tm);
  char d[16];
  char t[16];
  std::strftime(d, sizeof d, "%Y-%m-%d", &tm);
  std::strftime(t, sizeof t, "%H:%M:%S", &tm);
  date = fit(d, 10);
  time = fit(t, 8);
}

std::string title_text(const RunState& s) { return fit(s.title, 80); }

}  // namespace

PathParts split_path(std::string_view path) {
  PathParts p;
  const auto last = path.find_last_not_of(' ');
  path = last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
  if (path.size() >= 2 && path[1] == ':') {
    p.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
  const auto sep = path.find_last_of("/\\");
  if (sep != std::string_view::npos) {
    p.folder = std::string(path.substr(0, sep + 1));
    path.remove_prefix(sep + 1);
  }
  const auto dot = path.find_last_of('.');
  if (dot != std::string_view::npos) {
    p.extension = std::string(path.substr(dot));
    path = path.substr(0, dot);
  }
  p.name = std::string(path);
  return p;
}

void BANNER(RunState& s, int& status) {
  std::string date;
  std::string time;
  clock_texts(date, time);
  fio::Unit& r = s.report();
  const std::string stars(49, '*');
  const std::string empty = "*" + std::string(47, ' ') + "*";
  for (int i = 0; i < 3; ++i) r.write("");
  r.write(" " + stars);
  r.write(" " + empty);
  r.write(" *        S O I L - F O U N D A T I O N          *");
  r.write(" " + empty);
  r.write(" *     D Y N A M I C   S I M U L A T I O N       *");
  r.write(" *" + std::string(14, ' ') + "ZORVIN " + fit(s.names.version, 12) +
          std::string(14, ' ') + "*");
  r.write(" " + empty);
  r.write(" *" + std::string(13, ' ') + "RUN DATE -  " + date + std::string(12, ' ') + "*");
  r.write(" *" + std::string(13, ' ') + "TIME     -  " + time + std::string(14, ' ') + "*");
  r.write(" " + empty);
  r.write(" " + stars);
  r.write("");
  r.write(" " + title_text(s));
  status = 1;
}

void HEADER(RunState& s, int kind, int& status) {
  fio::Unit& r = s.report();
  if (kind == header_data_echo || kind == header_results) {
    BANNER(s, status);
    status = 1;
  }
  r.write("");
  r.write("");
  if (kind == header_data_echo) {
    const PathParts in = split_path(s.names.input_path);
    const PathParts out = split_path(s.names.report_path);
    const PathParts plot = split_path(s.names.plot_path);
    const std::string indent(5, ' ');
    r.write(indent + "Path to file locations      : " + in.drive + in.folder);
    r.write(indent + "Name of input data file     : " + in.name + in.extension);
    r.write(indent + "Name of output file         : " + out.name + out.extension);
    r.write(indent + "Name of plot output file    : " + plot.name + plot.extension);
    r.write("");
    r.write("");
    r.write(std::string(22, ' ') + "DATA ECHO");
    r.write(std::string(22, ' ') + std::string(9, '*'));
  } else if (kind == header_results) {
    r.write(std::string(33, ' ') + "RESULTS");
    r.write(std::string(33, ' ') + std::string(7, '*'));
  } else if (kind == header_new_page) {
    r.write("1");
    for (int i = 0; i < 3; ++i) r.write("");
    r.write(" " + title_text(s));
  }
}

}  // namespace zrv
