// Finding a folder's drive.
#include "widgets/drive_list.h"

int driveIndexFor(const QStringList& roots, const QString& folder) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    // Either separator, whatever the system: a chooser may list Windows drives ("C:\\").
    const auto slashes = [](QString path) { return path.replace(u'\\', u'/'); };
    const QString f = slashes(folder);
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < roots.size(); ++i) {
        QString root = slashes(roots[i]);
        if (root.size() > 1 && root.endsWith(u'/'))
            root.chop(1);
        const bool holds =
            f.compare(root, cs) == 0 ||
            (f.startsWith(root, cs) && (root.endsWith(u'/') || f.at(root.size()) == u'/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}
