// Explanation files (".pro"): INI text whose sections are named after entries, with the
// explanation under key "q". ReadIni2 looks an entry up in the library's own file, the second-
// choice file and the general file, in that order.
#pragma once

#include "platform/program_home.h"

#include <QString>

class ExplanationCache;
struct SharedState;

// The longest explanation value taken from a file.
constexpr qsizetype kMaxExplanationLength = 2047;

// The value of `key` in section `section` of the explanation file at `path` (section and key
// matched without regard to case, value trimmed, at most 2047 characters), or "????" when the
// file, the section or the key is missing.
QString readExplanationValue(const QString& path, const QString& section,
                             const QString& key = QStringLiteral("q"));

// ReadIni2: the explanation of `entry` as ExplanationText, a blank followed by the value, or
// " ????". While the reference window's library page is active, "dlls\dlz\" + library + ".pro"
// and then "dlls\ans2.pro" are asked first; "dlls\ans1.pro" always comes last. A value that
// reads "????" counts as missing. With a cache the files are parsed once, not at every call.
QString ReadIni2(const ProgramHome& home, const QString& library, const QString& entry,
                 bool dlzPageActive, const QString& key = QStringLiteral("q"),
                 ExplanationCache* cache = nullptr);

// ReadIni2 as the windows call it: the page that decides the order is the reference window's
// active page (SharedState::dlzPageActive), the files come through SharedState::explanations,
// and the result is left in SharedState::explanationText as well as returned.
const QString& ReadIni2(SharedState& state, const QString& library, const QString& entry,
                        const QString& key = QStringLiteral("q"));
