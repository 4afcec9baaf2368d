#include <windows.h>

#include <string>

#include "platform/HelpEngine.h"

namespace qv::platform {

std::vector<HelpCall>& RecordedHelpCalls() {
  static std::vector<HelpCall> calls;
  return calls;
}

bool RunHelpCommand(void* window, std::string_view helpFile, HelpCommand command, uintptr_t data) {
  // Recorded as on Linux, so that what the module asks of the viewer can be checked here too.
  RecordedHelpCalls().push_back(HelpCall{window, std::string(helpFile), command, data});
  std::string file(helpFile);
  return ::WinHelpA(static_cast<HWND>(window), file.c_str(), static_cast<UINT>(command), data) !=
         FALSE;
}

}  // namespace qv::platform
