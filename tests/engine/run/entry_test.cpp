// The entry: interface value, names file, files kept, report frames, the
// completeness check and the independence of successive calls.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <locale>
#include <memory>
#include <string>
#include <vector>

#include "run/entry.h"
#include "run/state.h"
#include "run_fixture.h"

namespace zrv::test {
namespace {

namespace fs = std::filesystem;
using L = std::vector<std::string>;

const L fatal_frame{"1", "", "", "*** FATAL ERROR IN INPUT DATA ***",
                    "*** EXECUTION TERMINATED ***"};
const L stop_frame{"1", "", "", " *** RUN TERMINATED BY 'STOP' KEYWORD ***"};

// Standard input read from /dev/null for the object's lifetime.
class NoTerminal {
public:
  NoTerminal() : saved_(dup(0)) {
    const int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    close(null);
  }
  ~NoTerminal() {
    dup2(saved_, 0);
    close(saved_);
  }

private:
  int saved_;
};

// A complete half-space deck under harmonic load, written as the front end
// writes its project files.
const std::string complete_deck_without_gravity =
    "TITLE=Fan foundation, block 3\n"
    "FOUNDATION=HALF-SPACE\n"
    "CIRCULAR=2.5\n"
    "MASS \n"
    "120 800 800 900 0 0 0\n"
    "CONSTANTS \n"
    "0 0 1.2 \n"
    "SOIL \n"
    "CONSTANTS=1\n"
    "1 2 250 18 0.33 0.05\n"
    "BELOW=300 19 0.33 0.05\n"
    "LOAD \n"
    "HARMONIC \n"
    "CONSTANTS \n"
    "NONQUADRATIC \n"
    "314 6.28 6.28 \n"
    "10 0 0 \n"
    "0 0 0 \n"
    "0 0 0 0 \n"
    "RUN \n";

TEST(entry, wrong_interface_value_touches_nothing) {
  TempDir dir;
  ChangeDir here(dir.path());
  write_file(dir / "names.dat", "3.0.13\n");
  EXPECT_EQ(run_engine(12), 1);
  EXPECT_EQ(run_engine(14), 1);
  EXPECT_EQ(run_engine(-13), 1);
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(e.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"names.dat"});
}

TEST(entry, stop_frame_and_scratch_files_kept) {
  TempDir dir;
  EXPECT_EQ(run_deck(dir, "ECHO\nSTOP\nGRAVITY=9.8\n"), 2);
  EXPECT_EQ(lines_of(read_file(dir / "job.zvo")), stop_frame);
  EXPECT_TRUE(fs::exists(dir / "TAPE7"));
  EXPECT_EQ(read_file(dir / "TAPE8"), " \n");
  EXPECT_EQ(read_file(dir / "TAPE7"), pad("ECHO") + "\n" + pad("STOP") + "\n" + pad("GRAVITY") +
                                          "\n9.8\n");
  EXPECT_TRUE(fs::exists(dir / "job.zvp"));
  EXPECT_EQ(read_file(dir / "job.zvd"), "ECHO\nSTOP\nGRAVITY=9.8\n");  // the deck is untouched
}

TEST(entry, insufficient_data_is_reported_alone) {
  // Neither LOAD nor GRAVITY: only the first failing check is reported.
  TempDir dir;
  EXPECT_EQ(run_deck(dir, "NOECHO\nRUN\n"), 3);
  EXPECT_EQ(lines_of(read_file(dir / "job.zvo")),
            concat({"", "", " INSUFFICIENT INPUT DATA TO COMPLETE RUN", " PROGRAM WILL TERMINATE"},
                   fatal_frame));
}

TEST(entry, deck_without_load_and_gravity) {
  const std::string deck = complete_deck_without_gravity.substr(
      0, complete_deck_without_gravity.find("LOAD")) + "RUN \n";
  TempDir dir;
  EXPECT_EQ(run_deck(dir, deck), 3);
  const std::string r = read_file(dir / "job.zvo");
  EXPECT_NE(r.find("\n\n\n INSUFFICIENT INPUT DATA TO COMPLETE RUN\n PROGRAM WILL TERMINATE\n1\n"),
            std::string::npos);
  EXPECT_EQ(r.find("GRAVITATIONAL CONSTANT NOT SET"), std::string::npos);
}

TEST(entry, complete_deck_without_gravity) {
  TempDir dir;
  EXPECT_EQ(run_deck(dir, complete_deck_without_gravity), 3);
  const L r = lines_of(read_file(dir / "job.zvo"));
  ASSERT_GE(r.size(), 9u);
  EXPECT_EQ(L(r.end() - 9, r.end()),
            concat({"", "", " GRAVITATIONAL CONSTANT NOT SET", " PROGRAM WILL TERMINATE"},
                   fatal_frame));
}

// The completeness check on a hand-made state.
class chkdat : public ::testing::Test {
protected:
  void SetUp() override {
    here_ = std::make_unique<ChangeDir>(dir_.path());
    s = std::make_unique<RunState>();
    s->unit_table[16] = 16;
    ASSERT_TRUE(s->units[16].open("report", fio::Unit::Mode::output));
    RunFlags& f = s->flags;
    f.foundation_type = FoundationSystem::half_space;
    f.load_type = LoadKind::harmonic;
    f.shape = 1;
    f.gravity_given = 1;
    f.soil_given = 1;
  }
  std::string report() {
    s->units[16].close();
    return read_file(dir_ / "report");
  }
  TempDir dir_;
  std::unique_ptr<ChangeDir> here_;
  std::unique_ptr<RunState> s;
};

const std::string insufficient =
    "\n\n INSUFFICIENT INPUT DATA TO COMPLETE RUN\n PROGRAM WILL TERMINATE\n";

TEST_F(chkdat, complete_data_pass) {
  CHKDAT(*s);
  s->flags.foundation_type = FoundationSystem::pile;
  s->flags.elements_given = 1;
  CHKDAT(*s);
  EXPECT_EQ(s->flags.fatal, 0);
  EXPECT_EQ(report(), "");
}

TEST_F(chkdat, gravity_missing) {
  s->flags.gravity_given = 0;
  CHKDAT(*s);
  EXPECT_EQ(s->flags.fatal, 1);
  EXPECT_EQ(report(), "\n\n GRAVITATIONAL CONSTANT NOT SET\n PROGRAM WILL TERMINATE\n");
}

TEST_F(chkdat, each_missing_group_is_insufficient) {
  const auto unset = [](RunFlags& f, int field) {
    if (field == 0) f.foundation_type = FoundationSystem::none;
    if (field == 1) f.load_type = LoadKind::none;
    if (field == 2) f.shape = 0;
    if (field == 3) f.soil_given = 0;
  };
  for (int field = 0; field < 4; ++field) {
    RunFlags saved = s->flags;
    unset(s->flags, field);
    s->flags.gravity_given = 0;
    CHKDAT(*s);
    EXPECT_EQ(s->flags.fatal, 1);
    s->flags = saved;
  }
  // The pile and multilayer systems need their elements.
  for (FoundationSystem type : {FoundationSystem::pile, FoundationSystem::multilayer}) {
    s->flags.foundation_type = type;
    CHKDAT(*s);
    EXPECT_EQ(s->flags.fatal, 1);
    s->flags.fatal = 0;
  }
  EXPECT_EQ(report(), insufficient + insufficient + insufficient + insufficient + insufficient +
                          insufficient);
}

// A whole analysis of an example project, with the folder name masked.
std::string example_report(const TempDir& d) {
  std::string text = read_file(d / "job.zvo");
  const std::string folder = d.path().string() + "/";
  for (auto at = text.find(folder); at != std::string::npos; at = text.find(folder))
    text.replace(at, folder.size(), "<run>/");
  return masked(text);
}

TEST(entry, example_projects_with_either_line_end_and_twice) {
  const auto with_lf = [](const std::string& text) {
    std::string r;
    for (char c : text)
      if (c != '\r') r += c;
    return r;
  };
  const auto with_crlf = [&](const std::string& text) {
    std::string r;
    for (char c : with_lf(text)) r += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return r;
  };
  std::vector<fs::path> decks;
  for (const auto& e : fs::directory_iterator(ZRV_EXAMPLES_DIR))
    if (e.path().extension() == ".zvd") decks.push_back(e.path());
  ASSERT_GE(decks.size(), 6u);
  for (const fs::path& path : decks) {
    SCOPED_TRACE(path.filename().string());
    const std::string deck = read_file(path);
    const std::string mass = read_file(fs::path(path).replace_extension(".zvm"));
    const std::string lf = with_lf(deck);
    const std::string crlf = with_crlf(deck);
    TempDir a;
    TempDir b;
    write_file(a / "job.zvm", with_lf(mass));
    write_file(b / "job.zvm", with_crlf(mass));
    const int code = run_deck(a, lf);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(run_deck(b, crlf), code);
    const std::string first = example_report(a);
    const std::string plot = read_file(a / "job.zvp");
    EXPECT_FALSE(plot.empty());
    EXPECT_EQ(first, example_report(b));
    EXPECT_EQ(read_file(b / "job.zvp"), plot);
    // A second call in the same process, after a different deck.
    EXPECT_EQ(run_deck(b, "NOECHO\nWIDE\nGRAVITY=32.2\nMATR\nSTOP\n"), 2);
    EXPECT_EQ(run_deck(a, lf), code);
    EXPECT_EQ(example_report(a), first);
    EXPECT_EQ(read_file(a / "job.zvp"), plot);
  }
}

// A decimal comma in the global locale (and in the C library's, where such a
// locale is installed) must not reach the report or the plot data.
struct CommaPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(entry, reports_do_not_follow_the_locale) {
  const std::string deck = read_file(std::string(ZRV_EXAMPLES_DIR) + "/stratum-random.zvd");
  const std::string mass = read_file(std::string(ZRV_EXAMPLES_DIR) + "/stratum-random.zvm");
  TempDir a;
  TempDir b;
  write_file(a / "job.zvm", mass);
  write_file(b / "job.zvm", mass);
  EXPECT_EQ(run_deck(a, deck), 0);
  const std::locale old =
      std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
    if (std::setlocale(LC_ALL, name) != nullptr) break;
  const int code = run_deck(b, deck);
  std::setlocale(LC_ALL, "C");
  std::locale::global(old);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(example_report(b), example_report(a));
  EXPECT_EQ(read_file(b / "job.zvp"), read_file(a / "job.zvp"));
}

TEST(entry, successive_calls_are_independent) {
  // The second deck changes every flag it can; the third call must give
  // exactly the first call's report.
  const std::string deck = "TITLE=Repeat\nGRAVITY=9.8\nDIME\nMATR\nSTOP\n";
  TempDir a;
  TempDir b;
  EXPECT_EQ(run_deck(a, deck), 2);
  const std::string first = masked(read_file(a / "job.zvo"));
  EXPECT_EQ(run_deck(b, "NOECHO\nWIDE\nGRAVITY=32.2\nTITLE=Other\nGRAVITY\n"), 3);
  EXPECT_EQ(run_deck(a, deck), 2);
  EXPECT_EQ(masked(read_file(a / "job.zvo")), first);
  EXPECT_NE(first.find("GRAVITATIONAL CONSTANT SET TO   9.80 m/s**2"), std::string::npos);
}

TEST(entry, names_file_of_four_lines_without_a_terminal) {
  TempDir dir;
  ChangeDir here(dir.path());
  write_file(dir / "deck.zvd", "STOP\n");
  write_file(dir / "names.dat", "3.0.13\ndeck.zvd\nout.zvo\nout.zvp\n");
  NoTerminal no_terminal;
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_engine(13), 4);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "zorvin: *** NAMES FILE names.dat HAS FEWER THAN SEVEN LINES AND NO TERMINAL TO "
            "ASK FOR THE FILE NAMES ***\n");
  EXPECT_FALSE(fs::exists(dir / "out.zvo"));
  EXPECT_TRUE(fs::exists(dir / "TAPE7"));
}

// Standard input read from a terminal that holds `answers`, for the
// object's lifetime.
class Terminal {
public:
  explicit Terminal(const std::string& answers) : saved_(dup(0)) {
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) return;
    dup2(slave_, 0);
    std::cin.clear();
    clearerr(stdin);
    ok_ = write(master_, answers.data(), answers.size()) == static_cast<ssize_t>(answers.size());
  }
  ~Terminal() {
    dup2(saved_, 0);
    close(saved_);
    close(slave_);
    close(master_);
    std::cin.clear();
    clearerr(stdin);
  }
  bool ok() const { return ok_; }

private:
  int saved_;
  int master_ = -1;
  int slave_ = -1;
  bool ok_ = false;
};

TEST(opnfil, short_names_file_prompts_on_a_terminal) {
  TempDir dir;
  ChangeDir here(dir.path());
  write_file(dir / "in.zvd", "STOP\n");
  // Line 4 is the last: all three paths are asked for, the read ones replaced.
  write_file(dir / "names.dat", "3.0.13\nold.zvd\nold.zvo\nold.zvp\n");
  Terminal terminal("in.zvd\nout.zvo\nplot.zvp\n");
  ASSERT_TRUE(terminal.ok());
  auto s = std::make_unique<RunState>();
  s->unit_table[16] = 16;
  testing::internal::CaptureStdout();
  EXPECT_EQ(OPNFIL(*s), 0);
  const std::string prompts = testing::internal::GetCapturedStdout();
  const auto prompt = [](const char* what) {
    return "\n\n       ENTER A FILE NAME FOR YOUR " + std::string(what) + " FILE.\n ENTER >\n";
  };
  EXPECT_EQ(prompts, prompt("INPUT") + prompt("OUTPUT") + prompt("GRAPHIC DATA"));
  EXPECT_EQ(s->names.input_path, "in.zvd");
  EXPECT_EQ(s->names.report_path, "out.zvo");
  EXPECT_EQ(s->names.plot_path, "plot.zvp");
  EXPECT_EQ(s->names.mass_path, "");
  EXPECT_FALSE(s->units[9].is_open());
  EXPECT_TRUE(CLSFIL(*s));
  EXPECT_TRUE(fs::exists(dir / "out.zvo"));
  EXPECT_TRUE(fs::exists(dir / "plot.zvp"));
  EXPECT_FALSE(fs::exists(dir / "old.zvo"));
}

TEST(entry, missing_files_end_with_result_4) {
  {
    TempDir dir;
    ChangeDir here(dir.path());
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_engine(13), 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zorvin: *** NAMES FILE names.dat COULD NOT BE OPENED ***\n");
  }
  {
    TempDir dir;
    ChangeDir here(dir.path());
    write_file(dir / "names.dat", "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_engine(13), 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zorvin: *** NAMES FILE names.dat IS EMPTY ***\n");
  }
  {
    // A missing deck is reported in the report, which is open by then.
    TempDir dir;
    ChangeDir here(dir.path());
    write_file(dir / "names.dat", "3.0.13\nnone.zvd\nr.zvo\nr.zvp\nr.zvr\nr.zvt\nr.zvm\n");
    EXPECT_EQ(run_engine(13), 4);
    EXPECT_EQ(read_file(dir / "r.zvo"),
              "\n\n *** INPUT FILE COULD NOT BE OPENED: none.zvd ***\n"
              " *** EXECUTION TERMINATED ***\n");
  }
  {
    // An output path in a folder that does not exist.
    TempDir dir;
    ChangeDir here(dir.path());
    write_file(dir / "d.zvd", "STOP\n");
    write_file(dir / "names.dat", "3.0.13\nd.zvd\nno/such/r.zvo\nr.zvp\nr.zvr\nr.zvt\nr.zvm\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_engine(13), 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zorvin: *** OUTPUT FILE COULD NOT BE OPENED: no/such/r.zvo ***\n");
  }
}

TEST(opnfil, names_file_fields) {
  TempDir dir;
  ChangeDir here(dir.path());
  write_file(dir / "d.zvd", "STOP\n");
  write_file(dir / "m.zvm", "0\n");
  // Lines 5 and 6 are read and overwritten; line 7 names the mass file.
  write_file(dir / "names.dat",
             "3.0.13 with a long tail\r\nd.zvd   \r\nr.zvo\r\nr.zvp\r\nnone.zvr\r\nnone.zvt\r\n"
             "m.zvm\r\n");
  auto s = std::make_unique<RunState>();
  s->unit_table[16] = 16;
  ASSERT_EQ(OPNFIL(*s), 0);
  EXPECT_EQ(s->names.version, "3.0.13 with ");
  EXPECT_EQ(s->names.input_path, "d.zvd");
  EXPECT_EQ(s->names.report_path, "r.zvo");
  EXPECT_EQ(s->names.plot_path, "r.zvp");
  EXPECT_EQ(s->names.mass_path, "m.zvm");
  for (int u : {2, 4, 6, 7, 8, 9, 16}) EXPECT_TRUE(s->units[u].is_open()) << u;
  EXPECT_TRUE(CLSFIL(*s));
  for (int u : {2, 4, 6, 7, 8, 9, 16}) EXPECT_FALSE(s->units[u].is_open()) << u;
  EXPECT_EQ(read_file(dir / "m.zvm"), "0\n");
}

TEST(opnfil, paths_of_a_deep_folder_are_read_whole) {
  // A project folder 321 characters deep: every path of the names file is
  // longer than 256 characters and the names differ only in their ends.
  TempDir dir;
  fs::path deep = dir.path();
  while (deep.string().size() < 321) deep /= std::string(100, 'd');
  deep = fs::path(deep.string().substr(0, 321));
  fs::create_directories(deep);
  ASSERT_EQ(deep.string().size(), 321u);
  const auto p = [&](const char* name) { return (deep / name).string(); };
  write_file(deep / "project.zvd", "GRAVITY=9.8\n" + complete_deck_without_gravity);
  write_file(dir / "names.dat", "3.0.13\n" + p("project.zvd") + "\n" + p("project.zvo") + "\n" +
                                    p("project.zvp") + "\n" + p("project.zvr") + "\n" +
                                    p("project.zvt") + "\n" + p("project.zvm") + "\n");
  ChangeDir here(dir.path());
  EXPECT_EQ(run_engine(13), 0);
  EXPECT_EQ(read_file(deep / "project.zvd"), "GRAVITY=9.8\n" + complete_deck_without_gravity);
  EXPECT_NE(read_file(deep / "project.zvo").find("FOOTING RESPONSE AMPLITUDES"), std::string::npos);
  EXPECT_EQ(lines_of(read_file(deep / "project.zvp")).size(), 1u + 50u);
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(deep)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"project.zvd", "project.zvo", "project.zvp"}));
}

TEST(opnfil, missing_mass_file_is_not_an_error) {
  TempDir dir;
  ChangeDir here(dir.path());
  write_file(dir / "d.zvd", "STOP\n");
  write_file(dir / "names.dat", "3.0.13\nd.zvd\nr.zvo\nr.zvp\nr.zvr\nr.zvt\nr.zvm\n");
  EXPECT_EQ(run_engine(13), 2);
  EXPECT_FALSE(fs::exists(dir / "r.zvm"));
}

}  // namespace
}  // namespace zrv::test
