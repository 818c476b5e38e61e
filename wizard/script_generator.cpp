// Fragments, prices and alias lines of the one-key scripts.
#include "wizard/script_generator.h"

#include "language/config_commands.h"

#include "wizard/radio_tables.h"

using namespace Qt::Literals::StringLiterals;

namespace script {

namespace {

const QString menuClose() {
    return QString::fromUtf16(kMenuClose);
}

template <typename Table> bool inTable(const Table& table, int oneBased) {
    return oneBased >= 1 && oneBased <= int(table.size());
}

QString quoted(const QString& text) {
    return u"\""_s + text + u"\""_s;
}

} // namespace

QString rifleFragment(int longArm) {
    if (!inTable(buy::longArms(), longArm))
        return {};
    return u"buy;ww;"_s + buy::longArms()[longArm - 1].menuSequence + menuClose();
}

QString pistolFragment(int pistol) {
    if (!inTable(buy::pistols(), pistol))
        return {};
    return u"buy;ww;"_s + buy::pistols()[pistol - 1].menuSequence + menuClose();
}

QString ammunitionFragment(int ammunition) {
    const auto table = buy::ammunition();
    if (ammunition < 0 || ammunition >= int(table.size()) || table[ammunition].sequence.isEmpty())
        return {};
    return table[ammunition].sequence + menuClose();
}

QString equipmentFragment(const std::array<bool, buy::kEquipmentCount>& checked) {
    QString fragment;
    for (int i = 0; i < buy::kEquipmentCount; ++i) {
        if (checked[i])
            fragment += u"buy;ww;menuselect 8;ww;menuselect "_s + QString::number(i + 1) + u";"_s +
                        menuClose();
    }
    return fragment;
}

QString radioFragment(int radio) {
    const auto table = radio::messages();
    if (radio < 0 || radio >= int(table.size()) || table[radio].sendsNothing())
        return {};
    return table[radio].menuSequence + menuClose();
}

QString chatFragment(const QString& text, bool toTeam) {
    if (text.isEmpty())
        return {};
    return (toTeam ? u"say_team "_s : u"say "_s) + text;
}

Fragments buildFragments(const Composition& c) {
    Fragments f;
    f.rifle = rifleFragment(c.longArm);
    f.pistol = pistolFragment(c.pistol);
    f.ammunition = ammunitionFragment(c.ammunition);
    f.equipment = equipmentFragment(c.equipment);
    f.radio = radioFragment(c.radio);
    f.chat = chatFragment(c.chatText, c.chatToTeam);
    return f;
}

bool chatTextIsSafe(const QString& text) {
    return !text.contains(u'"') && !text.contains(u';');
}

bool chatTextIsSent(const QString& text) {
    // The console skips every non-ASCII letter where a word would begin: the message the game
    // sends begins at the first ASCII character that is not a blank.
    for (const QChar c : text)
        if (!console::skippedBeforeWord(c.unicode()))
            return true;
        else if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool chatTextIsComment(const QString& text) {
    // The message's first word is where a comment would begin: the console reads "say" alone,
    // and a "say" without a word sends nothing.
    const QString command = u"say "_s + text;
    const CommandReading r =
        readCommand(command, 0, console::Bytes::Single, [](const CommandWord&) {});
    return r.wordCount == 1 && r.comment >= 0;
}

QString commentChatTextMessage() {
    return u"Текст сообщения начинается с «//»: игра прочтёт его как комментарий и ничего не "
           u"отправит. Начните текст с латинской буквы, цифры или другого знака (например, "
           u"«- ») и нажмите BIND ещё раз."_s;
}

QString unsentChatTextMessage() {
    return u"Текст сообщения начинается с русской буквы: игра пропустит всё до первой латинской "
           u"буквы, цифры или знака и отправит только остаток. Начните текст с латинской буквы, "
           u"цифры или знака (например, «- ») и нажмите BIND ещё раз."_s;
}

QString unsafeChatTextMessage() {
    return u"Текст сообщения не может содержать двойную кавычку (\") и точку с запятой (;): "
           u"в консоли игры кавычка обрывает команду, а точка с запятой начинает новую. "
           u"Уберите эти знаки и нажмите BIND ещё раз."_s;
}

QString unencodableChatTextMessage(const QString& characters) {
    return u"В тексте сообщения есть знаки, которых нет в кодировке Windows-1251: %1. Игра их "
           u"не покажет. Уберите их и нажмите BIND ещё раз."_s.arg(characters);
}

int longArmCost(int longArm) {
    return inTable(buy::longArms(), longArm) ? buy::longArms()[longArm - 1].price : 0;
}

int pistolCost(int pistol) {
    return inTable(buy::pistols(), pistol) ? buy::pistols()[pistol - 1].price : 0;
}

int equipmentCost(const std::array<bool, buy::kEquipmentCount>& checked) {
    int sum = 0;
    for (int i = 0; i < buy::kEquipmentCount; ++i) {
        if (checked[i])
            sum += buy::equipment()[i].price;
    }
    return sum;
}

QString costText(int dollars) {
    return QString::number(dollars) + u"$"_s;
}

QString ammunitionRangeText(int ammunition) {
    const auto table = buy::ammunition();
    if (ammunition < 0 || ammunition >= int(table.size()))
        return table[0].rangeText;
    return table[ammunition].rangeText;
}

void applyVestExclusion(std::array<bool, buy::kEquipmentCount>& checked, int highlighted) {
    if (highlighted == buy::kKevlarVest)
        checked[buy::kKevlarVestHelmet] = false;
    else if (highlighted == buy::kKevlarVestHelmet)
        checked[buy::kKevlarVest] = false;
}

AliasNames aliasNamesFor(const QString& name) {
    const QString lower = name.toLower();
    return {quoted(u"Kaz-"_s + lower), u"Kaz-"_s + lower + u"_equip"_s,
            u"Kaz-"_s + lower + u"_mes"_s};
}

QString waitAliasLine() {
    return u"alias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\""_s;
}

QStringList aliasBlock(const AliasNames& names, const Fragments& f) {
    QStringList lines;
    const bool hasEquipment = !f.equipment.isEmpty();
    const QString message = f.radio + f.chat;
    const bool hasMessage = !message.isEmpty();
    if (hasEquipment)
        lines << u"alias "_s + quoted(names.equipment) + u" "_s + quoted(f.equipment);
    if (hasMessage)
        lines << u"alias "_s + quoted(names.message) + u" "_s + quoted(message);
    QString body = f.weapons();
    if (hasEquipment && hasMessage)
        body += names.equipment + u";"_s + names.message;
    else if (hasEquipment)
        body += names.equipment;
    else if (hasMessage)
        body += names.message;
    lines << u"alias "_s + names.main + u" "_s + quoted(body);
    return lines;
}

QString plusModifierLine(const QString& modifier, const QString& mainKey) {
    const QString mod = modifier.toLower();
    const QString main = mainKey.toLower();
    return u"alias "_s + quoted(u"+"_s + mod + u"key"_s) + u" "_s +
           quoted(u"bind "_s + main + u" Kaz-"_s + mod + u"-"_s + main);
}

QString minusModifierLine(const QString& modifier, const QString& mainKey,
                          const QString& previousCommand) {
    const QString mod = modifier.toLower();
    return u"alias "_s + quoted(u"-"_s + mod + u"key"_s) + u" "_s +
           quoted(u"bind "_s + mainKey.toLower() + u" "_s + previousCommand);
}

QString modifierBindLine(const QString& modifier) {
    const QString mod = modifier.toLower();
    return u"bind "_s + quoted(mod) + u" "_s + quoted(u"+"_s + mod + u"key"_s);
}

QString keyBindLine(const QString& key, const AliasNames& names) {
    return u"bind "_s + quoted(key.toLower()) + u" "_s + names.main;
}

} // namespace script
