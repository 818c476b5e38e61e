// The config set's side of the check: a setting or bind of this file that a file the game runs
// after it undoes (the game's start runs autoexec.cfg before config.cfg, and config.cfg's
// userconfig.cfg last), as an information line at the line undone.
#pragma once

#include "language/config_report.h"
#include "language/parsed_config.h"

class Vocabulary;

// The set is run with the config standing in for its file; nothing is found for a config the
// game does not run, outside the game's folders, or over a megabyte (a player's set is a few
// files of a few kilobytes).
void setOverrides(const ParsedConfig& config, const QString& gameDir, const CheckedFile& file,
                  const Vocabulary& words, FindingList& findings);
