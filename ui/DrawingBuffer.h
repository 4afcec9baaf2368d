#pragma once
// The process-wide off-screen drawing buffer of the themed controls. A module that is loaded into
// a host with a buffer of its own shares the host's (found through the host's exported
// GetGlobalBuffer); otherwise it makes one and releases it when it stops.
#include <cstdint>

#include "platform/CallingConvention.h"
#include "ui/Backend.h"

namespace qv::ui {

// The bitmap header of a 32-bit top-down image (negative height), 40 bytes.
struct BitmapInfoHeader {
  uint32_t Size = 40;
  int32_t Width = 0;
  int32_t Height = 0;  // negative: rows from the top
  uint16_t Planes = 1;
  uint16_t BitCount = 32;
  uint32_t Compression = 0;  // uncompressed RGB
  uint32_t SizeImage = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ClrUsed = 0;
  uint32_t ClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

// What GetGlobalBuffer fills. Natural alignment on every platform: on 32-bit targets 64 bytes
// (header at 0, colour entry at 40, image handle 44, device context 48, pixel address 52, height
// 56, width 60); on 64-bit targets 80 bytes (header at 0, colour entry at 40, 4 bytes of padding,
// image handle 48, device context 56, pixel address 64, height 72, width 76).
struct GlobalBufferRecord {
  BitmapInfoHeader Header;
  uint32_t Colour = 0;  // the one colour-table entry (unused by 32-bit images)
  void* Bitmap = nullptr;
  void* DeviceContext = nullptr;
  void* Pixels = nullptr;
  int32_t Height = 0;
  int32_t Width = 0;
};
static_assert(sizeof(void*) != 4 || sizeof(GlobalBufferRecord) == 64);
static_assert(sizeof(void*) != 8 || sizeof(GlobalBufferRecord) == 80);

// The signature of the exported function, in the host and in this module.
using GetGlobalBufferProc = void(QV_STDCALL*)(GlobalBufferRecord* record);

// The size of the buffer that the module makes for itself.
constexpr int DefaultBufferWidth = 256;
constexpr int DefaultBufferHeight = 256;

// Sets up the buffer: adopts the one that `hostExport` describes when it describes one (pixels
// and a size), otherwise makes the module's own. Starting again first stops.
void StartDrawingBuffer(GetGlobalBufferProc hostExport);
// The module's start: StartDrawingBuffer with the host executable's GetGlobalBuffer, if it has one.
void StartProcessDrawingBuffer();
// Releases the buffer when it is the module's own; forgets an adopted one.
void StopDrawingBuffer();
// Fills `record` with the current buffer; all zero sizes and addresses when there is none.
void FillGlobalBufferRecord(GlobalBufferRecord& record);
// True when the buffer in use is the host's.
bool DrawingBufferAdopted();

}  // namespace qv::ui
