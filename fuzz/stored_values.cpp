// Any stored text, as a damaged or hand-edited store may hold it, through
// each reader of a setting: each gives a value the clock can use, and what
// the clock writes back reads as the same value.
#include <cmath>
#include <cstdint>

#include "clock/Settings.h"

#define REQUIRE(c) if (!(c)) __builtin_trap()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    REQUIRE(std::isfinite(settings::NumericValue(text)));
    const int colour = settings::ColourIndex(text);
    REQUIRE(colour <= 2 && settings::ColourIndex(settings::Text(colour)) == colour);
    const int twips = settings::Twips(text);
    REQUIRE(std::abs(twips) <= 10'000'000 && settings::Twips(settings::Text(twips)) == twips);

    // The dialog shows each flag as the clock reads it (with the same default).
    REQUIRE(settings::CheckValue(text, 0) == settings::TruthValue(text, false));
    REQUIRE(settings::CheckValue(text, 1) == settings::TruthValue(text, true));

    // An alarm time is "hh:mm" in range, and reads back as itself; or none.
    const std::string alarm = settings::AlarmTime(text);
    if (alarm.empty()) return 0;
    REQUIRE(alarm.size() == 5 && alarm[2] == ':');
    for (int i : {0, 1, 3, 4}) REQUIRE(alarm[i] >= '0' && alarm[i] <= '9');
    REQUIRE(alarm.substr(0, 2) <= "23" && alarm.substr(3) <= "59");
    REQUIRE(settings::AlarmTime(alarm) == alarm);
    return 0;
}
