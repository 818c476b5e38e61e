// What a run of the config set leaves, looked up; and the rules of the console's file handling
// the run shares with the other views of the set (exec names, line-by-line pieces).
#include "language/config_run.h"

#include "language/config_run_values.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace configrun {

namespace {
// COM_ParseLine's token: a line of a file run line by line keeps this many characters.
constexpr int kLineTokenChars = 1023;
} // namespace

const Final* Result::find(Kind kind, const QString& name) const {
    // The finals are sorted by kind and name.
    const auto it = std::lower_bound(finals.cbegin(), finals.cend(), std::pair(kind, name),
                                     [](const Final& f, const std::pair<Kind, QString>& k) {
                                         return f.kind != k.first ? f.kind < k.first
                                                                  : nameBefore(f.name, k.second);
                                     });
    return it != finals.cend() && it->kind == kind && it->name == name ? &*it : nullptr;
}

const Place* Result::placeBeforeWatched(Kind kind, const QString& name) const {
    const auto it = beforeWatched.constFind(RunValues::keyOf(kind, name));
    return it == beforeWatched.constEnd() ? nullptr : &*it;
}

QString Result::fileOf(const Place& place) const {
    return place.file >= 0 && place.file < chain.size() ? chain.at(place.file).shown : QString();
}

QString Result::placeText(const Place& place) const {
    return place.file < 0 ? u"движок"_s : u"%1:%2"_s.arg(fileOf(place)).arg(place.line + 1);
}

QList<DecidedLater> decidedAfterWatched(const Result& run) {
    QList<DecidedLater> later;
    if (run.watched < 0)
        return later;
    for (const Final& f : run.finals) {
        if (f.place.file == run.watched)
            continue;
        const Place* before = run.placeBeforeWatched(f.kind, f.name);
        if (before && *before == f.place)
            continue; // set before the watched file ran, and left alone by it
        DecidedLater d{&f, {}};
        for (const Place& p : f.overridden)
            if (p.file == run.watched)
                d.undoneLines.append(p.line);
        if (!d.undoneLines.isEmpty())
            later.append(d);
    }
    return later;
}

QString execName(QStringView written) {
    return console::foldedName(written).replace(u'\\', u'/');
}

QString standInName(const QString& gameDir, const QString& path, bool inside) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const QString& folder :
         {QFileInfo(gameDir).absoluteFilePath(),
          QFileInfo(QFileInfo(gameDir).absolutePath() + u"/valve"_s).absoluteFilePath()}) {
        if (folder.isEmpty())
            continue;
        const QString relative = QDir(folder).relativeFilePath(absolute);
        if (!relative.startsWith(u"../"_s) && !QFileInfo(relative).isAbsolute())
            return execName(relative);
    }
    return inside ? QString() : execName(QFileInfo(path).fileName());
}

bool LineByLine::next(Piece& piece) {
    // COM_ParseLine: the first character as it is, then every character from the blank up to
    // the token's length (a tab, a control character or a non-ASCII byte ends the line: the
    // engine compares a signed char); then every such character but a tab is passed over.
    const char16_t* s = reinterpret_cast<const char16_t*>(m_text.data());
    const qsizetype size = m_text.size();
    const auto endsLine = [](char16_t c) { return c < u' ' || c >= 0x80; };
    if (m_at >= size)
        return false;
    const qsizetype start = m_at;
    piece.line = m_line;
    // Only the first character of a piece can be a line break: any other ends it.
    if (s[m_at] == u'\n')
        ++m_line;
    ++m_at;
    const qsizetype limit = std::min(size, start + kLineTokenChars);
    while (m_at < limit && !endsLine(s[m_at]))
        ++m_at;
    piece.start = int(start);
    piece.length = int(m_at - start);
    for (; m_at < size && endsLine(s[m_at]) && s[m_at] != u'\t'; ++m_at)
        if (s[m_at] == u'\n')
            ++m_line;
    return true;
}

QList<Piece> lineByLinePieces(QStringView text) {
    QList<Piece> pieces;
    LineByLine cut(text);
    for (Piece p; cut.next(p);)
        pieces.append(p);
    return pieces;
}


} // namespace configrun
