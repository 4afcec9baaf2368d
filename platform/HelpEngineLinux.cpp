#include <cstdio>

#include "platform/HelpEngine.h"

namespace qv::platform {

std::vector<HelpCall>& RecordedHelpCalls() {
  static std::vector<HelpCall> calls;
  return calls;
}

bool RunHelpCommand(void* window, std::string_view helpFile, HelpCommand command, uintptr_t data) {
  RecordedHelpCalls().push_back({window, std::string(helpFile), command, data});
  const char* name = command == HelpCommand::Context        ? "topic"
                     : command == HelpCommand::ContextPopup ? "popup topic"
                     : command == HelpCommand::SetPopupPos  ? "popup position"
                                                            : "command";
  std::fprintf(stderr, "help: %s %lu in %.*s\n", name, static_cast<unsigned long>(data),
               static_cast<int>(helpFile.size()), helpFile.data());
  return true;
}

}  // namespace qv::platform
