// config.cfg is the game's own file: when the game exits it writes it anew with the key bindings
// and the settings it saves, nothing else. An alias, an exec, a command or a setting the game
// does not save, written into config.cfg, is gone after the next game; autoexec.cfg is the place
// for them (the wizard writes its scripts there for this reason).
#pragma once

#include "language/vocabulary.h"

#include <QList>
#include <QString>
#include <QStringView>

// Whether a file is the game's config.cfg (its name, any letter case, in any folder).
bool isConfigCfg(const QString& fileName);

// Whether a text starts the way the game writes config.cfg: its header line, or "unbindall" as
// the first command.
bool startsLikeGameConfig(QStringView text);

// Whether a command at the top of a line of config.cfg outlives the game's rewriting: a bind or
// an unbind (the game writes the bindings back), unbindall, setinfo, +mlook and +jlook (written
// back while on), "exec userconfig.cfg" (the Steam game writes it itself), and a setting the
// game saves. `lowerName` is the command in lower case, `argument` the word after it.
bool keptInConfigCfg(QStringView lowerName, QStringView argument, const Vocabulary& words);

// The one finding for a config.cfg with lines the game drops (1-based line numbers, in order).
QString notKeptMessage(const QList<int>& lines);
