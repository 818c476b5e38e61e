// The buy tables as data.
#include "wizard/buy_tables.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace buy {

namespace {

const std::array<Gun, 16>& longArmTable() {
    static const std::array<Gun, 16> table{{
        {u"AK (Automat Kalashnikov)"_s, u"ak47"_s, 2500, u"menuselect 4;ww;menuselect 1;"_s},
        {u"AUG Rifle"_s, u"aug"_s, 3500, u"menuselect 4;ww;menuselect 4;"_s},
        {u"Colt M4A1 Carbine Rifle"_s, u"m4a1"_s, 3100, u"menuselect 4;ww;menuselect 3;"_s},
        {u"FN 249 PARA"_s, u"m249"_s, 5750, u"menuselect 5;ww;menuselect 1;"_s},
        {u"FN P90 SMG"_s, u"p90"_s, 2350, u"menuselect 3;ww;menuselect 3;"_s},
        {u"G3/SG-1 Sniper Rifle"_s, u"g3sg1"_s, 5000, u"menuselect 4;ww;menuselect 8;"_s},
        {u"Ingram MAC10 SMG"_s, u"mac10"_s, 1400, u"menuselect 3;ww;menuselect 4;"_s},
        {u"M90 Combat Shotgun"_s, u"m3"_s, 1700, u"menuselect 2;ww;menuselect 1;"_s},
        {u"Magnum Sniper Rifle"_s, u"awp"_s, 4750, u"menuselect 4;ww;menuselect 6;"_s},
        {u"MP5 Navy SMG"_s, u"mp5navy"_s, 1500, u"menuselect 3;ww;menuselect 1;"_s},
        {u"Scout Sniper Rifle"_s, u"scout"_s, 2750, u"menuselect 4;ww;menuselect 5;"_s},
        {u"Sig SG-550 Sniper Rifle"_s, u"sg550"_s, 4200, u"menuselect 4;ww;menuselect 7;"_s},
        {u"Sig SSG552 Commando"_s, u"sg552"_s, 3500, u"menuselect 4;ww;menuselect 2;"_s},
        {u"Steyr TMP SMG"_s, u"tmp"_s, 1250, u"menuselect 3;ww;menuselect 2;"_s},
        {u"UMP45 SMG"_s, u"ump45"_s, 1700, u"menuselect 3;ww;menuselect 5;"_s},
        {u"XM 1014 Auto Shotgun"_s, u"xm1014"_s, 3000, u"menuselect 2;ww;menuselect 2;"_s},
    }};
    return table;
}

const std::array<Gun, 6>& pistolTable() {
    static const std::array<Gun, 6> table{{
        {u"2x Berettas"_s, u"elite"_s, 1000, u"menuselect 1;ww;menuselect 5;"_s},
        {u"Desert Eagle .50"_s, u"deagle"_s, 650, u"menuselect 1;ww;menuselect 3;"_s},
        {u"FN Five-Seven"_s, u"fiveseven"_s, 750, u"menuselect 1;ww;menuselect 6;"_s},
        {u"Glock 18"_s, u"glock18"_s, 400, u"menuselect 1;ww;menuselect 2;"_s},
        {u"Sig Sauer P228"_s, u"p228"_s, 600, u"menuselect 1;ww;menuselect 4;"_s},
        {u"USP Tactical .45 ACP"_s, u"usp"_s, 500, u"menuselect 1;ww;menuselect 1;"_s},
    }};
    return table;
}

const std::array<Ammunition, 7>& ammunitionTable() {
    static const std::array<Ammunition, 7> table{{
        {u"Без патронов"_s, QString(), u"0$"_s},
        {u"Полный (для автоматов и ружей)"_s, u"buy;ww;menuselect 6;"_s, u"от 20 до 420$"_s},
        {u"Полный (для пистолетов)"_s, u"buy;ww;menuselect 7;"_s, u"от 20 до 200$"_s},
        {u"Полный (для всего оружия)"_s, u"buy;ww;menuselect 6;ww;slot10;buy;ww;menuselect 7;"_s,
         u"от 40 до 620$"_s},
        {u"1 магазин (для автоматов и ружей)"_s, u"buyammo1;"_s, u"от 20 до 125$"_s},
        {u"1 магазин (для пистолетов)"_s, u"buyammo2;"_s, u"от 20 до 50$"_s},
        {u"1 магазин (для всего оружия)"_s, u"buyammo1;buyammo2;"_s, u"от 40 до 175$"_s},
    }};
    return table;
}

const std::array<EquipmentItem, kEquipmentCount>& equipmentTable() {
    static const std::array<EquipmentItem, kEquipmentCount> table{{
        {u"Kevlar Vest"_s, u"kev"_s, 650},
        {u"Kevlar Vest & Helmet"_s, u"kevhelmet"_s, 1000},
        {u"Flash Grenade"_s, u"flashbang"_s, 200},
        {u"HE Grenade"_s, u"hegrenade"_s, 300},
        {u"Smoke Grenade"_s, u"smokegrenade"_s, 300},
        {u"Bomb Defusion Kit (CT only)"_s, u"defuskid"_s, 200},
        {u"Night Vision Goggle"_s, u"night"_s, 1250},
    }};
    return table;
}

} // namespace

std::span<const Gun> longArms() {
    return longArmTable();
}
std::span<const Gun> pistols() {
    return pistolTable();
}
std::span<const Ammunition> ammunition() {
    return ammunitionTable();
}
std::span<const EquipmentItem> equipment() {
    return equipmentTable();
}

QString picturePath(const ProgramHome& home, const QString& pictureName) {
    return home.find(u"dlls\\cvardll\\guns\\weapon_"_s + pictureName + u".jpg"_s);
}

} // namespace buy
