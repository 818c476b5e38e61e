// Printing goes through a module loaded on the first print: a missing module says so, the real
// one asks for a printer or says there is none.
#include "platform/print_module_loader.h"

#include <QApplication>
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(PrintModule, AMissingModulePrintsNothingAndSaysWhy) {
    QString reason;
    const std::optional<PrintOutcome> outcome = printThroughModule(
        u"/nonexistent/tessera_print"_s, nullptr, u"bind x y"_s, QFont(), u"cfg"_s, &reason);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(reason.contains(u"модуль печати"_s)) << reason.toStdString();
    EXPECT_TRUE(reason.contains(u"/nonexistent/tessera_print"_s));
}

TEST(PrintModule, TheRealModuleAsksForAPrinterOrSaysThereIsNone) {
    // A print dialog, where a printer is set up, is turned down as a user would.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    closer.start(50);
    QString reason;
    const std::optional<PrintOutcome> outcome = printThroughModule(
        QStringLiteral(TESSERA_PRINT_MODULE), nullptr, u"bind x y"_s, QFont(), u"cfg"_s, &reason);
    ASSERT_TRUE(outcome) << reason.toStdString();
    EXPECT_TRUE(*outcome == PrintOutcome::NoPrinter || *outcome == PrintOutcome::Cancelled);
}
