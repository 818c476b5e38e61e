// Whether a text needs a shaper.
#include "editor/text_shaping.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The ranges drawn alone, each tested as one unsigned difference (a character below a range's
// start wraps round to a large one): Latin and the spacing modifiers; Greek and Cyrillic, less
// the Cyrillic combining marks (U+0483-U+0489); Latin and Greek extended, punctuation, currency,
// letterlike symbols, arrows, maths, boxes, shapes and dingbats, less the zero-width joiners
// (U+200C, U+200D) and the combining marks for symbols (U+20D0-U+20FF). Everything else (the
// combining marks at U+0300, Armenian, Hebrew, Arabic, the scripts of India and Asia, emoji and
// the other surrogates, variation selectors) goes to the shaper.
constexpr char16_t kLatinEnd = 0x0300;
constexpr char16_t kGreekStart = 0x0370, kGreekEnd = 0x0483;
constexpr char16_t kCyrillicStart = 0x048A, kCyrillicEnd = 0x0530;
constexpr char16_t kSymbolsStart = 0x1E00, kSymbolsEnd = 0x2C00;
constexpr char16_t kJoiners = 0x200C, kJoinerCount = 2;
constexpr char16_t kSymbolMarks = 0x20D0, kSymbolMarkCount = 0x30;

bool alone(char16_t c) {
    const auto from = [c](char16_t start) { return char16_t(c - start); };
    return c < kLatinEnd || from(kGreekStart) < kGreekEnd - kGreekStart ||
           from(kCyrillicStart) < kCyrillicEnd - kCyrillicStart ||
           (from(kSymbolsStart) < kSymbolsEnd - kSymbolsStart && from(kJoiners) >= kJoinerCount &&
            from(kSymbolMarks) >= kSymbolMarkCount);
}

#if defined(__SSE2__)
// Lanes below `limit`, unsigned (SSE2 compares 16-bit lanes as signed: both sides are moved by
// half the range first).
__m128i below(__m128i lanes, char16_t limit) {
    const __m128i half = _mm_set1_epi16(short(0x8000));
    return _mm_cmplt_epi16(_mm_xor_si128(lanes, half), _mm_set1_epi16(short(limit ^ 0x8000)));
}
__m128i from(__m128i lanes, char16_t start) {
    return _mm_sub_epi16(lanes, _mm_set1_epi16(short(start)));
}
// Whether all eight characters are drawn alone: the same test as alone(), lane by lane.
bool allAlone(const char16_t* p) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i yes =
        _mm_or_si128(below(c, kLatinEnd), below(from(c, kGreekStart), kGreekEnd - kGreekStart));
    yes = _mm_or_si128(yes, below(from(c, kCyrillicStart), kCyrillicEnd - kCyrillicStart));
    __m128i symbols = below(from(c, kSymbolsStart), kSymbolsEnd - kSymbolsStart);
    symbols = _mm_andnot_si128(below(from(c, kJoiners), kJoinerCount), symbols);
    symbols = _mm_andnot_si128(below(from(c, kSymbolMarks), kSymbolMarkCount), symbols);
    return _mm_movemask_epi8(_mm_or_si128(yes, symbols)) == 0xFFFF;
}
#endif

} // namespace

bool needsShaper(QStringView text) {
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
#if defined(__SSE2__)
    for (; end - p >= 8; p += 8)
        if (!allAlone(p))
            return true;
#endif
    for (; p < end; ++p)
        if (!alone(*p))
            return true;
    return false;
}
