// The wizard's page flow as a table: the bottom row each page leaves, the forward and back
// steps, and what the first page's handler does to the used-key list.
#include "wizard/page_flow.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using wizard::PageFlow;

namespace {

struct Expected {
    int page;
    QString label3;
    QString label32;
    QString button2;
    bool button2Enabled;
    bool button3Enabled;
};

} // namespace

TEST(WizardPageFlow, WalkingForwardThroughEveryPageSetsTheBottomRow) {
    PageFlow flow;
    EXPECT_EQ(flow.view().button2Caption, u"Далее >>"_s); // the design caption, never shown
    flow.show(0);
    flow.fileChosen();
    const Expected pages[] = {
        {0, u"Настройки клиента:"_s, u"Выбор конфига"_s, u"Далее>>"_s, true, false},
        {1, u"Настройки клиента:"_s, u"Стандартные настройки"_s, u"Далее>>"_s, true, true},
        {2, u"Настройки клиента:"_s, u"Видео настройки"_s, u"Далее>>"_s, true, true},
        {3, u"Настройки клиента:"_s, u"Другие настройки"_s, u"Далее>>"_s, true, true},
        {4, u"Настройки сервера:"_s, u"Настройки времени"_s, u"Далее>>"_s, true, true},
        {5, u"Настройки сервера:"_s, u"Команда и игроки"_s, u"Далее>>"_s, true, true},
        {6, u"Настройки:"_s, u"Различные настройки"_s, u"Далее>>"_s, true, true},
        {7, u"Настройки:"_s, u"Соединение"_s, u"Клавиши"_s, true, true},
        {8, u"Настройки:"_s, u"Клавиши движения, покупки и сообщений"_s, u"Далее>>"_s, true, true},
        {9, u"Настройки:"_s, u"Клавиши других действий"_s, u"Далее>>"_s, true, true},
        {10, u"Настройки:"_s, u"Клавиши радио и сообщений"_s, u"Далее>>"_s, false, true},
    };
    for (const Expected& e : pages) {
        SCOPED_TRACE(e.page);
        EXPECT_EQ(flow.currentPage(), e.page);
        EXPECT_EQ(flow.view().label3, e.label3);
        EXPECT_EQ(flow.view().label32, e.label32);
        EXPECT_EQ(flow.view().button2Caption, e.button2);
        EXPECT_EQ(flow.view().button2Enabled, e.button2Enabled);
        EXPECT_EQ(flow.view().button3Enabled, e.button3Enabled);
        const wizard::ForwardStep step = flow.forward(e.page, true);
        EXPECT_FALSE(step.refused);
        EXPECT_EQ(step.readSettings, e.page == 0);
        EXPECT_EQ(step.pageToShow, e.page < 10 ? e.page + 1 : -1);
        EXPECT_FALSE(flow.view().button56Visible);
        if (step.pageToShow >= 0)
            flow.show(step.pageToShow);
    }
}

TEST(WizardPageFlow, SectionCaptionKeepsTheTextOfTheLastPageThatSetIt) {
    PageFlow flow;
    for (int p : {0, 1, 2, 3, 4, 5})
        flow.show(p);
    EXPECT_EQ(flow.view().label3, u"Настройки сервера:"_s); // page 6 reached from page 5
    flow.show(6);
    flow.show(flow.back());
    EXPECT_EQ(flow.currentPage(), 5);
    EXPECT_EQ(flow.view().label3, u"Настройки:"_s); // page 6 reached back from page 7
    flow.show(10);
    EXPECT_FALSE(flow.view().button2Enabled);
    flow.show(flow.back());
    EXPECT_TRUE(flow.view().button2Enabled); // page 10 enables it again
}

TEST(WizardPageFlow, ForwardButtonsRefuseWithoutAFileAndKeysJumpsToTheFirstKeyPage) {
    PageFlow flow;
    flow.show(0);
    EXPECT_FALSE(flow.view().button2Enabled);
    EXPECT_FALSE(flow.view().button56Enabled);
    EXPECT_TRUE(flow.forward(0, false).refused);
    EXPECT_TRUE(flow.jumpToKeys(false).refused);
    EXPECT_TRUE(flow.view().button56Visible);
    EXPECT_EQ(flow.back(), -1);

    flow.fileChosen();
    const wizard::ForwardStep keys = flow.jumpToKeys(true);
    EXPECT_TRUE(keys.readSettings);
    EXPECT_EQ(keys.pageToShow, wizard::kFirstKeyPage);
    EXPECT_FALSE(flow.view().button56Visible);
    flow.show(keys.pageToShow);
    EXPECT_EQ(flow.back(), 7);
    EXPECT_EQ(wizard::chooseConfigFirstMessage(), u"Сначала выберите конфиг для настройки!"_s);
}

TEST(WizardPageFlow, FirstPageEmptiesTheUsedKeysOnlyOutsideDocumentWork) {
    PageFlow flow;
    flow.show(7);
    flow.hideKeysButton();
    EXPECT_TRUE(flow.show(0));
    EXPECT_TRUE(flow.view().button56Visible);
    flow.setInternalPageSwitch(true);
    EXPECT_FALSE(flow.show(0));
    EXPECT_FALSE(flow.show(3)); // other pages never touch the key lists
}
