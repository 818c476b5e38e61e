// The MetaBind format: the header, the cut between script and header, and the filling of the key
// placeholders, checked against the repeated first-placeholder replacement it stands for.
#include "metabinds/metabind_format.h"
#include "language/key_names.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace metabind;

namespace {

// Replaces the first placeholder from the top again and again, the way the editor's replace-all
// step works; gives up (empty) where that would not end.
QString replaceFromTheTop(QString text, int slot, const QString& key) {
    const QString mark = placeholder(slot);
    for (int guard = 0; guard < 100000; ++guard) {
        const qsizetype at = text.indexOf(mark);
        if (at < 0)
            return text;
        text.replace(at, mark.size(), key);
    }
    return QString();
}

QString randomText(QRandomGenerator& rng, const QString& alphabet, int maxLength) {
    QString s;
    const int n = rng.bounded(maxLength + 1);
    for (int i = 0; i < n; ++i)
        s += alphabet[rng.bounded(int(alphabet.size()))];
    return s;
}

} // namespace

TEST(MetaBindFormat, HeaderValues) {
    const struct {
        QString text;
        QString name, label;
        int slotCount;
    } cases[] = {
        {u"\n\n[MetaBind]\nname=\nbut=\nlabel="_s, {}, {}, 0}, // the new-MetaBind template
        {u"x\n[MetaBind]\nname= Jump \nbut=2\nlabel=Two keys"_s, u"Jump"_s, u"Two keys"_s, 2},
        {u"x\n[mEtAbInD]\nNAME=a\nBut=3\nLABEL=b"_s, u"a"_s, u"b"_s, 3},
        {u"x\n[MetaBind]\nname=error\nbut=1\nlabel=error"_s, {}, {}, 1},
        {u"bind \"<<1>>\" \"+jump\"\nname=outside\nbut=1"_s, {}, {}, 0}, // no section
    };
    for (const auto& c : cases) {
        const Header h = readHeader(c.text);
        EXPECT_EQ(h.name, c.name) << c.text.toStdString();
        EXPECT_EQ(h.label, c.label) << c.text.toStdString();
        EXPECT_EQ(h.slotCount, c.slotCount) << c.text.toStdString();
    }
}

TEST(MetaBindFormat, SlotCountIsAnEightBitNumber) {
    const std::pair<QString, int> cases[] = {
        {u""_s, 0},           {u"abc"_s, 0},
        {u"1 2"_s, 0},        {u"12abc"_s, 0},
        {u"0"_s, 0},          {u"1"_s, 1},
        {u"007"_s, 7},        {u" 4 "_s, 4},
        {u"255"_s, 255},      {u"256"_s, 0},
        {u"300"_s, 44},       {u"0x10"_s, 16},
        {u"0X1f"_s, 31},      {u"$10"_s, 16},
        {u"$"_s, 0},          {u"0x"_s, 0},
        {u"$1G"_s, 0},        {u"-1"_s, 255},
        {u"$FFFFFF05"_s, 5},  {u"2147483647"_s, 255},
        {u"2147483648"_s, 0}, {u"99999999999999999999"_s, 0},
        {u"$100000000"_s, 0}, {u"9"_s, 9},
        {u"19"_s, 19},        {u"1a"_s, 0},
        {u"$1f"_s, 31},       {u"$1g"_s, 0},
    };
    for (const auto& [value, count] : cases)
        EXPECT_EQ(slotCountFrom(value), count) << value.toStdString();
}

TEST(MetaBindFormat, HeaderFormsAreCutInTheirOrder) {
    const std::pair<QString, QString> cases[] = {
        {u"a\nb\n[MetaBind]\nname=x"_s, u"a\nb"_s},
        {u"a\n[METABIND]\nname=x"_s, u"a"_s},
        // "[Metabind]" is tried first and wins wherever it stands.
        {u"a\n[MetaBind]\nb\n[Metabind]\nc"_s, u"a\n[MetaBind]\nb"_s},
        {u"a\n[METABIND]\nb\n[metabind]\nc"_s, u"a\n[METABIND]\nb"_s},
        // Other capitals are read as the header but not cut off.
        {u"a\n[METAbind]\nname=x"_s, u"a\n[METAbind]\nname=x"_s},
        // Only after a line break.
        {u"a [MetaBind]\nname=x"_s, u"a [MetaBind]\nname=x"_s},
        {u"\n\n[MetaBind]\nname="_s, u"\n"_s},
    };
    for (const auto& [text, script] : cases)
        EXPECT_EQ(scriptOf(text), script) << text.toStdString();
}

TEST(MetaBindFormat, FillingPutsTheKeysInPlace) {
    EXPECT_EQ(slotCaptions(2), (QStringList{u"Кнопка <<1>>"_s, u"Кнопка <<2>>"_s}));
    // No key name reads as an unassigned slot, nor could end a placeholder.
    for (const QString& key : keyNames()) {
        EXPECT_FALSE(isUnassigned(key)) << key.toStdString();
        EXPECT_FALSE(key.contains(u'>')) << key.toStdString();
    }

    const QString script = u"bind \"<<1>>\" a\nbind \"<<2>>\" b\nbind \"<<12>>\" c <<1>>"_s;
    EXPECT_EQ(fillSlots(script, {u"MOUSE1"_s, u"z"_s}),
              u"bind \"MOUSE1\" a\nbind \"z\" b\nbind \"<<12>>\" c MOUSE1"_s);
    // A key that completes a placeholder with its neighbours is replaced again.
    EXPECT_EQ(fillSlot(u"<<<<1>>>>"_s, 1, u"1"_s), u"1"_s);
    EXPECT_EQ(fillSlots(u"<<1<<1>>>>"_s, QStringList(11, u"1"_s)), u"1"_s);
    // A text that holds its own placeholder ends after one pass.
    EXPECT_EQ(fillSlot(u"a<<1>>b<<1>>"_s, 1, u"[<<1>>]"_s), u"a[<<1>>]b[<<1>>]"_s);
    // A key the console splits on would break a script that names it bare.
    for (const QString& key : {u";"_s, u"'"_s, u","_s})
        EXPECT_TRUE(slotKeyRefusal(key).contains(u"«"_s + key + u"»"_s)) << key.toStdString();
    EXPECT_TRUE(slotKeyRefusal(u"MOUSE1"_s).isEmpty());
}

TEST(MetaBindFormat, FillingMatchesTheRepeatedReplacement) {
    QRandomGenerator rng(17);
    for (int i = 0; i < 3000; ++i) {
        const QString text = randomText(rng, u"<<>>12x"_s, 24);
        const QString key = randomText(rng, u"<12x"_s, 3);
        const int slot = 1 + rng.bounded(12);
        EXPECT_EQ(fillSlot(text, slot, key), replaceFromTheTop(text, slot, key))
            << text.toStdString() << " / " << slot << " / " << key.toStdString();
    }
}

TEST(MetaBindFormat, RandomTextsReadWithoutHarm) {
    QRandomGenerator rng(1717);
    const QString alphabet = u"[]=\n <>$0x19aeMmBbIiNnDdTtLlr\u0416"_s;
    for (int i = 0; i < 4000; ++i) {
        QString text = randomText(rng, alphabet, 80);
        if (i % 2)
            text += u"\n[MetaBind]\nname=n\nbut="_s + randomText(rng, u"$0x19aF-"_s, 6);
        const Header h = readHeader(text);
        ASSERT_GE(h.slotCount, 0);
        ASSERT_LE(h.slotCount, kMaxSlots);
        const QString script = scriptOf(text);
        ASSERT_TRUE(text.startsWith(script));
        fillSlots(script, QStringList(h.slotCount, u"k"_s));
    }
}
