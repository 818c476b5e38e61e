// The Windows-1251 codec, line breaks, and the atomic write routine.
#include "file_size_limit.h"
#include "platform/cp1251.h"
#include "platform/text_file.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

// Fault injection at the system-call boundary: while set, every fdatasync in this program fails
// as a dying disk makes it fail.
static std::atomic<bool> g_failSync{false};
extern "C" int fdatasync(int fd) {
    if (g_failSync) {
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_fdatasync, fd));
}

using namespace Qt::Literals::StringLiterals;

namespace {

// Runs `body` in a child process that SIGALRM ends after `seconds`; the child's exit code, or
// -1 when it had to be stopped. A hang then fails the test instead of stopping the run.
int exitCodeWithin(int seconds, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(unsigned(seconds));
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1251::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(cp1251::encode(text), all);
    // Distinct bytes give distinct characters.
    QSet<QChar> seen(text.begin(), text.end());
    EXPECT_EQ(seen.size(), 256);
    // Any mix of ASCII runs and other bytes, any length: each byte decodes as it does alone.
    QRandomGenerator random(1251);
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes;
        const int length = int(random.bounded(70));
        for (int i = 0; i < length; ++i)
            bytes.append(
                char(random.bounded(8) == 0 ? 0x80 + random.bounded(128) : random.bounded(128)));
        const QString decoded = cp1251::decode(bytes);
        ASSERT_EQ(decoded.size(), bytes.size());
        for (int i = 0; i < length; ++i)
            ASSERT_EQ(decoded[i], text[uchar(bytes[i])]) << round << " at " << i;
    }
}

TEST(Cp1251, EveryCharacterEncodesToItsByteOrAQuestionMark) {
    QHash<char16_t, char> byteOf;
    for (int b = 0; b < 256; ++b)
        byteOf.insert(cp1251::decode(QByteArray(1, char(b)))[0].unicode(), char(b));
    QString all;
    QByteArray expected;
    QString expectedLost;
    for (int c = 0; c < 0x10000; ++c) {
        all.append(QChar(char16_t(c)));
        const auto it = byteOf.constFind(char16_t(c));
        expected.append(it != byteOf.constEnd() ? *it : '?');
        if (it == byteOf.constEnd())
            expectedLost.append(QChar(char16_t(c)));
    }
    QString lost;
    EXPECT_EQ(cp1251::encode(all, &lost), expected);
    EXPECT_EQ(lost, expectedLost);
    // Line breaks become CR LF in the same pass; a lone CR stays as it is.
    expected.replace("\n", "\r\n");
    all += all; // each lost character is reported once
    expected += expected;
    lost.clear();
    EXPECT_EQ(textfile::toFileBytes(all, &lost), expected);
    EXPECT_EQ(lost, expectedLost);
}

TEST(Cp1251, RussianTextAndTheUnusualCorners) {
    EXPECT_EQ(cp1251::decode("\xCF\xF0\xE8\xE2\xE5\xF2"), u"Привет"_s);
    EXPECT_EQ(cp1251::decode("\xA8\xB8"), u"Ёё"_s);
    EXPECT_EQ(cp1251::decode("\x88\xB9\x98"), u"€№\u0098"_s);
    QString lost;
    EXPECT_EQ(cp1251::encode(u"a\u4E2Db\u4E2D\u00E9"_s, &lost), QByteArray("a?b??"));
    EXPECT_EQ(lost, u"\u4E2D\u00E9"_s);
    EXPECT_FALSE(cp1251::canEncode(u"ü"_s));
    EXPECT_TRUE(cp1251::canEncode(u"бинд «+attack»"_s));
}

TEST(TextFile, ReadsEveryLineBreakAndWritesCrLf) {
    const std::pair<QString, QString> breaks[] = {
        {u"a\r\nb\rc\nd\n\re"_s, u"a\nb\nc\nd\n\ne"_s},
        {u"\r\r\n\r"_s, u"\n\n\n"_s},
        {u"x\r"_s, u"x\n"_s},
        {u"\r\nend"_s, u"\nend"_s},
        {u"no break"_s, u"no break"_s},
        {QString(), QString()},
    };
    for (const auto& [in, out] : breaks)
        EXPECT_EQ(textfile::normalizeLineBreaks(in), out) << qPrintable(in);
    // Breaks at every place of the eight characters read at a time, against a plain walk.
    QRandomGenerator random(13);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        for (int i = int(random.bounded(100)); i > 0; --i)
            text += QChar(u"ab\r\nж"[random.bounded(5)]);
        QString plain;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != u'\r') {
                plain += text[i];
                continue;
            }
            plain += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        }
        ASSERT_EQ(textfile::normalizeLineBreaks(text), plain) << qPrintable(text);
    }
    // Long stretches between the breaks, and a break at the end.
    const QString line = QString(5000, u'ж');
    EXPECT_EQ(textfile::normalizeLineBreaks(line + u"\r\n"_s + line + u"\r"_s),
              line + u"\n"_s + line + u"\n"_s);
    EXPECT_EQ(textfile::toFileBytes(u"bind\n\nx"_s), QByteArray("bind\r\n\r\nx"));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"c.cfg"_s);
    put(path, "\xEF\xF0\xE8\xE2\xE5\xF2\r\nname \"x\"\rlast");
    const auto r = textfile::readText(path);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.text, u"привет\nname \"x\"\nlast"_s);
}

TEST(TextFile, ReadFailuresAreTyped) {
    QTemporaryDir dir;
    EXPECT_EQ(textfile::readText(dir.filePath(u"none"_s)).error, textfile::ReadError::Missing);
    EXPECT_EQ(textfile::readText(dir.path()).error, textfile::ReadError::Unreadable);
    const QString bin = dir.filePath(u"bin.cfg"_s);
    put(bin, QByteArray("bind\0x", 6));
    EXPECT_EQ(textfile::readEditableText(bin).error, textfile::ReadError::Binary);
    EXPECT_TRUE(textfile::readText(bin).ok()); // data readers decide for themselves
    const QString big = dir.filePath(u"big.cfg"_s);
    put(big, QByteArray(textfile::kMaxEditableBytes + 1, 'a'));
    EXPECT_EQ(textfile::readEditableText(big).error, textfile::ReadError::TooLarge);
}

TEST(TextFile, WriteReplacesTheWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config.cfg"_s);
    put(path, "old old old old");
    ASSERT_TRUE(textfile::writeText(path, u"new"_s).ok);
    EXPECT_EQ(slurp(path), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

TEST(TextFile, AWriteIntoAMissingFolderFailsWithAReason) {
    QTemporaryDir dir;
    const auto w = textfile::writeText(dir.filePath(u"no/such/folder/x.cfg"_s), u"x"_s);
    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.reason.isEmpty());
}

// A disk that runs out of room in the middle of a write: the old file must stay byte for byte.
TEST(TextFile, AWriteThatRunsOutOfRoomLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config.cfg"_s);
    const QByteArray old = "bind w +forward\r\nbind s +back\r\n";
    put(path, old);
    const QByteArray big(256 * 1024, 'x');

    const int code = exitCodeWithFileSizeLimit(64 * 1024, [&] {
        const auto w = textfile::writeBytes(path, big);
        return w.ok ? 1 : (w.reason.isEmpty() ? 2 : 0);
    });
    EXPECT_EQ(code, 0) << "1: reported success, 2: no reason given";
    EXPECT_EQ(slurp(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"config.cfg"_s});
}

TEST(TextFile, CopyGoesThroughTheSameRoutine) {
    QTemporaryDir dir;
    const QString from = dir.filePath(u"a.dlz"_s);
    const QString to = dir.filePath(u"b.dlz"_s);
    put(from, "1\r\n2\r\n");
    ASSERT_TRUE(textfile::copyFile(from, to).ok);
    EXPECT_EQ(slurp(to), QByteArray("1\r\n2\r\n"));
    EXPECT_FALSE(textfile::copyFile(dir.filePath(u"none"_s), to).ok);
    EXPECT_EQ(slurp(to), QByteArray("1\r\n2\r\n"));
}

TEST(TextFile, OnlyRegularFilesAreReadAndNeverPastTheLimit) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe.cfg"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A FIFO with no writer would block the open; a device never ends.
    for (const QString& path : {fifo, u"/dev/zero"_s, u"/dev/null"_s}) {
        const int code = exitCodeWithin(10, [&] {
            const auto r = textfile::readEditableText(path);
            return r.error == textfile::ReadError::Unreadable && !r.reason.isEmpty() ? 0 : 1;
        });
        EXPECT_EQ(code, 0) << path.toStdString() << (code < 0 ? ": hung" : ": was read");
    }
    // Files under /proc say they are empty: the read itself must stop one byte past the limit.
    const QString maps = u"/proc/self/maps"_s;
    ASSERT_EQ(QFileInfo(maps).size(), 0);
    EXPECT_EQ(textfile::readBytes(maps, 16).error, textfile::ReadError::TooLarge);
    const auto whole = textfile::readBytes(maps);
    ASSERT_TRUE(whole.ok());
    EXPECT_GT(whole.bytes.size(), 16);
    // A file of exactly the limit is read whole.
    const QString exact = dir.filePath(u"exact.cfg"_s);
    put(exact, QByteArray(4096, 'a'));
    EXPECT_EQ(textfile::readBytes(exact, 4096).bytes.size(), 4096);
    EXPECT_EQ(textfile::readBytes(exact, 4095).error, textfile::ReadError::TooLarge);
}

// A sync that fails means the bytes may never reach the disk: the save is not a success.
TEST(TextFile, AFailedSyncCancelsTheWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config.cfg"_s);
    put(path, "old");
    g_failSync = true;
    const auto w = textfile::writeBytes(path, "new");
    g_failSync = false;
    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.reason.isEmpty());
    EXPECT_EQ(slurp(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"config.cfg"_s});
    EXPECT_TRUE(textfile::writeBytes(path, "new").ok);
    EXPECT_EQ(slurp(path), QByteArray("new"));
}
