#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

#include "runtime/RT_ServerImplementation.h"
#include "services/Rt_forms.h"
#include "tests/support/FakeClient.h"
#include "ui/Application.h"
#include "ui/Headless.h"

namespace qv {
namespace {

using namespace ui;

const TRect secondMonitor{1280, -200, 3200, 880};

class ServerDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    headless::SetMonitors({{nullptr, {0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                           {nullptr, secondMonitor, secondMonitor, false}});
    SetCurrentClient(&client);
    InstallFormHooksFor(false);
  }
  void TearDown() override {
    RemoveFormHooks();
    SetCurrentClient(nullptr);
    Application().OnException = nullptr;
    headless::Reset();
  }
  void ActivateWindowOnSecondMonitor() {
    headless::SetActiveWindow(headless::CreateForeignWindow({2000, 100, 2300, 300}));
  }
  test::FakeClient client;
};

// A dialog whose stored contents hold one control of each styled kind.
class StyledDialog : public TServerDialog {
 public:
  explicit StyledDialog(TFormBorderStyle style = TFormBorderStyle::bsDialog,
                        std::optional<bool> themeFormCanResize = std::nullopt)
      : style_(style), themeFormCanResize_(themeFormCanResize) {}

  TLabel* greyLabel = nullptr;
  TLabel* plainLabel = nullptr;
  TTeThemeCheckBox* check = nullptr;
  TCustomXPEdit* editOnDialog = nullptr;
  TCustomXPEdit* editInGroup = nullptr;
  TCustomXPEdit* editInFrame = nullptr;
  TTeThemeGroupBox* group = nullptr;
  TKsCustomTabControl* tabs = nullptr;
  TPanel* panel = nullptr;

 protected:
  void ReadContents() override {
    SetName("StyledDlg");
    SetBorderStyle(style_);
    SetBounds(0, 0, 400, 300);
    if (themeFormCanResize_) Create<TTeThemeForm>(*this).CanResize = *themeFormCanResize_;
    greyLabel = &Place<TLabel>(this);
    greyLabel->Font().Color = clGrayText;
    plainLabel = &Place<TLabel>(this);
    plainLabel->Font().Color = clBlue;
    check = &Place<TTeThemeCheckBox>(this);
    check->Font().Color = clGrayText;
    editOnDialog = &Place<TCustomXPEdit>(this);
    group = &Place<TTeThemeGroupBox>(this);
    editInGroup = &Place<TCustomXPEdit>(group);
    auto& frame = Place<TFrame>(this);
    editInFrame = &Place<TCustomXPEdit>(&frame);
    tabs = &Place<TKsCustomTabControl>(this);
    panel = &Place<TPanel>(this);
  }

 private:
  template <class T>
  T& Place(TWinControl* parent) {
    T& c = Create<T>(*this);
    c.SetParent(parent);
    return c;
  }
  TFormBorderStyle style_;
  std::optional<bool> themeFormCanResize_;
};

TEST_F(ServerDialogTest, ControlsGetTheDialogLook) {
  auto dialog = New<StyledDialog>();
  EXPECT_EQ(dialog->greyLabel->Font().Color, cl3DDkShadow);
  EXPECT_EQ(dialog->greyLabel->Font().Name, "Arial");
  EXPECT_EQ(dialog->plainLabel->Font(), (TFont{.Color = clBlue}));
  EXPECT_EQ(dialog->check->Height(), 19);
  EXPECT_EQ(dialog->check->Font().Color, cl3DDkShadow);
  EXPECT_EQ(dialog->editOnDialog->Font().Color, clBlue);
  EXPECT_TRUE(dialog->editOnDialog->Transparent());
  for (TCustomXPEdit* edit : {dialog->editInGroup, dialog->editInFrame}) {
    EXPECT_EQ(edit->FrameColor, clBtnShadow);
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_EQ(edit->Font().Color, clWindowText);
    EXPECT_FALSE(edit->Transparent());
  }
  ASSERT_NE(dialog->ThemeEngine, nullptr);
  for (TComponent* themed : std::initializer_list<TComponent*>{
           dialog->check, dialog->group, dialog->tabs, dialog->editOnDialog, dialog->ThemeForm})
    EXPECT_EQ(themed->GetPublishedProperty("ThemeEngine"), dialog->ThemeEngine)
        << themed->ClassName();
}

TEST_F(ServerDialogTest, SetupThemeConfiguresTheEngineAndTheThemedFrame) {
  auto dialog = New<StyledDialog>();
  TTeThemeEngine& engine = *dialog->ThemeEngine;
  EXPECT_EQ(engine.Owner(), dialog.get());
  EXPECT_EQ(engine.Theme()->Name(), "XP");  // the platform reports a system newer than 5.0
  EXPECT_TRUE(engine.UseNativeXPTheme);
  EXPECT_GE(engine.LoadedCount(), 1);
  TTeThemeForm& f = *dialog->ThemeForm;
  EXPECT_TRUE(f.Active());
  EXPECT_EQ(f.BorderIcons, (TKsBorderIcons{TKsBorderIcon::kbiClose, TKsBorderIcon::kbiHelp}));
  EXPECT_EQ(f.BorderStyle, TKsBorderStyle::kbsStandard);
  EXPECT_FALSE(f.Blend);
  EXPECT_EQ(f.BlendValue, 150);
  EXPECT_FALSE(f.DropShadow);
  EXPECT_EQ(f.ShadowWidth, 4);
  EXPECT_TRUE(f.Magnetic);
  EXPECT_EQ(f.MagneticValue, 20);
  EXPECT_FALSE(f.SimpleDrag);
  EXPECT_EQ(f.ShowAnimation, TKsAnimation::kaNone);
  EXPECT_EQ(f.ShowAnimationTime, 400);
  EXPECT_FALSE(f.SysMenuBlend);
  EXPECT_EQ(f.SysMenuBlendValue, 150);
  EXPECT_FALSE(f.SysMenuDropShadow);
  EXPECT_EQ(f.SysMenuShadowWidth, 4);
  EXPECT_EQ(f.SysMenuShowAnimation, TKsAnimation::kaNone);
  EXPECT_EQ(f.SysMenuShowAnimationTime, 300);
  EXPECT_EQ(f.WindowState, TKsWindowState::kwsNormal);
  EXPECT_EQ(f.ThemeEngine, &engine);
  EXPECT_TRUE(f.CanMove);
  // The themed frame (4, 30, 4, 4) replaced the dialog frame (3, 25, 3, 3); the client area kept
  // its size and the dialog grew around it.
  EXPECT_EQ(dialog->ClientWidth(), 400 - 6);
  EXPECT_EQ(dialog->ClientHeight(), 300 - 28);
  EXPECT_EQ(dialog->Width(), 402);
  EXPECT_EQ(dialog->Height(), 306);
}

TEST_F(ServerDialogTest, CanResizeIsKeptOrSetFromTheBorderStyle) {
  struct Case {
    TFormBorderStyle style;
    std::optional<bool> existing;
    bool canResize;
  } cases[] = {{TFormBorderStyle::bsDialog, std::nullopt, false},
               {TFormBorderStyle::bsSingle, std::nullopt, false},
               {TFormBorderStyle::bsSizeable, std::nullopt, true},
               {TFormBorderStyle::bsSizeToolWin, std::nullopt, true},
               {TFormBorderStyle::bsSizeable, false, false},
               {TFormBorderStyle::bsDialog, true, true}};
  for (const Case& c : cases) {
    auto dialog = New<StyledDialog>(c.style, c.existing);
    EXPECT_EQ(dialog->ThemeForm->CanResize, c.canResize);
    int themeForms = 0;
    for (TComponent* component : dialog->Components())
      if (dynamic_cast<TTeThemeForm*>(component)) ++themeForms;
    EXPECT_EQ(themeForms, 1);
  }
}

TEST_F(ServerDialogTest, WindowBelongsToTheHostAndOffersHelpInItsCaption) {
  auto dialog = New<StyledDialog>();
  EXPECT_EQ(CurrentBackend().WindowParent(dialog->Handle()), client.dialogOwner);
  EXPECT_TRUE(CurrentBackend().WindowExStyle(dialog->Handle()) & wsExContextHelp);
}

TEST_F(ServerDialogTest, CentredOnTheActiveMonitorAndShownWithoutFrameworkPlacement) {
  ActivateWindowOnSecondMonitor();
  auto dialog = New<StyledDialog>();
  const int left = (secondMonitor.Left + secondMonitor.Right - dialog->Width()) / 2;
  const int top = (secondMonitor.Top + secondMonitor.Bottom - dialog->Height()) / 2;
  EXPECT_EQ(dialog->Left(), left);
  EXPECT_EQ(dialog->Top(), top);
  dialog->SetPosition(TPosition::poScreenCenter);
  dialog->SetWindowState(TWindowState::wsMaximized);
  bool markDuringShow = false;
  dialog->OnShow = [&](TCustomForm& f) {
    markDuringShow = f.ShowingMark();
    throw std::runtime_error("show event failed");
  };
  std::string reported;
  Application().OnException = [&](const std::exception_ptr& e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      reported = x.what();
    }
  };
  dialog->Show();
  EXPECT_TRUE(markDuringShow);
  EXPECT_FALSE(dialog->ShowingMark());
  EXPECT_EQ(reported, "show event failed");
  EXPECT_EQ(dialog->Left(), left);  // not moved to the screen's centre
  EXPECT_EQ(headless::LastShowCommand(dialog->Handle()), swShowMaximized);
}

TEST_F(ServerDialogTest, ControlsAddedLaterAreStyledAtAnyDepth) {
  auto dialog = New<StyledDialog>();
  // Directly on the dialog: owned by it and inserted among its children.
  auto& direct = Create<TLabel>(*dialog);
  direct.Font().Color = clGrayText;
  direct.SetParent(dialog.get());
  EXPECT_EQ(direct.Font().Color, cl3DDkShadow);
  // Deeper, into a panel, and owned by another form: only the insert interception reaches it.
  auto other = New<TForm>();
  auto& deep = Create<TLabel>(*other);
  deep.Font().Color = clGrayText;
  deep.SetParent(dialog->panel);
  EXPECT_EQ(deep.Font().Color, cl3DDkShadow);
  RemoveFormHooks();
  auto& unreached = Create<TLabel>(*other);
  unreached.Font().Color = clGrayText;
  unreached.SetParent(dialog->panel);
  EXPECT_EQ(unreached.Font().Color, clGrayText);
}

// A panel that runs an action when a control is inserted into it.
class InsertingPanel : public TPanel {
 public:
  std::function<void()> OnInsert;

 protected:
  void ControlChange(TControl&, bool inserting) override {
    if (inserting && OnInsert) std::exchange(OnInsert, nullptr)();
  }
};

TEST_F(ServerDialogTest, AnInsertionDuringAnInterceptedInsertionRunsWithoutTheInterception) {
  auto dialog = New<StyledDialog>();
  auto other = New<TForm>();
  auto& outer = Create<InsertingPanel>(*other);
  outer.SetParent(dialog->panel);
  auto grey = [&] {
    auto& label = Create<TLabel>(*other);
    label.Font().Color = clGrayText;
    return &label;
  };
  TLabel* nested = grey();
  outer.OnInsert = [&] { nested->SetParent(dialog->panel); };
  TLabel* first = grey();
  first->SetParent(&outer);
  EXPECT_EQ(nested->Parent(), dialog->panel);
  EXPECT_EQ(nested->Font().Color, clGrayText);  // inserted while the interception was out
  EXPECT_EQ(first->Font().Color, cl3DDkShadow);
  TLabel* later = grey();
  later->SetParent(dialog->panel);  // the interception is back
  EXPECT_EQ(later->Font().Color, cl3DDkShadow);
}

TEST_F(ServerDialogTest, FrameInsertedAtRunTimeTakesTheThemeColour) {
  auto dialog = New<StyledDialog>();
  dialog->ThemeEngine->SetTheme(std::make_unique<TTeThemeLuna>());
  auto& frame = Create<TFrame>(*dialog);
  auto& edit = Create<TCustomXPEdit>(frame);
  edit.SetParent(&frame);
  frame.SetParent(dialog->panel);
  EXPECT_EQ(frame.Color(), MakeColor(239, 235, 222));
  EXPECT_FALSE(edit.Transparent());
  EXPECT_EQ(frame.GetPublishedProperty("ThemeEngine"), nullptr);
  // A frame in a form that is no server dialog is left alone.
  auto plain = New<TForm>();
  auto& panel = Create<TPanel>(*plain);
  panel.SetParent(plain.get());
  auto& plainFrame = Create<TFrame>(*plain);
  plainFrame.SetParent(&panel);
  EXPECT_EQ(plainFrame.Color(), clBtnFace);
}

TEST_F(ServerDialogTest, MessageDialogsAreCentredOnTheActiveMonitor) {
  ActivateWindowOnSecondMonitor();
  auto dialog = CreateMessageDialog("Overwrite?", TMsgDlgType::mtConfirmation, mbYes | mbNo);
  dialog->Show();
  EXPECT_EQ(dialog->Left(), (secondMonitor.Left + secondMonitor.Right - dialog->Width()) / 2);
  EXPECT_EQ(dialog->Top(), (secondMonitor.Top + secondMonitor.Bottom - dialog->Height()) / 2);
  EXPECT_EQ(headless::LastShowCommand(dialog->Handle()), swShowNormal);
  EXPECT_EQ(dialog->ShowCount(), 0);  // the framework's handler did not run
  // Other forms keep the framework's placement.
  auto form = New<TForm>();
  form->SetPosition(TPosition::poScreenCenter);
  form->Show();
  EXPECT_EQ(form->Left(), (1280 - form->Width()) / 2);
  // Without the interception the framework centres message dialogs on the screen.
  RemoveFormHooks();
  auto later = CreateMessageDialog("Overwrite?", TMsgDlgType::mtConfirmation, mbYes | mbNo);
  later->Show();
  EXPECT_EQ(later->Left(), (1280 - later->Width()) / 2);
}

TEST_F(ServerDialogTest, FileDialogOpensOnTheMonitorOfTheActiveWindow) {
  ActivateWindowOnSecondMonitor();
  headless::SetFileDialogAnswer("/boards/a.PcbDoc");
  TOpenDialog open;
  ASSERT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, "/boards/a.PcbDoc");
  const int x = (secondMonitor.Left + secondMonitor.Right - 560) / 2;
  const int y = secondMonitor.Top + (secondMonitor.Height() - 420) / 3;
  EXPECT_EQ(headless::LastFileDialogRect(), (TRect{x, y, x + 560, y + 420}));
  headless::SetFileDialogAnswer(std::nullopt);
  TSaveDialog save;
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(headless::LastFileDialogRect(), (TRect{x, y, x + 560, y + 420}));
  // In the development environment nothing is intercepted: the framework centres on the screen.
  RemoveFormHooks();
  InstallFormHooksFor(true);
  EXPECT_FALSE(FormHooks().HooksInstalled);
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(headless::LastFileDialogRect(), (TRect{360, 302, 920, 722}));
}

TEST_F(ServerDialogTest, InterceptionIsBackAfterTheInterceptedOperationFails) {
  auto form = New<TForm>();
  form->SetPosition(TPosition::poScreenCenter);
  form->OnShow = [](TCustomForm&) { throw std::runtime_error("no"); };
  EXPECT_THROW(form->Show(), std::runtime_error);
  EXPECT_NE(FormHooks().ShowingChanged.Target, nullptr);
  EXPECT_NE(FormShowingChangedHook().Current(), FormShowingChangedHook().Original());
  RemoveFormHooks();
  EXPECT_EQ(FormShowingChangedHook().Current(), FormShowingChangedHook().Original());
  EXPECT_EQ(InsertControlHook().Current(), InsertControlHook().Original());
  EXPECT_EQ(FileDialogHook().Current(), FileDialogHook().Original());
  EXPECT_EQ(OpenDialogExecuteHook().Current(), OpenDialogExecuteHook().Original());
}

TEST_F(ServerDialogTest, InstalledHooksAndWhatTheyLearned) {
  const FormHooksState& s = FormHooks();
  EXPECT_TRUE(s.HooksInstalled);
  EXPECT_EQ(s.InsertControl.Target, &InsertControlHook());
  EXPECT_EQ(s.ShowingChanged.Target, &FormShowingChangedHook());
  EXPECT_EQ(s.DialogHook.Target, &FileDialogHook());
  EXPECT_EQ(s.ExecuteStep.Target, &OpenDialogExecuteHook());
  EXPECT_EQ(s.MessageDialogClass, &TMessageForm::StaticClass());
  EXPECT_EQ(FindMessageHandler(TForm::StaticClass(), cmShowingChanged), nullptr);
}

TEST(PlacementTest, PlaceOnMonitorCentresAndPutsAThirdAbove) {
  headless::Reset();
  headless::SetMonitors({{nullptr, {0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                         {nullptr, {-1024, -7, 0, 761}, {-1024, -7, 0, 761}, false}});
  std::vector<MonitorInfo> monitors = CurrentBackend().Monitors();
  struct Case {
    int monitor;
    TRect expected;
  } cases[] = {{0, {440, 241, 840, 541}}, {1, {-712, 149, -312, 449}}};
  for (const Case& c : cases) {
    WindowHandle w = headless::CreateForeignWindow({5, 5, 405, 305});
    PlaceOnMonitor(w, monitors[static_cast<std::size_t>(c.monitor)].Handle);
    EXPECT_EQ(CurrentBackend().WindowRect(w), c.expected);
  }
  headless::Reset();
}

TEST(PlacementTest, DevelopmentHostIsKnownByItsFileNameInAnyCase) {
  std::string name(DevelopmentHostName());
  std::string upper = name;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  EXPECT_TRUE(IsDevelopmentHost("/opt/tools/" + name));
  EXPECT_TRUE(IsDevelopmentHost("/opt/tools/" + upper));
  EXPECT_FALSE(IsDevelopmentHost("/opt/tools/quorvel-host"));
  EXPECT_FALSE(IsDevelopmentHost("/opt/" + name + "/quorvel-host"));
  EXPECT_FALSE(IsDevelopmentHost());  // the test program is not the development environment
}

}  // namespace
}  // namespace qv
