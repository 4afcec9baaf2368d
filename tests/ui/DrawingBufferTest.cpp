#include <gtest/gtest.h>

#include <array>

#include "ui/DrawingBuffer.h"

namespace qv::ui {
namespace {

std::array<uint32_t, 12> hostPixels{};

void QV_STDCALL HostWithBuffer(GlobalBufferRecord* record) {
  *record = {};
  record->Header.Width = 4;
  record->Header.Height = -3;
  record->Bitmap = reinterpret_cast<void*>(0xB1);
  record->DeviceContext = reinterpret_cast<void*>(0xDC);
  record->Pixels = hostPixels.data();
  record->Height = 3;
  record->Width = 4;
}

void QV_STDCALL HostWithoutBuffer(GlobalBufferRecord* record) {
  *record = {};
}

class DrawingBufferTest : public ::testing::Test {
 protected:
  void TearDown() override { StopDrawingBuffer(); }
  static GlobalBufferRecord Current() {
    GlobalBufferRecord r;
    FillGlobalBufferRecord(r);
    return r;
  }
};

TEST_F(DrawingBufferTest, AdoptsTheHostsBufferAndLeavesItToTheHost) {
  StartDrawingBuffer(&HostWithBuffer);
  EXPECT_TRUE(DrawingBufferAdopted());
  GlobalBufferRecord r = Current();
  EXPECT_EQ(r.Pixels, hostPixels.data());
  EXPECT_EQ(r.Bitmap, reinterpret_cast<void*>(0xB1));
  EXPECT_EQ(r.DeviceContext, reinterpret_cast<void*>(0xDC));
  EXPECT_EQ(r.Width, 4);
  EXPECT_EQ(r.Height, 3);
  EXPECT_EQ(r.Header.Height, -3);  // top-down
  StopDrawingBuffer();             // the host's memory is not released (the sanitizer would see)
  EXPECT_EQ(Current().Pixels, nullptr);
}

TEST_F(DrawingBufferTest, MakesItsOwnWhenTheHostHasNoneOrDescribesNone) {
  for (GetGlobalBufferProc host : {static_cast<GetGlobalBufferProc>(nullptr), &HostWithoutBuffer}) {
    StartDrawingBuffer(host);
    EXPECT_FALSE(DrawingBufferAdopted());
    GlobalBufferRecord r = Current();
    ASSERT_NE(r.Pixels, nullptr);
    EXPECT_EQ(r.Width, DefaultBufferWidth);
    EXPECT_EQ(r.Height, DefaultBufferHeight);
    EXPECT_EQ(r.Header.Size, 40u);
    EXPECT_EQ(r.Header.BitCount, 32);
    EXPECT_EQ(r.Header.Planes, 1);
    EXPECT_EQ(r.Header.Width, DefaultBufferWidth);
    EXPECT_EQ(r.Header.Height, -DefaultBufferHeight);
    static_cast<uint32_t*>(r.Pixels)[DefaultBufferWidth * DefaultBufferHeight - 1] = 0xFFu;
  }
}

}  // namespace
}  // namespace qv::ui
