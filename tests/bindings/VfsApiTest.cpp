// The file system binding against functions that this test program exports as the host would.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bindings/VFSAPI.h"
#include "platform/CallingConvention.h"

namespace {
int32_t existsAnswer = 0;
std::vector<std::string> existsAsked;
struct CreateCall {
  std::string Name, Kind;
  const char* Extra;
};
std::vector<CreateCall> created;
}  // namespace

extern "C" QV_EXPORT int32_t QV_STDCALL VFSAPI_VFS_FileExists(const char* fileName) {
  existsAsked.emplace_back(fileName);
  return existsAnswer;
}

extern "C" QV_EXPORT int32_t QV_STDCALL VFSAPI_VFSCreateFile(const char* fileName,
                                                             const char* kind,
                                                             const char* extra) {
  created.push_back({fileName, kind, extra});
  return 77;
}

namespace qv {
namespace {

class VfsApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    existsAnswer = 0;
    existsAsked.clear();
    created.clear();
    BindVfsApi();
  }
  void TearDown() override { UnbindVfsApi(); }
};

TEST_F(VfsApiTest, BindsTheExportedNamesOnly) {
  std::size_t bound = 0;
  for (std::size_t i = 0; i < VfsApiNames.size(); ++i) bound += VfsApiEntry(i) != nullptr;
  EXPECT_EQ(bound, 2u);
}

TEST_F(VfsApiTest, FileExistsTakesOnlyTheLowByte) {
  const struct {
    int32_t Answer;
    bool Exists;
  } cases[] = {{0, false}, {1, true}, {0x100, false}, {0x1FF, true}, {-256, false}, {-1, true}};
  for (const auto& c : cases) {
    existsAnswer = c.Answer;
    EXPECT_EQ(VFSAPI_VFS_FileExists("C:\\Boards\\A.PcbLib"), c.Exists) << c.Answer;
  }
  EXPECT_EQ(existsAsked.back(), "C:\\Boards\\A.PcbLib");
}

TEST_F(VfsApiTest, CreateFilePassesAnEmptyThirdTextAsAnEmptyString) {
  VFSAPI_VFSCreateFile("/tmp/a.PcbLib", "PCBLib", "");
  VFSAPI_VFSCreateFile("/tmp/b.PcbLib", "PCBLib", nullptr);
  ASSERT_EQ(created.size(), 2u);
  for (const CreateCall& c : created) {
    EXPECT_EQ(c.Kind, "PCBLib");
    ASSERT_NE(c.Extra, nullptr);
    EXPECT_STREQ(c.Extra, "");
  }
  EXPECT_EQ(created[0].Name, "/tmp/a.PcbLib");
}

TEST_F(VfsApiTest, AfterUnbindingBothWrappersBehaveUnbound) {
  UnbindVfsApi();
  existsAnswer = 1;
  EXPECT_FALSE(VFSAPI_VFS_FileExists("x"));
  VFSAPI_VFSCreateFile("x", "PCBLib", "");
  EXPECT_TRUE(existsAsked.empty());
  EXPECT_TRUE(created.empty());
  for (std::size_t i = 0; i < VfsApiNames.size(); ++i) EXPECT_EQ(VfsApiEntry(i), nullptr);
}

}  // namespace
}  // namespace qv
