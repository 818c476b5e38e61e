// Qt's dialogs behind the UserDialogs interface.
#include "platform/qt_user_dialogs.h"

#include "platform/log_categories.h"
#include "platform/print_module_loader.h"
#include "platform/qt_font_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

using namespace Qt::Literals::StringLiterals;

namespace {

UserDialogs::Answer toAnswer(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return UserDialogs::Answer::Yes;
    case QMessageBox::No:
        return UserDialogs::Answer::No;
    default:
        return UserDialogs::Answer::Cancel;
    }
}

struct Captions {
    QString yes = u"Да"_s;
    QString no = u"Нет"_s;
    QString cancel = u"Отмена"_s;
};

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                const Captions& names = {}) {
    QMessageBox box(icon, title, text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Yes, names.yes},
        {QMessageBox::No, names.no},
        {QMessageBox::Cancel, names.cancel},
        {QMessageBox::Ok, u"OK"_s},
    };
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* b = box.button(button))
            b->setText(caption);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

UserDialogs::FileDialogResult runFileDialog(QWidget* parent,
                                            const UserDialogs::FileDialogOptions& options,
                                            QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, options.title, options.directory);
    dialog.setAcceptMode(mode);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(options.filter);
    dialog.setNameFilters(filters);
    UserDialogs::FileDialogResult result;
    result.filterIndex = options.filterIndex;
    if (options.filterIndex >= 1 && options.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[options.filterIndex - 1]);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& f) { result.filterIndex = int(filters.indexOf(f)) + 1; });
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString name = dialog.selectedFiles().constFirst();
        const QFileInfo info(name);
        // A read-only file is not accepted as a save target.
        if (mode == QFileDialog::AcceptSave && info.exists() && !info.isWritable()) {
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 name + u"\nФайл доступен только для чтения."_s);
            continue;
        }
        result.accepted = true;
        result.fileName = name;
        break;
    }
    return result;
}

} // namespace

QWidget* QtUserDialogs::parentWidget() const {
    // A dialog belongs to the window the user works in: one the program opened over the main
    // window (a modal one, the keyboard map) keeps its dialog above it, and a window manager
    // raising the dialog's owner raises that window, not the main window and its tool windows
    // over it. The tool windows themselves ask through the main window.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* active = QApplication::activeWindow();
    const auto ownedByMain = [&](const QWidget* w) {
        for (; w; w = w->parentWidget())
            if (w == m_parent)
                return true;
        return false;
    };
    if (active && active->windowType() != Qt::Tool && (!m_parent || ownedByMain(active)))
        return active;
    return m_parent ? m_parent : active;
}

void QtUserDialogs::warning(const QString& text) {
    qCWarning(lcMessages).noquote() << "warning shown:" << text;
    ask(parentWidget(), QMessageBox::Warning, u"Предупреждение"_s, text, QMessageBox::Ok);
}

void QtUserDialogs::error(const QString& text) {
    qCWarning(lcMessages).noquote() << "error shown:" << text;
    ask(parentWidget(), QMessageBox::Critical, u"Ошибка"_s, text, QMessageBox::Ok);
}

void QtUserDialogs::information(const QString& text) {
    ask(parentWidget(), QMessageBox::Information, u"Информация"_s, text, QMessageBox::Ok);
}

UserDialogs::Answer QtUserDialogs::confirmYesNo(const QString& text) {
    return toAnswer(ask(parentWidget(), QMessageBox::Question, u"Подтверждение"_s, text,
                        QMessageBox::Yes | QMessageBox::No));
}

UserDialogs::Answer QtUserDialogs::confirmYesNoCancel(const QString& text) {
    return toAnswer(ask(parentWidget(), QMessageBox::Question, u"Подтверждение"_s, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}

UserDialogs::Answer QtUserDialogs::confirmDestructive(const QString& text) {
    return toAnswer(ask(parentWidget(), QMessageBox::Question, u"Подтверждение"_s, text,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No));
}

UserDialogs::Answer QtUserDialogs::chooseOfThree(const QString& text, const QString& yes,
                                                 const QString& no, const QString& cancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::Cancel;
    if (!no.isEmpty())
        buttons |= QMessageBox::No;
    return toAnswer(ask(parentWidget(), QMessageBox::Question, u"Подтверждение"_s, text, buttons,
                        QMessageBox::Cancel, Captions{yes, no, cancel}));
}

void QtUserDialogs::message(const QString& text) {
    ask(parentWidget(), QMessageBox::NoIcon,
        m_messageTitle.isEmpty() ? QApplication::applicationName() : m_messageTitle, text,
        QMessageBox::Ok);
}

UserDialogs::FileDialogResult QtUserDialogs::openFile(const FileDialogOptions& options) {
    return runFileDialog(parentWidget(), options, QFileDialog::AcceptOpen);
}

UserDialogs::FileDialogResult QtUserDialogs::saveFile(const FileDialogOptions& options) {
    return runFileDialog(parentWidget(), options, QFileDialog::AcceptSave);
}

std::optional<FontChoice> QtUserDialogs::chooseFont(const FontChoice& initial) {
    return FontDialog::ask(parentWidget(), initial);
}

std::optional<QColor> QtUserDialogs::chooseColor(const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, parentWidget(), u"Цвет"_s,
                                            QColorDialog::DontUseNativeDialog);
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

bool QtUserDialogs::printText(const QString& text, const QFont& font, const QString& jobTitle) {
    QString reason;
    const std::optional<PrintOutcome> outcome =
        printThroughModule(m_printModule, parentWidget(), text, font, jobTitle, &reason);
    if (!outcome) {
        error(reason);
        return false;
    }
    if (*outcome == PrintOutcome::NoPrinter)
        warning(u"Принтер не установлен. Установите принтер, чтобы печатать."_s);
    return *outcome == PrintOutcome::Printed;
}
