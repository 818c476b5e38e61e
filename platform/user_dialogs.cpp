// Helpers shared by every UserDialogs implementation.
#include "platform/user_dialogs.h"

using namespace Qt::Literals::StringLiterals;

QStringList qtNameFilters(const QString& windowsFilter) {
    QStringList result;
    const QStringList parts = windowsFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& desc = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        // Qt reads the patterns from the parentheses; a description without them gets them added.
        result.append(desc.contains(u'(') ? desc : desc + u" ("_s + patterns + u")"_s);
    }
    return result;
}
