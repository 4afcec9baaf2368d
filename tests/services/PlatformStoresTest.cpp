// The file, INI and registry services that the recent expressions store writes through.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/IniStore.h"
#include "tests/services/TestFolders.h"

namespace qv {
namespace {

using platform::IniFile;
using platform::UserRegistryKey;
using test::AppDataFixture;
using test::ReadAll;
using test::WriteAll;

TEST(SplitLinesTest, EndsLinesAtCrLfOrCrLf) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two endings
      {"a\r\n\r\n", {"a", ""}},
      {"\n\n", {"", ""}},
      {"a\r", {"a"}},
      {"  \r\n", {"  "}},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::SplitLines(c.text), c.lines) << c.text;
}

TEST_F(AppDataFixture, FoldersAndFiles) {
  EXPECT_EQ(platform::ApplicationDataFolder(), appData.Path().string());
  std::string folder = appData / "made";
  EXPECT_FALSE(platform::DirectoryExists(folder));
  EXPECT_TRUE(platform::MakeDirectory(folder));
  EXPECT_TRUE(platform::DirectoryExists(folder));
  EXPECT_FALSE(platform::FileExists(folder));
  EXPECT_FALSE(platform::MakeDirectory(appData / "missing/deeper"));  // one level only
  WriteAll(appData / "file.txt", "x");
  EXPECT_TRUE(platform::FileExists(appData / "file.txt"));
  EXPECT_FALSE(platform::DirectoryExists(appData / "file.txt"));
  EXPECT_THROW(platform::ReadTextLines(appData / "absent.txt"), std::runtime_error);
}

TEST(ApplicationDataFolderTest, FallsBackToHomeConfig) {
  test::ScopedEnv home("HOME", "/home/someone");
  {
    test::ScopedEnv unset("XDG_CONFIG_HOME", "");
    EXPECT_EQ(platform::ApplicationDataFolder(), "/home/someone/.config");
  }
  test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");  // not absolute: ignored
  EXPECT_EQ(platform::ApplicationDataFolder(), "/home/someone/.config");
}

TEST(HostExecutableTest, IsThisProgram) {
  std::string path = platform::HostExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(platform::FileExists(path));
  EXPECT_TRUE(path.ends_with("/services_test")) << path;
  EXPECT_EQ(platform::ExtractFilePath("/a/b/c.txt"), "/a/b/");
  EXPECT_EQ(platform::ExtractFilePath("c.txt"), "");
}

// ---- Replacing a file as a whole ----

TEST_F(AppDataFixture, ReplacedFileHoldsTheNewContentsAndNoTemporaryIsLeft) {
  std::string path = appData / "data.txt";
  platform::WriteFileReplacing(path, "first");
  platform::WriteFileReplacing(path, "second, longer");
  EXPECT_EQ(ReadAll(path), "second, longer");
  EXPECT_EQ(test::FileNames(appData.Path()), std::vector<std::string>{"data.txt"});
}

TEST_F(AppDataFixture, FailedWriteLeavesTheOldFileWhole) {
  std::string path = appData / "data.txt";
  std::string old(3000, 'o');
  WriteAll(path, old);
  std::string message;
  {
    test::FileSizeLimit limit(1000);  // the write stops part way, as on a full disk
    try {
      platform::WriteFileReplacing(path, std::string(5000, 'n'));
    } catch (const std::runtime_error& e) {
      message = e.what();
    }
  }
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(test::FileNames(appData.Path()), std::vector<std::string>{"data.txt"});
}

TEST_F(AppDataFixture, WriteIntoAMissingFolderFailsNamingTheFile) {
  std::string path = appData / "no-such-folder/data.txt";
  try {
    platform::WriteFileReplacing(path, "x");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
}

// ---- INI files ----

TEST_F(AppDataFixture, IniValuesReadBackUnchanged) {
  // Values that the profile reading rules (blanks dropped, enclosing quotes dropped) would change
  // if they were written bare.
  const std::string values[] = {
      "plain", "",    "  leading", "trailing  ",      "'R1' or 'R2'", "\"x\"",       "\"",
      "'",     "a=b", ";x",        "[not a section]", "\"open",       "tab\tinside", "   "};
  std::string path = appData / "values.ini";
  {
    IniFile file(path);
    for (std::size_t i = 0; i < std::size(values); ++i)
      file.WriteString("S", "K" + std::to_string(i), values[i]);
    file.Commit();
  }
  IniFile reread(path);
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(reread.ReadString("S", "K" + std::to_string(i), "<none>"), values[i]) << values[i];
}

TEST_F(AppDataFixture, IniReadingRules) {
  std::string path = appData / "hand.ini";
  WriteAll(path,
           "; a comment\r\n"
           "[First]\r\n"
           "  Spaced  =  value with blanks  \r\n"
           "Quoted=\"in quotes\"\r\n"
           "Single='in single quotes'\r\n"
           "Half=\"only at the start\r\n"
           "Empty=\r\n"
           "Twice=first\r\n"
           "Twice=second\r\n"
           "[second]\n"
           "Number=42\n"
           "Negative= -7 \n"
           "Word=seven\n"
           "Huge=99999999999\n");
  IniFile file(path);
  EXPECT_EQ(file.ReadString("First", "Spaced", "-"), "value with blanks");
  EXPECT_EQ(file.ReadString("FIRST", "spaced", "-"), "value with blanks");
  EXPECT_EQ(file.ReadString("First", "Quoted", "-"), "in quotes");
  EXPECT_EQ(file.ReadString("First", "Single", "-"), "in single quotes");
  EXPECT_EQ(file.ReadString("First", "Half", "-"), "\"only at the start");
  EXPECT_EQ(file.ReadString("First", "Empty", "-"), "");
  EXPECT_EQ(file.ReadString("First", "Twice", "-"), "first");
  EXPECT_EQ(file.ReadString("First", "Missing", "fallback"), "fallback");
  EXPECT_EQ(file.ReadString("Nowhere", "Spaced", "fallback"), "fallback");
  EXPECT_EQ(file.ReadString("Second", "Spaced", "fallback"), "fallback");
  EXPECT_EQ(file.ReadInteger("Second", "Number", -1), 42);
  EXPECT_EQ(file.ReadInteger("Second", "Negative", -1), -7);
  EXPECT_EQ(file.ReadInteger("Second", "Word", -1), -1);
  EXPECT_EQ(file.ReadInteger("Second", "Huge", -1), -1);
  EXPECT_EQ(file.ReadInteger("Second", "Missing", 5), 5);
}

TEST_F(AppDataFixture, IniWritingKeepsOtherLinesAndErasesWholeSections) {
  std::string path = appData / "keep.ini";
  WriteAll(path,
           "[Other]\r\nKeep=1\r\n\r\n"
           "[Target]\r\nOld=gone\r\nValue=old\r\n\r\n"
           "[Tail]\r\nKeep=2\r\n");
  {
    IniFile file(path);
    file.WriteString("target", "VALUE", "new");  // an existing value, named in another case
    file.WriteString("Target", "Added", "a");
    file.WriteInteger("Fresh", "Count", -12);
    file.EraseSection("Missing");  // no error
    file.Commit();
  }
  EXPECT_EQ(ReadAll(path),
            "[Other]\r\nKeep=1\r\n\r\n"
            "[Target]\r\nOld=gone\r\nVALUE=new\r\nAdded=a\r\n\r\n"
            "[Tail]\r\nKeep=2\r\n\r\n"
            "[Fresh]\r\nCount=-12\r\n");
  {
    IniFile file(path);
    file.EraseSection("TARGET");
    EXPECT_EQ(file.ReadString("Target", "Added", "-"), "-");  // reads see the change at once
    file.Commit();
  }
  IniFile reread(path);
  EXPECT_EQ(reread.ReadString("Target", "Old", "-"), "-");
  EXPECT_EQ(reread.ReadString("Other", "Keep", "-"), "1");
  EXPECT_EQ(reread.ReadString("Tail", "Keep", "-"), "2");
  EXPECT_EQ(reread.ReadInteger("Fresh", "Count", 0), -12);
}

TEST_F(AppDataFixture, IniValuesAreCutAt2047Characters) {
  std::string path = appData / "long.ini";
  std::string longValue;
  for (int i = 0; i < 3000; ++i) longValue += static_cast<char>('a' + i % 26);
  {
    IniFile file(path);
    file.WriteString("S", "Long", longValue);
    file.WriteString("S", "Exact", longValue.substr(0, 2047));
    file.Commit();
  }
  EXPECT_NE(ReadAll(path).find(longValue), std::string::npos);  // stored whole
  IniFile reread(path);
  EXPECT_EQ(reread.ReadString("S", "Long", ""), longValue.substr(0, 2047));
  EXPECT_EQ(reread.ReadString("S", "Exact", ""), longValue.substr(0, 2047));
}

TEST_F(AppDataFixture, IniValueWithALineBreakReadsBackCut) {
  std::string path = appData / "break.ini";
  {
    IniFile file(path);
    file.WriteString("S", "Text", "first\r\nsecond");
    EXPECT_EQ(file.ReadString("S", "Text", ""), "first");  // as the file will hold it
    file.Commit();
  }
  EXPECT_EQ(IniFile(path).ReadString("S", "Text", ""), "first");
}

TEST_F(AppDataFixture, IniChangesReachTheFileOnlyOnCommit) {
  std::string path = appData / "commit.ini";
  WriteAll(path, "[S]\r\nK=old\r\n");
  {
    IniFile file(path);
    file.WriteString("S", "K", "new");
    file.EraseSection("S");
  }  // dropped
  EXPECT_EQ(ReadAll(path), "[S]\r\nK=old\r\n");
  EXPECT_EQ(test::FileNames(appData.Path()), std::vector<std::string>{"commit.ini"});
}

TEST_F(AppDataFixture, IniCommitThatFailsLeavesTheOldFileWhole) {
  std::string path = appData / "whole.ini";
  std::string old = "[S]\r\nK=" + std::string(2000, 'o') + "\r\n";
  WriteAll(path, old);
  IniFile file(path);
  file.WriteString("S", "K", std::string(6000, 'n'));
  {
    test::FileSizeLimit limit(1000);
    EXPECT_THROW(file.Commit(), std::runtime_error);
  }
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(test::FileNames(appData.Path()), std::vector<std::string>{"whole.ini"});
}

// ---- The per-user registry ----

TEST_F(AppDataFixture, RegistryValuesSurviveReopening) {
  const std::string texts[] = {"plain",
                               "",
                               "  blanks  ",
                               "quote \" and \\ backslash",
                               "line\r\nbreak\tand\x01control",
                               "\"x\"",
                               "100% [sure]"};
  const int32_t numbers[] = {0, 1, -1, INT32_MAX, INT32_MIN};
  {
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    for (std::size_t i = 0; i < std::size(texts); ++i)
      key.WriteString("Strings", "S" + std::to_string(i), texts[i]);
    for (std::size_t i = 0; i < std::size(numbers); ++i)
      key.WriteInteger("Numbers\\Deeper", "N" + std::to_string(i), numbers[i]);
    key.WriteString("Odd \"key\"\r\n%", "Name \"q\"", "v");
    key.Commit();
  }
  UserRegistryKey key("Software\\Norvek\\Vantrope");
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    EXPECT_EQ(key.ReadString("strings", "s" + std::to_string(i), "<none>"), texts[i]);
    EXPECT_EQ(key.KindOf("Strings", "S" + std::to_string(i)), UserRegistryKey::ValueKind::String);
  }
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    EXPECT_EQ(key.ReadInteger("Numbers\\Deeper", "N" + std::to_string(i), 7), numbers[i]);
    EXPECT_EQ(key.KindOf("Numbers\\Deeper", "N" + std::to_string(i)),
              UserRegistryKey::ValueKind::Integer);
  }
  EXPECT_EQ(key.ReadString("Numbers\\Deeper", "N2", ""), "-1");
  EXPECT_EQ(key.ReadString("Odd \"key\"\r\n%", "Name \"q\"", ""), "v");
  EXPECT_TRUE(key.SectionExists("Numbers"));  // a parent made on the way
  EXPECT_EQ(key.ReadString("Strings", "Missing", "fallback"), "fallback");
  EXPECT_EQ(key.ReadInteger("Strings", "S0", 9), 9);  // "plain" is no number
  EXPECT_EQ(key.KindOf("Strings", "Missing"), UserRegistryKey::ValueKind::None);
}

TEST_F(AppDataFixture, RegistryEraseSectionRemovesTheSubkeyTreeOnly) {
  {
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    key.WriteString("Section", "A", "1");
    key.WriteString("Section\\Child\\Grandchild", "B", "2");
    key.WriteString("Section Sibling", "C", "3");
    key.WriteString("Sibling", "D", "4");
    key.Commit();
  }
  {
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    key.EraseSection("SECTION");
    key.EraseSection("Not There");  // no error
    key.Commit();
  }
  UserRegistryKey key("Software\\Norvek\\Vantrope");
  EXPECT_FALSE(key.SectionExists("Section"));
  EXPECT_FALSE(key.SectionExists("Section\\Child\\Grandchild"));
  EXPECT_EQ(key.ReadString("Section Sibling", "C", ""), "3");
  EXPECT_EQ(key.ReadString("Sibling", "D", ""), "4");
}

TEST_F(AppDataFixture, RegistryChangesWithoutCommitDoNotLast) {
  {
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    key.WriteString("S", "A", "kept");
    key.Commit();
    key.WriteString("S", "A", "dropped");
  }
  EXPECT_EQ(UserRegistryKey("Software\\Norvek\\Vantrope").ReadString("S", "A", ""), "kept");
}

TEST_F(AppDataFixture, DamagedRegistryFileIsReportedWithItsLine) {
  std::string folder = appData / "Registry";
  ASSERT_TRUE(platform::MakeDirectory(folder));
  std::string file = folder + "/HKEY_CURRENT_USER.reg";
  WriteAll(file, "[Software]\n\"Good\"=\"x\"\n\"Bad\"=\"not closed\n");
  try {
    UserRegistryKey key("Software\\Norvek\\Vantrope");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    std::string what = e.what();
    EXPECT_NE(what.find(file), std::string::npos) << what;
    EXPECT_NE(what.find("line 3"), std::string::npos) << what;
  }
}

}  // namespace
}  // namespace qv
