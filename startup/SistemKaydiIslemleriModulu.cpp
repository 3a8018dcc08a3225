#include "startup/SistemKaydiIslemleriModulu.h"

#include <cmath>

#include "clock/Settings.h"
#include "resources/resource.h"

namespace SistemKaydıİşlemleriModülü {

namespace {
constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kTokenQuery = 0x8;
constexpr std::uint32_t kSePrivilegeEnabled = 2;
}  // namespace

long DeğerYaz(Program& program, platform::RegistryRoot root, const std::string& keyPath,
              const std::string& valueName, const std::string& value, std::uint32_t type) {
    auto& p = program.platform;
    platform::Handle key = 0;
    p.CreateKey(root, keyPath, key);  // a failure shows up as the value write's error
    long result = 0;
    if (type == platform::kRegSz) {
        std::vector<std::uint8_t> data(value.begin(), value.end());
        data.push_back(0);
        result = p.SetValue(key, valueName, type, data);
    } else if (type == platform::kRegDword) {
        double v = std::nearbyint(settings::NumericValue(value));
        if (v < -2147483648.0 || v > 4294967295.0) v = 0;
        auto n = static_cast<std::uint32_t>(static_cast<std::int64_t>(v));
        std::vector<std::uint8_t> data{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                       static_cast<std::uint8_t>(n >> 16),
                                       static_cast<std::uint8_t>(n >> 24)};
        result = p.SetValue(key, valueName, type, data);
    }
    if (key) p.CloseKey(key);
    return result;
}

void DeğerSil(Program& program, platform::RegistryRoot root, const std::string& keyPath,
              const std::string& valueName) {
    auto& p = program.platform;
    platform::Handle key = 0;
    if (p.OpenKey(root, keyPath, key) == 0) p.DeleteValue(key, valueName);
    if (key) p.CloseKey(key);
}

void KapatmaYetkisiAl(Program& program) {
    auto& p = program.platform;
    auto hata = [&] {
        // The code first: loading the string may overwrite it.
        const std::uint32_t kod = p.LastErrorCode();
        p.ShowMessageBox(0, p.StringResource(IDS_SHUTDOWN_ERROR) + std::to_string(kod),
                         program.values.appTitle, platform::kMbOk);
    };
    p.SetLastErrorCode(0);
    platform::Handle process = p.CurrentProcess();
    if (p.LastErrorCode() != 0) {
        hata();
        return;
    }
    // Each step starts from a clear code so that only a step that fails
    // reports, not one that merely follows a failure.
    platform::Handle token = 0;
    p.SetLastErrorCode(0);
    p.OpenToken(process, kTokenAdjustPrivileges | kTokenQuery, token);
    if (p.LastErrorCode() != 0) hata();
    std::uint64_t luid = 0;
    p.SetLastErrorCode(0);
    p.LookupPrivilege("", "SeShutdownPrivilege", luid);
    if (p.LastErrorCode() != 0) hata();
    p.SetLastErrorCode(0);
    p.AdjustPrivileges(token, false, luid, kSePrivilegeEnabled);
    if (p.LastErrorCode() != 0) hata();
    if (token) p.CloseHandleOf(token);
}

std::string BaşlangıçKomutu(const std::string& programFolder, const std::string& exeName) {
    std::string folder = programFolder;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::string command = folder + exeName;
    if (command.find(' ') != std::string::npos) return "\"" + command + "\"";
    return command;
}

}  // namespace SistemKaydıİşlemleriModülü
