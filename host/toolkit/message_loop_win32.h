// The host's message loop, which also waits on handles: what waits for a
// process to end, or for another handle to be signalled, runs on the host's
// one thread the moment it is, between two messages.
#pragma once

#include <windows.h>

#include <functional>

namespace vantrel::toolkit {

// Runs `signalled` once, from the message loop, when `handle` is signalled
// (a process that has ended). The handle must stay open until then; a null
// handle is never signalled.
void When_Signalled(HANDLE handle, std::function<void()> signalled);

// Runs the message loop until the last form has gone; the exit code.
int Run_Message_Loop();

}  // namespace vantrel::toolkit
