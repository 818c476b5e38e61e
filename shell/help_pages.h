// The help pages shipped beside the program, and what to say when one is missing.
#pragma once

#include <QString>

namespace help {

// The path of `page` ("help.html", "faq.html#keys") in the help folder `folder`, without the
// part after "#".
QString pagePath(const QString& folder, const QString& page);
// The text shown in place of a page that is not there.
QString missingPageText(const QString& path);
// The help window's caption for a page's title (the page's file name when it has none).
QString windowCaption(const QString& pageTitle);

} // namespace help
