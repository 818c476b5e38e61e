// Creating the program's windows once, in their fixed order, with the main window first.
#pragma once

#include "state/app_context.h"

#include <memory>
#include <vector>

class QWidget;

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
class THelp;

// The program's windows, in creation order. Only app/ and the tests reach windows through these.
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
    THelp* help = nullptr;          // the help pages
};

// Owns every window for the whole run; destroys them in reverse order.
class ProgramWindows {
public:
    explicit ProgramWindows(AppContext& ctx);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    const std::vector<QWidget*>& all() const { return m_windows; }
    const AppWindows& windows() const { return m_w; }

private:
    template <typename T, typename... Args> T* make(Args&&... args);
    static void wireMainWindowCommands(AppContext& ctx, const AppWindows& w);
    static void wireReference(const AppWindows& w);
    static void wireMetaBinds(const AppWindows& w);
    static void wireWizardAndKeyChoice(const AppWindows& w);
    static void wireKeyMap(const AppWindows& w);
    std::vector<QWidget*> m_windows;
    AppWindows m_w;
};
