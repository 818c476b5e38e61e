// Explanations and pictures of value list entries.
#include "reference/entry_details.h"

#include "platform/jpeg_image.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

QString explanationLibrary(bool dlzPageActive, const QString& selectedLibrary,
                           const QString& listFilePath) {
    if (!dlzPageActive)
        return QString();
    if (!selectedLibrary.isEmpty())
        return selectedLibrary;
    const QFileInfo list(listFilePath);
    const bool fromLibrary = list.suffix().compare(u"dlz"_s, Qt::CaseInsensitive) == 0 &&
                             list.dir().dirName().compare(u"dlz"_s, Qt::CaseInsensitive) == 0 &&
                             QFileInfo(list.dir().absolutePath())
                                     .dir()
                                     .dirName()
                                     .compare(u"dlls"_s, Qt::CaseInsensitive) == 0;
    return fromLibrary ? list.completeBaseName() : QString();
}

QString weaponPicturePath(const ProgramHome& home, const QString& entry) {
    return home.find(u"dlls\\cvardll\\guns\\"_s + entry + u".jpg"_s);
}

QString missingPictureMessage(const QString& entry) {
    return u"Ненайден файл соответствующий значению "_s + entry;
}

WeaponPicture loadWeaponPicture(const ProgramHome& home, const QString& entry) {
    // An entry naming a path of its own would reach outside the pictures folder.
    if (entry.isEmpty() || entry.contains(u'/') || entry.contains(u'\\'))
        return {QImage(), missingPictureMessage(entry)};
    const JpegResult jpeg = loadJpeg(weaponPicturePath(home, entry));
    if (!jpeg.ok())
        return {QImage(), missingPictureMessage(entry)};
    return {jpeg.image, QString()};
}

QImage fitPicture(const QImage& picture, const QSize& box) {
    if (picture.isNull() || (picture.width() <= box.width() && picture.height() <= box.height()))
        return picture;
    return picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
