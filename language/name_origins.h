// What the check says of a name that the game of CS 1.5 does not have: a name of the Steam
// releases (the 1.5 game answers "Unknown command"), or one open rebuild's own addition that no
// release of the game has at all.
#pragma once

#include "language/vocabulary.h"

#include <QString>
#include <QStringView>

enum class NameOrigin : quint8 { Game15, Steam16, SteamLater, ReHlds, ReGameDll, CsClient, Xash };

NameOrigin originOf(const WordInfo& info);

// A rebuild's name is an information line (its players use it on purpose); a name of the Steam
// releases is a warning, as the 1.5 game answers "Unknown command" to it, except a command the
// game server handles: the client sends it on and answers nothing.
bool originIsWarning(const WordInfo& info);

// The short mark a list of names (completion) puts after one: "CS 1.6 (Steam)", "только
// Xash3D"; empty for Game15.
QString originMark(NameOrigin origin);

// "«http_download» есть только в Xash3D, в игре её нет" and the like; empty for Game15.
QString originMessage(NameOrigin origin, QStringView word);
