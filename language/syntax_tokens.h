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

// `aliases` in lower case, as definedAliases gives them.
QList<SyntaxToken> tokenizeLine(QStringView line, const Vocabulary& words,
                                const QSet<QString>& aliases);
