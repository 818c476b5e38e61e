// The highlighter's view of a line: which stretches are comments, strings, numbers, the four
// config keywords, known commands and variables, the document's aliases and unknown first words.
// Plain words get no token and keep the editor's own colour.
#pragma once

#include "language/vocabulary.h"

#include <QList>
#include <QSet>

enum class TokenKind { Comment, String, Number, Keyword, Command, Variable, Alias, Unknown };
constexpr int kTokenKindCount = 8;

struct SyntaxToken {
    int start = 0;
    int length = 0;
    TokenKind kind = TokenKind::Unknown;
    bool operator==(const SyntaxToken&) const = default;
};

// `aliases` in lower case, as definedAliases gives them. When `aliasWords` is given, it is set to
// the aliasWordBit of every word looked up among the aliases: the line's colours can change with
// the aliases only when a name whose bit it holds comes or goes.
QList<SyntaxToken> tokenizeLine(QStringView line, const Vocabulary& words,
                                const QSet<QString>& aliases, quint64* aliasWords = nullptr);

// The tokens as runs of one look for the layout, which shapes each run apart: blanks (spaces and
// tabs) between two tokens join the next token when its kind is in `colourOnlyKinds` (a bit per
// kind whose look is a colour alone, so a blank looks the same in it), else the previous one when
// that kind is; then neighbouring tokens of one kind become one. The line looks the same, in
// fewer runs.
QList<SyntaxToken> joinedForLayout(QStringView line, QList<SyntaxToken> tokens,
                                   quint32 colourOnlyKinds);

// One bit of 64 for a name in lower case, the same for the same name.
quint64 aliasWordBit(QStringView name);
