// Fragments, prices and label texts of the one-key scripts, and the tables they come from.
#include "engine_model.h"
#include "platform/cp1251.h"
#include "wizard/buy_tables.h"
#include "wizard/radio_tables.h"
#include "wizard/script_generator.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using script::Composition;

namespace {

std::array<bool, buy::kEquipmentCount> items(std::initializer_list<int> oneBased) {
    std::array<bool, buy::kEquipmentCount> checked{};
    for (int n : oneBased)
        checked[n - 1] = true;
    return checked;
}

} // namespace

TEST(ScriptFragments, BuildsEachFragmentFromItsTable) {
    EXPECT_EQ(script::rifleFragment(1), u"buy;ww;menuselect 4;ww;menuselect 1;ww;slot10;"_s);
    EXPECT_EQ(script::pistolFragment(2), u"buy;ww;menuselect 1;ww;menuselect 3;ww;slot10;"_s);
    EXPECT_EQ(script::ammunitionFragment(3),
              u"buy;ww;menuselect 6;ww;slot10;buy;ww;menuselect 7;ww;slot10;"_s);
    EXPECT_EQ(script::equipmentFragment(items({2, 4})),
              u"buy;ww;menuselect 8;ww;menuselect 2;ww;slot10;"
              u"buy;ww;menuselect 8;ww;menuselect 4;ww;slot10;"_s);
    EXPECT_EQ(script::radioFragment(8), u"radio2;ww;menuselect 1;ww;slot10;"_s);
    EXPECT_EQ(script::radioFragment(23), u"radio3;ww;menuselect 9;ww;slot10;"_s);
    // The last row of each weapon table is bought too.
    EXPECT_EQ(script::rifleFragment(16), u"buy;ww;menuselect 2;ww;menuselect 2;ww;slot10;"_s);
    EXPECT_EQ(script::pistolFragment(6), u"buy;ww;menuselect 1;ww;menuselect 1;ww;slot10;"_s);

    // Empty entries, separators and "Без патронов" give nothing; so do indexes off the table.
    for (int none : {0, -1, 17})
        EXPECT_TRUE(script::rifleFragment(none).isEmpty()) << none;
    EXPECT_TRUE(script::pistolFragment(7).isEmpty());
    EXPECT_TRUE(script::ammunitionFragment(0).isEmpty());
    for (int none : {0, 7, 14, 24})
        EXPECT_TRUE(script::radioFragment(none).isEmpty()) << none;
    EXPECT_TRUE(script::equipmentFragment({}).isEmpty());
}

TEST(ScriptFragments, ChatGoesToTeamOrAllAndIsRefusedWithQuoteOrSemicolon) {
    EXPECT_EQ(script::chatFragment(u"go"_s, true), u"say_team go"_s);
    EXPECT_EQ(script::chatFragment(u"всем привет"_s, false), u"say всем привет"_s);
    EXPECT_TRUE(script::chatFragment(QString(), true).isEmpty());

    EXPECT_TRUE(script::chatTextIsSafe(u"go go, go!"_s));
    EXPECT_FALSE(script::chatTextIsSafe(u"say \"hi"_s));
    EXPECT_FALSE(script::chatTextIsSafe(u"hi;quit"_s));
    const QString message = script::unsafeChatTextMessage();
    EXPECT_TRUE(message.contains(u"(\")"_s) && message.contains(u"(;)"_s)) << message.toStdString();
}

// What the game sends of a chat text the BIND button takes, read from the message alias's body
// as the console runs it; the texts it sends nothing of are refused.
TEST(ScriptFragments, AChatTextTheGameWouldNotSendIsRefused) {
    struct Case {
        QString text;
        QString sent; // the words the game reads after "say", joined by blanks
        bool refused;
    };
    const Case cases[] =
        {
            {u"gg"_s, u"gg"_s, false},       {u"// gg"_s, u""_s, true},
            {u"//gg"_s, u""_s, true},        {u"  // gg"_s, u""_s, true},
            {u"- // gg"_s, u"-"_s, false}, // the rest of the line is sent as typed
            {u"gg // wp"_s, u"gg"_s, false}, {u"a//b"_s, u"a//b"_s, false},
            {u"/ /"_s, u"/ /"_s, false},
        };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QList<enginemodel::Words> run =
            enginemodel::commands(cp1251::encode(script::chatFragment(c.text, false)));
        ASSERT_EQ(run.size(), 1);
        QStringList words;
        for (const QByteArray& w : run.first().mid(1))
            words.append(cp1251::decode(w));
        EXPECT_EQ(words.join(u' '), c.sent);
        EXPECT_EQ(script::chatTextIsComment(c.text), c.refused);
    }
    EXPECT_EQ(script::commentChatTextMessage(),
              u"Текст сообщения начинается с «//»: игра прочтёт его как комментарий и ничего не "
              u"отправит. Начните текст с латинской буквы, цифры или другого знака (например, "
              u"«- ») и нажмите BIND ещё раз."_s);

    // Any text of blanks, slashes, letters and Russian ones: what is taken sends at least a
    // word; what is refused as a comment sends none.
    const QString pieces[] = {u"//"_s, u"/"_s, u" "_s, u"gg"_s, u"Ж"_s, u"-"_s, u"\t"_s};
    QRandomGenerator random(3);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        for (int i = random.bounded(1, 6); i > 0; --i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        const QList<enginemodel::Words> run =
            enginemodel::commands(cp1251::encode(script::chatFragment(text, true)));
        const bool sendsAWord = !run.isEmpty() && run.first().size() >= 2;
        if (script::chatTextIsComment(text)) {
            ASSERT_FALSE(sendsAWord) << qPrintable(text);
        } else if (script::chatTextIsSent(text) && !text.trimmed().isEmpty()) {
            ASSERT_TRUE(sendsAWord) << qPrintable(text);
        }
    }
}

TEST(ScriptFragments, CostsAndLabelTexts) {
    // AK, Desert Eagle, the vest with helmet and a HE grenade.
    EXPECT_EQ(script::costText(script::longArmCost(1) + script::pistolCost(2) +
                               script::equipmentCost(items({2, 4}))),
              u"4450$"_s);
    // Everything the vest exclusion allows.
    EXPECT_EQ(script::equipmentCost(items({2, 3, 4, 5, 6, 7})), 3250);
    EXPECT_EQ(script::equipmentCost(items({1, 3, 4, 5, 6, 7})), 2900);
    EXPECT_EQ(script::longArmCost(0), 0);
    EXPECT_EQ(script::costText(0), u"0$"_s);

    EXPECT_EQ(script::ammunitionRangeText(3), u"от 40 до 620$"_s);
    EXPECT_EQ(script::ammunitionRangeText(0), u"0$"_s);
    EXPECT_EQ(script::ammunitionRangeText(-1), u"0$"_s);
}

TEST(ScriptFragments, VestsExcludeEachOther) {
    auto checked = items({1, 2, 4});
    script::applyVestExclusion(checked, buy::kKevlarVest);
    EXPECT_EQ(checked, items({1, 4}));
    checked = items({1, 2});
    script::applyVestExclusion(checked, buy::kKevlarVestHelmet);
    EXPECT_EQ(checked, items({2}));
    checked = items({1, 2, 3});
    script::applyVestExclusion(checked, 2); // a grenade highlighted: the vests stay
    EXPECT_EQ(checked, items({1, 2, 3}));
}

TEST(ScriptFragments, TablesHaveTheirSizesAndPictures) {
    EXPECT_EQ(buy::longArms().size(), 16u);
    EXPECT_EQ(buy::pistols().size(), 6u);
    EXPECT_EQ(buy::ammunition().size(), 7u);
    EXPECT_EQ(buy::equipment().size(), 7u);
    EXPECT_EQ(radio::messages().size(), 24u);
    // Every picture the page can show is shipped.
    const QString programDir = QStringLiteral(TESSERA_SOURCE_DIR "/data/");
    auto shipped = [&](const QString& name) {
        return QFile::exists(buy::picturePath(ProgramHome::portable(programDir), name));
    };
    for (const auto& gun : buy::longArms())
        EXPECT_TRUE(shipped(gun.pictureName)) << gun.pictureName.toStdString();
    for (const auto& gun : buy::pistols())
        EXPECT_TRUE(shipped(gun.pictureName)) << gun.pictureName.toStdString();
    for (const auto& item : buy::equipment())
        EXPECT_TRUE(shipped(item.pictureName)) << item.pictureName.toStdString();
}

TEST(ScriptFragments, RadioSoundFileIsFoundWithoutRegardToCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"Sound/RADIO"_s));
    QFile wav(dir.path() + u"/Sound/RADIO/COM_GO.WAV"_s);
    ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
    wav.close();
    EXPECT_EQ(radio::soundFile(dir.path(), 8), wav.fileName());
    EXPECT_TRUE(radio::soundFile(dir.path(), 9).isEmpty()); // fallback.wav missing
    EXPECT_TRUE(radio::soundFile(dir.path(), 7).isEmpty()); // a separator
    EXPECT_TRUE(radio::soundFile(QString(), 8).isEmpty());
    // The demo game has every message's sound.
    const QString demo = QStringLiteral(TESSERA_SOURCE_DIR "/demo/Half-Life/cstrike");
    for (int i = 0; i < int(radio::messages().size()); ++i)
        EXPECT_EQ(radio::soundFile(demo, i).isEmpty(), radio::messages()[i].sendsNothing()) << i;
}

TEST(ScriptFragments, AliasBlockHasFourCases) {
    const auto names = script::aliasNamesFor(u"F"_s);
    EXPECT_EQ(names.main, u"\"Kaz-f\""_s);
    script::Fragments f;
    f.rifle = u"R;"_s;
    f.equipment = u"E;"_s;
    f.radio = u"M;"_s;
    EXPECT_EQ(script::aliasBlock(names, f),
              (QStringList{u"alias \"Kaz-f_equip\" \"E;\""_s, u"alias \"Kaz-f_mes\" \"M;\""_s,
                           u"alias \"Kaz-f\" \"R;Kaz-f_equip;Kaz-f_mes\""_s}));
    f.radio.clear();
    EXPECT_EQ(script::aliasBlock(names, f), (QStringList{u"alias \"Kaz-f_equip\" \"E;\""_s,
                                                         u"alias \"Kaz-f\" \"R;Kaz-f_equip\""_s}));
    f.equipment.clear();
    f.chat = u"say hi"_s;
    EXPECT_EQ(script::aliasBlock(names, f), (QStringList{u"alias \"Kaz-f_mes\" \"say hi\""_s,
                                                         u"alias \"Kaz-f\" \"R;Kaz-f_mes\""_s}));
    EXPECT_EQ(script::aliasBlock(names, script::Fragments{}),
              QStringList{u"alias \"Kaz-f\" \"\""_s});
}
