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
};
