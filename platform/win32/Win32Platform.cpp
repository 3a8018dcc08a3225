#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <commdlg.h>
#include <winver.h>

#include "platform/win32/CommonControls.h"
#include "platform/win32/Dpi.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Where the per-user settings live; the application name may itself hold a
// backslash and so nest one key deeper.
const char kSettingsRoot[] = "Software\\VB and VBA Program Settings\\";

// What the registry module asks for when it creates a key: query, set,
// create sub-key, enumerate, notify and create link, without the standard
// rights that KEY_ALL_ACCESS adds.
constexpr REGSAM kRegistryModuleAccess = 0x3F;

constexpr int kPathExistsOrdinal = 45;

template <typename T>
T As(Handle h) { return reinterpret_cast<T>(h); }

template <typename T>
Handle ToHandle(T h) { return reinterpret_cast<Handle>(h); }

std::string SettingsPath(const std::string& app, const std::string& section) {
    return kSettingsRoot + app + "\\" + section;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

std::string ModuleFilePath() {
    std::vector<char> buffer(MAX_PATH);
    // Paths may exceed MAX_PATH; the call truncates silently and returns the
    // buffer size, so grow until the name fits.
    while (buffer.size() <= 65536) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

std::wstring Widen(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

std::string Narrow(const wchar_t* text, int length) {
    int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), n, nullptr, nullptr);
    return narrow;
}

// The shell, the common dialogs and the sound library are loaded on first
// use, from the system folder only: loaded with the program, they and what
// they bring along would be a good part of its start-up.
HMODULE SystemLibrary(const char* name) {
    char path[MAX_PATH + 32];
    const UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    path[n] = '\\';
    std::strcpy(path + n + 1, name);
    return LoadLibraryA(path);
}

template <class F>
F SystemFunction(const char* library, const char* name) {
    HMODULE module = SystemLibrary(library);
    if (!module) return nullptr;
    // Through void(*)() so that GCC accepts the change of signature.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

using PathExistsProc = BOOL(WINAPI*)(LPCVOID);

PathExistsProc ResolvePathExists() {
    return SystemFunction<PathExistsProc>("shell32.dll", MAKEINTRESOURCEA(kPathExistsOrdinal));
}

int PrimaryDpi() {
    return win32::MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    auto rect = [](const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; };
    auto& monitors = *reinterpret_cast<std::vector<Monitor>*>(list);
    Monitor m{rect(info.rcMonitor), rect(info.rcWork), win32::MonitorDpi(monitor)};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors.insert(monitors.begin(), m);
    else
        monitors.push_back(m);
    return TRUE;
}

SYSTEMTIME ToSystemTime(const DateTime& when) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(when.year);
    st.wMonth = static_cast<WORD>(when.month);
    st.wDay = static_cast<WORD>(when.day);
    st.wDayOfWeek = static_cast<WORD>(when.dayOfWeek);
    st.wHour = static_cast<WORD>(when.hour);
    st.wMinute = static_cast<WORD>(when.minute);
    st.wSecond = static_cast<WORD>(when.second);
    st.wMilliseconds = static_cast<WORD>(when.millisecond);
    return st;
}

}  // namespace

std::string FolderOf(const std::string& file) {
    size_t slash = file.find_last_of("\\/");
    if (slash == std::string::npos) return {};
    // "C:" alone would name the drive's current directory, not its root.
    if (slash == 2 && file[1] == ':') return file.substr(0, 3);
    return file.substr(0, slash);
}

// --- time -------------------------------------------------------------

DateTime FromSystemTime(const SYSTEMTIME& st) {
    DateTime d;
    d.year = st.wYear;
    d.month = st.wMonth;
    d.day = st.wDay;
    d.hour = st.wHour;
    d.minute = st.wMinute;
    d.second = st.wSecond;
    d.millisecond = st.wMilliseconds;
    d.dayOfWeek = st.wDayOfWeek;
    return d;
}

DateTime Win32Platform::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
}

std::string Win32Platform::FormatDate(const DateTime& when, const std::string& picture) {
    // The tick asks for the date every second and the locale's date
    // functions are slow: the last text of each picture is kept for the same
    // day in the same user locale.
    const std::uint32_t locale = GetUserDefaultLCID();
    for (const auto& c : dates_)
        if (c.year == when.year && c.month == when.month && c.day == when.day &&
            c.locale == locale && c.picture == picture)
            return c.text;

    SYSTEMTIME st = ToSystemTime(when);
    char buffer[256];
    std::string text;
    int n = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture.c_str(), buffer, sizeof buffer);
    if (n > 0) {
        text.assign(buffer, static_cast<size_t>(n - 1));
    } else {
        n = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture.c_str(), nullptr, 0);
        if (n <= 0) return {};
        text.assign(static_cast<size_t>(n), '\0');
        n = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture.c_str(), text.data(), n);
        if (n <= 0) return {};
        text.resize(static_cast<size_t>(n - 1));
    }

    auto slot = std::find_if(dates_.begin(), dates_.end(),
                             [&](const FormattedDate& c) { return c.picture == picture; });
    if (slot == dates_.end()) slot = dates_.insert(dates_.end(), FormattedDate{});
    *slot = FormattedDate{when.year, when.month, when.day, locale, picture, text};
    return text;
}

// An absolute due time in UTC, converted by the zone's rules for that date,
// so that a wake timer set before a change of daylight-saving time still
// falls on the local time asked for.
void Win32Platform::SetWakeTimer(const DateTime& when) {
    if (!wakeTimer_) wakeTimer_ = ToHandle(CreateWaitableTimerA(nullptr, TRUE, nullptr));
    if (!wakeTimer_) return;
    const SYSTEMTIME local = ToSystemTime(when);
    SYSTEMTIME utc;
    FILETIME due;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
        !SystemTimeToFileTime(&utc, &due))
        return;
    LARGE_INTEGER at;
    at.LowPart = due.dwLowDateTime;
    at.HighPart = static_cast<LONG>(due.dwHighDateTime);
    // Where the system cannot resume for it, the timer is still set (the
    // call then reports ERROR_NOT_SUPPORTED): nothing more to do.
    SetWaitableTimer(As<HANDLE>(wakeTimer_), &at, 0, nullptr, nullptr, TRUE);
}

void Win32Platform::CancelWakeTimer() {
    if (wakeTimer_) CancelWaitableTimer(As<HANDLE>(wakeTimer_));
}

Win32Platform::~Win32Platform() {
    if (wakeTimer_) CloseHandle(As<HANDLE>(wakeTimer_));
}

// --- settings store ---------------------------------------------------

bool Win32Platform::ReadSetting(const std::string& app, const std::string& section,
                                const std::string& key, std::string& value) {
    HKEY hkey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &hkey) != ERROR_SUCCESS)
        return false;
    bool found = false;
    // The value can change between the size query and the read; retry then.
    for (int attempt = 0; attempt < 4 && !found; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(hkey, key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            !IsText(type))
            break;
        // One spare byte: stored text need not carry its NUL.
        std::vector<char> buffer(size + 1, '\0');
        DWORD got = size;
        LONG rc = RegQueryValueExA(hkey, key.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || !IsText(type)) break;
        got = got < size ? got : size;
        value.assign(buffer.data(), strnlen(buffer.data(), got));
        found = true;
    }
    RegCloseKey(hkey);
    return found;
}

void Win32Platform::WriteSetting(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& value) {
    HKEY hkey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsPath(app, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &hkey,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(hkey, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hkey);
}

// --- raw registry -----------------------------------------------------

namespace {
HKEY RootKey(platform::RegistryRoot root) {
    switch (root) {
    case platform::RegistryRoot::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}
}  // namespace

long Win32Platform::CreateKey(RegistryRoot root, const std::string& path, Handle& key) {
    HKEY hkey = nullptr;
    LONG rc = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              kRegistryModuleAccess, nullptr, &hkey, nullptr);
    key = rc == ERROR_SUCCESS ? ToHandle(hkey) : 0;
    return rc;
}

long Win32Platform::SetValue(Handle key, const std::string& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data) {
    return RegSetValueExA(As<HKEY>(key), name.c_str(), 0, type,
                          data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
}

long Win32Platform::OpenKey(RegistryRoot root, const std::string& path, Handle& key) {
    HKEY hkey = nullptr;
    LONG rc = RegOpenKeyA(RootKey(root), path.c_str(), &hkey);
    key = rc == ERROR_SUCCESS ? ToHandle(hkey) : 0;
    return rc;
}

long Win32Platform::DeleteValue(Handle key, const std::string& name) {
    return RegDeleteValueA(As<HKEY>(key), name.c_str());
}

long Win32Platform::CloseKey(Handle key) { return RegCloseKey(As<HKEY>(key)); }

// --- process, security, shutdown --------------------------------------

void Win32Platform::SetLastErrorCode(std::uint32_t code) { SetLastError(code); }

std::uint32_t Win32Platform::LastErrorCode() { return GetLastError(); }

Handle Win32Platform::CurrentProcess() { return ToHandle(GetCurrentProcess()); }

bool Win32Platform::OpenToken(Handle process, std::uint32_t access, Handle& token) {
    HANDLE h = nullptr;
    BOOL ok = OpenProcessToken(As<HANDLE>(process), access, &h);
    token = ok ? ToHandle(h) : 0;
    return ok != FALSE;
}

bool Win32Platform::LookupPrivilege(const std::string& system, const std::string& name,
                                    std::uint64_t& luid) {
    LUID id{};
    BOOL ok = LookupPrivilegeValueA(system.c_str(), name.c_str(), &id);
    if (ok)
        luid = (static_cast<std::uint64_t>(static_cast<DWORD>(id.HighPart)) << 32) | id.LowPart;
    return ok != FALSE;
}

bool Win32Platform::AdjustPrivileges(Handle token, bool disableAll, std::uint64_t luid,
                                     std::uint32_t attributes) {
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid & 0xFFFFFFFFu);
    wanted.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    wanted.Privileges[0].Attributes = attributes;
    static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "one-entry privilege record");
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    // The caller reads the last-error code right after: nothing may follow
    // the call that could change it.
    return AdjustTokenPrivileges(As<HANDLE>(token), disableAll ? TRUE : FALSE, &wanted,
                                 sizeof previous, &previous, &returned) != FALSE;
}

void Win32Platform::CloseHandleOf(Handle h) { CloseHandle(As<HANDLE>(h)); }

std::uint32_t Win32Platform::VersionWord() { return GetVersion(); }

bool Win32Platform::RequestShutdown(unsigned flags, std::uint32_t reason) {
    return ExitWindowsEx(flags, reason) != FALSE;
}

// --- sound ------------------------------------------------------------

bool Win32Platform::Play(const std::string& path, unsigned flags) {
    static const auto play = SystemFunction<decltype(&PlaySoundA)>("winmm.dll", "PlaySoundA");
    return play && play(path.empty() ? nullptr : path.c_str(), nullptr, flags) != FALSE;
}

unsigned Win32Platform::WaveOutDeviceCount() {
    static const auto count =
        SystemFunction<decltype(&waveOutGetNumDevs)>("winmm.dll", "waveOutGetNumDevs");
    return count ? count() : 0;
}

bool Win32Platform::PathExists(const std::string& path, bool wide) {
    static const PathExistsProc pathExists = ResolvePathExists();
    if (wide) {
        std::wstring w = Widen(path);
        if (pathExists) return pathExists(w.c_str()) != FALSE;
        return GetFileAttributesW(w.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    if (pathExists) return pathExists(path.c_str()) != FALSE;
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// --- user interaction -------------------------------------------------

int Win32Platform::ShowMessageBox(Handle owner, const std::string& text,
                                  const std::string& caption, unsigned flags) {
    return MessageBoxA(As<HWND>(owner), text.c_str(), caption.c_str(), flags);
}

void Win32Platform::ShellOpen(Handle owner, const std::string& operation,
                              const std::string& file, const std::string& parameters,
                              const std::string& directory, int show) {
    auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    static const auto execute =
        SystemFunction<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!execute) return;
    execute(As<HWND>(owner), orNull(operation), file.c_str(), orNull(parameters),
            orNull(directory), show);
}

// --- program ----------------------------------------------------------

namespace {
constexpr std::uint32_t kOldStyleRecordSize = 76;  // without the Windows 2000 fields, on x86
}  // namespace

bool Win32Platform::OpenFileDialog(platform::OpenFileRecord& record) {
    // The record as given, at the size it names: the fields past 76 bytes
    // (the Windows 2000 ones) are not part of it. The forms name sizes as
    // the 32-bit layout has them; 64-bit Windows wants the same record at
    // its own, larger size.
    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof ofn);
    std::vector<char> file(record.file.begin(), record.file.end());
    std::vector<char> fileTitle(record.fileTitle.begin(), record.fileTitle.end());
    file.push_back('\0');
    fileTitle.push_back('\0');
    std::string filter = record.filter;
    ofn.lStructSize = record.structSize == kOldStyleRecordSize
                          ? static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A)
                          : std::min<DWORD>(record.structSize, sizeof ofn);
    ofn.hwndOwner = As<HWND>(record.owner);
    ofn.hInstance = As<HINSTANCE>(record.instance);
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = record.filterIndex;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = std::min<DWORD>(record.maxFile, static_cast<DWORD>(file.size()));
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = std::min<DWORD>(record.maxFileTitle, static_cast<DWORD>(fileTitle.size()));
    ofn.lpstrInitialDir = record.initialDir.empty() ? nullptr : record.initialDir.c_str();
    ofn.lpstrTitle = record.title.empty() ? nullptr : record.title.c_str();
    ofn.Flags = record.flags;
    static const auto open =
        SystemFunction<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    const BOOL chosen = open ? open(&ofn) : FALSE;
    record.file.assign(file.begin(), file.end() - 1);
    record.fileTitle.assign(fileTitle.begin(), fileTitle.end() - 1);
    return chosen != FALSE;
}

platform::Handle Win32Platform::DesktopWindow() { return reinterpret_cast<Handle>(GetDesktopWindow()); }

platform::Handle Win32Platform::InstanceHandle() {
    return reinterpret_cast<Handle>(GetModuleHandleA(nullptr));
}

std::string Win32Platform::StringResource(int id) {
    // With a zero length LoadStringW hands out a pointer to the resource
    // text itself, so no text is ever cut to a buffer size.
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                             reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    return Narrow(text, length);
}

std::string Win32Platform::ModuleFolder() { return FolderOf(ModuleFilePath()); }

VersionInfo Win32Platform::Version() {
    VersionInfo info;
    std::string file = ModuleFilePath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return info;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return info;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
        fixed && length >= sizeof(VS_FIXEDFILEINFO)) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.build = HIWORD(fixed->dwFileVersionLS);
        info.revision = LOWORD(fixed->dwFileVersionLS);
    }

    struct Translation { WORD language, codePage; };
    Translation* translation = nullptr;
    char table[40] = "\\StringFileInfo\\040904b0\\";  // US English, Unicode
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= sizeof(Translation))
        wsprintfA(table, "\\StringFileInfo\\%04x%04x\\", translation->language,
                  translation->codePage);

    auto text = [&](const char* name) {
        std::string query = std::string(table) + name;
        char* value = nullptr;
        UINT chars = 0;
        if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars) ||
            !value)
            return std::string();
        return std::string(value, strnlen(value, chars));
    };
    info.productName = text("ProductName");
    info.companyName = text("CompanyName");
    info.copyright = text("LegalCopyright");
    return info;
}

void Win32Platform::InitCommonControls(std::uint32_t size, std::uint32_t classes) {
    platform::win32::RequestCommonControls(size, classes);
}

// --- single instance --------------------------------------------------

Handle Win32Platform::FindWindowByCaption(const std::string& caption) {
    return ToHandle(FindWindowA(nullptr, caption.c_str()));
}

void Win32Platform::ShowWindowCommand(Handle window, int command) {
    ShowWindow(As<HWND>(window), command);
}

void Win32Platform::BringToForeground(Handle window) {
    HWND found = As<HWND>(window);
    if (!IsWindow(found)) return;
    // The caption may belong to a hidden owner window; what the user wants
    // to see is the window it last activated.
    HWND target = GetLastActivePopup(found);
    if (!target || !IsWindowVisible(target) || !IsWindowEnabled(target)) target = found;
    SetForegroundWindow(target);
    // Activation only takes on windows of the calling thread; for another
    // process's window SetForegroundWindow has done all there is to do.
    if (GetWindowThreadProcessId(target, nullptr) == GetCurrentThreadId()) SetActiveWindow(target);
}

bool Win32Platform::ClaimInstance(const std::string& name) {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    DWORD error = GetLastError();
    // A mutex that cannot be made must never keep the clock from starting.
    if (!mutex) return true;
    return error != ERROR_ALREADY_EXISTS;
}

void Win32Platform::Pause(unsigned milliseconds) { Sleep(milliseconds); }

// --- screen -----------------------------------------------------------

void Win32Platform::ReadScreen() {
    if (screenRead_) return;
    screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
    screenRead_ = true;
}

int Win32Platform::ScreenWidthTwips() {
    ReadScreen();
    return TwipsOfPixels(screenWidth_, PrimaryDpi());
}

int Win32Platform::ScreenHeightTwips() {
    ReadScreen();
    return TwipsOfPixels(screenHeight_, PrimaryDpi());
}

std::vector<Monitor> Win32Platform::Monitors(int dpi) {
    if (monitorsPx_.empty()) {
        EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitorsPx_));
        if (monitorsPx_.empty()) {
            const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            monitorsPx_.push_back(Monitor{screen, screen, PrimaryDpi()});
        }
    }
    std::vector<Monitor> monitors = monitorsPx_;
    auto twips = [dpi](const Rect& r) {
        return Rect{TwipsOfPixels(r.left, dpi), TwipsOfPixels(r.top, dpi),
                    TwipsOfPixels(r.right, dpi), TwipsOfPixels(r.bottom, dpi)};
    };
    for (Monitor& m : monitors) {
        m.bounds = twips(m.bounds);
        m.work = twips(m.work);
    }
    return monitors;
}

}  // namespace platform
