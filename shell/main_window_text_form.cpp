// The main window's side of a file's form: the status panel that names the encoding and line
// breaks the next save writes, and the "Файл" submenu that changes them.
#include "shell/main_window.h"

#include "editor/qt_editor_language.h"
#include "platform/document_text_runs.h"
#include "platform/encoded_lines.h"
#include "widgets/qt_widget_helpers.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;

void MainWindow::setUpTextForm() {
    m_encodedLines = new EncodedLines(Memo1->document(), this);
    // The encoding gives way to the file name: in a narrow window it goes, so the name keeps the
    // room of "config.cfg" in its own font after the caret and message panels (a longer path is
    // shortened, and the whole name is its tool tip). Measured in the font, not in pixels, this
    // leaves the encoding room at the default width in a desktop's font as in a test's.
    m_formPanel = new GivingWayLabel(StatusBar1, [this] {
        constexpr int kSpacingAndGrip = 44;
        const QLabel* name = m_panels[2];
        const int nameRoom =
            name->fontMetrics().horizontalAdvance(u"config.cfg"_s) + 2 * name->frameWidth();
        return m_panels[0]->width() + m_panels[1]->width() +
               std::min(nameRoom, name->sizeHint().width()) + kSpacingAndGrip;
    });
    m_formPanel->setObjectName(u"StatusPanel3"_s);
    m_formPanel->setFrameShape(QFrame::Panel);
    m_formPanel->setFrameShadow(QFrame::Sunken);
    StatusBar1->addPermanentWidget(m_formPanel);
    if (QMenu* menu = m_menus.value(u"TextForm1"_s))
        menu->menuAction()->setObjectName(u"TextForm1"_s);
    const std::pair<QStringView, void (MainWindow::*)()> choices[] = {
        {u"Cp12511", &MainWindow::Cp12511Click},   {u"Utf81", &MainWindow::Utf81Click},
        {u"Utf8Bom1", &MainWindow::Utf8Bom1Click}, {u"CrLf1", &MainWindow::CrLf1Click},
        {u"Lf1", &MainWindow::Lf1Click},
    };
    // One mark among the encodings and one among the line breaks.
    auto* encodings = new QActionGroup(this);
    auto* breaks = new QActionGroup(this);
    for (const auto& [name, handler] : choices) {
        QAction* a = action(name.toString());
        if (!a)
            continue;
        a->setCheckable(true);
        (name.startsWith(u"Utf") || name == u"Cp12511" ? encodings : breaks)->addAction(a);
        connect(a, &QAction::triggered, this, handler);
    }
}

void MainWindow::showTextForm(const textfile::TextForm& form) {
    if (m_language)
        m_language->setFileForm({form.encoding == textfile::Encoding::Utf8 ? console::Bytes::Utf8
                                                                           : console::Bytes::Single,
                                 form.lineBreak == textfile::LineBreak::CrLf, QString()});
    if (!m_formPanel)
        return;
    const QString note = textfile::mixedBreaksNote(form);
    // Said one way for every file, opened or new; the tool tip says it in words.
    const QString shown =
        textfile::describeFormShortly(form) + (note.isEmpty() ? QString() : u" *"_s);
    m_formPanel->setTexts(shown, shown);
    // The whole form in the tool tip too, for when the panel is short or gone.
    m_formPanel->setToolTip(textfile::describeForm(form) +
                            (note.isEmpty() ? QString() : u"\n"_s + note));
    const bool utf8 = form.encoding == textfile::Encoding::Utf8;
    const std::pair<QString, bool> marks[] = {
        {u"Cp12511"_s, !utf8},
        {u"Utf81"_s, utf8 && !form.bom},
        {u"Utf8Bom1"_s, utf8 && form.bom},
        {u"CrLf1"_s, form.lineBreak == textfile::LineBreak::CrLf},
        {u"Lf1"_s, form.lineBreak == textfile::LineBreak::Lf},
    };
    for (const auto& [name, checked] : marks)
        if (QAction* a = action(name))
            a->setChecked(checked);
}

void MainWindow::visitText(const std::function<void(QStringView)>& visit) const {
    forEachTextRun(*Memo1->document(), visit);
}

void MainWindow::visitTextRange(qsizetype from, qsizetype to,
                            const std::function<void(QStringView)>& visit) const {
    forEachTextRun(*Memo1->document(), visit, from, to);
}

qsizetype MainWindow::textLength() const {
    // Less the separator the document keeps after its last line.
    return Memo1->document()->characterCount() - 1;
}

EncodedLines* MainWindow::encodedLines() const {
    return m_encodedLines;
}

QList<qsizetype> MainWindow::lineStartsEvery(qsizetype characters) const {
    const QTextDocument* document = Memo1->document();
    const qsizetype size = document->characterCount();
    QList<qsizetype> starts = {0};
    for (qsizetype at = characters; at < size; at += characters) {
        const qsizetype start = document->findBlock(int(at)).position();
        if (start > starts.last())
            starts.append(start);
    }
    return starts;
}

void MainWindow::Cp12511Click() {
    m_document.chooseEncoding(textfile::Encoding::Windows1251, false);
}
void MainWindow::Utf81Click() {
    m_document.chooseEncoding(textfile::Encoding::Utf8, false);
}
void MainWindow::Utf8Bom1Click() {
    m_document.chooseEncoding(textfile::Encoding::Utf8, true);
}
void MainWindow::CrLf1Click() {
    m_document.chooseLineBreak(textfile::LineBreak::CrLf);
}
void MainWindow::Lf1Click() {
    m_document.chooseLineBreak(textfile::LineBreak::Lf);
}
