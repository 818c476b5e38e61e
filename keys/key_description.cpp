// The keyboard map's texts.
#include "keys/key_description.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kShownLines = 5;
constexpr int kExplained = 3;

QString escaped(const QString& s) {
    return s.toHtmlEscaped();
}

// The commands joined by "; ", a run of one command written once with its count ("wait ×8").
QString commandsText(const QStringList& commands) {
    QStringList shown;
    for (qsizetype i = 0; i < commands.size();) {
        qsizetype run = 1;
        while (i + run < commands.size() && commands[i + run] == commands[i])
            ++run;
        shown.append(run > 1 ? commands[i] + u" ×"_s + QString::number(run) : commands[i]);
        i += run;
    }
    return escaped(shown.join(u"; "_s));
}

bool contains(const QStringList& list, const QString& filter) {
    for (const QString& s : list)
        if (s.contains(filter, Qt::CaseInsensitive))
            return true;
    return false;
}

QString firstWord(const QString& command) {
    return command.section(u' ', 0, 0);
}

} // namespace

QString keyKindCaption(KeyKind kind) {
    switch (kind) {
    case KeyKind::Free:
        return u"Свободна"_s;
    case KeyKind::Action:
        return u"Действие игры"_s;
    case KeyKind::Alias:
        return u"Алиас конфига"_s;
    case KeyKind::Script:
        return u"Сценарий Tessera"_s;
    case KeyKind::Modifier:
        return u"Модификатор сочетания"_s;
    }
    return QString();
}

bool bindingMatches(const KeyBinding& b, const QString& filter) {
    if (filter.isEmpty())
        return false;
    if (b.command.contains(filter, Qt::CaseInsensitive) || contains(b.pressed, filter) ||
        contains(b.released, filter))
        return true;
    for (const KeyCombo& c : b.combined)
        if (c.command.contains(filter, Qt::CaseInsensitive) || contains(c.pressed, filter))
            return true;
    return false;
}

QString keyDescription(const QString& key, const KeyBinding& b,
                       const KeyDescriptionSources& sources) {
    QStringList out;
    QString title = u"<b>%1</b> — %2"_s.arg(escaped(key), keyKindCaption(b.kind));
    if (!b.script.isEmpty())
        title += u" (%1)"_s.arg(escaped(b.script));
    out << title;
    const qsizetype from = std::max<qsizetype>(0, b.lines.size() - kShownLines);
    if (from > 0)
        out << u"… ещё %1 строк выше"_s.arg(QString::number(from));
    for (qsizetype i = from; i < b.lines.size(); ++i) {
        const int line = b.lines[i];
        const QString text = sources.lineText ? sources.lineText(line).trimmed() : QString();
        out << u"Строка %1: <code>%2</code>"_s.arg(QString::number(line + 1), escaped(text));
    }
    if (b.conflict)
        out << u"<font color=\"#b00000\">Назначена %1 раз: действует строка %2</font>"_s.arg(
            QString::number(b.lines.size()), QString::number(b.lines.last() + 1));
    if (!b.aliases.isEmpty() || b.kind == KeyKind::Modifier)
        out << u"Выполняет: <code>%1</code>"_s.arg(commandsText(b.pressed));
    if (!b.released.isEmpty())
        out << u"При отпускании: <code>%1</code>"_s.arg(commandsText(b.released));
    for (const KeyCombo& c : b.holds)
        out << u"Пока нажата, %1 → <code>%2</code>"_s.arg(escaped(c.key), escaped(c.command));
    for (const KeyCombo& c : b.combined)
        out << u"С %1: <code>%2</code> → <code>%3</code>"_s.arg(escaped(c.key), escaped(c.command),
                                                                commandsText(c.pressed));
    for (const QString& note : b.notes)
        out << u"<i>%1</i>"_s.arg(escaped(note));

    // What the game's own commands do.
    QStringList names;
    auto consider = [&](const QStringList& commands) {
        for (const QString& c : commands) {
            const QString name = firstWord(c);
            if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    };
    consider(b.pressed.isEmpty() && !b.command.isEmpty() ? QStringList{b.command} : b.pressed);
    for (const KeyCombo& c : b.combined)
        consider(c.pressed);
    int explained = 0;
    for (const QString& name : std::as_const(names)) {
        if (explained == kExplained || !sources.explanation)
            break;
        const QString text = sources.explanation(name).trimmed();
        if (text.isEmpty())
            continue;
        out << u"<b>%1</b>: %2"_s.arg(escaped(name), escaped(text));
        ++explained;
    }
    if (b.lines.isEmpty() && b.combined.isEmpty())
        out << u"Щелчок добавит строку <code>%1</code>"_s.arg(escaped(newBindLine(key)));
    return out.join(u"<br>"_s);
}

int lineForKey(const KeyMapResult& map, const QString& key) {
    const KeyBinding& b = map.binding(key);
    if (!b.lines.isEmpty())
        return b.lines.last();
    for (const KeyCombo& c : b.combined) {
        const KeyBinding& modifier = map.binding(c.key);
        if (!modifier.lines.isEmpty())
            return modifier.lines.last();
    }
    return -1;
}

QString newBindLine(const QString& key) {
    return u"bind \"%1\" \"\""_s.arg(key);
}

QString unknownKeysText(const QList<UnknownKeyName>& unknown, int maxNames) {
    if (unknown.isEmpty())
        return QString();
    QStringList names;
    for (const UnknownKeyName& u : unknown.mid(0, maxNames)) {
        QStringList lines;
        for (int line : u.lines.mid(0, 5))
            lines.append(QString::number(line + 1));
        if (u.lines.size() > 5)
            lines.append(u"…"_s);
        names.append(u"%1 (%2 %3)"_s.arg(u.name, u.lines.size() == 1 ? u"строка"_s : u"строки"_s,
                                         lines.join(u", "_s)));
    }
    QString text = u"Неизвестные имена клавиш: "_s + names.join(u"; "_s);
    if (unknown.size() > maxNames)
        text += u"; и ещё %1"_s.arg(QString::number(unknown.size() - maxNames));
    return text;
}
