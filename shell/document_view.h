// What the main editor's document needs of the editor: its text, in runs for a large one, its
// modified flag and the status panels. The main window is one; the tests and the fuzz targets
// have their own.
#pragma once

#include "platform/text_form.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

class EncodedLines;

class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual QString documentText() const = 0;
    // Replaces the whole text (one undo step); the caret goes to the start or the end.
    virtual void setDocumentText(const QString& text, bool caretAtEnd) = 0;
    virtual bool isDocumentModified() const = 0;
    virtual void setDocumentModified(bool modified) = 0;
    virtual void showFileName(const QString& fileName) = 0; // status panel 2
    virtual void showStatus(const QString& text) = 0;       // status panel 1
    // What status panel 1 shows when nothing else is said.
    virtual QString idleStatus() const = 0;
    virtual QFont documentFont() const = 0;
    virtual QString printTitle() const = 0;
    // The file's new text after another program changed it: the editor keeps the caret's line.
    virtual void reloadDocumentText(const QString& text) { setDocumentText(text, false); }
    // The text for a save in runs, lines separated by "\n" or QChar::ParagraphSeparator, so a
    // large text is encoded as it is read instead of being copied whole first.
    virtual void visitText(const std::function<void(QStringView)>& visit) const {
        visit(documentText());
    }
    // The characters of that text from `from` up to `to` (-1: its end), in runs.
    virtual void visitTextRange(qsizetype from, qsizetype to,
                                const std::function<void(QStringView)>& visit) const {
        const QString text = documentText();
        visit(QStringView(text).mid(from, to < 0 ? -1 : to - from));
    }
    // The number of characters of that text.
    virtual qsizetype textLength() const { return documentText().size(); }
    // Line starts, the first at 0, about every `characters` characters of that text, when it can
    // be read in those stretches from two threads at the same time (visitTextRange); none when
    // it cannot.
    virtual QList<qsizetype> lineStartsEvery(qsizetype /*characters*/) const { return {}; }
    // The encoding and line breaks the next save writes (a status panel).
    virtual void showTextForm(const textfile::TextForm& /*form*/) {}
    // The bytes of the text's lines as last read or written, following the text's edits; none
    // when the view does not keep them.
    virtual EncodedLines* encodedLines() const { return nullptr; }
};
