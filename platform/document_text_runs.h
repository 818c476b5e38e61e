// The editor's text as the document stores it, run by run, so a save can encode it without first
// copying the whole text into one string (at 16 MB that copy alone is 32 MB).
#pragma once

#include <QStringView>

#include <functional>

class QTextDocument;

// Calls `visit` with the document's characters in order, in the runs the document stores them in
// (a few for a text as loaded, more after edits); lines are separated by
// QChar::ParagraphSeparator or "\n". Together the runs are document.toRawText() with some of
// its separators as "\n".
// `from` and `to` (-1: the end) limit the walk to a stretch of those characters; walks of one
// document from several threads may run at once while nothing changes it.
void forEachTextRun(const QTextDocument& document, const std::function<void(QStringView)>& visit,
                    qsizetype from = 0, qsizetype to = -1);
