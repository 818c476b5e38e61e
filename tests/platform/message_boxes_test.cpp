// The program's own message boxes: what their buttons say and which one Enter presses.
#include "platform/qt_user_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Seen {
    QStringList buttons;
    QString defaultButton;
};

// Looks at the box the next question opens, then presses its button captioned `press`.
void answerNextBox(Seen& seen, const QString& press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        for (QAbstractButton* b : box->buttons())
            seen.buttons.append(b->text());
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press)
                b->click();
    });
}

} // namespace

TEST(MessageBoxes, ADeletionQuestionDefaultsToNo) {
    QtUserDialogs dialogs;
    Seen seen;
    answerNextBox(seen, u"Да"_s);
    EXPECT_EQ(dialogs.confirmDestructive(u"Удалить файл \"a.dlz\"?"_s), UserDialogs::Answer::Yes);
    EXPECT_EQ(seen.defaultButton, u"Нет"_s);
}

TEST(MessageBoxes, AChoiceOfThreeShowsItsOwnCaptions) {
    QtUserDialogs dialogs;
    Seen seen;
    answerNextBox(seen, u"Сохранить поверх"_s);
    EXPECT_EQ(dialogs.chooseOfThree(u"Файл изменён другой программой."_s, u"Загрузить заново"_s,
                                    u"Сохранить поверх"_s, u"Отмена"_s),
              UserDialogs::Answer::No);
    seen.buttons.sort();
    EXPECT_EQ(seen.buttons,
              (QStringList{u"Загрузить заново"_s, u"Отмена"_s, u"Сохранить поверх"_s}));
    EXPECT_EQ(seen.defaultButton, u"Отмена"_s);
}
