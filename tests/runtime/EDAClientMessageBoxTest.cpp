#include <gtest/gtest.h>

#include "runtime/EDAClientMessageBox.h"
#include "platform/HelpEngine.h"
#include "runtime/RT_ServerImplementation.h"
#include "tests/support/FakeClient.h"
#include "ui/Application.h"
#include "ui/Headless.h"
#include "ui/StdCtrls.h"

namespace qv {
namespace {

using namespace ui;

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    SetCurrentClient(nullptr);
  }
  void TearDown() override {
    SetCurrentClient(nullptr);
    headless::Reset();
  }
};

TButton* ButtonNamed(TCustomForm& form, std::string_view name) {
  return dynamic_cast<TButton*>(form.FindComponent(name));
}

TEST(MulDivTest, RoundsToNearestWithHalvesAwayFromZero) {
  struct Case {
    int a, b, c, expected;
  } cases[] = {{10, 13, 8, 16},  {14, 13, 8, 23}, {10, 5, 4, 13},          {50, 5, 4, 63},
               {-10, 5, 4, -13}, {8, 6, 4, 12},   {1, 1, 0, -1},           {1 << 30, 8, 2, -1},
               {-50, 5, -4, 63}, {7, 1, 2, 4},    {1 << 30, 4, 4, 1 << 30}};
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

// Metrics with the default headless font: characters 6 by 13, so margins 12 and 13, spacings
// 15 and 16, buttons 75 by 23 spaced 6; the dialog frame adds 6 in width and 28 in height; the
// screen is 1280 by 1024, so text wraps at 640.
TEST_F(MessageBoxTest, LayoutTable) {
  struct Case {
    const char* what;
    std::string text;
    TMsgDlgType kind;
    TMsgDlgButtons buttons;
    int clientWidth, clientHeight;
    TRect label;
    int firstButtonX, buttonY;
  } cases[] = {
      {"error with OK",
       "No board is currently open.",
       TMsgDlgType::mtError,
       mbOK,
       233,
       97,
       {59, 13, 59 + 162, 26},
       79,
       61},
      {"help only, no icon", "x", TMsgDlgType::mtCustom, mbHelp, 99, 78, {12, 13, 18, 26}, 12, 42},
      {"empty text still 32 high",
       "",
       TMsgDlgType::mtError,
       mbOK,
       99,
       97,
       {59, 13, 59, 26},
       12,
       61},
      {"long text wraps at half the screen",
       [] {
         std::string t = "abcd";
         for (int i = 1; i < 30; ++i) t += " abcd";
         return t;
       }(),
       TMsgDlgType::mtCustom,
       mbOK,
       648,
       91,
       {12, 13, 12 + 624, 13 + 26},
       286,
       55},
      {"a long word widens the box",
       std::string(120, 'x'),
       TMsgDlgType::mtWarning,
       mbOK,
       791,
       97,
       {59, 13, 59 + 720, 26},
       358,
       61},
      {"three buttons",
       "Save?",
       TMsgDlgType::mtConfirmation,
       mbYes | mbNo | mbCancel,
       261,
       97,
       {59, 13, 59 + 30, 26},
       12,
       61},
      {"tab expands to the next stop",
       "a\tb",
       TMsgDlgType::mtCustom,
       mbOK,
       99,
       78,
       {12, 13, 12 + 54, 26},
       12,
       42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto form = CreateMessageForm(c.text, c.kind, c.buttons);
    EXPECT_EQ(form->ClientWidth(), c.clientWidth);
    EXPECT_EQ(form->ClientHeight(), c.clientHeight);
    EXPECT_EQ(form->Width(), c.clientWidth + 6);
    EXPECT_EQ(form->Left(), 640 - form->Width() / 2);
    EXPECT_EQ(form->Top(), 512 - form->Height() / 2);
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->BoundsRect(), c.label);
    EXPECT_TRUE(label->WordWrap());
    EXPECT_EQ(label->Caption(), c.text);
    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image"));
    EXPECT_EQ(image != nullptr, c.kind != TMsgDlgType::mtCustom);
    if (image != nullptr) {
      EXPECT_EQ(image->BoundsRect(), (TRect{12, 13, 44, 45}));
      EXPECT_EQ(image->Icon(), IconForKind(c.kind));
    }
    int x = c.firstButtonX;
    for (TControl* control : form->Controls()) {
      auto* button = dynamic_cast<TButton*>(control);
      if (button == nullptr) continue;
      EXPECT_EQ(button->BoundsRect(), (TRect{x, c.buttonY, x + 75, c.buttonY + 23}))
          << button->Name();
      x += 81;
    }
  }
}

TEST_F(MessageBoxTest, MetricsRoundWithMulDivNotTruncate) {
  // Characters 5 by 12: horizontal spacing 12.5 -> 13, button width 62.5 -> 63.
  headless::SetCharSize(5, 12);
  auto form = CreateMessageForm("ab", TMsgDlgType::mtError, mbOK | mbCancel);
  // Area: 10 + 32 + 13 = 55 wide; buttons 63 * 2 + 5 = 131; margins 10 each.
  EXPECT_EQ(form->ClientWidth(), 151);
  // 32 + button height 21 + spacing 15 + margins 12 each.
  EXPECT_EQ(form->ClientHeight(), 92);
  EXPECT_EQ(ButtonNamed(*form, "OK")->BoundsRect(), (TRect{10, 59, 73, 80}));
  EXPECT_EQ(ButtonNamed(*form, "Cancel")->BoundsRect(), (TRect{78, 59, 141, 80}));
  EXPECT_EQ(form->FindComponent("Message")->Name(), "Message");
  EXPECT_EQ(static_cast<TLabel*>(form->FindComponent("Message"))->Left(), 55 - 10 + 10);
}

TEST_F(MessageBoxTest, DefaultAndCancelButtons) {
  struct Case {
    TMsgDlgButtons buttons;
    const char* defaultButton;
    const char* cancelButton;
  } cases[] = {{mbOK, "OK", "OK"},
               {mbOK | mbCancel, "OK", "Cancel"},
               {mbYes | mbNo, "Yes", "No"},
               {mbYes | mbNo | mbCancel, "Yes", "Cancel"},
               {mbAbort | mbRetry | mbIgnore, "Retry", ""},
               {mbHelp, "", ""},
               {mbNo | mbRetry, "Retry", "No"}};
  for (const Case& c : cases) {
    auto form = CreateMessageForm("?", TMsgDlgType::mtConfirmation, c.buttons);
    std::string defaults, cancels;
    for (TComponent* component : form->Components())
      if (auto* b = dynamic_cast<TButton*>(component)) {
        if (b->Default()) defaults += b->Name();
        if (b->Cancel()) cancels += b->Name();
      }
    EXPECT_EQ(defaults, c.defaultButton) << c.buttons;
    EXPECT_EQ(cancels, c.cancelButton) << c.buttons;
  }
}

TEST_F(MessageBoxTest, ButtonsInBitOrderWithCaptionsAndResults) {
  auto form = CreateMessageForm("?", TMsgDlgType::mtCustom, 0x7FF);
  const char* names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                         "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  const char* captions[] = {"&Yes",    "&No", "OK",      "Cancel",   "&Abort", "&Retry",
                            "&Ignore", "All", "NoToAll", "YesToAll", "&Help"};
  int results[] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};
  int i = 0, previousX = -1;
  for (TControl* control : form->Controls()) {
    auto* b = dynamic_cast<TButton*>(control);
    if (b == nullptr) continue;
    EXPECT_EQ(b->Name(), names[i]);
    EXPECT_EQ(b->Caption(), captions[i]);
    EXPECT_EQ(b->ModalResult(), results[i]);
    EXPECT_GT(b->Left(), previousX);
    previousX = b->Left();
    ++i;
  }
  EXPECT_EQ(i, 11);
}

TEST_F(MessageBoxTest, ShowErrorShowsOneOkButtonWithTitleAndAnswersEscape) {
  std::string caption;
  int modalResultAfterEscape = -1;
  headless::SetModalAnswer([&](TCustomForm& form) {
    caption = form.Caption();
    form.PressKey(vkEscape);
    modalResultAfterEscape = form.ModalResult();
  });
  ShowError("No board is currently open.");
  EXPECT_EQ(caption, "Vantrope Error");
  EXPECT_EQ(modalResultAfterEscape, mrOk);
  EXPECT_EQ(headless::LastModalTranscript(),
            "[Vantrope Error] No board is currently open.\n  buttons: [OK, default, cancel]\n");
}

TEST_F(MessageBoxTest, ShowInformationAnswersTheDefaultButton) {
  ShowInformation("Library written.");
  EXPECT_EQ(headless::ModalRunCount(), 1);
  EXPECT_EQ(headless::LastModalTranscript(),
            "[Vantrope Information] Library written.\n  buttons: [OK, default, cancel]\n");
}

TEST_F(MessageBoxTest, AmpersandIsShownNotTakenAsAccelerator) {
  std::string caption;
  TRect bounds;
  headless::SetModalAnswer([&](TCustomForm& form) {
    auto* label = static_cast<TLabel*>(form.FindComponent("Message"));
    caption = label->Caption();
    bounds = label->BoundsRect();
    form.PressKey(vkReturn);
  });
  EXPECT_EQ(ShowMessageBox("Save & close", "T", TMsgDlgType::mtCustom, mbOK), mrOk);
  EXPECT_EQ(caption, "Save && close");
  EXPECT_EQ(bounds.Width(), 12 * 6);  // measured as shown: one ampersand
  EXPECT_EQ(headless::LastModalTranscript(),
            "[T] Save & close\n  buttons: [OK, default, cancel]\n");
}

TEST_F(MessageBoxTest, HelpOnlyBoxIgnoresEscapeAndEnter) {
  int resultAfterKeys = -1;
  headless::SetModalAnswer([&](TCustomForm& form) {
    form.PressKey(vkEscape);
    form.PressKey(vkReturn);
    resultAfterKeys = form.ModalResult();
    ButtonNamed(form, "Help")->Click();  // runs the help; the box stays open
    resultAfterKeys += form.ModalResult();
    form.SetModalResult(mrCancel);  // the close button
  });
  EXPECT_EQ(ShowMessageFormAt("?", "T", TMsgDlgType::mtCustom, mbHelp, 0, -1, -1, {}), mrCancel);
  EXPECT_EQ(resultAfterKeys, mrNone);
}

TEST_F(MessageBoxTest, HelpButtonShowsTheHelpOfTheFormsContext) {
  platform::RecordedHelpCalls().clear();
  headless::SetModalAnswer([](TCustomForm& form) {
    ButtonNamed(form, "Help")->Click();
    form.PressKey(vkReturn);
  });
  EXPECT_EQ(ShowMessageFormAt("?", "T", TMsgDlgType::mtInformation, mbOK | mbHelp, 42, -1, -1,
                              "/help/box.hlp"),
            mrOk);
  EXPECT_EQ(platform::RecordedHelpCalls(),
            (std::vector<platform::HelpCall>{{Application().Handle(), "/help/box.hlp",
                                              platform::HelpCommand::Context, 42}}));
  platform::RecordedHelpCalls().clear();
}

TEST_F(MessageBoxTest, ExplicitPositionOverridesCentring) {
  TRect shownAt;
  headless::SetModalAnswer([&](TCustomForm& form) {
    shownAt = form.BoundsRect();
    form.PressKey(vkReturn);
  });
  ShowMessageFormAt("No board is currently open.", "T", TMsgDlgType::mtError, mbOK, 0, 10, -1, {});
  EXPECT_EQ(shownAt.Left, 10);
  EXPECT_EQ(shownAt.Top, 512 - 125 / 2);
  ShowMessageFormAt("No board is currently open.", "T", TMsgDlgType::mtError, mbOK, 0, -1, 7, {});
  EXPECT_EQ(shownAt.Left, 640 - 239 / 2);
  EXPECT_EQ(shownAt.Top, 7);
}

TEST_F(MessageBoxTest, CentredOnTheMonitorOfTheActiveWindow) {
  headless::SetMonitors({{nullptr, {0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                         {nullptr, {1280, -100, 3200, 980}, {1280, -100, 3200, 940}, false}});
  struct Case {
    const char* what;
    TRect activeWindow;
    int left, top;
  } cases[] = {
      // Box 239 by 125.
      {"on the second monitor",
       {2000, 100, 2400, 400},
       (1280 + 3200 - 239) / 2,
       (-100 + 980 - 125) / 2},
      {"mostly on the second",
       {1200, 0, 1500, 300},
       (1280 + 3200 - 239) / 2,
       (-100 + 980 - 125) / 2},
      {"on none: the nearest", {-900, 2000, -800, 2100}, (1280 - 239) / 2, (1024 - 125) / 2},
      {"left of the desktop, rounding toward zero", {1300, 0, 1400, 100}, 2120, 377},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    headless::SetActiveWindow(headless::CreateForeignWindow(c.activeWindow));
    TRect shownAt;
    headless::SetModalAnswer([&](TCustomForm& form) {
      shownAt = form.BoundsRect();
      form.PressKey(vkReturn);
    });
    ShowError("No board is currently open.");
    EXPECT_EQ(shownAt.Left, c.left);
    EXPECT_EQ(shownAt.Top, c.top);
    EXPECT_EQ(shownAt.Width(), 239);
  }
}

TEST_F(MessageBoxTest, MonitorUnknownToTheFrameworkKeepsTheScreenCentre) {
  headless::SetMonitorOverride(reinterpret_cast<MonitorHandle>(0xBAD));
  auto form = CreateMessageForm("x", TMsgDlgType::mtCustom, mbOK);
  TRect before = form->BoundsRect();
  CentreOnActiveMonitor(*form);
  EXPECT_EQ(form->BoundsRect(), before);
}

TEST_F(MessageBoxTest, OwnedByTheClientWindowAndUsesTheMessageFont) {
  test::FakeClient client;
  SetCurrentClient(&client);
  auto owned = CreateMessageForm("x", TMsgDlgType::mtCustom, mbOK);
  EXPECT_EQ(CurrentBackend().WindowParent(owned->Handle()), client.dialogOwner);
  EXPECT_EQ(owned->Font().Name, "Tahoma");
  SetCurrentClient(nullptr);
  headless::SetMessageFont(std::nullopt);
  auto ownerless = CreateMessageForm("x", TMsgDlgType::mtCustom, mbOK);
  EXPECT_EQ(CurrentBackend().WindowParent(ownerless->Handle()), nullptr);
  EXPECT_EQ(ownerless->Font(), TFont{});
}

}  // namespace
}  // namespace qv
