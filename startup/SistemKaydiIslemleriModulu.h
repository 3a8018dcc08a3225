// Registry write and delete, and the shutdown privilege.
#pragma once

#include <cstdint>
#include <string>

#include "startup/Program.h"

namespace SistemKaydıİşlemleriModülü {

// Writes a REG_SZ (1) or REG_DWORD (4) value, creating the key when absent.
// Returns the value write's result code, 0 on success (and when the type
// is neither, so nothing was written).
long DeğerYaz(Program& program, platform::RegistryRoot root, const std::string& keyPath,
              const std::string& valueName, const std::string& value, std::uint32_t type);

// Deletes a value; a missing key or value is no error.
void DeğerSil(Program& program, platform::RegistryRoot root, const std::string& keyPath,
              const std::string& valueName);

// Enables SeShutdownPrivilege for this process, telling the user each step
// that fails (with the system's error code).
void KapatmaYetkisiAl(Program& program);

// The start-with-Windows command: the program folder and file name, quoted
// when it contains a space so that Windows does not run a prefix of it.
std::string BaşlangıçKomutu(const std::string& programFolder, const std::string& exeName);

inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace SistemKaydıİşlemleriModülü
