// What the wizard's fields make of typed text.
#include "print_qstring.h"
#include "wizard/field_typing.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(FieldTyping, QuotesAreRefusedAndNumberFieldsTakeACommaAsAPoint) {
    const struct {
        QString typed;
        int cursor;
        bool number;
        QString text;
        int cursorAfter;
        bool refused;
    } cases[] = {
        {u"2,5"_s, 2, true, u"2.5"_s, 2, false},
        {u"2,5"_s, 2, false, u"2,5"_s, 2, false}, // a name may hold a comma
        {u"The \"Pro\""_s, 9, false, u"The Pro"_s, 7, true},
        {u"ab\"c"_s, 3, false, u"abc"_s, 2, true}, // the caret stays after what was typed
        {u"\"1,5"_s, 0, true, u"1.5"_s, 0, true},  // a quote after the caret leaves it be
        {u"1.5"_s, 3, true, u"1.5"_s, 3, false},
        {QString(), 0, true, QString(), 0, false},
    };
    for (const auto& c : cases) {
        const TypedField fixed = fixTypedField(c.typed, c.cursor, c.number);
        EXPECT_EQ(fixed.text, c.text) << c.typed.toStdString();
        EXPECT_EQ(fixed.cursor, c.cursorAfter) << c.typed.toStdString();
        EXPECT_EQ(fixed.quoteRefused, c.refused) << c.typed.toStdString();
    }
}
