// Reading, cutting and filling MetaBinds.
#include "metabinds/metabind_format.h"

#include "language/config_commands.h"
#include "platform/ini_profile.h"

using namespace Qt::Literals::StringLiterals;

namespace metabind {
namespace {

const QString kSection = u"MetaBind"_s;
// The reader's answer for a missing key; a value that reads so is taken as missing.
const QString kMissing = u"error"_s;

QString textValue(const IniProfile& ini, const QString& key) {
    const QString value = ini.value(kSection, key).value_or(QString());
    return value == kMissing ? QString() : value;
}

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

} // namespace

Header readHeader(const QString& text) {
    IniProfile ini(QString{});
    ini.loadText(text);
    Header h;
    h.name = textValue(ini, u"name"_s);
    h.label = textValue(ini, u"label"_s);
    h.slotCount = slotCountFrom(ini.value(kSection, u"but"_s).value_or(QString()));
    return h;
}

int slotCountFrom(const QString& value) {
    QStringView v = QStringView(value).trimmed();
    bool negative = false;
    if (!v.isEmpty() && (v.front() == u'-' || v.front() == u'+')) {
        negative = v.front() == u'-';
        v = v.mid(1);
    }
    int base = 10;
    if (v.startsWith(u"0x"_s, Qt::CaseInsensitive)) {
        base = 16;
        v = v.mid(2);
    } else if (v.startsWith(u'$')) {
        base = 16;
        v = v.mid(1);
    }
    if (v.isEmpty())
        return 0;
    // A 32-bit integer: up to 2^31 in decimal (with its sign), any 32-bit pattern in hexadecimal.
    const qint64 limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    qint64 n = 0;
    for (const QChar c : v) {
        const int d = digitValue(c, base);
        if (d < 0)
            return 0;
        n = n * base + d;
        if (n > limit)
            return 0;
    }
    if (negative)
        n = -n;
    return int(quint64(n) & 0xFF);
}

qsizetype headerStart(const QString& text) {
    static const QString forms[] = {u"\n[Metabind]"_s, u"\n[MetaBind]"_s, u"\n[metabind]"_s,
                                    u"\n[METABIND]"_s};
    for (const QString& form : forms) {
        const qsizetype at = text.indexOf(form, 0, Qt::CaseSensitive);
        if (at >= 0)
            return at;
    }
    return -1;
}

QString scriptOf(const QString& text) {
    const qsizetype at = headerStart(text);
    return at < 0 ? text : text.left(at);
}

QString placeholder(int slot) {
    return u"<<"_s + QString::number(slot) + u">>"_s;
}

QString slotCaption(int slot) {
    return u"Кнопка "_s + placeholder(slot);
}

QStringList slotCaptions(int slotCount) {
    QStringList captions;
    for (int n = 1; n <= slotCount; ++n)
        captions.append(slotCaption(n));
    return captions;
}

bool isUnassigned(const QString& entry) {
    return entry.startsWith(u'К');
}

bool allAssigned(const QStringList& entries) {
    return std::none_of(entries.begin(), entries.end(), isUnassigned);
}

QString fillSlot(const QString& script, int slot, const QString& key) {
    const QString mark = placeholder(slot);
    if (!script.contains(mark))
        return script;
    if (key.contains(u'>'))
        return QString(script).replace(mark, key);
    // The text to the left of the scan point never holds a placeholder, so the first placeholder
    // of the whole text is the first one that ends in the scan. A key without ">" cannot end a
    // placeholder, so after a replacement none can end before the next ">" of the script: the
    // scan goes on from there, and each replacement is the one the repetition would make next.
    QString out;
    out.reserve(script.size());
    for (const QChar c : script) {
        out.append(c);
        if (c == u'>' && out.endsWith(mark)) {
            out.chop(mark.size());
            out.append(key);
        }
    }
    return out;
}

QString slotKeyRefusal(const QString& key) {
    if (!valueNeedsQuotes(key))
        return {};
    return u"Клавишу «%1» нельзя подставить в MetaBind: консоль игры делит команды на этом "
           u"знаке, и сценарий сломается. Выберите другую клавишу."_s.arg(key);
}

QString fillSlots(const QString& script, const QStringList& keys) {
    QString filled = script;
    for (qsizetype n = 0; n < keys.size(); ++n)
        filled = fillSlot(filled, int(n + 1), keys[n]);
    return filled;
}

MetaBindFile readMetaBind(const QString& path) {
    MetaBindFile m;
    m.file = textfile::readEditableText(path);
    if (!m.file.ok())
        return m;
    m.header = readHeader(m.file.text);
    m.script = scriptOf(m.file.text);
    return m;
}

} // namespace metabind
