#include "ui/StripArt.h"

#include <utility>

namespace ui {

bool DecodeMask(std::span<const std::uint8_t> packed, Mask& out) {
    if (packed.size() < 4) return false;
    const int width = packed[0] | packed[1] << 8, height = packed[2] | packed[3] << 8;
    const std::size_t total = static_cast<std::size_t>(width) * height;
    // No run is longer than 128 pixels, so a larger claim is refused
    // before anything is allocated for it.
    if (total == 0 || total > (packed.size() - 4) * 128) return false;
    std::vector<std::uint8_t> coverage;
    coverage.reserve(total);
    for (std::size_t i = 4; i < packed.size();) {
        const std::uint8_t b = packed[i++];
        const std::size_t left = total - coverage.size();
        if (b < 0xC0) {
            const std::size_t n = b < 0x80 ? b + 1u : b - 0x7Fu;
            if (n > left) return false;
            coverage.insert(coverage.end(), n, b < 0x80 ? 0 : 255);
        } else {
            const std::size_t n = b - 0xBFu;
            if (n > left || n > packed.size() - i) return false;
            coverage.insert(coverage.end(), packed.begin() + i, packed.begin() + i + n);
            i += n;
        }
    }
    if (coverage.size() != total) return false;
    out = Mask{width, height, std::move(coverage)};
    return true;
}

Color StripGlyph(Strip strip) {
    switch (strip) {
        case Strip::Haneler0: return Rgb(0, 255, 0);
        case Strip::Haneler1: return Rgb(0, 255, 255);
        case Strip::Haneler2: return Rgb(255, 0, 0);
        default: return 0;
    }
}

std::vector<std::uint32_t> Tint(const Mask& mask, Color glyph) {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(mask.coverage.size());
    const std::uint32_t r = glyph & 0xFF, g = glyph >> 8 & 0xFF, b = glyph >> 16 & 0xFF;
    for (const std::uint32_t c : mask.coverage)
        pixels.push_back((c * r + 127) / 255 << 16 | (c * g + 127) / 255 << 8 | (c * b + 127) / 255);
    return pixels;
}

}  // namespace ui
