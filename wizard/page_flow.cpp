// The wizard's page flow table and the forward and back steps.
#include "wizard/page_flow.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace wizard {

namespace {

const QString kNext = u"Далее>>"_s;

// Pages 2 and 3 leave the section caption alone; so page 6 keeps "Настройки сервера:" when
// reached from page 5 and "Настройки:" when reached back from page 7.
const std::array<PageShowRule, kPageCount>& rules() {
    static const std::array<PageShowRule, kPageCount> table{{
        {u"Каталог и файл"_s, u"Выбор конфига"_s, u"Настройки клиента:"_s, kNext, {}, false},
        {u"Главные настройки"_s, u"Стандартные настройки"_s, {}, {}, {}, true},
        {u"Видео настройки"_s, u"Видео настройки"_s, {}, {}, {}, {}},
        {u"Другие настройки"_s, u"Другие настройки"_s, u"Настройки клиента:"_s, {}, {}, {}},
        {u"Настройки времени"_s, u"Настройки времени"_s, u"Настройки сервера:"_s, {}, {}, {}},
        {u"Команда и игроки"_s, u"Команда и игроки"_s, {}, {}, {}, {}},
        {u"Другие настройки"_s, u"Различные настройки"_s, u"Настройки:"_s, kNext, {}, {}},
        {u"Соединение"_s, u"Соединение"_s, u"Настройки:"_s, u"Клавиши"_s, {}, true},
        {u"Кнопки"_s, u"Клавиши движения, покупки и сообщений"_s, {}, kNext, {}, true},
        {u"Кнопки2"_s, u"Клавиши других действий"_s, {}, kNext, true, true},
        {u"Кнопки3"_s, u"Клавиши радио и сообщений"_s, {}, {}, false, true},
    }};
    return table;
}

} // namespace

const PageShowRule& pageShowRule(int page) {
    return rules().at(static_cast<size_t>(page));
}

bool PageFlow::show(int page) {
    const PageShowRule& rule = pageShowRule(page);
    m_view.currentPage = page;
    if (rule.label32)
        m_view.label32 = *rule.label32;
    if (rule.label3)
        m_view.label3 = *rule.label3;
    if (rule.button2Caption)
        m_view.button2Caption = *rule.button2Caption;
    if (rule.button2Enabled)
        m_view.button2Enabled = *rule.button2Enabled;
    if (rule.button3Enabled)
        m_view.button3Enabled = *rule.button3Enabled;
    if (page != 0)
        return false;
    m_view.button2Bold = false;
    m_view.button56Visible = true;
    return !m_internalPageSwitch;
}

ForwardStep PageFlow::forward(int pageShown, bool fileChosen) {
    ForwardStep step;
    if (!fileChosen) {
        step.refused = true;
        return step;
    }
    step.readSettings = pageShown == 0;
    if (m_view.currentPage < kLastPage) {
        step.pageToShow = m_view.currentPage + 1;
        m_view.button56Visible = false;
    }
    return step;
}

ForwardStep PageFlow::jumpToKeys(bool fileChosen) {
    ForwardStep step;
    if (!fileChosen) {
        step.refused = true;
        return step;
    }
    step.readSettings = true;
    step.pageToShow = kFirstKeyPage;
    m_view.button56Visible = false;
    return step;
}

int PageFlow::back() const {
    return m_view.currentPage > 0 ? m_view.currentPage - 1 : -1;
}

void PageFlow::fileChosen() {
    m_view.button2Enabled = true;
    m_view.button56Enabled = true;
}

void PageFlow::fileDropped() {
    m_view.button2Enabled = false;
    m_view.button56Enabled = false;
}

QString keyPagesNote() {
    return u"Все изменения настройки клавиш и вставка МетаБиндов\n"
           u"вступят в действие после нажатия \"Применить настройки\""_s;
}

QString chooseConfigFirstMessage() {
    return u"Сначала выберите конфиг для настройки!"_s;
}

} // namespace wizard
