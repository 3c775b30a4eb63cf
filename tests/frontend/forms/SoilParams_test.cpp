// "Foundation Shape": captions, the shape buttons and which boxes they show,
// and the clamp of a radius read from a file.
#include "forms/SoilParams.h"

#include <QGroupBox>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "project/ProjectWriter.h"
#include "formsa_form_support.h"

namespace zrv::test {
namespace {

class ShapeTest : public ::testing::Test {
protected:
  void SetUp() override { recordedMessages().clear(); }
  void TearDown() override {
    delete form.data();
    flushDeletes();
  }
  bool shown(int n) const { return !form->DataEdit(n)->isHidden() && !form->DataEdit(n)->EditLabel()->isHidden(); }
  bool hidden(int n) const { return form->DataEdit(n)->isHidden() && form->DataEdit(n)->EditLabel()->isHidden(); }

  FakeMain main;
  QPointer<front::TfrmShape> form = new front::TfrmShape(main);
};

TEST_F(ShapeTest, CaptionsAndUnits) {
  EXPECT_EQ(form->windowTitle(), "Foundation Shape");
  EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox1")->title(), "Shape");
  EXPECT_EQ(form->RadioButton1()->text(), "Rectangular");
  EXPECT_EQ(form->RadioButton2()->text(), "Circular");
  form->FormActivate();
  EXPECT_EQ(labelOf(form->DataEdit(1)), "Radius (m)");
  EXPECT_EQ(labelOf(form->DataEdit(2)), "Length x,  (m)");
  EXPECT_EQ(labelOf(form->DataEdit(3)), "Width y,  (m)");
  EXPECT_EQ(form->DataEdit(1)->MaxVal(), 2147483647.0L);
  EXPECT_EQ(form->DataEdit(1)->MinVal(), -2147483648.0L);
  EXPECT_FALSE(form->DataEdit(1)->IntegerOnly());
  EXPECT_GT(form->DataEdit(2)->MaxVal(), 1e4000L);
}

TEST_F(ShapeTest, ActivationFollowsTheStoredShape) {
  // A rectangular project with "Rectangular" not yet checked: its click
  // handler runs; nothing changes, so nothing is modified.
  form->FormActivate();
  EXPECT_TRUE(form->RadioButton1()->isChecked());
  EXPECT_TRUE(hidden(1));
  EXPECT_TRUE(shown(2) && shown(3));
  EXPECT_FALSE(main.IsModified());

  main.Project().CircularShape = 1;
  form->FormActivate();
  EXPECT_TRUE(form->RadioButton2()->isChecked());
  EXPECT_TRUE(shown(1));
  EXPECT_TRUE(hidden(2) && hidden(3));
  EXPECT_FALSE(main.IsModified());

  // "Rectangular" already checked and the boxes shown the other way round:
  // the activation rule alone decides.
  main.Project().CircularShape = 0;
  form->RadioButton1()->setChecked(true);
  form->DataEdit(1)->setVisible(true);
  form->FormActivate();
  EXPECT_TRUE(hidden(1));
  EXPECT_TRUE(shown(2) && shown(3));
}

TEST_F(ShapeTest, ShapeButtonsSetTheFieldAtOnceAndKeepTheValues) {
  main.Project().Radius = 1.5;
  main.Project().LengthX = 4;
  main.Project().WidthY = 3;
  form->FormActivate();
  form->RadioButton2()->click();
  EXPECT_EQ(main.Project().CircularShape, 1);
  EXPECT_TRUE(main.IsModified());
  EXPECT_TRUE(shown(1) && hidden(2) && hidden(3));
  form->RadioButton1()->click();
  EXPECT_EQ(main.Project().CircularShape, 0);
  EXPECT_TRUE(hidden(1) && shown(2) && shown(3));
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().Radius, 1.5L) << "the hidden box is stored too";
  EXPECT_EQ(main.Project().LengthX, 4);
  EXPECT_EQ(main.Project().WidthY, 3);
}

TEST_F(ShapeTest, AWidthTypedInTheSessionReachesTheGeometry) {
  // A 6 by 4 block made in the session, never read from a file: the 3D view
  // and the geometry file take the width from its copy.
  form->FormActivate();
  form->DataEdit(2)->setText("6");
  form->DataEdit(3)->setText("4");
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().WidthCopy, 4);
  // Without side soil the block is 0.15 of the width high.
  const std::string geometry = front::geometryFileText(main.Project());
  const std::string head = "RECTANGULAR \n 6 4 0.6\n";
  EXPECT_EQ(geometry.substr(0, head.size()), head);
}

TEST_F(ShapeTest, RadiusOutsideTheBoxIsClampedAndStoredBack) {
  main.Project().CircularShape = 1;
  main.Project().Radius = 3e9;
  form->FormActivate();
  EXPECT_EQ(form->DataEdit(1)->text(), "2147483647");
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().Radius, 2147483647.0L);
}

}  // namespace
}  // namespace zrv::test
