// The bundled example board through quorvel-host: its library against one written out by hand,
// and the board left exactly as it was, also when host processes fail along the way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "host/editor/DocumentFormat.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A document's text as the editor writes it: fields in their order, defaults left out.
std::string Canonical(const fs::path& path) {
  gorvath::Editor editor;
  std::string error;
  gorvath::Document* document = gorvath::LoadDocument(editor, path.string(), error);
  EXPECT_NE(document, nullptr) << error;
  return document != nullptr ? gorvath::WriteDocument(*document) : std::string();
}

class ExampleBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quorvel-example-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    board_ = folder_ / "Amplifier.PcbDoc";
    fs::copy_file(fs::path(QUORVEL_SOURCE_DIR) / "examples" / "Amplifier.PcbDoc", board_);
  }
  void TearDown() override {
    std::error_code ignored;  // a file still held open must not fail the test here
    fs::remove_all(folder_, ignored);
  }

  // Runs the host on the example board; its standard output.
  std::string Host(const std::string& options) {
    // A file of its own per run: a file just closed may still be held by the system for a moment.
    fs::path out = folder_ / ("out" + std::to_string(++runs_) + ".txt");
    std::string command = "\"" + std::string(QUORVEL_HOST) + "\" " + options + " \"" +
                          board_.string() + "\" >\"" + out.string() + "\" 2>&1";
#ifdef _WIN32
    command = "\"" + command + "\"";  // the command processor drops the outermost quotes
#endif
    int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << Read(out);
    return Read(out);
  }

  fs::path folder_, board_;
  int runs_ = 0;
};

TEST_F(ExampleBoard, BuildsTheLibraryWrittenOutByHand) {
  std::string out = Host("");
  fs::path library = folder_ / "Amplifier.PcbLib";
  EXPECT_NE(out.find("Library " + library.string() + ": 5 footprints, 23 primitives"),
            std::string::npos)
      << out;
  EXPECT_EQ(Canonical(library),
            Canonical(fs::path(QUORVEL_SOURCE_DIR) / "tests/e2e/data/Amplifier.expected.PcbLib"));
}

TEST_F(ExampleBoard, LeavesTheBoardAsItWasEvenWhenHostProcessesFail) {
  std::string before = Canonical(board_);
  for (const char* failing : {"", "PCB:CreateComponent", "PCB:SetComponentReference"}) {
    fs::path after = folder_ / ("after" + std::to_string(runs_) + ".PcbDoc");
    std::string options = "--save-board-as \"" + after.string() + "\"";
    if (*failing != '\0') options += std::string(" --fail-process ") + failing;
    Host(options);
    EXPECT_EQ(Read(after), before) << "with failing process '" << failing << "'";
  }
  // Each run took the next free library name beside the board.
  EXPECT_TRUE(fs::exists(folder_ / "Amplifier2.PcbLib"));
}

}  // namespace
