// Private-profile INI reading and writing.
#include "platform/ini_profile.h"

using namespace Qt::Literals::StringLiterals;

IniProfile::IniProfile(QString path) : m_path(std::move(path)) {}

void IniProfile::load() {
    const textfile::ReadResult r = textfile::readText(m_path);
    loadText(r.ok() ? r.text : QString());
    m_form = r.ok() ? r.form : textfile::TextForm{};
}

void IniProfile::loadText(const QString& text) {
    m_lines.clear();
    if (text.isEmpty())
        return;
    m_lines = text.split(u'\n');
    if (m_lines.last().isEmpty()) // the text ended with a line break
        m_lines.removeLast();
}

textfile::WriteResult IniProfile::save() const {
    QString text;
    for (const QString& line : m_lines) {
        text += line;
        text += u'\n';
    }
    return textfile::writeText(m_path, text, m_fixedForm.value_or(m_form));
}

std::optional<QString> IniProfile::sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return t.mid(1).trimmed();
    return t.mid(1, close - 1).trimmed();
}

std::optional<IniProfile::KeyLine> IniProfile::keyLine(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'['))
        return std::nullopt;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    KeyLine k{t.left(eq).trimmed(), t.mid(eq + 1).trimmed()};
    if (k.value.size() >= 2) {
        const QChar first = k.value.front();
        if ((first == u'"' || first == u'\'') && k.value.back() == first)
            k.value = k.value.mid(1, k.value.size() - 2);
    }
    return k;
}

qsizetype IniProfile::findSection(const QString& section) const {
    const QString wanted = section.trimmed();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i]);
        if (name && name->compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype IniProfile::sectionEnd(qsizetype header) const {
    qsizetype i = header + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i]))
        ++i;
    return i;
}

std::optional<QString> IniProfile::value(const QString& section, const QString& key) const {
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const QString wanted = key.trimmed();
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto k = keyLine(m_lines[i]);
        if (k && k->key.compare(wanted, Qt::CaseInsensitive) == 0)
            return k->value;
    }
    return std::nullopt;
}

bool IniProfile::canStore(const QString& text) {
    return !text.contains(u'\n') && !text.contains(u'\r');
}

QString IniProfile::refusedReason() {
    return u"Значение не записано: оно содержит перевод строки"_s;
}

bool IniProfile::setValue(const QString& section, const QString& key, const QString& value) {
    if (!canStore(section) || !canStore(key) || !canStore(value))
        return false;
    const qsizetype header = findSection(section);
    if (header < 0) {
        m_lines.append(u"["_s + section + u"]"_s);
        m_lines.append(key + u"="_s + value);
        return true;
    }
    const QString wanted = key.trimmed();
    const qsizetype end = sectionEnd(header);
    qsizetype lastContent = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto k = keyLine(m_lines[i]);
        if (k && k->key.compare(wanted, Qt::CaseInsensitive) == 0) {
            m_lines[i] = k->key + u"="_s + value;
            return true;
        }
        if (!m_lines[i].trimmed().isEmpty())
            lastContent = i;
    }
    // After the section's last non-blank line, so blank lines between sections stay between them.
    m_lines.insert(lastContent + 1, key + u"="_s + value);
    return true;
}

std::optional<QString> IniProfile::read(const QString& path, const QString& section,
                                        const QString& key) {
    IniProfile ini(path);
    ini.load();
    return ini.value(section, key);
}

textfile::WriteResult IniProfile::write(const QString& path, const QString& section,
                                        const QString& key, const QString& value,
                                        std::optional<textfile::TextForm> form) {
    IniProfile ini(path);
    ini.load();
    if (form)
        ini.writeInForm(*form);
    if (!ini.setValue(section, key, value))
        return textfile::WriteResult{false, refusedReason()};
    return ini.save();
}

IniProfile::Index IniProfile::index() const {
    Index index;
    QString current;
    bool reading = false; // false before the first section and in a repeated one (never read)
    for (const QString& line : m_lines) {
        if (const auto name = sectionName(line)) {
            current = name->toCaseFolded();
            reading = !index.contains(current);
            if (reading)
                index.insert(current, {});
        } else if (reading) {
            if (const auto k = keyLine(line)) {
                QHash<QString, QString>& keys = index[current];
                const QString key = k->key.toCaseFolded();
                if (!keys.contains(key))
                    keys.insert(key, k->value);
            }
        }
    }
    return index;
}
