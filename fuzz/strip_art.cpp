// The digits' packed coverage mask as the exe carries it, damaged: a mask
// read from it is whole (as many values as its size says) and tints to a
// pixel for each, no channel brighter than the glyph's.
#include "ui/StripArt.h"

#define REQUIRE(c) if (!(c)) __builtin_trap()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ui::Mask mask;
    if (!ui::DecodeMask({data, size}, mask)) return 0;
    REQUIRE(mask.width > 0 && mask.height > 0);
    REQUIRE(mask.coverage.size() == static_cast<std::size_t>(mask.width) * mask.height);
    const auto pixels = ui::Tint(mask, ui::Rgb(0, 255, 128));
    REQUIRE(pixels.size() == mask.coverage.size());
    for (std::size_t i = 0; i < pixels.size(); ++i)
        REQUIRE((pixels[i] >> 8 & 0xFF) == mask.coverage[i] && pixels[i] >> 16 == 0 &&
                (pixels[i] & 0xFF) <= 128);
    return 0;
}
