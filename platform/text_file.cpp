// Whole-file reading and the atomic write routine.
#include "platform/text_file.h"

#include "platform/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace textfile {

BytesResult readBytes(const QString& path, qint64 maxBytes) {
    BytesResult result;
    QFileInfo info(path);
    if (!info.exists()) {
        result.error = ReadError::Missing;
        result.reason = u"Файл не найден"_s;
        return result;
    }
    if (info.isDir()) {
        result.error = ReadError::Unreadable;
        result.reason = u"Это папка, а не файл"_s;
        return result;
    }
    if (maxBytes >= 0 && info.size() > maxBytes) {
        result.error = ReadError::TooLarge;
        result.reason = u"Файл слишком большой"_s;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = ReadError::Unreadable;
        result.reason = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = ReadError::Unreadable;
        result.reason = file.errorString();
        result.bytes.clear();
    } else if (maxBytes >= 0 && result.bytes.size() > maxBytes) {
        result.error = ReadError::TooLarge;
        result.reason = u"Файл слишком большой"_s;
        result.bytes.clear();
    }
    return result;
}

static ReadResult textFrom(BytesResult&& raw) {
    ReadResult result;
    result.error = raw.error;
    result.reason = raw.reason;
    if (raw.ok())
        result.text = normalizeLineBreaks(cp1251::decode(raw.bytes));
    return result;
}

ReadResult readText(const QString& path) {
    return textFrom(readBytes(path));
}

ReadResult readEditableText(const QString& path) {
    BytesResult raw = readBytes(path, kMaxEditableBytes);
    if (raw.ok() && raw.bytes.contains('\0')) {
        ReadResult result;
        result.error = ReadError::Binary;
        result.reason = u"Файл не текстовый (содержит нулевые байты)"_s;
        return result;
    }
    return textFrom(std::move(raw));
}

QString normalizeLineBreaks(const QString& text) {
    if (!text.contains(u'\r'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out.append(u'\n');
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

QByteArray toFileBytes(const QString& text, QString* unencodable) {
    QString crlf = text;
    crlf.replace(u"\n"_s, u"\r\n"_s);
    return cp1251::encode(crlf, unencodable);
}

WriteResult writeBytes(const QString& path, const QByteArray& bytes) {
    WriteResult result;
    QSaveFile file(path);
    // Unbuffered, so a short write shows in write()'s count and not only after commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.ok = false;
        result.reason = file.errorString();
        return result;
    }
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size()) {
        result.ok = false;
        result.reason = file.errorString();
        if (result.reason.isEmpty() || file.error() == QFileDevice::NoError)
            result.reason = u"Записано %1 байт из %2"_s.arg(written).arg(bytes.size());
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.reason = file.errorString();
    }
    return result;
}

WriteResult writeText(const QString& path, const QString& text) {
    return writeBytes(path, toFileBytes(text));
}

WriteResult copyFile(const QString& from, const QString& to) {
    BytesResult raw = readBytes(from);
    if (!raw.ok())
        return WriteResult{false, raw.reason};
    return writeBytes(to, raw.bytes);
}

QString describeFailure(const QString& path, const QString& reason) {
    return path + u"\n"_s + reason;
}

QString describeReadFailure(const QString& path, const ReadResult& result) {
    return describeFailure(path, result.reason);
}

QString notOpenedMessage(const QString& path, const ReadResult& result) {
    return u"Файл не открыт:\n"_s + describeReadFailure(path, result);
}

} // namespace textfile
