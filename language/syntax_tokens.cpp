// The line tokenizer for highlighting.
#include "language/syntax_tokens.h"

QList<SyntaxToken> tokenizeLine(QStringView line, const Vocabulary& words,
                                const QSet<QString>& aliases) {
    const ConfigLine parsed = parseConfigLine(line);
    QList<SyntaxToken> tokens;
    for (const ConfigCommand& c : parsed.commands) {
        for (qsizetype i = 0; i < c.words.size(); ++i) {
            const ConfigWord& w = c.words.at(i);
            if (i == 0) {
                WordKind kind = words.kindOf(w.text);
                if (kind == WordKind::Unknown && aliases.contains(w.text.toString().toLower()))
                    kind = WordKind::Alias;
                static constexpr TokenKind byWord[] = {TokenKind::Unknown, TokenKind::Keyword,
                                                       TokenKind::Command, TokenKind::Variable,
                                                       TokenKind::Alias};
                tokens.append({w.start, w.length, byWord[int(kind)]});
            } else if (isConfigNumber(w.text)) {
                tokens.append({w.start, w.length, TokenKind::Number});
            } else if (w.quoted) {
                tokens.append({w.start, w.length, TokenKind::String});
            }
        }
    }
    if (parsed.commentStart >= 0)
        tokens.append(
            {parsed.commentStart, int(line.size()) - parsed.commentStart, TokenKind::Comment});
    return tokens;
}
