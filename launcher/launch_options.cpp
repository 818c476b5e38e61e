// Launch options and the game's command line.
#include "launcher/launch_options.h"

#include "launcher/mod_discovery.h"

using namespace Qt::Literals::StringLiterals;

const std::array<LaunchOptionEntry, LaunchOptionCount>& launchOptionTable() {
    static const std::array<LaunchOptionEntry, LaunchOptionCount> table{{
        {u"-console"_s, u"Разрешить вызов консоли в игре нажатием на клавишу \"~\" (в стандартной "
                        u"конфигурации)"_s},
        {u"-dev"_s,
         u"Включить режим разработчика. Аналогична консольной команде developer \"1\""_s},
        {u"-win"_s, u"Запуск игры в окне"_s},
        {u"-full"_s, u"Запуск игры в поноэкранном режиме"_s},
        {u"-d3d"_s, u"Включить Direct 3D рендеринг"_s},
        {u"-gl"_s, u"Включить OpenGL рендеринг"_s},
        {u"-noip"_s, u"Используйте этот параметр, если при запуске HalfLife постоянно пытается "
                     u"подключиться к интернету"_s},
        {u"-noipx"_s,
         u"Используйте этот параметр, если при запуске LAN game выдается ошибка IPX"_s},
        {u"-nojoy"_s, u"Игнорировать любой джойстик подключенный к вашему ПК"_s},
        {u"-safe"_s, u"Запуск HalfLife в защищенном режиме с максимальной совместимостью (не для "
                     u"чайников!)"_s},
        {u"-soft"_s, u"Включить software рендеринг"_s},
        {u"-wavonly"_s, u"Отключить Direct Sound и проигрывать звуковые эффекты как .wav файлы"_s},
    }};
    return table;
}

OptionChecks defaultOptionChecks() {
    OptionChecks checks{};
    checks[OptConsole] = true;
    checks[OptFull] = true;
    checks[OptGl] = true;
    return checks;
}

QString gameCheckHint() {
    return u"Запуск MODа HalfLife. Где name это имя папки в которой находится MOD, например: "
           u"-game cstrike - запуск Counter-Strike"_s;
}

QString driverCheckHint() {
    return u"Подключение OpenGL драйвера. Где name - имя библитеки (name.dll)"_s;
}

QString mlookCheckHint() {
    return u"Вкл. вращение мышью (для тех, кто не установил в своем конфиге +mlook). Без mlook, "
           u"мышь будет вращать вас только вправо-влево"_s;
}

CheckClickResult applyCheckClick(const OptionsState& before, int clicked) {
    CheckClickResult r{before, false};
    OptionChecks& c = r.state.checked;
    if (clicked == OptWin)
        c[OptFull] = false;
    else if (clicked == OptFull)
        c[OptWin] = false;

    // One renderer at a time; clicking the checked one keeps it. Only OpenGL takes a driver.
    if (clicked == OptD3d || clicked == OptGl || clicked == OptSoft) {
        c[OptD3d] = clicked == OptD3d;
        c[OptGl] = clicked == OptGl;
        c[OptSoft] = clicked == OptSoft;
        const bool gl = clicked == OptGl;
        r.state.driverBoxEnabled = gl;
        r.state.driverBoxChecked = gl;
        r.state.driverChoiceEnabled = gl;
        r.selectDefaultDriver = gl;
    }
    return r;
}

QStringList launchArguments(const LaunchSettings& s) {
    QStringList args{u"-game"_s, s.mod};
    // An empty driver would leave "-gldrv" taking the next option as its file name.
    const QString driver = s.driver.trimmed();
    if (s.driverChecked && s.driver != defaultDriver() && !driver.isEmpty())
        args << u"-gldrv"_s << s.driver;
    const auto& table = launchOptionTable();
    for (int i = 0; i < LaunchOptionCount; ++i)
        if (s.checked[i])
            args << table[i].text;
    args << u"+maxplayers"_s << QString::number(s.maxPlayers) << u"-gamegauge"_s;
    return args;
}

QString launchParams(const LaunchSettings& settings) {
    return launchArguments(settings).join(u' ');
}
