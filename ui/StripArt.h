// The digit strips as the program carries them: one grey coverage mask per
// scale, run-length packed, tinted at load into each colour set's pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ui/Controls.h"

namespace ui {

struct Mask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // 0 to 255, row by row from the top
};

// Reads a packed mask: width and height (16-bit little-endian), then runs
// that fill it row by row: a byte b below 0x80 is b + 1 zeros, 0x80 to 0xBF
// is b - 0x7F full pixels (255), 0xC0 and up is b - 0xBF literal values
// that follow it. False, out untouched, unless the bytes are exactly one
// whole mask.
bool DecodeMask(std::span<const std::uint8_t> packed, Mask& out);

// The glyph colour of a digit strip's colour set; 0 for other strips.
Color StripGlyph(Strip strip);

// The mask as glyph colour over black, one 0x00RRGGBB value per pixel (a
// 32-bit DIB's layout), rows from the top.
std::vector<std::uint32_t> Tint(const Mask& mask, Color glyph);

}  // namespace ui
