// Windows-1251 decoding: a fixed table for the upper half, Latin-1 identity for the lower half.
#include "platform/cp1251_table.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cp1251 {

QString decode(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    QString text(size, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen ASCII bytes at a time, widened as they are: a config is mostly ASCII.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(v) != 0) {
            for (qsizetype k = i; k < i + 16; ++k)
                out[k] = in[k] < 0x80 ? char16_t(in[k]) : detail::kUpperHalf[in[k] - 0x80];
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; i < size; ++i)
        out[i] = in[i] < 0x80 ? char16_t(in[i]) : detail::kUpperHalf[in[i] - 0x80];
    return text;
}

bool canEncode(const QString& text) {
    for (QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace cp1251
