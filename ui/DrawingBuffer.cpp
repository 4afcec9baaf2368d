#include "ui/DrawingBuffer.h"

#include "platform/Module.h"

namespace qv::ui {

namespace {
struct BufferState {
  DrawingSurface Surface;
  bool Own = false;
  bool Adopted = false;
};
BufferState& State() {
  static BufferState state;
  return state;
}
}  // namespace

void StartDrawingBuffer(GetGlobalBufferProc hostExport) {
  StopDrawingBuffer();
  BufferState& s = State();
  if (hostExport != nullptr) {
    GlobalBufferRecord record;
    hostExport(&record);
    if (record.Pixels != nullptr && record.Width > 0 && record.Height > 0) {
      s.Surface = {record.Bitmap, record.DeviceContext, static_cast<uint32_t*>(record.Pixels),
                   record.Width, record.Height};
      s.Adopted = true;
      return;
    }
  }
  s.Surface = CurrentBackend().CreateDrawingSurface(DefaultBufferWidth, DefaultBufferHeight);
  s.Own = s.Surface.Pixels != nullptr;
}

void StartProcessDrawingBuffer() {
  // When the module itself is visible through the host's lookup, the call reaches this module's
  // export, which describes no buffer yet, and the module makes its own.
  auto hostExport = reinterpret_cast<GetGlobalBufferProc>(
      platform::FindSymbol(platform::HostModule(), "GetGlobalBuffer"));
  StartDrawingBuffer(hostExport);
}

void StopDrawingBuffer() {
  BufferState& s = State();
  if (s.Own) CurrentBackend().ReleaseDrawingSurface(s.Surface);
  s = {};
}

void FillGlobalBufferRecord(GlobalBufferRecord& record) {
  const DrawingSurface& surface = State().Surface;
  record = {};
  record.Header.Width = surface.Width;
  record.Header.Height = -surface.Height;
  record.Header.SizeImage =
      static_cast<uint32_t>(surface.Width) * static_cast<uint32_t>(surface.Height) * 4;
  record.Bitmap = surface.Bitmap;
  record.DeviceContext = surface.DeviceContext;
  record.Pixels = surface.Pixels;
  record.Height = surface.Height;
  record.Width = surface.Width;
}

bool DrawingBufferAdopted() {
  return State().Adopted;
}

}  // namespace qv::ui
