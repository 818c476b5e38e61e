// The pieces of a one-key script: what the page's buy and message controls have chosen, the
// console fragments each choice becomes, the price labels, and the alias lines that join them
// under a key's name.
#pragma once

#include "wizard/buy_tables.h"

#include <QString>
#include <QStringList>
#include <array>

namespace script {

// What the page has composed. Indexes are the lists' entries: 0 is the empty entry of the long
// arms, pistols and radio lists and "No ammo" of the ammunition list.
struct Composition {
    int longArm = 0;
    int pistol = 0;
    int ammunition = 0;
    std::array<bool, buy::kEquipmentCount> equipment{};
    int radio = 0;
    QString chatText;
    bool chatToTeam = false; // "Команде"; otherwise the text goes to all players
};

// Every purchase ends by closing the buy menu.
inline constexpr char16_t kMenuClose[] = u"ww;slot10;";

QString rifleFragment(int longArm);
QString pistolFragment(int pistol);
QString ammunitionFragment(int ammunition);
QString equipmentFragment(const std::array<bool, buy::kEquipmentCount>& checked);
QString radioFragment(int radio);
QString chatFragment(const QString& text, bool toTeam);

struct Fragments {
    QString rifle, pistol, ammunition, equipment, radio, chat;
    QString weapons() const { return rifle + pistol + ammunition; }
};
Fragments buildFragments(const Composition& c);

// A chat text goes into the message alias between double quotes: a double quote would end the
// alias early and a semicolon would start a console command of its own.
bool chatTextIsSafe(const QString& text);
QString unsafeChatTextMessage();
// Whether the game sends the text whole: it must not begin with a non-ASCII letter.
bool chatTextIsSent(const QString& text);
QString unsentChatTextMessage();
// Whether the game reads the text as a comment: it begins with "//" (after what the console
// skips), and the game sends nothing.
bool chatTextIsComment(const QString& text);
QString commentChatTextMessage();
// The chat text is written in Windows-1251, which cannot hold `characters`.
QString unencodableChatTextMessage(const QString& characters);

// The prices (ammunition never counts).
int longArmCost(int longArm);
int pistolCost(int pistol);
int equipmentCost(const std::array<bool, buy::kEquipmentCount>& checked);
QString costText(int dollars); // "4450$"
QString ammunitionRangeText(int ammunition);

// The vests exclude each other: the highlighted one stays as the user left it, the other is
// unchecked.
void applyVestExclusion(std::array<bool, buy::kEquipmentCount>& checked, int highlighted);

// The alias names of a key (or "<modifier>-<main key>" for a combination), lower-cased.
struct AliasNames {
    QString main;      // "Kaz-<name>" with its double quotes
    QString equipment; // Kaz-<name>_equip
    QString message;   // Kaz-<name>_mes
};
AliasNames aliasNamesFor(const QString& name);

// The wait alias every fragment's "ww" calls.
QString waitAliasLine();

// The alias block of a key, in writing order: the equipment alias when there is equipment, the
// message alias when there is a radio or chat fragment, then the main alias.
QStringList aliasBlock(const AliasNames& names, const Fragments& fragments);

// The lines of a combination: while the modifier is held the main key runs the script; on
// release the main key gets back `previousCommand`.
QString plusModifierLine(const QString& modifier, const QString& mainKey);
QString minusModifierLine(const QString& modifier, const QString& mainKey,
                          const QString& previousCommand);
QString modifierBindLine(const QString& modifier);
QString keyBindLine(const QString& key, const AliasNames& names);

} // namespace script
