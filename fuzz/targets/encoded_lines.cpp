// The save's kept lines: a file of any bytes opened as the editor opens it, then edited as the
// input chooses (typing, line breaks, deletions, undo, redo). At every save the bytes made from
// what was kept are those of the whole text encoded, or nothing is taken from what was kept.
// Seeds: demo/Half-Life/cstrike/*.cfg data/dlls/metabinds/*.mtb
#include "platform/encoded_lines.h"
#include "platform/text_file.h"
#include "support.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

extern "C" bool tesseraFuzzNeedsGui() {
    return true;
}

namespace {

// A layout that lays nothing out: the document announces its changes once it has one, and no
// font is loaded for text that is never shown.
class NoLayout final : public QAbstractTextDocumentLayout {
public:
    explicit NoLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document) {}
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

void checkSave(EncodedLines& lines, const QTextDocument& document, const textfile::TextForm& form) {
    QByteArray kept;
    const std::optional<EncodedLines::Written> written = lines.write([&kept](QByteArrayView b) {
        kept += b;
        return true;
    });
    const QString text = document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
    const QByteArray whole = textfile::encodeText(text, form);
    if (written) {
        fuzz::check(written->ok, "the sink took every byte");
        fuzz::check(kept == whole, "the kept lines give the whole text's bytes",
                    QString::fromLatin1(kept.toHex() + " / " + whole.toHex()));
    } else {
        // As the save does then: the whole text, kept for the next one.
        lines.keepWritten(whole, form);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    const QByteArray& bytes = input.file;
    if (bytes.contains('\0') || bytes.size() > 64 * 1024)
        return 0; // the editor refuses it; a small file finds the same faults faster
    const textfile::TextForm form = textfile::detectForm(bytes);
    QTextDocument document;
    document.setDocumentLayout(new NoLayout(&document));
    EncodedLines lines(&document);
    document.setPlainText(textfile::decodeText(bytes, form));
    lines.keepRead(bytes, form);
    checkSave(lines, document, form);

    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    QTextCursor cursor(&document);
    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        const int length = document.characterCount() - 1;
        cursor.setPosition(in.ConsumeIntegralInRange(0, length));
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0:
            cursor.insertText(fuzz::takeText(in, 12));
            break;
        case 1:
            cursor.insertText(QStringLiteral("\n"));
            break;
        case 2:
        case 3:
            cursor.setPosition(
                std::min(length, cursor.position() + in.ConsumeIntegralInRange(0, 80)),
                QTextCursor::KeepAnchor);
            if (in.ConsumeBool())
                cursor.removeSelectedText();
            else
                cursor.insertText(fuzz::takeText(in, 6));
            break;
        case 4:
            document.undo();
            break;
        case 5:
            document.redo();
            break;
        default:
            checkSave(lines, document, form);
            break;
        }
    }
    checkSave(lines, document, form);
    return 0;
}
