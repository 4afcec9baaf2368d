// The object model end to end against the stand-in editor: a board document read from its file
// through the module's own binding, down to a component's designator.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "host/editor/GorvathControl.h"
#include "pcb/Pcbclass.h"

namespace qv {
namespace {

const char* const kBoard = R"(QuorvelPcb 1 board
net Name="GND"
net Name="VCC"
class Name="Power"
member Name="GND"
member Name="VCC"
dimension X=-40 DimValue2=62 ExtValue7="mil"
reference Value1=1 Value2=2 Value3=3 Value4=4
reference Value1=5 Value4=8
component Pattern="DIP14" X=100 Y=200 NameText=1
  text Layer=33 Text="U1"
  track Layer=1 X2=100 Net=1
end
component Pattern="SO8" Layer=32 Rotation=90 NameText=1
  text Layer=34 Text="U2"
  pad Name="1"
end
component Pattern="DIP14" X=5000
end
)";

class StandInEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    Gorvath_CloseAll();
    // A folder of this test's own, also when several test runs share the machine.
    folder_ = std::filesystem::temp_directory_path() /
              ("quorvel-pcb-" + std::to_string(std::random_device{}()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    file_ = (folder_ / "Board.PcbDoc").string();
    std::ofstream(file_) << kBoard;
    board_ = Gorvath_OpenDocument(file_.c_str());
    ASSERT_NE(board_, 0u) << Gorvath_LastError();
    ASSERT_EQ(Gorvath_SetCurrentDocument(board_), 1);
    BindPcbApi();  // the editor is linked in, so it is loaded under its name
  }
  void TearDown() override {
    Gorvath_CloseAll();
    std::filesystem::remove_all(folder_);
  }

  // Every object of a kind on the board, whatever its layer.
  std::vector<ObjectHandle> All(const TPcbBoard& board, ObjectId kind) {
    std::vector<ObjectHandle> found;
    IterateBoardObjects(
        board, [&](ObjectHandle h) { found.push_back(h); }, ObjectSetOf(kind),
        LayerSet::Range(NoLayer, NoLayer), 0);
    return found;
  }

  std::filesystem::path folder_;
  std::string file_;
  ObjectHandle board_ = 0;
};

TEST_F(StandInEditor, ReadsTheBoardAndEachComponentsDesignator) {
  TPcbBoard board(PcbApi_GetCurrentBoardHandle());
  ASSERT_EQ(board.Handle, board_);
  EXPECT_EQ(board.TransferRecord(qmGet), 0);
  EXPECT_EQ(board.FileName.View(), file_);
  EXPECT_EQ(board.IsLibrary, 0);

  std::vector<std::string> seen;
  IterateBoardObjects(
      board,
      [&](ObjectHandle h) {
        TPcbComponent c(h);
        EXPECT_EQ(c.TransferRecord(qmGet), 0);
        String255 name;
        c.GetName(name);
        seen.push_back(std::string(c.Pattern.View()) + " " + std::string(name.View()));
      },
      ComponentSet, AllLayers, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"DIP14 U1", "DIP14 ", "SO8 U2"}));
}

TEST_F(StandInEditor, TheFactoryReadsNetsClassesAndDimensions) {
  TPcbBoard board(board_);
  std::vector<std::string> nets;
  for (ObjectHandle h : All(board, NetObject)) {
    auto net = PcbObjectFromHandle(h);
    ASSERT_NE(dynamic_cast<TPcbNet*>(net.get()), nullptr);
    String255 name;
    net->GetName(name);
    nets.emplace_back(name.View());
  }
  EXPECT_EQ(nets, (std::vector<std::string>{"GND", "VCC"}));

  auto classes = All(board, ClassObject);
  ASSERT_EQ(classes.size(), 1u);
  auto objectClass = PcbObjectFromHandle(classes[0]);
  auto* c = dynamic_cast<TPCBObjectClass*>(objectClass.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Name.View(), "Power");
  EXPECT_EQ(c->Members, (std::vector<std::string>{"GND", "VCC"}));

  // A write replaces the editor's members; a fresh read sees the new list.
  c->Members = {"VCC", "AGND", "DGND"};
  EXPECT_EQ(c->TransferRecord(qmSet), 0);
  TPCBObjectClass reread(classes[0]);
  reread.TransferRecord(qmGet);
  EXPECT_EQ(reread.Members, (std::vector<std::string>{"VCC", "AGND", "DGND"}));

  auto dimensions = All(board, DimensionObject);
  ASSERT_EQ(dimensions.size(), 1u);
  auto dimension = PcbObjectFromHandle(dimensions[0]);
  auto* d = dynamic_cast<TPcbDimension*>(dimension.get());
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->GetX(), -40);
  EXPECT_EQ(d->DimValue[1], 62);
  EXPECT_EQ(d->ExtValue7.View(), "mil");
  ASSERT_EQ(d->ReferenceCount, 2);
  EXPECT_EQ(d->References[0].RefValue3, 3);
  EXPECT_EQ(d->References[1].RefValue1, 5);
  EXPECT_EQ(d->References[1].RefValue4, 8);
}

}  // namespace
}  // namespace qv
