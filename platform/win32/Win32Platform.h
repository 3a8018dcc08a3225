// The system services on the real Win32 API. Like Platform.h this header
// stays free of <windows.h>; only Win32Platform.cpp includes it.
//
// Link with user32 gdi32 advapi32 version; shell32, comdlg32 and winmm are
// loaded from the system folder when first used, comctl32 with the first
// common control (CommonControls.h).
#pragma once

#include "platform/Platform.h"

#include <string>
#include <vector>

namespace platform {

// Folder part of a module file path as the system reports it: no trailing
// backslash, except that a drive root keeps its own ("C:\x.exe" -> "C:\").
std::string FolderOf(const std::string& file);

// A system time as the program's date and time.
DateTime FromSystemTime(const struct _SYSTEMTIME& st);

class Win32Platform : public Platform {
public:
    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;
    ~Win32Platform() override;

    DateTime Now() override;
    std::string FormatDate(const DateTime& when, const std::string& picture) override;
    void SetWakeTimer(const DateTime& when) override;
    void CancelWakeTimer() override;
    // The waitable timer behind the wake timer (0 until first set), for
    // tests that wait on it.
    Handle WakeTimerHandle() const { return wakeTimer_; }

    bool ReadSetting(const std::string& app, const std::string& section,
                     const std::string& key, std::string& value) override;
    void WriteSetting(const std::string& app, const std::string& section,
                      const std::string& key, const std::string& value) override;

    long CreateKey(RegistryRoot root, const std::string& path, Handle& key) override;
    long SetValue(Handle key, const std::string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override;
    long OpenKey(RegistryRoot root, const std::string& path, Handle& key) override;
    long DeleteValue(Handle key, const std::string& name) override;
    long CloseKey(Handle key) override;

    void SetLastErrorCode(std::uint32_t code) override;
    std::uint32_t LastErrorCode() override;
    Handle CurrentProcess() override;
    bool OpenToken(Handle process, std::uint32_t access, Handle& token) override;
    bool LookupPrivilege(const std::string& system, const std::string& name,
                         std::uint64_t& luid) override;
    bool AdjustPrivileges(Handle token, bool disableAll, std::uint64_t luid,
                          std::uint32_t attributes) override;
    void CloseHandleOf(Handle h) override;
    std::uint32_t VersionWord() override;
    bool RequestShutdown(unsigned flags, std::uint32_t reason) override;

    bool Play(const std::string& path, unsigned flags) override;
    unsigned WaveOutDeviceCount() override;
    bool PathExists(const std::string& path, bool wide) override;

    int ShowMessageBox(Handle owner, const std::string& text, const std::string& caption,
                       unsigned flags) override;
    void ShellOpen(Handle owner, const std::string& operation, const std::string& file,
                   const std::string& parameters, const std::string& directory,
                   int show) override;

    bool OpenFileDialog(platform::OpenFileRecord& record) override;
    Handle DesktopWindow() override;
    Handle InstanceHandle() override;
    std::string StringResource(int id) override;
    std::string ModuleFolder() override;
    VersionInfo Version() override;
    void InitCommonControls(std::uint32_t size, std::uint32_t classes) override;

    Handle FindWindowByCaption(const std::string& caption) override;
    void ShowWindowCommand(Handle window, int command) override;
    void BringToForeground(Handle window) override;
    // The mutex handle is deliberately never closed: the name must stay
    // claimed until the process ends, whatever happens to this object.
    bool ClaimInstance(const std::string& name) override;
    void Pause(unsigned milliseconds) override;

    // The screen's size and the monitors are read once and kept: the
    // keep-on-screen check asks for them every second, and under Wine a
    // reading of the monitors alone took some 400 us, mostly in the window
    // server. ForgetScreen makes the next question read them again.
    int ScreenWidthTwips() override;
    int ScreenHeightTwips() override;
    std::vector<Monitor> Monitors(int dpi) override;
    void ForgetScreen() {
        screenRead_ = false;
        monitorsPx_.clear();
    }

private:
    void ReadScreen();
    bool screenRead_ = false;
    int screenWidth_ = 0, screenHeight_ = 0;  // pixels
    std::vector<Monitor> monitorsPx_;  // in pixels; empty: not read

    struct FormattedDate {
        int year = 0, month = 0, day = 0;
        std::uint32_t locale = 0;
        std::string picture, text;
    };
    std::vector<FormattedDate> dates_;  // the last text of each picture
    Handle wakeTimer_ = 0;
};

}  // namespace platform
