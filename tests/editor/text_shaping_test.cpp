// Which texts a shaper must lay out: the edges of the ranges drawn alone, and a character that
// asks for shaping found wherever it stands in a long text.
#include "editor/text_shaping.h"

#include <QString>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {
QString one(char32_t c) {
    return QString::fromUcs4(&c, 1);
}
} // namespace

TEST(TextShaping, TheEdgesOfTheRangesDrawnAlone) {
    const char32_t alone[] = {
        0x0000, 0x0009, u'a',   0x00E9, 0x02FF, // Latin and spacing modifiers
        0x0370, 0x03C9, 0x0401, 0x044F, 0x0482, // Greek, Cyrillic
        0x048A, 0x0491, 0x052F,                 // Cyrillic after its combining marks
        0x1E00, 0x1FFF, 0x2013, 0x200B, 0x200E, // Latin and Greek extended, punctuation
        0x2029, 0x20AC, 0x20CF, 0x2116, 0x2122, // separators, currency, letterlike
        0x2500, 0x2BFF,                         // boxes, shapes, symbols
    };
    for (char32_t c : alone)
        EXPECT_FALSE(needsShaper(one(c))) << std::hex << unsigned(c);
    const char32_t shaped[] = {
        0x0300,  0x0301, 0x036F, // combining diacritics
        0x0483,  0x0489,         // Cyrillic combining marks
        0x0530,  0x05D0, 0x0627, // Armenian, Hebrew, Arabic
        0x0915,  0x0E01, 0x1DFF, // Devanagari, Thai, combining supplement
        0x200C,  0x200D,         // joiners
        0x20D0,  0x20FF,         // combining marks for symbols
        0x2C00,  0x3042, 0xFE0F, // Glagolitic, Hiragana, a variation selector
        0x1F600,                 // an emoji (a surrogate pair)
    };
    for (char32_t c : shaped)
        EXPECT_TRUE(needsShaper(one(c))) << std::hex << unsigned(c);
}

TEST(TextShaping, FindsTheOneCharacterAnywhereInALongText) {
    const QString plain = u"bind \"MOUSE3\" \"+jumpduck\" // Привет, ĀȀ ‘ok’ №1\t€"_s.repeated(5);
    EXPECT_FALSE(needsShaper(plain));
    EXPECT_FALSE(needsShaper(QString()));
    // Every position, so both the eight-at-a-time scan and the tail see it.
    for (qsizetype at = 0; at <= plain.size(); ++at) {
        QString text = plain;
        text.insert(at, QChar(0x0301));
        ASSERT_TRUE(needsShaper(text)) << at;
    }
    // Eight characters at a time and one by one give the same answer, for every code unit.
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        QString eight(8, u'a');
        eight[3] = QChar(char16_t(c));
        ASSERT_EQ(needsShaper(eight), needsShaper(QStringView(eight).mid(3, 1)))
            << std::hex << unsigned(c);
    }
}
