// The recent expressions store: its two file formats, the stored form of expressions, its limit,
// its list operations, and its life with the server module.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Quorvel.h"
#include "platform/Files.h"
#include "platform/IniStore.h"
#include "runtime/Boundary.h"
#include "services/Rt_RecentExpressions.h"
#include "tests/services/TestFolders.h"

namespace qv {
namespace {

using platform::IniFile;
using platform::UserRegistryKey;
using test::ReadAll;
using test::WriteAll;

constexpr const char* Section = "Recent Quorvel Filter Expressions";

// The remembered expressions (entries from 1 on), checking that each entry's text is its
// expression.
std::vector<std::string> Remembered(const TRecentExpressionList& list) {
  std::vector<std::string> out;
  for (int32_t i = TRecentExpressionList::FirstStoredIndex(); i < list.Count(); ++i) {
    EXPECT_EQ(list.Strings(i), list.GetExpression(i)->Expression);
    out.push_back(list.Strings(i));
  }
  return out;
}

class RecentExpressionsTest : public test::AppDataFixture {
 protected:
  std::string Folder() const { return appData / "Norvek"; }
  std::string RecentFile() const { return Folder() + "/QuorvelRecentFilters.Txt"; }
  void WriteRecent(std::string_view text) {
    std::filesystem::create_directories(Folder());
    WriteAll(RecentFile(), text);
  }
};

// ---- The stored form of an expression ----

TEST(ExpressionEncodingTest, EncodesAndDecodes) {
  struct Case {
    std::string expression;
    std::string stored;
    std::string decoded;  // what comes back
  };
  const Case cases[] = {
      {"A", "A", "A"},
      {"", "", ""},
      {"A\r\nB", "A|B", "A\r\nB"},
      {"A|B", "A||B", "A|B"},
      {"A||B", "A||||B", "A||B"},
      {"\r\nA", "|A", "\r\nA"},
      {"A\r\n", "A|", "A\r\n"},
      {"|A", "||A", "|A"},
      {"A\r\n\r\nB", "A||B", "A|B"},      // an empty line is two breaks, stored like a bar
      {"A\rB\nC", "A\rB\nC", "A\rB\nC"},  // a lone CR or LF stays
      {"A\n\rB", "A\n\rB", "A\n\rB"},
      // A line ending with a bar and a line beginning with one are stored alike and both come
      // back as the second form.
      {"A|\r\nB", "A|||B", "A\r\n|B"},
      {"A\r\n|B", "A|||B", "A\r\n|B"},
      {"|\r\n", "|||", "\r\n|"},
      {"X = 'a|b'\r\nAND Y", "X = 'a||b'|AND Y", "X = 'a|b'\r\nAND Y"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeExpression(c.expression), c.stored) << c.expression;
    EXPECT_EQ(DecodeExpression(c.stored), c.decoded) << c.stored;
  }
}

// ---- Names ----

TEST_F(RecentExpressionsTest, NamesFollowTheOwner) {
  TRecentExpressionList list("Quorvel");
  EXPECT_EQ(list.OwnerName(), "Quorvel");
  EXPECT_EQ(list.SectionName(), Section);
  EXPECT_EQ(list.RecentFileName(), RecentFile());
  EXPECT_TRUE(platform::DirectoryExists(Folder()));  // made when missing
  EXPECT_EQ(GetCompanyDataFolder(), Folder());
  EXPECT_EQ(list.ExampleFileName(), platform::ExtractFilePath(platform::HostExecutablePath()) +
                                        "System/ExampleQuorvelFilters.Txt");
}

TEST_F(RecentExpressionsTest, TheBuiltInEntryComesFirst) {
  TRecentExpressionList list("Quorvel");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Strings(0), "");
  const TRecentExpression* builtIn = list.GetExpression(0);
  ASSERT_NE(builtIn, nullptr);
  EXPECT_EQ(builtIn->Expression, "");
  EXPECT_EQ(builtIn->Description, "(All)");
  EXPECT_TRUE(builtIn->BuiltIn);
}

// ---- The line-based format of earlier versions ----

TEST_F(RecentExpressionsTest, LineBasedFormat) {
  struct Case {
    std::string text;
    std::vector<std::string> expressions;
  };
  const Case cases[] = {
      {"", {}},
      {"A\r\n\r\n", {"A"}},
      {"A\r\n", {}},  // not followed by an empty line: not taken
      {"A", {}},
      {"A\r\n\r\nB", {"A"}},
      {"A\r\nB\r\n\r\n", {"A\r\nB"}},
      {"\r\n\r\n\r\nA\r\n\r\n\r\n\r\nB\r\n\r\n", {"A", "B"}},
      {"A\n\nB\r\rC\r\n", {"A", "B"}},  // any line ending
      {"   \r\n\r\n", {"   "}},         // blanks are not empty
      {"A|B\r\n\r\n", {"A|B"}},         // no decoding here
  };
  for (const Case& c : cases) {
    WriteRecent(c.text);
    TRecentExpressionList list("Quorvel");
    EXPECT_EQ(Remembered(list), c.expressions) << c.text;
    for (int32_t i = 1; i < list.Count(); ++i) {
      EXPECT_EQ(list.GetExpression(i)->Description, "");
      EXPECT_FALSE(list.GetExpression(i)->BuiltIn);
    }
  }
}

TEST_F(RecentExpressionsTest, FormatMarkerChoosesTheFormat) {
  struct Case {
    std::string marker;  // the "NewFileFormat" line, or none
    bool keyed;
  };
  const Case cases[] = {{"NewFileFormat=True", true},   {"NewFileFormat=true", true},
                        {"NewFileFormat=TRUE", true},   {"newfileformat = tRuE ", true},
                        {"NewFileFormat=False", false}, {"NewFileFormat=Yes", false},
                        {"NewFileFormat=", false},      {"", false}};
  for (const Case& c : cases) {
    std::string text = std::string("[") + Section + "]\r\n" +
                       (c.marker.empty() ? "" : c.marker + "\r\n") +
                       "RecentExpressionCount=2\r\nRecentExpression2=X|Y\r\n\r\n";
    WriteRecent(text);
    TRecentExpressionList list("Quorvel");
    std::vector<std::string> expected;
    if (c.keyed) {
      expected = {"X\r\nY"};
    } else {
      // Read as lines: everything up to the empty line is one expression.
      std::string lines = std::string("[") + Section + "]";
      if (!c.marker.empty()) lines += "\r\n" + c.marker;
      expected = {lines + "\r\nRecentExpressionCount=2\r\nRecentExpression2=X|Y"};
    }
    EXPECT_EQ(Remembered(list), expected) << c.marker;
  }
}

// ---- The keyed format ----

TEST_F(RecentExpressionsTest, KeyedFormatReading) {
  struct Case {
    std::string body;
    std::vector<std::string> expressions;
    std::vector<std::string> descriptions;
  };
  const Case cases[] = {
      {"RecentExpressionCount=3\r\nRecentExpression2=A|B\r\nRecentDescription2=first\r\n"
       "RecentExpression3=C||D\r\n",
       {"A\r\nB", "C|D"},
       {"first", ""}},
      // A count larger than the keys present is harmless.
      {"RecentExpressionCount=40\r\nRecentExpression5=E\r\n", {"E"}, {""}},
      // A count that is no number reads as 0.
      {"RecentExpressionCount=many\r\nRecentExpression2=E\r\n", {}, {}},
      // An empty expression is skipped, its description with it.
      {"RecentExpressionCount=3\r\nRecentExpression2=\r\nRecentDescription2=lost\r\n"
       "RecentExpression3=F\r\nRecentDescription3=| not decoded\r\n",
       {"F"},
       {"| not decoded"}},
  };
  for (const Case& c : cases) {
    WriteRecent(std::string("[Another]\r\nRecentExpressionCount=9\r\nRecentExpression2=No\r\n[") +
                Section + "]\r\nNewFileFormat=True\r\n" + c.body);
    TRecentExpressionList list("Quorvel");
    EXPECT_EQ(Remembered(list), c.expressions) << c.body;
    std::vector<std::string> descriptions;
    for (int32_t i = 1; i < list.Count(); ++i)
      descriptions.push_back(list.GetExpression(i)->Description);
    EXPECT_EQ(descriptions, c.descriptions) << c.body;
  }
}

TEST_F(RecentExpressionsTest, SavingWritesKeysFromTwoToTheCount) {
  WriteRecent("[Other Section]\r\nKeep=me\r\n");
  TRecentExpressionList list("Quorvel");
  list.AddExpression("A\r\nB", "two lines");
  list.AddExpression("C|D", "");
  list.SaveToFile(list.RecentFileName());

  IniFile file(RecentFile());
  EXPECT_EQ(file.ReadString(Section, "NewFileFormat", ""), "True");
  EXPECT_EQ(file.ReadInteger(Section, "RecentExpressionCount", -1), 3);
  EXPECT_EQ(file.ReadString(Section, "RecentExpression1", "<none>"), "<none>");
  EXPECT_EQ(file.ReadString(Section, "RecentDescription1", "<none>"), "<none>");
  EXPECT_EQ(file.ReadString(Section, "RecentExpression2", ""), "A|B");
  EXPECT_EQ(file.ReadString(Section, "RecentDescription2", ""), "two lines");
  EXPECT_EQ(file.ReadString(Section, "RecentExpression3", ""), "C||D");
  EXPECT_EQ(file.ReadString(Section, "RecentDescription3", "<none>"), "");
  EXPECT_EQ(file.ReadString(Section, "RecentExpression4", "<none>"), "<none>");
  EXPECT_EQ(file.ReadString("Other Section", "Keep", ""), "me");
}

TEST_F(RecentExpressionsTest, SavedHistoryLoadsBackUnchanged) {
  const std::vector<std::string> expressions = {"Name = 'R1'",  "'R1' or 'R2'", "  leading blanks",
                                                "A\r\nB\r\n|C", "x||y",         "\"quoted\""};
  {
    TRecentExpressionList list("Quorvel");
    for (const std::string& e : expressions) list.AddExpression(e, "about " + e.substr(0, 3));
    list.AddExpression("Broken", "line\r\nbreak");  // descriptions are stored as they are
    list.SaveToFile(list.RecentFileName());
  }
  TRecentExpressionList reread("Quorvel");
  std::vector<std::string> expected = expressions;
  expected.push_back("Broken");
  EXPECT_EQ(Remembered(reread), expected);
  EXPECT_EQ(reread.GetExpression(2)->Description, "about 'R1");
  EXPECT_EQ(reread.GetExpression(reread.Count() - 1)->Description, "line");  // cut at the break
}

TEST_F(RecentExpressionsTest, AnEmptyListStoresTheCountOne) {
  TRecentExpressionList list("Quorvel");
  list.WriteCopies();
  IniFile file(RecentFile());
  EXPECT_EQ(file.ReadString(Section, "NewFileFormat", ""), "True");
  EXPECT_EQ(file.ReadInteger(Section, "RecentExpressionCount", -1), 1);
  EXPECT_EQ(file.ReadString(Section, "RecentExpression1", "<none>"), "<none>");
  EXPECT_EQ(file.ReadString(Section, "RecentExpression2", "<none>"), "<none>");
  UserRegistryKey key(CompanyRegistryKey);
  EXPECT_EQ(key.ReadString(Section, "NewFileFormat", ""), "True");
  EXPECT_EQ(key.ReadInteger(Section, "RecentExpressionCount", -1), 1);
  EXPECT_EQ(key.KindOf(Section, "RecentExpressionCount"), UserRegistryKey::ValueKind::Integer);
  EXPECT_EQ(key.KindOf(Section, "RecentExpression2"), UserRegistryKey::ValueKind::None);
}

TEST_F(RecentExpressionsTest, RegistryCopyHoldsTheSameKeysAndReplacesTheOldSection) {
  {
    UserRegistryKey key(CompanyRegistryKey);
    key.WriteString(Section, "RecentExpression9", "stale");
    key.WriteString(std::string(Section) + "\\Below", "X", "stale");
    key.WriteString("Recent Other Filter Expressions", "RecentExpression2", "kept");
    key.Commit();
  }
  TRecentExpressionList list("Quorvel");
  list.AddExpression("A\r\nB", "d");
  list.SaveToRegistry();

  UserRegistryKey key(CompanyRegistryKey);
  EXPECT_EQ(key.ReadInteger(Section, "RecentExpressionCount", -1), 2);
  EXPECT_EQ(key.KindOf(Section, "RecentExpression2"), UserRegistryKey::ValueKind::String);
  EXPECT_EQ(key.ReadString(Section, "RecentExpression2", ""), "A|B");
  EXPECT_EQ(key.ReadString(Section, "RecentDescription2", ""), "d");
  EXPECT_EQ(key.KindOf(Section, "RecentExpression9"), UserRegistryKey::ValueKind::None);
  EXPECT_FALSE(key.SectionExists(std::string(Section) + "\\Below"));
  EXPECT_EQ(key.ReadString("Recent Other Filter Expressions", "RecentExpression2", ""), "kept");
}

TEST_F(RecentExpressionsTest, OwnersKeepSeparateHistories) {
  {
    TRecentExpressionList quorvel("Quorvel");
    quorvel.AddExpression("Q", "");
    quorvel.WriteCopies();
    TRecentExpressionList other("Other");
    other.AddExpression("O", "");
    other.WriteCopies();
  }
  EXPECT_TRUE(platform::FileExists(Folder() + "/OtherRecentFilters.Txt"));
  EXPECT_EQ(Remembered(TRecentExpressionList("Quorvel")), std::vector<std::string>{"Q"});
  EXPECT_EQ(Remembered(TRecentExpressionList("Other")), std::vector<std::string>{"O"});
}

// ---- The limit of 100 entries ----

TEST_F(RecentExpressionsTest, AStoredHistoryOf150LoadsTheFirst99) {
  for (bool keyed : {true, false}) {
    std::string text;
    if (keyed) {
      text =
          std::string("[") + Section + "]\r\nNewFileFormat=True\r\nRecentExpressionCount=151\r\n";
      for (int n = 2; n <= 151; ++n)
        text += "RecentExpression" + std::to_string(n) + "=E" + std::to_string(n - 1) + "\r\n";
    } else {
      for (int n = 1; n <= 150; ++n) text += "E" + std::to_string(n) + "\r\n\r\n";
    }
    WriteRecent(text);
    TRecentExpressionList list("Quorvel");
    ASSERT_EQ(list.Count(), 100) << keyed;
    EXPECT_TRUE(list.GetExpression(0)->BuiltIn);
    for (int32_t i = 1; i < 100; ++i) EXPECT_EQ(list.Strings(i), "E" + std::to_string(i));
  }
}

TEST_F(RecentExpressionsTest, AddingToAFullListKeepsItFull) {
  TRecentExpressionList list("Quorvel");
  for (int i = 1; i <= 99; ++i) list.AddExpression("E" + std::to_string(i), "");
  ASSERT_EQ(list.Count(), 100);
  list.AddExpression("One too many", "");
  EXPECT_EQ(list.Count(), 100);
  EXPECT_EQ(list.Strings(99), "E99");
  EXPECT_EQ(list.IndexOf("one TOO many"), -1);
}

// ---- List operations ----

TEST_F(RecentExpressionsTest, AddExpressionSkipsEmptyAndKeepsDuplicates) {
  TRecentExpressionList list("Quorvel");
  int notified = 0;
  list.Listeners().Add([&](TRecentExpressionList&) { ++notified; });
  list.AddExpression("", "ignored");
  list.AddExpression("Same", "1");
  list.AddExpression("Same", "2");
  EXPECT_EQ(Remembered(list), (std::vector<std::string>{"Same", "Same"}));
  EXPECT_EQ(list.GetExpression(2)->Description, "2");
  EXPECT_EQ(list.IndexOf("SAME"), 1);
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(list.GetExpression(-1), nullptr);
  EXPECT_EQ(list.GetExpression(3), nullptr);
}

TEST_F(RecentExpressionsTest, MoveNotifiesEveryListenerOnce) {
  struct Case {
    int32_t from, to;
    std::vector<std::string> order;  // of the whole list, "" being the built-in entry
    int notifications;
  };
  const Case cases[] = {
      {2, 2, {"", "A", "B", "C"}, 0},
      {1, 3, {"", "B", "C", "A"}, 1},
      {3, 1, {"", "C", "A", "B"}, 1},
      {0, 3, {"A", "B", "C", ""}, 1},
  };
  for (const Case& c : cases) {
    WriteRecent("A\r\n\r\nB\r\n\r\nC\r\n\r\n");
    TRecentExpressionList list("Quorvel");
    const TRecentExpression* moving = list.GetExpression(c.from);
    std::vector<std::string> calls;
    list.Listeners().Add([&](TRecentExpressionList& sender) {
      EXPECT_EQ(&sender, &list);
      calls.push_back("first");
    });
    list.Listeners().Add([&](TRecentExpressionList&) { calls.push_back("second"); });
    list.Move(c.from, c.to);
    std::vector<std::string> order;
    for (int32_t i = 0; i < list.Count(); ++i) order.push_back(list.Strings(i));
    EXPECT_EQ(order, c.order) << c.from << "->" << c.to;
    EXPECT_EQ(list.GetExpression(c.to), moving);  // the same object moved along
    std::vector<std::string> expected;
    if (c.notifications == 1) expected = {"first", "second"};
    EXPECT_EQ(calls, expected) << c.from << "->" << c.to;
  }
}

TEST_F(RecentExpressionsTest, IndexErrorsChangeNothing) {
  WriteRecent("A\r\n\r\nB\r\n\r\n");
  TRecentExpressionList list("Quorvel");
  int notified = 0;
  list.Listeners().Add([&](TRecentExpressionList&) { ++notified; });
  auto expectIndexError = [](auto&& operation, const std::string& message) {
    try {
      operation();
      ADD_FAILURE() << "no error: " << message;
    } catch (const ListIndexError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  };
  expectIndexError([&] { list.Delete(3); }, "List index out of bounds (3)");
  expectIndexError([&] { list.Delete(-1); }, "List index out of bounds (-1)");
  expectIndexError([&] { list.Move(7, 1); }, "List index out of bounds (7)");
  expectIndexError([&] { list.Move(1, 3); }, "List index out of bounds (3)");
  expectIndexError([&] { list.Move(1, -1); }, "List index out of bounds (-1)");
  EXPECT_EQ(Remembered(list), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(notified, 0);
  list.Delete(1);
  EXPECT_EQ(Remembered(list), std::vector<std::string>{"B"});
}

// ---- Which file is read ----

// The example file lies in the folder System beside the host executable (this test program). It is
// written for the test, and what was there before is put back when this goes away.
class ExampleFile {
 public:
  explicit ExampleFile(const std::string& path) : path_(path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    madeFolder_ = std::filesystem::create_directories(folder);
    if (std::filesystem::exists(path)) previous_ = ReadAll(path);
    WriteAll(path, "From the example\r\n\r\n");
  }
  ~ExampleFile() {
    std::error_code ignored;
    if (previous_) {
      WriteAll(path_, *previous_);
      return;
    }
    std::filesystem::remove(path_, ignored);
    if (madeFolder_) std::filesystem::remove(std::filesystem::path(path_).parent_path(), ignored);
  }
  ExampleFile(const ExampleFile&) = delete;
  ExampleFile& operator=(const ExampleFile&) = delete;

 private:
  std::string path_;
  bool madeFolder_ = false;
  std::optional<std::string> previous_;
};

TEST_F(RecentExpressionsTest, TheExampleFileSeedsOnlyAMissingHistory) {
  ExampleFile example(TRecentExpressionList("Quorvel").ExampleFileName());
  {
    TRecentExpressionList list("Quorvel");  // no per-user file yet
    EXPECT_EQ(Remembered(list), std::vector<std::string>{"From the example"});
    list.WriteCopies();
  }
  EXPECT_TRUE(platform::FileExists(RecentFile()));
  EXPECT_EQ(Remembered(TRecentExpressionList("Quorvel")),
            std::vector<std::string>{"From the example"});
  // An empty per-user file is a history without expressions: the example stays unread.
  WriteRecent("");
  EXPECT_TRUE(Remembered(TRecentExpressionList("Quorvel")).empty());
}

// ---- Writing must never lose the previous history ----

TEST_F(RecentExpressionsTest, AFailedSaveLeavesThePreviousHistoryWhole) {
  std::string old;
  {
    TRecentExpressionList list("Quorvel");
    for (int i = 0; i < 30; ++i) list.AddExpression("Old expression " + std::to_string(i), "");
    list.SaveToFile(list.RecentFileName());
    old = ReadAll(RecentFile());
  }
  ASSERT_GT(old.size(), 600u);
  TRecentExpressionList list("Quorvel");
  for (int i = 0; i < 60; ++i) list.AddExpression("New expression " + std::to_string(i), "");
  {
    test::FileSizeLimit limit(600);
    EXPECT_THROW(list.SaveToFile(list.RecentFileName()), std::runtime_error);
  }
  EXPECT_EQ(ReadAll(RecentFile()), old);
  EXPECT_EQ(test::FileNames(Folder()), std::vector<std::string>{"QuorvelRecentFilters.Txt"});
}

// ---- Life with the server module ----

// Makes a module the way ServerFactory does and holds the host's one reference.
class HostReference {
 public:
  HostReference() : module_(new TQuorvelServerModule(nullptr)) { module_->AddRef(); }
  ~HostReference() { Release(); }
  HostReference(const HostReference&) = delete;
  HostReference& operator=(const HostReference&) = delete;
  void Release() {
    if (module_ != nullptr) module_->Release();
    module_ = nullptr;
  }

 private:
  TServerModule* module_;
};

TEST_F(RecentExpressionsTest, ASecondModuleReadsTheFirstModulesHistory) {
  ASSERT_EQ(RecentExpressions(), nullptr);
  {
    HostReference first;
    ASSERT_NE(RecentExpressions(), nullptr);
    EXPECT_EQ(RecentExpressions()->OwnerName(), "Quorvel");
    RecentExpressions()->AddExpression("IsPad AND\r\nLayer = 'Top'", "pads on top");
    RecentExpressions()->AddExpression("A|B", "");
  }
  EXPECT_EQ(RecentExpressions(), nullptr);
  EXPECT_EQ(CurrentServerModule().Get(), nullptr);
  EXPECT_TRUE(platform::FileExists(RecentFile()));
  UserRegistryKey key(CompanyRegistryKey);
  EXPECT_EQ(key.ReadInteger(Section, "RecentExpressionCount", -1), 3);
  EXPECT_EQ(key.ReadString(Section, "RecentExpression2", ""), "IsPad AND|Layer = 'Top'");

  HostReference second;
  ASSERT_NE(RecentExpressions(), nullptr);
  EXPECT_EQ(Remembered(*RecentExpressions()),
            (std::vector<std::string>{"IsPad AND\r\nLayer = 'Top'", "A|B"}));
  EXPECT_EQ(RecentExpressions()->GetExpression(1)->Description, "pads on top");
}

TEST_F(RecentExpressionsTest, AFailedWriteAtDestructionIsReportedAndDestructionGoesOn) {
  {
    HostReference first;
    for (int i = 0; i < 30; ++i)
      RecentExpressions()->AddExpression("Old expression " + std::to_string(i), "");
  }
  std::string old = ReadAll(RecentFile());
  ASSERT_GT(old.size(), 600u);

  HostReference second;
  for (int i = 0; i < 60; ++i)
    RecentExpressions()->AddExpression("New expression " + std::to_string(i), "");
  testing::internal::CaptureStderr();
  {
    test::FileSizeLimit limit(600);  // both copies are longer
    second.Release();
  }
  std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_EQ(RecentExpressions(), nullptr);
  EXPECT_EQ(CurrentServerModule().Get(), nullptr);  // the last step of destruction ran
  EXPECT_NE(reported.find("Quorvel could not save its recent filter expressions to the registry"),
            std::string::npos)
      << reported;
  EXPECT_NE(reported.find("to its file: Cannot write \"" + RecentFile()), std::string::npos)
      << reported;
  EXPECT_EQ(ReadAll(RecentFile()), old);
}

}  // namespace
}  // namespace qv
