// What the value list inserts: the text of each insertion by mode and caret column; the key
// list; what an entry click looks up or shows; the pop-up's outline.
#include "language/config_commands.h"
#include "language/key_names.h"
#include "print_qstring.h"
#include "reference/entry_details.h"
#include "reference/insertion.h"
#include "reference/popup_shape.h"

#include <QColor>
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Row {
    int mode;
    int column;
    const char16_t* text;
    bool caretOneLeft;
};

InsertionPieces pieces() {
    InsertionPieces p;
    p.entry = u"cl_bob"_s;
    p.key = u"MOUSE1"_s;
    p.parameter = u"_ah"_s;
    p.value = u"1"_s;
    p.aliasName = u"+jump2"_s;
    return p;
}

} // namespace

TEST(Insertion, EveryModeInItsLineAndInlineForm) {
    const Row rows[] = {
        {1, 0, u"cl_bob \"\"", true},
        {1, 7, u"cl_bob \"\"", true},
        {1, 8, u"cl_bob ;", true},
        {2, 0, u"cl_bob ;", false},
        {2, 7, u"cl_bob ;", false},
        {2, 30, u"cl_bob ;", false},
        {5, 7, u"bind \"MOUSE1\" \"\"", true},
        {5, 8, u"bind MOUSE1 ;", true},
        {6, 7, u"setinfo \"_ah\" \"1\"", false},
        {6, 8, u"setinfo _ah 1;", false},
        {7, 0, u"alias \"+jump2\" \"\"", true},
        {7, 8, u"alias +jump2 ;", true},
    };
    for (const Row& row : rows) {
        const auto made = buildInsertion(row.mode, row.column, pieces());
        ASSERT_TRUE(made.has_value()) << row.mode << " at " << row.column;
        EXPECT_EQ(made->text, QString::fromUtf16(row.text)) << row.mode << " at " << row.column;
        EXPECT_EQ(made->caretOneLeft, row.caretOneLeft) << row.mode << " at " << row.column;
    }
}

// Every value inserted reads back through the console as the field held it; what cannot is
// refused with the field named.
TEST(Insertion, ValuesReadBackAsTheyStandOrAreRefused) {
    InsertionPieces p = pieces();
    p.key = u";"_s;
    p.parameter = u"_pw"_s;
    p.value = u"пароль админа"_s;
    p.aliasName = u"fire(1)"_s;
    EXPECT_EQ(buildInsertion(5, 8, p)->text, u"bind \";\" ;"_s);
    EXPECT_EQ(buildInsertion(6, 8, p)->text, u"setinfo _pw \"пароль админа\";"_s);
    EXPECT_EQ(buildInsertion(7, 8, p)->text, u"alias \"fire(1)\" ;"_s);
    EXPECT_TRUE(insertionRefusal(6, p).isEmpty());
    p.value = u"a\"b"_s;
    EXPECT_TRUE(insertionRefusal(6, p).contains(u"«Значение»"_s));
    p.aliasName = QString(32, u'a');
    EXPECT_TRUE(insertionRefusal(7, p).contains(u"«Имя алиаса»"_s));
    p.aliasName = QString(31, u'a');
    EXPECT_TRUE(insertionRefusal(7, p).isEmpty());
}

// Fields under their own limit may still make a setinfo line the console cuts at 1023 bytes:
// that is refused, naming the limit; a line of exactly 1023 is inserted and reads back whole.
TEST(Insertion, ASetinfoLineOverTheConsolesLineIsRefused) {
    const QString refusal =
        u"Строка setinfo длиннее 1023 знаков: игра выполнит только её начало. Сократите поле "
        u"«Параметр» или «Значение» и нажмите OK ещё раз."_s;
    struct Case {
        int parameter, value; // lengths; the line form is 13 characters more
        bool refused;
    };
    const Case cases[] = {{510, 510, true}, {505, 505, false}, {506, 505, true},
                          {505, 506, true}, {1, 509, false},   {514, 496, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.parameter) + " + " + std::to_string(c.value));
        InsertionPieces p = pieces();
        p.parameter = QString(c.parameter, u'p');
        p.value = QString(c.value, u'v');
        EXPECT_EQ(insertionRefusal(6, p), c.refused ? refusal : QString());
        if (c.refused)
            continue;
        for (const int column : {0, 8}) {
            const QString line = buildInsertion(6, column, p)->text;
            QStringList words;
            const CommandReading r =
                readCommand(line, 0, console::Bytes::Single, [&](const CommandWord& w) {
                    words.append(line.mid(w.textStart(), w.textLength()));
                });
            EXPECT_FALSE(r.cut);
            EXPECT_EQ(words, (QStringList{u"setinfo"_s, p.parameter, p.value}));
        }
    }
    // A field over its own limit is named first.
    InsertionPieces p = pieces();
    p.parameter = QString(515, u'p');
    p.value = QString(510, u'v');
    EXPECT_EQ(insertionRefusal(6, p),
              u"Поле «Параметр» длиннее 514 знаков: игра его не примет. Сократите его и нажмите "
              u"OK ещё раз."_s);
}

TEST(Insertion, UnknownModesInsertNothing) {
    for (int mode : {0, 3, 4, 8, -1})
        EXPECT_FALSE(buildInsertion(mode, 0, pieces()).has_value()) << mode;
}

TEST(KeyList, HoldsTheKeysInOrderOnce) {
    const QStringList& keys = keyNames();
    ASSERT_EQ(keys.size(), kKeyCount);
    EXPECT_EQ(keys.first(), u"SHIFT"_s);
    EXPECT_EQ(keys.last(), u"KP_SLASH"_s);
    EXPECT_EQ(keys.mid(20, 10).join(QString()), u"1234567890"_s);
    EXPECT_EQ(keys.mid(30, 26).join(QString()), u"abcdefghijklmnopqrstuvwxyz"_s);
    EXPECT_EQ(keys.mid(56, 13).join(QString()), u"-=+`~\\[];',./"_s);
    EXPECT_EQ(keys[69], u"F1"_s);
    EXPECT_EQ(keys[80], u"F12"_s);
    EXPECT_EQ(keys[keys.indexOf(u"KP_5"_s) + 1], u"*"_s);
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
}

TEST(EntryDetails, TheLibraryAskedFirst) {
    const QString program = u"/p/"_s;
    const QString library = program + u"dlls/dlz/rates.v2.dlz"_s;
    const QString command = program + u"dlls/Stcmd.dll"_s;
    // Off the library page no library file is asked.
    EXPECT_EQ(explanationLibrary(false, u"rates"_s, library), QString());
    EXPECT_EQ(explanationLibrary(true, u"chosen"_s, library), u"chosen"_s);
    // The page lost its selection: the library the list came from.
    EXPECT_EQ(explanationLibrary(true, QString(), library), u"rates.v2"_s);
    EXPECT_EQ(explanationLibrary(true, QString(), program + u"DLLS/DLZ/Net.DLZ"_s), u"Net"_s);
    EXPECT_EQ(explanationLibrary(true, QString(), command), QString());
    EXPECT_EQ(explanationLibrary(true, QString(), program + u"other/dlz/x.dlz"_s), QString());
}

TEST(EntryDetails, PicturesFitThePopUpAndBadNamesAreRefused) {
    QImage wide(200, 120, QImage::Format_RGB32);
    wide.fill(Qt::red);
    EXPECT_EQ(fitPicture(wide, QSize(205, 65)).size(), QSize(108, 65));
    QImage small(50, 20, QImage::Format_RGB32);
    EXPECT_EQ(fitPicture(small, QSize(205, 65)).size(), QSize(50, 20));

    for (const QString& entry : {QString(), u"../../secret"_s, u"a\\b"_s}) {
        const WeaponPicture picture =
            loadWeaponPicture(ProgramHome::portable(u"/nowhere/"_s), entry);
        EXPECT_FALSE(picture.ok());
        EXPECT_EQ(picture.error, u"Ненайден файл соответствующий значению "_s + entry);
    }
}

TEST(PopupShape, CornersAreCutByTheirEllipses) {
    const QRegion region = roundedRegion(QSize(225, 85));
    EXPECT_TRUE(region.contains(QPoint(112, 42)));
    EXPECT_TRUE(region.contains(QPoint(112, 1)));
    EXPECT_TRUE(region.contains(QPoint(1, 42)));
    // The corner ellipse is 35 wide and 25 high: its corner pixel lies outside the shape.
    EXPECT_FALSE(region.contains(QPoint(1, 1)));
    EXPECT_FALSE(region.contains(QPoint(223, 83)));
    EXPECT_TRUE(region.contains(QPoint(17, 12)));
    EXPECT_LE(region.boundingRect().right(), 224);
    EXPECT_LE(region.boundingRect().bottom(), 84);
}
