// The findings of a check run, ordered by line, and their messages: a finding is kept as a few
// numbers and a place in the text, and its message is written when it is shown.
#pragma once

#include "language/parsed_config.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ConfigFinding {
    enum class Kind { Warning, Hint };
    int line = 0; // 0-based
    Kind kind = Kind::Warning;
    QString message;
    bool operator==(const ConfigFinding&) const = default;
};
Q_DECLARE_TYPEINFO(ConfigFinding, Q_RELOCATABLE_TYPE);
size_t qHash(const ConfigFinding& f, size_t seed = 0);

// The checked file: how its text is stored (the encoding's bytes per character, and whether its
// lines end in CR LF, for the byte limits and the size the game reads) and its path or name.
struct GameFolderAliases;

struct CheckedFile {
    console::Bytes bytes = console::Bytes::Single;
    bool crLf = true;
    QString name;
};

// The findings of a check run, ordered by line. A message is written only when it is asked
// for: a long config has hundreds of thousands of findings, and the list shows a few at a time.
class ConfigReport {
public:
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int line(qsizetype i) const { return m_entries.at(i).line; }
    ConfigFinding::Kind kind(qsizetype i) const { return m_entries.at(i).kind; }
    QString message(qsizetype i) const;
    ConfigFinding at(qsizetype i) const { return {line(i), kind(i), message(i)}; }
    QList<ConfigFinding> toList() const;

    // How a finding is worded: a template filled with a word of the text (and a line), or a
    // message written while checking.
    enum class Form : quint8 {
        UnknownCommand,
        UnclosedQuote,
        CommandAfterComment,
        LongCommand,
        DroppedWord,
        ForeignStart,
        GluedQuote,
        SplitValue, // `number`: the message in `written`
        SteamLineBreak,
        LongAliasName,
        PlusWithoutMinus,
        DuplicateBind, // `number`: the line of the earlier bind
        AliasCycle,    // `number`: the message in `written`
        ShadowedAlias,
        MissingExecFile,
        UnknownKey,
        UndefinedAlias,
        LaterVersionName,   // `number`: the NameOrigin
        PluginCommands,     // `number`: the message in `written`
        NotKeptInConfigCfg, // `number`: the message in `written`
        OverriddenInSet,    // `number`: the message in `written`
        LongSetinfo,        // `number`: the words after the key
    };
    Form form(qsizetype i) const { return m_entries.at(i).form; }
    // Where the finding's word stands in the checked text (empty for a finding of a whole line).
    TextSpan word(qsizetype i) const { return m_entries.at(i).word; }
    // The short English id of a finding's kind, stable between versions ("unknown-command"):
    // for the command line and the tools that read what it prints.
    QString id(qsizetype i) const;

    struct Entry {
        int line = 0;
        ConfigFinding::Kind kind = ConfigFinding::Kind::Warning;
        Form form = Form::UnclosedQuote;
        int number = 0;
        TextSpan word;
    };
    // Whether the entry's message was written while checking (`number` is its place in the
    // written list).
    static bool hasWrittenMessage(Form form);
    // The message of an entry whose word is in `text`.
    static QString message(const Entry& e, QStringView text, const QStringList& written);

private:
    friend ConfigReport checkConfigReport(const QString&, const Vocabulary&, const QString&,
                                          const CheckedFile&, GameFolderAliases*);
    QString m_text; // the words of the findings are spans of it
    QList<Entry> m_entries;
    QStringList m_written;
};
Q_DECLARE_TYPEINFO(ConfigReport::Entry, Q_RELOCATABLE_TYPE);

// The findings of one check, each once, with their messages unwritten. A check walks the text
// in order, so a finding can only repeat one of its own line: the new one is compared with the
// current line's findings (a few).
class FindingList {
public:
    explicit FindingList(const ParsedConfig& config) : m_text(config.text) {}

    void add(int line, ConfigFinding::Kind kind, ConfigReport::Form form, TextSpan word,
             int number = 0);
    // A finding whose message is written already.
    void addWritten(int line, ConfigFinding::Kind kind, ConfigReport::Form form,
                    const QString& message, TextSpan word = {});

    const QList<ConfigReport::Entry>& entries() const { return m_entries; }
    const QStringList& written() const { return m_written; }
    QList<ConfigFinding> toList() const;

private:
    // Whether two findings of one line and one check read the same.
    bool sameMessage(const ConfigReport::Entry& a, const ConfigReport::Entry& b) const;

    QStringView m_text;
    QList<ConfigReport::Entry> m_entries;
    QStringList m_written;
    qsizetype m_lineStart = 0; // the first finding of the current line
    int m_line = -1;
};

// "Строка 12: ..." as the check list shows a finding.
QString findingCaption(const ConfigFinding& finding);
QString findingCaption(int line, const QString& message);
