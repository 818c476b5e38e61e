// Where the program's own files are. Two homes: portable (everything beside the executable, as
// the build tree and the tests use it) and installed (the shipped data read-only under
// /usr/share/tessera, the settings in $XDG_CONFIG_HOME/tessera, and a user layer in
// $XDG_DATA_HOME/tessera over the shipped tree, where installed libraries and MetaBinds go).
// Every path into the program's own files comes from here; relative names are written the
// Windows way ("dlls\dlz\rates.dlz") and found without regard to letter case.
#pragma once

#include <QString>
#include <QStringList>

// What decides the installed home's folders; systemEnvironment() reads the real one.
struct HomeEnvironment {
    QString home;          // $HOME
    QString xdgConfigHome; // $XDG_CONFIG_HOME; empty or relative: ~/.config
    QString xdgDataHome;   // $XDG_DATA_HOME; empty or relative: ~/.local/share
    static HomeEnvironment systemEnvironment();
    QString configHome() const;
    QString dataHome() const;
};

// Where the installed program's files lie, relative to the executable's folder.
struct InstalledLayout {
    QString dataFromExecutable;   // "../share/tessera"
    QString moduleFromExecutable; // "../lib/<triplet>/tessera"
    static InstalledLayout ofThisBuild();
};

class ProgramHome {
public:
    ProgramHome() = default;

    // Everything in `folder` (the executable's): settings, shipped tree and user layer in one.
    static ProgramHome portable(const QString& folder);
    // The shipped tree in `shippedDir` (read only), the settings in `configDir`, the user layer
    // in `userDir`, the sound and print modules in `moduleDir`.
    static ProgramHome installed(const QString& shippedDir, const QString& configDir,
                                 const QString& userDir, const QString& moduleDir);
    // The home of a program started from `executableDir`: portable when that folder is
    // writable and holds the settings file or the reference tree (a build tree, an unpacked
    // copy); otherwise installed. A read-only folder that holds the tree is used as the
    // shipped tree.
    static ProgramHome forExecutable(const QString& executableDir, const HomeEnvironment& env,
                                     const InstalledLayout& layout);

    bool isPortable() const { return m_portable; }
    // Each with a trailing "/".
    QString shippedDir() const { return m_shipped; }
    QString userDir() const { return m_user; }
    QString configDir() const { return m_config; }

    // The settings file "Cfgneed.INI".
    QString settingsFile() const;
    // The sound module's path without the file name's ending (as QLibrary takes it).
    QString soundModule() const;
    // The print module's, the same way.
    QString printModule() const;
    // The versions store (platform/version_store.h): "history/" in the user layer, so beside
    // the executable in the portable home and in $XDG_DATA_HOME/tessera installed. Empty for a
    // home never set up.
    QString historyDir() const;
    // What the program keeps to start faster and can always make again: "cache/" in the user
    // layer. Empty for a home never set up.
    QString cacheDir() const;
    // The folder that stands in for a game folder when none was ever stored.
    QString fallbackFolder() const;

    // `relative` in the user layer when it is there, otherwise in the shipped tree (also when
    // neither holds it, so that a message names the shipped path).
    QString find(const QString& relative) const;
    // `relative` in the user layer, the one place the program writes its own files.
    QString userPath(const QString& relative) const;
    // Whether `relative` is a file of the shipped tree that the user layer does not cover.
    bool isShippedOnly(const QString& relative) const;
    // The names of the files of folder `relative` in both layers that match `pattern`: a name
    // in both (without regard to case) once, as the user layer spells it; sorted by name
    // without regard to case.
    QStringList listFiles(const QString& relative, const QString& pattern) const;

    // The start-up checks, in the order to show them: a missing or unreadable shipped tree, and
    // (installed) a settings or user folder that cannot be created, after which the program
    // runs without writing its settings. Creates the user folders that are missing.
    QStringList prepare();
    // True once prepare() found the settings folder unwritable.
    bool settingsReadOnly() const { return m_settingsReadOnly; }

private:
    bool m_portable = true;
    bool m_settingsReadOnly = false;
    QString m_shipped;
    QString m_user;
    QString m_config;
    QString m_module;
};
