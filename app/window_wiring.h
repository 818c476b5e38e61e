// Creating the program's windows once, in their fixed order, with the main window first.
#pragma once

#include "state/app_context.h"

#include <memory>
#include <vector>

class QWidget;

class MainWindow;
class ValueListWindow;
class ReferenceWindow;
class LibrarySetupWindow;
class InsertDialog;
class ExplanationWindow;
class AboutDialog;
class ConfigWizard;
class NewConfigDialog;
class KeyChoiceDialog;
class GameChooserWindow;
class MapCycleWindow;
class MetaBindsWindow;
class LauncherWindow;
class MapPickerDialog;
class KeyboardMapWindow;
class ConfigSummaryWindow;
class HelpWindow;

// The program's windows, in creation order. Only app/ and the tests reach windows through these.
struct AppWindows {
    MainWindow* form1 = nullptr;        // main window, config editor
    ValueListWindow* pani1 = nullptr;        // value list window
    ReferenceWindow* ccd = nullptr;            // reference window
    LibrarySetupWindow* form3 = nullptr;        // library set-up window
    InsertDialog* setbal = nullptr;      // insert dialog
    ExplanationWindow* form6 = nullptr;        // explanation pop-up
    AboutDialog* about = nullptr;        // about box
    ConfigWizard* form2 = nullptr;        // config wizard
    NewConfigDialog* sozdat = nullptr;      // new-config dialog
    KeyChoiceDialog* binds = nullptr;        // key choice dialog
    GameChooserWindow* nachalo = nullptr;    // game directory chooser
    MapCycleWindow* maps = nullptr;          // map cycle editor
    MetaBindsWindow* metab = nullptr;        // MetaBinds insertion window
    LauncherWindow* startcs = nullptr;    // game launcher
    MapPickerDialog* mapsMenu = nullptr; // your-maps picker
    KeyboardMapWindow* keyMap = nullptr;      // keyboard map
    ConfigSummaryWindow* summary = nullptr;   // the config set's final state
    HelpWindow* help = nullptr;          // the help pages
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
    static void wireSummary(const AppWindows& w);
    std::vector<QWidget*> m_windows;
    AppWindows m_w;
};
