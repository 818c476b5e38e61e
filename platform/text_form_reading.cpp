// Finding a file's form and reading its text.
#include "platform/text_form.h"

#include "platform/cp1251_table.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace textfile {

namespace {

// Validates UTF-8 and says whether any byte was above 0x7F.
bool checkUtf8(QByteArrayView bytes, bool* sawHigh) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    *sawHigh = false;
    while (p < end) {
        // ASCII, eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        *sawHigh = true;
        int more;
        std::uint32_t code;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            const unsigned next = p[i];
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if (more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)))
            return false;
        if (more == 3 && (code < 0x10000 || code > 0x10FFFF))
            return false;
        p += more + 1;
    }
    return true;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes) {
    bool sawHigh = false;
    return checkUtf8(bytes, &sawHigh);
}

namespace {

struct BreakCounts {
    qsizetype lf = 0;
    qsizetype cr = 0;
    qsizetype crlf = 0; // CRs followed by an LF
};

// One pass over the bytes, sixteen at a time: each byte's matches are added up in a byte
// counter of its lane, which is summed before it could overflow.
BreakCounts countBreaks(QByteArrayView bytes) {
    BreakCounts counts;
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i crs = _mm_set1_epi8('\r');
    const __m128i lfs = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    const auto sum = [&zero](__m128i lanes) {
        const __m128i halves = _mm_sad_epu8(lanes, zero);
        return qsizetype(_mm_cvtsi128_si64(halves) +
                         _mm_cvtsi128_si64(_mm_unpackhi_epi64(halves, halves)));
    };
    while (i + 17 <= size) {
        __m128i lf = zero;
        __m128i cr = zero;
        __m128i pairs = zero;
        for (int step = 0; step < 255 && i + 17 <= size; ++step, i += 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
            const __m128i isCr = _mm_cmpeq_epi8(here, crs);
            lf = _mm_sub_epi8(lf, _mm_cmpeq_epi8(here, lfs));
            cr = _mm_sub_epi8(cr, isCr);
            pairs = _mm_sub_epi8(pairs, _mm_and_si128(isCr, _mm_cmpeq_epi8(next, lfs)));
        }
        counts.lf += sum(lf);
        counts.cr += sum(cr);
        counts.crlf += sum(pairs);
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\n') {
            ++counts.lf;
        } else if (data[i] == '\r') {
            ++counts.cr;
            counts.crlf += i + 1 < size && data[i + 1] == '\n';
        }
    }
    return counts;
}

} // namespace

TextForm detectForm(QByteArrayView bytes) {
    TextForm form;
    const bool bom = bytes.startsWith(kUtf8Bom);
    bool sawHigh = false;
    if (checkUtf8(bom ? bytes.sliced(kUtf8Bom.size()) : bytes, &sawHigh) && (bom || sawHigh)) {
        form.encoding = Encoding::Utf8;
        form.bom = bom;
    }
    const BreakCounts counts = countBreaks(bytes);
    const qsizetype lf = counts.lf;
    const qsizetype crlf = counts.crlf;
    const qsizetype loneCr = counts.cr - crlf;
    const qsizetype lfOnly = lf - crlf;
    form.lineBreak = lfOnly > crlf ? LineBreak::Lf : LineBreak::CrLf;
    const int kinds = int(crlf > 0) + int(lfOnly > 0) + int(loneCr > 0);
    form.hadMixed = kinds > 1 || loneCr > 0;
    return form;
}

QString normalizeLineBreaks(const QString& text) {
    qsizetype i = text.indexOf(u'\r');
    if (i < 0)
        return text;
    const char16_t* from = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    QString out(size, Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(out.data());
    std::memcpy(to, from, size_t(i) * sizeof(char16_t));
    qsizetype written = i;
    const auto takeBreak = [&] { // from[i] is a CR
        to[written++] = u'\n';
        if (++i < size && from[i] == u'\n')
            ++i;
    };
#if defined(__SSE2__)
    // Eight characters at a time, copied whole up to the first CR among them (the rest of the
    // eight is written over next): lines run on without a call each.
    const __m128i crs = _mm_set1_epi16(short(u'\r'));
    while (i + 8 <= size) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + written), v);
        const unsigned crMask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(v, crs)));
        if (crMask == 0) {
            i += 8;
            written += 8;
            continue;
        }
        const int before = __builtin_ctz(crMask) / 2;
        i += before;
        written += before;
        takeBreak();
    }
#endif
    while (i < size) {
        if (from[i] == u'\r')
            takeBreak();
        else
            to[written++] = from[i++];
    }
    out.truncate(written);
    return out;
}

namespace {
// The characters of `bytes` in `form`, line breaks as they stand.
QString decodeAsIs(const QByteArray& bytes, const TextForm& form) {
    if (form.encoding == Encoding::Utf8) {
        const qsizetype skip = form.bom && bytes.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
        // QString::fromUtf8 would drop a mark at the start of what it is given, which after the
        // file's own mark is a character of the text.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(QByteArrayView(bytes).sliced(skip));
    }
    return cp1251::decode(bytes);
}
} // namespace

QString decodeText(const QByteArray& bytes, const TextForm& form) {
    return normalizeLineBreaks(decodeAsIs(bytes, form));
}

QString decodeConsoleText(const QByteArray& bytes, const TextForm& form) {
    QString text = decodeAsIs(bytes, form);
    if (text.contains(u'\r'))
        text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}

} // namespace textfile
