// The cache of parsed explanation files.
#include "reference/explanation_cache.h"

ExplanationCache::Stamp ExplanationCache::stampOf(const QString& path) {
    // std::filesystem rather than QFileInfo: the check runs at every lookup, and QFileInfo's
    // times are converted to local time, which costs more than the lookup itself.
    const std::filesystem::path p(path.toStdU16String());
    std::error_code error;
    Stamp stamp;
    if (!std::filesystem::is_regular_file(p, error))
        return stamp;
    stamp.modified = std::filesystem::last_write_time(p, error);
    stamp.size = std::filesystem::file_size(p, error);
    stamp.exists = !error;
    return stamp;
}

std::optional<QString> ExplanationCache::value(const ProgramHome& home, const QString& relative,
                                               const QString& section, const QString& key) {
    const QString& id = relative;
    auto it = m_files.find(id);
    if (it == m_files.end() || stampOf(it->path) != it->stamp) {
        File file;
        file.path = home.find(relative);
        file.stamp = stampOf(file.path);
        if (file.stamp.exists) {
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
