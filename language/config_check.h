// "Проверить конфиг": what is wrong or suspicious in a config, each finding with its line. The
// text is read once into a list of its commands (those inside the bodies of binds and aliases
// included), each a few numbers and places in the text; every check is a function of its own
// over that list, so each is tested on its own. Messages are written when they are shown.
#pragma once

#include "language/config_report.h"
#include "language/config_set.h"
#include "language/parsed_config.h"
#include "language/vocabulary.h"

#include <QList>
#include <QString>

// A first word of a line that no list knows and that is not defined as an alias.
QList<ConfigFinding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words);
// A double quote without its closing partner on the same line.
QList<ConfigFinding> checkUnclosedQuotes(const ParsedConfig& config);
// Where the console reads a command otherwise than it looks: a command longer than its line
// (1023 bytes: the rest runs as another command; long alias lines of a pack hit it), a word of
// 515 bytes or more (dropped with the rest), a word outside quotes that begins with a Russian
// letter (skipped: `name Вася` only prints the name), a quote glued to a bare word, and a
// one-character word ("{ } ( ) ' , :") that splits a setting's value (`sensitivity 2,5` is 2).
QList<ConfigFinding> checkConsoleReading(const ParsedConfig& config, const Vocabulary& words);
// For a file of 16,382 bytes or more: the lines that hold a tab or a non-ASCII character, which
// the Steam-era engine ends there when it runs such a file line by line (an information line).
QList<ConfigFinding> checkSteamLineBreaks(const ParsedConfig& config, qint64 fileBytes);
// An alias "+name" with no "-name" anywhere: a key bound to it runs "-name" when released, and
// whatever "+name" began (a held duck, a turned-on variable) goes on.
QList<ConfigFinding> checkPlusAliasesWithoutMinus(const ParsedConfig& config,
                                                  const Vocabulary& words);
// An alias name of 32 characters or more: the game refuses to define it.
QList<ConfigFinding> checkLongAliasNames(const ParsedConfig& config);
// A setinfo of more than three words (`setinfo dm 1 x`, `setinfo _vgui_menus 1,`): the console
// sets nothing from it.
QList<ConfigFinding> checkLongSetinfos(const ParsedConfig& config);
// A command after a comment on its line: the console splits a line at ";" before it reads
// comments, so "// old; bind x y" still binds x. Usually a line commented out in part.
QList<ConfigFinding> checkCommandsAfterComments(const ParsedConfig& config);
// The same key bound on two lines: the later one wins in the game; both lines are named.
QList<ConfigFinding> checkDuplicateBinds(const ParsedConfig& config);
// Aliases that call each other round in a circle with none of them ever redefined (no way
// out: the game hangs or overflows), the circle named. A call of a name the game has as a
// command runs that command, not the alias, so it closes no circle.
QList<ConfigFinding> checkAliasCycles(const ParsedConfig& config, const Vocabulary& words);
// An alias named like a command of the game: the console runs the command, never the alias.
QList<ConfigFinding> checkShadowedAliases(const ParsedConfig& config, const Vocabulary& words);
// A command inside a bind or an alias that is neither known nor defined (a hint: it may come
// from a file the check does not see).
QList<ConfigFinding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words);
// A name the game of CS 1.5 does not have: one of the Steam releases (a warning: the 1.5 game
// answers "Unknown command"; an information line for a command the game server handles), or one
// open rebuild's own (an information line: no release of the game has it). An alias of that name
// the config defines is its own. A config the game itself wrote gets none: its names are those of
// the version that wrote it.
QList<ConfigFinding> checkLaterVersionNames(const ParsedConfig& config, const Vocabulary& words);
// In the game's config.cfg (see language/saved_settings.h): the lines the game drops when it
// rewrites the file on exit, in one finding for the file.
QList<ConfigFinding> checkNotKeptInConfigCfg(const ParsedConfig& config, const Vocabulary& words);
// Whether every command at the top of the config's lines is one the game writes into config.cfg
// (bindings, saved settings, setinfo, +mlook): a config the game wrote, of any release. Needs a
// config read without a vocabulary (all of its commands).
bool looksWrittenByGame(const ParsedConfig& config, const Vocabulary& words);
// Commands of server plugins (amx_*, admin_*): one information line for the whole config.
QList<ConfigFinding> checkPluginCommands(const ParsedConfig& config);
// "exec" of a file that the game directory (or the base game's folder beside it) does not have.
// No finding when the game directory is not known.
QList<ConfigFinding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir);
// A bind or unbind of a key name the game does not know (any letter case).
QList<ConfigFinding> checkUnknownKeys(const ParsedConfig& config, const Vocabulary& words);

// Every check, ordered by line; aliases from the game's other files count as defined. `file`
// says how the text is stored and its path or name (empty for an unsaved text): the game's
// config.cfg gets the check of the lines it does not keep.
ConfigReport checkConfigReport(const QString& text, const Vocabulary& words,
                               const QString& gameDir, const CheckedFile& file = {},
                               GameFolderAliases* folder = nullptr);
// The same with every message written.
QList<ConfigFinding> checkConfig(const QString& text, const Vocabulary& words,
                                 const QString& gameDir, const CheckedFile& file = {});
