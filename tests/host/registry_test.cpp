#include <gtest/gtest.h>

#include "clock/AnaForm.h"
#include "startup/GirisModulu.h"
#include "startup/SistemKaydiIslemleriModulu.h"
#include "tests/host/ClockFixture.h"

namespace reg = SistemKaydıİşlemleriModülü;

namespace {

struct Registry : ::testing::Test {
    fake::FakePlatform platform;
    Program program{platform, nullptr, {"C:\\Z\\", "Velorin\\Zilvane", "Zilvane"}};
    std::string Key() { return std::string("HKEY_CURRENT_USER") + "\\" + reg::kRunKey; }
};

TEST_F(Registry, TextIsStoredWithOneTerminatingNul) {
    EXPECT_EQ(reg::DeğerYaz(program, platform::RegistryRoot::CurrentUser, reg::kRunKey, "Zilvane",
                            "C:\\Z\\Zilvane.exe", platform::kRegSz),
              0);
    const auto& v = platform.registry[Key()]["Zilvane"];
    EXPECT_EQ(v.type, platform::kRegSz);
    std::string expected = "C:\\Z\\Zilvane.exe";
    ASSERT_EQ(v.data.size(), expected.size() + 1);
    EXPECT_EQ(std::string(v.data.begin(), v.data.end() - 1), expected);
    EXPECT_EQ(v.data.back(), 0);
    EXPECT_TRUE(platform.openKeys.empty());
}

TEST_F(Registry, DwordIsFourLittleEndianBytesAndOtherTypesWriteNothing) {
    reg::DeğerYaz(program, platform::RegistryRoot::CurrentUser, "K", "n", "258", platform::kRegDword);
    auto& values = platform.registry[std::string("HKEY_CURRENT_USER") + "\\K"];
    EXPECT_EQ(values["n"].type, platform::kRegDword);
    EXPECT_EQ(values["n"].data, (std::vector<std::uint8_t>{2, 1, 0, 0}));
    EXPECT_EQ(reg::DeğerYaz(program, platform::RegistryRoot::CurrentUser, "K", "b", "x", 3), 0);
    EXPECT_FALSE(values.count("b"));
    EXPECT_TRUE(platform.openKeys.empty());
}

TEST_F(Registry, DeleteFromAMissingKeyDoesNothing) {
    reg::DeğerSil(program, platform::RegistryRoot::CurrentUser, "Nowhere", "Zilvane");
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "RegDeleteValue"), 0);
    EXPECT_TRUE(platform.messageBoxes.empty());

    reg::DeğerYaz(program, platform::RegistryRoot::CurrentUser, reg::kRunKey, "Zilvane", "x", 1);
    reg::DeğerSil(program, platform::RegistryRoot::CurrentUser, reg::kRunKey, "Zilvane");
    EXPECT_FALSE(platform.registry[Key()].count("Zilvane"));
    EXPECT_TRUE(platform.openKeys.empty());
}

TEST_F(Registry, StartCommandIsQuotedOnlyWhenThePathHasASpace) {
    EXPECT_EQ(reg::BaşlangıçKomutu("C:\\Apps\\", "Zilvane.exe"), "C:\\Apps\\Zilvane.exe");
    EXPECT_EQ(reg::BaşlangıçKomutu("C:\\Apps", "Zilvane.exe"), "C:\\Apps\\Zilvane.exe");
    EXPECT_EQ(reg::BaşlangıçKomutu("C:\\Program Files\\Zilvane\\", "Zilvane.exe"),
              "\"C:\\Program Files\\Zilvane\\Zilvane.exe\"");
}

TEST_F(Registry, ShutdownPrivilegeIsAskedForAsWindowsExpects) {
    reg::KapatmaYetkisiAl(program);
    auto& c = platform.calls;
    EXPECT_NE(std::find(c.begin(), c.end(), "OpenProcessToken:40"), c.end());
    EXPECT_NE(std::find(c.begin(), c.end(), "LookupPrivilegeValue::SeShutdownPrivilege"), c.end());
    EXPECT_NE(std::find(c.begin(), c.end(), "AdjustTokenPrivileges:0:19:2"), c.end());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(Registry, EachFailingPrivilegeStepTellsItsErrorCode) {
    platform.failAdjust = 1300;  // not all privileges assigned: the user lacks the right
    reg::KapatmaYetkisiAl(program);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text,
              "Error occured while closing your computer! Error Code: 1300");
    EXPECT_EQ(platform.messageBoxes[0].caption, "Zilvane");
    EXPECT_EQ(platform.messageBoxes[0].flags, 0u);

    platform.messageBoxes.clear();
    platform.failOpenToken = 5;
    platform.failLookup = 1313;
    reg::KapatmaYetkisiAl(program);
    ASSERT_EQ(platform.messageBoxes.size(), 3u);
    EXPECT_EQ(platform.messageBoxes[1].text.substr(55), "1313");

    platform.messageBoxes.clear();
    platform.failCurrentProcess = 6;
    reg::KapatmaYetkisiAl(program);
    EXPECT_EQ(platform.messageBoxes.size(), 1u);  // no process: stops after one message
}

using EraseAlarm = ClockTest;

TEST_F(EraseAlarm, ClearsTheClockAndTheStoreButNotTheSound) {
    platform.SetSetting("Alarm Zamani", "07:30");
    platform.SetSetting("Kapat", "1");
    platform.SetSetting("Alarm Sesi", "D:\\bell.wav");
    Load();
    platform.writes.clear();
    GirişModülü::AlarmıSil(program, *form);
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kNotArmed);
    EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00");
    EXPECT_EQ(form->AlarmAltı.GetPicture(), form->Alarmlar.GraphicCell(3));
    EXPECT_EQ(platform.writes, (std::vector<std::string>{"Kapat", "Alarm Zamani"}));
    EXPECT_EQ(platform.Setting("Kapat"), "0");
    EXPECT_TRUE(platform.HasSetting("Alarm Zamani"));
    EXPECT_EQ(platform.Setting("Alarm Zamani"), "");
    EXPECT_EQ(platform.Setting("Alarm Sesi"), "D:\\bell.wav");
}

}  // namespace
