// "Foundation Data": captions, units, the depth boxes of a stratum and a
// half-space, and the storing of hidden boxes.
#include "forms/Foundations.h"

#include <QGroupBox>
#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "formsa_form_support.h"

namespace zrv::test {
namespace {

class FoundationsTest : public ::testing::Test {
protected:
  void TearDown() override {
    delete form.data();
    flushDeletes();
  }
  bool hidden(int n) const { return form->DataEdit(n)->isHidden() && form->DataEdit(n)->EditLabel()->isHidden(); }
  bool shown(int n) const { return !form->DataEdit(n)->isHidden() && !form->DataEdit(n)->EditLabel()->isHidden(); }

  FakeMain main;
  QPointer<front::TfrmFoundations> form = new front::TfrmFoundations(main);
};

TEST_F(FoundationsTest, CaptionsAndUnits) {
  main.Project().UnitSystem = 1;
  form->FormActivate();
  EXPECT_EQ(form->windowTitle(), "Foundation Data");
  EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox1")->title(), "Global Coordinates of Foundation Base");
  EXPECT_EQ(labelOf(form->DataEdit(1)), "X Coordinate (Xc) (ft)");
  EXPECT_EQ(labelOf(form->DataEdit(2)), "Y Coordinate (Yc)  (ft)");
  EXPECT_EQ(labelOf(form->DataEdit(3)), "Z Coordinate (Zc)  (ft)");
  EXPECT_EQ(labelOf(form->DataEdit(4)), "Depth from ground surface to base of foundation (ft)");
  EXPECT_EQ(labelOf(form->DataEdit(5)), "Depth from ground surface to bed rock (rigid underlying layer) (ft)");
  EXPECT_EQ(form->DataEdit(1)->MaxVal(), 2147483647.0L);
  EXPECT_GT(form->DataEdit(2)->MaxVal(), 1e4000L);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(form->DataEdit(n)->parentWidget()->objectName(), "GroupBox1");
}

TEST_F(FoundationsTest, DepthBoxesFollowTheFoundationCode) {
  main.Project().FoundationCode = 3;
  form->FormActivate();
  EXPECT_TRUE(shown(4) && shown(5));
  main.Project().FoundationCode = 4;  // any other code leaves them
  form->FormActivate();
  EXPECT_TRUE(shown(4) && shown(5));
  main.Project().FoundationCode = 1;
  form->FormActivate();
  EXPECT_TRUE(hidden(4) && hidden(5));
  main.Project().FoundationCode = 2;
  form->FormActivate();
  EXPECT_TRUE(hidden(4) && hidden(5));
}

TEST_F(FoundationsTest, HalfSpaceStillStoresTheHiddenDepths) {
  TProjectFields& p = main.Project();
  p.FoundationCode = 1;
  p.BaseX = 1;
  p.BaseY = -2;
  p.BaseZ = 3.25;
  p.BaseDepth = 4;
  p.BedrockDepth = 5;
  form->FormActivate();
  EXPECT_EQ(form->DataEdit(3)->text(), "3.25");
  form->DataEdit(4)->setText(QStringLiteral("7"));
  form->DataEdit(2)->setText(QStringLiteral("-2.5"));
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(p.BaseX, 1);
  EXPECT_EQ(p.BaseY, -2.5L);
  EXPECT_EQ(p.BaseZ, 3.25L);
  EXPECT_EQ(p.BaseDepth, 7);
  EXPECT_EQ(p.BedrockDepth, 5);
  EXPECT_TRUE(main.IsModified());
}

}  // namespace
}  // namespace zrv::test
