#include "tests/host/ClockFixture.h"

namespace {

struct Tick : ClockTest {
    int modals = 0;
    Tick() {
        host.onModal = [this](ui::Form& f) {
            ++modals;
            if (auto* alarm = dynamic_cast<AlarmFormu*>(&f)) alarm->AlarmıDurdurButonu_Click();
        };
    }
    void Arm(const char* at) { platform.SetSetting("Alarm Zamani", at); }
};

TEST_F(Tick, AlarmStartsOnlyAtSecondZeroOfAnArmedMinute) {
    Arm("07:30");
    SetTime(7, 29, 58);
    Load();
    TickAt(7, 29, 59);
    EXPECT_EQ(modals, 0);
    TickAt(7, 30, 0);
    EXPECT_EQ(modals, 1);
    TickAt(7, 30, 1);
    TickAt(7, 31, 0);
    EXPECT_EQ(modals, 1);
}

// Second 00 missed (a busy machine, a late tick, a sleep): the first tick
// of the minute rings, as late as second 59, and only that one; the chime of
// the hour it starts stays silent. The same minute of the next day rings
// again.
TEST_F(Tick, AMissedSecondZeroRingsAtTheFirstTickOfTheMinuteOnly) {
    Arm("10:00");
    SetTime(9, 59, 58);
    Load();
    TickAt(9, 59, 59);
    TickAt(10, 0, 1);
    EXPECT_EQ(modals, 1);
    ASSERT_EQ(platform.played.size(), 2u);  // the alarm, then the stop: no chime
    EXPECT_EQ(platform.played[0].second, 9u);
    TickAt(10, 0, 2);
    TickAt(10, 0, 59);
    EXPECT_EQ(modals, 1);
    platform.Advance(24 * 3600 - 2);  // the next day, 09:59:57
    form->Saat_Timer();
    TickAt(10, 0, 59);
    EXPECT_EQ(modals, 2);
    TickAt(10, 1, 0);
    EXPECT_EQ(modals, 2);
}

// Within its minute the alarm rings once, whatever happens: ticks nested in
// the missing-sound message and in the open window, Stop, the clock set back
// into the minute, Erase and the same time set again.
TEST_F(Tick, TheAlarmMinuteNeverRingsTwice) {
    Arm("07:30");
    platform.SetSetting("Alarm Sesi", "D:\\gone.wav");
    SetTime(7, 29, 59);
    Load();
    platform.onMessageBox = [&](const fake::MessageBoxCall&) { TickAt(7, 30, 2); };
    host.onModal = [&](ui::Form& f) {
        ++modals;
        TickAt(7, 30, 3);
        static_cast<AlarmFormu&>(f).AlarmıDurdurButonu_Click();
        TickAt(7, 30, 4);
    };
    TickAt(7, 30, 1);
    ASSERT_EQ(modals, 1);
    EXPECT_EQ(platform.messageBoxes.size(), 1u);
    TickAt(7, 30, 5);
    TickAt(7, 29, 50);  // set back
    TickAt(7, 30, 0);
    EXPECT_EQ(modals, 1);

    platform.onMessageBox = nullptr;
    platform.messageBoxAnswers = {1, platform::kIdYes};  // OK to the missing sound, Yes to Erase
    host.onModal = [&](ui::Form& f) {
        ++modals;
        static_cast<AlarmFormu&>(f).AlarmıSilButonu_Click();
    };
    form->AlarmEtiketi.SetText("07:31");
    TickAt(7, 31, 0);
    ASSERT_EQ(modals, 2);
    ASSERT_EQ(form->AlarmEtiketi.ForeColor(), ui::Rgb(128, 128, 128));
    form->AlarmEtiketi.SetText("07:31");  // set again as Set Alarm does
    form->AlarmEtiketi.SetForeColor(ui::Rgb(192, 192, 0));
    TickAt(7, 31, 1);
    TickAt(7, 30, 59);
    TickAt(7, 31, 2);
    EXPECT_EQ(modals, 2);
}

// "Kapat": the shutdown comes at the first tick of the minute too, once; a
// clock started again within that minute does not shut down again.
TEST_F(Tick, AShutdownAlarmTakesTheFirstTickOfItsMinuteAndNotARestartWithinIt) {
    Arm("07:30");
    platform.SetSetting("Kapat", "1");
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 3);
    EXPECT_EQ(platform.shutdowns.size(), 1u);
    SetTime(7, 30, 40);
    Load();
    TickAt(7, 30, 41);
    TickAt(7, 30, 42);
    EXPECT_EQ(platform.shutdowns.size(), 1u);
    EXPECT_EQ(modals, 0);
}

TEST_F(Tick, GreyAlarmLabelDoesNotRing) {
    SetTime(7, 29, 58);
    Load();
    form->AlarmEtiketi.SetText("07:30");  // text without the armed colour
    TickAt(7, 30, 0);
    EXPECT_EQ(modals, 0);
    EXPECT_TRUE(platform.played.empty());
}

TEST_F(Tick, RingingRepeatsTheSoundBelowTheClockAndStopsItAfterwards) {
    Arm("07:30");
    platform.SetSetting("Alarm Sesi", "D:\\wake.wav");
    platform.existingFiles.push_back("D:\\wake.wav");
    SetTime(7, 29, 59);
    Load();
    AlarmFormu* seen = nullptr;
    host.onModal = [&](ui::Form& f) {
        seen = dynamic_cast<AlarmFormu*>(&f);
        ASSERT_TRUE(seen);
        EXPECT_EQ(form->AlarmFormuAçKapa[0]->Interval(), 500);
        EXPECT_EQ(seen->Width(), form->Width());
        EXPECT_EQ(seen->Left(), form->Left());
        EXPECT_EQ(seen->Top(), form->Top() + form->Height());
        ASSERT_EQ(platform.played.size(), 1u);
        EXPECT_EQ(platform.played[0], std::make_pair(std::string("D:\\wake.wav"), 9u));
        seen->AlarmıDurdurButonu_Click();
    };
    TickAt(7, 30, 0);
    ASSERT_TRUE(seen);
    EXPECT_EQ(platform.played.back(), std::make_pair(std::string(), 0u));
    EXPECT_EQ(host.events[std::find(host.events.begin(), host.events.end(),
                                    "ShowModal AlarmFormu owner AnaForm") -
                          host.events.begin() - 1],
              "Load AlarmFormu");
}

TEST_F(Tick, AlarmInTheSmallFaceSwitchesToTheLargeFaceFirst) {
    Arm("07:30");
    platform.SetSetting("Olcu", "-1");
    SetTime(7, 29, 59);
    Load();
    ASSERT_TRUE(form->KüçükYüz());
    host.onModal = [&](ui::Form& f) {
        EXPECT_FALSE(form->KüçükYüz());
        EXPECT_EQ(f.Top(), form->Top() + 770);
        static_cast<AlarmFormu&>(f).AlarmıDurdurButonu_Click();
    };
    TickAt(7, 30, 0);
    EXPECT_EQ(form->Height(), 770);
}

TEST_F(Tick, ClockNearTheBottomMovesUpSoTheAlarmWindowFits) {
    Arm("07:30");
    platform.SetSetting("Ust", "10000");
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 0);
    const int alarmHeight = 1395 + host.frameHeight;
    EXPECT_EQ(form->Top(), 11520 - (alarmHeight + 770 + 500));

    platform.SetSetting("Ust", "1000");  // room enough: stays
    Load();
    TickAt(7, 30, 0);
    EXPECT_EQ(form->Top(), 1000);
}

TEST_F(Tick, TheAlarmWindowFitsBelowTheClockOnTheClocksMonitor) {
    // A 1280 x 1024 monitor right of the primary, a 1024 x 768 one above it.
    auto at = [](int l, int t, int r, int b) {
        platform::Rect px{l, t, r, b};
        return platform::Monitor{px, px, 96};
    };
    platform.monitors = {at(0, 0, 1024, 768), at(1024, 0, 2304, 1024), at(0, -768, 1024, 0)};
    const int below = 1395 + host.frameHeight + 770 + 500;
    Arm("07:30");
    platform.SetSetting("Sol", "20000");
    platform.SetSetting("Ust", "10000");  // below the primary's bottom, not this one's
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 0);
    EXPECT_EQ(form->Top(), 10000);

    platform.SetSetting("Sol", "1000");
    platform.SetSetting("Ust", "-2000");  // too low on the monitor above
    Load();
    TickAt(7, 30, 0);
    EXPECT_EQ(form->Top(), -below);
}

TEST_F(Tick, MissingAlarmSoundIsReportedAndTheWindowStillOpens) {
    Arm("07:30");
    platform.SetSetting("Alarm Sesi", "D:\\gone.wav");
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 0);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Your sound file cannot be found!");
    EXPECT_EQ(platform.messageBoxes[0].flags, 64u);
    EXPECT_EQ(platform.messageBoxes[0].caption, "Zilvane");
    EXPECT_EQ(modals, 1);
}

TEST_F(Tick, ShutdownAlarmPowersOffAndStoresTheWindow) {
    Arm("07:30");
    platform.SetSetting("Kapat", "1");
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 0);
    EXPECT_EQ(modals, 0);
    EXPECT_TRUE(platform.played.empty());
    ASSERT_EQ(platform.shutdowns.size(), 1u);
    EXPECT_EQ(platform.shutdowns[0], std::make_pair(9u, 0xFFFFFFFFu));
    auto& c = platform.calls;
    auto adjust = std::find_if(c.begin(), c.end(),
                               [](auto& s) { return s.rfind("AdjustTokenPrivileges", 0) == 0; });
    EXPECT_LT(adjust, std::find(c.begin(), c.end(), "ExitWindowsEx"));
    EXPECT_EQ(platform.Setting("Sol"), std::to_string(form->Left()));
    EXPECT_EQ(platform.Setting("Olcu"), "0");
    EXPECT_EQ(Count("Unload AnaForm"), 1);
    EXPECT_EQ(host.ended, 1);
}

TEST_F(Tick, OutsideTheNtFamilyNoPrivilegeIsAskedFor) {
    Arm("07:30");
    platform.SetSetting("Kapat", "1");
    platform.versionWord = 0xC0000A04;
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 0);
    EXPECT_EQ(platform.shutdowns.size(), 1u);
    for (auto& call : platform.calls) EXPECT_NE(call.rfind("AdjustTokenPrivileges", 0), 0u);
}

TEST_F(Tick, NestedTickNeverOpensASecondAlarmWindow) {
    Arm("07:30");
    SetTime(7, 29, 59);
    Load();
    host.onModal = [&](ui::Form& f) {
        ++modals;
        platform.Advance(24 * 3600);  // left ringing until the same minute next day
        form->Saat_Timer();
        static_cast<AlarmFormu&>(f).AlarmıDurdurButonu_Click();
    };
    TickAt(7, 30, 0);
    EXPECT_EQ(modals, 1);
}

TEST_F(Tick, HourlyChimePlaysOnceWhenTheHourChanges) {
    SetTime(9, 59, 58);
    Load();
    TickAt(9, 59, 59);
    EXPECT_TRUE(platform.played.empty());
    TickAt(10, 0, 0);
    ASSERT_EQ(platform.played.size(), 1u);
    EXPECT_EQ(platform.played[0],
              std::make_pair(std::string("C:\\Program Files\\Zilvane\\Alarm.wav"), 0x20001u));
    TickAt(10, 0, 1);
    TickAt(10, 59, 59);
    EXPECT_EQ(platform.played.size(), 1u);
    TickAt(23, 0, 0);
    TickAt(0, 0, 0);  // 23 -> 00 changes the units digit too
    EXPECT_EQ(platform.played.size(), 3u);
}

TEST_F(Tick, ChimeIsSilentWhenOffHiddenHeldOrWithoutADevice) {
    SetTime(9, 59, 59);
    Load();
    platform.SetSetting("Uyari", "0");
    TickAt(10, 0, 0);
    platform.SetSetting("Uyari", "1");
    platform.waveDevices = 0;
    TickAt(11, 0, 0);
    platform.waveDevices = 1;
    program.values.chimeHold = true;
    TickAt(12, 0, 0);
    program.values.chimeHold = false;
    form->Hide();
    TickAt(13, 0, 0);
    EXPECT_TRUE(platform.played.empty());
    EXPECT_TRUE(platform.messageBoxes.empty());
    form->Show();
    TickAt(14, 0, 0);
    EXPECT_EQ(platform.played.size(), 1u);
}

TEST_F(Tick, AlarmOfTheHourTakesPrecedenceOverTheChime) {
    Arm("10:00");
    SetTime(9, 59, 59);
    Load();
    TickAt(10, 0, 0);
    EXPECT_EQ(modals, 1);
    ASSERT_EQ(platform.played.size(), 2u);  // the alarm, then the stop
    EXPECT_EQ(platform.played[0].second, 9u);
}

TEST_F(Tick, ChimeDoesNotSilenceARingingAlarm) {
    Arm("09:59");
    SetTime(9, 58, 59);
    Load();
    host.onModal = [&](ui::Form& f) {
        TickAt(10, 0, 0);  // left ringing into the next hour
        static_cast<AlarmFormu&>(f).AlarmıDurdurButonu_Click();
    };
    TickAt(9, 59, 0);
    ASSERT_EQ(platform.played.size(), 2u);
    EXPECT_EQ(platform.played[0].second, 9u);
    EXPECT_EQ(platform.played[1].second, 0u);
}

TEST_F(Tick, MissingChimeFileIsReported) {
    platform.SetSetting("Saat Basi Sesi", "D:\\none.wav");
    SetTime(9, 59, 59);
    Load();
    TickAt(10, 0, 0);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Your sound file cannot be found!");
    EXPECT_TRUE(platform.played.empty());
}

TEST_F(Tick, DateRollsOverAtMidnight) {
    SetTime(23, 59, 59);
    Load();
    EXPECT_EQ(form->TarihEtiketi.Text(), "08 Dec 2026");
    platform.Advance(1);
    form->Saat_Timer();
    EXPECT_EQ(form->TarihEtiketi.Text(), "09 Dec 2026");
    EXPECT_EQ(form->TarihEtiketi.ToolTip(), "Wednesday");
    EXPECT_EQ(Digits(), "000000");
}

// The missing-chime box of 23:00 stays open past midnight, and a tick runs
// inside it: the outer tick still finishes with its own reading's date.
TEST_F(Tick, ATickNestedInTheChimeMessageKeepsItsOwnReading) {
    platform.SetSetting("Saat Basi Sesi", "D:\\none.wav");
    SetTime(22, 59, 59);
    Load();
    int nested = 0;
    platform.onMessageBox = [&](const fake::MessageBoxCall&) {
        if (nested++) return;
        platform.Advance(3602);  // 00:00:01 the next day
        form->Saat_Timer();
    };
    TickAt(23, 0, 0);
    ASSERT_GE(nested, 1);
    EXPECT_EQ(form->TarihEtiketi.Text(), "08 Dec 2026");
    EXPECT_EQ(form->Hane4.Text() + form->Hane5.Text(), "00");
}

}  // namespace
