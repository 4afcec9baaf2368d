// The library builder against the recording fake editor and a host client: what it sends to the
// editor and the host, in which order, and that the source board is left as it was.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "bindings/VFSAPI.h"
#include "builder/Upcblib.h"
#include "host/client/HostClient.h"
#include "runtime/RT_ServerImplementation.h"
#include "tests/pcb/PcbFixture.h"
#include "ui/Headless.h"

// The host's file system, as this test program exports it for the module to bind.
namespace {
std::set<std::string> existingFiles;
std::vector<std::string> fileLog;
}  // namespace

extern "C" QV_EXPORT int32_t QV_STDCALL VFSAPI_VFS_FileExists(const char* fileName) {
  fileLog.push_back(std::string("exists ") + fileName);
  return existingFiles.count(fileName) != 0 ? 0x7F01 : 0x7F00;  // only the low byte counts
}
extern "C" QV_EXPORT int32_t QV_STDCALL VFSAPI_VFSCreateFile(const char* fileName, const char* kind,
                                                              const char* extra) {
  fileLog.push_back(std::string("create ") + fileName + " " + kind + " [" + extra + "]");
  existingFiles.insert(fileName);
  return 0;
}

namespace qv::test {
namespace {

constexpr ObjectHandle Board = 100;
constexpr ObjectHandle Library = 300;
constexpr LayerId TopLayer = 1, BottomLayer = 32;

// Field positions in the component query, after the mode and the handle.
constexpr std::size_t ComponentLayer = 2, ComponentPattern = 6, ComponentX = 9, ComponentY = 10,
                      ComponentRotation = 12;

class BuilderTest : public FakeEditorTest {
 protected:
  void SetUp() override {
    FakeEditorTest::SetUp();
    ui::headless::Reset();
    existingFiles.clear();
    fileLog.clear();
    BindVfsApi();
    qvhost::HostServices services;
    services.OpenDocument = [this](const std::string&, const std::string&, uint32_t& document) {
      if (!openSucceeds) return false;
      Editor().CurrentBoard = Library;
      document = 1;
      return true;
    };
    services.RunProcess = [this](const std::string& name, const std::string&, qvhost::HostView*) {
      if (name == failingProcess) throw std::runtime_error("host failed");
      return true;
    };
    client = std::make_unique<qvhost::HostClient>(services);
    SetCurrentClient(client.get());
    Editor().CurrentBoard = Board;
    BoardFile("/work/designs/Amp.PcbDoc");
  }
  void TearDown() override {
    SetCurrentClient(nullptr);
    UnbindVfsApi();
  }

  void BoardFile(const std::string& name, uint8_t isLibrary = 0) {
    Editor().SetField("PcbApi_QueryBoard", Board, NoKey, 1, Text255(name));
    Editor().SetField("PcbApi_QueryBoard", Board, NoKey, 2, isLibrary);
  }
  void AddComponent(ObjectHandle h, LayerId layer, const std::string& pattern, Coord x = 0,
                    Coord y = 0, double rotation = 0.0) {
    ShortString<250> p;
    p.Assign(pattern);
    auto& e = Editor();
    e.SetField("PcbApi_QueryComponent", h, NoKey, ComponentLayer, layer);
    e.SetField("PcbApi_QueryComponent", h, NoKey, ComponentPattern, p);
    e.SetField("PcbApi_QueryComponent", h, NoKey, ComponentX, x);
    e.SetField("PcbApi_QueryComponent", h, NoKey, ComponentY, y);
    e.SetField("PcbApi_QueryComponent", h, NoKey, ComponentRotation, rotation);
    e.Contents[{Board, ComponentObject, layer}].push_back(h);
  }
  std::vector<std::string> Processes() const { return client->ProcessLog; }
  // The component sends (qmSet/qmUpdate) of one handle, as "mode layer rotation x y".
  std::vector<std::string> ComponentSends(ObjectHandle h) {
    std::vector<std::string> sends;
    for (const FakeCall& c : Editor().CallsOf("PcbApi_QueryComponent")) {
      if (c.Args[1] != h || c.Args[0] == qmGet) continue;
      char line[128];
      std::snprintf(line, sizeof line, "%d %d %g %d %d", static_cast<int>(c.Args[0]),
                    c.Field<LayerId>(ComponentLayer), c.Field<double>(ComponentRotation),
                    c.Field<Coord>(ComponentX), c.Field<Coord>(ComponentY));
      sends.push_back(line);
    }
    return sends;
  }

  std::unique_ptr<qvhost::HostClient> client;
  bool openSucceeds = true;
  std::string failingProcess;
};

TEST_F(BuilderTest, RefusesWithoutABoardOrOnALibrary) {
  Editor().CurrentBoard = 0;
  BuildLibraryFromCurrentBoard();
  EXPECT_NE(ui::headless::LastModalTranscript().find("No board is currently open."),
            std::string::npos);
  EXPECT_NE(ui::headless::LastModalTranscript().find("Vantrope Error"), std::string::npos);

  Editor().CurrentBoard = Board;
  BoardFile("/work/lib/Parts.PcbLib", 1);
  AddComponent(201, TopLayer, "DIP14");
  Editor().Log.clear();
  BuildLibraryFromCurrentBoard();
  EXPECT_NE(ui::headless::LastModalTranscript().find("The current board is a library..."),
            std::string::npos);
  EXPECT_EQ(ui::headless::ModalRunCount(), 2);
  for (const FakeCall& c : Editor().Log) {
    bool takesMode = c.Name.rfind("PcbApi_Query", 0) == 0 &&
                     c.Name != "PcbApi_QueryBoardLayerPairsCount" &&
                     c.Name.rfind("PcbApi_QueryPadOrVia", 0) != 0 &&
                     c.Name.rfind("PcbApi_QueryObject", 0) != 0;
    if (takesMode) {
      EXPECT_EQ(c.Args[0], qmGet) << c.Name << " sent a record on a refused run";
    }
  }
  EXPECT_TRUE(fileLog.empty());
}

TEST_F(BuilderTest, ABoardWithoutComponentsCreatesNothing) {
  BuildLibraryFromCurrentBoard();
  EXPECT_TRUE(fileLog.empty());
  EXPECT_TRUE(Processes().empty());
  EXPECT_EQ(ui::headless::ModalRunCount(), 0);
}

TEST_F(BuilderTest, BuildsOneFootprintPerDistinctNameFromTheFirstComponentMet) {
  AddComponent(210, BottomLayer, "DIP14", 10000, 20000, 90.0);
  AddComponent(201, TopLayer, "DIP14", 50000, 60000);
  AddComponent(202, TopLayer, "SO8", 25000, -12345);
  AddComponent(203, TopLayer, "so8", 35000, 0);
  existingFiles = {"/work/designs/Amp.PcbLib", "/work/designs/Amp1.PcbLib"};

  BuildLibraryFromCurrentBoard();

  EXPECT_EQ(fileLog, (std::vector<std::string>{
                         "exists /work/designs/Amp.PcbLib", "exists /work/designs/Amp1.PcbLib",
                         "exists /work/designs/Amp2.PcbLib",
                         "create /work/designs/Amp2.PcbLib PCBLib []"}));
  EXPECT_EQ(client->BeforeOpenCount, 1);
  EXPECT_EQ(client->AfterOpenValues, std::vector<int32_t>{-1});
  EXPECT_EQ(Processes(), (std::vector<std::string>{
                             "PCB:CreateComponent FootPrint=DIP14",
                             "PCB:SetComponentReference Location.X=5|Location.Y=6",
                             "PCB:Zoom Action=All",
                             "PCB:CreateComponent FootPrint=SO8",
                             "PCB:SetComponentReference Location.X=2|Location.Y=-1",
                             "PCB:Zoom Action=All",
                             "PCB:CreateComponent FootPrint=so8",
                             "PCB:SetComponentReference Location.X=4|Location.Y=0",
                             "PCB:Zoom Action=All",
                             "PCB:DeleteComponentFromLibrary FootPrint=PCBComponent_1",
                             "PCB:FirstComponent ",
                         }));
  // The bottom-side DIP14 is never turned: the top-side one is met first.
  EXPECT_TRUE(ComponentSends(210).empty());
  EXPECT_EQ(ComponentSends(202), (std::vector<std::string>{
                                     "2 1 0 25000 -12345", "2 1 0 25000 -12345",
                                     "2 1 0 25000 -12345", "2 1 0 25000 -12345",
                                     "2 1 0 25000 -12345"}));
}

TEST_F(BuilderTest, TurnsABottomComponentToTheTopAndBackInOrder) {
  AddComponent(210, BottomLayer, "DIP14", 10000, 20000, 90.0);
  BuildLibraryFromCurrentBoard();
  EXPECT_EQ(ComponentSends(210), (std::vector<std::string>{
                                     "2 1 90 10000 20000",   // to the top layer
                                     "2 1 0 10000 20000",    // then unturned
                                     "2 32 0 10000 20000",   // back to the bottom layer
                                     "2 32 90 10000 20000",  // then its rotation
                                     "2 32 90 10000 20000",  // then its location
                                 }));
  // The board is read once and sent back once, when the builder is done.
  std::vector<int64_t> boardModes;
  for (const FakeCall& c : Editor().CallsOf("PcbApi_QueryBoard"))
    if (c.Args[1] == Board) boardModes.push_back(c.Args[0]);
  EXPECT_EQ(boardModes, (std::vector<int64_t>{qmGet, qmUpdate}));
}

TEST_F(BuilderTest, CopiesAViaWithItsSizeHoleAndLayerSpan) {
  AddComponent(201, TopLayer, "VIAFOOT", 10000, 10000);
  constexpr ObjectHandle via = 401;
  Editor().Kinds[via] = ViaObject;
  Editor().Contents[{201, ViaObject, 0}] = {via};
  auto& e = Editor();
  e.SetField("PcbApi_QueryVia", via, NoKey, 0, uint16_t{0x0005});  // Flags
  e.SetField("PcbApi_QueryVia", via, NoKey, 1, uint16_t{0x7777});  // CommonWord: not copied
  e.SetField("PcbApi_QueryVia", via, NoKey, 2, LayerId{74});       // MultiLayer
  e.SetField("PcbApi_QueryVia", via, NoKey, 3, ObjectHandle{55});  // NetHandle: not copied
  e.SetField("PcbApi_QueryVia", via, NoKey, 4, uint8_t{9});        // CommonByte
  e.SetField("PcbApi_QueryVia", via, NoKey, 6, Coord{1234});
  e.SetField("PcbApi_QueryVia", via, NoKey, 7, Coord{-5678});
  e.SetField("PcbApi_QueryVia", via, NoKey, 8, Coord{500000});   // Size
  e.SetField("PcbApi_QueryVia", via, NoKey, 9, Coord{280000});   // HoleSize
  e.SetField("PcbApi_QueryVia", via, NoKey, 10, LayerId{1});     // LowLayer
  e.SetField("PcbApi_QueryVia", via, NoKey, 11, LayerId{32});    // HighLayer

  BuildLibraryFromCurrentBoard();

  auto creates = e.CallsOf("PcbApi_CreateObject");
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].Args[0], ViaObject);
  ObjectHandle created = 5000;
  std::vector<FakeCall> sent;
  for (const FakeCall& c : e.CallsOf("PcbApi_QueryVia"))
    if (c.Args[1] == created && c.Args[0] == qmSet) sent.push_back(c);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Field<uint16_t>(0), 0x0005);
  EXPECT_EQ(sent[0].Field<uint16_t>(1), 0);
  EXPECT_EQ(sent[0].Field<LayerId>(2), 74);
  EXPECT_EQ(sent[0].Field<ObjectHandle>(3), 0u);
  EXPECT_EQ(sent[0].Field<uint8_t>(4), 9);
  EXPECT_EQ(sent[0].Field<ObjectHandle>(5), 0u);
  EXPECT_EQ(sent[0].Field<Coord>(6), 1234);
  EXPECT_EQ(sent[0].Field<Coord>(7), -5678);
  EXPECT_EQ(sent[0].Field<Coord>(8), 500000);
  EXPECT_EQ(sent[0].Field<Coord>(9), 280000);
  EXPECT_EQ(sent[0].Field<LayerId>(10), 1);
  EXPECT_EQ(sent[0].Field<LayerId>(11), 32);
  auto adds = e.CallsOf("PcbApi_AddObjectToContainer");
  ASSERT_EQ(adds.size(), 1u);
  EXPECT_EQ(adds[0].Args, (std::vector<int64_t>{Library, created}));
}

TEST_F(BuilderTest, AFootprintWithoutPrimitivesStillGetsItsProcesses) {
  AddComponent(201, TopLayer, "EMPTY", 0, 0);
  constexpr ObjectHandle polygon = 402;
  Editor().Kinds[polygon] = PolygonObject;
  Editor().Contents[{201, PadObject, 0}] = {polygon};  // an iterator handing out another kind
  BuildLibraryFromCurrentBoard();
  EXPECT_EQ(Processes().size(), 5u);
  EXPECT_TRUE(Editor().CallsOf("PcbApi_CreateObject").empty());
  // Each of the six kinds is iterated with method 2 on layer 0, and every iterator destroyed.
  std::vector<int64_t> kinds;
  for (const FakeCall& c : Editor().CallsOf("PcbApi_CreateIterator"))
    if (c.Args[0] == 201) {
      kinds.push_back(c.Args[1]);
      EXPECT_EQ(c.Args[2], 2);
      EXPECT_EQ(c.Args[3], 0);
    }
  EXPECT_EQ(kinds, (std::vector<int64_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Editor().CallsOf("PcbApi_CreateIterator").size(),
            Editor().CallsOf("PcbApi_DestroyIterator").size());
}

TEST_F(BuilderTest, ALibraryThatCannotBeOpenedIsReportedAndNothingIsBuilt) {
  AddComponent(201, TopLayer, "DIP14");
  openSucceeds = false;
  BuildLibraryFromCurrentBoard();
  EXPECT_NE(ui::headless::LastModalTranscript().find("Could not create a library document"),
            std::string::npos);
  EXPECT_TRUE(Processes().empty());
  EXPECT_TRUE(ComponentSends(201).empty());
  EXPECT_EQ(client->AfterOpenValues, std::vector<int32_t>{-1});  // the host's notifications pair
}

TEST_F(BuilderTest, ALibraryThatDoesNotBecomeTheCurrentBoardIsNeverDrawnInto) {
  AddComponent(201, TopLayer, "DIP14");
  // The host opens the document but the editor still shows the source board.
  client = std::make_unique<qvhost::HostClient>(qvhost::HostServices{
      [](const std::string&, const std::string&, uint32_t& d) { return d = 1, true; }, nullptr});
  SetCurrentClient(client.get());
  BuildLibraryFromCurrentBoard();
  EXPECT_NE(ui::headless::LastModalTranscript().find("Could not create a library document"),
            std::string::npos);
  EXPECT_TRUE(Editor().CallsOf("PcbApi_AddObjectToContainer").empty());
  EXPECT_TRUE(ComponentSends(201).empty());
}

TEST_F(BuilderTest, AComponentIsTurnedBackWhenTheBuildFailsMidway) {
  AddComponent(210, BottomLayer, "DIP14", 10000, 20000, 45.5);
  failingProcess = "PCB:SetComponentReference";
  EXPECT_THROW(BuildLibraryFromCurrentBoard(), std::runtime_error);
  EXPECT_EQ(ComponentSends(210), (std::vector<std::string>{
                                     "2 1 45.5 10000 20000", "2 1 0 10000 20000",
                                     "2 32 0 10000 20000", "2 32 45.5 10000 20000",
                                     "2 32 45.5 10000 20000"}));
  std::vector<int64_t> boardModes;
  for (const FakeCall& c : Editor().CallsOf("PcbApi_QueryBoard"))
    if (c.Args[1] == Board) boardModes.push_back(c.Args[0]);
  EXPECT_EQ(boardModes, (std::vector<int64_t>{qmGet, qmUpdate}));
  EXPECT_EQ(CurrentLibraryBuilder(), nullptr);
}

TEST(LibraryFileName, SitsBesideTheBoardWithTheNextFreeNumber) {
  struct Case {
    const char* board;
    int counter;
    const char* library;
  };
  for (Case c : {Case{"/work/Amp.PcbDoc", 0, "/work/Amp.PcbLib"},
                 Case{"/work/Amp.PcbDoc", 1, "/work/Amp1.PcbLib"},
                 Case{"/work/Amp.PcbDoc", 12, "/work/Amp12.PcbLib"},
                 Case{"/work/my.amp.PcbDoc", 0, "/work/my.amp.PcbLib"},
                 Case{"/work/v1.2/Amp", 0, "/work/v1.2/Amp.PcbLib"},
                 Case{"Amp.PcbDoc", 2, "Amp2.PcbLib"}, Case{"", 0, ".PcbLib"}}) {
    EXPECT_EQ(LibraryFileName(c.board, c.counter), c.library) << c.board;
  }
  std::string longName = "/d/" + std::string(300, 'n') + ".PcbDoc";
  EXPECT_EQ(LibraryFileName(longName, 0), "/d/" + std::string(255, 'n') + ".PcbLib");
}

TEST(MilsText, RoundsToWholeMilsHalvesToEven) {
  struct Case {
    Coord coord;
    const char* text;
  };
  for (Case c : {Case{25000, "2"}, Case{35000, "4"}, Case{-12345, "-1"}, Case{15000, "2"},
                 Case{-25000, "-2"}, Case{4999, "0"}, Case{0, "0"}, Case{2147483647, "214748"},
                 Case{-2147483647 - 1, "-214748"}}) {
    EXPECT_EQ(MilsText(c.coord), c.text) << c.coord;
  }
}

}  // namespace
}  // namespace qv::test
