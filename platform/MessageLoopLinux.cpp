#include "platform/MessageLoop.h"

namespace qv::platform {

// Linux has no system message queue: the ui layer's headless queue belongs to the module and
// never waits when it is empty, so there is nothing to wake and nothing to dispatch.
void PostWakeUpMessage() {}
void DispatchWaitingMessages() {}

}  // namespace qv::platform
