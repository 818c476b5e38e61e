// The words as last read, kept in one file of the program's own, so that a start whose sources
// have not changed reads one small file instead of the hundred of the tree.
//
// The file: "TVC1"; its key (the sources' stamp and the program's identity), its length in UTF-16
// units, then the units; the number of words; then each word: its kind, version and rebuild, a
// byte of flags (built in, a server command, saved), its name's length and the name's UTF-16
// units. All in this machine's order, as the file never leaves it. A file that is not exactly
// this, or was written under another key, is passed over and written again.
#include "language/vocabulary.h"

#include "platform/file_identity.h"
#include "platform/log_categories.h"
#include "platform/program_home.h"
#include "platform/text_file.h"

#include <QDir>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr char kMagic[4] = {'T', 'V', 'C', '1'};
// The file is small (a few tens of kilobytes); anything far larger is not ours.
constexpr qint64 kMaxCacheBytes = 8 * 1024 * 1024;
constexpr quint8 kBuiltIn = 1;
constexpr quint8 kServerCommand = 2;
constexpr quint8 kSaved = 4;

template <typename T> void put(QByteArray& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putUnits(QByteArray& out, const QString& text) {
    out.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Reads what was put, refusing to read past the end.
class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : m_at(bytes.data()), m_end(bytes.data() + bytes.size()) {}
    template <typename T> bool get(T& value) {
        if (m_end - m_at < qsizetype(sizeof value))
            return false;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool units(qsizetype count, QString& text) {
        if (m_end - m_at < count * 2)
            return false;
        text.resize(count);
        std::memcpy(text.data(), m_at, size_t(count) * 2);
        m_at += count * 2;
        return true;
    }
    bool atEnd() const { return m_at == m_end; }

private:
    const char* m_at;
    const char* m_end;
};

template <typename E> bool enumFrom(quint8 raw, E last, E& value) {
    if (raw > quint8(last))
        return false;
    value = E(raw);
    return true;
}

QString cachePath(const ProgramHome& home) {
    const QString dir = home.cacheDir();
    return dir.isEmpty() ? QString() : dir + u"vocabulary.bin"_s;
}

// The copy stands for the sources and for the program that read them: a new build may read
// the same files differently. The running executable is the file /proc/self/exe leads to.
QString keyFor(const QString& stamp) {
    const FileIdentity program = fileIdentity(u"/proc/self/exe"_s);
    return stamp + u"program\t"_s + QString::number(program.size) + u'\t' +
           QString::number(program.modifiedNs) + u'\t' + QString::number(program.inode) + u'\n';
}

} // namespace

QByteArray Vocabulary::toCache(const QString& key) const {
    QByteArray out;
    out.reserve(qsizetype(64 + key.size() * 2 + m_words.size() * 40));
    out.append(kMagic, sizeof kMagic);
    put(out, quint32(key.size()));
    putUnits(out, key);
    put(out, quint32(m_words.size()));
    for (const Word& w : m_words) {
        put(out, quint8(w.info.kind));
        put(out, quint8(w.info.version));
        put(out, quint8(w.info.rebuild));
        put(out, quint8((w.info.builtIn ? kBuiltIn : 0) |
                        (w.info.serverCommand ? kServerCommand : 0) | (w.info.saved ? kSaved : 0)));
        put(out, quint16(w.listed.size()));
        putUnits(out, w.listed);
    }
    return out;
}

std::optional<Vocabulary> Vocabulary::fromCache(QByteArrayView bytes, const QString& key) {
    if (bytes.size() < qsizetype(sizeof kMagic) ||
        std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    Reader in(bytes.sliced(sizeof kMagic));
    quint32 keySize = 0;
    QString written;
    if (!in.get(keySize) || !in.units(keySize, written) || written != key)
        return std::nullopt;
    quint32 count = 0;
    if (!in.get(count) || count > quint32(bytes.size()))
        return std::nullopt;
    Vocabulary v;
    v.m_words.reserve(count);
    v.m_index.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        quint8 kind = 0, version = 0, rebuild = 0, flags = 0;
        quint16 size = 0;
        Word w;
        if (!in.get(kind) || !in.get(version) || !in.get(rebuild) || !in.get(flags) ||
            !in.get(size) || size == 0 || !in.units(size, w.listed) ||
            !enumFrom(kind, WordKind::Alias, w.info.kind) ||
            !enumFrom(version, GameVersion::Rebuild, w.info.version) ||
            !enumFrom(rebuild, Rebuild::Xash, w.info.rebuild) ||
            flags > (kBuiltIn | kServerCommand | kSaved))
            return std::nullopt;
        w.info.builtIn = flags & kBuiltIn;
        w.info.serverCommand = flags & kServerCommand;
        w.info.saved = flags & kSaved;
        // Each name once, as the words were made (a name twice would only hide its second entry).
        v.m_index.insert(w.listed, int(v.m_words.size()));
        v.m_words.push_back(std::move(w));
    }
    if (!in.atEnd())
        return std::nullopt;
    return v;
}

Vocabulary Vocabulary::loadKept(const ProgramHome& home, const QString& stamp) {
    const QString path = cachePath(home);
    if (path.isEmpty())
        return load(home);
    const textfile::BytesResult kept = textfile::readBytes(path, kMaxCacheBytes);
    const QString key = keyFor(stamp);
    if (kept.ok())
        if (std::optional<Vocabulary> v = fromCache(kept.bytes, key))
            return std::move(*v);
    Vocabulary v = load(home);
    // Kept for the next start; a home that cannot hold it only costs that start the full read.
    if (QDir().mkpath(home.cacheDir())) {
        const textfile::WriteResult written = textfile::writeBytes(path, v.toCache(key));
        if (!written.ok)
            qCDebug(lcFiles) << "the words were not kept:" << path << written.reason;
    }
    return v;
}
