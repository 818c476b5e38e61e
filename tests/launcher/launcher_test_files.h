// Files for the launcher tests: a Half-Life folder made in a temporary directory, and readable
// QString values in failure messages.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(u", ").toStdString() << '}';
}

inline QString putFile(const QString& path, const QByteArray& bytes = QByteArray()) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small JPEG written with libjpeg's encoder (a stand-in for the program's unknown.jpg).
QByteArray smallJpeg();
