// quorvel-host run as a program on board files: the library it writes, its refusals of bad input,
// and its trace of the editor calls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Module.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char* kHostProgram = "quorvel-host.exe";
#else
constexpr const char* kHostProgram = "quorvel-host";
#endif

struct HostRun {
  int status = -1;
  std::string out, err;
};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class HostEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quorvel-e2e-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }

  HostRun Host(const std::string& arguments) {
    // The host program lies beside this test program.
    fs::path host =
        fs::path(qv::platform::ModuleFileName(qv::platform::HostModule())).parent_path() /
        kHostProgram;
    // Output files of their own for every run, so that no run waits on another's files.
    std::string run_id = std::to_string(++runs_);
    fs::path out = folder_ / ("stdout" + run_id + ".txt");
    fs::path err = folder_ / ("stderr" + run_id + ".txt");
    std::string command = "\"" + host.string() + "\" " + arguments + " >\"" + out.string() +
                          "\" 2>\"" + err.string() + "\"";
#ifdef _WIN32
    command = "\"" + command + "\"";  // the command processor drops the outermost quotes
#endif
    HostRun run;
    run.status = std::system(command.c_str());
#ifndef _WIN32
    run.status = (run.status >> 8) & 0xff;  // the exit status of the shell's wait status
#endif
    run.out = Read(out);
    run.err = Read(err);
    return run;
  }
  std::string Quoted(const fs::path& p) const {
    return "\"" + p.string() + "\"";
  }

  fs::path folder_;
  int runs_ = 0;
};

// Components on both sides, turned ones, a shared footprint and a footprint without primitives.
const char* const kBoard = R"(QuorvelPcb 1 board
component Pattern="DIP14" X=1000000 Y=2000000 NameText=1
  text Layer=33 Y=100000 Text="U1"
  pad X=-30000 Name="1"
  track Layer=33 X=-50000 X2=50000
end
component Pattern="DIP14" Layer=32 X=5000000 Rotation=90
  pad Name="1"
end
component Pattern="SO8" Layer=32 X=25000 Y=-12345 Rotation=33.3
  arc Radius=5000
  via X=10000
  fill X2=10 Y2=20
end
component Pattern="so8" X=35000
end
)";

TEST_F(HostEndToEnd, BuildsTheBoardsLibraryBesideItAndThenANumberedOne) {
  fs::path board = Write("Amp.PcbDoc", kBoard);
  HostRun run = Host(Quoted(board));
  ASSERT_EQ(run.status, 0) << run.err;
  fs::path library = folder_ / "Amp.PcbLib";
  EXPECT_NE(run.out.find("Library " + library.string() + ": 3 footprints, 6 primitives"),
            std::string::npos)
      << run.out;
  // Top-side components come first and the top-side DIP14 is the one copied; the SO8 is turned back
  // to the top unrotated, its reference put at (2, -1) mils.
  EXPECT_EQ(Read(library), R"(QuorvelPcb 1 library
component Pattern="DIP14"
  pad X=-30000 Name="1"
  track Layer=33 X=-50000 X2=50000
  text Layer=33 Y=100000 Text="U1"
end
component Pattern="so8"
end
component Pattern="SO8"
  arc X=5000 Y=-2345 Radius=5000
  via X=15000 Y=-2345
  fill X=5000 Y=-2345 X2=5010 Y2=-2325
end
)");
  EXPECT_EQ(Read(board), kBoard);  // boards are never written

  std::string first = Read(library);
  run = Host(Quoted(board));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(folder_ / "Amp1.PcbLib"));
  EXPECT_EQ(Read(library), first);
}

TEST_F(HostEndToEnd, BadInputIsRefusedWithItsFileAndLineAndNothingIsWritten) {
  fs::path malformed = Write("Bad.PcbDoc", "QuorvelPcb 1 board\ncomponent Pattern=\"A\"\n");
  struct Case {
    std::string arguments;
    std::string message;
  } cases[] = {
      {Quoted(folder_ / "Missing.PcbDoc"), "Missing.PcbDoc: cannot be opened for reading"},
      {Quoted(malformed), "Bad.PcbDoc:2: component is not closed by 'end'"},
      {"--colour " + Quoted(malformed), "unknown option or argument: --colour"},
      {"--command", "option --command needs a value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    HostRun run = Host(c.arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  for (const auto& entry : fs::directory_iterator(folder_))
    EXPECT_NE(entry.path().extension(), ".PcbLib") << entry.path();
}

TEST_F(HostEndToEnd, ALibraryAsTheCurrentBoardIsRefusedByTheCommand) {
  fs::path library = Write("Parts.PcbLib", "QuorvelPcb 1 library\ncomponent Pattern=\"X\"\nend\n");
  HostRun run = Host(Quoted(library));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("The current board is a library..."), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("\nLibrary "), std::string::npos) << run.out;
}

TEST_F(HostEndToEnd, TracePrintsEveryEditorCallWithItsArguments) {
  fs::path board = Write("T.PcbDoc", kBoard);
  HostRun run = Host("--trace " + Quoted(board));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.rfind("PcbApi_GetCurrentBoardHandle() = ", 0), 0u) << run.err.substr(0, 200);
  EXPECT_NE(run.err.find("\nPcbApi_CreateObject(2) = "), std::string::npos);
  EXPECT_NE(run.err.find("\nprocess PCB:CreateComponent(\"FootPrint=DIP14\", view "),
            std::string::npos);
  EXPECT_NE(run.err.find("\nprocess PCB:SetComponentReference(\"Location.X=2|Location.Y=-1\""),
            std::string::npos);
}

}  // namespace
