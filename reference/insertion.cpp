// Building the inserted text.
#include "reference/insertion.h"

#include "language/config_commands.h"
#include "reference/reference_tables.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString quoted(const QString& text) {
    return commandValueText(text);
}

// The inline form: bare where the console reads the word back as it is, else in quotes.
QString word(const QString& text) {
    return commandValueText(text, true);
}

} // namespace

std::optional<Insertion> buildInsertion(int mode, int column, const InsertionPieces& p) {
    const bool inlineForm = column >= kInlineColumn;
    switch (mode) {
    case insert_mode::kVariable:
        if (inlineForm)
            return Insertion{p.entry + u" ;"_s, true};
        return Insertion{p.entry + u" \"\""_s, true};
    case insert_mode::kCommand:
        return Insertion{p.entry + u" ;"_s, false};
    case insert_mode::kBind:
        if (inlineForm)
            return Insertion{u"bind "_s + word(p.key) + u" ;"_s, true};
        return Insertion{u"bind "_s + quoted(p.key) + u" \"\""_s, true};
    case insert_mode::kSetinfo:
        if (inlineForm)
            return Insertion{u"setinfo "_s + word(p.parameter) + u' ' + word(p.value) + u';',
                             false};
        return Insertion{u"setinfo "_s + quoted(p.parameter) + u' ' + quoted(p.value), false};
    case insert_mode::kAlias:
        if (inlineForm)
            return Insertion{u"alias "_s + word(p.aliasName) + u" ;"_s, true};
        return Insertion{u"alias "_s + quoted(p.aliasName) + u" \"\""_s, true};
    default:
        return std::nullopt;
    }
}

namespace {

// Why a field cannot go into a command, or an empty string.
QString fieldRefusal(const QString& field, const QString& text, int maxBytes) {
    if (!valueFitsInQuotes(text))
        return u"Поле «%1» не может содержать двойную кавычку (\"): в консоли игры она оборвёт "
               u"значение. Уберите её и нажмите OK ещё раз."_s.arg(field);
    if (console::byteLength(text, console::Bytes::Single) > maxBytes)
        return u"Поле «%1» длиннее %2 знаков: игра его не примет. Сократите его и нажмите OK "
               u"ещё раз."_s.arg(field)
            .arg(maxBytes);
    return {};
}

} // namespace

QString insertionRefusal(int mode, const InsertionPieces& p) {
    if (mode == insert_mode::kSetinfo) {
        if (QString r = fieldRefusal(u"Параметр"_s, p.parameter, console::kWordBytes); !r.isEmpty())
            return r;
        if (QString r = fieldRefusal(u"Значение"_s, p.value, console::kWordBytes); !r.isEmpty())
            return r;
        // Fields that fit each may still make a line the console cuts; the line form, both
        // fields in quotes, is the longer of the two forms.
        const QString line = buildInsertion(mode, 0, p)->text;
        if (readCommand(line, 0, console::Bytes::Single, [](const CommandWord&) {}).cut)
            return u"Строка setinfo длиннее %1 знаков: игра выполнит только её начало. Сократите "
                   u"поле «Параметр» или «Значение» и нажмите OK ещё раз."_s.arg(
                       console::kCommandBytes);
        return {};
    }
    if (mode == insert_mode::kAlias)
        return fieldRefusal(u"Имя алиаса"_s, p.aliasName, console::kAliasNameBytes);
    return {};
}

int listInsertMode(int lastRefPage) {
    return lastRefPage == kLastRefPageCmd ? insert_mode::kCommand : insert_mode::kVariable;
}
