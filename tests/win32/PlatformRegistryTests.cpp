// Settings store, raw registry operations and the shutdown privilege against
// the real registry and token. Every check reads back with the plain API.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win32/RegistryRead.h"

#include <string>
#include <vector>

namespace {

using platform::Handle;

const char kApp[] = "VelorinTest\\ZilvaneTest";
const char kAppKey[] = "Software\\VB and VBA Program Settings\\VelorinTest";
const char kSectionKey[] =
    "Software\\VB and VBA Program Settings\\VelorinTest\\ZilvaneTest\\Ayarlar";
const char kRawKey[] = "Software\\ZilvaneWin32Test";

using regtest::ReadRaw;
using regtest::Stored;

std::vector<BYTE> Bytes(const std::string& text, bool withNul) {
    std::vector<BYTE> b(text.begin(), text.end());
    if (withNul) b.push_back(0);
    return b;
}

void WriteRaw(const char* path, const char* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, data.data(),
                                            static_cast<DWORD>(data.size())));
    RegCloseKey(key);
}

void RemoveTestKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSectionKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kAppKey) + "\\ZilvaneTest").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kAppKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kRawKey);
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override { RemoveTestKeys(); }
    void TearDown() override { RemoveTestKeys(); }
    platform::Win32Platform p;
};

TEST_F(Registry, SettingIsStoredAsTextUnderTheNestedApplicationKey) {
    p.WriteSetting(kApp, "Ayarlar", "Alarm Zamani", "07:30");

    Stored s = ReadRaw(kSectionKey, "Alarm Zamani");
    ASSERT_EQ(ERROR_SUCCESS, s.rc);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), s.type);
    EXPECT_EQ(Bytes("07:30", true), s.bytes);

    std::string value;
    ASSERT_TRUE(p.ReadSetting(kApp, "Ayarlar", "Alarm Zamani", value));
    EXPECT_EQ("07:30", value);

    // Erasing the alarm leaves the key present with an empty text.
    p.WriteSetting(kApp, "Ayarlar", "Alarm Zamani", "");
    EXPECT_EQ(Bytes("", true), ReadRaw(kSectionKey, "Alarm Zamani").bytes);
    value = "stale";
    ASSERT_TRUE(p.ReadSetting(kApp, "Ayarlar", "Alarm Zamani", value));
    EXPECT_EQ("", value);
}

TEST_F(Registry, AbsentSectionOrKeyReadsAsAbsent) {
    std::string value = "untouched";
    EXPECT_FALSE(p.ReadSetting(kApp, "Ayarlar", "Renk", value));
    p.WriteSetting(kApp, "Ayarlar", "Renk", "2");
    EXPECT_FALSE(p.ReadSetting(kApp, "Ayarlar", "Sol", value));
    EXPECT_FALSE(p.ReadSetting(kApp, "Baska", "Renk", value));
    EXPECT_EQ("untouched", value);
}

TEST_F(Registry, ForeignValuesReadSafely) {
    WriteRaw(kSectionKey, "Renk", REG_DWORD, {2, 0, 0, 0});
    WriteRaw(kSectionKey, "Sol", REG_BINARY, {0xde, 0xad, 0xbe, 0xef, 0x01});
    WriteRaw(kSectionKey, "Ust", REG_SZ, Bytes("250", false));  // no terminating NUL
    const std::string longText(20000, 'x');
    WriteRaw(kSectionKey, "Alarm Sesi", REG_SZ, Bytes(longText, true));

    std::string value = "untouched";
    EXPECT_FALSE(p.ReadSetting(kApp, "Ayarlar", "Renk", value));
    EXPECT_FALSE(p.ReadSetting(kApp, "Ayarlar", "Sol", value));
    EXPECT_EQ("untouched", value);
    ASSERT_TRUE(p.ReadSetting(kApp, "Ayarlar", "Ust", value));
    EXPECT_EQ("250", value);
    ASSERT_TRUE(p.ReadSetting(kApp, "Ayarlar", "Alarm Sesi", value));
    EXPECT_EQ(longText, value);
}

TEST_F(Registry, RawOperationsStoreExactBytesAndDelete) {
    Handle key = 0;
    ASSERT_EQ(0, p.CreateKey(platform::RegistryRoot::CurrentUser, kRawKey, key));
    ASSERT_NE(0u, key);
    const std::string entry = "C:\\Program Files\\Zilvane\\Zilvane.exe";
    EXPECT_EQ(0, p.SetValue(key, "Zilvane", platform::kRegSz, Bytes(entry, true)));
    EXPECT_EQ(0, p.SetValue(key, "Sayi", platform::kRegDword, {0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(0, p.CloseKey(key));

    Stored text = ReadRaw(kRawKey, "Zilvane");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), text.type);
    EXPECT_EQ(entry.size() + 1, text.bytes.size());
    EXPECT_EQ(Bytes(entry, true), text.bytes);
    Stored number = ReadRaw(kRawKey, "Sayi");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), number.type);
    ASSERT_EQ(4u, number.bytes.size());
    DWORD n;
    memcpy(&n, number.bytes.data(), 4);
    EXPECT_EQ(0x12345678u, n);

    ASSERT_EQ(0, p.OpenKey(platform::RegistryRoot::CurrentUser, kRawKey, key));
    EXPECT_EQ(0, p.DeleteValue(key, "Zilvane"));
    EXPECT_NE(0, p.DeleteValue(key, "Zilvane"));
    p.CloseKey(key);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw(kRawKey, "Zilvane").rc);
    EXPECT_EQ(ERROR_SUCCESS, ReadRaw(kRawKey, "Sayi").rc);

    EXPECT_NE(0, p.OpenKey(platform::RegistryRoot::CurrentUser, "Software\\ZilvaneWin32Test\\Yok", key));
    // A value write on the handle of a failed creation reports an error.
    EXPECT_NE(0, p.SetValue(0, "Zilvane", platform::kRegSz, Bytes(entry, true)));
}

TEST(Privilege, ShutdownPrivilegeIsEnabledInTheProcessToken) {
    platform::Win32Platform p;
    std::uint64_t luid = 0;
    ASSERT_TRUE(p.LookupPrivilege("", "SeShutdownPrivilege", luid));
    LUID expected;
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &expected));
    EXPECT_EQ(expected.LowPart, static_cast<DWORD>(luid));
    EXPECT_EQ(expected.HighPart, static_cast<LONG>(luid >> 32));

    Handle token = 0;
    ASSERT_TRUE(p.OpenToken(p.CurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token));

    // What the token itself says about the privilege.
    auto enabledInToken = [&] {
        std::vector<BYTE> buffer(4096);
        DWORD size = 0;
        EXPECT_TRUE(GetTokenInformation(reinterpret_cast<HANDLE>(token), TokenPrivileges,
                                        buffer.data(), static_cast<DWORD>(buffer.size()), &size));
        auto* privileges = reinterpret_cast<TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == expected.LowPart && entry.Luid.HighPart == expected.HighPart)
                return (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
        return false;
    };

    ASSERT_TRUE(p.AdjustPrivileges(token, false, luid, 0));
    ASSERT_FALSE(enabledInToken());
    p.SetLastErrorCode(0);
    EXPECT_TRUE(p.AdjustPrivileges(token, false, luid, SE_PRIVILEGE_ENABLED));
    EXPECT_EQ(0u, p.LastErrorCode());
    EXPECT_TRUE(enabledInToken());
    p.CloseHandleOf(token);
}

}  // namespace
