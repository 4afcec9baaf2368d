#include <windows.h>

#include <string>

#include "platform/HelpEngine.h"

namespace qv::platform {

std::vector<HelpCall>& RecordedHelpCalls() {
  // The system's viewer keeps no record here; the list stays empty.
  static std::vector<HelpCall> calls;
  return calls;
}

bool RunHelpCommand(void* window, std::string_view helpFile, HelpCommand command, uintptr_t data) {
  std::string file(helpFile);
  return ::WinHelpA(static_cast<HWND>(window), file.c_str(), static_cast<UINT>(command), data) !=
         FALSE;
}

}  // namespace qv::platform
