// SearchTarget for a QPlainTextEdit: the main editor, and any other window's plain-text box
// that the find primitive should search.
#pragma once

#include "widgets/search_target.h"

#include <QPointer>

class QPlainTextEdit;

class PlainTextSearchTarget final : public SearchTarget {
public:
    explicit PlainTextSearchTarget(QPlainTextEdit* edit) : m_edit(edit) {}

    QString text() const override;
    int selectionStart() const override;
    int selectionLength() const override;
    void select(int start, int length) override;
    void focus() override;
    // Searches the document block by block, without copying its whole text.
    int indexOf(const QString& needle, int from) const override;

    QPlainTextEdit* edit() const { return m_edit; }

private:
    // Guarded: the edit may be gone before the shared state forgets this target.
    QPointer<QPlainTextEdit> m_edit;
};
