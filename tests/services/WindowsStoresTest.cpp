// The Windows file, INI and registry services the recent expressions store writes through, run
// against the system itself: files in a folder of their own under the user's application-data
// folder and values under a subkey of their own, both removed afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/IniStore.h"

namespace qv {
namespace {

using platform::IniFile;
using platform::UserRegistryKey;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WindowsStoresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unique_ = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    folder_ = platform::ApplicationDataFolder() + "\\QuorvelTest" + unique_;
    ASSERT_TRUE(platform::MakeDirectory(folder_)) << folder_;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    key.EraseSection(Section());
  }
  std::string Section() const { return "QuorvelTest" + unique_; }
  std::string File(std::string_view name) const { return folder_ + "\\" + std::string(name); }

  std::string unique_;
  std::string folder_;
};

TEST_F(WindowsStoresTest, FoldersAndFiles) {
  EXPECT_TRUE(platform::DirectoryExists(folder_));
  EXPECT_FALSE(platform::FileExists(folder_));
  std::string exe = platform::HostExecutablePath();
  EXPECT_TRUE(platform::FileExists(exe)) << exe;
  platform::WriteFileReplacing(File("a.txt"), "one\r\ntwo\rthree\nfour");
  platform::WriteFileReplacing(File("a.txt"), "one\r\ntwo\rthree\nfour\r\n");
  EXPECT_EQ(platform::ReadTextLines(File("a.txt")),
            (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left
  EXPECT_THROW(platform::WriteFileReplacing(File("missing\\a.txt"), "x"), std::runtime_error);
}

TEST_F(WindowsStoresTest, IniValuesReadBackUnchanged) {
  const std::string values[] = {"plain",        "",      "  leading", "trailing  ",
                                "'R1' or 'R2'", "\"x\"", "a=b",       "   "};
  {
    IniFile file(File("v.ini"));
    for (std::size_t i = 0; i < std::size(values); ++i)
      file.WriteString("S", "K" + std::to_string(i), values[i]);
    file.WriteInteger("S", "N", -12);
    file.WriteString("S", "Long", std::string(3000, 'z'));
    file.WriteString("Other", "Keep", "1");
    file.Commit();
  }
  IniFile file(File("v.ini"));
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(file.ReadString("s", "k" + std::to_string(i), "<none>"), values[i]) << values[i];
  EXPECT_EQ(file.ReadInteger("S", "N", 0), -12);
  EXPECT_EQ(file.ReadString("S", "Long", ""), std::string(2047, 'z'));
  EXPECT_EQ(file.ReadString("S", "Missing", "fallback"), "fallback");
  file.EraseSection("S");
  file.EraseSection("Not There");
  EXPECT_EQ(file.ReadString("S", "K0", "gone"), "gone");
  file.Commit();
  IniFile reread(File("v.ini"));
  EXPECT_EQ(reread.ReadString("S", "K0", "gone"), "gone");
  EXPECT_EQ(reread.ReadString("Other", "Keep", ""), "1");
}

TEST_F(WindowsStoresTest, IniChangesReachTheFileOnlyOnCommit) {
  platform::WriteFileReplacing(File("c.ini"), "[S]\r\nK=old\r\n");
  {
    IniFile file(File("c.ini"));
    file.WriteString("S", "K", "new");
  }
  EXPECT_EQ(ReadAll(File("c.ini")), "[S]\r\nK=old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(WindowsStoresTest, RegistryValuesSurviveReopening) {
  const int32_t numbers[] = {0, -1, INT32_MAX, INT32_MIN};
  {
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    key.WriteString(Section(), "S", "text \"quoted\"\r\nline");
    for (std::size_t i = 0; i < std::size(numbers); ++i)
      key.WriteInteger(Section() + "\\Deeper", "N" + std::to_string(i), numbers[i]);
    key.Commit();
  }
  UserRegistryKey key("Software\\Norvek\\Vantrope");
  EXPECT_EQ(key.ReadString(Section(), "s", ""), "text \"quoted\"\r\nline");
  EXPECT_EQ(key.KindOf(Section(), "S"), UserRegistryKey::ValueKind::String);
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    EXPECT_EQ(key.ReadInteger(Section() + "\\Deeper", "N" + std::to_string(i), 7), numbers[i]);
    EXPECT_EQ(key.KindOf(Section() + "\\Deeper", "N" + std::to_string(i)),
              UserRegistryKey::ValueKind::Integer);
  }
  EXPECT_EQ(key.ReadString(Section(), "Missing", "fallback"), "fallback");
  key.EraseSection(Section());
  EXPECT_FALSE(key.SectionExists(Section()));
  EXPECT_FALSE(key.SectionExists(Section() + "\\Deeper"));
}

}  // namespace
}  // namespace qv
