// Printing a text through Qt's print dialog.
#include "platform/print_module/qt_text_printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

PrintOutcome printTextWithDialog(QWidget* parent, const QString& text, const QFont& font,
                                 const QString& jobTitle) {
    if (QPrinterInfo::availablePrinters().isEmpty())
        return PrintOutcome::NoPrinter;
    QPrinter printer;
    printer.setDocName(jobTitle);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText(text);
    document.print(&printer);
    return PrintOutcome::Printed;
}
