// The cache of parsed explanation files.
#include "reference/explanation_cache.h"

#include "platform/program_paths.h"

#include <QFileInfo>

bool ExplanationCache::unchanged(const File& file) {
    const QFileInfo info(file.path);
    if (!info.isFile())
        return !file.exists;
    return file.exists && info.lastModified() == file.modified && info.size() == file.size;
}

std::optional<QString> ExplanationCache::value(const QString& programDir, const QString& relative,
                                               const QString& section, const QString& key) {
    const QString id = programDir + relative;
    auto it = m_files.find(id);
    if (it == m_files.end() || !unchanged(*it)) {
        File file;
        file.path = paths::resolve(programDir, relative);
        const QFileInfo info(file.path);
        file.exists = info.isFile();
        if (file.exists) {
            file.modified = info.lastModified();
            file.size = info.size();
            IniProfile ini(file.path);
            ini.load();
            file.index = ini.index();
            ++m_loads;
        }
        it = m_files.insert(id, std::move(file));
    }
    const auto sectionIt = it->index.constFind(section.trimmed().toCaseFolded());
    if (sectionIt == it->index.constEnd())
        return std::nullopt;
    const auto keyIt = sectionIt->constFind(key.trimmed().toCaseFolded());
    if (keyIt == sectionIt->constEnd())
        return std::nullopt;
    return *keyIt;
}
