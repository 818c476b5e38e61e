// How each setting of the catalogue is read from the working document into the page values and
// written back as config lines. The common kinds (radio pair, user-info pair, field) are one
// rule each, driven by the catalogue; every special setting has a small reader and writer.
#pragma once

#include <QString>

struct SettingRef;
struct WizardPageValues;
struct WizardWorkingSet;
struct WizardSetting;

// Radio pair: "1" and "0" select their buttons; anything else, or no line, changes nothing.
void readRadioPair(WizardWorkingSet& ws, const SettingRef& setting, int& choice);
void writeRadioPair(WizardWorkingSet& ws, const QString& name, int choice);
// User-info pair: the setinfo form, then the plain form, which decides when both exist.
void readUserInfoPair(WizardWorkingSet& ws, const QString& name, int& choice);
// Rewrites a plain line, else rewrites or appends the setinfo form.
void writeUserInfoPair(WizardWorkingSet& ws, const QString& name, int choice);
// Field: the value, or empty when there is no line.
void readField(WizardWorkingSet& ws, const QString& name, QString& text);
// Writes `<name> "<text>"` when the text is not empty.
void writeField(WizardWorkingSet& ws, const QString& name, const QString& text);

// Reads or writes one setting of the catalogue by its kind (the special kinds included).
void readSetting(WizardWorkingSet& ws, const WizardSetting& setting);
void writeSetting(WizardWorkingSet& ws, const WizardSetting& setting);

// The special settings. Each reads into ws.values and writes from it.
void readConsoleColour(WizardWorkingSet& ws);
void writeConsoleColour(WizardWorkingSet& ws);
// The con_color value the page values stand for.
QString consoleColourValue(const WizardPageValues& values);
// Sets the colour list from a con_color value (empty: no line).
void setConsoleColourFromValue(WizardPageValues& values, const QString& value);

void readRadar(WizardWorkingSet& ws);
void writeRadar(WizardWorkingSet& ws);
void readCrosshairChange(WizardWorkingSet& ws);
void writeCrosshairChange(WizardWorkingSet& ws);
void readBobbing(WizardWorkingSet& ws);
void writeBobbing(WizardWorkingSet& ws);
void readNetGraph(WizardWorkingSet& ws);
void writeNetGraph(WizardWorkingSet& ws);
void readFastSprites(WizardWorkingSet& ws); // only a value of exactly one character
void readMapChange(WizardWorkingSet& ws);
void writeMapChangeMinutes(WizardWorkingSet& ws);
void writeMapChangeRounds(WizardWorkingSet& ws);
void readRestart(WizardWorkingSet& ws);
void writeRestart(WizardWorkingSet& ws);
void readTeamBalance(WizardWorkingSet& ws);
void writeTeamBalance(WizardWorkingSet& ws);
void readSpectator(WizardWorkingSet& ws);
void writeSpectator(WizardWorkingSet& ws);
void readRate(WizardWorkingSet& ws);
// The rate value the page values stand for; empty for none.
QString rateValueText(const WizardPageValues& values);
void writeRate(WizardWorkingSet& ws);
