// Printing a text through Qt's print dialog: the code of the print module, which the program
// loads on the first print (platform/print_module_loader.h) so that Qt Print Support is not
// loaded at every start.
#pragma once

#include "platform/print_module_loader.h"

class QFont;
class QString;
class QWidget;

// Asks for the printer in Qt's print dialog (over `parent`) and prints `text` in `font` as the
// job `jobTitle`.
PrintOutcome printTextWithDialog(QWidget* parent, const QString& text, const QFont& font,
                                 const QString& jobTitle);
