// Listing the MetaBind files.
#include "metabinds/metabind_listing.h"

#include "metabinds/metabind_format.h"

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

Listing listMetaBinds(const ProgramHome& home, int capacity) {
    Listing listing{{}, MetaBindPaths(capacity)};
    const QString folder = u"dlls\\metabinds"_s;
    for (const QString& file : home.listFiles(folder, u"*.mtb"_s)) {
        if (listing.paths.isFull())
            break;
        const QString path = home.find(folder + u'\\' + file);
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
