// The reading and writing rules of the settings.
#include "wizard/setting_rules.h"

#include "wizard/line_search.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// The value of a setting as the readers see it: empty when the document has no such command.
QString valueOf(WizardWorkingSet& ws, const SettingRef& setting) {
    return FindSettingValue(ws, setting).value;
}

QString valueOf(WizardWorkingSet& ws, const QString& name) {
    return valueOf(ws, cvarSetting(name));
}

QString choiceText(int choice) {
    return QString::number(choice);
}

} // namespace

void readRadioPair(WizardWorkingSet& ws, const SettingRef& setting, int& choice) {
    const QString value = valueOf(ws, setting);
    if (value == u"0"_s)
        choice = 0;
    else if (value == u"1"_s)
        choice = 1;
}

void writeRadioPair(WizardWorkingSet& ws, const QString& name, int choice) {
    if (choice == 0 || choice == 1)
        Savy(ws, cvarSetting(name), choiceText(choice), false);
}

void readUserInfoPair(WizardWorkingSet& ws, const QString& name, int& choice) {
    readRadioPair(ws, userInfoSetting(name), choice);
    readRadioPair(ws, cvarSetting(name), choice);
}

void writeUserInfoPair(WizardWorkingSet& ws, const QString& name, int choice) {
    if (choice != 0 && choice != 1)
        return;
    // The form the file has is kept: a plain line is rewritten, otherwise the setinfo command.
    Savy(ws, cvarSetting(name), choiceText(choice), true);
    if (!ws.lineWritten)
        Savy(ws, userInfoSetting(name), choiceText(choice), false);
}

void readField(WizardWorkingSet& ws, const QString& name, QString& text) {
    text = valueOf(ws, name);
}

void writeField(WizardWorkingSet& ws, const QString& name, const QString& text) {
    if (!text.isEmpty())
        Savy(ws, cvarSetting(name), text, false);
}

// Console colour.

void setConsoleColourFromValue(WizardPageValues& values, const QString& value) {
    values.customColourText.clear();
    const auto& colours = standardColours();
    if (value.isEmpty()) {
        values.consoleColourEntry = 0;
        values.customRed = 255;
        values.customGreen = 175;
        values.customBlue = 95;
        return;
    }
    for (int i = 0; i < int(colours.size()); ++i) {
        if (value == colours[size_t(i)].triple) {
            values.consoleColourEntry = i + 1;
            return;
        }
    }
    static const QRegularExpression threeNumbers(u"^(\\d{1,3}) (\\d{1,3}) (\\d{1,3})$"_s);
    const QRegularExpressionMatch match = threeNumbers.match(value);
    int rgb[3] = {0, 0, 0};
    bool wellFormed = match.hasMatch();
    if (wellFormed) {
        for (int i = 0; i < 3; ++i) {
            rgb[i] = match.captured(i + 1).toInt();
            wellFormed = wellFormed && rgb[i] <= 255;
        }
    }
    if (!wellFormed) {
        // Shown as near as the parts allow, and written back exactly as the file had it.
        const QStringList parts = value.split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < 3 && i < parts.size(); ++i)
            rgb[i] = parts[i].toInt() & 0xFF;
        values.consoleColourEntry = 0;
        values.customRed = rgb[0];
        values.customGreen = rgb[1];
        values.customBlue = rgb[2];
        values.customColourText = value;
        return;
    }
    // The list selects a colour by value: a standard colour's entry comes before the custom one.
    for (int i = 0; i < int(colours.size()); ++i) {
        const StandardColour& c = colours[size_t(i)];
        if (c.red == rgb[0] && c.green == rgb[1] && c.blue == rgb[2]) {
            values.consoleColourEntry = i + 1;
            return;
        }
    }
    values.consoleColourEntry = 0;
    values.customRed = rgb[0];
    values.customGreen = rgb[1];
    values.customBlue = rgb[2];
}

QString consoleColourValue(const WizardPageValues& values) {
    const int entry = values.consoleColourEntry;
    if (entry >= 1 && entry <= 16)
        return standardColours()[size_t(entry - 1)].triple;
    if (!values.customColourText.isEmpty())
        return values.customColourText;
    return u"%1 %2 %3"_s.arg(values.customRed).arg(values.customGreen).arg(values.customBlue);
}

void readConsoleColour(WizardWorkingSet& ws) {
    setConsoleColourFromValue(ws.values, valueOf(ws, u"con_color"_s));
}

void writeConsoleColour(WizardWorkingSet& ws) {
    Savy(ws, cvarSetting(u"con_color"_s), consoleColourValue(ws.values), false);
}

// Radar: the keyword commands drawradar and hideradar; the later one is what the game keeps.

void readRadar(WizardWorkingSet& ws) {
    const std::optional<CommandSpan> draw = lastCommand(ws.mem1, u"drawradar"_s);
    const std::optional<CommandSpan> hide = lastCommand(ws.mem1, u"hideradar"_s);
    if (draw && (!hide || draw->start > hide->start))
        ws.values.radar = 1;
    else if (hide)
        ws.values.radar = 0;
}

void writeRadar(WizardWorkingSet& ws) {
    if (ws.values.radar != 0 && ws.values.radar != 1)
        return;
    const QString wanted = ws.values.radar == 1 ? u"drawradar"_s : u"hideradar"_s;
    const QString other = ws.values.radar == 1 ? u"hideradar"_s : u"drawradar"_s;
    // Every command of the other keyword would undo the choice: the last becomes the wanted
    // keyword in place, the rest go. With none, the wanted keyword is written when missing.
    QList<CommandSpan> others = ws.mem1.commandsNamed(other);
    if (!others.isEmpty()) {
        const CommandSpan last = others.takeLast();
        ws.mem1.replaceRange(last.start, last.end - last.start, wanted);
        ws.mem1.removeCommands(others);
        ws.lineWritten = true;
    } else if (!hasCommand(ws.mem1, wanted)) {
        ws.mem1.appendLine(wanted);
        ws.lineWritten = false;
    }
}

// Crosshair colour change: the keyword command adjust_crosshair.

void readCrosshairChange(WizardWorkingSet& ws) {
    ws.values.crosshairChange = hasCommand(ws.mem1, u"adjust_crosshair"_s) ? 1 : 0;
}

void writeCrosshairChange(WizardWorkingSet& ws) {
    const QString keyword = u"adjust_crosshair"_s;
    if (ws.values.crosshairChange == 1 && !hasCommand(ws.mem1, keyword))
        ws.mem1.appendLine(keyword);
    else if (ws.values.crosshairChange == 0)
        removeCommandsNamed(ws.mem1, keyword);
}

// Bobbing.

void readBobbing(WizardWorkingSet& ws) {
    if (valueOf(ws, u"cl_bob"_s) != u"0"_s)
        ws.values.bobbing = 1;
    else
        ws.values.bobbing = valueOf(ws, u"cl_bobup"_s) != u"0"_s ? 1 : 0;
}

void writeBobbing(WizardWorkingSet& ws) {
    if (ws.values.bobbing == 1) {
        Savy(ws, cvarSetting(u"cl_bob"_s), u"0.01"_s, false);
        Savy(ws, cvarSetting(u"cl_bobup"_s), u"0.5"_s, false);
        Savy(ws, cvarSetting(u"cl_bobcycle"_s), u"0.8"_s, false);
    } else if (ws.values.bobbing == 0) {
        Savy(ws, cvarSetting(u"cl_bob"_s), u"0"_s, false);
        Savy(ws, cvarSetting(u"cl_bobup"_s), u"0"_s, false);
        Savy(ws, cvarSetting(u"cl_bobcycle"_s), u"0.8"_s, false);
    }
}

// Net graph and its position.

void readNetGraph(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, u"net_graph"_s);
    if (value == u"0"_s) {
        ws.values.netGraph = 0;
    } else if (value == u"1"_s) {
        ws.values.netGraph = 1;
        const qsizetype entry = netGraphPositionValues().indexOf(valueOf(ws, u"net_graphpos"_s));
        if (entry >= 0)
            ws.values.netGraphPosition = int(entry);
    }
}

void writeNetGraph(WizardWorkingSet& ws) {
    if (ws.values.netGraph == 1) {
        Savy(ws, cvarSetting(u"net_graph"_s), u"1"_s, false);
        const int entry = ws.values.netGraphPosition;
        if (entry >= 0 && entry < netGraphPositionValues().size())
            Savy(ws, cvarSetting(u"net_graphpos"_s), netGraphPositionValues()[entry], false);
    } else if (ws.values.netGraph == 0) {
        Savy(ws, cvarSetting(u"net_graph"_s), u"0"_s, false);
    }
}

void readFastSprites(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, u"fastsprites"_s);
    if (value.size() == 1)
        ws.values.fastSprites = value;
}

// Map change: minutes or rounds, the other one "0".

void readMapChange(WizardWorkingSet& ws) {
    const QString minutes = valueOf(ws, u"mp_timelimit"_s);
    if (!minutes.isEmpty() && minutes != u"0"_s) {
        ws.values.mapChangeMinutes = minutes;
        ws.values.mapChangeRounds = u"0"_s;
        return;
    }
    const QString rounds = valueOf(ws, u"mp_maxrounds"_s);
    ws.values.mapChangeMinutes = u"0"_s;
    ws.values.mapChangeRounds = rounds.isEmpty() ? u"0"_s : rounds;
}

void writeMapChangeMinutes(WizardWorkingSet& ws) {
    writeField(ws, u"mp_timelimit"_s, ws.values.mapChangeMinutes);
}

void writeMapChangeRounds(WizardWorkingSet& ws) {
    writeField(ws, u"mp_maxrounds"_s, ws.values.mapChangeRounds);
}

// Restart: sv_restartround, else sv_restart.

void readRestart(WizardWorkingSet& ws) {
    QString value = valueOf(ws, u"sv_restartround"_s);
    if (value.isEmpty())
        value = valueOf(ws, u"sv_restart"_s);
    ws.values.restart = value;
}

void writeRestart(WizardWorkingSet& ws) {
    const QString& text = ws.values.restart;
    if (text.isEmpty())
        return;
    Savy(ws, cvarSetting(u"sv_restartround"_s), text, true);
    if (!ws.lineWritten)
        Savy(ws, cvarSetting(u"sv_restart"_s), text, false);
}

// Team balance: the allowed difference, with automatic balancing off.

void readTeamBalance(WizardWorkingSet& ws) {
    if (valueOf(ws, u"mp_autoteambalance"_s) != u"0"_s)
        ws.values.teamBalance = u"0"_s;
    else
        ws.values.teamBalance = valueOf(ws, u"mp_limitteams"_s);
}

void writeTeamBalance(WizardWorkingSet& ws) {
    // An empty field is no choice: nothing is written for team balance.
    if (ws.values.teamBalance.isEmpty())
        return;
    Savy(ws, cvarSetting(u"mp_limitteams"_s), ws.values.teamBalance, false);
    Savy(ws, cvarSetting(u"mp_autoteambalance"_s), u"0"_s, false);
}

// Spectator: 1, 2 or 0.

void readSpectator(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, u"mp_forcechasecam"_s);
    if (value == u"0"_s || value == u"1"_s || value == u"2"_s)
        ws.values.spectator = value.toInt();
}

void writeSpectator(WizardWorkingSet& ws) {
    const int choice = ws.values.spectator;
    if (choice >= 0 && choice <= 2)
        Savy(ws, cvarSetting(u"mp_forcechasecam"_s), choiceText(choice), false);
}

// Connection rate: an entry of the list, or a free number.

void readRate(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, u"rate"_s);
    ws.values.rateFromList = 1;
    ws.values.rateEntry = 0;
    if (value.isEmpty())
        return;
    // The game itself writes "2500.000000": a whole number with a fraction of zeros.
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    if (!isNumber || number != double(qint64(number)) || number < 0 || number > 1e9)
        return;
    const int whole = int(number);
    const qsizetype entry = rateValues().indexOf(whole);
    if (entry > 0) {
        ws.values.rateEntry = int(entry);
    } else {
        ws.values.rateFromList = 0;
        ws.values.rateNumber = QString::number(whole);
    }
}

QString rateValueText(const WizardPageValues& values) {
    if (values.rateFromList != 1)
        return values.rateNumber;
    const int entry = values.rateEntry;
    if (entry >= 0 && entry < rateValues().size())
        return QString::number(rateValues()[entry]);
    return QString();
}

void writeRate(WizardWorkingSet& ws) {
    const QString value = rateValueText(ws.values);
    if (!value.isEmpty())
        Savy(ws, cvarSetting(u"rate"_s), value, false);
}

// By kind.

void readSetting(WizardWorkingSet& ws, const WizardSetting& setting) {
    WizardPageValues& v = ws.values;
    const QString& name = setting.configNames.value(0);
    switch (setting.kind) {
    case SettingKind::RadioPair:
        readRadioPair(ws, cvarSetting(name), v.*setting.choice);
        return;
    case SettingKind::UserInfoPair:
        readUserInfoPair(ws, name, v.*setting.choice);
        return;
    case SettingKind::Field:
        if (setting.id == SettingId::FastSprites)
            readFastSprites(ws);
        else
            readField(ws, name, v.*setting.fields.first().text);
        return;
    case SettingKind::ConsoleColour:
        readConsoleColour(ws);
        return;
    case SettingKind::Radar:
        readRadar(ws);
        return;
    case SettingKind::CrosshairChange:
        readCrosshairChange(ws);
        return;
    case SettingKind::Bobbing:
        readBobbing(ws);
        return;
    case SettingKind::NetGraph:
        readNetGraph(ws);
        return;
    case SettingKind::MapChange:
        readMapChange(ws);
        return;
    case SettingKind::Restart:
        readRestart(ws);
        return;
    case SettingKind::TeamBalance:
        readTeamBalance(ws);
        return;
    case SettingKind::Spectator:
        readSpectator(ws);
        return;
    case SettingKind::Rate:
        readRate(ws);
        return;
    }
}

void writeSetting(WizardWorkingSet& ws, const WizardSetting& setting) {
    const WizardPageValues& v = ws.values;
    const QString& name = setting.configNames.value(0);
    switch (setting.kind) {
    case SettingKind::RadioPair:
        writeRadioPair(ws, name, v.*setting.choice);
        return;
    case SettingKind::UserInfoPair:
        writeUserInfoPair(ws, name, v.*setting.choice);
        return;
    case SettingKind::Field:
        writeField(ws, name, v.*setting.fields.first().text);
        return;
    case SettingKind::ConsoleColour:
        writeConsoleColour(ws);
        return;
    case SettingKind::Radar:
        writeRadar(ws);
        return;
    case SettingKind::CrosshairChange:
        writeCrosshairChange(ws);
        return;
    case SettingKind::Bobbing:
        writeBobbing(ws);
        return;
    case SettingKind::NetGraph:
        writeNetGraph(ws);
        return;
    case SettingKind::MapChange:
        writeMapChangeMinutes(ws);
        writeMapChangeRounds(ws);
        return;
    case SettingKind::Restart:
        writeRestart(ws);
        return;
    case SettingKind::TeamBalance:
        writeTeamBalance(ws);
        return;
    case SettingKind::Spectator:
        writeSpectator(ws);
        return;
    case SettingKind::Rate:
        writeRate(ws);
        return;
    }
}
