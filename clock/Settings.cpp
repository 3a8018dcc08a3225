#include "clock/Settings.h"

#include <cstdio>

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace settings {

std::string Get(Program& program, const std::string& key, const std::string& defaultValue) {
    std::string value;
    if (program.platform.ReadSetting(program.values.appName, kSection, key, value)) return value;
    return defaultValue;
}

void Save(Program& program, const std::string& key, const std::string& value) {
    program.platform.WriteSetting(program.values.appName, kSection, key, value);
}

namespace {

// Length of the leading number of text (after blanks), 0 when there is none.
std::size_t LeadingNumber(const std::string& text, std::size_t start) {
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
            i = j;
        }
    }
    return i - start;
}

std::size_t SkipBlanks(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return i == a.size() && !b[i];
}

}  // namespace

double NumericValue(const std::string& text) {
    std::size_t start = SkipBlanks(text);
    std::size_t n = LeadingNumber(text, start);
    if (n == 0) return 0;
    double v = std::strtod(text.substr(start, n).c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

bool TruthValue(const std::string& text, bool fallback) {
    std::size_t start = SkipBlanks(text);
    std::string trimmed = text.substr(start);
    while (!trimmed.empty() && std::isspace(static_cast<unsigned char>(trimmed.back())))
        trimmed.pop_back();
    if (EqualsIgnoringCase(trimmed, "true")) return true;
    if (EqualsIgnoringCase(trimmed, "false")) return false;
    if (trimmed.empty() || LeadingNumber(trimmed, 0) != trimmed.size()) return fallback;
    return NumericValue(trimmed) != 0;
}

int CheckValue(const std::string& text, int fallback) {
    return TruthValue(text, fallback != 0) ? 1 : 0;
}

std::uint8_t ColourIndex(const std::string& text) {
    double v = std::nearbyint(NumericValue(text));  // narrowing rounds half to even
    if (v >= 0 && v <= 2) return static_cast<std::uint8_t>(v);
    return 0;
}

int Twips(const std::string& text) {
    // Far beyond any screen, yet leaves room for arithmetic on the edges.
    constexpr double kLimit = 10'000'000;
    double v = std::nearbyint(NumericValue(text));
    if (v > kLimit) v = kLimit;
    if (v < -kLimit) v = -kLimit;
    return static_cast<int>(v);
}

std::string Text(long value) { return std::to_string(value); }

std::string DefaultSound(const Program& program) {
    return program.values.programFolder + "Alarm.wav";
}

std::string AlarmTime(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    const std::string t = text.substr(first, last - first + 1);
    const auto colon = t.find(':');
    if (colon == std::string::npos) return "";
    auto part = [](const std::string& s, int max) {
        if (s.empty() || s.size() > 2) return -1;
        int v = 0;
        for (char c : s) {
            if (c < '0' || c > '9') return -1;
            v = v * 10 + (c - '0');
        }
        return v <= max ? v : -1;
    };
    const int hour = part(t.substr(0, colon), 23);
    const int minute = part(t.substr(colon + 1), 59);
    if (hour < 0 || minute < 0) return "";
    const char hhmm[] = {char('0' + hour / 10), char('0' + hour % 10), ':',
                         char('0' + minute / 10), char('0' + minute % 10), '\0'};
    return hhmm;
}

}  // namespace settings
