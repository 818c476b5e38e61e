// Building the inserted text.
#include "reference/insertion.h"

#include "reference/reference_tables.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString quoted(const QString& text) {
    return u'"' + text + u'"';
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
            return Insertion{u"bind "_s + p.key + u" ;"_s, true};
        return Insertion{u"bind "_s + quoted(p.key) + u" \"\""_s, true};
    case insert_mode::kSetinfo:
        if (inlineForm)
            return Insertion{u"setinfo "_s + p.parameter + u' ' + p.value + u';', false};
        return Insertion{u"setinfo "_s + quoted(p.parameter) + u' ' + quoted(p.value), false};
    case insert_mode::kAlias:
        if (inlineForm)
            return Insertion{u"alias "_s + p.aliasName + u" ;"_s, true};
        return Insertion{u"alias "_s + quoted(p.aliasName) + u" \"\""_s, true};
    default:
        return std::nullopt;
    }
}

int listInsertMode(int lastRefPage) {
    return lastRefPage == kLastRefPageCmd ? insert_mode::kCommand : insert_mode::kVariable;
}
