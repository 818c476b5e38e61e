// Reading "liblist.gam".
#include "launcher/liblist_reader.h"

#include "platform/cp1251.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"

using namespace Qt::Literals::StringLiterals;

QString titleKey() {
    return u"game \""_s;
}
QString versionKey() {
    return u"version \""_s;
}

int findFrom(const QString& text, const QString& what, int from) {
    if (what.isEmpty() || from < 0 || from > text.size())
        return -1;
    return static_cast<int>(text.indexOf(what, from, Qt::CaseSensitive));
}

QString valueAfterKey(const QString& text, const QString& key, int* foundAt) {
    const int pos = findFrom(text, key, 0);
    if (foundAt)
        *foundAt = pos;
    if (pos < 0)
        return QString();
    const qsizetype start = pos + key.size();
    const qsizetype end = text.indexOf(u'"', start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

ModInfo parseLiblist(const QString& text) {
    ModInfo info;
    info.readable = true;
    info.title = valueAfterKey(text, titleKey());
    info.version = valueAfterKey(text, versionKey(), &info.lastFoundPos);
    return info;
}

ModInfo readModInfo(const QString& modFolder) {
    // A liblist.gam is a few hundred bytes; anything far larger is not one.
    const textfile::BytesResult raw =
        textfile::readBytes(paths::resolve(modFolder, u"liblist.gam"_s), 1024 * 1024);
    if (!raw.ok())
        return ModInfo{};
    return parseLiblist(textfile::normalizeLineBreaks(cp1251::decode(raw.bytes)));
}
