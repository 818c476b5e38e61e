// The Windows-1251 code page as a table: each byte's character and each character's byte, and
// the decoding that needs nothing else. The encoders are in platform/cp1251.h.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <iterator>

namespace cp1251 {

QString decode(const QByteArray& bytes);
// True when every character of `text` has a byte in the code page.
bool canEncode(const QString& text);

namespace detail {

// Unicode code points of the bytes 0x80-0xFF. 0x98 is undefined in the code page and maps to
// U+0098 so that it survives a round trip.
inline constexpr char16_t kUpperHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The reverse of kUpperHalf as 256-entry pages: the code page's characters above 0x7F lie in
// four of Unicode's 256-character pages (Latin-1, Cyrillic, punctuation, letterlike symbols),
// so a character's byte is two array reads, with no hashing in the per-character loop.
struct EncodeTable {
    static constexpr char16_t kPages[] = {0x00, 0x04, 0x20, 0x21};
    // Index into `bytes` for each high byte, or -1 for a page the code page does not use.
    signed char pageIndex[256];
    // The byte for each character of a used page; 0 for none (U+0000 never looks here).
    unsigned char bytes[std::size(kPages)][256];

    constexpr EncodeTable() : pageIndex{}, bytes{} {
        for (signed char& p : pageIndex)
            p = -1;
        for (std::size_t i = 0; i < std::size(kPages); ++i)
            pageIndex[kPages[i]] = static_cast<signed char>(i);
        for (int b = 0; b < 0x80; ++b)
            bytes[0][b] = static_cast<unsigned char>(b);
        for (int i = 0; i < 128; ++i) {
            const char16_t c = kUpperHalf[i];
            bytes[pageIndex[c >> 8]][c & 0xFF] = static_cast<unsigned char>(0x80 + i);
        }
    }
};
inline constexpr EncodeTable kEncodeTable;

} // namespace detail

// The byte for `c`, or -1 when the code page has none.
inline int byteOf(char16_t c) {
    if (c < 0x80)
        return c;
    const int page = detail::kEncodeTable.pageIndex[c >> 8];
    if (page < 0)
        return -1;
    const unsigned char b = detail::kEncodeTable.bytes[page][c & 0xFF];
    return b != 0 ? b : -1;
}

} // namespace cp1251
