// UserDialogs through Qt's own message boxes and dialogs.
#pragma once

#include "platform/user_dialogs.h"

#include <QString>

class QWidget;

class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    // The title of the plain message window: the program's name.
    void setMessageTitle(const QString& title) { m_messageTitle = title; }
    // Where the print module is (ProgramHome::printModule()); printing needs it.
    void setPrintModule(const QString& modulePath) { m_printModule = modulePath; }

    void warning(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    Answer confirmYesNo(const QString& text) override;
    Answer confirmYesNoCancel(const QString& text) override;
    Answer confirmDestructive(const QString& text) override;
    Answer chooseOfThree(const QString& text, const QString& yes, const QString& no,
                         const QString& cancel) override;
    void message(const QString& text) override;
    FileDialogResult openFile(const FileDialogOptions& options) override;
    FileDialogResult saveFile(const FileDialogOptions& options) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool printText(const QString& text, const QFont& font, const QString& jobTitle) override;

private:
    QWidget* parentWidget() const;
    QWidget* m_parent;
    QString m_messageTitle;
    QString m_printModule;
};
