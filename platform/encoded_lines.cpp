// The save's bytes kept line by line between saves.
#include "platform/encoded_lines.h"

#include "platform/document_text_runs.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using textfile::TextForm;

// Bytes of whole lines: each ends in its line break, except the document's last line.
struct EncodedLines::Chunk {
    QByteArray bytes;
    qsizetype start = 0;       // where the first line begins (after a byte-order mark)
    qsizetype lines = 0;       // how many lines the bytes hold
    bool lastHasBreak = false; // false for the document's last line
    std::vector<quint32> ends; // where each line ends, found at the first write

    // False when the bytes do not hold `lines` such lines.
    bool findEnds();
    QByteArrayView of(qsizetype first, qsizetype count) const {
        const qsizetype from = first == 0 ? start : qsizetype(ends[size_t(first - 1)]);
        return QByteArrayView(bytes).sliced(from,
                                            qsizetype(ends[size_t(first + count - 1)]) - from);
    }
};

namespace {

// Where each line feed of `bytes` from `from` on is, plus one, into `ends` (room for `most`);
// the number found, or -1 when there are more than `most`.
qsizetype lineFeedEnds(QByteArrayView bytes, qsizetype from, quint32* ends, qsizetype most) {
    const char* p = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype found = 0;
    qsizetype i = from;
#if defined(__SSE2__)
    // Sixty-four bytes a step: one mask of their line feeds, its bits taken one by one.
    const __m128i feed = _mm_set1_epi8('\n');
    auto feeds = [&](qsizetype at) {
        return quint64(quint16(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)), feed))));
    };
    for (; i + 64 <= size; i += 64) {
        quint64 mask = feeds(i) | feeds(i + 16) << 16 | feeds(i + 32) << 32 | feeds(i + 48) << 48;
        for (; mask != 0; mask &= mask - 1) {
            if (found == most)
                return -1;
            ends[found++] = quint32(i + __builtin_ctzll(mask) + 1);
        }
    }
#endif
    for (; i < size; ++i)
        if (p[i] == '\n') {
            if (found == most)
                return -1;
            ends[found++] = quint32(i + 1);
        }
    return found;
}

bool sameForm(const TextForm& a, const TextForm& b) {
    return a.encoding == b.encoding && a.lineBreak == b.lineBreak && a.bom == b.bom;
}

// Hands bytes to a sink, small pieces gathered into one buffer first: a write to a file costs a
// system call whatever its size.
class Gathered {
public:
    explicit Gathered(const textfile::TextEncoder::Sink& sink) : m_sink(sink) {}
    void put(QByteArrayView bytes) {
        if (bytes.size() >= kDirect) {
            flush();
            m_ok = m_ok && m_sink(bytes);
            return;
        }
        if (m_buffer.size() + bytes.size() > kBuffer)
            flush();
        m_buffer.append(bytes);
    }
    bool finish() {
        flush();
        return m_ok;
    }
    bool ok() const { return m_ok; }

private:
    static constexpr qsizetype kDirect = 64 * 1024;
    static constexpr qsizetype kBuffer = 1024 * 1024;
    void flush() {
        if (!m_buffer.isEmpty())
            m_ok = m_ok && m_sink(m_buffer);
        m_buffer.resize(0);
    }
    const textfile::TextEncoder::Sink& m_sink;
    QByteArray m_buffer;
    bool m_ok = true;
};

void addUnencodable(QString& lost, const QString& more) {
    for (const QChar c : more)
        if (!lost.contains(c))
            lost.append(c);
}

} // namespace

bool EncodedLines::Chunk::findEnds() {
    if (!ends.empty() || lines == 0)
        return qsizetype(ends.size()) == lines;
    // Every line but an open last one ends in a line feed.
    const qsizetype feeds = lastHasBreak ? lines : lines - 1;
    ends.resize(size_t(lines));
    const qsizetype found = lineFeedEnds(bytes, start, ends.data(), feeds);
    const qsizetype size = bytes.size();
    if (!lastHasBreak && found == feeds)
        ends.back() = quint32(size);
    // As many lines as the document's, and no bytes after the last line's break.
    if (found == feeds && ends.back() == quint32(size))
        return true;
    ends.clear();
    ends.shrink_to_fit();
    return false;
}

EncodedLines::EncodedLines(QTextDocument* document, QObject* parent)
    : QObject(parent), m_document(document) {
    // A document announces its changes only once it has a layout.
    document->documentLayout();
    connect(document, &QTextDocument::contentsChange, this, &EncodedLines::contentsChange);
}

EncodedLines::~EncodedLines() = default;

void EncodedLines::forget() {
    m_holding = false;
    m_pieces.clear();
}

bool EncodedLines::holds(const TextForm& form) const {
    return m_holding && m_document && sameForm(form, m_form);
}

void EncodedLines::keepRead(const QByteArray& bytes, const TextForm& form) {
    if (form.hadMixed)
        forget();
    else
        keep(bytes, form);
}

void EncodedLines::keepWritten(const QByteArray& bytes, const TextForm& form) {
    keep(bytes, form);
}

void EncodedLines::keep(const QByteArray& bytes, const TextForm& form) {
    forget();
    const bool bom = form.encoding == textfile::Encoding::Utf8 && form.bom;
    if (!m_document || bytes.size() >= qsizetype(std::numeric_limits<quint32>::max()) ||
        (bom && !bytes.startsWith(textfile::kUtf8Bom)))
        return;
    auto chunk = std::make_shared<Chunk>();
    chunk->bytes = bytes;
    chunk->start = bom ? textfile::kUtf8Bom.size() : 0;
    chunk->lines = m_document->blockCount();
    m_form = form;
    m_blocks = chunk->lines;
    m_characters = m_document->characterCount();
    m_pieces.push_back({std::move(chunk), 0, m_blocks});
    m_holding = true;
}

void EncodedLines::contentsChange(int position, int removed, int added) {
    if (!m_holding || !m_document)
        return;
    const QTextDocument& document = *m_document;
    const qsizetype blocks = document.blockCount();
    auto numberAt = [&](int at) {
        const QTextBlock block = document.findBlock(at);
        return block.isValid() ? qsizetype(block.blockNumber()) : blocks - 1;
    };
    // Every character changed lies from `position` to `position + added`: the lines from the
    // first's to the last's are new, and they stand where the old ones from the first's on were,
    // as many as there were lines less (or more) then.
    const qsizetype first = numberAt(position);
    const qsizetype lastNew = numberAt(position + added);
    const qsizetype lastOld = lastNew - (blocks - m_blocks);
    m_characters += added - removed;
    const qsizetype oldBlocks = m_blocks;
    m_blocks = blocks;
    // A new text, or most of one: the save encodes it whole (a large one on two threads).
    const qsizetype lines = lastNew - first + 1;
    if (first > lastNew || lastOld < first || lastOld >= oldBlocks ||
        (lines > kWholeFrom && lines > blocks / 2)) {
        forget();
        return;
    }
    replaceLines(first, lastOld, lines);
}

void EncodedLines::addPiece(std::vector<Piece>& pieces, Piece piece) const {
    if (piece.lines <= 0)
        return;
    if (!pieces.empty()) {
        Piece& last = pieces.back();
        if (last.chunk == piece.chunk && (!piece.chunk || last.first + last.lines == piece.first)) {
            last.lines += piece.lines;
            return;
        }
    }
    pieces.push_back(std::move(piece));
}

void EncodedLines::replaceLines(qsizetype first, qsizetype oldLast, qsizetype lines) {
    // Typing within lines already edited changes nothing but their number.
    qsizetype at = 0;
    for (Piece& piece : m_pieces) {
        if (at + piece.lines > first) {
            if (!piece.chunk && oldLast < at + piece.lines) {
                piece.lines += lines - (oldLast - first + 1);
                return;
            }
            break;
        }
        at += piece.lines;
    }
    m_scratch.clear();
    at = 0;
    bool placed = false;
    for (Piece& piece : m_pieces) {
        const qsizetype start = at;
        const qsizetype end = at + piece.lines;
        at = end;
        if (end <= first) {
            addPiece(m_scratch, std::move(piece));
            continue;
        }
        if (start > oldLast) {
            if (!placed)
                addPiece(m_scratch, {nullptr, 0, lines});
            placed = true;
            addPiece(m_scratch, std::move(piece));
            continue;
        }
        if (start < first)
            addPiece(m_scratch, {piece.chunk, piece.first, first - start});
        if (!placed)
            addPiece(m_scratch, {nullptr, 0, lines});
        placed = true;
        if (end - 1 > oldLast)
            addPiece(m_scratch,
                     {piece.chunk, piece.first + (oldLast + 1 - start), end - 1 - oldLast});
    }
    if (!placed)
        addPiece(m_scratch, {nullptr, 0, lines});
    m_pieces.swap(m_scratch);
    m_scratch.clear();
    // Scattered edits without a save in between: encoding everything again is cheaper than
    // following them all.
    if (m_pieces.size() > 16 * kMostPieces)
        forget();
}

std::optional<EncodedLines::Written> EncodedLines::write(const textfile::TextEncoder::Sink& sink) {
    if (!m_holding || !m_document || m_blocks != m_document->blockCount() ||
        m_characters != m_document->characterCount()) {
        forget();
        return std::nullopt;
    }
    if (!keptLinesAddUp()) {
        forget();
        return std::nullopt;
    }
    const QTextDocument& document = *m_document;
    Gathered out(sink);
    TextForm lineForm = m_form;
    if (m_form.encoding == textfile::Encoding::Utf8 && m_form.bom)
        out.put(textfile::kUtf8Bom);
    lineForm.bom = false;
    Written written;
    bool whole = true; // each edited stretch made as many lines as it had
    qsizetype line = 0;
    for (Piece& piece : m_pieces) {
        if (!out.ok())
            break;
        if (piece.chunk) {
            out.put(piece.chunk->of(piece.first, piece.lines));
        } else {
            const bool last = line + piece.lines == m_blocks;
            const int from = document.findBlockByNumber(int(line)).position();
            const int to =
                last ? -1 : document.findBlockByNumber(int(line + piece.lines)).position();
            textfile::TextEncoder encoder(lineForm);
            encoder.setParagraphBreaks(true);
            forEachTextRun(
                document, [&encoder](QStringView run) { encoder.append(run); }, from, to);
            auto chunk = std::make_shared<Chunk>();
            chunk->bytes = encoder.take();
            chunk->lines = piece.lines;
            chunk->lastHasBreak = !last;
            addUnencodable(written.unencodable, encoder.unencodable());
            out.put(chunk->bytes);
            whole = chunk->findEnds() && whole;
            piece = {std::move(chunk), 0, piece.lines};
        }
        line += piece.lines;
    }
    written.ok = out.finish();
    // Lines written as "?" hold characters the bytes no longer have.
    if (!written.ok || !written.unencodable.isEmpty() || !whole)
        forget();
    else
        joinIfScattered();
    return written;
}

bool EncodedLines::keptLinesAddUp() const {
    // The first, middle and last line of the stretches kept next to the edited ones, and of the
    // first and last stretch, are encoded again and compared: a stretch followed to the wrong
    // place would differ there. It costs a few lines' encoding.
    TextForm lineForm = m_form;
    lineForm.bom = false;
    auto sameLine = [&](const Piece& piece, qsizetype inPiece, qsizetype line) {
        const QTextBlock block = m_document->findBlockByNumber(int(line));
        textfile::TextEncoder encoder(lineForm);
        encoder.append(block.text());
        if (line + 1 < m_blocks)
            encoder.append(u"\n");
        return encoder.take() == piece.chunk->of(piece.first + inPiece, 1);
    };
    qsizetype line = 0;
    const size_t count = m_pieces.size();
    for (size_t i = 0; i < count; ++i) {
        const Piece& piece = m_pieces[i];
        if (piece.chunk) {
            if (!piece.chunk->findEnds())
                return false;
            // Where the document was edited since, and at both ends.
            const bool looked =
                i == 0 || i + 1 == count || !m_pieces[i - 1].chunk || !m_pieces[i + 1].chunk;
            if (looked)
                for (const qsizetype at : {qsizetype(0), piece.lines / 2, piece.lines - 1})
                    if (!sameLine(piece, at, line + at))
                        return false;
        }
        line += piece.lines;
    }
    return line == m_blocks;
}

void EncodedLines::joinIfScattered() {
    qsizetype total = 0;
    std::vector<const Chunk*> chunks;
    for (const Piece& piece : m_pieces) {
        total += piece.chunk->of(piece.first, piece.lines).size();
        chunks.push_back(piece.chunk.get());
    }
    std::sort(chunks.begin(), chunks.end());
    chunks.erase(std::unique(chunks.begin(), chunks.end()), chunks.end());
    qsizetype held = 0;
    for (const Chunk* chunk : chunks)
        held += chunk->bytes.size();
    // Many stretches, or old bytes held for a few lines each: one chunk again.
    if (m_pieces.size() <= kMostPieces && held <= 2 * total + 1024 * 1024)
        return;
    const bool bom = m_form.encoding == textfile::Encoding::Utf8 && m_form.bom;
    QByteArray joined;
    joined.reserve(total + (bom ? textfile::kUtf8Bom.size() : 0));
    if (bom)
        joined.append(textfile::kUtf8Bom);
    for (const Piece& piece : m_pieces)
        joined.append(piece.chunk->of(piece.first, piece.lines));
    keep(joined, m_form);
}

EncodedLines::Bytes EncodedLines::keptBytes() const {
    if (!m_holding)
        return {};
    for (const Piece& piece : m_pieces)
        if (!piece.chunk || !piece.chunk->findEnds())
            return {};
    const bool bom = m_form.encoding == textfile::Encoding::Utf8 && m_form.bom;
    return [pieces = m_pieces, bom](const std::function<void(QByteArrayView)>& visit) {
        if (bom)
            visit(textfile::kUtf8Bom);
        for (const Piece& piece : pieces)
            visit(piece.chunk->of(piece.first, piece.lines));
    };
}
