// What the fuzz targets share: the input as a file on disk (the readers take paths), a scratch
// folder per process, and a check that stops the run with a message when a property fails.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace fuzz {

// A folder of this process's own, made at the first call and removed at exit.
QString scratchDir();

// Writes `bytes` to scratchDir() + "/" + name (sub-folders are made) and returns the path.
QString writeFile(const QString& name, const QByteArray& bytes);

// The same where the input decides the tree: false when the file cannot be made there (a file
// stands where a folder should).
bool tryWriteFile(const QString& name, const QByteArray& bytes);

// Empties scratchDir(), for targets that build a folder tree per run.
void clearScratch();

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// An input that is a file followed by the choices a target makes about it: the file is what
// comes before the last "\0#" and the choices what follows it (none when there is no such
// mark), so a plain file from the shipped data is a seed as it stands.
struct FileAndChoices {
    QByteArray file;
    QByteArray choices;
};
FileAndChoices splitInput(const uint8_t* data, size_t size);

// Bytes from the provider, decoded as the program decodes its files (Windows-1251).
QString takeText(FuzzedDataProvider& in, size_t maxBytes);

// Stops the run (libFuzzer keeps the input) when `holds` is false.
void check(bool holds, const char* what, const QString& detail = QString());

} // namespace fuzz
