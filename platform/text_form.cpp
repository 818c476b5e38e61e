// Encoding text in a file's form (its reading is in text_form_reading.cpp).
#include "platform/text_form.h"

#include "platform/cp1251_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace textfile {

namespace {

// A chunk goes to the sink once less than this many characters fit in what is left of it.
constexpr qsizetype kLeastPiece = 4096;

// The most bytes one UTF-16 unit becomes: three for a character of the basic plane in UTF-8,
// two for "\n" as CR LF.
constexpr qsizetype kMaxBytesPerUnit = 3;

#if defined(__SSE2__)
// Of eight units, which take one byte each (all ones in their lane): ASCII other than "\n", and
// with `cyrillic` (Windows-1251) also the letters А-я, U+0410-U+044F. `bytes` gets those units
// as the bytes they become (the letters as 0xC0-0xFF), still sixteen bits each.
inline __m128i singleUnits(__m128i units, bool cyrillic, __m128i& bytes) {
    __m128i single = _mm_andnot_si128(
        _mm_cmpeq_epi16(units, _mm_set1_epi16(short(u'\n'))),
        _mm_cmpeq_epi16(_mm_and_si128(units, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128()));
    bytes = units;
    if (cyrillic) {
        const __m128i offset = _mm_sub_epi16(units, _mm_set1_epi16(short(0x0410)));
        // offset <= 0x3F as unsigned: nothing is left when 0x3F is taken away, saturating.
        const __m128i letter =
            _mm_cmpeq_epi16(_mm_subs_epu16(offset, _mm_set1_epi16(0x3F)), _mm_setzero_si128());
        single = _mm_or_si128(single, letter);
        bytes = _mm_sub_epi16(units, _mm_and_si128(letter, _mm_set1_epi16(0x0410 - 0xC0)));
    }
    return single;
}
#endif

// Of the eight units at `p`, encodes the leading ones that take one byte each (see
// singleUnits). Stores eight bytes at `out` whatever their number, which it returns: the caller
// keeps room for three bytes a unit.
inline int singleBytes8(const char16_t* p, char* out, bool cyrillic) {
#if defined(__SSE2__)
    __m128i bytes;
    const __m128i single =
        singleUnits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), cyrillic, bytes);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(bytes, bytes));
    const unsigned mask = unsigned(_mm_movemask_epi8(single));
    return mask == 0xFFFF ? 8 : __builtin_ctz(~mask) / 2;
#else
    (void)p;
    (void)out;
    (void)cyrillic;
    return 0;
#endif
}

// The same for sixteen units at `p`, storing sixteen bytes: a line's text mostly goes in one or
// two steps.
inline int singleBytes16(const char16_t* p, char* out, bool cyrillic) {
#if defined(__SSE2__)
    __m128i low;
    __m128i high;
    const __m128i lowOk =
        singleUnits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), cyrillic, low);
    const __m128i highOk =
        singleUnits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), cyrillic, high);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
    const unsigned mask = unsigned(_mm_movemask_epi8(_mm_packs_epi16(lowOk, highOk)));
    return mask == 0xFFFF ? 16 : __builtin_ctz(~mask);
#else
    return singleBytes8(p, out, cyrillic);
#endif
}

// Encodes the units from `p` on that take one byte each (see singleUnits), as far as the fast
// path goes: up to a unit that needs more, or the last few. Returns where it stopped.
inline const char16_t* singleBytesRun(const char16_t* p, const char16_t* end, char*& out,
                                      bool cyrillic) {
    while (end - p >= 16) {
        const int n = singleBytes16(p, out, cyrillic);
        out += n;
        p += n;
        if (n < 16)
            return p;
    }
    if (end - p >= 8) {
        const int n = singleBytes8(p, out, cyrillic);
        out += n;
        p += n;
    }
    return p;
}

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#define TESSERA_LINE_STEPS 1
// For eight units of which those in a mask take two bytes: the order in which a shuffle takes
// each unit's first byte (from the lower half of a vector) and, for the two-byte ones, its second
// byte (from the upper half); and how many bytes that makes.
struct PairShuffles {
    alignas(16) std::uint8_t order[256][16];
    std::uint8_t size[256];
};

constexpr PairShuffles makePairShuffles() {
    PairShuffles t{};
    for (unsigned pairs = 0; pairs < 256; ++pairs) {
        unsigned at = 0;
        for (unsigned i = 0; i < 8; ++i) {
            t.order[pairs][at++] = std::uint8_t(i);
            if (pairs & (1u << i))
                t.order[pairs][at++] = std::uint8_t(8 + i);
        }
        t.size[pairs] = std::uint8_t(at);
    }
    return t;
}

constexpr PairShuffles kPairShuffles = makePairShuffles();

// Eight units as the line steps see them: the first byte of each (sixteen bits a lane), the
// second byte of those that take two, which the steps take (all ones in their lane) and which
// take two bytes. A step takes ASCII, a line break ("\n", and U+2029 when `separator` is it) as
// LF or CR LF, and in Windows-1251 (`cyrillic`) the letters А-я, in UTF-8 every character up to
// U+07FF (two bytes).
struct LineLanes {
    __m128i first;
    __m128i second;
    __m128i taken;
    __m128i pairs;
};

inline LineLanes lineLanes(const char16_t* p, bool cyrillic, bool crlf, __m128i separator) {
    const __m128i lineFeed = _mm_set1_epi16(short(u'\n'));
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i zero = _mm_setzero_si128();
    LineLanes lanes;
    const __m128i single = singleUnits(units, cyrillic, lanes.first);
    const __m128i breaks =
        _mm_or_si128(_mm_cmpeq_epi16(units, lineFeed), _mm_cmpeq_epi16(units, separator));
    lanes.pairs = zero;
    lanes.second = lineFeed; // a break's, as CR LF
    if (!cyrillic) {
        // U+0080-U+07FF: 110xxxxx 10xxxxxx.
        const __m128i two = _mm_andnot_si128(
            _mm_cmpeq_epi16(_mm_and_si128(units, _mm_set1_epi16(short(0xFF80))), zero),
            _mm_cmpeq_epi16(_mm_and_si128(units, _mm_set1_epi16(short(0xF800))), zero));
        const __m128i lead = _mm_or_si128(_mm_srli_epi16(units, 6), _mm_set1_epi16(short(0xC0)));
        const __m128i trail =
            _mm_or_si128(_mm_and_si128(units, _mm_set1_epi16(0x3F)), _mm_set1_epi16(short(0x80)));
        lanes.first = _mm_or_si128(_mm_andnot_si128(two, lanes.first), _mm_and_si128(two, lead));
        lanes.second = _mm_or_si128(_mm_andnot_si128(two, lanes.second), _mm_and_si128(two, trail));
        lanes.pairs = two;
    }
    const __m128i breakFirst = crlf ? _mm_set1_epi16(short(u'\r')) : lineFeed;
    lanes.first =
        _mm_or_si128(_mm_andnot_si128(breaks, lanes.first), _mm_and_si128(breaks, breakFirst));
    if (crlf)
        lanes.pairs = _mm_or_si128(lanes.pairs, breaks);
    lanes.taken = _mm_or_si128(_mm_or_si128(single, breaks), lanes.pairs);
    return lanes;
}

// Stores the bytes of eight units (`bytes`: their first bytes, then their second ones) with the
// second byte of each unit in `pairMask` after its first, and returns how many bytes that made;
// up to sixteen bytes are stored.
__attribute__((target("ssse3"))) inline unsigned putPairs(__m128i bytes, unsigned pairMask,
                                                          char* out) {
    const __m128i order =
        _mm_load_si128(reinterpret_cast<const __m128i*>(kPairShuffles.order[pairMask]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(bytes, order));
    return kPairShuffles.size[pairMask];
}

// Encodes the units from `p` on that the line steps take (see LineLanes). A line's end or a
// letter of two bytes costs no branch of its own: the shuffle for a step's two-byte units puts
// each second byte in place. Stops at a unit that needs more or before the last few; returns
// where. Stores up to sixteen bytes for eight units: the caller keeps room for three bytes a
// unit.
__attribute__((target("ssse3"))) const char16_t* lineBytesRun(const char16_t* p,
                                                              const char16_t* end, char*& out,
                                                              bool cyrillic, bool crlf,
                                                              bool paragraphBreaks) {
    const __m128i separator = _mm_set1_epi16(short(paragraphBreaks ? char16_t(0x2029) : u'\n'));
    // Sixteen units a step while all of them go.
    while (end - p >= 16) {
        const LineLanes low = lineLanes(p, cyrillic, crlf, separator);
        const LineLanes high = lineLanes(p + 8, cyrillic, crlf, separator);
        if (_mm_movemask_epi8(_mm_packs_epi16(low.taken, high.taken)) != 0xFFFF)
            break;
        const unsigned pairMask =
            unsigned(_mm_movemask_epi8(_mm_packs_epi16(low.pairs, high.pairs)));
        out += putPairs(_mm_packus_epi16(low.first, low.second), pairMask & 0xFF, out);
        out += putPairs(_mm_packus_epi16(high.first, high.second), pairMask >> 8, out);
        p += 16;
    }
    // Then eight at a time, up to a unit that needs more.
    while (end - p >= 8) {
        const LineLanes lanes = lineLanes(p, cyrillic, crlf, separator);
        const unsigned takenMask =
            unsigned(_mm_movemask_epi8(_mm_packs_epi16(lanes.taken, lanes.taken))) & 0xFF;
        const unsigned leading = takenMask == 0xFF ? 8 : unsigned(__builtin_ctz(~takenMask));
        const unsigned pairMask =
            unsigned(_mm_movemask_epi8(_mm_packs_epi16(lanes.pairs, lanes.pairs))) &
            ((1u << leading) - 1);
        out += putPairs(_mm_packus_epi16(lanes.first, lanes.second), pairMask, out) - (8 - leading);
        p += leading;
        if (leading < 8)
            break;
    }
    return p;
}

bool hasLineSteps() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#else
bool hasLineSteps() {
    return false;
}
#endif

// A character of the basic plane from U+0080 on in UTF-8's two bytes.
inline char* putTwoBytes(char* out, char16_t c) {
    *out++ = char(0xC0 | (c >> 6));
    *out++ = char(0x80 | (c & 0x3F));
    return out;
}

// A character past the basic plane in UTF-8's four bytes.
char* putSupplementary(char* out, char32_t code) {
    *out++ = char(0xF0 | (code >> 18));
    *out++ = char(0x80 | ((code >> 12) & 0x3F));
    *out++ = char(0x80 | ((code >> 6) & 0x3F));
    *out++ = char(0x80 | (code & 0x3F));
    return out;
}

} // namespace

QString describeForm(const TextForm& form) {
    QString encoding = u"Windows-1251"_s;
    if (form.encoding == Encoding::Utf8)
        encoding = form.bom ? u"UTF-8 с BOM"_s : u"UTF-8"_s;
    return encoding + (form.lineBreak == LineBreak::CrLf ? u", CR LF"_s : u", LF"_s);
}

QString describeFormShortly(const TextForm& form) {
    QString encoding = u"1251"_s;
    if (form.encoding == Encoding::Utf8)
        encoding = form.bom ? u"UTF-8 BOM"_s : u"UTF-8"_s;
    return encoding + (form.lineBreak == LineBreak::CrLf ? u", CRLF"_s : u", LF"_s);
}

QString mixedBreaksNote(const TextForm& form) {
    if (!form.hadMixed)
        return QString();
    return u"В файле были разные переводы строк; при сохранении везде будет "_s +
           (form.lineBreak == LineBreak::CrLf ? u"CR LF"_s : u"LF"_s);
}

TextEncoder::TextEncoder(const TextForm& form, Sink sink)
    : m_form(form), m_sink(std::move(sink)), m_lineSteps(hasLineSteps()) {
    if (m_sink)
        m_buffer.resize(kChunkBytes);
    if (m_form.encoding == Encoding::Utf8 && m_form.bom && makeRoom(1)) {
        std::memcpy(m_buffer.data(), kUtf8Bom.data(), size_t(kUtf8Bom.size()));
        m_used = kUtf8Bom.size();
    }
}

void TextEncoder::flush() {
    if (!m_sink || m_used == 0 || m_failed)
        return;
    if (!m_sink(QByteArrayView(m_buffer.constData(), m_used)))
        m_failed = true;
    m_used = 0;
}

qsizetype TextEncoder::roomInUnits() const {
    // One unit less for a high surrogate held from the last piece.
    return (m_buffer.size() - m_used) / kMaxBytesPerUnit - 1;
}

bool TextEncoder::makeRoom(qsizetype units) {
    if (roomInUnits() >= units)
        return !m_failed;
    if (m_sink)
        flush();
    else
        m_buffer.resize(std::max(m_buffer.size() * 2, m_used + (units + 1) * kMaxBytesPerUnit));
    return !m_failed;
}

void TextEncoder::append(QStringView text) {
    if (m_failed)
        return;
    // In pieces that fill what is left of the chunk (as most characters take one byte, a chunk
    // goes out mostly full); the buffer grows by doubling at most.
    constexpr qsizetype piece = kChunkBytes / kMaxBytesPerUnit - 2;
    while (!text.isEmpty()) {
        qsizetype n = std::min(roomInUnits(), text.size());
        if (n < std::min(kLeastPiece, text.size())) {
            n = std::min(piece, text.size());
            if (!makeRoom(n))
                return;
        }
        char* out = m_buffer.data() + m_used;
        const QStringView part = text.first(n);
        out = m_form.encoding == Encoding::Utf8 ? encodeUtf8(part, out)
                                                : encodeWindows1251(part, out);
        m_used = out - m_buffer.data();
        text = text.sliced(n);
    }
}

bool TextEncoder::finish() {
    if (m_pendingHigh != 0 && makeRoom(1)) {
        char* out = putLost(m_buffer.data() + m_used, m_pendingHigh);
        m_used = out - m_buffer.data();
        m_pendingHigh = 0;
    }
    flush();
    return !m_failed;
}

QByteArray TextEncoder::take() {
    finish();
    QByteArray bytes = std::move(m_buffer);
    bytes.truncate(m_used);
    m_buffer.clear();
    m_used = 0;
    return bytes;
}

char* TextEncoder::putBreak(char* out) const {
    if (m_form.lineBreak == LineBreak::CrLf)
        *out++ = '\r';
    *out++ = '\n';
    return out;
}

char* TextEncoder::putLost(char* out, char16_t c) {
    *out++ = '?';
    if (m_seen.empty())
        m_seen.resize(0x10000);
    if (!m_seen[c]) {
        m_seen[c] = true;
        m_lost.append(QChar(c));
    }
    return out;
}

const char16_t* TextEncoder::fastRun(const char16_t* p, const char16_t* end, char*& out,
                                     bool cyrillic) const {
#if defined(TESSERA_LINE_STEPS)
    if (m_lineSteps)
        return lineBytesRun(p, end, out, cyrillic, m_form.lineBreak == LineBreak::CrLf,
                            m_paragraphBreaks);
#endif
    return singleBytesRun(p, end, out, cyrillic);
}

char* TextEncoder::encodeWindows1251(QStringView text, char* out) {
    const char16_t* p = reinterpret_cast<const char16_t*>(text.data());
    const char16_t* const end = p + text.size();
    while (p < end) {
        p = fastRun(p, end, out, true);
        if (p == end)
            break;
        // A line break, a character past the letters, or one of the last few.
        const char16_t c = *p++;
        if (c == u'\n' || (c == QChar::ParagraphSeparator && m_paragraphBreaks)) {
            out = putBreak(out);
            continue;
        }
        const int b = cp1251::byteOf(c);
        if (b < 0)
            out = putLost(out, c);
        else
            *out++ = char(b);
    }
    return out;
}

char* TextEncoder::encodeUtf8(QStringView text, char* out) {
    const char16_t* p = reinterpret_cast<const char16_t*>(text.data());
    const char16_t* const end = p + text.size();
    if (m_pendingHigh != 0 && p < end) {
        if (QChar::isLowSurrogate(*p)) {
            out = putSupplementary(out, QChar::surrogateToUcs4(m_pendingHigh, *p++));
        } else {
            out = putLost(out, m_pendingHigh);
        }
        m_pendingHigh = 0;
    }
    while (p < end) {
        p = fastRun(p, end, out, false);
        if (p == end)
            break;
        const char16_t c = *p++;
        if (c == u'\n') {
            out = putBreak(out);
        } else if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            // Words of a script (Cyrillic) are runs of two-byte characters.
            out = putTwoBytes(out, c);
            while (p < end && *p >= 0x80 && *p < 0x800)
                out = putTwoBytes(out, *p++);
        } else if (QChar::isHighSurrogate(c)) {
            if (p == end) {
                m_pendingHigh = c; // its pair may open the next piece
            } else if (QChar::isLowSurrogate(*p)) {
                out = putSupplementary(out, QChar::surrogateToUcs4(c, *p++));
            } else {
                out = putLost(out, c);
            }
        } else if (QChar::isLowSurrogate(c)) {
            out = putLost(out, c);
        } else if (c == QChar::ParagraphSeparator && m_paragraphBreaks) {
            out = putBreak(out);
        } else {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

QByteArray encodeText(QStringView text, const TextForm& form, QString* unencodable) {
    TextEncoder encoder(form);
    encoder.append(text);
    QByteArray bytes = encoder.take();
    if (unencodable)
        *unencodable = encoder.unencodable();
    return bytes;
}

QString unencodableCharacters(QStringView text, const TextForm& form) {
    // Only the characters are wanted: the bytes go nowhere.
    TextEncoder encoder(form, [](QByteArrayView) { return true; });
    encoder.append(text);
    encoder.finish();
    return encoder.unencodable();
}

} // namespace textfile
