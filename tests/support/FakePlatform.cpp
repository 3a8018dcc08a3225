#include "tests/support/FakePlatform.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fake {

namespace {
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                             "Thursday", "Friday", "Saturday"};
constexpr const char* kApp = "Velorin\\Zilvane|Ayarlar|";

std::string RootName(platform::RegistryRoot root) {
    switch (root) {
    case platform::RegistryRoot::CurrentUser: break;
    }
    return "HKEY_CURRENT_USER";
}

// The program's string table, read from its resource script: the names of
// resource.h, then each `NAME "text"` line of the STRINGTABLE block, with
// "" standing for one quote as the resource compiler reads it.
std::map<int, std::string> ReadStringTable(const char* script, const char* header) {
    std::map<std::string, int> ids;
    std::ifstream h(header);
    for (std::string line; std::getline(h, line);) {
        std::istringstream in(line);
        std::string define, name;
        int id;
        if (in >> define >> name >> id && define == "#define") ids[name] = id;
    }
    std::map<int, std::string> table;
    std::ifstream rc(script);
    bool inTable = false;
    for (std::string line; std::getline(rc, line);) {
        if (line.rfind("STRINGTABLE", 0) == 0) inTable = true;
        if (!inTable) continue;
        if (line.rfind("END", 0) == 0) break;
        std::istringstream in(line);
        std::string name;
        in >> name;
        const auto open = line.find('"');
        if (open == std::string::npos || !ids.count(name)) continue;
        std::string text;
        for (size_t i = open + 1; i < line.size(); ++i) {
            if (line[i] != '"') {
                text += line[i];
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                text += '"';
                ++i;
            } else {
                break;
            }
        }
        table[ids[name]] = text;
    }
    if (table.empty()) throw std::runtime_error(std::string("no string table in ") + script);
    return table;
}

int DaysInMonth(int y, int m) {
    static const int d[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : d[m - 1];
}
}  // namespace

FakePlatform::FakePlatform() {
    now = {2026, 12, 8, 10, 15, 30, 0, 2};
    version.productName = "Zilvane";
    version.companyName = "Velorin";
    version.major = 2;
    version.minor = 1;
    version.revision = 4;
    strings = ReadStringTable(ZILVANE_RESOURCES "/Zilvane.rc", ZILVANE_RESOURCES "/resource.h");
    existingFiles = {"C:\\Program Files\\Zilvane\\Alarm.wav"};
}

std::string FakePlatform::Setting(const std::string& key) const {
    auto it = store.find(kApp + key);
    return it == store.end() ? std::string() : it->second;
}

bool FakePlatform::HasSetting(const std::string& key) const { return store.count(kApp + key) > 0; }

void FakePlatform::SetSetting(const std::string& key, const std::string& value) {
    store[kApp + key] = value;
}

void FakePlatform::Advance(int seconds) {
    now.second += seconds;
    while (now.second >= 60) now.second -= 60, ++now.minute;
    while (now.minute >= 60) now.minute -= 60, ++now.hour;
    while (now.hour >= 24) {
        now.hour -= 24;
        now.dayOfWeek = (now.dayOfWeek + 1) % 7;
        if (++now.day > DaysInMonth(now.year, now.month)) {
            now.day = 1;
            if (++now.month > 12) now.month = 1, ++now.year;
        }
    }
}

std::string FakePlatform::FormatDate(const platform::DateTime& when, const std::string& picture) {
    char buf[64];
    if (picture == "dddd") return kDays[when.dayOfWeek % 7];
    std::snprintf(buf, sizeof buf, "%02d %s %04d", when.day, kMonths[(when.month + 11) % 12],
                  when.year);
    return buf;
}

bool FakePlatform::ReadSetting(const std::string& app, const std::string& section,
                               const std::string& key, std::string& value) {
    auto it = store.find(app + "|" + section + "|" + key);
    if (it == store.end()) return false;
    value = it->second;
    return true;
}

void FakePlatform::WriteSetting(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& value) {
    store[app + "|" + section + "|" + key] = value;
    writes.push_back(key);
}

long FakePlatform::CreateKey(platform::RegistryRoot root, const std::string& path, platform::Handle& key) {
    calls.push_back("RegCreateKeyEx");
    key = nextKey_++;
    keyPaths_[key] = RootName(root) + "\\" + path;
    registry[keyPaths_[key]];
    openKeys.push_back(key);
    return 0;
}

long FakePlatform::SetValue(platform::Handle key, const std::string& name, std::uint32_t type,
                            const std::vector<std::uint8_t>& data) {
    calls.push_back("RegSetValueEx");
    auto it = keyPaths_.find(key);
    if (it == keyPaths_.end()) return 6;  // ERROR_INVALID_HANDLE
    registry[it->second][name] = {type, data};
    return 0;
}

long FakePlatform::OpenKey(platform::RegistryRoot root, const std::string& path, platform::Handle& key) {
    calls.push_back("RegOpenKey");
    std::string full = RootName(root) + "\\" + path;
    if (!registry.count(full)) return 2;  // ERROR_FILE_NOT_FOUND
    key = nextKey_++;
    keyPaths_[key] = full;
    openKeys.push_back(key);
    return 0;
}

long FakePlatform::DeleteValue(platform::Handle key, const std::string& name) {
    calls.push_back("RegDeleteValue");
    auto it = keyPaths_.find(key);
    if (it == keyPaths_.end()) return 6;
    return registry[it->second].erase(name) ? 0 : 2;
}

long FakePlatform::CloseKey(platform::Handle key) {
    calls.push_back("RegCloseKey");
    openKeys.erase(std::remove(openKeys.begin(), openKeys.end(), key), openKeys.end());
    return keyPaths_.erase(key) ? 0 : 6;
}

platform::Handle FakePlatform::CurrentProcess() {
    calls.push_back("GetCurrentProcess");
    if (failCurrentProcess) lastError_ = failCurrentProcess;
    return static_cast<platform::Handle>(-1);
}

bool FakePlatform::OpenToken(platform::Handle, std::uint32_t access, platform::Handle& token) {
    calls.push_back("OpenProcessToken:" + std::to_string(access));
    if (failOpenToken) {
        lastError_ = failOpenToken;
        return false;
    }
    token = 0x44;
    return true;
}

bool FakePlatform::LookupPrivilege(const std::string& system, const std::string& name,
                                   std::uint64_t& luid) {
    calls.push_back("LookupPrivilegeValue:" + system + ":" + name);
    if (failLookup) {
        lastError_ = failLookup;
        return false;
    }
    luid = 19;
    return true;
}

bool FakePlatform::AdjustPrivileges(platform::Handle, bool disableAll, std::uint64_t luid,
                                    std::uint32_t attributes) {
    calls.push_back("AdjustTokenPrivileges:" + std::to_string(disableAll) + ":" +
                    std::to_string(luid) + ":" + std::to_string(attributes));
    lastError_ = failAdjust;
    return failAdjust == 0;
}

bool FakePlatform::RequestShutdown(unsigned flags, std::uint32_t reason) {
    calls.push_back("ExitWindowsEx");
    shutdowns.emplace_back(flags, reason);
    return true;
}

bool FakePlatform::Play(const std::string& path, unsigned flags) {
    played.emplace_back(path, flags);
    return true;
}

bool FakePlatform::PathExists(const std::string& path, bool) {
    return std::find(existingFiles.begin(), existingFiles.end(), path) != existingFiles.end();
}

int FakePlatform::ShowMessageBox(platform::Handle, const std::string& text,
                                 const std::string& caption, unsigned flags) {
    calls.push_back("MessageBox");
    MessageBoxCall call{text, caption, flags};
    messageBoxes.push_back(call);
    if (onMessageBox) onMessageBox(call);
    if (messageBoxAnswers.empty()) return platform::kIdNo;
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

void FakePlatform::ShellOpen(platform::Handle owner, const std::string& operation,
                             const std::string& file, const std::string& parameters,
                             const std::string& directory, int show) {
    shellOpens.push_back(operation + "|" + file + "|" + parameters + "|" + directory + "|" +
                         std::to_string(show));
    shellOwners.push_back(owner);
}

bool FakePlatform::OpenFileDialog(platform::OpenFileRecord& record) {
    calls.push_back("GetOpenFileNameA");
    openFileRecords.push_back(record);
    if (openFileAnswers.empty() || !openFileAnswers.front()) {
        if (!openFileAnswers.empty()) openFileAnswers.pop_front();
        return false;
    }
    const std::string chosen = *openFileAnswers.front();
    openFileAnswers.pop_front();
    // The dialog writes the path into the buffer, NUL-ended, within its size.
    std::string buffer = chosen.substr(0, record.maxFile);
    buffer.resize(record.file.size(), '\0');
    record.file = buffer;
    return true;
}

std::string FakePlatform::StringResource(int id) {
    auto it = strings.find(id);
    return it == strings.end() ? std::string() : it->second;
}

void FakePlatform::InitCommonControls(std::uint32_t size, std::uint32_t classes) {
    calls.push_back("InitCommonControlsEx:" + std::to_string(size) + ":" + std::to_string(classes));
}

platform::Handle FakePlatform::FindWindowByCaption(const std::string& caption) {
    calls.push_back("FindWindow:" + caption);
    return windowWithCaption;
}

void FakePlatform::ShowWindowCommand(platform::Handle window, int command) {
    calls.push_back("ShowWindow:" + std::to_string(window) + ":" + std::to_string(command));
}

void FakePlatform::BringToForeground(platform::Handle window) {
    calls.push_back("Foreground:" + std::to_string(window));
}

bool FakePlatform::ClaimInstance(const std::string& name) {
    calls.push_back("ClaimInstance:" + name);
    return instanceFree;
}

}  // namespace fake
