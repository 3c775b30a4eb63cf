// The report frame (banner, page headers), the title and the gravity line
// with its unit labels.

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "deck/keywords.h"
#include "report/header.h"
#include "run/entry.h"
#include "run/state.h"
#include "../run/run_fixture.h"

namespace zrv::test {
namespace {

using L = std::vector<std::string>;

// A state with the report open and the defaults set, in a temporary folder.
class frame : public ::testing::Test {
protected:
  void SetUp() override {
    here_ = std::make_unique<ChangeDir>(dir_.path());
    s = std::make_unique<RunState>();
    s->unit_table[16] = 16;
    ASSERT_TRUE(s->units[16].open("report", fio::Unit::Mode::output));
    int status = 0;
    INIDEF(*s, status);
  }
  L report() {
    s->units[16].close();
    return lines_of(masked(read_file(dir_ / "report")));
  }
  TempDir dir_;
  std::unique_ptr<ChangeDir> here_;
  std::unique_ptr<RunState> s;
};

L banner(const std::string& version, const std::string& title) {
  const std::string rim = "*" + std::string(47, ' ') + "*";
  return {"",
          "",
          "",
          " *************************************************",
          " " + rim,
          " *        S O I L - F O U N D A T I O N          *",
          " " + rim,
          " *     D Y N A M I C   S I M U L A T I O N       *",
          " *              ZORVIN " + pad(version, 12) + "              *",
          " " + rim,
          " *             RUN DATE -  yyyy-mm-dd            *",
          " *             TIME     -  hh:mm:ss              *",
          " " + rim,
          " *************************************************",
          "",
          " " + pad(title)};
}

TEST_F(frame, data_echo_header_with_file_names) {
  s->names.version = pad("3.0.13", 12);
  s->names.input_path = "/home/ana/jobs/plant/pump.zvd";
  s->names.report_path = "/home/ana/out/pump.zvo";
  s->names.plot_path = "/home/ana/out/plots.v2.zvp";
  int status = 0;
  HEADER(*s, header_data_echo, status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(report(), concat(banner("3.0.13", "ZORVIN ANALYSIS"),
                             {"", "", "     Path to file locations      : /home/ana/jobs/plant/",
                              "     Name of input data file     : pump.zvd",
                              "     Name of output file         : pump.zvo",
                              "     Name of plot output file    : plots.v2.zvp", "", "",
                              "                      DATA ECHO",
                              "                      *********"}));
}

TEST_F(frame, results_and_new_page_headers) {
  s->names.version = "3.0.13-long-version";  // only 12 characters are shown
  s->title = pad("Compressor block B");
  int status = 0;
  HEADER(*s, header_results, status);
  EXPECT_EQ(status, 1);
  status = 7;
  HEADER(*s, header_new_page, status);
  EXPECT_EQ(status, 7);
  const L r = report();
  EXPECT_EQ(r, concat(banner("3.0.13-long-", "Compressor block B"),
                      {"", "", "                                 RESULTS",
                       "                                 *******", "", "", "1", "", "", "",
                       " " + pad("Compressor block B")}));
  for (std::size_t i = 3; i < 14; ++i) EXPECT_EQ(r[i].size(), 50u) << r[i];
}

TEST_F(frame, banner_date_and_time_come_from_the_clock) {
  int status = 0;
  BANNER(*s, status);
  s->units[16].close();
  const std::string raw = read_file(dir_ / "report");
  EXPECT_TRUE(std::regex_search(raw, std::regex(R"( \*             RUN DATE -  20\d\d-[01]\d-[0-3]\d            \*\n)")));
  EXPECT_TRUE(std::regex_search(raw, std::regex(R"( \*             TIME     -  [0-2]\d:[0-5]\d:[0-6]\d              \*\n)")));
}

TEST(split_path, drive_folder_name_extension) {
  const PathParts w = split_path("C:\\Jobs\\Plant 2\\pump.ZVD   ");
  EXPECT_EQ(w.drive, "C:");
  EXPECT_EQ(w.folder, "\\Jobs\\Plant 2\\");
  EXPECT_EQ(w.name, "pump");
  EXPECT_EQ(w.extension, ".ZVD");
  const PathParts p = split_path("/a.b/c");
  EXPECT_EQ(p.drive, "");
  EXPECT_EQ(p.folder, "/a.b/");
  EXPECT_EQ(p.name, "c");
  EXPECT_EQ(p.extension, "");
  const PathParts n = split_path("deck.zvd");
  EXPECT_EQ(n.folder, "");
  EXPECT_EQ(n.name + n.extension, "deck.zvd");
}

TEST_F(frame, unit_labels) {
  const L english{"ft",    "lb-ft",     "lb",        "psf",           "lb/ft**3", "ft/s**2",
                  "ft**2", "ft/s",      "ft**4",     "slug",          "slug-ft**2", "lb/ft",
                  "lb-ft/rad", "lb/ft/sec", "lb-ft/rad/sec", "lb/rad", "lb/rad/sec", "slug-ft"};
  const L si{"m",    "kN-m",     "kN.",      "kPa",          "kN/m**3", "m/s**2",
             "m**2", "m/s",      "m**4",     "Mg",           "Mg-m**2", "kN/m",
             "kN-m/rad", "kN/m/sec", "kN-m/rad/sec", "kN/rad", "kN/rad/sec", "Mg-m"};
  const int widths[] = {2, 5, 3, 3, 8, 7, 5, 4, 5, 4, 10, 5, 9, 9, 13, 6, 10, 7};
  for (std::size_t i = 0; i < label_count; ++i)
    EXPECT_EQ(s->labels.text[i], std::string(static_cast<std::size_t>(widths[i]), ' '));
  s->unit_system = 1;
  UNITLB(*s);
  for (std::size_t i = 0; i < label_count; ++i)
    EXPECT_EQ(s->labels.text[i], pad(english[i], static_cast<std::size_t>(widths[i])));
  EXPECT_EQ(s->labels[lbl_rot_damping], "lb-ft/rad/sec");
  s->unit_system = 0;  // anything but 1 is SI
  UNITLB(*s);
  for (std::size_t i = 0; i < label_count; ++i)
    EXPECT_EQ(s->labels.text[i], pad(si[i], static_cast<std::size_t>(widths[i])));
  EXPECT_EQ(s->labels[lbl_force], "kN.");
  EXPECT_EQ(s->labels[lbl_acceleration], "m/s**2 ");
}

struct Outcome {
  int code;
  L report;
};

Outcome run(const std::string& deck) {
  TempDir dir;
  Outcome r;
  r.code = run_deck(dir, deck);
  r.report = lines_of(masked(read_file(dir / "job.zvo")));
  return r;
}

const L stop_frame{"1", "", "", " *** RUN TERMINATED BY 'STOP' KEYWORD ***"};

TEST(gravity, constant_selects_the_labels) {
  const L stars{" " + std::string(44, '*')};
  EXPECT_EQ(run("GRAVITY=32.2\nSTOP\n").report,
            concat(concat({"", "", " GRAVITATIONAL CONSTANT SET TO  32.20 ft/s**2"}, stars),
                   stop_frame));
  EXPECT_EQ(run("GRAVITY=9.8\nSTOP\n").report,
            concat(concat({"", "", " GRAVITATIONAL CONSTANT SET TO   9.80 m/s**2 "}, stars),
                   stop_frame));
  EXPECT_EQ(run("GRAVITY=10\nSTOP\n").report,
            concat(concat({"", "", " GRAVITATIONAL CONSTANT SET TO  10.00 m/s**2 "}, stars),
                   stop_frame));
  EXPECT_EQ(run("NOECHO\nGRAVITY=32.2\nSTOP\n").report, stop_frame);
}

TEST(title, rules) {
  const std::string head = "     Path to file locations      : ";
  // Commas, equals signs, code letters and "$" stay in the title.
  Outcome r = run("TITLE=Pump 2, T = 5 Hz, $ run\nSTOP\n");
  EXPECT_EQ(r.code, 2);
  ASSERT_GT(r.report.size(), 16u);
  EXPECT_EQ(r.report[15], " " + pad("Pump 2, T = 5 Hz, $ run"));
  EXPECT_EQ(r.report.size(), 30u);  // banner, file block, heading, stop frame; nothing unknown
  // A title keeps its first 80 characters.
  const std::string long_title = std::string(70, 'x') + "0123456789ABCDEF";
  r = run("TITLE=" + long_title + "\nSTOP\n");
  EXPECT_EQ(r.report[15], " " + long_title.substr(0, 80));
  // An empty TITLE= gives an empty title and leaves the next record alone.
  r = run("TITLE=\nGRAVITY=9.8\nSTOP\n");
  EXPECT_EQ(r.report[15], " " + std::string(80, ' '));
  EXPECT_EQ(r.report[28], " GRAVITATIONAL CONSTANT SET TO   9.80 m/s**2 ");
  // With the echo off the title is read, but no banner or heading is written.
  r = run("NOECHO\nTITLE=Quiet\nSTOP\n");
  EXPECT_EQ(r.report, stop_frame);
}

}  // namespace
}  // namespace zrv::test
