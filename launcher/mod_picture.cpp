// Mod icons.
#include "launcher/mod_picture.h"

#include "platform/jpeg_image.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kMaxIconFileBytes = 16 * 1024 * 1024;

// Icons that the Half-Life folder itself holds for the mods that ship without their own.
QString fixedIconName(const QString& mod) {
    const QString m = mod.toLower();
    if (m == u"tfc"_s)
        return u"TeamFortressClassic.ico"_s;
    if (m == u"rewolf"_s)
        return u"rewolf.ico"_s;
    if (m == u"valve"_s)
        return u"valve.ico"_s;
    return QString();
}

bool isJpegName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"jpg"_s || suffix == u"jpeg"_s;
}

} // namespace

QString modIconFile(const QString& halfLifeDir, const QString& mod) {
    const QString fixed = fixedIconName(mod);
    if (!fixed.isEmpty()) {
        const QString path = paths::resolve(halfLifeDir, fixed);
        return QFileInfo(path).isFile() ? path : QString();
    }
    const QString folder = paths::resolve(halfLifeDir, mod);
    if (mod.isEmpty() || !QFileInfo(folder).isDir())
        return QString();
    const QStringList icons = paths::listFiles(folder, u"*.ico"_s);
    return icons.isEmpty() ? QString() : folder + u'/' + icons.first();
}

QString unknownModPictureFile(const ProgramHome& home) {
    return home.find(u"dlls\\unknown.jpg"_s);
}

QImage loadPicture(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    if (isJpegName(path))
        return loadJpeg(path).image;
    // Read through the program's bounded reader, so a FIFO or an endless file named *.ico
    // cannot hang or fill the memory.
    const textfile::BytesResult raw = textfile::readBytes(path, kMaxIconFileBytes);
    if (!raw.ok())
        return QImage();
    QBuffer buffer;
    buffer.setData(raw.bytes);
    buffer.open(QIODevice::ReadOnly);
    // An icon file holds several sizes; the one nearest 32 pixels suits the window best.
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (reader.format().startsWith("jp")) // a JPEG by another name: still our decoder
        return decodeJpeg(raw.bytes).image;
    QImage best;
    const int count = qMax(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        if (best.isNull() || qAbs(image.width() - 32) < qAbs(best.width() - 32))
            best = image;
    }
    return best;
}

QImage pictureOrUnknown(const QString& iconFile, const ProgramHome& home) {
    QImage image = loadPicture(iconFile);
    if (image.isNull())
        image = loadPicture(unknownModPictureFile(home));
    return image;
}
