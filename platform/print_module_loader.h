// Printing through the print module (tessera_print, where ProgramHome::printModule() says), loaded
// on the first print and kept to the end of the program. Qt Print Support and what it brings
// would otherwise be loaded, and their symbols looked up, at every start.
#pragma once

#include <QString>
#include <optional>

class QFont;
class QWidget;

enum class PrintOutcome { Printed = 0, Cancelled = 1, NoPrinter = 2 };

// The function the module exports: a PrintOutcome as an int.
extern "C" int tessera_print_text(QWidget* parent, const QString& text, const QFont& font,
                                  const QString& jobTitle);
inline constexpr char kPrintFunctionName[] = "tessera_print_text";

// Prints `text` through the module at `modulePath` (without the file name's ending, as QLibrary
// takes it). Nothing when the module cannot be loaded; then `reason` says so in a sentence for
// the user.
std::optional<PrintOutcome> printThroughModule(const QString& modulePath, QWidget* parent,
                                               const QString& text, const QFont& font,
                                               const QString& jobTitle, QString* reason);
