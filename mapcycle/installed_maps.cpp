// Listing installed maps and reading their descriptions.
#include "mapcycle/installed_maps.h"

#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace mapcycle {

QStringList installedMaps(const QString& folder) {
    // An unset folder must not turn into the root's "maps".
    if (folder.isEmpty())
        return {};
    QStringList names;
    const QStringList files = paths::listFiles(paths::resolve(folder, u"maps"_s), u"*.bsp"_s);
    for (const QString& file : files) {
        const QString name = file.chopped(4);
        if (!name.contains(u'\n') && !name.contains(u'\r'))
            names.append(name);
    }
    return names;
}

void mergeMapNames(QStringList& known, const QStringList& found) {
    for (const QString& name : found)
        if (!known.contains(name, Qt::CaseSensitive))
            known.append(name);
    std::stable_sort(known.begin(), known.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QString mapDescription(const QString& folder, const QString& name) {
    const textfile::ReadResult r =
        textfile::readEditableText(paths::resolve(folder, u"maps\\"_s + name + u".txt"_s));
    return r.ok() ? r.text : u"Нет файла описания для данной карты!"_s;
}

} // namespace mapcycle
