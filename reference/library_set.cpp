// Installing and removing value libraries and MetaBinds.
#include "reference/library_set.h"

#include "platform/program_paths.h"
#include "platform/system_reasons.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QString libraryFileFilter() {
    return u"Библиотека значений (*.dlz)|*.dlz|MetaBinds (*.mtb)|*.mtb"_s;
}

QString libraryNameOf(const QString& fileName) {
    return fileName.chopped(std::min<qsizetype>(4, fileName.size()));
}

void insertSorted(QStringList& list, const QString& item) {
    const auto at =
        std::upper_bound(list.begin(), list.end(), item, [](const QString& a, const QString& b) {
            const int c = a.compare(b, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        });
    list.insert(at, item);
}

static const QString kLibraryFolder = u"dlls\\dlz"_s;
static const QString kMetaBindFolder = u"dlls\\metabinds"_s;

QStringList LibrarySet::listLibraries() {
    QStringList added;
    for (const QString& file : m_home.listFiles(kLibraryFolder, u"*.dlz"_s)) {
        // Compared by name, so a file spelled "X.DLZ" is not listed again at every listing.
        const QString name = libraryNameOf(file);
        if (m_libraries.contains(name))
            continue;
        insertSorted(m_libraries, name);
        added.append(name);
    }
    return added;
}

void LibrarySet::listMetaBinds() {
    for (const QString& file : m_home.listFiles(kMetaBindFolder, u"*.mtb"_s))
        if (!m_metaBinds.contains(file))
            insertSorted(m_metaBinds, file);
}

static LibraryChange copyInto(const QString& from, const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    const QString to = paths::resolve(folder, name);
    const textfile::WriteResult w = textfile::copyFile(from, to);
    if (w.ok)
        return {};
    return {false, u"Не удалось скопировать файл "_s + from + u"\nв "_s + to + u"\n"_s + w.reason};
}

LibraryKind installedKind(const QString& fileName, LibraryKind filterKind) {
    if (fileName.endsWith(u".mtb"_s, Qt::CaseInsensitive))
        return LibraryKind::MetaBind;
    if (fileName.endsWith(u".dlz"_s, Qt::CaseInsensitive))
        return LibraryKind::Library;
    return filterKind;
}

QString installedFileName(const QString& fileName, LibraryKind kind) {
    const QString extension = kind == LibraryKind::MetaBind ? u".mtb"_s : u".dlz"_s;
    return fileName.endsWith(extension, Qt::CaseInsensitive) ? fileName : fileName + extension;
}

LibraryChange LibrarySet::install(const QString& chosenPath, LibraryKind filterKind) {
    const QFileInfo chosen(chosenPath);
    const LibraryKind kind = installedKind(chosen.fileName(), filterKind);
    const QString file = installedFileName(chosen.fileName(), kind);
    if (kind == LibraryKind::MetaBind) {
        const LibraryChange copied = copyInto(chosenPath, m_home.userPath(kMetaBindFolder), file);
        if (copied.ok && !m_metaBinds.contains(file))
            insertSorted(m_metaBinds, file);
        return copied;
    }
    const QString base = libraryNameOf(file);
    const QString pro = paths::resolve(chosen.absolutePath(), base + u".pro"_s);
    if (QFileInfo(pro).isFile()) {
        const LibraryChange copied =
            copyInto(pro, m_home.userPath(kLibraryFolder), base + u".pro"_s);
        if (!copied.ok)
            return copied;
    }
    const LibraryChange copied = copyInto(chosenPath, m_home.userPath(kLibraryFolder), file);
    if (copied.ok && !m_libraries.contains(base))
        insertSorted(m_libraries, base);
    return copied;
}

static LibraryChange deleteFile(const QString& path) {
    QFile f(path);
    if (!f.exists() || f.remove())
        return {};
    return {false, u"Не удалось удалить файл "_s +
                       textfile::describeFailure(path, russianSystemReason(f.errorString()))};
}

LibraryChange LibrarySet::remove(const QString& relative) {
    if (m_home.isShippedOnly(relative))
        return {false, u"Файл входит в поставку программы и не может быть удалён:\n"_s +
                           m_home.find(relative) +
                           u"\nУдалить можно только библиотеки и MetaBinds, добавленные вами."_s};
    return deleteFile(m_home.userPath(relative));
}

LibraryChange LibrarySet::removeLibrary(const QString& name) {
    const QString relative = kLibraryFolder + u'\\' + name + u".dlz"_s;
    const LibraryChange removed = remove(relative);
    if (removed.ok && !QFileInfo::exists(m_home.find(relative)))
        m_libraries.removeAll(name);
    return removed;
}

LibraryChange LibrarySet::removeMetaBind(const QString& fileName) {
    const QString relative = kMetaBindFolder + u'\\' + fileName;
    const LibraryChange removed = remove(relative);
    if (removed.ok && !QFileInfo::exists(m_home.find(relative)))
        m_metaBinds.removeAll(fileName);
    return removed;
}
