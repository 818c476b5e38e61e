// The reading and writing rules of the settings.
#include "wizard/setting_rules.h"

#include "wizard/line_search.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// The value of a setting as the readers see it: a setting whose value is empty has no line.
QString valueOf(WizardWorkingSet& ws, const QString& prefix) {
    return FindSettingValue(ws, prefix).value;
}

// Whether the first occurrence of a bare keyword stands on a line whose length lies in bounds.
bool keywordLineFits(WizardWorkingSet& ws, const QString& keyword, int minimum, int maximum) {
    if (!FindSettingValue(ws, keyword).found)
        return false;
    const qsizetype length = ws.foundLineText().size();
    return length >= minimum && length <= maximum;
}

// Savy in exact-line mode for the keyword settings; the mode is cleared right after.
struct ExactLines {
    ExactLines(WizardWorkingSet& ws, int minimum, int maximum) : ws(ws) {
        ws.exactLineMode = true;
        ws.exactLineMin = minimum;
        ws.exactLineMax = maximum;
    }
    ~ExactLines() { ws.exactLineMode = false; }
    WizardWorkingSet& ws;
};

QString choiceText(int choice) {
    return QString::number(choice);
}

} // namespace

QString cvarPrefix(const QString& name) {
    return name + u" \""_s;
}

QString setinfoPrefix(const QString& name) {
    return u"setinfo \""_s + name + u"\" \""_s;
}

void readRadioPair(WizardWorkingSet& ws, const QString& prefix, int& choice) {
    const QString value = valueOf(ws, prefix);
    if (value == u"0"_s)
        choice = 0;
    else if (value == u"1"_s)
        choice = 1;
}

void writeRadioPair(WizardWorkingSet& ws, const QString& name, int choice) {
    if (choice == 0 || choice == 1)
        Savy(ws, cvarPrefix(name), choiceText(choice), false);
}

void readUserInfoPair(WizardWorkingSet& ws, const QString& name, int& choice) {
    readRadioPair(ws, setinfoPrefix(name), choice);
    readRadioPair(ws, cvarPrefix(name), choice);
}

void writeUserInfoPair(WizardWorkingSet& ws, const QString& name, int choice) {
    if (choice != 0 && choice != 1)
        return;
    Savy(ws, cvarPrefix(name), choiceText(choice), true);
    if (!ws.lineWritten)
        Savy(ws, setinfoPrefix(name), choiceText(choice), false);
}

void readField(WizardWorkingSet& ws, const QString& name, QString& text) {
    text = valueOf(ws, cvarPrefix(name));
}

void writeField(WizardWorkingSet& ws, const QString& name, const QString& text) {
    if (!text.isEmpty())
        Savy(ws, cvarPrefix(name), text, false);
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
    setConsoleColourFromValue(ws.values, valueOf(ws, cvarPrefix(u"con_color"_s)));
}

void writeConsoleColour(WizardWorkingSet& ws) {
    Savy(ws, cvarPrefix(u"con_color"_s), consoleColourValue(ws.values), false);
}

// Radar: drawradar or hideradar alone on a line of 9 to 13 characters.

void readRadar(WizardWorkingSet& ws) {
    if (keywordLineFits(ws, u"drawradar"_s, 9, 13))
        ws.values.radar = 1;
    if (keywordLineFits(ws, u"hideradar"_s, 9, 13))
        ws.values.radar = 0;
}

void writeRadar(WizardWorkingSet& ws) {
    if (ws.values.radar != 0 && ws.values.radar != 1)
        return;
    const QString wanted = ws.values.radar == 1 ? u"drawradar"_s : u"hideradar"_s;
    const QString other = ws.values.radar == 1 ? u"hideradar"_s : u"drawradar"_s;
    ExactLines exact(ws, 9, 13);
    Savy(ws, other, wanted, true);
    if (!ws.lineWritten)
        Savy(ws, wanted, wanted, true);
    if (!ws.lineWritten)
        Savy(ws, other, wanted, false);
}

// Crosshair colour change: adjust_crosshair alone on a line of 16 to 20 characters.

void readCrosshairChange(WizardWorkingSet& ws) {
    ws.values.crosshairChange = keywordLineFits(ws, u"adjust_crosshair"_s, 16, 20) ? 1 : 0;
}

void writeCrosshairChange(WizardWorkingSet& ws) {
    const QString keyword = u"adjust_crosshair"_s;
    ExactLines exact(ws, 16, 20);
    if (ws.values.crosshairChange == 1)
        Savy(ws, keyword, keyword, false);
    else if (ws.values.crosshairChange == 0)
        Savy(ws, keyword, QString(), true);
}

// Bobbing.

void readBobbing(WizardWorkingSet& ws) {
    if (valueOf(ws, cvarPrefix(u"cl_bob"_s)) != u"0"_s)
        ws.values.bobbing = 1;
    else
        ws.values.bobbing = valueOf(ws, cvarPrefix(u"cl_bobup"_s)) != u"0"_s ? 1 : 0;
}

void writeBobbing(WizardWorkingSet& ws) {
    if (ws.values.bobbing == 1) {
        Savy(ws, cvarPrefix(u"cl_bob"_s), u"0.01"_s, false);
        Savy(ws, cvarPrefix(u"cl_bobup"_s), u"0.5"_s, false);
        Savy(ws, cvarPrefix(u"cl_bobcycle"_s), u"0.8"_s, false);
    } else if (ws.values.bobbing == 0) {
        Savy(ws, cvarPrefix(u"cl_bob"_s), u"0"_s, false);
        Savy(ws, cvarPrefix(u"cl_bobup"_s), u"0"_s, false);
        Savy(ws, cvarPrefix(u"cl_bobcycle"_s), u"0.8"_s, false);
    }
}

// Net graph and its position.

void readNetGraph(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, cvarPrefix(u"net_graph"_s));
    if (value == u"0"_s) {
        ws.values.netGraph = 0;
    } else if (value == u"1"_s) {
        ws.values.netGraph = 1;
        const qsizetype entry =
            netGraphPositionValues().indexOf(valueOf(ws, cvarPrefix(u"net_graphpos"_s)));
        if (entry >= 0)
            ws.values.netGraphPosition = int(entry);
    }
}

void writeNetGraph(WizardWorkingSet& ws) {
    if (ws.values.netGraph == 1) {
        Savy(ws, cvarPrefix(u"net_graph"_s), u"1"_s, false);
        const int entry = ws.values.netGraphPosition;
        if (entry >= 0 && entry < netGraphPositionValues().size())
            Savy(ws, cvarPrefix(u"net_graphpos"_s), netGraphPositionValues()[entry], false);
    } else if (ws.values.netGraph == 0) {
        Savy(ws, cvarPrefix(u"net_graph"_s), u"0"_s, false);
    }
}

void readFastSprites(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, cvarPrefix(u"fastsprites"_s));
    if (value.size() == 1)
        ws.values.fastSprites = value;
}

// Map change: minutes or rounds, the other one "0".

void readMapChange(WizardWorkingSet& ws) {
    const QString minutes = valueOf(ws, cvarPrefix(u"mp_timelimit"_s));
    if (!minutes.isEmpty() && minutes != u"0"_s) {
        ws.values.mapChangeMinutes = minutes;
        ws.values.mapChangeRounds = u"0"_s;
        return;
    }
    const QString rounds = valueOf(ws, cvarPrefix(u"mp_maxrounds"_s));
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
    QString value = valueOf(ws, cvarPrefix(u"sv_restartround"_s));
    if (value.isEmpty())
        value = valueOf(ws, cvarPrefix(u"sv_restart"_s));
    ws.values.restart = value;
}

void writeRestart(WizardWorkingSet& ws) {
    const QString& text = ws.values.restart;
    if (text.isEmpty())
        return;
    Savy(ws, cvarPrefix(u"sv_restartround"_s), text, true);
    if (!ws.lineWritten)
        Savy(ws, cvarPrefix(u"sv_restart"_s), text, false);
}

// Team balance: the allowed difference, with automatic balancing off.

void readTeamBalance(WizardWorkingSet& ws) {
    if (valueOf(ws, cvarPrefix(u"mp_autoteambalance"_s)) != u"0"_s)
        ws.values.teamBalance = u"0"_s;
    else
        ws.values.teamBalance = valueOf(ws, cvarPrefix(u"mp_limitteams"_s));
}

void writeTeamBalance(WizardWorkingSet& ws) {
    // An empty field is no choice: nothing is written for team balance.
    if (ws.values.teamBalance.isEmpty())
        return;
    Savy(ws, cvarPrefix(u"mp_limitteams"_s), ws.values.teamBalance, false);
    Savy(ws, cvarPrefix(u"mp_autoteambalance"_s), u"0"_s, false);
}

// Spectator: 1, 2 or 0.

void readSpectator(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, cvarPrefix(u"mp_forcechasecam"_s));
    if (value == u"0"_s || value == u"1"_s || value == u"2"_s)
        ws.values.spectator = value.toInt();
}

void writeSpectator(WizardWorkingSet& ws) {
    const int choice = ws.values.spectator;
    if (choice >= 0 && choice <= 2)
        Savy(ws, cvarPrefix(u"mp_forcechasecam"_s), choiceText(choice), false);
}

// Connection rate: an entry of the list, or a free number.

void readRate(WizardWorkingSet& ws) {
    const QString value = valueOf(ws, cvarPrefix(u"rate"_s));
    ws.values.rateFromList = 1;
    ws.values.rateEntry = 0;
    if (value.isEmpty())
        return;
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (!isNumber)
        return;
    const qsizetype entry = rateValues().indexOf(number);
    if (entry > 0) {
        ws.values.rateEntry = int(entry);
    } else {
        ws.values.rateFromList = 0;
        ws.values.rateNumber = value;
    }
}

void writeRate(WizardWorkingSet& ws) {
    QString value;
    if (ws.values.rateFromList == 1) {
        const int entry = ws.values.rateEntry;
        if (entry >= 0 && entry < rateValues().size())
            value = QString::number(rateValues()[entry]);
    } else {
        value = ws.values.rateNumber;
    }
    if (!value.isEmpty())
        Savy(ws, cvarPrefix(u"rate"_s), value, false);
}

// By kind.

void readSetting(WizardWorkingSet& ws, const WizardSetting& setting) {
    WizardPageValues& v = ws.values;
    const QString& name = setting.configNames.value(0);
    switch (setting.kind) {
    case SettingKind::RadioPair:
        readRadioPair(ws, cvarPrefix(name), v.*setting.choice);
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
