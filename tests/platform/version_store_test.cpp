// The versions store: what each write keeps, the limits, old copies beside a file, changes found
// on disk, the restore, and a full disk while a version is written.
#include "file_size_limit.h"
#include "platform/version_store.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Store {
    QTemporaryDir dir;
    VersionStore store;
    explicit Store(VersionStore::Limits limits = {}) : store(dir.filePath(u"history"_s), limits) {}
    QString file(const QString& name = u"config.cfg"_s) const { return dir.filePath(name); }
    // The bytes of every version of `path`, the newest first.
    QList<QByteArray> kept(const QString& path) const {
        QList<QByteArray> all;
        for (const FileVersion& v : store.versions(path))
            all.append(store.bytesOf(v).bytes);
        return all;
    }
    QList<VersionSource> sources(const QString& path) const {
        QList<VersionSource> all;
        for (const FileVersion& v : store.versions(path))
            all.append(v.source);
        return all;
    }
    bool write(const QString& path, const QByteArray& bytes,
               VersionSource source = VersionSource::Save) const {
        return writeKeepingVersions(store, path, bytes, source).ok;
    }
};

} // namespace

TEST(StableHash, PiecesOfAnySizeGiveTheWholesFingerprint) {
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes.append(char(i * 7 + 3));
    const quint64 whole = StableHash::of(bytes);
    for (const qsizetype piece : {1, 3, 7, 8, 9, 64, 999}) {
        StableHash h;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            h.addData(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        EXPECT_EQ(h.result(), whole) << piece;
    }
    // Every byte counts, and so does the length (trailing zero bytes).
    QByteArray other = bytes;
    other[500] = char(other[500] ^ 1);
    EXPECT_NE(StableHash::of(other), whole);
    EXPECT_NE(StableHash::of(QByteArray(8, '\0')), StableHash::of(QByteArray(9, '\0')));
    EXPECT_NE(StableHash::of(QByteArray()), StableHash::of(QByteArray(1, '\0')));
    // The fingerprints are in the names of versions already kept: a different one would make
    // every file look changed on disk since its last version.
    const std::pair<qsizetype, quint64> pinned[] = {
        {0, 0x56f2d4909200aff4u},  {7, 0xab4d9eedbc48e133u},  {32, 0x7f174df49b2c50abu},
        {33, 0xd4b3c6548fc12be6u}, {1000, 0xf43810e73e976d3fu},
    };
    for (const auto& [size, hash] : pinned)
        EXPECT_EQ(StableHash::of(QByteArrayView(bytes).first(size)), hash) << size;
}

TEST(VersionStore, EachWriteKeepsWhatItReplacesAndWhatItWrote) {
    Store s;
    const QString f = s.file();
    put(f, "mine\r\n"); // written before the program ever saw it
    ASSERT_TRUE(s.write(f, "one\r\n", VersionSource::Wizard));
    ASSERT_TRUE(s.write(f, "two\r\n", VersionSource::Save));
    EXPECT_EQ(slurp(f), "two\r\n");
    EXPECT_EQ(s.kept(f), (QList<QByteArray>{"two\r\n", "one\r\n", "mine\r\n"}));
    EXPECT_EQ(s.sources(f), (QList<VersionSource>{VersionSource::Save, VersionSource::Wizard,
                                                  VersionSource::Found}));
    // Changed on disk by the game: what the game wrote is kept before the next write.
    put(f, "game\r\n");
    ASSERT_TRUE(s.write(f, "three\r\n"));
    EXPECT_EQ(s.kept(f).mid(0, 2), (QList<QByteArray>{"three\r\n", "game\r\n"}));
    EXPECT_EQ(s.sources(f).at(1), VersionSource::Game);
    // A new file has nothing to replace; its first bytes are a version.
    ASSERT_TRUE(s.write(s.file(u"new.cfg"_s), "x"));
    EXPECT_EQ(s.kept(s.file(u"new.cfg"_s)), QList<QByteArray>{"x"});
    // The files' versions are kept apart, and nothing is written beside them.
    EXPECT_EQ(QDir(s.dir.path()).entryList(QDir::Files),
              (QStringList{u"config.cfg"_s, u"new.cfg"_s}));
}

TEST(VersionStore, TheSameBytesTwiceAreOneVersionMovedToTheTop) {
    Store s;
    const QString f = s.file();
    ASSERT_TRUE(s.write(f, "a"));
    ASSERT_TRUE(s.write(f, "b"));
    ASSERT_TRUE(s.write(f, "b")); // saved again unchanged
    EXPECT_EQ(s.kept(f), (QList<QByteArray>{"b", "a"}));
    ASSERT_TRUE(s.write(f, "a", VersionSource::Restore));
    EXPECT_EQ(s.kept(f), (QList<QByteArray>{"a", "b"}));
    EXPECT_EQ(s.sources(f).first(), VersionSource::Restore);
    ASSERT_TRUE(s.store.keep(f, "b", VersionSource::Game).ok);
    EXPECT_EQ(s.kept(f), (QList<QByteArray>{"b", "a"}));
}

// A version whose bytes were changed after it was kept (its name still says the old ones) is
// not taken for the same bytes again: the new bytes are kept whole beside it.
TEST(VersionStore, AVersionChangedOnDiskIsNotTakenForTheSameBytes) {
    for (const bool fromWrite : {true, false}) {
        Store s;
        const QString f = s.file();
        ASSERT_TRUE(s.write(f, "first"));
        ASSERT_TRUE(s.write(f, "other"));
        const QList<FileVersion> before = s.store.versions(f);
        ASSERT_EQ(before.size(), 2);
        put(before.last().file, "fir5t"); // same size, other bytes
        if (fromWrite)
            ASSERT_TRUE(s.write(f, "first"));
        else
            ASSERT_TRUE(s.store.keep(f, "first", VersionSource::Game).ok);
        const QList<FileVersion> after = s.store.versions(f);
        ASSERT_EQ(after.size(), 3) << fromWrite;
        EXPECT_EQ(s.store.bytesOf(after.first()).bytes, "first") << fromWrite;
        EXPECT_FALSE(s.store.bytesOf(after.last()).ok()) << fromWrite; // shown as damaged
    }
}

TEST(VersionStore, LimitsLetTheOldestGoFirst) {
    struct Case {
        VersionStore::Limits limits;
        int writes;
        QList<QByteArray> left; // of the first file, newest first
    };
    const Case cases[] = {
        {{3, 1 << 20}, 5, {"v4", "v3", "v2"}}, // versions of one file
        {{100, 7}, 5, {"v4", "v3", "v2"}},     // bytes in all, the other file's first
        {{100, 1}, 3, {"v2"}},                 // the version just kept stays, whatever it is
        {{100, 1 << 20}, 5, {"v4", "v3", "v2", "v1", "v0"}},
    };
    for (const Case& c : cases) {
        Store s(c.limits);
        const QString f = s.file();
        const QString other = s.file(u"other.cfg"_s);
        ASSERT_TRUE(s.write(other, "o"));
        QThread::msleep(3); // the other file's version is the oldest of all
        for (int i = 0; i < c.writes; ++i)
            ASSERT_TRUE(s.write(f, "v" + QByteArray::number(i)));
        EXPECT_EQ(s.kept(f), c.left) << c.limits.perFile << " " << c.limits.total;
    }
}

TEST(VersionStore, CopiesAnOlderProgramLeftAreListedAsVersions) {
    Store s;
    const QString f = s.file();
    put(f, "now");
    const std::pair<QString, bool> names[] = {
        {u"config.cfg.bak"_s, true},    {u"config.cfg.bak2"_s, true},
        {u"CONFIG.CFG.BAK13"_s, true},  {u"config.cfg.wizard.bak"_s, true},
        {u"config.cfg.bakx"_s, false},  {u"config.cfg.old"_s, false},
        {u"autoexec.cfg.bak"_s, false}, {u"config.cfg.bak1234567"_s, false},
    };
    for (const auto& [name, listed] : names)
        put(s.file(name), name.toUtf8());
    QStringList found;
    for (const FileVersion& v : s.store.versions(f)) {
        EXPECT_EQ(v.source, VersionSource::OldCopy);
        EXPECT_EQ(s.store.bytesOf(v).bytes, QFileInfo(v.file).fileName().toUtf8());
        found.append(QFileInfo(v.file).fileName());
    }
    for (const auto& [name, listed] : names)
        EXPECT_EQ(found.contains(name), listed) << name.toStdString();
    // The store's own versions come first; the old copies stay where they are.
    ASSERT_TRUE(s.write(f, "next"));
    EXPECT_EQ(s.store.versions(f).first().source, VersionSource::Save);
    EXPECT_EQ(slurp(s.file(u"config.cfg.bak"_s)), "config.cfg.bak");
}

TEST(VersionStore, AChangeOnDiskIsNoticedOnceAndKept) {
    Store s;
    const QString f = s.file();
    put(f, "first");
    VersionStore::Noticed n = s.store.notice(f);
    EXPECT_FALSE(n.changed); // first seen: kept, but nothing it changed from
    EXPECT_EQ(s.sources(f), QList<VersionSource>{VersionSource::Found});
    EXPECT_FALSE(s.store.notice(f).changed);
    put(f, "game");
    EXPECT_TRUE(s.store.check(f).changed);
    n = s.store.notice(f);
    EXPECT_TRUE(n.changed);
    ASSERT_TRUE(n.before);
    EXPECT_EQ(n.before->source, VersionSource::Found);
    EXPECT_EQ(n.bytes, "game");
    EXPECT_EQ(s.kept(f), (QList<QByteArray>{"game", "first"}));
    EXPECT_FALSE(s.store.notice(f).changed);
    EXPECT_FALSE(s.store.check(f).changed);
}

TEST(VersionStore, ARestoreKeepsTheCurrentBytesFirst) {
    Store s;
    const QString f = s.file();
    ASSERT_TRUE(s.write(f, "mine"));
    put(f, "theirs");
    const FileVersion mine = s.store.versions(f).first();
    ASSERT_TRUE(restoreVersion(s.store, f, mine).ok);
    EXPECT_EQ(slurp(f), "mine");
    EXPECT_EQ(s.kept(f), (QList<QByteArray>{"mine", "theirs"}));
    // ... so the restore itself can be undone.
    const FileVersion theirs = s.store.versions(f).at(1);
    ASSERT_TRUE(restoreVersion(s.store, f, theirs).ok);
    EXPECT_EQ(slurp(f), "theirs");
}

// The new bytes' version is not waited for, so a machine that stops at once may leave it cut
// short (or empty): it is no copy of the file then, and the file's bytes are kept again before
// the next write replaces them.
TEST(VersionStore, AVersionCutShortIsNotTakenForTheFile) {
    for (const qsizetype left : {0, 3}) {
        Store s;
        const QString f = s.file();
        ASSERT_TRUE(s.write(f, "mine\r\n"));
        const FileVersion cut = s.store.versions(f).first();
        QFile torn(cut.file);
        ASSERT_TRUE(torn.resize(left));
        const textfile::BytesResult read = s.store.bytesOf(cut);
        EXPECT_FALSE(read.ok()) << left;
        EXPECT_TRUE(read.reason.contains(u"повреждена"_s)) << left;
        EXPECT_FALSE(s.store.check(f).known) << left;

        ASSERT_TRUE(s.write(f, "next\r\n"));
        EXPECT_EQ(slurp(f), "next\r\n");
        const QList<FileVersion> all = s.store.versions(f);
        ASSERT_EQ(all.size(), 3) << left;
        EXPECT_EQ(s.store.bytesOf(all[0]).bytes, "next\r\n");
        EXPECT_EQ(s.store.bytesOf(all[1]).bytes, "mine\r\n");
        EXPECT_EQ(all[1].source, VersionSource::Found);
    }
}

TEST(VersionStore, AVersionThatCannotBeKeptStopsTheWrite) {
    Store s;
    const QString f = s.file();
    put(f, "mine");
    put(s.dir.filePath(u"history"_s), "a file where the store's folder should be");
    const textfile::WriteResult w = writeKeepingVersions(s.store, f, "new", VersionSource::Save);
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.reason.contains(u"истории версий"_s)) << w.reason.toStdString();
    EXPECT_EQ(slurp(f), "mine");
}

// A disk that fills up while a version is written: the file keeps its old bytes, the store
// keeps every version it had, and no half version is left in it. The replaced bytes are kept
// first (the file changed on disk: they are not in the store yet), then the new ones beside
// the file's; either failing stops the write.
TEST(VersionStore, AFullDiskWhileKeepingAVersionLosesNothing) {
    struct Case {
        const char* what;
        qsizetype outside; // bytes written over the file by another program first (0: none)
        qsizetype written;
    };
    const Case cases[] = {
        {"the new version", 0, 200 * 1024},
        {"the replaced bytes", 200 * 1024, 100},
    };
    for (const Case& c : cases) {
        Store s;
        const QString f = s.file();
        ASSERT_TRUE(s.write(f, "mine\r\n"));
        if (c.outside > 0)
            put(f, QByteArray(c.outside, 'g'));
        const QByteArray before = slurp(f);
        const QList<QByteArray> keptBefore = s.kept(f);
        const QByteArray next(c.written, 'n');

        const int code = exitCodeWithFileSizeLimit(64 * 1024, [&] {
            const textfile::WriteResult w =
                writeKeepingVersions(s.store, f, next, VersionSource::Save);
            return w.ok ? 1 : (w.reason.contains(u"истории версий"_s) ? 0 : 2);
        });
        EXPECT_EQ(code, 0) << c.what << ": 1 reported success, 2 said nothing of the version";
        EXPECT_EQ(slurp(f), before) << c.what;
        EXPECT_EQ(s.kept(f), keptBefore) << c.what;
        const QStringList left = QDir(s.store.folderFor(f)).entryList(QDir::Files);
        for (const QString& name : left)
            EXPECT_TRUE(name.endsWith(u".ver"_s) || name == u"path"_s) << name.toStdString();
    }
}
