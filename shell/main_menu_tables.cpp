// The main window's command tables.
#include "shell/main_menu_tables.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr MenuItemEntry kMainMenu[] = {
    {u"File1", u"", u"&Файл", u"", u""},
    {u"New1", u"File1", u"&Новый", u"Ctrl+N", u"Создать новый файл"},
    {u"Open1", u"File1", u"&Открыть", u"Ctrl+O", u"Открыть файл"},
    {u"Save1", u"File1", u"&Сохранить", u"Ctrl+S", u"Сохранить файл"},
    {u"SaveAs1", u"File1", u"Сохранить &как", u"", u"Сохранить файл как..."},
    {u"TextForm1", u"File1", u"Кодировка и &переводы строк", u"", u""},
    {u"Cp12511", u"TextForm1", u"Windows-1251", u"", u"Сохранять файл в кодировке Windows-1251"},
    {u"Utf81", u"TextForm1", u"UTF-8", u"", u"Сохранять файл в кодировке UTF-8"},
    {u"Utf8Bom1", u"TextForm1", u"UTF-8 с BOM", u"", u"Сохранять файл в кодировке UTF-8 с BOM"},
    {u"CrLf1", u"TextForm1", u"CR LF (Windows)", u"", u"Переводы строк CR LF, как в Windows", true},
    {u"Lf1", u"TextForm1", u"LF (Linux)", u"", u"Переводы строк LF, как в Linux"},
    {u"MetaBind1", u"File1", u"Новый MetaBind", u"Ctrl+Alt+N", u"", true},
    {u"N33", u"File1", u"&Печать", u"Ctrl+P", u"Печать файла", true},
    {u"Exit1", u"File1", u"В&ыход", u"F12", u"Выход из программы", true},
    {u"N2", u"", u"&Правка", u"", u""},
    {u"N7", u"N2", u"От&менить", u"Ctrl+Z", u"Отменить последнее действие"},
    {u"N3", u"N2", u"Вы&резать", u"Ctrl+X", u"Вырезать", true},
    {u"N4", u"N2", u"&Копировать", u"Ctrl+C", u"Копировать"},
    {u"N5", u"N2", u"Вс&тавить", u"Ctrl+V", u"Вставить"},
    {u"N11", u"N2", u"Выд&елить все", u"", u"Выделить весь текст", true},
    {u"N14", u"N2", u"Перенос с&лов", u"Ctrl+Alt+P", u"Перенос слов"},
    {u"N21", u"N2", u"Удалить строку", u"Ctrl+Y", u"Удалить строку"},
    {u"N10", u"", u"&Инструменты", u"", u""},
    {u"N12", u"N10", u"&Найти", u"F3", u"Найти нужный текст"},
    {u"N18", u"N10", u"О&пределить", u"Ctrl+A", u"Определить значение выделеного слова"},
    {u"N43", u"N10", u"До&бавить вашу карту", u"Ctrl+K", u""},
    {u"CS1", u"N10", u"&Запуск игры с текущим конфигом", u"F9", u""},
    {u"N40", u"N10", u"На&стройка программы", u"", u""},
    {u"N16", u"N40", u"&Шрифт", u"Ctrl+F", u"Шрифт"},
    {u"N17", u"N40", u"&Цвет", u"", u"Сменить цвет"},
    {u"N38", u"N40", u"Сменить &каталог игры", u"Ctrl+K", u"", false, true},
    {u"N32", u"N10", u"Н&астройка смены карт", u"Ctrl+M", u"Настройка смены карт", true},
    {u"N20", u"N10", u"&Мастер CFG", u"Ctrl+Alt+M", u"Мастер настройки конфига"},
    {u"CheckConfig1", u"N10", u"Проверить конфиг", u"F7", u"Найти ошибки в конфиге", true},
    {u"SyntaxHighlight1", u"N10", u"Подсветка синтаксиса", u"", u"Подсветка синтаксиса"},
    {u"KeyMap1", u"N10", u"Карта клавиш", u"", u"Что делает каждая клавиша конфига"},
    {u"ConfigSummary1", u"N10", u"Итог конфига", u"",
     u"Что останется в игре после запуска: итоговые значения всех файлов набора"},
    {u"ToolWindows1", u"N10", u"Окна «Справочник» и «Значения»", u"",
     u"Показать закрытые окна «Справочник», «Значения» и «Пояснение»"},
    {u"N36", u"", u"&Библиотеки и MetaBinds", u"", u""},
    {u"N37", u"N36", u"&Настройка библиотек DLZ и MetaBinds", u"Ctrl+B",
     u"Настройка библиотек (*.dlz) и MetaBinds (*.mtb)"},
    {u"MetaBinds1", u"N36", u"&Вставка MetaBinds", u"Ctrl+Alt+B", u"Вставка MetaBinds"},
    {u"Help1", u"", u"П&омощь", u"", u""},
    {u"N35", u"Help1", u"&Справка", u"F1", u""},
    {u"N29", u"Help1", u"Во&просы и ответы", u"", u""},
    {u"N31", u"Help1", u"Со&здание скриптов", u"", u""},
    {u"N30", u"Help1", u"&История", u"", u""},
    {u"About1", u"Help1", u"&О программе", u"", u"О программе Tessera"},
};

// The pop-up menu's items share their shortcuts with the main menu's, which take the keys.
constexpr MenuItemEntry kEditorPopup[] = {
    {u"N15", u"PopupMenu2", u"О&пределить", u"Ctrl+A", u"", false, true},
    {u"N22", u"PopupMenu2", u"От&менить", u"", u"", true},
    {u"N24", u"PopupMenu2", u"Вы&резать", u"", u"", true},
    {u"N25", u"PopupMenu2", u"&Копировать", u"", u""},
    {u"N26", u"PopupMenu2", u"Вс&тавить", u"", u""},
    {u"N42", u"PopupMenu2", u"До&бавить вашу карту", u"Ctrl+K", u"", true, true},
    {u"N28", u"PopupMenu2", u"Выд&елить все", u"", u"Выделить все", true},
    {u"N13", u"PopupMenu2", u"&Удалить строку", u"Ctrl+Y", u"", false, true},
};

constexpr ToolButtonEntry kToolButtons[] = {
    {u"ToolButton1", u"Новый Config (Ctrl+N)", u"New1"},
    {u"ToolButton2", u"Открыть файл (Ctrl+O)", u"Open1"},
    {u"ToolButton3", u"Сохранить файл (Ctrl+S)", u"Save1", true},
    {u"ToolButton5", u"Вырезать в буфер обмена (Ctrl+X)", u"N3"},
    {u"ToolButton6", u"Копировать в буфер обмена (Ctrl+C)", u"N4"},
    {u"ToolButton7", u"Вставить из буфера обмена (Ctrl+V)", u"N5", true},
    {u"ToolButton14", u"Выделить весь текст", u"N11"},
    {u"ToolButton11", u"Найти нужный текст (F3)", u"N12", true},
    {u"ToolButton10", u"Отменить последнее действие (Ctrl+Z)", u"N7", true},
    {u"ToolButton17", u"Запуск игры с текущим конфигом", u"CS1"},
    {u"ToolButton21", u"Настройка смены карт", u"N32"},
    {u"ToolButton19", u"Вставка Metabinds", u"MetaBinds1", true},
    {u"ToolButton13", u"Мастер настройки конфига", u"N20"},
    {u"ToolButton22", u"Карта клавиш", u"KeyMap1"},
    {u"ToolButton23", u"Итог конфига", u"ConfigSummary1"},
};

constexpr BottomLabelEntry kBottomLabels[] = {
    {u"Label1", u"//", u"Вставить комментарий"},
    {u"Label2", u"Enter", u"Перевод каретки на нижнюю строку"},
    {u"Label3", u"EndEnter", u"Перевод каретки без переноса слов"},
    {u"Label4", u"Очистка", u"Очистка конфига от ненужных символов"},
};

} // namespace

std::span<const MenuItemEntry> mainMenuEntries() {
    return kMainMenu;
}
std::span<const MenuItemEntry> editorPopupEntries() {
    return kEditorPopup;
}
std::span<const ToolButtonEntry> toolButtonEntries() {
    return kToolButtons;
}
std::span<const BottomLabelEntry> bottomLabelEntries() {
    return kBottomLabels;
}

QString applicationTitle() {
    return u"Tessera 2.5 (для CS 1.5 и более ранних версий)"_s;
}
QString mainWindowCaption() {
    return u"Tessera for Counter-Strike (версия 2.5)"_s;
}
