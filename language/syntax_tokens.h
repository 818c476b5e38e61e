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

// One bit of 64 for a name in lower case, the same for the same name.
quint64 aliasWordBit(QStringView name);
