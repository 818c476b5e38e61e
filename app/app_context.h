// What every window is handed: the shared values, the desktop services and the other windows.
#pragma once

#include "app/shared_state.h"

class UserDialogs;
class Shell;

class TForm1;
class TPani1;
class Tccd;
class TForm3;
class Tsetbal;
class TForm6;
class TAbout;
class TForm2;
class Tsozdat;
class Tbinds;
class Tnachalo;
class Tmaps;
class TMetab;
class Tstartcs;
class TMaps_menu;
class TKeyMap;

// Pointers to the windows, filled by createWindows in creation order. A window calls another's
// operations through these; a pointer is null only while the windows are being created.
struct AppWindows {
    TForm1* form1 = nullptr;        // main window, config editor
    TPani1* pani1 = nullptr;        // value list window
    Tccd* ccd = nullptr;            // reference window
    TForm3* form3 = nullptr;        // library set-up window
    Tsetbal* setbal = nullptr;      // insert dialog
    TForm6* form6 = nullptr;        // explanation pop-up
    TAbout* about = nullptr;        // about box
    TForm2* form2 = nullptr;        // config wizard
    Tsozdat* sozdat = nullptr;      // new-config dialog
    Tbinds* binds = nullptr;        // key choice dialog
    Tnachalo* nachalo = nullptr;    // game directory chooser
    Tmaps* maps = nullptr;          // map cycle editor
    TMetab* metab = nullptr;        // MetaBinds insertion window
    Tstartcs* startcs = nullptr;    // game launcher
    TMaps_menu* mapsMenu = nullptr; // your-maps picker
    TKeyMap* keyMap = nullptr;      // keyboard map
};

struct AppContext {
    SharedState& state;
    UserDialogs& dialogs;
    Shell& shell;
    AppWindows windows;
};
