// The dialogs the program asks the user through: message boxes of fixed kinds, file, font,
// colour and print dialogs. Windows take a UserDialogs&; the program hands them the Qt one and
// tests a scripted one.
#pragma once

#include "platform/font_choice.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class UserDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    struct FileDialogOptions {
        QString title;
        // Windows-style filter: "Configuration (*.cfg)|*.cfg|All (*.*)|*.*".
        QString filter;
        int filterIndex = 1; // 1-based, as the filter lists them
        QString directory;
        QString fileName;
    };
    struct FileDialogResult {
        bool accepted = false;
        QString fileName;
        // The file type last chosen in the dialog, also when it was cancelled.
        int filterIndex = 1;
    };

    virtual ~UserDialogs() = default;

    virtual void warning(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual Answer confirmYesNo(const QString& text) = 0;
    virtual Answer confirmYesNoCancel(const QString& text) = 0;
    // A question whose answer undoes something (a deletion): "Нет" is the default button.
    virtual Answer confirmDestructive(const QString& text) { return confirmYesNo(text); }
    // Three answers with captions of their own, in the roles Yes, No and Cancel; with `no`
    // empty, two (Yes and Cancel).
    virtual Answer chooseOfThree(const QString& text, const QString& yes, const QString& no,
                                 const QString& cancel) {
        (void)yes;
        (void)no;
        (void)cancel;
        return confirmYesNoCancel(text);
    }
    // A plain message window titled with the program's name.
    virtual void message(const QString& text) = 0;

    // The file must exist.
    virtual FileDialogResult openFile(const FileDialogOptions& options) = 0;
    // Asks nothing about replacing a file; the caller does.
    virtual FileDialogResult saveFile(const FileDialogOptions& options) = 0;

    // The font with its effects (underline, strike-out) and the text colour.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;

    // The print dialog, then the text printed as one job; false when nothing was printed.
    virtual bool printText(const QString& text, const QFont& font, const QString& jobTitle) = 0;
};

// "Desc (*.cfg)|*.cfg|..." as a list of Qt name filters, one per entry.
QStringList qtNameFilters(const QString& windowsFilter);
