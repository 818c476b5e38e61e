// The process-wide values the windows share. One SharedState is made in main and handed by
// reference (inside AppContext) to every window; there are no other globals. The values stand in
// one part per subsystem, and a folder reads and writes its own part (the reference its
// `reference`, the launcher its `launch`); the game folders and the find state are read across.
#pragma once

#include "platform/game_search_places.h"
#include "platform/program_home.h"
#include "platform/version_store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class ExplanationCache;
class SearchTarget;
class VocabularyPreload;

// The game's folders and where the program works in them.
struct GameFolders {
    // The game's mod folder, as the game directory chooser shows it (no trailing separator).
    QString gameDir;
    // The folder of the wizard's folder list; the map cycle, your-maps picker, launcher map list
    // and new-config dialog work in it.
    QString wizardFolder;
    // The game directory as settled at start-up, fixed for the run.
    QString startupGameDir;
    // Where the game folder chooser looks for installed games (empty: nowhere).
    GameSearchPlaces gameSearch;
    // Whether a game directory was ever confirmed (stored as Game/dadir).
    int gameDirChosen = 0;
    QString halfLifeDir;
};

// The one find state of the program: the find dialog, the editor and the wizard's documents.
struct FindState {
    SearchTarget* searchTarget = nullptr;
    QString findText;
    int lastFoundPos = -1;
};

// The reference window, the value list, the explanation pop-up and the insert dialog.
struct ReferenceState {
    // ListFilePath: the line list the reference window chose last (the record; the list file
    // reaches Dogy and the value list as a signal's argument).
    QString listFilePath;
    QString explanationText = QStringLiteral(" ????");
    // The explanation files as parsed at their first lookup (reference/explanation_cache.h;
    // made at the first lookup, dropped when libraries change).
    std::shared_ptr<ExplanationCache> explanations;
    int lastRefPage = 0;
    // Whether the reference window shows its library (DLZ) page now; explanation lookups
    // depend on it.
    bool dlzPageActive = false;
    int insertMode = 0;
    bool weaponPictures = false;
    bool refreshOnly = false;
};

// Starting the game.
struct LaunchState {
    QString launchParams;
    bool launchConfirmed = false;
    // Start scripts the launcher wrote over a mod's config.cfg this run, and the config they
    // replaced (also in the versions store); put back when the game ends, or when the program
    // does (launcher/config_keeper.h).
    struct LaunchedConfig {
        QString configPath;
        QByteArray script;
        bool hadConfig = false; // false: the mod had no config.cfg
        QByteArray userConfig;
    };
    std::vector<LaunchedConfig> launchedConfigs;
};

// Start-up options that are not settings.
struct StartOptions {
    // The command-line arguments after the program name.
    QStringList arguments;
    // The self-test run: no modal dialogs, no settings written.
    bool selfTest = false;
    // Quit as soon as the main window's first show is done (the start-up benchmark).
    bool exitWhenIdle = false;
};

struct SharedState {
    // Where the program's own files are (settings, reference tree, help, sound module).
    ProgramHome home;
    // Where every replaced file's bytes are kept, in the home's data folder.
    VersionStore versions() const { return VersionStore(home.historyDir()); }
    // The editor's vocabulary, read ahead while the windows are built (taken by the editor's
    // first colouring; empty in tests and once taken).
    std::shared_ptr<VocabularyPreload> vocabularyAhead;

    GameFolders games;
    FindState find;
    ReferenceState reference;
    LaunchState launch;
    StartOptions start;
};
