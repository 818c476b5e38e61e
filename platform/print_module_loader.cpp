// Loading the print module. It stays loaded to the end of the program: a print dialog's code
// lives in it.
#include "platform/print_module_loader.h"

#include <QLibrary>

using namespace Qt::Literals::StringLiterals;

std::optional<PrintOutcome> printThroughModule(const QString& modulePath, QWidget* parent,
                                               const QString& text, const QFont& font,
                                               const QString& jobTitle, QString* reason) {
    QLibrary module(modulePath);
    using Print = decltype(&tessera_print_text);
    const auto print = reinterpret_cast<Print>(module.resolve(kPrintFunctionName));
    if (!print) {
        // The loader's own reason is for the developer.
        qWarning("%s", qUtf8Printable(module.errorString()));
        if (reason)
            *reason =
                u"Не удалось загрузить модуль печати %1: печать недоступна."_s.arg(modulePath);
        return std::nullopt;
    }
    const int outcome = print(parent, text, font, jobTitle);
    if (outcome < int(PrintOutcome::Printed) || outcome > int(PrintOutcome::NoPrinter))
        return PrintOutcome::Cancelled;
    return PrintOutcome(outcome);
}
