// The hyperlink label's stored design as text, hand-written or damaged: a
// font read from it has a size a font can have, the link shows what it says,
// and the link's design written and read back gives the same link.
#include <cmath>

#include "about/WebEtiketi.h"
#include "tests/support/FakePlatform.h"

#define REQUIRE(c) if (!(c)) __builtin_trap()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fake::FakePlatform platform;  // reads the string table once
    const auto design = ui::PropertyStore::Parse(std::string(data, data + size));
    if (!design) return 0;
    ui::Form form("Container");
    const ui::Font ambient;
    const ui::Font font = design->ReadFont("Font", ambient);
    REQUIRE(std::isfinite(font.points) && font.points > 0);
    WebEtiketi link(form, "Link", nullptr, platform);
    link.ReadProperties(*design, ambient);
    // Without a font of its own the link shows the stored underline.
    if (font == ambient) REQUIRE(link.FontUnderline() == design->ReadBool("FontUnderline", false));

    ui::PropertyStore written, again;
    link.WriteProperties(written, ambient);
    const auto read = ui::PropertyStore::Parse(written.Serialize());
    REQUIRE(read);
    WebEtiketi copy(form, "Copy", nullptr, platform);
    copy.ReadProperties(*read, ambient);
    copy.WriteProperties(again, ambient);
    REQUIRE(again.Serialize() == written.Serialize());
    return 0;
}
