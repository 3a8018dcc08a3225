// The program's own file (folder, strings, version), file existence, dates,
// the single-instance services and windows, against the real API.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using platform::Handle;

TEST(ModuleFolder, DropsTheFileNameButKeepsADriveRoot) {
    EXPECT_EQ("C:\\", platform::FolderOf("C:\\Zilvane.exe"));
    EXPECT_EQ("C:\\Dir", platform::FolderOf("C:\\Dir\\Zilvane.exe"));
    EXPECT_EQ("C:\\Program Files\\Zilvane", platform::FolderOf("C:\\Program Files\\Zilvane\\x.exe"));
    EXPECT_EQ("\\\\server\\share", platform::FolderOf("\\\\server\\share\\Zilvane.exe"));
}

TEST(ModuleFolder, IsTheFolderOfTheRunningProgram) {
    platform::Win32Platform p;
    std::string folder = p.ModuleFolder();
    ASSERT_GT(folder.size(), 3u);
    EXPECT_NE('\\', folder.back());
    DWORD attributes = GetFileAttributesA((folder + "\\win32_tests.exe").c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << folder;
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ProgramResources, StringTableAndVersionOfTheProgramFile) {
    platform::Win32Platform p;
    EXPECT_EQ("Zilvane.exe", p.StringResource(40));
    EXPECT_EQ("Zilvane", p.StringResource(101));
    EXPECT_EQ("Error occured while closing your computer! Error Code: ", p.StringResource(112));
    EXPECT_EQ("Your sound file cannot be found!", p.StringResource(150));
    EXPECT_EQ("", p.StringResource(9999));

    platform::VersionInfo v = p.Version();
    EXPECT_EQ(2, v.major);
    EXPECT_EQ(1, v.minor);
    EXPECT_EQ(0, v.build);
    EXPECT_EQ(4, v.revision);
    EXPECT_EQ("Zilvane", v.productName);
    EXPECT_EQ("Velorin", v.companyName);
    EXPECT_FALSE(v.copyright.empty());
}

TEST(PathExists, FindsAFileNamedInTheAnsiCodePage) {
    platform::Win32Platform p;
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    // 0x80 is where the ANSI code page and Latin-1 part ways.
    const std::string file = std::string(temp) + "Zilvane\x80Test.wav";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);

    // The export reads its argument as UTF-16 exactly on NT-family systems,
    // so callers pick the width by the NT test.
    const bool nt = (p.VersionWord() & 0x80000000u) == 0;
    EXPECT_TRUE(p.PathExists(file, nt));
    const std::string missing = std::string(temp) + "ZilvaneMissing.wav";
    EXPECT_FALSE(p.PathExists(missing, true));
    EXPECT_FALSE(p.PathExists(missing, false));

    DeleteFileA(file.c_str());
    EXPECT_FALSE(p.PathExists(file, nt));
}

TEST(Dates, NowAndFormattingFollowTheSystemClock) {
    platform::Win32Platform p;
    platform::DateTime when;
    when.year = 2024;
    when.month = 3;
    when.day = 5;
    when.dayOfWeek = 0;  // wrong on purpose: the weekday comes from the date
    EXPECT_EQ("2024-03-05 5/3/24", p.FormatDate(when, "yyyy-MM-dd d/M/yy"));
    platform::DateTime tuesday = when;
    tuesday.dayOfWeek = 2;
    EXPECT_EQ(p.FormatDate(tuesday, "dddd"), p.FormatDate(when, "dddd"));

    // Asked again for another day, the same picture gives that day's text.
    platform::DateTime next = when;
    next.day = 6;
    EXPECT_EQ("2024-03-06 6/3/24", p.FormatDate(next, "yyyy-MM-dd d/M/yy"));
    EXPECT_EQ("2024-03-05 5/3/24", p.FormatDate(when, "yyyy-MM-dd d/M/yy"));
    EXPECT_NE(p.FormatDate(next, "dddd"), p.FormatDate(when, "dddd"));

    char today[64];
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, nullptr, "yyyy-MM-dd", today, sizeof today), 0);
    EXPECT_EQ(today, p.FormatDate(p.Now(), "yyyy-MM-dd"));
}

TEST(SingleInstance, SecondClaimOfANameFails) {
    platform::Win32Platform first, second;
    const std::string name = "ZilvaneTest." + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(first.ClaimInstance(name));
    EXPECT_FALSE(second.ClaimInstance(name));
    EXPECT_FALSE(first.ClaimInstance(name));
    EXPECT_TRUE(first.ClaimInstance(name + ".other"));
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST(SingleInstance, BringsTheLastActivePopupOfAHiddenOwnerToTheFront) {
    platform::Win32Platform p;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZilvaneTestWindow";
    RegisterClassA(&wc);
    const std::string caption = "ZilvaneTestOwner." + std::to_string(GetCurrentProcessId());
    auto make = [&](const char* text, DWORD style, HWND owner) {
        return CreateWindowExA(0, wc.lpszClassName, text, style, 10, 10, 200, 100, owner,
                               nullptr, wc.hInstance, nullptr);
    };
    HWND owner = make(caption.c_str(), WS_OVERLAPPEDWINDOW, nullptr);  // stays hidden
    if (!owner) GTEST_SKIP() << "no windows without a display (run under Xvfb)";
    HWND clock = make("clock", WS_POPUP | WS_VISIBLE, owner);
    HWND other = make("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
    ASSERT_TRUE(owner && clock && other);
    SetForegroundWindow(clock);
    Pump();
    SetForegroundWindow(other);
    Pump();
    ASSERT_EQ(other, GetForegroundWindow());

    Handle found = p.FindWindowByCaption(caption);
    ASSERT_EQ(reinterpret_cast<Handle>(owner), found);
    p.BringToForeground(found);
    Pump();
    EXPECT_EQ(clock, GetForegroundWindow());
    EXPECT_EQ(clock, GetActiveWindow());

    DestroyWindow(other);
    DestroyWindow(owner);  // takes the owned clock window with it
    Pump();
    EXPECT_EQ(0u, p.FindWindowByCaption(caption));
    p.BringToForeground(found);  // stale handle: nothing happens
}

}  // namespace
