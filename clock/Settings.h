// The per-user settings store and the readers' conversions.
#pragma once

#include <cstdint>
#include <string>

#include "startup/Program.h"

namespace settings {

inline constexpr const char* kSection = "Ayarlar";

// The stored text, or the default when the key is absent.
std::string Get(Program& program, const std::string& key, const std::string& defaultValue);
void Save(Program& program, const std::string& key, const std::string& value);

// The numeric value of the leading number in a text ("12.5abc" -> 12.5);
// empty or non-numeric text gives 0.
double NumericValue(const std::string& text);

// A stored flag: "0" is false, any other number true. Text that is no
// number at all cannot be trusted either way and gives the fallback.
bool TruthValue(const std::string& text, bool fallback);

// A stored check-box value: 0 for a false flag, 1 for a true one; text
// that is no number gives the fallback.
int CheckValue(const std::string& text, int fallback);

// A stored colour index: 0..2, anything else shows green (0).
std::uint8_t ColourIndex(const std::string& text);

// A stored position in twips, kept within what a window can use.
int Twips(const std::string& text);

// Decimal text of a number as the store keeps it.
std::string Text(long value);

// A stored alarm time as the clock shows it: "hh:mm", hour 0-23 and
// minute 0-59, blanks trimmed and one-digit parts allowed ("7:30" gives
// "07:30"); "" for anything else, which shows as no alarm.
std::string AlarmTime(const std::string& text);

// The program folder followed by "Alarm.wav": the default sound.
std::string DefaultSound(const Program& program);

}  // namespace settings
