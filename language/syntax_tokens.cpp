// The line tokenizer for highlighting.
#include "language/syntax_tokens.h"

#include <algorithm>

QList<SyntaxToken> tokenizeLine(QStringView line, const Vocabulary& words,
                                const QSet<QString>& aliases, quint64* aliasWords) {
    if (aliasWords)
        *aliasWords = 0;
    QList<SyntaxToken> tokens;
    tokens.reserve(8); // more than most lines hold
    int wordIndex = 0; // within the command being read
    // A comment runs to the end of its command, after all its words, so the tokens stay in the
    // order of the line as they are met.
    scanConfigLine(
        line, 0,
        [&](const ConfigWord& w) {
            if (wordIndex++ == 0) {
                WordKind kind = words.kindOf(w.text);
                if (kind == WordKind::Unknown) {
                    const QString name = console::foldedName(w.text);
                    if (aliases.contains(name))
                        kind = WordKind::Alias;
                    if (aliasWords)
                        *aliasWords |= aliasWordBit(name);
                }
                static constexpr TokenKind byWord[] = {TokenKind::Unknown, TokenKind::Keyword,
                                                       TokenKind::Command, TokenKind::Variable,
                                                       TokenKind::Alias};
                tokens.append({w.start, w.length, byWord[int(kind)]});
            } else if (isConfigNumber(w.text)) {
                tokens.append({w.start, w.length, TokenKind::Number});
            } else if (w.quoted) {
                tokens.append({w.start, w.length, TokenKind::String});
            }
        },
        [&](const CommandReading&) { wordIndex = 0; },
        [&](const ConfigComment& comment) {
            tokens.append({comment.start, comment.length, TokenKind::Comment});
        });
    return tokens;
}

QList<SyntaxToken> joinedForLayout(QStringView line, QList<SyntaxToken> tokens,
                                   quint32 colourOnlyKinds) {
    const auto colourOnly = [&](const SyntaxToken& t) {
        return (colourOnlyKinds >> int(t.kind)) & 1u;
    };
    const auto blanks = [&](int from, int to) {
        return std::all_of(line.begin() + from, line.begin() + to,
                           [](QChar c) { return c == u' ' || c == u'\t'; });
    };
    // The runs are written over the tokens they come from, which are read first.
    qsizetype runs = 0;
    int end = 0; // where the previous token ends
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        SyntaxToken t = tokens[i];
        SyntaxToken* previous = runs == 0 ? nullptr : &tokens[runs - 1];
        if (t.start > end && blanks(end, t.start)) {
            if (colourOnly(t)) {
                t.length += t.start - end;
                t.start = end;
            } else if (previous && colourOnly(*previous)) {
                previous->length = t.start - previous->start;
            }
        }
        end = t.start + t.length;
        if (previous && previous->kind == t.kind && previous->start + previous->length == t.start)
            previous->length += t.length;
        else
            tokens[runs++] = t;
    }
    tokens.resize(runs);
    return tokens;
}

quint64 aliasWordBit(QStringView name) {
    return quint64(1) << (qHash(name) % 64);
}
