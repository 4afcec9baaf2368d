#pragma once
// The help engine that opens help topics. On Windows the system's help viewer; on Linux, which has
// none, each call is printed to standard error. Both record each call; tests read the record.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::platform {

// The help engine's commands, with the system's numbers.
enum class HelpCommand : uint32_t {
  Context = 1,       // open a topic by number in a help window
  ContextPopup = 8,  // show a topic by number as a popup
  SetPopupPos = 13,  // position of the next popup: x low, y high 16 bits
};

// Packs a screen position the way helpSetPopupPos takes it.
constexpr uintptr_t PopupPosition(int x, int y) {
  return (static_cast<uintptr_t>(static_cast<uint16_t>(y)) << 16) | static_cast<uint16_t>(x);
}

// Sends one command to the help engine; the result tells whether the engine took it.
bool RunHelpCommand(void* window, std::string_view helpFile, HelpCommand command, uintptr_t data);

struct HelpCall {
  void* Window = nullptr;
  std::string File;
  HelpCommand Command = HelpCommand::Context;
  uintptr_t Data = 0;
  friend bool operator==(const HelpCall&, const HelpCall&) = default;
};
// The calls made so far, oldest first (on Windows too, before the viewer is asked). Tests clear it
// before they start.
std::vector<HelpCall>& RecordedHelpCalls();

}  // namespace qv::platform
