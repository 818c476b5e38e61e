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
class VersionHistoryWindow;

// The program's windows, in creation order, each with its form name (its objectName, the name
// the README's window table and docs/HACKING.md's glossary give it). Only app/ and the tests reach
// windows through these.
struct AppWindows {
    MainWindow* mainWindow = nullptr;           // Form1: the main window, the config editor
    ValueListWindow* valueList = nullptr;       // Pani1: the value list
    ReferenceWindow* reference = nullptr;       // ccd: the reference (CMD, CVAR, DLZ)
    LibrarySetupWindow* librarySetup = nullptr; // Form3: the library set-up
    InsertDialog* insertDialog = nullptr;       // setbal: the insert dialog (setinfo, bind, alias)
    ExplanationWindow* explanation = nullptr;   // Form6: the explanation pop-up
    AboutDialog* about = nullptr;               // AboutBox: the about box
    ConfigWizard* wizard = nullptr;             // form2: the config wizard
    NewConfigDialog* newConfigDialog = nullptr; // sozdat: the new-config dialog
    KeyChoiceDialog* keyChoice = nullptr;       // binds: the key choice dialog
    GameChooserWindow* gameChooser = nullptr;   // nachalo: the game directory chooser
    MapCycleWindow* mapCycle = nullptr;         // maps: the map cycle editor
    MetaBindsWindow* metaBinds = nullptr;       // Metab: the MetaBinds insertion
    LauncherWindow* launcher = nullptr;         // startcs: the game launcher
    MapPickerDialog* mapPicker = nullptr;       // Maps_menu: the your-maps picker
    KeyboardMapWindow* keyMap = nullptr;        // KeyMap: the keyboard map
    ConfigSummaryWindow* summary = nullptr;     // Itog: the config set's final state
    HelpWindow* help = nullptr;                 // Help: the help pages
    VersionHistoryWindow* history = nullptr;    // History: the versions of a file
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
    static void wireVersions(const AppWindows& w);
    std::vector<QWidget*> m_windows;
    AppWindows m_w;
};
