// The versions store: every version of a file the program manages (a config, autoexec.cfg, the
// map cycle, the launcher's start script), kept in the program's data home before anything is
// written over it, so that nothing the player wrote is lost to the game, a server or the
// launcher. A file's versions lie in a folder of their own, keyed by the file's full path; each
// version is one file named for when it was kept, what wrote it and a fingerprint of its bytes.
// The newest version is the file as the program last wrote or saw it, so a file that holds
// other bytes has been changed on disk by another program.
#pragma once

#include "platform/stable_hash.h"
#include "platform/text_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// What wrote a version's bytes.
enum class VersionSource {
    Save,     // the editor's save
    Wizard,   // the wizard's apply
    Bind,     // the wizard's key pages and BIND
    MetaBind, // a MetaBind inserted into a file
    MapCycle, // the map cycle editor
    Launch,   // the launcher's start script and its restore
    Restore,  // "Восстановить" in the versions window
    Moved,    // lines moved into autoexec.cfg after the game dropped them
    Game,     // a change found on disk (the game, a server, another program)
    Found,    // the file as the program first saw it
    OldCopy,  // a copy an older version of the program left beside the file
};

// "сохранение", "мастер", "BIND", "игра", ...
QString versionSourceName(VersionSource source);

struct FileVersion {
    QString file;     // where its bytes are: a file of the store, or an old copy beside the file
    qint64 msecs = 0; // when it was kept (an old copy: when it was last changed), since 1970
    QDateTime time() const { return QDateTime::fromMSecsSinceEpoch(msecs); }
    VersionSource source = VersionSource::Found;
    qint64 size = 0;
    quint64 hash = 0; // the fingerprint of its bytes (0 for an old copy)
    bool inStore() const { return source != VersionSource::OldCopy; }
};

struct VersionKeepResult {
    bool ok = true;
    QString path;   // what could not be written
    QString reason; // the system's reason
    QString kept;   // the version's file, when kept
    // "Не удалось сохранить версию файла в истории версий, ...": the reason a write that
    // needed the version gives.
    QString message() const;
};

struct VersionLimits {
    int perFile = 100;               // versions of one file, the newest kept
    qint64 total = 64 * 1024 * 1024; // bytes of every version of every file
};

class VersionStore {
public:
    using Limits = VersionLimits;

    // No store: nothing is kept (a program with no data home; a test that needs none).
    VersionStore() = default;
    explicit VersionStore(const QString& root, Limits limits = Limits());

    bool isOn() const { return !m_root.isEmpty(); }
    const QString& root() const { return m_root; }
    const Limits& limits() const { return m_limits; }
    // The folder of `path`'s versions.
    QString folderFor(const QString& path) const;

    // The store's versions of `path`, newest first, then the copies an older version of the
    // program left beside it (".bak", ".bak2", ..., ".wizard.bak"), newest first.
    QList<FileVersion> versions(const QString& path) const;
    // The newest version in the store.
    std::optional<FileVersion> newest(const QString& path) const;
    textfile::BytesResult bytesOf(const FileVersion& version) const;

    // Keeps `bytes` as the newest version of `path`, written through the one write routine.
    // Bytes the store already holds of the file stay one version, now the newest with this
    // source. Then the oldest versions beyond the limits go.
    VersionKeepResult keep(const QString& path, QByteArrayView bytes, VersionSource source) const;

    // What the file holds now against its newest version.
    struct DiskCheck {
        bool ok = true; // false: the file could not be read (reason)
        bool exists = false;
        bool known = false;   // the store holds a version of it
        bool changed = false; // it holds other bytes than its newest version
        QByteArray bytes;     // what it holds
        QString reason;
    };
    DiskCheck check(const QString& path) const;

    // Looks at the file once more: bytes the store does not have as its newest version are
    // kept ("игра" when an earlier version was kept, else as first seen). `before` is the
    // newest version until then.
    struct Noticed {
        bool ok = true;
        bool changed = false; // other bytes than the version kept before
        std::optional<FileVersion> before;
        QByteArray bytes;
        QString reason;
    };
    Noticed notice(const QString& path) const;

    // A version file of the store, named for its time, source, fingerprint and size.
    static QString versionFileName(qint64 msecs, VersionSource source, quint64 hash, qint64 size);
    // Whether `fileName` (beside `configName`) is a copy an older version of the program left.
    static bool isOldCopyName(const QString& configName, const QString& fileName);

private:
    friend class VersionedWrite;
    // The folder's versions, newest first; `pending` gets the files of writes not finished.
    QList<FileVersion> storeVersions(const QString& folder, QStringList* pending = nullptr) const;
    DiskCheck check(const QString& path, const QList<FileVersion>& kept) const;
    // Waits until the version and its name are on the disk.
    VersionKeepResult makeDurable(const FileVersion& version) const;
    // Makes the folder of `path` (with the file naming the full path) when it is missing.
    VersionKeepResult prepareFolder(const QString& path) const;
    // The time of a version kept now: later than every version already kept of the file.
    static qint64 nextTime(const QList<FileVersion>& kept);
    // Puts `fresh` (a file of the folder, or nothing) in place as the newest version, or the
    // version with the same bytes when there is one; then prunes.
    // `bytes` gives the version's bytes when they are needed (to compare, or to write).
    VersionKeepResult settle(const QString& folder, const QList<FileVersion>& kept,
                             const QString& fresh, qint64 msecs, VersionSource source,
                             quint64 hash, qint64 size,
                             const std::function<QByteArray()>& bytes) const;
    // Keeps the limits: `own` is the folder's versions as they are now, newest first, with
    // `keepFile` (which stays); the other folders are listed.
    void prune(const QString& folder, const QString& keepFile, const QList<FileVersion>& own) const;
    // Takes away the files of writes that never finished (the program ended inside one).
    static void removeStale(const QStringList& pending);

    QString m_root; // with a trailing "/"
    Limits m_limits;
};

// A new version's file, written as it comes without waiting for the disk (see VersionedWrite).
class PendingVersion {
public:
    explicit PendingVersion(const QString& path);
    PendingVersion(const PendingVersion&) = delete;
    PendingVersion& operator=(const PendingVersion&) = delete;
    ~PendingVersion(); // an unfinished version is removed

    bool append(QByteArrayView bytes);
    // Closes the file, its bytes on their way to the disk; the reason of a failure, if any.
    QString finish();
    void cancel();

private:
    QFile m_file;
    QString m_reason;
};

// The one write routine for a file the program manages, in steps like textfile::AtomicWrite:
// before the new bytes replace the file, the bytes it held are in the store (kept now when they
// are not its newest version yet: the file was changed on disk, or the store never saw it; else
// made sure of on the disk), and so are the new bytes, written beside the file's as they come.
// That version is not waited for: the file holds the same bytes, synced, and the next write makes
// sure of it before it replaces them. When a version cannot be kept, the file is not written and
// the result says why.
class VersionedWrite {
public:
    VersionedWrite(const VersionStore& store, const QString& path, VersionSource source);
    VersionedWrite(const VersionedWrite&) = delete;
    VersionedWrite& operator=(const VersionedWrite&) = delete;
    ~VersionedWrite();

    bool append(QByteArrayView bytes);
    textfile::WriteResult commit();
    void cancel();

private:
    VersionStore m_store;
    QString m_path;
    VersionSource m_source;
    textfile::AtomicWrite m_file;
    std::optional<PendingVersion> m_version;
    QList<FileVersion> m_known; // the folder's versions when the write began
    QString m_folder;
    QString m_pending; // the new version's file until it gets its name
    qint64 m_msecs = 0;
    StableHash m_hash;
    qint64 m_size = 0;
    VersionKeepResult m_kept; // the replaced bytes, kept in the constructor
};

// The same for bytes made in advance.
textfile::WriteResult writeKeepingVersions(const VersionStore& store, const QString& path,
                                           QByteArrayView bytes, VersionSource source);

// Puts `version`'s bytes back in `path` (the bytes there now are kept first, so a restore can
// itself be undone).
textfile::WriteResult restoreVersion(const VersionStore& store, const QString& path,
                                     const FileVersion& version);
