// What the rest of the config set does to the keys and aliases of the config the keyboard map
// shows: the game runs valve.rc (and autoexec.cfg with it), config.cfg and what they exec at every
// start (language/config_run.h), so a key of one file may run an alias another defines, and a
// bind of one file may be undone by another that runs after it.
#pragma once

#include "keys/key_resolution.h"
#include "language/config_run.h"

class Vocabulary;

struct ConfigSetKeys {
    OuterAliases aliases;
    OuterBinds binds;
};

// From a run of the set in which the document stood in for its file (watched): the final binds
// and aliases that other files decide. When the game never runs the document, only the set's
// aliases are lent, and the document's own win.
ConfigSetKeys configSetKeys(const configrun::Result& run);

// Runs the set of `gameDir` with `documentText` standing in for the file `documentPath`.
configrun::Result runForDocument(const QString& gameDir, const QString& documentPath,
                                 const QString& documentText, const Vocabulary& words);
