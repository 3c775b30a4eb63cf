// "Foundation Options": the type-to-code table, the pictures from the
// program folder, typed texts and when the project counts as modified.
#include "forms/Layout.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "formsa_form_support.h"
#include "test_support.h"

namespace zrv::test {
namespace {

using front::TfrmLayout;

TEST(Layout, FoundationCodesAndPictureFiles) {
  EXPECT_EQ(front::foundationCodeOf("HALF-SPACE"), 1);
  EXPECT_EQ(front::foundationCodeOf("PILE"), 2);
  EXPECT_EQ(front::foundationCodeOf("STRATUM"), 3);
  EXPECT_EQ(front::foundationCodeOf("MULTILAYER"), 4);
  EXPECT_EQ(front::foundationCodeOf("pile"), 0);
  EXPECT_EQ(front::foundationCodeOf("PILE "), 0);
  EXPECT_EQ(front::foundationCodeOf(""), 0);
  EXPECT_EQ(front::pictureFileOf("HALF-SPACE"), "halfspace.bmp");
  EXPECT_EQ(front::pictureFileOf("PILE"), "pile.bmp");
  EXPECT_EQ(front::pictureFileOf("STRATUM"), "stratum.bmp");
  EXPECT_EQ(front::pictureFileOf("MULTILAYER"), "multilayer.bmp");
  EXPECT_EQ(front::pictureFileOf("Stratum"), "");
}

TEST(Layout, ThePicturesAreInTheProgramFolder) {
  TfrmLayout::SetPictureFolder({});
  for (const char* f : {"halfspace.bmp", "pile.bmp", "stratum.bmp", "multilayer.bmp"}) {
    const QImage image(QDir(TfrmLayout::PictureFolder()).filePath(QString::fromLatin1(f)));
    EXPECT_FALSE(image.isNull()) << f;
  }
}

class LayoutTest : public ::testing::Test {
protected:
  void SetUp() override {
    recordedMessages().clear();
    // Pictures told apart by their widths.
    int width = 10;
    for (const char* f : {"halfspace.bmp", "pile.bmp", "stratum.bmp", "multilayer.bmp"}) {
      QImage image(width, 5, QImage::Format_RGB32);
      image.fill(Qt::red);
      image.save(QString::fromStdString((dir / f).string()), "BMP");
      width += 10;
    }
    TfrmLayout::SetPictureFolder(QString::fromStdString(dir.path().string()));
  }
  void TearDown() override {
    TfrmLayout::SetPictureFolder({});
    delete form.data();
    flushDeletes();
  }
  int pictureWidth() const { return form->Image1()->pixmap().width(); }
  void choose(const QString& text) { form->ComboBox1()->setCurrentText(text); }

  TempDir dir;
  FakeMain main;
  QPointer<TfrmLayout> form = new TfrmLayout(main);
};

TEST_F(LayoutTest, Captions) {
  EXPECT_EQ(form->windowTitle(), "Foundation Options");
  auto* label = form->findChild<QLabel*>("Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Footing Type");
  EXPECT_TRUE(label->font().bold());
  QComboBox* combo = form->ComboBox1();
  ASSERT_EQ(combo->count(), 4);
  EXPECT_EQ(combo->itemText(0), "HALF-SPACE");
  EXPECT_EQ(combo->itemText(1), "PILE");
  EXPECT_EQ(combo->itemText(2), "STRATUM");
  EXPECT_EQ(combo->itemText(3), "MULTILAYER");
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->currentText(), "HALF-SPACE");
  EXPECT_FALSE(form->Image1()->pixmap().isNull()) << "a picture of its own before any file";
}

TEST_F(LayoutTest, ActivationShowsTheTypeItsPictureAndSetsTheCode) {
  main.Project().FoundationType = "STRATUM";
  main.Project().FoundationCode = 1;
  form->FormActivate();
  EXPECT_EQ(form->ComboBox1()->currentText(), "STRATUM");
  EXPECT_EQ(main.Project().FoundationCode, 3);
  EXPECT_EQ(pictureWidth(), 30);
  EXPECT_FALSE(main.IsModified());
  EXPECT_TRUE(recordedMessages().empty());
}

TEST_F(LayoutTest, ChoosingATypeChangesCodeAndPictureAtOnce) {
  form->FormActivate();
  EXPECT_EQ(pictureWidth(), 10);
  choose(QStringLiteral("PILE"));
  EXPECT_EQ(main.Project().FoundationType, "PILE");
  EXPECT_EQ(main.Project().FoundationCode, 2);
  EXPECT_EQ(pictureWidth(), 20);
  EXPECT_FALSE(main.IsModified()) << "modified at deactivation";
  ASSERT_TRUE(form->FormDeactivate());
  EXPECT_TRUE(main.IsModified());
  EXPECT_EQ(main.pileMenuUpdates, 1);
}

TEST_F(LayoutTest, ChoosingTheSameTypeIsNoChange) {
  main.Project().FoundationType = "MULTILAYER";
  form->FormActivate();
  choose(QStringLiteral("PILE"));
  choose(QStringLiteral("MULTILAYER"));
  ASSERT_TRUE(form->FormDeactivate());
  EXPECT_FALSE(main.IsModified());
  EXPECT_EQ(main.Project().FoundationCode, 4);
  EXPECT_EQ(main.pileMenuUpdates, 1);
}

TEST_F(LayoutTest, TypedLowerCaseTextKeepsCodeAndPicture) {
  main.Project().FoundationType = "STRATUM";
  form->FormActivate();
  form->ComboBox1()->setEditText(QStringLiteral("pile"));
  EXPECT_EQ(main.Project().FoundationType, "pile");
  EXPECT_EQ(main.Project().FoundationCode, 3);
  EXPECT_EQ(pictureWidth(), 30);
  EXPECT_TRUE(form->close());
  flushDeletes();
  EXPECT_TRUE(form.isNull());
  EXPECT_EQ(main.Project().FoundationType, "pile");
  EXPECT_EQ(main.Project().FoundationCode, 3);
  EXPECT_TRUE(main.IsModified());
  EXPECT_EQ(main.pileMenuUpdates, 1);
}

TEST_F(LayoutTest, MissingPictureIsReportedAndTheCodeStillFollows) {
  std::filesystem::remove(dir / "multilayer.bmp");
  form->FormActivate();
  choose(QStringLiteral("MULTILAYER"));
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].kind, comp::TMsgKind::Error);
  const QString path = QDir::toNativeSeparators(QString::fromStdString((dir / "multilayer.bmp").string()));
  EXPECT_EQ(recordedMessages()[0].text, "Cannot open file \"" + path + "\".");
  EXPECT_EQ(pictureWidth(), 10) << "the previous picture stays";
  EXPECT_EQ(main.Project().FoundationCode, 4);
}

}  // namespace
}  // namespace zrv::test
