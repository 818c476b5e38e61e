// The settings catalogue of the wizard's pages 2 to 8.
#include "wizard/settings_catalogue.h"

#include "wizard/page_flow.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

using V = WizardPageValues;

RadioChoice radio(int number, const QString& caption, int value) {
    return {u"RadioButton"_s + QString::number(number), caption, value};
}

FieldControl spin(int number, int minimum, int maximum, const QString& initial, QString V::*text,
                  int step = 1) {
    return {u"SpinEdit"_s + QString::number(number), true, minimum, maximum, step, initial, text};
}

FieldControl edit(int number, const QString& initial, QString V::*text) {
    return {u"Edit"_s + QString::number(number), false, 0, 0, 0, initial, text};
}

WizardSetting pair(SettingId id, int page, SettingKind kind, const QStringList& captions,
                   const QString& config, RadioChoice first, RadioChoice second, int V::*choice) {
    return {id, page, kind, captions, {config}, {first, second}, choice, {}, {}};
}

WizardSetting field(SettingId id, int page, const QStringList& captions, const QString& config,
                    FieldControl control) {
    return {id, page, SettingKind::Field, captions, {config}, {}, nullptr, {control}, {}};
}

std::vector<WizardSetting> buildSettings() {
    using K = SettingKind;
    using S = SettingId;
    const QString yes = u"Да"_s;
    const QString no = u"Нет"_s;
    const QString weakCards = u"<300 - для слабых видюх,  >300 - для мощных"_s;
    std::vector<WizardSetting> s;

    // Page 2.
    s.push_back(field(S::Name, 2, {u"Ваше имя или ник"_s}, u"name"_s, edit(1, {}, &V::name)));
    s.push_back(pair(S::RightHand, 2, K::RadioPair, {u"Какую руку использовать для стрельбы?"_s},
                     u"cl_righthand"_s, radio(1, u"Правую"_s, 1), radio(2, u"Левую"_s, 0),
                     &V::rightHand));
    s.push_back(pair(S::AutoHelp, 2, K::UserInfoPair, {u"Использовать авто-помощь?"_s}, u"_ah"_s,
                     radio(3, yes, 1), radio(4, no, 0), &V::autoHelp));
    s.push_back({S::ConsoleColour,
                 2,
                 K::ConsoleColour,
                 {u"Цвет текста консоли"_s},
                 {u"con_color"_s},
                 {},
                 nullptr,
                 {},
                 u"ColorBox1"_s});
    s.push_back(pair(S::VguiMenus, 2, K::UserInfoPair, {u"Какие меню использовать?"_s},
                     u"_vgui_menus"_s, radio(5, u"Графические"_s, 1), radio(6, u"Текстовые"_s, 0),
                     &V::vguiMenus));
    s.push_back(pair(S::DrawViewModel, 2, K::RadioPair, {u"Показывать оружие?"_s},
                     u"r_drawviewmodel"_s, radio(7, yes, 1), radio(8, no, 0), &V::drawViewModel));
    s.push_back(pair(S::MapDescription, 2, K::UserInfoPair, {u"Показывать описание карты?"_s},
                     u"dm"_s, radio(9, yes, 1), radio(10, no, 0), &V::mapDescription));
    s.push_back(pair(S::CenterId, 2, K::RadioPair,
                     {u"Где отображать информацию об игроке, при наведении на него?"_s},
                     u"hud_centerid"_s, radio(11, u"По центру"_s, 1),
                     radio(12, u"В нижнем левом углу"_s, 0), &V::centerId));
    s.push_back({S::Radar,
                 2,
                 K::Radar,
                 {u"Показывать радар?"_s},
                 {u"drawradar"_s, u"hideradar"_s},
                 {radio(13, yes, 1), radio(14, no, 0)},
                 &V::radar,
                 {},
                 {}});
    s.push_back(pair(S::SpriteBlend, 2, K::RadioPair, {u"Какой прицел использовать?"_s},
                     u"gl_spriteblend"_s, radio(15, u"Жирный"_s, 0), radio(16, u"Нормальный"_s, 1),
                     &V::spriteBlend));

    // Page 3.
    s.push_back(field(S::FastSprites, 3,
                      {u"Реализм дымовых спрайтов."_s, u"0 - отлично, 1 - норма, 2 - плохо"_s},
                      u"fastsprites"_s, spin(2, 0, 2, u"1"_s, &V::fastSprites)));
    s.push_back(field(S::MaxSmokePuffs, 3, {u"Количество дымовых спрайтов за раз."_s, weakCards},
                      u"max_smokepuffs"_s, spin(3, 0, 500, u"300"_s, &V::maxSmokePuffs)));
    s.push_back(
        field(S::MaxShells, 3,
              {u"Максимальное количество видимых патронов."_s, u"1 - минимум, 500 - максимум"_s},
              u"max_shells"_s, spin(1, 1, 500, u"300"_s, &V::maxShells)));
    s.push_back(field(S::Decals, 3, {u"Следы от пуль, от крови и др."_s, weakCards}, u"r_decals"_s,
                      spin(4, 0, 500, u"300"_s, &V::decals)));
    s.push_back({S::NetGraph,
                 3,
                 K::NetGraph,
                 {u"Показывать NetGraph, если да то где?"_s},
                 {u"net_graph"_s, u"net_graphpos"_s},
                 {radio(39, yes, 1), radio(40, no, 0)},
                 &V::netGraph,
                 {},
                 u"ComboBox2"_s});
    s.push_back(pair(S::MonoLights, 3, K::RadioPair,
                     {u"Включить равномерное освещение и выключить тени?"_s}, u"gl_monolights"_s,
                     radio(41, yes, 1), radio(42, no, 0), &V::monoLights));

    // Page 4.
    s.push_back(pair(S::ObserverCrosshair, 4, K::RadioPair,
                     {u"Показывать прицел в режиме Spectator (наблюдатель)?"_s},
                     u"cl_observercrosshair"_s, radio(19, yes, 1), radio(20, no, 0),
                     &V::observerCrosshair));
    s.push_back(pair(S::Ghosts, 4, K::UserInfoPair,
                     {u"Видеть убитых игроков в режиме Spectator (наблюдатель)?"_s}, u"ghosts"_s,
                     radio(21, yes, 1), radio(22, no, 0), &V::ghosts));
    s.push_back({S::Bobbing,
                 4,
                 K::Bobbing,
                 {u"Покачиваться при движении?"_s},
                 {u"cl_bob"_s, u"cl_bobup"_s, u"cl_bobcycle"_s},
                 {radio(27, yes, 1), radio(28, no, 0)},
                 &V::bobbing,
                 {},
                 {}});
    s.push_back({S::CrosshairChange,
                 4,
                 K::CrosshairChange,
                 {u"Менять цвет прицела при новой игре?"_s},
                 {u"adjust_crosshair"_s},
                 {radio(25, yes, 1), radio(26, no, 0)},
                 &V::crosshairChange,
                 {},
                 {}});
    s.push_back(pair(S::FastSwitch, 4, K::RadioPair, {u"Использовать быструю смену оружия?"_s},
                     u"hud_fastswitch"_s, radio(29, yes, 1), radio(30, no, 0), &V::fastSwitch));
    s.push_back(pair(S::MouseFilter, 4, K::RadioPair, {u"Сглаживать движения мыши?"_s},
                     u"m_filter"_s, radio(23, yes, 1), radio(24, no, 0), &V::mouseFilter));
    s.push_back(pair(S::DynamicCrosshair, 4, K::RadioPair, {u"Какой прицел использовать?"_s},
                     u"cl_dynamiccrosshair"_s, radio(37, u"Как в CS 1.3"_s, 0),
                     radio(38, u"Динамический (CS 1.4 - 1.5)"_s, 1), &V::dynamicCrosshair));
    const QString mouseLabel = u"Чувствительность мышки и оптики:"_s;
    s.push_back(field(S::Sensitivity, 4, {mouseLabel}, u"sensitivity"_s,
                      spin(6, 0, 999, u"5"_s, &V::sensitivity)));
    s.push_back(field(S::ZoomSensitivity, 4, {mouseLabel}, u"zoom_sensitivity_ratio"_s,
                      spin(7, 0, 999, u"2"_s, &V::zoomSensitivity)));
    s.push_back(field(S::ConsoleSpeed, 4, {u"Скорость выпадания консоли:"_s}, u"scr_conspeed"_s,
                      spin(8, 0, 9999, u"600"_s, &V::consoleSpeed)));

    // Page 5.
    const QString minutes = u"мин."_s;
    const QString seconds = u"сек."_s;
    s.push_back(field(S::RoundTime, 5, {u"Время одного раунда:"_s, minutes}, u"mp_roundtime"_s,
                      spin(9, 1, 9, u"5"_s, &V::roundTime)));
    s.push_back(field(S::C4Timer, 5, {u"Время до взрыва C4:"_s, seconds}, u"mp_c4timer"_s,
                      spin(10, 1, 90, u"1"_s, &V::c4Timer)));
    s.push_back(field(S::FreezeTime, 5, {u"Начальное время остолбенения:"_s, seconds},
                      u"mp_freezetime"_s, spin(11, 0, 60, u"1"_s, &V::freezeTime)));
    s.push_back(field(S::BuyTime, 5, {u"Время на покупку оружия:"_s, minutes}, u"mp_buytime"_s,
                      edit(2, u"1.5"_s, &V::buyTime)));
    s.push_back({S::MapChange,
                 5,
                 K::MapChange,
                 {u"Время между сменой карты:"_s, minutes, u"или"_s, u"раундов."_s},
                 {u"mp_timelimit"_s, u"mp_maxrounds"_s},
                 {},
                 nullptr,
                 {spin(12, 0, 99, u"0"_s, &V::mapChangeMinutes),
                  spin(13, 0, 200, u"0"_s, &V::mapChangeRounds)},
                 {}});
    s.push_back({S::Restart,
                 5,
                 K::Restart,
                 {u"Время до рестарта игры:"_s, seconds},
                 {u"sv_restartround"_s, u"sv_restart"_s},
                 {},
                 nullptr,
                 {spin(14, 0, 500, u"0"_s, &V::restart)},
                 {}});
    s.push_back(field(S::WinLimit, 5, {u"Кол-во побед для смены карты:"_s, u"побед."_s},
                      u"mp_winlimit"_s, spin(15, 0, 99, u"0"_s, &V::winLimit)));
    s.push_back(field(S::CorpseStay, 5, {u"Время до исчезновения трупов:"_s}, u"cl_corpsestay"_s,
                      spin(19, 0, 9999, u"600"_s, &V::corpseStay)));
    s.push_back(field(S::SayTextTime, 5, {u"Время показа текстовых сообщений:"_s},
                      u"hud_saytext_time"_s, spin(20, 1, 9999, u"9"_s, &V::sayTextTime)));
    s.push_back(field(S::DeathNoticeTime, 5, {u"Время показа сообщений о смерти:"_s},
                      u"hud_deathnotice_time"_s, spin(21, 1, 9999, u"9"_s, &V::deathNoticeTime)));

    // Page 6.
    s.push_back(pair(S::FriendlyFire, 6, K::RadioPair, {u"Разрешить стрельбу по своим?"_s},
                     u"mp_friendlyfire"_s, radio(31, yes, 1), radio(32, no, 0), &V::friendlyFire));
    s.push_back(pair(S::AutoKick, 6, K::RadioPair,
                     {u"Разрешить автовыкидывание убийц своих друзей по команде?"_s},
                     u"mp_autokick"_s, radio(33, yes, 1), radio(34, no, 0), &V::autoKick));
    s.push_back({S::TeamBalance,
                 6,
                 K::TeamBalance,
                 {u"Допустимая разница в кол-ве игроков между обеими командами."_s, u"игроков."_s},
                 {u"mp_limitteams"_s, u"mp_autoteambalance"_s},
                 {},
                 nullptr,
                 {spin(16, 0, 15, u"0"_s, &V::teamBalance)},
                 {}});
    s.push_back(field(
        S::HostagePenalty, 6,
        {u"Макс. кол-во убитых заложников, после чего игрок будет выкинут."_s, u"заложников."_s},
        u"mp_hostagepenalty"_s, spin(17, 0, 20, u"0"_s, &V::hostagePenalty)));
    s.push_back(
        {S::Spectator,
         6,
         K::Spectator,
         {u"Разрешить следить, в режиме Spectator, только за своими игроками?"_s},
         {u"mp_forcechasecam"_s},
         {radio(35, yes, 1), radio(51, u"Да (от первого лица)"_s, 2), radio(36, u"За всеми"_s, 0)},
         &V::spectator,
         {},
         {}});

    // Page 7.
    s.push_back(pair(S::FadeToBlack, 7, K::RadioPair,
                     {u"Включать черный экран после смерти игрока?"_s}, u"mp_fadetoblack"_s,
                     radio(54, yes, 1), radio(55, no, 0), &V::fadeToBlack));
    s.push_back(pair(S::Flashlight, 7, K::RadioPair, {u"Использовать фонарики?"_s},
                     u"mp_flashlight"_s, radio(45, yes, 1), radio(46, no, 0), &V::flashlight));
    s.push_back(pair(S::Footsteps, 7, K::RadioPair, {u"Хотите ли Вы слышать звук шагов?"_s},
                     u"mp_footsteps"_s, radio(47, yes, 1), radio(48, no, 0), &V::footsteps));
    s.push_back(pair(S::WaterAmp, 7, K::RadioPair, {u"Усилить звуковые эффекты воды?"_s},
                     u"gl_wateramp"_s, radio(43, yes, 1), radio(44, no, 0), &V::waterAmp));
    s.push_back(pair(S::SayText, 7, K::RadioPair, {u"Выводить текстовые сообщения на экран?"_s},
                     u"hud_saytext"_s, radio(52, yes, 1), radio(53, no, 0), &V::sayText));
    s.push_back(field(S::StartMoney, 7, {u"Начальное кол-во денег, в новом раунде."_s},
                      u"mp_startmoney"_s, spin(18, 800, 16000, u"800"_s, &V::startMoney)));

    // Page 8.
    s.push_back({S::Rate,
                 8,
                 K::Rate,
                 {u"Какое соединение вы используете?"_s},
                 {u"rate"_s},
                 {radio(17, {}, 1), radio(18, {}, 0)},
                 &V::rateFromList,
                 {spin(5, 0, 99999, u"0"_s, &V::rateNumber, 100)},
                 u"ComboBox1"_s});
    return s;
}

} // namespace

const std::vector<WizardSetting>& wizardSettings() {
    static const std::vector<WizardSetting> settings = buildSettings();
    return settings;
}

const WizardSetting& wizardSetting(SettingId id) {
    static const QHash<int, int> index = [] {
        QHash<int, int> byId;
        const auto& all = wizardSettings();
        for (int i = 0; i < int(all.size()); ++i)
            byId.insert(int(all[size_t(i)].id), i);
        return byId;
    }();
    return wizardSettings()[size_t(index.value(int(id)))];
}

const QStringList& settingsPageCaptions() {
    // The page flow's table names every page; these are its pages 2 to 8.
    static const QStringList captions = [] {
        QStringList c;
        for (int page = 1; page < wizard::kFirstKeyPage; ++page)
            c.append(wizard::pageShowRule(page).tabCaption);
        return c;
    }();
    return captions;
}

const std::array<StandardColour, 16>& standardColours() {
    static const std::array<StandardColour, 16> colours = {{
        {u"Black"_s, u"0 0 0"_s, 0, 0, 0},
        {u"Maroon"_s, u"165 25 10"_s, 128, 0, 0},
        {u"Green"_s, u"10 165 20"_s, 0, 128, 0},
        {u"Olive"_s, u"165 155 10"_s, 128, 128, 0},
        {u"Navy"_s, u"30 10 180"_s, 0, 0, 128},
        {u"Purple"_s, u"140 5 75"_s, 128, 0, 128},
        {u"Teal"_s, u"115 155 140"_s, 0, 128, 128},
        {u"Gray"_s, u"135 140 140"_s, 128, 128, 128},
        {u"Silver"_s, u"195 195 195"_s, 192, 192, 192},
        {u"Red"_s, u"255 0 0"_s, 255, 0, 0},
        {u"Lime"_s, u"25 255 0"_s, 0, 255, 0},
        {u"Yellow"_s, u"255 255 0"_s, 255, 255, 0},
        {u"Blue"_s, u"0 0 255"_s, 0, 0, 255},
        {u"Fuchsia"_s, u"255 0 255"_s, 255, 0, 255},
        {u"Aqua"_s, u"0 255 255"_s, 0, 255, 255},
        {u"White"_s, u"255 255 255"_s, 255, 255, 255},
    }};
    return colours;
}

QString customColourName() {
    return u"Custom..."_s;
}

const QStringList& netGraphPositions() {
    static const QStringList entries = {u"Снизу, по центру"_s, u"Снизу, с левой стороны"_s,
                                        u"Снизу, с правой стороны"_s};
    return entries;
}

const QStringList& netGraphPositionValues() {
    static const QStringList values = {u"2"_s, u"0"_s, u"1"_s};
    return values;
}

const QStringList& rateEntries() {
    static const QStringList entries = {
        u"Никакое"_s,
        u"14.4 kb. модем ------> 1500"_s,
        u"28.8 kb. модем ------> 2500"_s,
        u"33.6 kb. модем ------> 3400"_s,
        u"56 kb. модем    ------> 4200"_s,
        u"ISDN                  ------> 5000"_s,
        u"Кабельное соед. ---> 6000"_s,
        u"xDSL/T1 и выше ---> 9000"_s,
        u"LAN                  ------> 20000"_s,
    };
    return entries;
}

const QList<int>& rateValues() {
    static const QList<int> values = {0, 1500, 2500, 3400, 4200, 5000, 6000, 9000, 20000};
    return values;
}

WizardPageValues creationPageValues() {
    WizardPageValues values;
    for (const WizardSetting& setting : wizardSettings())
        for (const FieldControl& field : setting.fields)
            values.*field.text = field.initialText;
    return values;
}

void clearPageValuesForNewFile(WizardPageValues& values) {
    for (const WizardSetting& setting : wizardSettings()) {
        if (setting.page > 7)
            continue;
        for (const FieldControl& field : setting.fields)
            values.*field.text = QString();
        if (setting.choice)
            values.*setting.choice = -1;
    }
    values.rateFromList = 1;
    values.rateEntry = 0;
}
