#include "ui/PropertyStore.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace ui {

namespace {

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '=': out += "\\="; break;
            case ',': out += "\\,"; break;
            default: out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return std::nullopt;  // a lone escape at the end
        out += s[i] == 'n' ? '\n' : s[i] == 'r' ? '\r' : s[i];
    }
    return out;
}

// Splits escaped text at each unescaped sep; the parts stay escaped.
std::vector<std::string> Split(const std::string& s, char sep, size_t maxParts) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            parts.back() += s[i];
            parts.back() += s[++i];
        } else if (s[i] == sep && parts.size() < maxParts) {
            parts.emplace_back();
        } else {
            parts.back() += s[i];
        }
    }
    return parts;
}

template <class T>
bool Number(const std::string& s, T& out, int base = 10) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out, base);
    return ec == std::errc() && end == s.data() + s.size();
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

// Plain decimal text only ("8.25", "-1.5e3"), read the same under any
// user's settings: the program never changes the C library's "C" locale.
// (The C++ library's general float conversions would be most of the
// program's size.)
bool Real(const std::string& s, double& out) {
    size_t i = 0, digits = 0;
    if (i < s.size() && s[i] == '-') ++i;
    for (bool point = false; i < s.size(); ++i) {
        if (Digit(s[i]))
            ++digits;
        else if (s[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        if (++i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i == s.size() || !Digit(s[i])) return false;
        while (i < s.size() && Digit(s[i])) ++i;
    }
    if (i != s.size()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && errno != ERANGE;
}

bool Flag(const std::string& s, bool& out) {
    if (s != "0" && s != "1") return false;
    out = s == "1";
    return true;
}

// The fewest decimals that read back as the same value: "8.25", "10".
std::string Points(double points) {
    char buf[32];
    for (int decimals = 0; decimals <= 6; ++decimals) {
        const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, points);
        double back = 0;
        if (n > 0 && n < static_cast<int>(sizeof buf) && Real(buf, back) && back == points)
            return buf;
    }
    std::snprintf(buf, sizeof buf, "%.17g", points);
    return buf;
}

std::string Encode(const std::string& v) { return "s:" + Escape(v); }
std::string Encode(bool v) { return v ? "b:1" : "b:0"; }
std::string Encode(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "i:0x%08X", static_cast<unsigned>(v));
    return buf;
}
std::string Encode(const Font& f) {
    return "f:" + Escape(f.name) + "," + Points(f.points) + "," + (f.bold ? "1" : "0") + "," +
           (f.underline ? "1" : "0") + "," + std::to_string(f.weight) + "," +
           std::to_string(f.charset);
}

std::optional<Font> DecodeFont(const std::string& payload) {
    const auto parts = Split(payload, ',', 6);
    if (parts.size() != 6) return std::nullopt;
    Font f;
    auto name = Unescape(parts[0]);
    if (!name) return std::nullopt;
    f.name = *name;
    // A size no font has ("0", "nan", "1e300") would reach the font's pixel
    // height unchecked: such a line is no font.
    constexpr double kLargestPoints = 2048;
    if (!Real(parts[1], f.points) || !(f.points > 0 && f.points <= kLargestPoints) ||
        !Flag(parts[2], f.bold) || !Flag(parts[3], f.underline) ||
        !Number(parts[4], f.weight) || !Number(parts[5], f.charset))
        return std::nullopt;
    return f;
}

}  // namespace

template <class T>
T PropertyStore::Read(const std::string& key, const T& def) const {
    for (const auto& [k, v] : entries_)
        if (k == key) return std::holds_alternative<T>(v) ? std::get<T>(v) : def;
    return def;
}

template <class T>
void PropertyStore::Write(const std::string& key, const T& value, const T& def) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& e) { return e.first == key; });
    if (value == def) {
        if (it != entries_.end()) entries_.erase(it);
    } else if (it != entries_.end()) {
        it->second = value;
    } else {
        entries_.emplace_back(key, value);
    }
}

std::string PropertyStore::ReadText(const std::string& key, const std::string& def) const {
    return Read(key, def);
}
bool PropertyStore::ReadBool(const std::string& key, bool def) const { return Read(key, def); }
std::uint32_t PropertyStore::ReadLong(const std::string& key, std::uint32_t def) const {
    return Read(key, def);
}
Font PropertyStore::ReadFont(const std::string& key, const Font& def) const {
    return Read(key, def);
}

void PropertyStore::WriteText(const std::string& key, const std::string& value,
                              const std::string& def) {
    Write(key, value, def);
}
void PropertyStore::WriteBool(const std::string& key, bool value, bool def) {
    Write(key, value, def);
}
void PropertyStore::WriteLong(const std::string& key, std::uint32_t value, std::uint32_t def) {
    Write(key, value, def);
}
void PropertyStore::WriteFont(const std::string& key, const Font& value, const Font& def) {
    Write(key, value, def);
}

std::vector<std::string> PropertyStore::Keys() const {
    std::vector<std::string> keys;
    for (const auto& e : entries_) keys.push_back(e.first);
    return keys;
}

std::string PropertyStore::Serialize() const {
    std::string out;
    for (const auto& [key, value] : entries_)
        out += Escape(key) + "=" + std::visit([](const auto& v) { return Encode(v); }, value) +
               "\n";
    return out;
}

std::optional<PropertyStore> PropertyStore::Parse(const std::string& text) {
    PropertyStore store;
    // Escaped values hold no raw line break, so lines split plainly.
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const auto parts = Split(line, '=', 2);
        if (parts.size() != 2 || parts[1].size() < 2 || parts[1][1] != ':') return std::nullopt;
        auto key = Unescape(parts[0]);
        if (!key || key->empty()) return std::nullopt;
        const std::string payload = parts[1].substr(2);
        Value value;
        switch (parts[1][0]) {
            case 's': {
                auto s = Unescape(payload);
                if (!s) return std::nullopt;
                value = *s;
                break;
            }
            case 'b': {
                bool b = false;
                if (!Flag(payload, b)) return std::nullopt;
                value = b;
                break;
            }
            case 'i': {
                std::uint32_t n = 0;
                if (payload.size() < 3 || payload.compare(0, 2, "0x") != 0 ||
                    !Number(payload.substr(2), n, 16))
                    return std::nullopt;
                value = n;
                break;
            }
            case 'f': {
                auto f = DecodeFont(payload);
                if (!f) return std::nullopt;
                value = *f;
                break;
            }
            default:
                return std::nullopt;
        }
        auto it = std::find_if(store.entries_.begin(), store.entries_.end(),
                               [&](const auto& e) { return e.first == *key; });
        if (it != store.entries_.end())
            it->second = value;
        else
            store.entries_.emplace_back(*key, value);
    }
    return store;
}

}  // namespace ui
