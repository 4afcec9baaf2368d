// The module's exported GetGlobalBuffer, with the module loaded into a program that exports none.
#include <gtest/gtest.h>

#include <string>

#include "platform/Module.h"
#include "ui/DrawingBuffer.h"

namespace {

TEST(ModuleBufferTest, LoadedModuleDescribesItsOwnBuffer) {
  std::string error;
  auto library = qv::platform::LoadedLibrary::Load(
      std::string(QUORVEL_BIN_DIR) + "/Quorvel" + std::string(qv::platform::LibrarySuffix()),
      error);
  ASSERT_NE(library, nullptr) << error;
  auto get = reinterpret_cast<qv::ui::GetGlobalBufferProc>(library->Symbol("GetGlobalBuffer"));
  ASSERT_NE(get, nullptr);
  qv::ui::GlobalBufferRecord record;
  get(&record);
  EXPECT_NE(record.Pixels, nullptr);
  EXPECT_EQ(record.Width, qv::ui::DefaultBufferWidth);
  EXPECT_EQ(record.Height, qv::ui::DefaultBufferHeight);
  EXPECT_EQ(record.Header.Height, -qv::ui::DefaultBufferHeight);
  EXPECT_TRUE(library->Unload(error)) << error;
}

}  // namespace
