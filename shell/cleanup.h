// "Очистка": strips superfluous blanks and semicolons from a config. Seven replace-all passes
// run once each, in a fixed order, and each pass repeats until its pattern is gone; a pattern
// that a later pass creates is left for the user (a line ending in ";", a blank and ";" keeps
// one final ";").
#pragma once

#include <QString>
#include <span>

struct ReplacePass {
    QStringView pattern;
    QStringView replacement; // always shorter than the pattern
};

// The passes in the order they run; a line break is "\n".
std::span<const ReplacePass> cleanupPasses();

// The result of replacing the first occurrence of `pattern` from the top again and again until
// there is none, in time linear in the text. That ends only when the replacement is shorter
// than the pattern; a replacement as long or longer (which could go on for ever: "a" by "aa")
// replaces each occurrence once, left to right. An empty pattern changes nothing.
QString replaceToFixedPoint(QString text, QStringView pattern, QStringView replacement);

// All passes in order.
QString cleanupText(QString text);
