// The main window's rules without a window: caption, recent files, menu
// enabling, run messages, names file and settings; what a slot does with an
// exception.
#include "app/MainRules.h"

#include <gtest/gtest.h>

#include <QSettings>

#include <stdexcept>

#include "app/Guarded.h"
#include "qt_test_support.h"
#include "test_support.h"

namespace zrv::front {
namespace {

TEST(MainRules, CaptionShowsTheFileTitle) {
  EXPECT_EQ(MainCaption("/home/ann/jobs/job1.zvd"), "ZORVIN 3.0.13 - Job1");
  EXPECT_EQ(MainCaption("NewData.zvd"), "ZORVIN 3.0.13 - NewData");
  // The extension is compared in upper case; the name is cut at its first dot.
  EXPECT_EQ(FileTitle("/tmp/pump.v2.ZVD"), "Pump");
  // Another extension stays, and so does a one-character name's case.
  EXPECT_EQ(FileTitle("/tmp/pump.txt"), "Pump.txt");
  EXPECT_EQ(FileTitle("/tmp/a.zvd"), "a");
  EXPECT_EQ(FileTitle("/tmp/ab.zvd"), "Ab");
}

TEST(MainRules, RecentFilesMoveToTheTop) {
  TRecentFiles r;
  EXPECT_EQ(r.count(), 0);
  EXPECT_TRUE(r.UpdatePrevFile("/a.zvd"));
  EXPECT_TRUE(r.UpdatePrevFile("/b.zvd"));
  EXPECT_TRUE(r.UpdatePrevFile("/c.zvd"));
  EXPECT_EQ(r.count(), 3);
  EXPECT_EQ(r.entry(0), "/c.zvd");
  EXPECT_EQ(r.entry(2), "/a.zvd");

  // The first entry again: nothing changes (and the caller writes nothing).
  EXPECT_FALSE(r.UpdatePrevFile("/c.zvd"));
  EXPECT_EQ(r.count(), 3);

  // An entry further down moves to the top; those before it move down.
  EXPECT_TRUE(r.UpdatePrevFile("/a.zvd"));
  EXPECT_EQ(r.entry(0), "/a.zvd");
  EXPECT_EQ(r.entry(1), "/c.zvd");
  EXPECT_EQ(r.entry(2), "/b.zvd");
  EXPECT_EQ(r.count(), 3);
}

TEST(MainRules, RecentFilesDropTheEleventh) {
  TRecentFiles r;
  for (int i = 1; i <= 11; ++i) r.UpdatePrevFile(QString("/f%1.zvd").arg(i));
  EXPECT_EQ(r.count(), 10);
  EXPECT_EQ(r.entry(0), "/f11.zvd");
  EXPECT_EQ(r.entry(9), "/f2.zvd");
  // The last entry moves up without losing any other.
  r.UpdatePrevFile("/f2.zvd");
  EXPECT_EQ(r.entry(0), "/f2.zvd");
  EXPECT_EQ(r.entry(1), "/f11.zvd");
  EXPECT_EQ(r.entry(9), "/f3.zvd");
}

TEST(MainRules, RecentFileCaptionCutsTheCurrentFolder) {
  EXPECT_EQ(RecentFileCaption(1, "/jobs/a/p.zvd", "/jobs/a"), "1 p.zvd");
  EXPECT_EQ(RecentFileCaption(2, "/jobs/a/sub/p.zvd", "/jobs/a/"), "2 sub/p.zvd");
  EXPECT_EQ(RecentFileCaption(10, "/other/p.zvd", "/jobs/a"), "10 /other/p.zvd");
  EXPECT_EQ(RecentFileCaption(3, "/p.zvd", "/"), "3 /p.zvd");
}

TEST(MainRules, DataMenuFollowsTheFoundationType) {
  const TDataMenuState half = DataMenuState("HALF-SPACE");
  EXPECT_FALSE(half.pile);
  EXPECT_TRUE(half.footing);
  EXPECT_FALSE(half.multilayer);
  EXPECT_TRUE(half.sideSoil);
  EXPECT_EQ(half.sideSoilCaption, "Side Soil of Fondation");

  const TDataMenuState pile = DataMenuState("PILE");
  EXPECT_TRUE(pile.pile);
  EXPECT_FALSE(pile.footing);
  EXPECT_FALSE(pile.multilayer);
  EXPECT_TRUE(pile.sideSoil);
  EXPECT_EQ(pile.sideSoilCaption, "Side Soil of Pile Cap");

  const TDataMenuState stratum = DataMenuState("STRATUM");
  EXPECT_FALSE(stratum.pile);
  EXPECT_TRUE(stratum.footing);
  EXPECT_FALSE(stratum.sideSoil);
  EXPECT_EQ(stratum.sideSoilCaption, "Side Soil");

  const TDataMenuState multi = DataMenuState("MULTILAYER");
  EXPECT_TRUE(multi.footing);
  EXPECT_TRUE(multi.multilayer);
  EXPECT_TRUE(multi.sideSoil);
  EXPECT_EQ(multi.sideSoilCaption, "Side Soil of Fondation");

  // The texts are compared exactly: "pile" is not a pile foundation.
  EXPECT_FALSE(DataMenuState("pile").pile);
}

TEST(MainRules, MultisoilRowsNeverFallBelowTheMinimum) {
  EXPECT_EQ(MultisoilRowCount(1, 0, 1, 20), -1);
  EXPECT_EQ(MultisoilRowCount(5, 2, 1, 20), 3);
  EXPECT_EQ(MultisoilRowCount(3, 3, 1, 20), 1);
  EXPECT_EQ(MultisoilRowCount(3, 7, 1, 20), 1);
  EXPECT_EQ(MultisoilRowCount(30, 2, 1, 20), 20);
  EXPECT_EQ(MultisoilRowCount(30, 2, 1, 0), 28);
}

TEST(MainRules, LoadTypeFromTheExactLoadingWord) {
  EXPECT_EQ(LoadTypeFromText("HARMONIC", 3), 1);
  EXPECT_EQ(LoadTypeFromText("TRANSIENT", 1), 2);
  EXPECT_EQ(LoadTypeFromText("RANDOM", 1), 3);
  // The file's line carries a blank after the word: not an exact match.
  EXPECT_EQ(LoadTypeFromText("TRANSIENT ", 1), 1);
  EXPECT_EQ(LoadTypeFromText("", 2), 2);
  EXPECT_EQ(LoadTypeFromText("harmonic", 2), 2);
}

TEST(MainRules, GraphicsMenuNeedsLoadedPlotsAndTheFile) {
  const auto s = [](bool loaded, bool exists, int matrix, int load) {
    const TGraphicsMenuState g = GraphicsMenuState(loaded, exists, matrix, load);
    return std::make_pair(g.stiffness, g.response);
  };
  EXPECT_EQ(s(true, true, 1, 1), std::make_pair(true, true));
  EXPECT_EQ(s(false, true, 1, 1), std::make_pair(false, false));
  EXPECT_EQ(s(true, false, 1, 1), std::make_pair(false, false));
  EXPECT_EQ(s(true, true, 0, 1), std::make_pair(false, true));
  EXPECT_EQ(s(true, true, 1, 2), std::make_pair(true, false));
  EXPECT_EQ(s(true, true, 1, 3), std::make_pair(true, false));
  EXPECT_EQ(s(true, true, 0, 3), std::make_pair(false, false));
}

TEST(MainRules, RunResultsInWords) {
  EXPECT_EQ(RunResultMessage(0),
            "Computations are completed. Please, check output file for results or error messages.");
  EXPECT_EQ(RunResultMessage(2),
            "The analysis stopped before its end: a STOP keyword or the end of the input before RUN (result 2). "
            "Please, check output file for error messages.");
  EXPECT_EQ(RunResultMessage(3),
            "The analysis stopped on a fatal error in the input data (result 3). Please, check output file for "
            "error messages.");
  EXPECT_EQ(RunResultMessage(4),
            "The analysis stopped because a file could not be opened (result 4). Please, check output file for "
            "error messages.");
  EXPECT_EQ(RunResultMessage(1),
            "The analysis did not start: the engine library does not accept this program's interface (result 1).");
  EXPECT_EQ(RunResultMessage(7), "The analysis stopped (result 7). Please, check output file for error messages.");
}

TEST(MainRules, NamesFileHoldsTheVersionAndSixPaths) {
  EXPECT_EQ(NamesFileText("/jobs/pump.v2/block.zvd"),
            "3.0.13\n/jobs/pump.v2/block.zvd\n/jobs/pump.v2/block.zvo\n/jobs/pump.v2/block.zvp\n"
            "/jobs/pump.v2/block.zvr\n/jobs/pump.v2/block.zvt\n/jobs/pump.v2/block.zvm\n");
  // A project without an extension gets them appended, the folder's dot untouched.
  EXPECT_EQ(ChangeFileExt("/jobs/pump.v2/block", ".zvo"), "/jobs/pump.v2/block.zvo");
  EXPECT_EQ(ChangeFileExt("/jobs/a.b.zvd", ".zvp"), "/jobs/a.b.zvp");
}

TEST(MainRules, SettingsRoundTripInTheVersionGroup) {
  test::TempDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.path().string()));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir.path().string()));
  EXPECT_TRUE(ReadMainSettings().wordProcessor.isEmpty());
  EXPECT_EQ(ReadMainSettings().recent.count(), 0);

  TMainSettings s;
  s.wordProcessor = "/usr/bin/gedit";
  s.recent.UpdatePrevFile("/a.zvd");
  s.recent.UpdatePrevFile("/b.zvd");
  WriteMainSettings(s);

  QSettings raw("Kaltro", "ZORVIN");
  EXPECT_EQ(raw.value("3.0.13/Word Processor").toString(), "/usr/bin/gedit");
  EXPECT_EQ(raw.value("3.0.13/File1").toString(), "/b.zvd");
  EXPECT_EQ(raw.value("3.0.13/File2").toString(), "/a.zvd");
  EXPECT_EQ(raw.value("3.0.13/File3").toString(), "");

  const TMainSettings back = ReadMainSettings();
  EXPECT_EQ(back.wordProcessor, "/usr/bin/gedit");
  EXPECT_EQ(back.recent.count(), 2);
  EXPECT_EQ(back.recent.entry(0), "/b.zvd");
}

TEST(MainRules, AnExceptionOfASlotEndsInTheErrorBox) {
  test::recordedMessages().clear();
  EXPECT_TRUE(guarded([] {}));
  EXPECT_FALSE(guarded([] { throw std::runtime_error("Cannot write the names file /x"); }));
  EXPECT_FALSE(guarded([] { throw 7; }));
  ASSERT_EQ(test::recordedMessages().size(), 2u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::Error);
  EXPECT_EQ(test::recordedMessages()[0].text, "Cannot write the names file /x");
  EXPECT_EQ(test::recordedMessages()[1].text, "An unexpected error occurred.");
}

}  // namespace
}  // namespace zrv::front
