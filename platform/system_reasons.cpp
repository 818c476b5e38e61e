// System reasons in Russian.
#include "platform/system_reasons.h"

#include <iterator>

using namespace Qt::Literals::StringLiterals;

QString russianSystemReason(const QString& systemText) {
    // The C library's messages (what Qt reports for a failed open, read or write) and Qt's own
    // for a file it will not replace.
    struct Reason {
        const char16_t* system;
        const char16_t* russian;
    };
    static const Reason reasons[] = {
        {u"Permission denied", u"Нет прав доступа"},
        {u"Operation not permitted", u"Нет прав доступа"},
        {u"is not writable", u"Нет прав на запись"},
        {u"No space left on device", u"На диске нет свободного места"},
        {u"Disk quota exceeded", u"Превышена дисковая квота"},
        {u"Read-only file system", u"Файловая система доступна только для чтения"},
        {u"No such file or directory", u"Нет такого файла или папки"},
        {u"Is a directory", u"Это папка, а не файл"},
        {u"File too large", u"Файл слишком большой"},
    };
    for (const Reason& r : reasons)
        if (systemText.contains(QStringView(r.system), Qt::CaseInsensitive))
            return QString::fromUtf16(r.russian);
    return systemText;
}

QString tooLargeReason(qint64 limitBytes) {
    constexpr qint64 kMiB = 1024 * 1024;
    const QString limit = limitBytes >= kMiB && limitBytes % kMiB == 0
                              ? QString::number(limitBytes / kMiB) + u" МБ"_s
                              : QString::number(limitBytes) + u" байт"_s;
    return u"Файл слишком большой (больше "_s + limit + u")"_s;
}
