#pragma once

namespace qv::platform {

// The calling thread's system message loop, as the stand-in host runs it around the idle time it
// gives the module. The module's idle processing ends by waiting for the next message; a headless
// host has no user whose input would end that wait, so it marks input as pending first and
// afterwards handles what the module left in the queue, as a host's message loop does.

// Posts an empty message to the calling thread's own queue.
void PostWakeUpMessage();
// Removes and dispatches every message waiting in the calling thread's queue.
void DispatchWaitingMessages();

}  // namespace qv::platform
