// What a one-key buy script can buy: the long arms, pistols, ammunition and equipment of the
// game's buy menus, with their menu key sequences, prices and picture names. The page's lists
// are filled from these tables and the script generator reads them, so each entry is said once.
#pragma once

#include "platform/program_home.h"

#include <QString>
#include <span>

namespace buy {

// A gun: the text its list shows, the picture "weapon_<pictureName>.jpg", the price in dollars
// and the keys that pick it once the buy menu is open.
struct Gun {
    QString text;
    QString pictureName;
    int price;
    QString menuSequence;
};

struct Ammunition {
    QString text;
    QString sequence; // empty for "No ammo"
    QString rangeText;
};

// Item n (1-based) of the list is entry n of the game's equipment menu 8.
struct EquipmentItem {
    QString text;
    QString pictureName;
    int price;
};

// The lists' entries in order; the page puts an empty entry before the long arms and pistols.
std::span<const Gun> longArms();
std::span<const Gun> pistols();
std::span<const Ammunition> ammunition();
std::span<const EquipmentItem> equipment();

constexpr int kEquipmentCount = 7;
// The two vests (0-based items of the equipment list) exclude each other.
constexpr int kKevlarVest = 0;
constexpr int kKevlarVestHelmet = 1;

// The picture of a picture name, below the program directory.
QString picturePath(const ProgramHome& home, const QString& pictureName);

} // namespace buy
