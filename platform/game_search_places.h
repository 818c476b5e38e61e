// The places of the desktop where installed games are looked for: the home folder, the XDG data
// and config homes and Wine's prefix.
#pragma once

#include <QString>

// Where to look. An empty home means nowhere (the tests' programs leave it so).
struct GameSearchPlaces {
    QString home;
    QString dataHome;   // $XDG_DATA_HOME or ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME or ~/.config
    QString winePrefix; // $WINEPREFIX
    static GameSearchPlaces fromEnvironment();
};
