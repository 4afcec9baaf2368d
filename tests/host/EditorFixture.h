#pragma once
// Reaches the stand-in editor the way the module does: its PcbApi functions looked up by name in
// the loaded editor module, and the host's control functions. Every test starts with no document.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bindings/PcbApiContract.h"
#include "host/editor/GorvathControl.h"
#include "platform/Module.h"

namespace editortest {

using namespace qv;

// The editor function of that name, as the module binds it.
template <class P>
P Fn(const char* name) {
  auto module = platform::FindLoadedModule(platform::EditorModuleName());
  auto address = platform::FindSymbol(module, name);
  if (!address) ADD_FAILURE() << name << " is not exported";
  return reinterpret_cast<P>(address);
}
#define EDITOR_FN(name) static const auto name = Fn<name##_Proc>(#name)

struct Track {
  uint16_t flags = 0, word = 0;
  LayerId layer = 0;
  ObjectHandle net = 0;
  uint8_t byte = 0;
  ObjectHandle component = 0;
  Coord x = 0, y = 0, x2 = 0, y2 = 0, width = 0;
  int32_t link1 = 0, link2 = 0, link3 = 0;
  bool operator==(const Track&) const = default;
};
inline Status QueryTrack(QueryMode mode, ObjectHandle h, Track& t) {
  EDITOR_FN(PcbApi_QueryTrack);
  return PcbApi_QueryTrack(mode, h, &t.flags, &t.word, &t.layer, &t.net, &t.byte, &t.component,
                           &t.x, &t.y, &t.x2, &t.y2, &t.width, &t.link1, &t.link2, &t.link3);
}

struct Component {
  uint16_t flags = 0, word = 0;
  LayerId layer = 0;
  uint8_t byte = 0;
  ObjectHandle name = 0, comment = 0;
  ShortString<250> pattern;
  uint8_t byte1 = 0, byte2 = 0;
  Coord x = 0, y = 0;
  int32_t value = 0;
  double rotation = 0;
  uint8_t byte3 = 0;
  bool operator==(const Component&) const = default;
};
inline Status QueryComponent(QueryMode mode, ObjectHandle h, Component& c) {
  EDITOR_FN(PcbApi_QueryComponent);
  return PcbApi_QueryComponent(mode, h, &c.flags, &c.word, &c.layer, &c.byte, &c.name, &c.comment,
                               &c.pattern, &c.byte1, &c.byte2, &c.x, &c.y, &c.value, &c.rotation,
                               &c.byte3);
}

// Every field of a primitive, read through its record query, as one line of text.
std::string Describe(ObjectHandle h);
// The handles an iterator over a container yields.
std::vector<ObjectHandle> Iterate(ObjectHandle container, ObjectId kind, uint8_t method,
                                  LayerId layer);

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Gorvath_CloseAll();
    Gorvath_SetCurrentDocument(0);
    folder_ = std::filesystem::temp_directory_path() /
              ("gorvath-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    Gorvath_CloseAll();
    std::filesystem::remove_all(folder_);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  // Writes a document file and opens it.
  ObjectHandle Open(const std::string& name, const std::string& text) {
    std::ofstream(Path(name), std::ios::binary) << text;
    ObjectHandle board = Gorvath_OpenDocument(Path(name).c_str());
    EXPECT_NE(board, 0u) << Gorvath_LastError();
    return board;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path folder_;
};

}  // namespace editortest
