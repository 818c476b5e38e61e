// Loading a list file into the value list.
#include "reference/value_list_loading.h"

#include "language/line_list.h"

using namespace Qt::Literals::StringLiterals;

ValueListLoad loadValueList(const QString& listFilePath) {
    const LineListRead read = readLineList(listFilePath);
    ValueListLoad load;
    load.ok = read.ok();
    if (load.ok) {
        load.entries = read.entries;
        return load;
    }
    load.message = u"Ненайден файл "_s + listFilePath;
    // A file that is there but cannot be used says why; a missing one needs no reason.
    if (read.error != textfile::ReadError::Missing && !read.reason.isEmpty())
        load.message += u"\n"_s + read.reason;
    return load;
}
