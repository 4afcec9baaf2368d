#include <gtest/gtest.h>

#include <fstream>

#include "platform/HelpEngine.h"
#include "runtime/RT_ServerImplementation.h"
#include "services/Rt_forms.h"
#include "tests/services/TestFolders.h"
#include "tests/support/FakeClient.h"
#include "ui/ComCtrls.h"
#include "ui/Headless.h"
#include "ui/StdCtrls.h"

namespace qv {
namespace {

using namespace ui;
using platform::HelpCall;
using platform::HelpCommand;

// A host folder with a Help folder, the module "Quorvel.so" and a host client that knows where
// redirect targets lead.
class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    std::filesystem::create_directory(folder.Path() / "Help");
    SetHelpLocation(HelpLocation{folder.Path().string() + "/", "/opt/qv/Quorvel.so"});
    SetCurrentClient(&client);
    platform::RecordedHelpCalls().clear();
  }
  void TearDown() override {
    SetCurrentClient(nullptr);
    SetHelpLocation(std::nullopt);
    platform::RecordedHelpCalls().clear();
    headless::Reset();
  }
  std::string HelpPath(std::string_view name) const {
    return (folder.Path() / "Help" / std::string(name)).string();
  }
  void Write(std::string_view name, std::string_view text) const {
    std::ofstream(HelpPath(name), std::ios::binary) << text;
  }
  const std::vector<HelpCall>& Calls() const { return platform::RecordedHelpCalls(); }

  test::TempFolder folder;
  test::FakeClient client;
};

TEST_F(HelpTest, HelpFileNames) {
  EXPECT_EQ(ModuleHelpFile(), HelpPath("Quorvel.hlp"));
  EXPECT_EQ(WhatsThisHelpFile(), HelpPath("Quorvelwth.hlp"));
  EXPECT_EQ(MasterHelpFile(), HelpPath("vantropemaster.hlp"));
  EXPECT_EQ(RedirectHelpFile("C:\\Program Files\\Host\\Other.dll"), HelpPath("Other.hlp"));
  EXPECT_EQ(IdFileOf("/a.b/c.hlp"), "/a.b/c.id");
  SetHelpLocation(HelpLocation{"/h/", "/opt/qv/Quorvel.x.so"});
  EXPECT_EQ(ModuleHelpFile(), "/h/Help/Quorvel.hlp");  // ".so" removed, then ".x" replaced
}

TEST_F(HelpTest, IdFileLinesAndRedirects) {
  Write("Quorvel.id",
        "Alpha=12\n"
        "no equals here\n"
        "Empty=\n"
        "Redir=5,Other:Target\n"
        "Unknown=0,Nobody:Knows\n"
        "Neg1=-1\n"
        "Neg2=-2\n"
        "Neg9=-9\n"
        "Junk=12abc\n"
        " Spaced=3\n"
        "Last=7");
  Write("Other.hlp", "");
  Write("Other.id", "Other_Target=77\n");
  client.serverFiles["Other:Target"] = "C:\\Host\\Other.dll";
  struct Case {
    const char* key;
    int32_t topic;
    const char* helpFileAfter;
  } cases[] = {
      {"Alpha", 12, "Quorvel.hlp"},         {"aLPHA", 12, "Quorvel.hlp"},
      {"no equals here", 0, "Quorvel.hlp"}, {"Empty", 0, "Quorvel.hlp"},
      {"Redir", 77, "Other.hlp"},           {"Neg1", 77, "Other.hlp"},
      {"Unknown", 0, "Quorvel.hlp"},        {"Neg2", 0, "Quorvel.hlp"},
      {"Neg9", 0, "Quorvel.hlp"},           {"Junk", 0, "Quorvel.hlp"},
      {"Spaced", 0, "Quorvel.hlp"},         {" Spaced", 3, "Quorvel.hlp"},
      {"Last", 7, "Quorvel.hlp"},
  };
  for (const Case& c : cases) {
    std::string helpFile = ModuleHelpFile();
    EXPECT_EQ(LookupInHelpFile(c.key, helpFile), c.topic) << c.key;
    EXPECT_EQ(helpFile, HelpPath(c.helpFileAfter)) << c.key;
  }
}

TEST_F(HelpTest, RedirectToAModuleWithoutHelpFileKeepsThatFileName) {
  Write("Quorvel.id", "Key=0,NoHelp:Thing\n");
  client.serverFiles["NoHelp:Thing"] = "/opt/NoHelp.so";
  std::string helpFile = ModuleHelpFile();
  EXPECT_EQ(LookupInHelpFile("Key", helpFile), 0);
  EXPECT_EQ(helpFile, HelpPath("NoHelp.hlp"));
}

TEST_F(HelpTest, RedirectChainThatLoopsEndsWithNoTopic) {
  Write("Quorvel.id", "Start=0,B:Loop\n");
  Write("A.hlp", "");
  Write("A.id", "A_Loop=0,B:Loop\n");
  Write("B.hlp", "");
  Write("B.id", "B_Loop=0,A:Loop\n");
  client.serverFiles["A:Loop"] = "A.dll";
  client.serverFiles["B:Loop"] = "B.dll";
  std::string helpFile = ModuleHelpFile();
  EXPECT_EQ(LookupInHelpFile("Start", helpFile), 0);
  EXPECT_EQ(client.redirectQueries, (std::vector<std::string>{"B:Loop", "A:Loop"}));
  // The same target reached twice one after the other (not nested) is followed both times.
  Write("Quorvel.id", "One=0,A:Fine\nTwo=0,A:Fine\n");
  Write("A.id", "A_Fine=5\n");
  client.serverFiles["A:Fine"] = "A.dll";
  THelpIdList topics;
  THelpRedirects redirects;
  helpFile = ModuleHelpFile();
  EXPECT_EQ(LookupHelpTopic("One", "", helpFile, topics, redirects), 5);
  helpFile = ModuleHelpFile();
  EXPECT_EQ(LookupHelpTopic("Two", "", helpFile, topics, redirects), 5);
}

TEST_F(HelpTest, MissingIdFileIsLookedForAgainAtTheNextLookup) {
  auto form = New<TFormWithHelp>();
  form->SetName("MainDlg");
  std::string helpFile;
  EXPECT_EQ(form->TopicForControl(form.get(), helpFile), 0);
  EXPECT_EQ(helpFile, ModuleHelpFile());
  Write("Quorvel.id", "Dlg_MainDlg=10\n");
  EXPECT_EQ(form->TopicForControl(form.get(), helpFile), 10);
  // Once read, the form keeps its lists.
  Write("Quorvel.id", "Dlg_MainDlg=11\n");
  EXPECT_EQ(form->TopicForControl(form.get(), helpFile), 10);
}

// F1 help. The form "MainDlg" holds, in this order: a plain panel with a frame "Hidden" in it,
// a frame "FrameA" holding a frame "Inner" and an edit, a frame "FrameB", and a page control with
// page "Page1" holding frame "PageFrame" and an edit. The module id file has keys for forms and
// frames; the what's-this id file for pages.
class F1Test : public HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    form = New<TFormWithHelp>();
    form->SetName("MainDlg");
    auto& panel = Make<TPanel>("Panel1", form.get());
    Make<TFrame>("Hidden", &panel);
    panelEdit = &Make<TEdit>("PanelEdit", &panel);
    auto& frameA = Make<TFrame>("FrameA", form.get());
    Make<TFrame>("Inner", &frameA);
    frameEdit = &Make<TEdit>("FrameEdit", &frameA);
    Make<TFrame>("FrameB", form.get());
    auto& pages = Make<TPageControl>("Pages", form.get());
    auto& page = Make<TTabSheet>("Page1", &pages);
    Make<TFrame>("PageFrame", &page);
    pageEdit = &Make<TEdit>("PageEdit", &page);
  }
  template <class T>
  T& Make(const char* name, TWinControl* parent) {
    T& c = Create<T>(*form);
    c.SetName(name);
    c.SetParent(parent);
    return c;
  }
  // The help calls of one F1 press in `control`.
  std::vector<HelpCall> PressF1(TControl& control) {
    platform::RecordedHelpCalls().clear();
    form->PressKey(vkF1, &control);
    return Calls();
  }
  HelpCall Topic(const char* file, uintptr_t topic) const {
    return {client.helpOwner, HelpPath(file), HelpCommand::Context, topic};
  }

  std::unique_ptr<TFormWithHelp> form;
  TEdit* panelEdit = nullptr;
  TEdit* frameEdit = nullptr;
  TEdit* pageEdit = nullptr;
};

TEST_F(F1Test, ControlOnAPageTriesThePageThenItsFirstContainerThenTheForm) {
  struct Case {
    const char* moduleIds;
    const char* whatsThisIds;
    HelpCall expected;
  } cases[] = {
      {"Dlg_MainDlg=10\nDlg_PageFrame=50\n", "Dlg_Page1=40\n", Topic("Quorvelwth.hlp", 40)},
      {"Dlg_MainDlg=10\nDlg_PageFrame=50\n", "", Topic("Quorvel.hlp", 50)},
      {"Dlg_MainDlg=10\n", "", Topic("Quorvel.hlp", 10)},
  };
  for (const Case& c : cases) {
    form->HelpTopics = {};
    form->WhatsThisTopics = {};
    Write("Quorvel.id", c.moduleIds);
    Write("Quorvelwth.id", c.whatsThisIds);
    EXPECT_EQ(PressF1(*pageEdit), std::vector<HelpCall>{c.expected})
        << c.moduleIds << c.whatsThisIds;
  }
}

TEST_F(F1Test, ContainerSearchStopsAtTheFirstContainerChild) {
  struct Case {
    const char* moduleIds;
    HelpCall expected;
  } cases[] = {
      // The form's first container child is FrameA; the panel hides "Hidden".
      {"Dlg_MainDlg=10\nDlg_Hidden=20\nDlg_FrameA=30\n", Topic("Quorvel.hlp", 30)},
      // FrameA has no topic: the search goes into it, never on to FrameB.
      {"Dlg_MainDlg=10\nDlg_Inner=31\nDlg_FrameB=32\n", Topic("Quorvel.hlp", 31)},
      {"Dlg_MainDlg=10\nDlg_FrameB=32\n", Topic("Quorvel.hlp", 10)},
  };
  for (const Case& c : cases) {
    form->HelpTopics = {};
    Write("Quorvel.id", c.moduleIds);
    EXPECT_EQ(PressF1(*panelEdit), std::vector<HelpCall>{c.expected}) << c.moduleIds;
    EXPECT_EQ(PressF1(*form), std::vector<HelpCall>{c.expected}) << c.moduleIds;
  }
  // In a frame, the frame itself comes first.
  form->HelpTopics = {};
  Write("Quorvel.id", "Dlg_MainDlg=10\nDlg_FrameA=30\nDlg_Inner=31\n");
  EXPECT_EQ(PressF1(*frameEdit), std::vector<HelpCall>{Topic("Quorvel.hlp", 30)});
}

TEST_F(F1Test, NoTopicAnywherePopsUpTheMasterTopicAtTheCursor) {
  headless::SetCursorPos({300, 200});
  EXPECT_EQ(PressF1(*panelEdit),
            (std::vector<HelpCall>{
                {form->Handle(), HelpPath("vantropemaster.hlp"), HelpCommand::SetPopupPos,
                 platform::PopupPosition(300, 200)},
                {form->Handle(), HelpPath("vantropemaster.hlp"), HelpCommand::ContextPopup, 1}}));
}

TEST_F(F1Test, ThemedTabControlUsesItsActivePageOrCountsAsNone) {
  auto& tabs = Make<TKsCustomTabControl>("Tabs", form.get());
  auto& onTabs = Make<TButton>("OnTabs", &tabs);
  Write("Quorvel.id", "Dlg_MainDlg=10\n");
  Write("Quorvelwth.id", "Dlg_Sheet1=44\n");
  EXPECT_EQ(PressF1(onTabs), std::vector<HelpCall>{Topic("Quorvel.hlp", 10)});
  auto& sheet = Make<TKsCustomTabSheet>("Sheet1", &tabs);
  EXPECT_EQ(tabs.ActivePage(), &sheet);
  EXPECT_EQ(PressF1(onTabs), std::vector<HelpCall>{Topic("Quorvelwth.hlp", 44)});
}

TEST_F(F1Test, F1ThenTheWmHelpOfTheSameKeyShowsOneTopic) {
  Write("Quorvel.id", "Dlg_MainDlg=10\n");
  Write("Quorvelwth.id", "Dlg_MainDlg_PanelEdit=70\n");
  EXPECT_EQ(PressF1(*panelEdit).size(), 1u);
  EXPECT_TRUE(form->F1Pending);
  THelpInfo info{helpInfoWindow, 0, panelEdit->Handle(), 0, {5, 6}};
  form->WMHelp(info);
  EXPECT_EQ(Calls().size(), 1u);
  EXPECT_FALSE(form->F1Pending);
  form->WMHelp(info);  // a what's-this click is answered again
  ASSERT_EQ(Calls().size(), 3u);
  EXPECT_EQ(Calls()[2],
            (HelpCall{form->Handle(), HelpPath("Quorvelwth.hlp"), HelpCommand::ContextPopup, 70}));
  // Help switched off: F1 is the framework's key again.
  form->HelpEnabled = false;
  EXPECT_TRUE(PressF1(*panelEdit).empty());
}

TEST_F(F1Test, WhatsThisKeys) {
  auto& frame = Make<TFrame>("Opts", form.get());
  auto& inFrame = Make<TCheckBox>("Check", &frame);
  struct Case {
    const char* what;
    const char* ids;
    TControl* control;
    bool unnamedForm;
    uintptr_t topic;
  } cases[] = {
      {"container name", "Dlg_MainDlg_PanelEdit=1\nDlg_FormWithHelp_PanelEdit=2\n", panelEdit,
       false, 1},
      {"class key", "Dlg_FormWithHelp_PanelEdit=2\n", panelEdit, false, 2},
      {"parent's name", "Dlg_MainDlg_Panel1=3\n", panelEdit, false, 3},
      {"frame as container", "Dlg_Opts_Check=4\n", &inFrame, false, 4},
      {"frame class key", "Dlg_Frame_Check=5\n", &inFrame, false, 5},
      {"unnamed form: the name alone", "PanelEdit=6\nDlg_FormWithHelp_PanelEdit=7\n", panelEdit,
       true, 6},
      {"unnamed form: then the class key", "Dlg_FormWithHelp_PanelEdit=7\n", panelEdit, true, 7},
      {"nothing: popup with topic 0", "", panelEdit, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form->WhatsThisTopics = {};
    form->SetName(c.unnamedForm ? "" : "MainDlg");
    Write("Quorvelwth.id", c.ids);
    platform::RecordedHelpCalls().clear();
    client.popup.prepared = 0;
    form->WMHelp({helpInfoWindow, 0, static_cast<TWinControl*>(c.control)->Handle(), 0, {8, 9}});
    EXPECT_EQ(client.popup.prepared, 1);
    EXPECT_EQ(Calls(),
              (std::vector<HelpCall>{{form->Handle(), HelpPath("Quorvelwth.hlp"),
                                      HelpCommand::SetPopupPos, platform::PopupPosition(8, 9)},
                                     {form->Handle(), HelpPath("Quorvelwth.hlp"),
                                      HelpCommand::ContextPopup, c.topic}}));
  }
}

TEST_F(F1Test, WhatsThisOnAForeignWindowShowsNothing) {
  WindowHandle foreign = headless::CreateForeignWindow({0, 0, 10, 10});
  form->ShowWhatsThisHelp(foreign, {1, 1});
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(client.popupRequests.size(), 1u);
  EXPECT_EQ(client.popupRequests[0].Value, -1);
  EXPECT_EQ(client.popupRequests[0].Text, "");
}

}  // namespace
}  // namespace qv
