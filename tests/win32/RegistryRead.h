// Reads a registry value back with the plain API: what a test compares.
#pragma once

#include <windows.h>

#include <vector>

namespace regtest {

// Type and bytes of one value as the registry holds them.
struct Stored {
    LONG rc = -1;
    DWORD type = 0;
    std::vector<BYTE> bytes;
};

inline Stored ReadRaw(const char* path, const char* name) {
    Stored s;
    HKEY key;
    s.rc = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key);
    if (s.rc != ERROR_SUCCESS) return s;
    DWORD size = 0;
    s.rc = RegQueryValueExA(key, name, nullptr, &s.type, nullptr, &size);
    if (s.rc == ERROR_SUCCESS) {
        s.bytes.resize(size);
        s.rc = RegQueryValueExA(key, name, nullptr, &s.type, s.bytes.data(), &size);
        s.bytes.resize(size);
    }
    RegCloseKey(key);
    return s;
}

}  // namespace regtest
