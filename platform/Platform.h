// The system services that the forms and modules call. Win32 implements it
// (platform/win32); tests use a fake that records calls and scripts answers.
// Nothing here includes <windows.h>: handles and codes travel as integers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A reading of the local wall clock.
struct DateTime {
    int year = 2000, month = 1, day = 1;        // month 1..12
    int hour = 0, minute = 0, second = 0;
    int millisecond = 0;
    int dayOfWeek = 6;                           // 0 = Sunday
};

using Handle = std::uintptr_t;                   // HWND, HKEY, HANDLE as integers

// Registry roots by name: their handle values differ between 32- and 64-bit
// Windows, so only the platform layer turns them into handles.
enum class RegistryRoot { CurrentUser };
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

// Message box flags and answers used by the system.
constexpr unsigned kMbOk = 0;
constexpr unsigned kMbYesNo = 4;
constexpr unsigned kMbIconQuestion = 32;
constexpr unsigned kMbIconInformation = 64;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// PlaySound flags.
constexpr unsigned kSndAsync = 0x1;
constexpr unsigned kSndLoop = 0x8;
constexpr unsigned kSndFilename = 0x20000;

constexpr int kSwShowNormal = 1;

struct VersionInfo {
    int major = 0, minor = 0, build = 0, revision = 0;
    std::string productName;
    std::string companyName;
    std::string copyright;
};

// The open-file dialog's record (the ANSI OPENFILENAME at its 76-byte
// size), as a dialog fills it. Fields it leaves alone stay zero.
struct OpenFileRecord {
    std::uint32_t structSize = 0;
    Handle owner = 0;
    Handle instance = 0;
    std::string filter;  // pairs of NUL-ended texts; the list ends with one more NUL
    std::uint32_t filterIndex = 0;
    std::string file;  // the buffer: in, as given; out, what the dialog wrote
    std::uint32_t maxFile = 0;
    std::string fileTitle;  // a second buffer, likewise
    std::uint32_t maxFileTitle = 0;
    std::string initialDir;
    std::string title;
    std::uint32_t flags = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- time ---------------------------------------------------------
    virtual DateTime Now() = 0;
    // Formats a date with a Windows date picture ("dd MMM yyyy", "dddd")
    // in the user's locale.
    virtual std::string FormatDate(const DateTime& when, const std::string& picture) = 0;

    // --- per-user settings store (application name, section, key) -----
    // ReadSetting returns false when the key (or section) is absent.
    virtual bool ReadSetting(const std::string& app, const std::string& section,
                             const std::string& key, std::string& value) = 0;
    virtual void WriteSetting(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) = 0;

    // --- raw registry, as the registry module drives it ---------------
    // Mirror RegCreateKeyExA & co.; each returns the result code (0 = success).
    virtual long CreateKey(RegistryRoot root, const std::string& path, Handle& key) = 0;
    virtual long SetValue(Handle key, const std::string& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) = 0;
    virtual long OpenKey(RegistryRoot root, const std::string& path, Handle& key) = 0;
    virtual long DeleteValue(Handle key, const std::string& name) = 0;
    virtual long CloseKey(Handle key) = 0;

    // --- process, security, shutdown ----------------------------------
    virtual void SetLastErrorCode(std::uint32_t code) = 0;
    virtual std::uint32_t LastErrorCode() = 0;
    virtual Handle CurrentProcess() = 0;
    virtual bool OpenToken(Handle process, std::uint32_t access, Handle& token) = 0;
    virtual bool LookupPrivilege(const std::string& system, const std::string& name,
                                      std::uint64_t& luid) = 0;
    // record = privilege count 1, luid, attributes; 16 bytes.
    virtual bool AdjustPrivileges(Handle token, bool disableAll, std::uint64_t luid,
                                       std::uint32_t attributes) = 0;
    virtual void CloseHandleOf(Handle h) = 0;
    virtual std::uint32_t VersionWord() = 0;
    virtual bool RequestShutdown(unsigned flags, std::uint32_t reason) = 0;

    // --- sound --------------------------------------------------------
    // path empty with flags 0 stops every sound the program plays.
    virtual bool Play(const std::string& path, unsigned flags) = 0;
    virtual unsigned WaveOutDeviceCount() = 0;
    // The shell's path-exists test (shell32 ordinal 45); wide = pass as UTF-16.
    virtual bool PathExists(const std::string& path, bool wide) = 0;

    // --- user interaction ---------------------------------------------
    virtual int ShowMessageBox(Handle owner, const std::string& text, const std::string& caption,
                           unsigned flags) = 0;
    virtual void ShellOpen(Handle owner, const std::string& operation, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int show) = 0;
    // GetOpenFileNameA with the record; true when the user chose a file.
    virtual bool OpenFileDialog(OpenFileRecord& record) = 0;
    virtual Handle DesktopWindow() = 0;

    // --- program ------------------------------------------------------
    virtual std::string StringResource(int id) = 0;
    virtual std::string ModuleFolder() = 0;      // folder of the running exe, as reported
    virtual Handle InstanceHandle() = 0;
    virtual VersionInfo Version() = 0;
    virtual void InitCommonControls(std::uint32_t size, std::uint32_t classes) = 0;

    // --- single instance ----------------------------------------------
    virtual Handle FindWindowByCaption(const std::string& caption) = 0;
    virtual void ShowWindowCommand(Handle window, int command) = 0;
    virtual void BringToForeground(Handle window) = 0;
    // Creates (or opens) a named mutex held for the life of the process;
    // false when another process already holds one of that name.
    virtual bool ClaimInstance(const std::string& name) = 0;
    virtual void Pause(unsigned milliseconds) = 0;

    // --- screen (twips) -----------------------------------------------
    virtual int ScreenWidthTwips() = 0;
    virtual int ScreenHeightTwips() = 0;
};

}  // namespace platform
