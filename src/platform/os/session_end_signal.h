// A Linux session manager ends programs with SIGTERM. The handler turns it into the session-end
// message (WM_QUERYENDSESSION) for the main window, so the program closes through its close
// handler like any other close, and ends with exit code 0.
#pragma once

#include "platform/ui/message.h"

namespace os {

// `poster` must be async-signal-safe and outlive the handler (or RemoveSessionEndSignal).
void InstallSessionEndSignal(ui::MessagePoster& poster);
// Back to the default action of SIGTERM.
void RemoveSessionEndSignal();

}  // namespace os
