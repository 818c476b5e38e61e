// What every window is handed: the shared values and the desktop services. No window is handed
// another: app/window_wiring.cpp connects them.
#pragma once

#include "state/shared_state.h"

class UserDialogs;
class Shell;

struct AppContext {
    SharedState& state;
    UserDialogs& dialogs;
    Shell& shell;
};
