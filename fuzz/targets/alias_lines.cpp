// The alias lines of a text set whole, found in the text before the document holds it: when the
// document's places are the text's (each line end one character), every block defines what the
// search found at its start, and no line is found where no block starts.
// Seeds: demo/Half-Life/cstrike/*.cfg data/dlls/metabinds/*.mtb
#include "language/document_aliases.h"
#include "platform/cp1251.h"
#include "support.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>

extern "C" bool tesseraFuzzNeedsGui() {
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::FileAndChoices input = fuzz::splitInput(data, size);
    if (input.file.size() > 64 * 1024)
        return 0;
    QString text = cp1251::decode(input.file);
    // The choices put the other line ends a document knows where they like.
    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(input.choices.constData()),
                          size_t(input.choices.size()));
    const char16_t ends[] = {u'\n', u'\r', 0x2029, 0xFDD0, 0xFDD1, 0x2028};
    while (!text.isEmpty() && in.remaining_bytes() > 0) {
        const qsizetype at = in.ConsumeIntegralInRange<qsizetype>(0, text.size() - 1);
        text[at] = QChar(ends[in.ConsumeIntegralInRange<size_t>(0, std::size(ends) - 1)]);
    }

    const QList<AliasLine> found = aliasLinesOf(text);
    QHash<qsizetype, QStringList> byStart;
    for (const AliasLine& line : found) {
        fuzz::check(!line.names.isEmpty(), "a line is found only for what it defines");
        fuzz::check(!byStart.contains(line.start), "a line is found once");
        byStart.insert(line.start, line.names);
    }
    QTextDocument document;
    document.setPlainText(text);
    if (document.characterCount() != text.size() + 1)
        return 0; // a CR LF made one block end of two characters: the blocks are read instead
    qsizetype matched = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QStringList names = aliasesOfLine(b.text());
        const auto it = byStart.constFind(b.position());
        if (names.isEmpty()) {
            fuzz::check(it == byStart.constEnd(), "no line is found where a block defines none",
                        QString::number(b.position()));
        } else {
            fuzz::check(it != byStart.constEnd() && *it == names,
                        "the line found at a block's start defines what the block does",
                        QString::number(b.position()));
            ++matched;
        }
    }
    fuzz::check(matched == byStart.size(), "every line found starts a block");
    return 0;
}
