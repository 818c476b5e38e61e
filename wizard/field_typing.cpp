// Typing into the wizard's fields.
#include "wizard/field_typing.h"

using namespace Qt::Literals::StringLiterals;

TypedField fixTypedField(const QString& text, int cursor, bool number) {
    TypedField fixed;
    fixed.cursor = cursor;
    fixed.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            fixed.quoteRefused = true;
            if (i < cursor)
                --fixed.cursor;
            continue;
        }
        fixed.text.append(number && c == u',' ? QChar(u'.') : c);
    }
    return fixed;
}

QString quoteRefusedNote() {
    return u"Двойную кавычку (\") сюда вписать нельзя: в конфиге она оборвала бы значение."_s;
}
