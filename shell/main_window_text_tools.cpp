// The main window's text tools: cleanup, comment, Enter, EndEnter, delete line, select all,
// word wrap, find, look-up, font and colour. The text work itself is in editor/text_tools,
// shell/cleanup and widgets/find_primitive; these handlers read the editor and apply the result.
#include "shell/main_window.h"

#include "editor/qt_plain_text_target.h"
#include "editor/text_tools.h"
#include "platform/user_dialogs.h"
#include "reference/explanations.h"
#include "shell/cleanup.h"
#include "widgets/qt_find_dialog.h"

#include <QAction>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;

void MainWindow::setUpTextTools() {
    m_editorTarget = std::make_unique<PlainTextSearchTarget>(Memo1);
    if (QAction* wrap = action(u"N14"_s))
        wrap->setCheckable(true); // the mark is the word-wrap state; it starts off
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { m_caretLine = Memo1->textCursor().blockNumber(); });
    // Kept current between menu openings too, so Ctrl+A looks up exactly while text is selected.
    connect(Memo1, &QPlainTextEdit::selectionChanged, this, &MainWindow::refreshLookUpEnabled);
    refreshLookUpEnabled();
}

SearchTarget& MainWindow::editorSearchTarget() {
    return *m_editorTarget;
}

void MainWindow::refreshLookUpEnabled() {
    const bool selected = Memo1->textCursor().hasSelection();
    for (const QString& name : {u"N18"_s, u"N15"_s})
        if (QAction* a = action(name))
            a->setEnabled(selected);
}

namespace {
// The selection replaced by itself followed by `text`: nothing selected afterwards, the caret
// after the added text.
void appendToSelection(QPlainTextEdit* edit, const QString& text) {
    QTextCursor c = edit->textCursor();
    c.setPosition(c.selectionEnd());
    c.insertText(text);
    edit->setTextCursor(c);
}
} // namespace

void MainWindow::N11Click() {
    const QTextCursor c = Memo1->textCursor();
    const TextRange next =
        selectAllOrNone(Memo1->document()->characterCount() - 1,
                        {c.selectionStart(), c.selectionEnd() - c.selectionStart()});
    m_editorTarget->select(next.start, next.length);
}

void MainWindow::N14Click() {
    const QAction* wrap = action(u"N14"_s);
    Memo1->setLineWrapMode(wrap && wrap->isChecked() ? QPlainTextEdit::WidgetWidth
                                                     : QPlainTextEdit::NoWrap);
}

void MainWindow::N21Click() {
    const TextRange line = lineToDelete(*Memo1->document(), Memo1->textCursor().position());
    if (line.length == 0)
        return;
    QTextCursor c = Memo1->textCursor();
    c.setPosition(line.start);
    c.setPosition(line.start + line.length, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    Memo1->setTextCursor(c);
}

void MainWindow::N12Click() {
    m_ctx.state.find.searchTarget = m_editorTarget.get();
    if (!m_findDialog)
        m_findDialog = new FindDialog(m_ctx.state.find, *m_editorTarget, this);
    m_findDialog->start();
}

void MainWindow::N18Click() {
    QString selected = Memo1->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, u'\n');
    // The pop-up shows the answer where it stands, without coming forward.
    emit explanationRequested(ReadIni2(m_ctx.state, QString(), selected));
}

void MainWindow::N16Click() {
    setStatusLine(u"Выбор шрифта для окна ввода"_s);
    if (m_fontLive) {
        const FontChoice initial{Memo1->font(), Memo1->palette().color(QPalette::Text)};
        if (const std::optional<FontChoice> chosen = m_ctx.dialogs.chooseFont(initial)) {
            Memo1->setFont(chosen->font);
            setEditorColors(Memo1->palette().color(QPalette::Base), chosen->color);
        }
    } else {
        Memo1->setFont(Memo1->font());
    }
    m_styleCode = fontStyleCode(Memo1->font());
    if (m_fontLive)
        focusEditor();
    setStatusLine(QString());
}

void MainWindow::N17Click() {
    setStatusLine(u"Выбор цвета для окна редактора"_s);
    const QPalette pal = Memo1->palette();
    if (const std::optional<QColor> chosen = m_ctx.dialogs.chooseColor(pal.color(QPalette::Base)))
        setEditorColors(*chosen, pal.color(QPalette::Text));
    setStatusLine(QString());
}

void MainWindow::Label1Click() {
    appendToSelection(Memo1, u"//"_s);
    focusEditor();
}

void MainWindow::Label2Click() {
    appendToSelection(Memo1, u"\n"_s);
    focusEditor();
}

void MainWindow::Label3Click() {
    endOfLineBreak();
}

void MainWindow::endOfLineBreak() {
    QTextCursor c = Memo1->textCursor();
    c.setPosition(endOfLine(*Memo1->document(), m_caretLine));
    c.insertText(u"\n"_s);
    Memo1->setTextCursor(c);
    focusEditor();
}

void MainWindow::Label4Click() {
    const int remembered = Memo1->textCursor().selectionStart();
    QTextDocument& doc = *Memo1->document();
    replaceDocumentText(doc, cleanupText(plainTextOf(doc)));
    // The passes searched the editor through the shared find state; the last search found
    // nothing.
    m_ctx.state.find.searchTarget = m_editorTarget.get();
    m_ctx.state.find.lastFoundPos = -1;
    // The remembered position is not adjusted for the removed characters.
    QTextCursor c = Memo1->textCursor();
    c.setPosition(std::min(remembered, doc.characterCount() - 1));
    Memo1->setTextCursor(c);
    focusEditor();
}

void MainWindow::N10Popup() {
    refreshLookUpEnabled();
}
void MainWindow::PopupMenu2Popup() {
    refreshLookUpEnabled();
}
