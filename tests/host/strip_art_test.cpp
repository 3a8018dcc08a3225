#include "ui/StripArt.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& name) {
    std::ifstream in(std::string(ZILVANE_RESOURCES "/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An uncompressed bottom-up BMP of 24 bits or 8 with a palette, as
// 0x00RRGGBB values from the top row.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};
Bitmap ReadBmp(const std::string& name) {
    const auto f = ReadFile(name);
    auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        std::memcpy(&v, f.data() + at, 4);
        return v;
    };
    Bitmap b;
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M' || u32(30) != 0) return b;
    const std::uint32_t offset = u32(10), header = u32(14), w = u32(18), h = u32(22);
    const int bits = f[28];
    if ((bits != 24 && bits != 8) || h > 1000 || w > 1000) return b;
    const std::size_t stride = (w * bits + 31) / 32 * 4;
    if (offset + stride * h > f.size()) return b;
    b.width = static_cast<int>(w);
    b.height = static_cast<int>(h);
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::uint8_t* row = f.data() + offset + (h - 1 - y) * stride;
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint8_t* p = bits == 24 ? row + 3 * x : f.data() + 14 + header + 4 * row[x];
            b.pixels.push_back(p[2] << 16 | p[1] << 8 | p[0]);
        }
    }
    return b;
}

// Each shipped mask, tinted for each colour set, is the strip drawn for that
// set at that scale, pixel for pixel: a stale, mis-packed or mis-tinted mask
// shows here.
TEST(StripArt, EveryMaskTintsToTheDrawnStripOfEachColourSet) {
    for (const char* scale : {"", "_125", "_150", "_175", "_200"}) {
        ui::Mask mask;
        ASSERT_TRUE(ui::DecodeMask(ReadFile(std::string("Haneler") + scale + ".mask"), mask))
            << scale;
        for (int set = 0; set < 3; ++set) {
            const std::string name = "Haneler" + std::to_string(set) + scale + ".bmp";
            const Bitmap drawn = ReadBmp(name);
            ASSERT_GT(drawn.width, 0) << name;
            EXPECT_EQ(mask.width, drawn.width) << name;
            ASSERT_EQ(mask.height, drawn.height) << name;
            const auto tinted = ui::Tint(mask, ui::StripGlyph(static_cast<ui::Strip>(set)));
            ASSERT_EQ(tinted.size(), drawn.pixels.size()) << name;
            int wrong = 0, inked = 0;
            for (std::size_t i = 0; i < tinted.size(); ++i) {
                wrong += tinted[i] != drawn.pixels[i];
                inked += drawn.pixels[i] != 0;
            }
            EXPECT_EQ(wrong, 0) << name;
            EXPECT_GT(inked, mask.width * mask.height / 10) << name;
        }
    }
    EXPECT_EQ(ui::StripGlyph(ui::Strip::Noktalar), 0u) << "only the digits are tinted";
}

// The mask comes from the exe's bytes: damaged ones are refused whole,
// without reading or writing past what was given, and leave the result alone.
TEST(StripArt, DamagedMasksAreRefused) {
    const auto good = ReadFile("Haneler_125.mask");
    ASSERT_GT(good.size(), 100u);
    const ui::Mask before{1, 1, {42}};
    auto refused = [&](std::vector<std::uint8_t> bytes) {
        ui::Mask m = before;
        const bool ok = ui::DecodeMask(bytes, m);
        return !ok && m.width == 1 && m.height == 1 && m.coverage == before.coverage;
    };
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_TRUE(refused({good.begin(), good.begin() + n})) << "cut to " << n << " bytes";
    auto longer = good;
    longer.push_back(0x00);
    EXPECT_TRUE(refused(longer)) << "a run past the last pixel";
    auto wider = good;
    ++wider[0];
    EXPECT_TRUE(refused(wider)) << "fewer pixels than the size says";
    EXPECT_TRUE(refused({0, 0, 22, 0})) << "no width";
    EXPECT_TRUE(refused({2, 0, 1, 0, 0xC2, 7, 7})) << "literal values run over the size";
    EXPECT_TRUE(refused({2, 0, 1, 0, 0xC1})) << "literal values missing";
    EXPECT_TRUE(refused({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x7F})) << "a size no bytes can fill";
}

}  // namespace
