// Loads the built module file the way the host does (by file name, then ServerFactory) and drives
// it only through its interfaces.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "host/client/HostClient.h"
#include "host/client/HostSession.h"
#include "runtime/InterfaceRef.h"

namespace {

std::string ModulePath() {
  return std::string(QUORVEL_BIN_DIR) + "/Quorvel" + std::string(qv::platform::LibrarySuffix());
}

TEST(ModuleLoad, ServerFactoryHandsOutAWorkingServerModule) {
  qvhost::HostClient client;
  qvhost::HostSession session(client);
  std::string error;
  ASSERT_TRUE(session.Load({ModulePath(), ""}, error)) << error;
  ASSERT_TRUE(session.CreateServerModule(error)) << error;
  qv::IServerModule* module = session.ServerModule();
  EXPECT_STREQ(module->GetModuleName(), "Quorvel");

  qv::InterfaceRef<qv::IServerModule> again =
      qv::InterfaceRef<qv::IServerModule>::Query(module, qv::IID_IServerModule);
  EXPECT_EQ(again.Get(), module);
  again.Reset();
  qv::InterfaceRef<qv::IUnknown> none =
      qv::InterfaceRef<qv::IUnknown>::Query(module, qv::IID_IClient);
  EXPECT_FALSE(none);

  session.GiveIdleTime();
  EXPECT_EQ(session.LaunchCommand("NoSuchCommand"), 0);
  EXPECT_EQ(session.LaunchCommand("buildpcblibrary"), 0);  // no editor: the command ends quietly
  EXPECT_EQ(client.References(), 0);
  ASSERT_TRUE(session.Unload(error)) << error;
}

TEST(ModuleLoad, ServerFactoryReleasesWhatTheVariableHeld) {
  qvhost::HostClient client;
  std::string error;
  auto library = qv::platform::LoadedLibrary::Load(ModulePath(), error);
  ASSERT_TRUE(library) << error;
  using Factory = void(QV_STDCALL*)(qv::IServerModule**, qv::IClient*);
  auto factory = reinterpret_cast<Factory>(library->Symbol("ServerFactory"));
  ASSERT_NE(factory, nullptr);
  qv::IServerModule* module = nullptr;
  factory(&module, &client);
  ASSERT_NE(module, nullptr);
  module->AddRef();
  qv::IServerModule* first = module;
  factory(&module, &client);  // releases the first module's extra reference
  ASSERT_NE(module, first);
  EXPECT_EQ(first->Release(), 0);
  EXPECT_EQ(std::exchange(module, nullptr)->Release(), 0);
  factory(&module, nullptr);  // a module without a client is still created
  ASSERT_NE(module, nullptr);
  module->Release();
}

}  // namespace
