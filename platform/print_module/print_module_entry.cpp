// The entry of the print module: the program loads this module on the first print and calls
// it, so Qt Print Support (and the libraries it brings) is not loaded at start.
#include "platform/print_module/qt_text_printing.h"

extern "C" Q_DECL_EXPORT int tessera_print_text(QWidget* parent, const QString& text,
                                                const QFont& font, const QString& jobTitle) {
    return int(printTextWithDialog(parent, text, font, jobTitle));
}
