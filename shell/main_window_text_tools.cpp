// The main window's text tools: cleanup, comment, Enter, EndEnter, delete line, select all,
// word wrap, find, look-up, font and colour. The text work itself is in shell/text_tools,
// shell/cleanup and shell/find_primitive; these handlers read the editor and apply the result.
#include "shell/main_window.h"

#include "platform/user_dialogs.h"
#include "reference/explanations.h"
#include "shell/cleanup.h"
#include "widgets/qt_find_dialog.h"
#include "shell/qt_plain_text_target.h"
#include "shell/text_tools.h"

#include <QAction>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;

void TForm1::setUpTextTools() {
    m_editorTarget = std::make_unique<PlainTextSearchTarget>(Memo1);
    if (QAction* wrap = action(u"N14"_s))
        wrap->setCheckable(true); // the mark is the word-wrap state; it starts off
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { m_caretLine = Memo1->textCursor().blockNumber(); });
    // Kept current between menu openings too, so Ctrl+A looks up exactly while text is selected.
    connect(Memo1, &QPlainTextEdit::selectionChanged, this, &TForm1::refreshLookUpEnabled);
    refreshLookUpEnabled();
}

SearchTarget& TForm1::editorSearchTarget() {
    return *m_editorTarget;
}

void TForm1::refreshLookUpEnabled() {
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

void TForm1::N11Click() {
    const QTextCursor c = Memo1->textCursor();
    const TextRange next =
        selectAllOrNone(Memo1->document()->characterCount() - 1,
                        {c.selectionStart(), c.selectionEnd() - c.selectionStart()});
    m_editorTarget->select(next.start, next.length);
}

void TForm1::N14Click() {
    const QAction* wrap = action(u"N14"_s);
    Memo1->setLineWrapMode(wrap && wrap->isChecked() ? QPlainTextEdit::WidgetWidth
                                                     : QPlainTextEdit::NoWrap);
}

void TForm1::N21Click() {
    const TextRange line = lineToDelete(*Memo1->document(), Memo1->textCursor().position());
    if (line.length == 0)
        return;
    QTextCursor c = Memo1->textCursor();
    c.setPosition(line.start);
    c.setPosition(line.start + line.length, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    Memo1->setTextCursor(c);
}

void TForm1::N12Click() {
    m_ctx.state.searchTarget = m_editorTarget.get();
    if (!m_findDialog)
        m_findDialog = new FindDialog(m_ctx.state, *m_editorTarget, this);
    m_findDialog->start();
}

void TForm1::N18Click() {
    QString selected = Memo1->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, u'\n');
    SharedState& st = m_ctx.state;
    ReadIni2(st, QString(), selected);
    // The pop-up shows the answer where it stands, without coming forward.
    emit explanationRequested(st.explanationText);
}

void TForm1::N16Click() {
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

void TForm1::N17Click() {
    setStatusLine(u"Выбор цвета для окна редактора"_s);
    const QPalette pal = Memo1->palette();
    if (const std::optional<QColor> chosen = m_ctx.dialogs.chooseColor(pal.color(QPalette::Base)))
        setEditorColors(*chosen, pal.color(QPalette::Text));
    setStatusLine(QString());
}

void TForm1::Label1Click() {
    appendToSelection(Memo1, u"//"_s);
    focusEditor();
}

void TForm1::Label2Click() {
    appendToSelection(Memo1, u"\n"_s);
    focusEditor();
}

void TForm1::Label3Click() {
    endOfLineBreak();
}

void TForm1::endOfLineBreak() {
    QTextCursor c = Memo1->textCursor();
    c.setPosition(endOfLine(*Memo1->document(), m_caretLine));
    c.insertText(u"\n"_s);
    Memo1->setTextCursor(c);
    focusEditor();
}

void TForm1::Label4Click() {
    const int remembered = Memo1->textCursor().selectionStart();
    QTextDocument& doc = *Memo1->document();
    replaceDocumentText(doc, cleanupText(plainTextOf(doc)));
    // The passes searched the editor through the shared find state; the last search found
    // nothing.
    m_ctx.state.searchTarget = m_editorTarget.get();
    m_ctx.state.lastFoundPos = -1;
    // The remembered position is not adjusted for the removed characters.
    QTextCursor c = Memo1->textCursor();
    c.setPosition(std::min(remembered, doc.characterCount() - 1));
    Memo1->setTextCursor(c);
    focusEditor();
}

void TForm1::N10Popup() {
    refreshLookUpEnabled();
}
void TForm1::PopupMenu2Popup() {
    refreshLookUpEnabled();
}
