// The marks of a block of characters, with the widest instructions the processor has.
#include "language/block_marks.h"

#if defined(__SSE2__)
#include <immintrin.h>

namespace {

__m128i equal(__m128i bytes, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

quint64 bitsOf(__m128i bytes) {
    return quint64(unsigned(_mm_movemask_epi8(bytes)));
}

BlockMarks marksBy16(const char16_t* s) {
    BlockMarks m;
    for (int part = 0; part < kMarkBlock / 16; ++part) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + part * 16));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + part * 16 + 8));
        // As bytes: the ASCII characters as they are, every other one as 0x7F or 0x80, which
        // is neither a mark nor a blank.
        const __m128i bytes = _mm_packs_epi16(a, b);
        const __m128i upToBlank = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes);
        const __m128i breaks = equal(bytes, '\n');
        // "'", "(" and ")" are neighbours.
        const __m128i fromQuote = _mm_sub_epi8(bytes, _mm_set1_epi8('\''));
        const __m128i parens = _mm_cmpeq_epi8(_mm_min_epu8(fromQuote, _mm_set1_epi8(2)), fromQuote);
        const __m128i singles = _mm_or_si128(
            _mm_or_si128(parens, equal(bytes, ',')),
            _mm_or_si128(equal(bytes, ':'), _mm_or_si128(equal(bytes, '{'), equal(bytes, '}'))));
        const int shift = part * 16;
        m.quotes |= bitsOf(equal(bytes, '"')) << shift;
        m.breaks |= bitsOf(breaks) << shift;
        m.semicolons |= bitsOf(equal(bytes, ';')) << shift;
        m.blanks |= bitsOf(_mm_andnot_si128(breaks, upToBlank)) << shift;
        m.singles |= bitsOf(singles) << shift;
    }
    return m;
}

#if defined(__GNUC__)
#define TESSERA_HAVE_AVX2_MARKS 1
// The same 32 characters at a time.
__attribute__((target("avx2"))) __m256i equal32(__m256i bytes, char c) {
    return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(c));
}

__attribute__((target("avx2"))) quint64 bitsOf32(__m256i bytes) {
    return quint64(unsigned(_mm256_movemask_epi8(bytes)));
}

__attribute__((target("avx2"))) BlockMarks marksBy32(const char16_t* s) {
    BlockMarks m;
    for (int part = 0; part < kMarkBlock / 32; ++part) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + part * 32));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + part * 32 + 16));
        // Packing works within each half of the register: the quarters are put back in order.
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packs_epi16(a, b), 0xD8);
        const __m256i upToBlank =
            _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(' ')), bytes);
        const __m256i breaks = equal32(bytes, '\n');
        const __m256i fromQuote = _mm256_sub_epi8(bytes, _mm256_set1_epi8('\''));
        const __m256i parens =
            _mm256_cmpeq_epi8(_mm256_min_epu8(fromQuote, _mm256_set1_epi8(2)), fromQuote);
        const __m256i singles = _mm256_or_si256(
            _mm256_or_si256(parens, equal32(bytes, ',')),
            _mm256_or_si256(equal32(bytes, ':'),
                            _mm256_or_si256(equal32(bytes, '{'), equal32(bytes, '}'))));
        const int shift = part * 32;
        m.quotes |= bitsOf32(equal32(bytes, '"')) << shift;
        m.breaks |= bitsOf32(breaks) << shift;
        m.semicolons |= bitsOf32(equal32(bytes, ';')) << shift;
        m.blanks |= bitsOf32(_mm256_andnot_si256(breaks, upToBlank)) << shift;
        m.singles |= bitsOf32(singles) << shift;
    }
    return m;
}
#endif

} // namespace

BlockMarks blockMarksBy16(const char16_t* s) {
    return marksBy16(s);
}

BlockMarksFunction blockMarksBy32IfAny() {
#if defined(TESSERA_HAVE_AVX2_MARKS)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return marksBy32;
#endif
    return nullptr;
}

BlockMarks blockMarks(const char16_t* s) {
    static const BlockMarksFunction by32 = blockMarksBy32IfAny();
    static const BlockMarksFunction marks = by32 ? by32 : marksBy16;
    return marks(s);
}
#endif
