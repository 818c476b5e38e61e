// Case-insensitive path resolution and sorted wildcard listings.
#include "platform/program_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace paths {
namespace {

void sortByName(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace

QStringList listEntries(const QString& dir) {
    QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    sortByName(entries);
    return entries;
}

namespace {

// Finds `name` in `dir`: the exact spelling first, then any spelling that differs only in case.
QString matchEntry(const QString& dir, const QString& name) {
    if (name == u"."_s || name == u".."_s || QFileInfo::exists(dir + u'/' + name))
        return name;
    for (const QString& e : listEntries(dir))
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return QString();
}

} // namespace

QString resolve(const QString& base, const QString& relative) {
    QString rel = relative;
    rel.replace(u'\\', u'/');
    QString current = base;
    while (current.size() > 1 && current.endsWith(u'/'))
        current.chop(1);
    const QStringList parts = rel.split(u'/');
    bool exists = QFileInfo(current).isDir();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty()) {
            if (i == parts.size() - 1 && i > 0)
                current += u'/'; // keep a trailing separator
            continue;
        }
        QString found = exists ? matchEntry(current, part) : QString();
        if (found.isEmpty()) {
            exists = false;
            found = part;
        }
        current += (current.endsWith(u'/') ? u""_s : u"/"_s) + found;
        if (exists) // the last part need not be a folder: not looked at again
            exists = i == parts.size() - 1 || QFileInfo(current).isDir();
    }
    return current;
}

QString resolvePath(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    if (p.startsWith(u'/'))
        return resolve(u"/"_s, p.mid(1));
    return resolve(QDir::currentPath(), p);
}

QStringList listFiles(const QString& dir, const QString& pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(
                                    pattern, QRegularExpression::UnanchoredWildcardConversion),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression anchored(u"\\A(?:"_s + re.pattern() + u")\\z"_s,
                                      QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries)
        if (anchored.match(e).hasMatch())
            names.append(e);
    sortByName(names);
    return names;
}

QStringList listFolders(const QString& dir) {
    QStringList names = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    sortByName(names);
    return names;
}

QString withTrailingSeparator(const QString& dir) {
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

} // namespace paths
