// The form a text file has on disk, its encoding and its line breaks, found when the file is read
// and kept for the next save, and the codecs between that form and the text in memory, where
// every line ends in "\n". A file saved in the form it was read in comes back byte for byte.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

namespace textfile {

enum class Encoding { Windows1251, Utf8 };

// The byte-order mark a UTF-8 file may open with.
inline constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";
enum class LineBreak { CrLf, Lf };

// What the program creates is Windows-1251 with CR LF.
struct TextForm {
    Encoding encoding = Encoding::Windows1251;
    LineBreak lineBreak = LineBreak::CrLf;
    bool bom = false; // UTF-8 only: the file opens with a byte-order mark
    // The file's line breaks were not all of one kind (mixed, or lone CRs): saving writes
    // lineBreak everywhere.
    bool hadMixed = false;
    bool operator==(const TextForm&) const = default;
};

// The status bar's words for a form: "Windows-1251, CR LF", "UTF-8, LF", "UTF-8 с BOM, CR LF".
QString describeForm(const TextForm& form);
// The same in a few letters, for a narrow status bar ("1251, CRLF").
QString describeFormShortly(const TextForm& form);
// A note for a file whose line breaks were mixed, naming what a save writes; empty otherwise.
QString mixedBreaksNote(const TextForm& form);

// Whether `bytes` are valid UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

// The form of a file's bytes: UTF-8 when they are valid UTF-8 and hold a byte above 0x7F or open
// with a byte-order mark, else Windows-1251 (so every byte string has a form it survives in).
// The line break is that of the majority, CR LF on a tie and when there is none.
TextForm detectForm(QByteArrayView bytes);

// The text with CR LF and lone CR each written as "\n".
QString normalizeLineBreaks(const QString& text);

// The text of `bytes` read in `form` (detectForm's), with CR LF, LF and lone CR each ending a
// line as "\n"; a byte-order mark is not part of the text.
QString decodeText(const QByteArray& bytes, const TextForm& form);
// The same as the game's console reads it: CR LF ends a line as "\n", a lone CR stays a
// character of its line (the console takes it for a blank).
QString decodeConsoleText(const QByteArray& bytes, const TextForm& form);

// Encodes text in a form as it comes, so a caller can hand over a large text in pieces without
// first copying it whole. With a sink, the bytes go out in chunks of a fixed size; without one,
// they stay in the encoder until take().
class TextEncoder {
public:
    // Takes each chunk; false (a failed write) stops the encoding.
    using Sink = std::function<bool(QByteArrayView)>;

    explicit TextEncoder(const TextForm& form, Sink sink = {});

    // Bytes a chunk holds before it goes to the sink. A megabyte: each write to a file costs
    // the file system an update of its own, and a file written in a few large pieces also syncs
    // faster than one written in many. The program's allocator keeps blocks this large for
    // reuse (platform/memory_reuse.h), so every save fills the same memory.
    static constexpr qsizetype kChunkBytes = 1024 * 1024;

    // "\n" ends a line; with paragraph breaks so does U+2029, the line separator of the editor's
    // document, which a file's text keeps as a character.
    void setParagraphBreaks(bool on) { m_paragraphBreaks = on; }
    // Encodes `text`; a surrogate pair split between two calls is joined.
    void append(QStringView text);
    // Hands over the rest; false when the sink failed.
    bool finish();
    // The bytes so far (without a sink).
    QByteArray take();
    // Each character the form cannot hold, once, in order of first appearance; each was written
    // as "?".
    const QString& unencodable() const { return m_lost; }

private:
    void flush();
    // Room for at least `units` more characters; false when the sink failed.
    bool makeRoom(qsizetype units);
    qsizetype roomInUnits() const;
    // The units from `p` on that a vector step takes (one byte each, and with the line steps
    // line breaks and UTF-8's two-byte characters too); returns where it stopped.
    const char16_t* fastRun(const char16_t* p, const char16_t* end, char*& out,
                            bool cyrillic) const;
    char* encodeWindows1251(QStringView text, char* out);
    char* encodeUtf8(QStringView text, char* out);
    char* putBreak(char* out) const;
    char* putLost(char* out, char16_t c);

    TextForm m_form;
    Sink m_sink;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    bool m_failed = false;
    bool m_paragraphBreaks = false;
    bool m_lineSteps = false;   // the processor can take a line's end in the fast path
    char16_t m_pendingHigh = 0; // a high surrogate at the end of the last piece
    QString m_lost;
    std::vector<bool> m_seen;
};

// The whole text at once.
QByteArray encodeText(QStringView text, const TextForm& form, QString* unencodable = nullptr);
// The characters of `text` that `form` cannot hold (a save writes them as "?").
QString unencodableCharacters(QStringView text, const TextForm& form);

} // namespace textfile
