// A platform that keeps its state in memory, records what the system asked
// of it and answers as a test scripts.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace fake {

struct MessageBoxCall {
    std::string text, caption;
    unsigned flags;
};

struct RegistryValue {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

class FakePlatform : public platform::Platform {
public:
    FakePlatform();

    // --- what tests set ---
    platform::DateTime now;
    std::map<std::string, std::string> store;  // "app|section|key" -> value
    std::map<int, std::string> strings;
    std::string moduleFolder = "C:\\Program Files\\Zilvane";
    platform::VersionInfo version;
    unsigned waveDevices = 1;
    std::uint32_t versionWord = 0x0A280105;  // NT family
    std::vector<std::string> existingFiles;
    int screenWidth = 15360, screenHeight = 11520;  // 1024 x 768 px
    std::deque<int> messageBoxAnswers;               // next answers; default IDNO
    std::function<void(const MessageBoxCall&)> onMessageBox;
    platform::Handle windowWithCaption = 0;  // what FindWindowByCaption finds
    bool instanceFree = true;
    // Fail a privilege step: the last-error code it leaves (0 = success).
    std::uint32_t failOpenToken = 0, failLookup = 0, failAdjust = 0, failCurrentProcess = 0;

    // --- what tests read ---
    std::vector<std::pair<std::string, unsigned>> played;  // path, flags
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<std::string> writes;  // keys in the order written
    std::vector<std::pair<unsigned, std::uint32_t>> shutdowns;
    std::vector<std::string> shellOpens;
    std::vector<platform::Handle> shellOwners;
    std::vector<platform::OpenFileRecord> openFileRecords;  // as each call received it
    // What the next open-file dialogs answer: a path the user chose, or
    // nothing (cancelled). Empty queue: cancelled.
    std::deque<std::optional<std::string>> openFileAnswers;
    platform::Handle desktopWindow = 0x10010, instanceHandle = 0x400000;
    std::vector<std::string> calls;  // platform calls by name, in order
    std::map<std::string, std::map<std::string, RegistryValue>> registry;  // key path -> values
    std::vector<platform::Handle> openKeys;

    std::string Setting(const std::string& key) const;
    bool HasSetting(const std::string& key) const;
    void SetSetting(const std::string& key, const std::string& value);
    void Advance(int seconds);  // moves now forward across minutes, hours, days

    // --- Platform ---
    platform::DateTime Now() override { return now; }
    std::string FormatDate(const platform::DateTime& when, const std::string& picture) override;
    bool ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                     std::string& value) override;
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override;
    long CreateKey(platform::RegistryRoot root, const std::string& path, platform::Handle& key) override;
    long SetValue(platform::Handle key, const std::string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override;
    long OpenKey(platform::RegistryRoot root, const std::string& path, platform::Handle& key) override;
    long DeleteValue(platform::Handle key, const std::string& name) override;
    long CloseKey(platform::Handle key) override;
    void SetLastErrorCode(std::uint32_t code) override { lastError_ = code; }
    std::uint32_t LastErrorCode() override { return lastError_; }
    platform::Handle CurrentProcess() override;
    bool OpenToken(platform::Handle process, std::uint32_t access, platform::Handle& token) override;
    bool LookupPrivilege(const std::string& system, const std::string& name,
                         std::uint64_t& luid) override;
    bool AdjustPrivileges(platform::Handle token, bool disableAll, std::uint64_t luid,
                          std::uint32_t attributes) override;
    void CloseHandleOf(platform::Handle) override { calls.push_back("CloseHandle"); }
    std::uint32_t VersionWord() override { return versionWord; }
    bool RequestShutdown(unsigned flags, std::uint32_t reason) override;
    bool Play(const std::string& path, unsigned flags) override;
    unsigned WaveOutDeviceCount() override { return waveDevices; }
    bool PathExists(const std::string& path, bool wide) override;
    int ShowMessageBox(platform::Handle owner, const std::string& text, const std::string& caption,
                       unsigned flags) override;
    void ShellOpen(platform::Handle owner, const std::string& operation, const std::string& file,
                   const std::string& parameters, const std::string& directory, int show) override;
    std::string StringResource(int id) override;
    std::string ModuleFolder() override { return moduleFolder; }
    platform::Handle InstanceHandle() override { return instanceHandle; }
    bool OpenFileDialog(platform::OpenFileRecord& record) override;
    platform::Handle DesktopWindow() override { return desktopWindow; }
    platform::VersionInfo Version() override { return version; }
    void InitCommonControls(std::uint32_t size, std::uint32_t classes) override;
    platform::Handle FindWindowByCaption(const std::string& caption) override;
    void ShowWindowCommand(platform::Handle window, int command) override;
    void BringToForeground(platform::Handle window) override;
    bool ClaimInstance(const std::string& name) override;
    void Pause(unsigned) override { calls.push_back("Pause"); }
    int ScreenWidthTwips() override { return screenWidth; }
    int ScreenHeightTwips() override { return screenHeight; }

private:
    std::uint32_t lastError_ = 0;
    platform::Handle nextKey_ = 0x100;
    std::map<platform::Handle, std::string> keyPaths_;
};

}  // namespace fake
