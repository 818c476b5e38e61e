// `tessera --effective`: the final state of the config set the game runs at start, each
// variable, key, alias and user-info key with its value, the line that set it and what it undid.
#pragma once

#include "language/config_run.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

class Vocabulary;

// The run's options for a game folder, with each of `files` standing in for its namesake of the
// set. A file that cannot be read is named on `err` and makes `ok` false.
configrun::Options effectiveOptions(const QString& gameDir, const QStringList& files,
                                    QTextStream& err, bool& ok);

// Prints the final state, one line a name; true when the run has a warning (it stopped or
// dropped text, as the game would).
bool listEffective(const configrun::Result& result, bool json, QTextStream& out);
