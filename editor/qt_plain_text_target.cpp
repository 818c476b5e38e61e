// The plain-text edit as a SearchTarget.
#include "editor/qt_plain_text_target.h"

#include "editor/text_tools.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

QString PlainTextSearchTarget::text() const {
    return m_edit ? plainTextOf(*m_edit->document()) : QString();
}

int PlainTextSearchTarget::selectionStart() const {
    return m_edit ? m_edit->textCursor().selectionStart() : 0;
}

int PlainTextSearchTarget::selectionLength() const {
    if (!m_edit)
        return 0;
    const QTextCursor c = m_edit->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void PlainTextSearchTarget::select(int start, int length) {
    if (!m_edit)
        return;
    const int last = m_edit->document()->characterCount() - 1;
    const int from = std::clamp(start, 0, last);
    QTextCursor c = m_edit->textCursor();
    c.setPosition(from);
    c.setPosition(std::clamp(from + length, from, last), QTextCursor::KeepAnchor);
    // Setting the cursor scrolls it into view already; asking again would measure the caret's
    // line a second time at every find step.
    m_edit->setTextCursor(c);
}

void PlainTextSearchTarget::focus() {
    if (m_edit)
        m_edit->setFocus();
}

int PlainTextSearchTarget::indexOf(const QString& needle, int from) const {
    return m_edit ? findInDocument(*m_edit->document(), needle, from) : -1;
}
