// The aliases the keyboard map takes from the rest of the config set: the game runs config.cfg
// and autoexec.cfg at every start, and the files they exec, so a key of one file may run an
// alias another defines (the wizard keeps its buy, radio and chat scripts in autoexec.cfg).
#pragma once

#include "keys/key_resolution.h"

// The aliases of `text` as the game leaves them once it ran it, added to `into` under the file
// name `file`: a later definition of a name replaces an earlier one, and an alias that another
// alias defines counts only while nothing defines the name at the top of a line.
void collectOuterAliases(QStringView text, const QString& file, OuterAliases& into);

// The aliases of the config set of `gameDir` (config.cfg, autoexec.cfg and what they exec), in
// the order the game runs them. The file `documentPath` is the one the editor shows: its lines
// are the map's own, so its aliases are left out here, but what it execs is read.
OuterAliases configSetAliases(const QString& gameDir, const QString& documentPath);
