// The start-with-Windows entry as the registry module writes and deletes it
// through the Win32 platform, read back with the plain API. A test key stands
// in for the real Run key.
#include "platform/win32/Win32Platform.h"
#include "startup/Program.h"
#include "startup/SistemKaydiIslemleriModulu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win32/RegistryRead.h"

#include <string>
#include <vector>

namespace {

namespace reg = SistemKaydıİşlemleriModülü;

const char kParentKey[] = "Software\\ZilvaneTest";
const char kTestRunKey[] = "Software\\ZilvaneTest\\Run";
const char kMissingKey[] = "Software\\ZilvaneTest\\Missing";

using regtest::ReadRaw;
using regtest::Stored;

bool KeyExists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::vector<BYTE> WithNul(const std::string& text) {
    std::vector<BYTE> b(text.begin(), text.end());
    b.push_back(0);
    return b;
}

void RemoveTestKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestRunKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kMissingKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kParentKey);
}

class RunEntry : public ::testing::Test {
protected:
    void SetUp() override { RemoveTestKeys(); }
    void TearDown() override { RemoveTestKeys(); }

    long Write(const std::string& folder) {
        return reg::DeğerYaz(program, platform::RegistryRoot::CurrentUser, kTestRunKey, "Zilvane",
                             reg::BaşlangıçKomutu(folder, "Zilvane.exe"), platform::kRegSz);
    }

    platform::Win32Platform p;
    Program program{p, nullptr, {}};
};

TEST_F(RunEntry, WrittenAsTextWithOneNulAndQuotedOnlyWithASpace) {
    ASSERT_FALSE(KeyExists(kTestRunKey));

    // A folder without a space: the bare path, in a key created on the way.
    ASSERT_EQ(0, Write("C:\\Apps\\"));
    Stored plain = ReadRaw(kTestRunKey, "Zilvane");
    ASSERT_EQ(ERROR_SUCCESS, plain.rc);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), plain.type);
    EXPECT_EQ(WithNul("C:\\Apps\\Zilvane.exe"), plain.bytes);

    // A folder with a space, reported without its trailing backslash:
    // quoted, one backslash before the file name, and the old entry replaced.
    ASSERT_EQ(0, Write("C:\\Program Files\\Zilvane"));
    Stored quoted = ReadRaw(kTestRunKey, "Zilvane");
    ASSERT_EQ(ERROR_SUCCESS, quoted.rc);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), quoted.type);
    EXPECT_EQ(WithNul("\"C:\\Program Files\\Zilvane\\Zilvane.exe\""), quoted.bytes);
}

TEST_F(RunEntry, DeleteRemovesTheValueAndLeavesTheKey) {
    ASSERT_EQ(0, Write("C:\\Apps"));
    ASSERT_EQ(0, reg::DeğerYaz(program, platform::RegistryRoot::CurrentUser, kTestRunKey, "Other",
                               "C:\\Other.exe", platform::kRegSz));

    reg::DeğerSil(program, platform::RegistryRoot::CurrentUser, kTestRunKey, "Zilvane");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw(kTestRunKey, "Zilvane").rc);
    EXPECT_EQ(WithNul("C:\\Other.exe"), ReadRaw(kTestRunKey, "Other").bytes);

    // Once more, with the value already gone: nothing changes.
    reg::DeğerSil(program, platform::RegistryRoot::CurrentUser, kTestRunKey, "Zilvane");
    EXPECT_TRUE(KeyExists(kTestRunKey));
    EXPECT_EQ(ERROR_SUCCESS, ReadRaw(kTestRunKey, "Other").rc);
}

TEST_F(RunEntry, DeleteFromAMissingKeyDoesNothing) {
    reg::DeğerSil(program, platform::RegistryRoot::CurrentUser, kMissingKey, "Zilvane");
    EXPECT_FALSE(KeyExists(kMissingKey));

    // The program goes on working with the registry afterwards.
    ASSERT_EQ(0, Write("C:\\Apps"));
    EXPECT_EQ(WithNul("C:\\Apps\\Zilvane.exe"), ReadRaw(kTestRunKey, "Zilvane").bytes);
}

}  // namespace
