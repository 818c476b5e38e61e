// Paths below the program directory and the game's folders. The program names its files the
// Windows way ("DLLS\CVARDLL\cmd.txt"); here such a name finds the file whatever the letter case
// on disk, and wildcard listings come back sorted by name without regard to case.
#pragma once

#include <QString>
#include <QStringList>

namespace paths {

// Joins `relative` (with "\" or "/" separators) to `base`, matching every component that exists
// on disk without regard to letter case. Components that do not exist are kept as written.
QString resolve(const QString& base, const QString& relative);

// Resolves a whole path that may use "\" separators (an absolute or relative one).
QString resolvePath(const QString& path);

// Files (not folders) of `dir` whose names match `pattern` ("*.dlz", "*.bsp"), the extension and
// name matched without regard to case, sorted by name case-insensitively.
QStringList listFiles(const QString& dir, const QString& pattern);

// Every entry of `dir` (files and folders, hidden ones too), sorted by name case-insensitively,
// the exact spelling breaking ties: the order resolve() picks a spelling in.
QStringList listEntries(const QString& dir);

// Sub-folders of `dir`, not hidden, sorted by name case-insensitively.
QStringList listFolders(const QString& dir);

// Adds the separator the program's concatenated paths expect ("/" on this system).
QString withTrailingSeparator(const QString& dir);

} // namespace paths
