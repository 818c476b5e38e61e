// The program's one JPEG decoder: libjpeg called directly into a QImage. A damaged, truncated or
// foreign file, or one whose picture is too large, gives an error text instead of a picture;
// libjpeg's own error handling (which ends the process) is never reached.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

struct JpegResult {
    QImage image;
    QString error; // empty on success
    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

// The largest picture we decode, in pixels per side and in total.
constexpr int kMaxJpegSide = 16384;
constexpr qint64 kMaxJpegPixels = 32LL * 1024 * 1024;
// Files larger than this are not read at all.
constexpr qint64 kMaxJpegFileBytes = 64LL * 1024 * 1024;

JpegResult loadJpeg(const QString& path);
JpegResult decodeJpeg(const QByteArray& bytes);
