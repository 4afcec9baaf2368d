// The history across runs of the stand-in host: the built module, loaded by file name, reads the
// per-user file when its server module is created and writes both copies when it is released.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/client/HostClient.h"
#include "host/client/HostSession.h"
#include "platform/IniStore.h"
#include "tests/services/TestFolders.h"

namespace qv {
namespace {

constexpr const char* Section = "Recent Quorvel Filter Expressions";

// One run of the host: load the module, create the server module, release it, unload.
void RunHost() {
  qvhost::HostClient client;
  qvhost::HostSession session(client);
  std::string error;
  ASSERT_TRUE(session.Load({std::string(QUORVEL_BIN_DIR) + "/Quorvel.so", ""}, error)) << error;
  ASSERT_TRUE(session.CreateServerModule(error)) << error;
  session.GiveIdleTime();
  ASSERT_TRUE(session.Unload(error)) << error;
}

using HostHistoryTest = test::AppDataFixture;

TEST_F(HostHistoryTest, HistoryLastsFromOneHostRunToTheNext) {
  std::string folder = appData / "Norvek";
  std::string recent = folder + "/QuorvelRecentFilters.Txt";
  // A history left by an earlier version, in the line-based format.
  std::filesystem::create_directories(folder);
  test::WriteAll(recent, "IsPad AND\r\nLayer = 'Top'\r\n\r\nName = 'R1'\r\n\r\n");

  RunHost();
  {
    platform::IniFile file(recent);  // rewritten in the keyed format
    EXPECT_EQ(file.ReadString(Section, "NewFileFormat", ""), "True");
    EXPECT_EQ(file.ReadInteger(Section, "RecentExpressionCount", 0), 3);
    EXPECT_EQ(file.ReadString(Section, "RecentExpression2", ""), "IsPad AND|Layer = 'Top'");
    EXPECT_EQ(file.ReadString(Section, "RecentExpression3", ""), "Name = 'R1'");
  }
  std::string afterFirst = test::ReadAll(recent);

  RunHost();  // reads the keyed history the first run wrote and writes it back unchanged
  EXPECT_EQ(test::ReadAll(recent), afterFirst);
  platform::UserRegistryKey key("Software\\Norvek\\Vantrope");
  EXPECT_EQ(key.ReadInteger(Section, "RecentExpressionCount", 0), 3);
  EXPECT_EQ(key.ReadString(Section, "RecentExpression2", ""), "IsPad AND|Layer = 'Top'");
  EXPECT_EQ(key.ReadString(Section, "RecentExpression3", ""), "Name = 'R1'");
}

}  // namespace
}  // namespace qv
