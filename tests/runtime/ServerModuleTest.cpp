#include <gtest/gtest.h>

#include <string>

#include "Quorvel.h"
#include "host/client/HostClient.h"
#include "runtime/InterfaceRef.h"
#include "ui/Application.h"
#include "ui/MessageQueue.h"

namespace qv {
namespace {

// Creates the module as ServerFactory does: one counted reference for the host.
IServerModule* CreateModule(IClient* client) {
  IServerModule* module = nullptr;
  StoreInterface<IServerModule>(&module, new TQuorvelServerModule(client));
  return module;
}

// The module leaves the current client in place when it goes (the host client outlives it); the
// clients here live on a test's stack, so each test forgets its client when it ends.
class ServerModule : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentClient(nullptr); }
};

TEST_F(ServerModule, AnswersItsFixedValues) {
  qvhost::HostClient client;
  IServerModule* module = CreateModule(&client);
  EXPECT_STREQ(module->GetModuleName(), "Quorvel");
  EXPECT_EQ(module->GetAuxiliaryCount(), 0);
  EXPECT_EQ(module->GetModuleValue(), 0);
  EXPECT_NE(module->GetInstanceHandle(), nullptr);

  IServerDocument* document = reinterpret_cast<IServerDocument*>(&client);  // any non-null value
  module->CreateServerDocument(3, 4, &document);
  EXPECT_EQ(document, nullptr);
  EXPECT_EQ(module->GetDocumentCount(), 0);
  qvhost::HostDocument stranger("PCBLib", "x.PcbLib", 1);
  module->DestroyServerDocument(&stranger);
  EXPECT_EQ(module->GetDocumentCount(), 0);
  EXPECT_EQ(stranger.References(), 0);
  module->Release();
}

TEST_F(ServerModule, HandsOutOneLauncherWithItsCommandsRegistered) {
  qvhost::HostClient client;
  IServerModule* module = CreateModule(&client);
  InterfaceRef<ICommandLauncher> first, second;
  module->GetCommandLauncher(first.Receive());
  module->GetCommandLauncher(second.Receive());
  ASSERT_TRUE(first);
  EXPECT_EQ(first.Get(), second.Get());
  auto* launcher = static_cast<TCommandLauncher*>(first.Get());
  EXPECT_NE(launcher->FindLaunchProc("buildpcblibrary"), nullptr);
  first.Reset();
  second.Reset();
  InterfaceRef<IProcessControl> control;
  module->GetProcessControl(control.Receive());
  ASSERT_TRUE(control);
  control->BeginProcess(nullptr, 0);
  EXPECT_EQ(control->GetNestingLevel(), 1);
  control.Reset();
  module->Release();
}

TEST_F(ServerModule, ClientIsHandedOutCountedButNeverHeld) {
  qvhost::HostClient client;
  IServerModule* module = CreateModule(&client);
  EXPECT_EQ(client.References(), 0);
  InterfaceRef<IClient> got;
  module->GetClient(got.Receive());
  EXPECT_EQ(got.Get(), static_cast<IClient*>(&client));
  EXPECT_EQ(client.References(), 1);
  got.Reset();
  EXPECT_EQ(CurrentClient().Get(), static_cast<IClient*>(&client));
  module->Release();
  EXPECT_EQ(client.References(), 0);
  EXPECT_EQ(CurrentClient().Get(), static_cast<IClient*>(&client));  // stays after destruction
}

TEST_F(ServerModule, LastReleaseDestroysTheModuleAndClearsTheCurrentOne) {
  qvhost::HostClient client;
  IServerModule* module = CreateModule(&client);
  EXPECT_EQ(CurrentServerModule().Get(), module);
  module->AddRef();
  EXPECT_EQ(module->Release(), 1);
  EXPECT_EQ(CurrentServerModule().Get(), module);
  EXPECT_EQ(module->Release(), 0);
  EXPECT_FALSE(CurrentServerModule());
}

TEST_F(ServerModule, DocumentIndexOutsideTheListIsReportedAndAnswersNone) {
  qvhost::HostClient client;
  IServerModule* module = CreateModule(&client);
  IServerDocument* document = nullptr;
  IUnknown* item = nullptr;
  testing::internal::CaptureStderr();
  module->GetDocument(0, &document);
  module->GetAuxiliaryItem(-1, &item);
  std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_EQ(document, nullptr);
  EXPECT_EQ(item, nullptr);
  EXPECT_NE(reported.find("List index out of bounds (0)"), std::string::npos) << reported;
  EXPECT_NE(reported.find("List index out of bounds (-1)"), std::string::npos) << reported;
  module->Release();
}

// A module whose documents are host documents, to exercise the document list of the base.
class DocumentModule final : public TServerModule {
 public:
  explicit DocumentModule(IClient* client) : TServerModule(client, "Docs") { Construct(); }
  std::vector<std::unique_ptr<qvhost::HostDocument>> made;

 protected:
  IServerDocument* NewDocumentObject(int32_t a, int32_t b) override {
    if (a < 0) return nullptr;
    made.push_back(std::make_unique<qvhost::HostDocument>("K", std::to_string(a + b), 0));
    return made.back().get();
  }
};

TEST_F(ServerModule, KeepsACountedReferenceToEachDocumentItMakes) {
  qvhost::HostClient client;
  auto* module = new DocumentModule(&client);
  module->AddRef();
  IServerDocument* first = nullptr;
  module->CreateServerDocument(1, 2, &first);
  ASSERT_NE(first, nullptr);
  auto& made = module->made;
  EXPECT_EQ(made[0]->References(), 2);  // the list's and the caller's
  IServerDocument* none = nullptr;
  module->CreateServerDocument(-1, 0, &none);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(module->GetDocumentCount(), 1);
  IServerDocument* got = nullptr;
  module->GetDocument(0, &got);
  EXPECT_EQ(got, first);
  got->Release();
  first->Release();
  module->DestroyServerDocument(first);
  EXPECT_EQ(module->GetDocumentCount(), 0);
  EXPECT_EQ(made[0]->References(), 0);
  auto keep = std::move(made);  // the documents outlive the module here
  module->Release();
}

TEST_F(ServerModule, IdleTimeReturnsWhetherOrNotMessagesWait) {
  qvhost::HostClient client;
  IServerModule* module = CreateModule(&client);
  ui::Message m;
  while (ui::TakeMessage(m)) {
  }
  int before = ui::Application().IdleCount();
#ifndef _WIN32
  // Nothing queued: the headless queue returns all the same. (The system queue of Windows waits
  // for the next message, as it should in a host; no message would ever come here.)
  module->ProcessIdle();
  EXPECT_EQ(ui::QueuedMessageCount(), 0);
  ++before;
#endif
  ui::PostMessage(nullptr, 0x100, 1, 2);
  module->ProcessIdle();  // a waiting message makes the module post its own wake-up
  ASSERT_EQ(ui::QueuedMessageCount(), 2);
  ASSERT_TRUE(ui::TakeMessage(m));
  EXPECT_EQ(m.Id, 0x100u);
  ASSERT_TRUE(ui::TakeMessage(m));
  EXPECT_EQ(m.Id, ui::WM_USER);
  EXPECT_EQ(m.Window, ui::Application().Handle());
  EXPECT_EQ(ui::Application().IdleCount(), before + 1);
  module->Release();
}

}  // namespace
}  // namespace qv
