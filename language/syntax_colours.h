// The highlighting colours, derived from the editor's background and text colour so that every
// kind stays readable on whatever background the user chose.
#pragma once

#include "language/syntax_tokens.h"

#include <QColor>
#include <array>

// WCAG's contrast ratio of two colours, 1 (equal) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

struct SyntaxColours {
    std::array<QColor, kTokenKindCount> colour;
    const QColor& of(TokenKind kind) const { return colour[size_t(kind)]; }
};

// The least contrast each highlighting colour keeps against the background (comments, drawn
// between text and background on purpose, keep kMinCommentContrast).
constexpr double kMinSyntaxContrast = 4.5;
constexpr double kMinCommentContrast = 3.0;

SyntaxColours syntaxColours(const QColor& background, const QColor& text);
