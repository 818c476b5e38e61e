// The edit control a find step searches. The main editor, the wizard's documents, the MetaBinds
// script box and the launcher's lists each hand one of these to the find primitive, so the
// search itself is written once.
#pragma once

#include <QString>

class SearchTarget {
public:
    virtual ~SearchTarget() = default;

    // The whole text with "\n" between lines; positions below index into it.
    virtual QString text() const = 0;
    virtual int selectionStart() const = 0;
    virtual int selectionLength() const = 0;
    // Selects `length` characters from `start`, the caret at their end, and scrolls to them.
    virtual void select(int start, int length) = 0;
    virtual void focus() = 0;

    // The position of the first occurrence of `needle` at or after `from`, case matched exactly
    // and every character compared as it is, or -1. This default searches text(); a target
    // with a large document overrides it so a step costs what it passes over, not a copy.
    virtual int indexOf(const QString& needle, int from) const {
        return int(text().indexOf(needle, from, Qt::CaseSensitive));
    }
};
