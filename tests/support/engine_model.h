// A model of how the game's console reads a config, written straight from the engine's own loop
// over bytes (the command buffer's splitting, the tokenizer and its word parser, with a signed
// char as the original compares it) and kept apart from the program's reader, so that the two
// can be held against each other on any text.
#pragma once

#include <QByteArray>
#include <QList>

namespace enginemodel {

using Words = QList<QByteArray>;

namespace detail {

inline bool single(signed char c) {
    return c == '{' || c == '}' || c == ')' || c == '(' || c == '\'' || c == ',' || c == ':';
}

// The word parser: returns where it stopped, or nullptr at the end of the text.
inline const char* parse(const char* data, QByteArray& token) {
    token.clear();
    signed char c;
skipwhite:
    while ((c = static_cast<signed char>(*data)) <= ' ') {
        if (c == 0)
            return nullptr;
        ++data;
    }
    if (c == '/' && data[1] == '/') {
        while (*data && *data != '\n')
            ++data;
        goto skipwhite;
    }
    if (c == '"') {
        ++data;
        for (;;) {
            c = static_cast<signed char>(*data++);
            if (c == 0)
                return data - 1;
            if (c == '"')
                return data;
            token.append(char(c));
        }
    }
    if (single(c)) {
        token.append(char(c));
        return data + 1;
    }
    do {
        token.append(char(c));
        ++data;
        c = static_cast<signed char>(*data);
        if (single(c))
            break;
    } while (c < 0 || c > 32);
    return data;
}

inline Words tokenize(const QByteArray& line) {
    Words words;
    const char* text = line.constData(); // a QByteArray ends in a zero byte
    QByteArray token;
    for (;;) {
        while (*text && static_cast<signed char>(*text) <= ' ' && *text != '\n')
            ++text;
        if (*text == '\n' || *text == 0)
            break;
        text = parse(text, token);
        if (!text)
            break;
        if (token.size() + 1 >= 516)
            break;
        if (words.size() < 80)
            words.append(token);
    }
    return words;
}

} // namespace detail

// The commands the console runs from `text` (which holds no zero byte), in order, each as its
// words; commands without a word are left out.
inline QList<Words> commands(const QByteArray& text) {
    QList<Words> out;
    const qsizetype size = text.size();
    qsizetype pos = 0;
    while (pos < size) {
        int quotes = 0;
        qsizetype i = pos;
        for (; i < size; ++i) {
            if (text[i] == '"')
                ++quotes;
            if (!(quotes & 1) && text[i] == ';')
                break;
            if (text[i] == '\n')
                break;
        }
        qsizetype length = i - pos;
        if (length > 1023) {
            length = 1023;
            i = pos + 1023;
        }
        const QByteArray line = text.mid(pos, length);
        pos = i == size ? size : i + 1;
        const Words words = detail::tokenize(line);
        if (!words.isEmpty())
            out.append(words);
    }
    return out;
}

} // namespace enginemodel
