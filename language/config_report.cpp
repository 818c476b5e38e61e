// The findings of a check run and their messages.
#include "language/config_report.h"

#include "language/name_origins.h"

using namespace Qt::Literals::StringLiterals;

size_t qHash(const ConfigFinding& f, size_t seed) {
    return qHashMulti(seed, f.line, int(f.kind), f.message);
}

namespace {
using Form = ConfigReport::Form;
using Entry = ConfigReport::Entry;
using Finding = ConfigFinding;
} // namespace

bool ConfigReport::hasWrittenMessage(Form form) {
    return form == Form::AliasCycle || form == Form::PluginCommands ||
           form == Form::NotKeptInConfigCfg || form == Form::SplitValue ||
           form == Form::OverriddenInSet;
}

void FindingList::add(int line, Finding::Kind kind, Form form, TextSpan word, int number) {
    if (line != m_line) {
        m_lineStart = m_entries.size();
        m_line = line;
    }
    const Entry e{line, kind, form, number, word};
    for (qsizetype i = m_lineStart; i < m_entries.size(); ++i)
        if (sameMessage(m_entries.at(i), e))
            return;
    m_entries.append(e);
}

void FindingList::addWritten(int line, Finding::Kind kind, Form form, const QString& message,
                             TextSpan word) {
    m_written.append(message);
    add(line, kind, form, word, int(m_written.size() - 1));
}

QList<Finding> FindingList::toList() const {
    QList<Finding> list;
    list.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        list.append({e.line, e.kind, ConfigReport::message(e, m_text, m_written)});
    return list;
}

// Every template has a "»" right after its word, so two different words (without a "»" of
// their own) never give one message, and the same word gives one message with the same number
// only.
bool FindingList::sameMessage(const Entry& a, const Entry& b) const {
    if (a.kind != b.kind || a.form != b.form)
        return false;
    if (ConfigReport::hasWrittenMessage(a.form))
        return m_written.at(a.number) == m_written.at(b.number);
    const QStringView wordA = m_text.mid(a.word.start, a.word.length);
    const QStringView wordB = m_text.mid(b.word.start, b.word.length);
    if (wordA == wordB)
        return a.number == b.number;
    if (!wordA.contains(u'»') && !wordB.contains(u'»'))
        return false;
    return ConfigReport::message(a, m_text, m_written) ==
           ConfigReport::message(b, m_text, m_written);
}

QString ConfigReport::message(const Entry& e, QStringView text, const QStringList& written) {
    const QStringView word = text.mid(e.word.start, e.word.length);
    switch (e.form) {
    case Form::UnknownCommand:
        return u"Неизвестная команда или переменная «%1»"_s.arg(word);
    case Form::UnclosedQuote:
        return u"Кавычка не закрыта до конца строки"_s;
    case Form::LongCommand:
        return u"Команда длиннее 1023 байт: игра выполнит её начало, а остаток — как отдельную "
               u"команду"_s;
    case Form::DroppedWord:
        return u"Слово «%1…» длиннее 514 байт: игра отбросит его и все слова после него"_s.arg(
            word);
    case Form::ForeignStart:
        return u"«%1»: игра не прочтёт слово, начинающееся с русской буквы, без кавычек"_s.arg(
            word);
    case Form::GluedQuote:
        return u"Кавычка внутри слова «%1»: игра прочтёт её как часть слова"_s.arg(word);
    case Form::SteamLineBreak:
        return u"В версиях Steam файл длиннее 16 382 байт читается по строкам, и табуляция или "
               u"буква не из ASCII обрывает строку: остаток выполнится как отдельная команда"_s;
    case Form::LongAliasName:
        return u"Имя алиаса «%1» длиннее 31 символа: игра его не примет"_s.arg(word);
    case Form::PlusWithoutMinus:
        return u"Алиас «%1» без пары «-%2»: при отпускании клавиши игре нечего выполнить"_s.arg(
            word, word.mid(1));
    case Form::CommandAfterComment:
        return u"Комментарий кончается на «;»: игра выполнит «%1»"_s.arg(word);
    case Form::DuplicateBind:
        return u"Клавиша «%1» назначена дважды: строки %2 и %3 (действует последняя)"_s.arg(
            word, QString::number(e.number + 1), QString::number(e.line + 1));
    case Form::ShadowedAlias:
        return u"Алиас «%1» никогда не выполнится: игра сначала выполняет свою команду «%1»"_s.arg(
            word);
    case Form::MissingExecFile:
        return u"Файл «%1» не найден в каталоге игры"_s.arg(word);
    case Form::UnknownKey:
        return u"Игра не знает клавишу «%1»"_s.arg(word);
    case Form::UndefinedAlias:
        return u"«%1» не определён в этом файле: может быть, он задан в другом"_s.arg(word);
    case Form::LaterVersionName:
        return originMessage(NameOrigin(e.number), word);
    case Form::LongSetinfo:
        return u"«setinfo %1» ничего не задаёт: игра берёт только setinfo из трёх слов (ключ и "
               u"одно слово значения), а здесь после ключа слов: %2. Возьмите значение в "
               u"кавычки"_s.arg(word, QString::number(e.number));
    case Form::AliasCycle:
    case Form::PluginCommands:
    case Form::SplitValue:
    case Form::NotKeptInConfigCfg:
    case Form::OverriddenInSet:
        return written.at(e.number);
    }
    return QString();
}

QString ConfigReport::id(qsizetype i) const {
    const Entry& e = m_entries.at(i);
    switch (e.form) {
    case Form::UnknownCommand:
        return u"unknown-command"_s;
    case Form::UnclosedQuote:
        return u"unclosed-quote"_s;
    case Form::CommandAfterComment:
        return u"command-after-comment"_s;
    case Form::LongCommand:
        return u"long-command"_s;
    case Form::DroppedWord:
        return u"dropped-word"_s;
    case Form::ForeignStart:
        return u"non-ascii-word-start"_s;
    case Form::GluedQuote:
        return u"quote-in-word"_s;
    case Form::SplitValue:
        return u"split-value"_s;
    case Form::SteamLineBreak:
        return u"steam-line-break"_s;
    case Form::LongAliasName:
        return u"long-alias-name"_s;
    case Form::PlusWithoutMinus:
        return u"plus-without-minus"_s;
    case Form::DuplicateBind:
        return u"duplicate-bind"_s;
    case Form::AliasCycle:
        return u"alias-cycle"_s;
    case Form::ShadowedAlias:
        return u"shadowed-alias"_s;
    case Form::MissingExecFile:
        return u"missing-exec-file"_s;
    case Form::UnknownKey:
        return u"unknown-key"_s;
    case Form::UndefinedAlias:
        return u"undefined-alias"_s;
    case Form::LaterVersionName:
        return NameOrigin(e.number) == NameOrigin::Steam16 ||
                       NameOrigin(e.number) == NameOrigin::SteamLater
                   ? u"steam-version-name"_s
                   : u"rebuild-only-name"_s;
    case Form::PluginCommands:
        return u"plugin-commands"_s;
    case Form::NotKeptInConfigCfg:
        return u"not-kept-in-config-cfg"_s;
    case Form::OverriddenInSet:
        return u"overridden-in-set"_s;
    case Form::LongSetinfo:
        return u"long-setinfo"_s;
    }
    return u"finding"_s;
}

QString ConfigReport::message(qsizetype i) const {
    return message(m_entries.at(i), m_text, m_written);
}

QList<Finding> ConfigReport::toList() const {
    QList<Finding> list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

QString findingCaption(int line, const QString& message) {
    return u"Строка %1: %2"_s.arg(QString::number(line + 1), message);
}

QString findingCaption(const ConfigFinding& finding) {
    return findingCaption(finding.line, finding.message);
}
