// The per-instance property store of a reusable control: the properties a
// container keeps with its design, each under a key. A value equal to its
// default is never stored, and a missing key reads as the default, so a
// design holds only what differs from a new instance.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class PropertyStore {
public:
    // A key that is missing, or stored with another type, reads as def.
    std::string ReadText(const std::string& key, const std::string& def) const;
    bool ReadBool(const std::string& key, bool def) const;
    std::uint32_t ReadLong(const std::string& key, std::uint32_t def) const;  // colours too
    Font ReadFont(const std::string& key, const Font& def) const;

    // Stores value under key, or removes the key when value equals def.
    void WriteText(const std::string& key, const std::string& value, const std::string& def);
    void WriteBool(const std::string& key, bool value, bool def);
    void WriteLong(const std::string& key, std::uint32_t value, std::uint32_t def);
    void WriteFont(const std::string& key, const Font& value, const Font& def);

    // Stored keys, in the order first written.
    std::vector<std::string> Keys() const;
    bool Empty() const { return entries_.empty(); }

    // The stored design as text: one "key=type:value" line per key, with
    // "\", "=", ",", newline and carriage return escaped.
    std::string Serialize() const;
    // Reads Serialize's text back; nothing on a malformed line.
    static std::optional<PropertyStore> Parse(const std::string& text);

private:
    using Value = std::variant<std::string, bool, std::uint32_t, Font>;
    template <class T>
    T Read(const std::string& key, const T& def) const;
    template <class T>
    void Write(const std::string& key, const T& value, const T& def);

    std::vector<std::pair<std::string, Value>> entries_;
};

}  // namespace ui
