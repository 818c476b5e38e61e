// What every window is handed: the shared values, the desktop services and the other windows.
#pragma once

#include "app/shared_state.h"

class UserDialogs;
class Shell;

class TForm1;
class TAbout;
class Tsozdat;
class Tnachalo;

// Pointers to the windows, filled by createWindows in creation order. A window calls another's
// operations through these; a pointer is null only while the windows are being created.
struct AppWindows {
    TForm1* form1 = nullptr;
    TAbout* about = nullptr;
    Tsozdat* sozdat = nullptr;
    Tnachalo* nachalo = nullptr;
};

struct AppContext {
    SharedState& state;
    UserDialogs& dialogs;
    Shell& shell;
    AppWindows windows;
};
