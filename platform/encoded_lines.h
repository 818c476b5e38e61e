// The bytes of each line of the editor's document in its file's form, as the file was last read
// or written, so that a save encodes only the lines edited since and writes the others as they
// are: a save then costs about what writing bytes made in advance costs.
//
// Every change the document announces marks the lines it touched as edited. A change of colours
// only counts as well: those lines are encoded again, which gives the same bytes. Before a
// write the document's line and character counts are checked against the changes followed, and
// anything that does not add up makes the save encode the whole text instead.
#pragma once

#include "platform/text_form.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTextDocument;

class EncodedLines : public QObject {
public:
    explicit EncodedLines(QTextDocument* document, QObject* parent = nullptr);
    ~EncodedLines() override;

    // The bytes of a file just read into the document in `form`. Kept when every line reads
    // back as its own bytes: one kind of line break throughout (a file with mixed ones is kept
    // at its first save) and, checked at the first write, a line for each of the document's.
    void keepRead(const QByteArray& bytes, const textfile::TextForm& form);
    // The bytes just written for the whole document in `form`, none of its characters lost.
    void keepWritten(const QByteArray& bytes, const textfile::TextForm& form);
    // Nothing kept: the next save encodes the whole text.
    void forget();

    // Whether write() can make the bytes of the document in `form` from what is kept.
    bool holds(const textfile::TextForm& form) const;

    struct Written {
        bool ok = true;      // false when the sink failed
        QString unencodable; // each character the form cannot hold, once ("?" was written)
    };
    // Hands the document's bytes in the form held to `sink`, in order: the lines kept as they
    // are, the edited ones encoded. Those are kept afterwards too, unless a character was lost
    // or the sink failed. Nothing when what is kept does not add up to the document (then
    // nothing was handed over and nothing is kept any more).
    std::optional<Written> write(const textfile::TextEncoder::Sink& sink);

    // The bytes kept as they stand now (right after a write, the file's), handed to `visit` in
    // order by the function returned, which holds them whatever the document does after; none
    // when nothing is kept or a line was edited since.
    using Bytes = std::function<void(const std::function<void(QByteArrayView)>& visit)>;
    Bytes keptBytes() const;

    // Stretches of lines, each kept or edited; for the tests.
    qsizetype pieceCount() const { return qsizetype(m_pieces.size()); }

    // More stretches than this after a write, and what is kept is joined into one.
    static constexpr size_t kMostPieces = 256;
    // A change of more lines than this and of most of the document's forgets what is kept.
    static constexpr qsizetype kWholeFrom = 1000;

private:
    struct Chunk;
    struct Piece {
        std::shared_ptr<Chunk> chunk; // none: lines edited since
        qsizetype first = 0;          // the first line in the chunk
        qsizetype lines = 0;
    };

    void keep(const QByteArray& bytes, const textfile::TextForm& form);
    void contentsChange(int position, int removed, int added);
    // Old lines [first, oldLast] are now `lines` edited lines.
    void replaceLines(qsizetype first, qsizetype oldLast, qsizetype lines);
    void addPiece(std::vector<Piece>& pieces, Piece piece) const;
    void joinIfScattered();
    // Whether the stretches kept still hold the document's lines where they stand.
    bool keptLinesAddUp() const;

    QPointer<QTextDocument> m_document;
    textfile::TextForm m_form;
    bool m_holding = false;
    std::vector<Piece> m_pieces;
    std::vector<Piece> m_scratch;
    // The document's counts after the last change followed.
    qsizetype m_blocks = 0;
    qsizetype m_characters = 0;
};
