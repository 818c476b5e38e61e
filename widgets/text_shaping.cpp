// Whether a text needs a shaper.
#include "widgets/text_shaping.h"

#include <array>

namespace {

enum class Block : unsigned char { Alone, Shaped, Mixed };

// By the character's high byte: every character of the 256 drawn alone, every one shaped, or
// some of each (then drawnAlone decides).
constexpr std::array<Block, 256> kBlocks = [] {
    std::array<Block, 256> blocks{};
    for (Block& b : blocks)
        b = Block::Shaped;
    for (int high : {0x00, 0x01, 0x02, 0x1E, 0x1F})
        blocks[size_t(high)] = Block::Alone;
    for (int high = 0x21; high < 0x2C; ++high)
        blocks[size_t(high)] = Block::Alone;
    for (int high : {0x03, 0x04, 0x05, 0x20})
        blocks[size_t(high)] = Block::Mixed;
    return blocks;
}();

// Only for the Mixed blocks.
constexpr bool drawnAlone(char16_t c) {
    if (c < 0x0370)
        return false; // combining diacritical marks
    if (c < 0x0483)
        return true; // Greek and Coptic, the start of Cyrillic
    if (c < 0x048A)
        return false; // Cyrillic combining marks
    if (c < 0x0530)
        return true; // the rest of Cyrillic and its supplement (Armenian after it is shaped)
    if (c < 0x2000)
        return false;
    if (c == 0x200C || c == 0x200D)
        return false;  // the zero-width joiners
    return c < 0x20D0; // punctuation, super- and subscripts, currency; then combining marks
}

bool alone(char16_t c) {
    const Block b = kBlocks[c >> 8];
    return b == Block::Alone || (b == Block::Mixed && drawnAlone(c));
}

} // namespace

bool needsShaper(QStringView text) {
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    // Most of a config is ASCII: eight characters at a time while all of them are below U+0300
    // (their OR is then below it too).
    while (end - p >= 8) {
        char16_t any = 0;
        for (int i = 0; i < 8; ++i)
            any |= p[i];
        if (any >= 0x0300) {
            for (int i = 0; i < 8; ++i)
                if (!alone(p[i]))
                    return true;
        }
        p += 8;
    }
    for (; p < end; ++p)
        if (!alone(*p))
            return true;
    return false;
}
