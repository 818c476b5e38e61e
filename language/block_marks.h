// The marks of a block of 64 characters that the console reader's pass splits a text by: one bit
// per character for quotes, line breaks, ";", blanks and one-character words.
#pragma once

#include <QtGlobal>

struct BlockMarks {
    quint64 quotes = 0;
    quint64 breaks = 0;
    quint64 semicolons = 0;
    quint64 blanks = 0;  // up to the blank, the line break aside
    quint64 singles = 0; // the one-character words
    // Where a bare name may end: a blank, a line break, a one-character word, a ";" (which ends
    // it unless a quote in the name came first) or a quote (which changes that).
    quint64 nameEnds() const { return blanks | breaks | singles | semicolons | quotes; }
};

constexpr int kMarkBlock = 64;

#if defined(__SSE2__)
// The marks of the kMarkBlock characters from `s`: 32 at a time where the processor has the
// instructions for it, else 16.
BlockMarks blockMarks(const char16_t* s);
// Each way of making them, whatever the processor has: 16 characters at a time always, 32 only
// where the processor can (nullptr elsewhere). blockMarks() takes the widest.
BlockMarks blockMarksBy16(const char16_t* s);
using BlockMarksFunction = BlockMarks (*)(const char16_t*);
BlockMarksFunction blockMarksBy32IfAny();
#endif
