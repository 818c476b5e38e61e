// The font dialog's tables.
#include "platform/font_choice.h"

using namespace Qt::Literals::StringLiterals;

const std::vector<FontStyleEntry>& fontStyleEntries() {
    static const std::vector<FontStyleEntry> entries = {
        {u"Обычный"_s, false, false},
        {u"Курсив"_s, false, true},
        {u"Жирный"_s, true, false},
        {u"Жирный курсив"_s, true, true},
    };
    return entries;
}

int fontStyleIndex(const QFont& font) {
    return (font.bold() ? 2 : 0) + (font.italic() ? 1 : 0);
}

void applyFontStyleIndex(QFont& font, int index) {
    const auto& entries = fontStyleEntries();
    if (index < 0 || index >= int(entries.size()))
        return;
    font.setBold(entries[index].bold);
    font.setItalic(entries[index].italic);
}

const std::vector<NamedColor>& standardColors() {
    static const std::vector<NamedColor> colors = {
        {QColor(0, 0, 0), u"Чёрный"_s},
        {QColor(128, 0, 0), u"Бордовый"_s},
        {QColor(0, 128, 0), u"Зелёный"_s},
        {QColor(128, 128, 0), u"Оливковый"_s},
        {QColor(0, 0, 128), u"Тёмно-синий"_s},
        {QColor(128, 0, 128), u"Фиолетовый"_s},
        {QColor(0, 128, 128), u"Сине-зелёный"_s},
        {QColor(128, 128, 128), u"Серый"_s},
        {QColor(192, 192, 192), u"Серебристый"_s},
        {QColor(255, 0, 0), u"Красный"_s},
        {QColor(0, 255, 0), u"Ярко-зелёный"_s},
        {QColor(255, 255, 0), u"Жёлтый"_s},
        {QColor(0, 0, 255), u"Синий"_s},
        {QColor(255, 0, 255), u"Фуксия"_s},
        {QColor(0, 255, 255), u"Голубой"_s},
        {QColor(255, 255, 255), u"Белый"_s},
    };
    return colors;
}

int standardColorIndex(const QColor& color) {
    const auto& colors = standardColors();
    for (size_t i = 0; i < colors.size(); ++i)
        if (colors[i].color.rgb() == color.rgb())
            return int(i);
    return -1;
}

QString customColorCaption() {
    return u"Другой..."_s;
}
