// A private-profile INI file read and written the Windows way: case-insensitive sections and
// keys, names and values trimmed, one pair of surrounding quotes removed from a value, no inline
// comments, the first matching section and key win. Writing keeps every line it does not change
// and the file's encoding and line breaks; a new key goes at the end of its section, a new section
// at the end of the file.
#pragma once

#include "platform/text_file.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class IniProfile {
public:
    explicit IniProfile(QString path);

    // Reads the file afresh. A missing or unreadable file reads as an empty one.
    void load();
    // Takes `text` ("\n" line breaks) as the file's content, for data already read whole.
    void loadText(const QString& text);
    // Writes the file through the atomic write routine (the file is created when missing).
    textfile::WriteResult save() const;
    // Every later save writes `form`, whatever form the file was read in: for a file the program
    // keeps for itself, whose form it decides.
    void writeInForm(const textfile::TextForm& form) { m_fixedForm = form; }

    std::optional<QString> value(const QString& section, const QString& key) const;
    // A line break in a section, key or value would end its line and turn the rest into other
    // keys or sections, so such a value is refused: false, and nothing changes.
    [[nodiscard]] bool setValue(const QString& section, const QString& key, const QString& value);
    // Whether `text` can stand in a section name, key or value (it holds no CR or LF).
    static bool canStore(const QString& text);
    // The reason given for a refused value.
    static QString refusedReason();

    // Every section's values for lookups without a scan, as value() finds them: the first
    // section of a name and the first key in it, names trimmed and case-folded.
    using Index = QHash<QString, QHash<QString, QString>>;
    Index index() const;

    // Convenience for one access that opens the file afresh, as the settings readers do.
    static std::optional<QString> read(const QString& path, const QString& section,
                                       const QString& key);
    // A refused value writes nothing and fails with refusedReason(); the old line stays.
    static textfile::WriteResult write(const QString& path, const QString& section,
                                       const QString& key, const QString& value,
                                       std::optional<textfile::TextForm> form = std::nullopt);

    // The file's lines as they will be written.
    const QStringList& lines() const { return m_lines; }
    const QString& path() const { return m_path; }

private:
    struct KeyLine {
        QString key;
        QString value;
    };
    static std::optional<QString> sectionName(const QString& line);
    static std::optional<KeyLine> keyLine(const QString& line);
    // Index of the first section header named `section`, or -1.
    qsizetype findSection(const QString& section) const;
    // Index just past the section's last line (the next header or the end of the file).
    qsizetype sectionEnd(qsizetype header) const;

    QString m_path;
    QStringList m_lines;
    textfile::TextForm m_form; // the file's encoding and line breaks, which saving keeps
    std::optional<textfile::TextForm> m_fixedForm;
};
