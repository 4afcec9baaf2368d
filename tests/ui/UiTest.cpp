#include <gtest/gtest.h>

#include "ui/Forms.h"
#include "ui/Headless.h"
#include "ui/StdCtrls.h"

namespace qv::ui {
namespace {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override { headless::Reset(); }
  void TearDown() override { headless::Reset(); }
};

TEST_F(UiTest, TextRectangleWrapsLikeTheSystem) {
  // Characters 6 wide and 13 high; the rectangle is 60 wide (ten characters).
  struct Case {
    const char* text;
    int width, height;
  } cases[] = {
      {"", 0, 13},
      {"short", 30, 13},
      {"one two three four", 60, 26},               // "one two" | "three four"
      {"one   two three", 54, 26},                  // "one   two" keeps inner spaces | "three"
      {"tiny averyveryverylongword end", 126, 39},  // the long word stays whole on its own line
      {"line\nnext\r\nlast", 24, 39},
      {"a\tb", 54, 13},           // tab to the next 8-character stop
      {"&File && more", 36, 26},  // measured as "File & more": "File &" | "more"
  };
  TCanvas canvas;
  for (const Case& c : cases) {
    TRect r = canvas.CalcTextRect({0, 0, 60, 0}, c.text, {.WordBreak = true, .ExpandTabs = true});
    EXPECT_EQ(r.Width(), c.width) << c.text;
    EXPECT_EQ(r.Height(), c.height) << c.text;
  }
}

TEST_F(UiTest, OwnerFreesComponentsAndParentsForgetFreedChildren) {
  auto form = New<TForm>();
  auto& panel = Create<TPanel>(*form);
  panel.SetParent(form.get());
  auto& label = Create<TLabel>(*form);
  label.SetName("Caption");
  label.SetParent(&panel);
  EXPECT_EQ(form->FindComponent("caption"), &label);
  EXPECT_EQ(label.Parent(), &panel);
  EXPECT_EQ(GetParentForm(label), form.get());
  delete &label;
  EXPECT_EQ(panel.ControlCount(), 0);
  EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(UiTest, ControlFollowsItsWindowWhenTheBackEndMovesIt) {
  auto form = New<TForm>();
  form->SetBounds(10, 20, 300, 200);
  WindowHandle h = form->Handle();
  EXPECT_EQ(FindControl(h), form.get());
  CurrentBackend().SetWindowPos(h, {100, 50, 400, 250});
  EXPECT_EQ(form->BoundsRect(), (TRect{100, 50, 400, 250}));
  form->SetLeft(0);
  EXPECT_EQ(CurrentBackend().WindowRect(h), (TRect{0, 50, 300, 250}));
}

TEST_F(UiTest, FormShowsWithTheCommandOfItsWindowState) {
  struct Case {
    TWindowState state;
    int command;
  } cases[] = {{TWindowState::wsNormal, swShowNormal},
               {TWindowState::wsMinimized, swShowMinNoActive},
               {TWindowState::wsMaximized, swShowMaximized}};
  for (const Case& c : cases) {
    auto form = New<TForm>();
    form->SetWindowState(c.state);
    form->SetPosition(TPosition::poScreenCenter);
    form->Show();
    EXPECT_EQ(headless::LastShowCommand(form->Handle()), c.command);
    EXPECT_EQ(form->Left(), (1280 - form->Width()) / 2);
    EXPECT_EQ(form->ShowCount(), 1);
  }
}

}  // namespace
}  // namespace qv::ui
