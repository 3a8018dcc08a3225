#include "tests/host/ClockFixture.h"

namespace {

// The clock rings at 07:30; each test acts while the alarm window is open.
struct Alarm : ClockTest {
    std::function<void(AlarmFormu&)> whileOpen;
    AlarmFormu* window = nullptr;

    Alarm() {
        platform.SetSetting("Alarm Zamani", "07:30");
        platform.SetSetting("Renk", "1");
        host.onModal = [this](ui::Form& f) {
            window = dynamic_cast<AlarmFormu*>(&f);
            ASSERT_TRUE(window);
            if (whileOpen) whileOpen(*window);
        };
    }
    void Ring() {
        SetTime(7, 29, 59);
        Load();
        TickAt(7, 30, 0);
    }
    void Blink(int i) { form->AlarmFormuAçKapa_Timer(i); }
    ui::Picture Symbol(int cell) { return ui::Picture{ui::Strip::Alarmlar, cell}; }
};

TEST_F(Alarm, WindowShowsItsTextsWithStopAsDefault) {
    whileOpen = [&](AlarmFormu& w) {
        EXPECT_EQ(w.Caption(), "Alarm Time!");
        EXPECT_EQ(w.MesajEtiketi.Text(), "Selected \"Alarm Time\" has arrived!");
        EXPECT_EQ(w.AlarmıDurdurButonu.Caption(), "&Stop");
        EXPECT_EQ(w.AlarmıSilButonu.Caption(), "&Erase Alarm");
        EXPECT_TRUE(w.AlarmıDurdurButonu.Default);
        EXPECT_LT(w.AlarmıDurdurButonu.TabIndex, w.AlarmıSilButonu.TabIndex);
        w.AlarmıDurdurButonu.PerformClick();
    };
    Ring();
}

TEST_F(Alarm, BlinkAlternatesTheLookAndTheTitle) {
    whileOpen = [&](AlarmFormu& w) {
        Blink(0);
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kNotArmed);
        EXPECT_EQ(form->AlarmAltı.GetPicture(), Symbol(3));
        EXPECT_EQ(w.Caption(), "Alarm Time!");
        EXPECT_EQ(form->AlarmFormuAçKapa[0]->Interval(), 0);
        EXPECT_EQ(form->AlarmFormuAçKapa[1]->Interval(), 500);
        Blink(1);
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kArmed);
        EXPECT_EQ(form->AlarmAltı.GetPicture(), Symbol(1));
        EXPECT_EQ(w.Caption(), "07:30");
        EXPECT_EQ(form->AlarmFormuAçKapa[0]->Interval(), 500);
        EXPECT_EQ(form->AlarmFormuAçKapa[1]->Interval(), 0);
        EXPECT_EQ(form->AlarmEtiketi.Text(), "07:30");
        Blink(0);
        w.AlarmıDurdurButonu_Click();  // during a grey turn
    };
    Ring();
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kArmed);
    EXPECT_EQ(form->AlarmAltı.GetPicture(), Symbol(1));
    EXPECT_EQ(platform.Setting("Alarm Zamani"), "07:30");
    EXPECT_EQ(platform.played.back(), std::make_pair(std::string(), 0u));

    // The element left running keeps firing without effect.
    Blink(1);
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kArmed);
    EXPECT_EQ(form->AlarmFormuAçKapa[1]->Interval(), 500);
}

TEST_F(Alarm, StopKeepsTheAlarmForTomorrow) {
    whileOpen = [&](AlarmFormu& w) { w.AlarmıDurdurButonu_Click(); };
    Ring();
    EXPECT_EQ(Count("Unload AlarmFormu"), 1);
    int before = Count("ShowModal AlarmFormu owner AnaForm");
    platform.Advance(24 * 3600 - 1);
    form->Saat_Timer();
    platform.Advance(1);
    form->Saat_Timer();
    EXPECT_EQ(Count("ShowModal AlarmFormu owner AnaForm"), before + 1);
}

TEST_F(Alarm, EraseAnsweredNoChangesNothing) {
    whileOpen = [&](AlarmFormu& w) {
        platform.messageBoxAnswers = {platform::kIdNo};
        w.AlarmıSilButonu_Click();
        EXPECT_EQ(platform.messageBoxes.back().text, "Are you sure you want to erase the alarm?");
        EXPECT_EQ(platform.messageBoxes.back().flags, 36u);
        EXPECT_FALSE(w.Unloaded());
        EXPECT_EQ(platform.played.size(), 1u);  // still ringing
        w.AlarmıDurdurButonu_Click();
    };
    Ring();
    EXPECT_EQ(platform.Setting("Alarm Zamani"), "07:30");
}

TEST_F(Alarm, EraseAnsweredYesClearsTheAlarmEverywhere) {
    whileOpen = [&](AlarmFormu& w) {
        platform.messageBoxAnswers = {platform::kIdYes};
        w.AlarmıSilButonu_Click();
        EXPECT_TRUE(w.Unloaded());
    };
    Ring();
    EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00");
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kNotArmed);
    EXPECT_EQ(form->AlarmAltı.GetPicture(), Symbol(3));
    EXPECT_EQ(platform.Setting("Alarm Zamani"), "");
    EXPECT_EQ(platform.Setting("Kapat"), "0");
    EXPECT_EQ(platform.played.back(), std::make_pair(std::string(), 0u));
}

TEST_F(Alarm, CloseBoxActsAsStop) {
    whileOpen = [&](AlarmFormu& w) {
        Blink(0);
        ASSERT_TRUE(w.CloseRequest);
        EXPECT_TRUE(w.CloseRequest());
        EXPECT_TRUE(w.Unloaded());
    };
    Ring();
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kArmed);
    EXPECT_EQ(platform.played.back(), std::make_pair(std::string(), 0u));
}

TEST_F(Alarm, BecomingActiveAppliesTheTopMostPlacement) {
    program.values.topMost = ui::Placement::NoTopMost;
    whileOpen = [&](AlarmFormu& w) {
        w.Form_Activate();
        EXPECT_EQ(host.events.back(), "SetWindowPos AlarmFormu -2 3");
        w.AlarmıDurdurButonu_Click();
    };
    Ring();
}

TEST_F(Alarm, BlinkDoesNothingWhileNoAlarmWindowIsVisible) {
    SetTime(7, 0, 0);
    Load();
    form->AlarmFormuAçKapa[0]->SetInterval(500);
    Blink(0);
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kArmed);
    EXPECT_EQ(form->AlarmFormuAçKapa[0]->Interval(), 500);
    EXPECT_EQ(form->AlarmFormuAçKapa[1]->Interval(), 0);
}

// A second alarm of the same run starts its blink a full turn later, even
// when the element it sets is still running from the first alarm.
TEST_F(Alarm, ASecondAlarmOfTheRunBlinksAFullTurnAfterItStarts) {
    int turnBeforeFirst = 0;
    whileOpen = [&](AlarmFormu& w) {
        host.AdvanceMs(1200);  // turns at 500 and 1000: element 0 runs again
        w.AlarmıDurdurButonu_Click();
    };
    Ring();
    host.AdvanceMs(200);  // element 0, left running, is due 100 ms from now
    whileOpen = [&](AlarmFormu& w) {
        host.AdvanceMs(300);
        if (form->AlarmEtiketi.ForeColor() == ui::Rgb(192, 192, 0) && w.Caption() == "Alarm Time!")
            ++turnBeforeFirst;
        host.AdvanceMs(250);
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), ui::Rgb(128, 128, 128));
        w.AlarmıDurdurButonu_Click();
    };
    platform.Advance(24 * 3600 - 1);
    form->Saat_Timer();
    platform.Advance(1);
    form->Saat_Timer();
    EXPECT_EQ(turnBeforeFirst, 1);
}

}  // namespace
