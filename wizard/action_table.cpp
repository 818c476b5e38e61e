// The action table.
#include "wizard/action_table.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr const char16_t* kMovement = u"Кнопки движения:";
constexpr const char16_t* kNone = u"";
constexpr const char16_t* kUpDown = u"Подъем:";
constexpr const char16_t* kTurn = u"Поворот:";
constexpr const char16_t* kMenu = u"Меню:";
constexpr const char16_t* kWeapons = u"Смена, выброс и перезарядка оружия";
constexpr const char16_t* kRadio = u"Радио и сообщения";

// clang-format off
constexpr std::array kRows = {
    // Page 9: the movement cross; its heading stands over all four.
    ActionRow{9, u"Button4", u"", u"", kMovement, 0, u"\"+forward\"", false},
    ActionRow{9, u"Button5", u"", u"", kMovement, 0, u"\"+moveleft\"", false},
    ActionRow{9, u"Button6", u"", u"", kMovement, 0, u"\"+back\"", false},
    ActionRow{9, u"Button7", u"", u"", kMovement, 0, u"\"+moveright\"", false},
    // Page 10, first column.
    ActionRow{10, u"Button9", u"lb9", u"Атака:", kNone, 0, u"\"+attack\"", false},
    ActionRow{10, u"Button10", u"lb10", u"Оптика:", kNone, 0, u"\"+attack2\"", false},
    ActionRow{10, u"Button11", u"lb11", u"Прыжок:", kNone, 0, u"\"+jump\"", false},
    ActionRow{10, u"Button12", u"lb12", u"Присесть:", kNone, 0, u"\"+duck\"", false},
    ActionRow{10, u"Button43", u"lb43", u"Бег/Шаг:", kNone, 0, u"\"+speed\"", false},
    ActionRow{10, u"Button13", u"lb13", u"Вверх:", kUpDown, 0, u"\"+moveup\"", false},
    ActionRow{10, u"Button14", u"lb14", u"Вниз:", kUpDown, 0, u"\"+movedown\"", false},
    ActionRow{10, u"Button15", u"lb15", u"Влево:", kTurn, 0, u"\"+left\"", false},
    ActionRow{10, u"Button16", u"lb16", u"Вправо:", kTurn, 0, u"\"+right\"", false},
    ActionRow{10, u"Button31", u"lb31", u"Консоль:", kNone, 0, u"\"toggleconsole\"", false},
    ActionRow{10, u"Button32", u"lb32", u"Использовать:", kNone, 0, u"\"+use\"", false},
    // Page 10, second column.
    ActionRow{10, u"Button17", u"lb17", u"Slot1:", kMenu, 1, u"\"slot1\"", false},
    ActionRow{10, u"Button18", u"lb18", u"Slot2:", kMenu, 1, u"\"slot2\"", false},
    ActionRow{10, u"Button19", u"lb19", u"Slot3:", kMenu, 1, u"\"slot3\"", false},
    ActionRow{10, u"Button20", u"lb20", u"Slot4:", kMenu, 1, u"\"slot4\"", false},
    ActionRow{10, u"Button21", u"lb21", u"Slot5:", kMenu, 1, u"\"slot5\"", false},
    ActionRow{10, u"Button22", u"lb22", u"Slot6:", kMenu, 1, u"\"slot6\"", false},
    ActionRow{10, u"Button23", u"lb23", u"Slot7:", kMenu, 1, u"\"slot7\"", false},
    ActionRow{10, u"Button24", u"lb24", u"Slot8:", kMenu, 1, u"\"slot8\"", false},
    ActionRow{10, u"Button25", u"lb25", u"Slot9:", kMenu, 1, u"\"slot9\"", false},
    ActionRow{10, u"Button26", u"lb26", u"Slot10:", kMenu, 1, u"\"slot10\"", false},
    ActionRow{10, u"Button33", u"lb33", u"Фонарик:", kNone, 1, u"\"impulse 100\"", false},
    ActionRow{10, u"Button36", u"lb36", u"Граффити:", kNone, 1, u"\"impulse 201\"", false},
    // Page 10, third column.
    ActionRow{10, u"Button27", u"lb27", u"Предыдущее:", kWeapons, 2, u"\"invprev\"", false},
    ActionRow{10, u"Button28", u"lb28", u"Следующее:", kWeapons, 2, u"\"invnext\"", false},
    ActionRow{10, u"Button29", u"lb29", u"Последнее:", kWeapons, 2, u"\"lastinv\"", false},
    ActionRow{10, u"Button30", u"lb30", u"Выброс оружия:", kWeapons, 2, u"\"drop\"", false},
    ActionRow{10, u"Button41", u"lb41", u"Перезарядить:", kWeapons, 2, u"\"+reload\"", false},
    ActionRow{10, u"Button34", u"lb34", u"Пауза:", kNone, 2, u"\"pause\"", false},
    ActionRow{10, u"Button35", u"lb35", u"Очки НВ:", kNone, 2, u"\"nightvision\"", false},
    ActionRow{10, u"Button37", u"lb37", u"Счет:", kNone, 2, u"\"+showscores\"", false},
    ActionRow{10, u"Button40", u"lb40", u"Отмена:", kNone, 2, u"\"cancelselect\"", false},
    ActionRow{10, u"Button39", u"lb39", u"Выход:", kNone, 2, u"\"quit\"", false},
    ActionRow{10, u"Button42", u"lb42", u"Смена команды:", kNone, 2, u"\"chooseteam\"", false},
    // Page 10's buy panel.
    ActionRow{10, u"Button52", u"lb52", u"Покупка оружия:", kNone, 0, u"\"buy\"", true},
    ActionRow{10, u"Button53", u"lb53", u"Покупка снаряжения:", kNone, 0, u"\"buyequip\"", true},
    ActionRow{10, u"Button54", u"lb54", u"Покупка патронов к автомату:", kNone, 0, u"\"buyammo1\"", true},
    ActionRow{10, u"Button55", u"lb55", u"Покупка патронов к пистолету:", kNone, 0, u"\"buyammo2\"", true},
    // Page 11.
    ActionRow{11, u"Button44", u"lb44", u"Радио1:", kRadio, 0, u"\"radio1\"", false},
    ActionRow{11, u"Button45", u"lb45", u"Радио2:", kRadio, 0, u"\"radio2\"", false},
    ActionRow{11, u"Button46", u"lb46", u"Радио3:", kRadio, 0, u"\"radio3\"", false},
    ActionRow{11, u"Button47", u"lb47", u"Сообщение своей команде:", kRadio, 0, u"\"messagemode2\"", false},
    ActionRow{11, u"Button48", u"lb48", u"Сообщение всем:", kRadio, 0, u"\"messagemode\"", false},
};
// clang-format on

} // namespace

std::span<const ActionRow> actionTable() {
    return kRows;
}

const ActionRow* actionRowForButton(const QString& buttonName) {
    for (const ActionRow& row : kRows)
        if (buttonName == QStringView(row.button))
            return &row;
    return nullptr;
}

QString actionCommand(const ActionRow& row) {
    return QString::fromUtf16(row.command);
}

QString actionBindSuffix(const ActionRow& row) {
    return u"\" "_s + actionCommand(row);
}

bool isMovementButton(const QString& buttonName) {
    const ActionRow* row = actionRowForButton(buttonName);
    return row && row->page == 9;
}
