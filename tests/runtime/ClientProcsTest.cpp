#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "host/client/HostClient.h"
#include "runtime/ClientProcs.h"
#include "runtime/RT_ServerImplementation.h"

namespace qv {
namespace {

// This test program exports no client API function, like a host that offers none.
TEST(ClientAccess, AHostThatExportsNothingLeavesEveryEntryNone) {
  SetCurrentClient(nullptr);
  StartClientAccess();
  StartClientAccess();  // binding again gives the same table
  for (auto entry : ClientApi().Entries) EXPECT_EQ(entry, nullptr);
  EXPECT_EQ(ClientApiNames.front(), "ClientApi_GetCurrentUserID");
  EXPECT_EQ(ClientApiNames.back(), "ClientAPI_ConvertFileNameToExeFileName");
  EXPECT_FALSE(CurrentClient());
  IClient* untouched = reinterpret_cast<IClient*>(0x1234);
  GetClientInterface(&untouched);
  EXPECT_EQ(untouched, reinterpret_cast<IClient*>(0x1234));
}

TEST(ClientAccess, WithoutAClientProcessesFailAndDialogsHaveNoOwner) {
  SetCurrentClient(nullptr);
  char buffer[8] = "A=1";
  EXPECT_FALSE(RunProcess("PCB:Zoom", buffer, sizeof buffer, nullptr));
  EXPECT_STREQ(buffer, "A=1");
  EXPECT_EQ(GetClientWindow(), nullptr);
}

TEST(ClientAccess, RunProcessPassesNameBufferSizeAndContext) {
  struct Seen {
    std::string name, parameters;
    qvhost::HostView* view = nullptr;
  } seen;
  qvhost::HostServices services;
  services.OpenDocument = [](const std::string&, const std::string&, uint32_t& doc) {
    doc = 5;
    return true;
  };
  services.RunProcess = [&](const std::string& n, const std::string& p, qvhost::HostView* v) {
    seen = {n, p, v};
    return n == "PCB:Zoom";
  };
  qvhost::HostClient client(services);
  SetCurrentClient(&client);
  IServerDocument* document = nullptr;
  client.OpenDocument("PCBLib", "lib.PcbLib", &document);
  ASSERT_NE(document, nullptr);
  IUnknown* view = nullptr;
  document->GetView(0, &view);
  std::array<char, 4096> buffer{};
  std::strcpy(buffer.data(), "Action=All");
  EXPECT_TRUE(RunProcess("PCB:Zoom", buffer.data(), 4096, view));
  EXPECT_EQ(seen.name, "PCB:Zoom");
  EXPECT_EQ(seen.parameters, "Action=All");
  EXPECT_EQ(seen.view, view);
  EXPECT_FALSE(RunProcess("PCB:FirstComponent", buffer.data(), 4096, view));
  EXPECT_EQ(client.References(), 0);  // every reference taken during the call was given back
  view->Release();
  document->Release();
  SetCurrentClient(nullptr);
}

TEST(ClientAccess, AClientWithoutProcessRunnerRaises) {
  struct NoRunner : IUnknown {
    int32_t QV_STDCALL QueryInterface(const GUID&, void** o) override {
      *o = nullptr;
      return E_NOINTERFACE;
    }
    int32_t QV_STDCALL AddRef() override { return 1; }
    int32_t QV_STDCALL Release() override { return 1; }
  } noRunner;
  SetCurrentClient(reinterpret_cast<IClient*>(&noRunner));
  char buffer[4] = "";
  EXPECT_THROW(RunProcess("PCB:Zoom", buffer, 4, nullptr), std::runtime_error);
  SetCurrentClient(nullptr);
}

}  // namespace
}  // namespace qv
