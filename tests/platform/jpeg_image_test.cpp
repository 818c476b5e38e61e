// The JPEG loader: real pictures written here with libjpeg's encoder, and files that must come
// back as an error instead of ending the program.
#include "platform/jpeg_image.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include <jpeglib.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Encodes a width x height picture: left half red, right half blue (or a grey ramp).
QByteArray encodeJpeg(int width, int height, bool grey = false) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < width; ++x) {
            if (grey) {
                row[x] = static_cast<unsigned char>(x * 255 / std::max(1, width - 1));
            } else {
                const bool left = x < width / 2;
                row[x * 3] = left ? 255 : 0;
                row[x * 3 + 1] = 0;
                row[x * 3 + 2] = left ? 0 : 255;
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.path() + u'/' + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// Sets the 16-bit height and width of the first SOF0 segment.
QByteArray withDimensions(QByteArray jpeg, int width, int height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

} // namespace

TEST(JpegImage, DecodesColourAndGreyPicturesWrittenByLibjpeg) {
    QTemporaryDir dir;
    const JpegResult colour = loadJpeg(writeTemp(dir, u"c.jpg"_s, encodeJpeg(40, 24)));
    ASSERT_TRUE(colour.ok()) << colour.error.toStdString();
    EXPECT_EQ(colour.image.size(), QSize(40, 24));
    const QColor left = colour.image.pixelColor(5, 12);
    const QColor right = colour.image.pixelColor(34, 12);
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.blue(), 60);
    EXPECT_GT(right.blue(), 200);
    EXPECT_LT(right.red(), 60);

    const JpegResult grey = decodeJpeg(encodeJpeg(64, 8, true));
    ASSERT_TRUE(grey.ok()) << grey.error.toStdString();
    EXPECT_LT(qGray(grey.image.pixel(0, 4)), 30);
    EXPECT_GT(qGray(grey.image.pixel(63, 4)), 225);
}

TEST(JpegImage, BrokenFilesGiveAnErrorNotAPicture) {
    QTemporaryDir dir;
    const QByteArray good = encodeJpeg(64, 64);

    const JpegResult missing = loadJpeg(dir.path() + u"/none.jpg"_s);
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.error.isEmpty());

    const JpegResult empty = loadJpeg(writeTemp(dir, u"empty.jpg"_s, QByteArray()));
    EXPECT_FALSE(empty.ok());
    EXPECT_EQ(empty.error, u"Файл пуст"_s);

    const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    for (const QByteArray& foreign : {png, QByteArray("just some text"), QByteArray("\xFF")}) {
        const JpegResult r = decodeJpeg(foreign);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.image.isNull());
    }

    // Cut at several points: in the header, in the tables, in the picture data.
    for (qsizetype cut : {qsizetype(4), qsizetype(40), good.size() / 2, good.size() - 2}) {
        const JpegResult r = loadJpeg(writeTemp(dir, u"cut.jpg"_s, good.left(cut)));
        EXPECT_FALSE(r.ok()) << "cut at " << cut;
        EXPECT_TRUE(r.image.isNull());
    }

    // A header that names an impossible table, and scrambled picture data.
    QByteArray badTable = good;
    const qsizetype dqt = badTable.indexOf(QByteArray("\xFF\xDB", 2));
    ASSERT_GT(dqt, 0);
    badTable[dqt + 4] = '\x7F';
    EXPECT_FALSE(decodeJpeg(badTable).ok());

    QByteArray scrambled = good;
    const qsizetype sos = scrambled.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(sos, 0);
    for (qsizetype i = sos + 20; i < scrambled.size() - 2; i += 3)
        scrambled[i] = '\xFF';
    EXPECT_FALSE(decodeJpeg(scrambled).ok());
}

TEST(JpegImage, RefusesHugeDimensionsBeforeDecoding) {
    const QByteArray small = encodeJpeg(16, 16);
    const JpegResult wide = decodeJpeg(withDimensions(small, 60000, 60000));
    EXPECT_FALSE(wide.ok());
    EXPECT_TRUE(wide.error.contains(u"60000"_s)) << wide.error.toStdString();
    // Each side allowed on its own, too many pixels together.
    EXPECT_FALSE(decodeJpeg(withDimensions(small, kMaxJpegSide, kMaxJpegSide)).ok());
    EXPECT_FALSE(decodeJpeg(withDimensions(small, 0, 16)).ok());
}
