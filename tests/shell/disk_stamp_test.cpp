// Telling another program's change of the editor's file from a mere touch, with the fingerprint
// a save makes of its bytes piece by piece.
#include "shell/disk_stamp.h"

#include "platform/text_file.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

TEST(ContentDigest, PiecesOfAnySizeGiveTheFingerprintOfTheWhole) {
    QByteArray bytes(3 * 4096 + 123, Qt::Uninitialized);
    QRandomGenerator random(3);
    for (char& b : bytes)
        b = char(random.bounded(256));
    const QByteArray whole = ContentDigest::of(bytes);
    for (const qsizetype piece : {1, 7, 4095, 4096, 4097, 10000}) {
        ContentDigest digest;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            digest.addData(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        EXPECT_EQ(digest.result(), whole) << piece;
    }
    // Any changed byte, in a whole block or in the last part, and any length changes it.
    QByteArray other = bytes;
    for (const qsizetype at : {qsizetype(0), qsizetype(4096), bytes.size() - 1}) {
        other[at] = char(other[at] ^ 1);
        EXPECT_NE(ContentDigest::of(other), whole) << at;
        other[at] = bytes[at];
    }
    EXPECT_NE(ContentDigest::of(bytes + '\0'), whole);
    EXPECT_NE(ContentDigest::of(bytes.left(4096)), ContentDigest::of(bytes.left(4096) + '\0'));
    EXPECT_NE(ContentDigest::of(QByteArray()), ContentDigest::of(QByteArray(1, '\0')));
}

// Whether the stamp has a fingerprint made as the bytes were written, the bytes the editor kept
// of its write, or the bytes it read: a touch is no change, another byte is.
TEST(DiskStamp, AFileIsKnownByItsBytesNotByItsTime) {
    const QByteArray bytes = "bind w +forward\r\nname x\r\n";
    for (const int way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a.cfg"_s);
        const DiskStamp::Identity before = DiskStamp::identityOf(path);
        ASSERT_TRUE(textfile::writeBytes(path, bytes).ok);
        int looks = 0; // how often the kept bytes were read
        DiskStamp stamp;
        if (way == 0) {
            ContentDigest pieces;
            pieces.addData(QByteArrayView(bytes).first(5));
            pieces.addData(QByteArrayView(bytes).sliced(5));
            stamp = DiskStamp::ofWrite(path, bytes.size(), pieces.result());
        } else if (way == 1) {
            stamp = DiskStamp::ofWrite(path, bytes.size(),
                                       [&](const std::function<void(QByteArrayView)>& visit) {
                                           ++looks;
                                           visit(QByteArrayView(bytes).first(5));
                                           visit(QByteArrayView(bytes).sliced(5));
                                       });
        } else {
            // Read just after it was written: the identity looked at before the read is the
            // written file's.
            stamp = DiskStamp::ofRead(DiskStamp::identityOf(path), bytes);
            EXPECT_FALSE(DiskStamp::ofRead(before, bytes).isKnown()); // no file then
        }
        EXPECT_FALSE(stamp.changedOnDisk(path));
        EXPECT_EQ(looks, 0);

        // Touched: the same bytes at a later time.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                     QFileDevice::FileModificationTime));
        file.close();
        EXPECT_FALSE(stamp.changedOnDisk(path));

        // Rewritten with as many bytes, one of them different.
        QByteArray changed = bytes;
        changed[5] = 'W';
        ASSERT_TRUE(textfile::writeBytes(path, changed).ok);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(120),
                                     QFileDevice::FileModificationTime));
        file.close();
        EXPECT_TRUE(stamp.changedOnDisk(path));
        EXPECT_FALSE(DiskStamp::ofFile(path).changedOnDisk(path));
        EXPECT_LE(looks, 1); // the fingerprint is taken once
    }
}

TEST(DiskStamp, AFileRenamedOverTheOldOneIsNoticedAtTheSameSizeAndTime) {
    // Another program's safe save within the same tick of the clock: as many bytes, the very
    // same modification time, but a new file in the old one's place.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.cfg"_s);
    ASSERT_TRUE(textfile::writeBytes(path, "one\r\n").ok);
    DiskStamp stamp = DiskStamp::ofFile(path);
    const QString next = path + u".new"_s;
    ASSERT_TRUE(textfile::writeBytes(next, "two\r\n").ok);
    struct stat old {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &old), 0);
    const timespec times[2] = {old.st_atim, old.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(next).constData(), times, 0), 0);
    ASSERT_TRUE(QFile::remove(path) && QFile::rename(next, path));
    EXPECT_TRUE(stamp.changedOnDisk(path));
}
