// The system's reasons for a failed file operation, in Russian, for the program's messages.
#pragma once

#include <QString>

// The common reasons (no permission, no space left, a read-only file system, no such file or
// folder, a folder where a file was expected, a file too large, a disk quota exceeded) in
// Russian, whichever words the system or Qt used; any other reason stays as the system gave it.
QString russianSystemReason(const QString& systemText);

// The reason for a file the program refuses because it is larger than `limitBytes`.
QString tooLargeReason(qint64 limitBytes);
