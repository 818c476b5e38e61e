// The console reader: any text is read as a model of the engine's own loop reads its bytes (in
// Windows-1251 and, for text that is valid UTF-8, in UTF-8 too), and the one-pass index finds the
// commands the scanner finds.
// Seeds: demo/Half-Life/cstrike/*.cfg
#include "../../tests/support/engine_model.h"
#include "language/config_commands.h"
#include "platform/cp1251.h"
#include "support.h"

namespace {

using console::Bytes;

QList<QByteArray> ourCommands(const QString& text, Bytes bytes) {
    QList<QByteArray> commands;
    for (int pos = 0; pos <= text.size();) {
        QByteArray words;
        int count = 0;
        const CommandReading r = readCommand(text, pos, bytes, [&](const CommandWord& w) {
            const QString word = text.mid(w.textStart(), w.textLength());
            words += (bytes == Bytes::Single ? cp1251::encode(word) : word.toUtf8()) + '\0';
            ++count;
        });
        if (count > 0)
            commands.append(words);
        pos = r.stop + 1;
    }
    return commands;
}

QList<QByteArray> modelCommands(const QByteArray& bytes) {
    QList<QByteArray> commands;
    for (const enginemodel::Words& words : enginemodel::commands(bytes)) {
        QByteArray joined;
        for (const QByteArray& w : words)
            joined += w + '\0';
        commands.append(joined);
    }
    return commands;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes = fuzz::bytesOf(data, size);
    bytes.replace('\0', ' '); // the engine's text ends at a zero byte
    const QString text = cp1251::decode(bytes);
    fuzz::check(ourCommands(text, Bytes::Single) == modelCommands(bytes),
                "the reader reads a Windows-1251 text as the engine does");
    // A cut inside a UTF-8 letter keeps part of it in the engine: such texts are left out.
    const QString utf8 = QString::fromUtf8(bytes);
    bool shortLines = true;
    for (const QByteArray& line : bytes.split('\n'))
        shortLines = shortLines && line.size() <= console::kCommandBytes;
    if (shortLines && utf8.toUtf8() == bytes)
        fuzz::check(ourCommands(utf8, Bytes::Utf8) == modelCommands(bytes),
                    "the reader reads a UTF-8 text as the engine does");
    QList<int> scanned;
    CommandScanner scanner(text);
    CommandSpan span;
    while (scanner.next(span))
        scanned << span.start << span.stop;
    QList<int> found;
    forEachCommandFound(text,
                        [&](int, int start, QStringView, int stop) { found << start << stop; });
    fuzz::check(found == scanned, "the one-pass index finds the scanner's commands");
    return 0;
}
