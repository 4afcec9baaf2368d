#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/RT_ServerImplementation.h"

namespace qv {
namespace {

std::vector<std::string> calls;

int32_t LaunchA(IUnknown*, char* parameters) {
  calls.push_back(std::string("A:") + (parameters != nullptr ? parameters : ""));
  return 7;
}
int32_t LaunchB(IUnknown*, char*) {
  calls.push_back("B");
  return 8;
}
void QV_STDCALL StateA(IUnknown*, char*, int32_t* a, int32_t*, int32_t*, uint8_t*, uint8_t* e) {
  *a = 11;
  *e = 1;
}

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    launcher.RegisterCommand("BuildPCBLibrary", &LaunchA, nullptr);
    launcher.RegisterCommand("Other", &LaunchB, &StateA);
  }
  TCommandLauncher launcher;
};

TEST_F(LauncherTest, FindsCommandsWhateverTheirCase) {
  struct Case {
    const char* name;
    int32_t result;
  };
  for (Case c : {Case{"BuildPCBLibrary", 7}, Case{"buildpcblibrary", 7}, Case{"BUILDPCBLIBRARY", 7},
                 Case{" BuildPCBLibrary", 0}, Case{"BuildPCBLibrary ", 0}, Case{"Unknown", 0},
                 Case{"", 0}, Case{"other", 8}}) {
    EXPECT_EQ(launcher.LaunchCommand(c.name, nullptr, 0, nullptr), c.result) << c.name;
  }
  EXPECT_EQ(launcher.LaunchCommand(nullptr, nullptr, 0, nullptr), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"A:", "A:", "A:", "B"}));
}

TEST_F(LauncherTest, PassesParameterTextThroughUnchanged) {
  char text[] = "Key=Value|X=1";
  EXPECT_EQ(launcher.LaunchCommand("BuildPCBLibrary", text, 99, nullptr), 7);
  EXPECT_EQ(calls, (std::vector<std::string>{"A:Key=Value|X=1"}));
}

TEST_F(LauncherTest, FirstRegistrationOfANameStaysInForce) {
  launcher.RegisterCommand("BUILDPCBLIBRARY", &LaunchB, &StateA);
  EXPECT_EQ(launcher.CommandCount(), 2u);
  EXPECT_EQ(launcher.LaunchCommand("BuildPCBLibrary", nullptr, 0, nullptr), 7);
  EXPECT_EQ(launcher.FindStateProc("BuildPCBLibrary"), nullptr);
}

TEST_F(LauncherTest, CommandStateIsPresetThenLeftToTheStateProcedure) {
  int32_t a = 5, b = 5, c = 5;
  uint8_t d = 5, e = 5;
  launcher.GetCommandState("BuildPCBLibrary", nullptr, nullptr, &a, &b, &c, &d, &e);
  EXPECT_EQ(std::vector<int>({a, b, c, d, e}), std::vector<int>({-1, 0, -1, 0, 0}));
  launcher.GetCommandState("OTHER", nullptr, nullptr, &a, &b, &c, &d, &e);
  EXPECT_EQ(std::vector<int>({a, b, c, d, e}), std::vector<int>({11, 0, -1, 0, 1}));
  launcher.GetCommandState("missing", nullptr, nullptr, &a, &b, &c, &d, &e);
  EXPECT_EQ(std::vector<int>({a, b, c, d, e}), std::vector<int>({-1, 0, -1, 0, 0}));
}

TEST_F(LauncherTest, ReferenceCountingDoesNothing) {
  ICommandLauncher* asInterface = &launcher;
  EXPECT_EQ(asInterface->AddRef(), 0);
  EXPECT_EQ(asInterface->Release(), 0);
  EXPECT_EQ(asInterface->Release(), 0);
  void* out = nullptr;
  EXPECT_EQ(asInterface->QueryInterface(IID_ICommandLauncher, &out), S_OK);
  EXPECT_EQ(out, asInterface);
  EXPECT_EQ(asInterface->QueryInterface(IID_IProcessControl, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(launcher.LaunchCommand("Other", nullptr, 0, nullptr), 8);  // still alive
}

int32_t Throwing(IUnknown*, char*) { throw std::runtime_error("disk full"); }

TEST(LauncherBoundary, ErrorInACommandIsCaughtAndAnswersZero) {
  TCommandLauncher launcher;
  launcher.RegisterCommand("Boom", &Throwing, nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(launcher.LaunchCommand("Boom", nullptr, 0, nullptr), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("disk full"), std::string::npos);
}

TEST(ProcessControl, CountsWithoutBounds) {
  TProcessControl control;
  IProcessControl* p = &control;
  p->EndProcess(nullptr, 0);
  EXPECT_EQ(p->GetNestingLevel(), -1);
  p->BeginProcess(nullptr, 3);
  p->BeginProcess(nullptr, 3);
  EXPECT_EQ(p->GetNestingLevel(), 1);
  p->SetNestingLevel(-40);
  EXPECT_EQ(p->GetNestingLevel(), -40);
}

}  // namespace
}  // namespace qv
