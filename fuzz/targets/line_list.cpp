// Line lists (category files, ".dlz" libraries): reading a file agrees with splitting its bytes,
// and no entry holds a line break.
// Seeds: data/dlls/*.dll data/dlls/dlz/*.dlz
#include "language/line_list.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QStringList parsed = parseLineList(bytes);
    for (const QString& entry : parsed)
        fuzz::check(!entry.contains(u'\n') && !entry.contains(u'\r') && !entry.contains(QChar()),
                    "an entry is one line", entry);
    const LineListRead read = readLineList(fuzz::writeFile(QStringLiteral("list.dlz"), bytes));
    fuzz::check(read.ok(), "a small list file reads", read.reason);
    fuzz::check(read.entries == parsed, "reading the file agrees with splitting its bytes");
    return 0;
}
