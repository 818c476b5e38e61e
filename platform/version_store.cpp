// The versions store and the write routine that keeps versions.
#include "platform/version_store.h"

#include "platform/file_identity.h"
#include "platform/log_categories.h"
#include "platform/stable_hash.h"
#include "platform/system_reasons.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

struct SourceName {
    VersionSource source;
    QStringView id;   // in the version's file name
    QStringView name; // shown
};

constexpr SourceName kSources[] = {
    {VersionSource::Save, u"save", u"сохранение"},
    {VersionSource::Wizard, u"wizard", u"мастер"},
    {VersionSource::Bind, u"bind", u"BIND"},
    {VersionSource::MetaBind, u"metabind", u"MetaBind"},
    {VersionSource::MapCycle, u"mapcycle", u"смена карт"},
    {VersionSource::Launch, u"launch", u"запуск игры"},
    {VersionSource::Restore, u"restore", u"восстановление"},
    {VersionSource::Moved, u"moved", u"перенос строк"},
    {VersionSource::Game, u"game", u"игра"},
    {VersionSource::Found, u"found", u"прежний файл"},
    {VersionSource::OldCopy, u"oldcopy", u"старая копия"},
};

QStringView sourceId(VersionSource source) {
    for (const SourceName& s : kSources)
        if (s.source == source)
            return s.id;
    return u"found";
}

std::optional<VersionSource> sourceOfId(QStringView id) {
    for (const SourceName& s : kSources)
        if (s.id == id)
            return s.source;
    return std::nullopt;
}

// "<13 digits of milliseconds>-<source>-<16 hex digits>-<size>.ver": everything the list shows
// is in the name, so the store is listed without looking at each file.
struct ParsedName {
    qint64 msecs = 0;
    VersionSource source = VersionSource::Found;
    quint64 hash = 0;
    qint64 size = 0;
};

std::optional<ParsedName> parseVersionName(QStringView name) {
    if (!name.endsWith(u".ver"))
        return std::nullopt;
    const QList<QStringView> parts = name.chopped(4).split(u'-');
    if (parts.size() != 4 || parts[0].size() != 13 || parts[2].size() != 16)
        return std::nullopt;
    ParsedName p;
    bool ok1 = false, ok2 = false, ok3 = false;
    p.msecs = parts[0].toLongLong(&ok1);
    p.hash = parts[2].toULongLong(&ok2, 16);
    p.size = parts[3].toLongLong(&ok3);
    const std::optional<VersionSource> source = sourceOfId(parts[1]);
    if (!ok1 || !ok2 || !ok3 || !source || p.size < 0)
        return std::nullopt;
    p.source = *source;
    return p;
}

const QString kPathFile = QStringLiteral("path");

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

QString hashText(quint64 hash) {
    return u"%1"_s.arg(hash, 16, 16, QChar(u'0'));
}

// A version holds the file's bytes as they were at the file's time of change, and says so by
// taking that time itself: a file whose size and time are its newest version's is unchanged, and
// is not read again to tell.
void takeTimeOf(const QString& version, const QString& file) {
    const FileIdentity id = fileIdentity(file);
    if (id.size < 0 || version.isEmpty())
        return;
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(id.modifiedNs / 1000000000);
    times[1].tv_nsec = long(id.modifiedNs % 1000000000);
    ::utimensat(AT_FDCWD, QFile::encodeName(version).constData(), times, 0);
}

// Reads up to `size` bytes, as many as the file still has; -1 on an error.
qsizetype readUpTo(int fd, char* into, qsizetype size) {
    qsizetype got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, into + got, size_t(size - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// Whether the file holds exactly `bytes`, or, with `other` a second file, the same bytes as
// that one: read a piece at a time, so neither is read whole into memory (a save that finds
// its bytes kept already compares them this way).
bool sameBytes(const QString& file, QByteArrayView bytes, const QString& other = QString()) {
    constexpr qsizetype kPiece = 64 * 1024;
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    const int otherFd =
        other.isEmpty() ? -1 : ::open(QFile::encodeName(other).constData(), O_RDONLY | O_CLOEXEC);
    bool same = fd >= 0 && (other.isEmpty() || otherFd >= 0);
    struct stat st {};
    struct stat otherSt {};
    if (same)
        same = ::fstat(fd, &st) == 0 &&
               (other.isEmpty() ? st.st_size == bytes.size()
                                : ::fstat(otherFd, &otherSt) == 0 && st.st_size == otherSt.st_size);
    std::vector<char> piece(size_t(same ? kPiece : 0)), otherPiece;
    if (same && !other.isEmpty())
        otherPiece.resize(size_t(kPiece));
    for (qsizetype at = 0; same;) {
        const qsizetype n = readUpTo(fd, piece.data(), kPiece);
        if (n <= 0) {
            same = n == 0 && (!other.isEmpty() || at == bytes.size());
            break;
        }
        if (other.isEmpty()) {
            same = at + n <= bytes.size() &&
                   std::memcmp(piece.data(), bytes.data() + at, size_t(n)) == 0;
        } else {
            same = readUpTo(otherFd, otherPiece.data(), n) == n &&
                   std::memcmp(piece.data(), otherPiece.data(), size_t(n)) == 0;
        }
        at += n;
    }
    if (same && !other.isEmpty()) // the other file has nothing more either
        same = readUpTo(otherFd, otherPiece.data(), 1) == 0;
    if (fd >= 0)
        ::close(fd);
    if (otherFd >= 0)
        ::close(otherFd);
    return same;
}

bool sameTimeAndSize(const QString& file, const FileVersion& version) {
    const FileIdentity id = fileIdentity(file);
    return id.size == version.size && id.modifiedNs == fileIdentity(version.file).modifiedNs;
}

bool newestFirst(const FileVersion& a, const FileVersion& b) {
    return a.msecs > b.msecs;
}

} // namespace

QString versionSourceName(VersionSource source) {
    for (const SourceName& s : kSources)
        if (s.source == source)
            return s.name.toString();
    return QString();
}

QString VersionKeepResult::message() const {
    return u"Не удалось сохранить версию файла в истории версий, поэтому файл не изменён:\n"_s +
           textfile::describeFailure(path, reason);
}

// --- the store

VersionStore::VersionStore(const QString& root, Limits limits)
    : m_root(root.isEmpty() || root.endsWith(u'/') ? root : root + u'/'), m_limits(limits) {}

QString VersionStore::folderFor(const QString& path) const {
    const QString full = absolute(path);
    const QByteArray key =
        QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    // The file's name first, so a person looking into the folder sees whose versions they are.
    QString name = QFileInfo(full).fileName();
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'_' && c != u'-')
            c = u'_';
    return m_root + name.left(40) + u'-' + QString::fromLatin1(key);
}

QString VersionStore::versionFileName(qint64 msecs, VersionSource source, quint64 hash,
                                      qint64 size) {
    return u"%1-%2-%3-%4.ver"_s.arg(msecs, 13, 10, QChar(u'0'))
        .arg(sourceId(source))
        .arg(hashText(hash))
        .arg(size);
}

bool VersionStore::isOldCopyName(const QString& configName, const QString& fileName) {
    static const QRegularExpression suffix(u"^\\.(bak[0-9]{0,6}|wizard\\.bak)$"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    return fileName.size() > configName.size() &&
           fileName.startsWith(configName, Qt::CaseInsensitive) &&
           suffix.match(QStringView(fileName).mid(configName.size())).hasMatch();
}

QList<FileVersion> VersionStore::storeVersions(const QString& folder, QStringList* pending) const {
    QList<FileVersion> found;
    // Listed without sorting or looking at each file: the names say it all.
    QDirIterator it(folder, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        const std::optional<ParsedName> p = parseVersionName(name);
        if (!p) {
            if (pending && (name.endsWith(u".part") || name.contains(u".part.")))
                pending->append(it.filePath());
            continue;
        }
        FileVersion v;
        v.file = folder + u'/' + name;
        v.msecs = p->msecs;
        v.source = p->source;
        v.size = p->size;
        v.hash = p->hash;
        found.append(v);
    }
    std::stable_sort(found.begin(), found.end(), newestFirst);
    return found;
}

QList<FileVersion> VersionStore::versions(const QString& path) const {
    const QList<FileVersion> all = isOn() ? storeVersions(folderFor(path)) : QList<FileVersion>();
    const QFileInfo info(absolute(path));
    QList<FileVersion> old;
    const QFileInfoList beside =
        QDir(info.absolutePath()).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& e : beside) {
        if (!isOldCopyName(info.fileName(), e.fileName()))
            continue;
        FileVersion v;
        v.file = e.absoluteFilePath();
        v.msecs = e.lastModified().toMSecsSinceEpoch();
        v.source = VersionSource::OldCopy;
        v.size = e.size();
        old.append(v);
    }
    std::stable_sort(old.begin(), old.end(), newestFirst);
    return QList<FileVersion>(all) << old;
}

std::optional<FileVersion> VersionStore::newest(const QString& path) const {
    if (!isOn())
        return std::nullopt;
    const QList<FileVersion> kept = storeVersions(folderFor(path));
    if (kept.isEmpty())
        return std::nullopt;
    return kept.first();
}

textfile::BytesResult VersionStore::bytesOf(const FileVersion& version) const {
    textfile::BytesResult read = textfile::readBytes(version.file);
    // A version the machine's stop cut short, or one changed by hand, is not given as the file's.
    if (read.ok() && version.source != VersionSource::OldCopy &&
        (read.bytes.size() != version.size || StableHash::of(read.bytes) != version.hash)) {
        read.error = textfile::ReadError::Unreadable;
        read.reason = u"Версия повреждена: её байты не те, что были сохранены"_s;
        read.bytes.clear();
    }
    return read;
}

VersionKeepResult VersionStore::prepareFolder(const QString& path) const {
    const QString folder = folderFor(path);
    if (!QDir().mkpath(folder))
        return {false, folder, u"Не удалось создать папку"_s, {}};
    const QString named = folder + u'/' + kPathFile;
    if (!QFileInfo::exists(named)) {
        const textfile::WriteResult w = textfile::writeBytes(named, absolute(path).toUtf8());
        if (!w.ok)
            return {false, named, w.reason, {}};
    }
    return {};
}

qint64 VersionStore::nextTime(const QList<FileVersion>& kept) {
    qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!kept.isEmpty())
        now = std::max(now, kept.first().msecs + 1);
    return now;
}

VersionKeepResult VersionStore::settle(const QString& folder, const QList<FileVersion>& kept,
                                       const QString& fresh, qint64 msecs, VersionSource source,
                                       quint64 hash, qint64 size,
                                       const std::function<QByteArray()>& bytes) const {
    FileVersion made;
    made.file = folder + u'/' + versionFileName(msecs, source, hash, size);
    made.msecs = msecs;
    made.source = source;
    made.size = size;
    made.hash = hash;
    QList<FileVersion> own = kept;
    // The same bytes kept before stay one version: it moves to the top under its new name.
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const FileVersion& v = kept[i];
        if (v.hash != hash || v.size != size)
            continue;
        // Compared with the new bytes as they are on the disk (or in memory): a version that
        // matches them is whole too.
        if (!(fresh.isEmpty() ? sameBytes(v.file, bytes()) : sameBytes(v.file, {}, fresh)))
            continue;
        if (!fresh.isEmpty())
            QFile::remove(fresh);
        if (v.file != made.file && !QFile::rename(v.file, made.file))
            return {false, v.file, u"Не удалось переименовать файл"_s, {}};
        own.removeAt(i);
        own.prepend(made);
        prune(folder, made.file, own);
        return {true, {}, {}, made.file};
    }
    if (fresh.isEmpty()) {
        const textfile::WriteResult w = textfile::writeBytes(made.file, bytes());
        if (!w.ok)
            return {false, made.file, w.reason, {}};
    } else if (!QFile::rename(fresh, made.file)) {
        QFile::remove(fresh);
        return {false, made.file, u"Не удалось переименовать файл"_s, {}};
    }
    own.prepend(made);
    prune(folder, made.file, own);
    return {true, {}, {}, made.file};
}

VersionKeepResult VersionStore::keep(const QString& path, QByteArrayView bytes,
                                     VersionSource source) const {
    if (!isOn())
        return {};
    if (const VersionKeepResult ready = prepareFolder(path); !ready.ok)
        return ready;
    const QString folder = folderFor(path);
    const QList<FileVersion> kept = storeVersions(folder);
    return settle(folder, kept, QString(), nextTime(kept), source, StableHash::of(bytes),
                  bytes.size(), [&] { return bytes.toByteArray(); });
}

void VersionStore::removeStale(const QStringList& pending) {
    const qint64 staleNs = (QDateTime::currentMSecsSinceEpoch() - 3600 * 1000) * 1000000;
    for (const QString& name : pending)
        if (fileIdentity(name).modifiedNs < staleNs)
            QFile::remove(name);
}

void VersionStore::prune(const QString& folder, const QString& keepFile,
                         const QList<FileVersion>& own) const {
    QList<FileVersion> all;
    qint64 total = 0;
    for (qsizetype i = 0; i < own.size(); ++i) {
        if (i >= m_limits.perFile && own[i].file != keepFile) {
            QFile::remove(own[i].file);
            continue;
        }
        all.append(own[i]);
        total += own[i].size;
    }
    // The other files' folders, in any order: what goes first is decided by time below.
    QDirIterator folders(m_root, QDir::Dirs | QDir::NoDotAndDotDot);
    while (folders.hasNext()) {
        folders.next();
        const QString each = m_root + folders.fileName();
        if (each == folder) // folderFor() names it the same way
            continue;
        for (const FileVersion& v : storeVersions(each)) {
            all.append(v);
            total += v.size;
        }
    }
    if (total <= m_limits.total)
        return;
    std::stable_sort(all.begin(), all.end(),
                     [](const FileVersion& a, const FileVersion& b) { return a.msecs < b.msecs; });
    for (const FileVersion& v : all) {
        if (total <= m_limits.total)
            break;
        if (v.file == keepFile)
            continue;
        if (QFile::remove(v.file))
            total -= v.size;
    }
}

VersionStore::DiskCheck VersionStore::check(const QString& path) const {
    return check(path, isOn() ? storeVersions(folderFor(path)) : QList<FileVersion>());
}

VersionStore::DiskCheck VersionStore::check(const QString& path,
                                            const QList<FileVersion>& kept) const {
    DiskCheck c;
    if (!QFileInfo(path).isFile())
        return c;
    c.exists = true;
    std::optional<FileVersion> last;
    // A version shorter than its name says was cut short (the machine stopped before the disk
    // had it, see PendingVersion): the file's bytes are not in the store then.
    if (!kept.isEmpty() && fileIdentity(kept.first().file).size == kept.first().size)
        last = kept.first();
    if (last && sameTimeAndSize(path, *last)) {
        c.known = true;
        return c;
    }
    textfile::BytesResult now = textfile::readBytes(path);
    if (!now.ok()) {
        c.ok = false;
        c.reason = now.reason;
        return c;
    }
    c.bytes = std::move(now.bytes);
    c.known = last.has_value();
    c.changed = last && (last->size != c.bytes.size() || last->hash != StableHash::of(c.bytes));
    return c;
}

VersionStore::Noticed VersionStore::notice(const QString& path) const {
    Noticed n;
    if (!isOn())
        return n;
    DiskCheck c = check(path);
    if (!c.ok) {
        n.ok = false;
        n.reason = c.reason;
        return n;
    }
    if (!c.exists || (c.known && !c.changed))
        return n;
    n.before = newest(path);
    n.changed = c.known;
    const VersionKeepResult kept =
        keep(path, c.bytes, c.known ? VersionSource::Game : VersionSource::Found);
    takeTimeOf(kept.kept, path);
    if (!kept.ok) {
        n.ok = false;
        n.reason = textfile::describeFailure(kept.path, kept.reason);
        qCWarning(lcVersions) << "a change of" << path << "on disk could not be kept:" << kept.path
                              << kept.reason;
    } else {
        qCDebug(lcVersions) << (n.changed ? "changed on disk:" : "found:") << path << "kept as"
                            << kept.kept;
    }
    n.bytes = std::move(c.bytes);
    return n;
}

// --- the write routine

PendingVersion::PendingVersion(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        m_reason = russianSystemReason(m_file.errorString());
}

PendingVersion::~PendingVersion() {
    cancel();
}

bool PendingVersion::append(QByteArrayView bytes) {
    if (!m_reason.isEmpty() || !m_file.isOpen())
        return false;
    if (m_file.write(bytes.data(), bytes.size()) == bytes.size())
        return true;
    m_reason = russianSystemReason(m_file.errorString());
    if (m_reason.isEmpty())
        m_reason = u"Не удалось записать файл"_s;
    cancel();
    return false;
}

QString PendingVersion::finish() {
    if (m_reason.isEmpty() && m_file.isOpen()) {
        m_file.flush();
#if defined(__linux__)
        // On its way to the disk now, without waiting for it.
        ::sync_file_range(m_file.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
        m_file.close();
        if (m_file.error() != QFileDevice::NoError) {
            m_reason = russianSystemReason(m_file.errorString());
            QFile::remove(m_file.fileName());
        }
    }
    return m_reason;
}

void PendingVersion::cancel() {
    if (!m_file.isOpen())
        return;
    m_file.close();
    QFile::remove(m_file.fileName());
}

VersionKeepResult VersionStore::makeDurable(const FileVersion& version) const {
    // Opened read-only: fdatasync() needs no right to write, and a file whose bytes are all on
    // the disk already (the usual case: the writeback began when it was written) costs nothing.
    for (const QString& name : {version.file, QFileInfo(version.file).absolutePath()}) {
        const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_CLOEXEC);
        const int error = fd < 0 ? errno : (::fdatasync(fd) != 0 ? errno : 0);
        if (fd >= 0)
            ::close(fd);
        if (error != 0)
            return {false, name, russianSystemReason(qt_error_string(error)), {}};
    }
    return {};
}

VersionedWrite::VersionedWrite(const VersionStore& store, const QString& path, VersionSource source)
    : m_store(store), m_path(path), m_source(source), m_file(path) {
    if (!store.isOn())
        return;
    m_kept = store.prepareFolder(path);
    if (!m_kept.ok)
        return;
    m_folder = store.folderFor(path);
    QStringList pending;
    m_known = store.storeVersions(m_folder, &pending);
    VersionStore::removeStale(pending);
    // The bytes this write replaces are normally the file's newest version already, and are
    // made sure of on the disk; when they are not (changed on disk, or never seen), they are
    // kept now, before anything is written.
    if (QFileInfo::exists(path)) {
        const VersionStore::DiskCheck c = store.check(path, m_known);
        if (!c.ok) {
            m_kept = {false, path, c.reason, {}};
            return;
        }
        if (c.known && !c.changed) {
            m_kept = store.makeDurable(m_known.first());
            if (!m_kept.ok)
                return;
        } else {
            m_kept =
                store.keep(path, c.bytes, c.known ? VersionSource::Game : VersionSource::Found);
            if (!m_kept.ok)
                return;
            takeTimeOf(m_kept.kept, path);
            m_known = store.storeVersions(m_folder);
        }
    }
    m_msecs = VersionStore::nextTime(m_known);
    m_pending = m_folder + u'/' + u"%1-%2.part"_s.arg(m_msecs).arg(sourceId(source));
    m_version.emplace(m_pending);
}

VersionedWrite::~VersionedWrite() {
    cancel();
}

bool VersionedWrite::append(QByteArrayView bytes) {
    if (!m_kept.ok)
        return false;
    if (m_version) {
        m_hash.addData(bytes);
        m_size += bytes.size();
        if (!m_version->append(bytes)) {
            // The version's failure is the one to report; the file is left alone.
            m_kept = {false, m_pending, m_version->finish(), {}};
            m_file.cancel();
            return false;
        }
    }
    return m_file.append(bytes);
}

textfile::WriteResult VersionedWrite::commit() {
    if (!m_kept.ok) {
        m_file.cancel();
        qCWarning(lcVersions) << m_path << "is not written: the bytes it holds could not be kept:"
                              << m_kept.path << m_kept.reason;
        return {false, m_kept.message()};
    }
    if (!m_version)
        return m_file.commit();
    // The new bytes' version is not waited for: the same bytes are in the file, synced, and
    // the next write makes sure of the version before it replaces them (makeDurable). A
    // version the machine's stop cut short is seen as such (check) and the file kept again.
    const textfile::WriteResult written = m_file.commit();
    if (!written.ok) {
        m_version->cancel();
        return written;
    }
    // Its writeback starts only now, so that it does not hold up the file's own sync.
    if (const QString failure = m_version->finish(); !failure.isEmpty()) {
        qCWarning(lcVersions) << "the new version of" << m_path << "was not written:" << failure
                              << "- the next write keeps the file's bytes first";
        return written;
    }
    // A version that cannot be named stays as its pending file; the file itself is written.
    const QString pending = m_pending;
    const VersionKeepResult settled =
        m_store.settle(m_folder, m_known, pending, m_msecs, m_source, m_hash.result(), m_size,
                       [&] { return textfile::readBytes(pending).bytes; });
    takeTimeOf(settled.kept, m_path);
    qCDebug(lcVersions) << "wrote" << m_path << "and its version" << settled.kept;
    return written;
}

void VersionedWrite::cancel() {
    m_file.cancel();
    if (m_version) {
        m_version->cancel();
        m_version.reset();
    }
}

textfile::WriteResult writeKeepingVersions(const VersionStore& store, const QString& path,
                                           QByteArrayView bytes, VersionSource source) {
    VersionedWrite file(store, path, source);
    file.append(bytes);
    return file.commit();
}

textfile::WriteResult restoreVersion(const VersionStore& store, const QString& path,
                                     const FileVersion& version) {
    const textfile::BytesResult bytes = store.bytesOf(version);
    if (!bytes.ok())
        return {false, textfile::describeFailure(version.file, bytes.reason)};
    return writeKeepingVersions(store, path, bytes.bytes, VersionSource::Restore);
}
