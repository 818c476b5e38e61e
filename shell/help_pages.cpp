// The help pages.
#include "shell/help_pages.h"

#include "platform/program_paths.h"

using namespace Qt::Literals::StringLiterals;

namespace help {

QString pagePath(const QString& folder, const QString& page) {
    const qsizetype hash = page.indexOf(u'#');
    return paths::resolve(folder, hash < 0 ? page : page.left(hash));
}

QString missingPageText(const QString& path) {
    return u"Страница справки не найдена: нет файла\n%1"_s.arg(path);
}

QString windowCaption(const QString& pageTitle) {
    if (pageTitle.isEmpty())
        return u"Справка"_s;
    // The help's own contents page is titled "Справка - ...": said once, not twice.
    if (pageTitle.startsWith(u"Справка"_s))
        return pageTitle;
    return u"Справка: %1"_s.arg(pageTitle);
}

} // namespace help
