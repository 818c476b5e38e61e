// Listing the MetaBind files.
#include "metabinds/metabind_listing.h"

#include "metabinds/metabind_format.h"
#include "platform/program_paths.h"

using namespace Qt::Literals::StringLiterals;

namespace metabind {

bool MetaBindPaths::append(const QString& path) {
    if (isFull())
        return false;
    m_paths.append(path);
    return true;
}

QString MetaBindPaths::at(int index) const {
    return index >= 0 && index < count() ? m_paths.at(index) : QString();
}

QString metaBindFolder(const QString& programDir) {
    return paths::resolve(programDir, u"dlls\\metabinds"_s);
}

Listing listMetaBinds(const QString& programDir, int capacity) {
    Listing listing{{}, MetaBindPaths(capacity)};
    const QString folder = paths::withTrailingSeparator(metaBindFolder(programDir));
    for (const QString& file : paths::listFiles(folder, u"*.mtb"_s)) {
        if (listing.paths.isFull())
            break;
        const QString path = folder + file;
        const textfile::ReadResult read = textfile::readEditableText(path);
        if (!read.ok())
            continue;
        const QString name = readHeader(read.text).name;
        if (name.isEmpty())
            continue;
        listing.paths.append(path);
        listing.names.append(name);
    }
    return listing;
}

} // namespace metabind
