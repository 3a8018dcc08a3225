// The wake timer: set a little before the next start of an alarm that
// rings, wherever the alarm, its action or the clock changes.
#include <cstdio>

#include "settings/AyarlarFormu.h"
#include "tests/host/ClockFixture.h"

namespace {

struct Wake : ClockTest {
    std::function<void(AyarlarFormu&)> inDialog;
    std::function<void(AlarmFormu&)> inAlarm;

    Wake() {
        host.onModal = [this](ui::Form& f) {
            if (auto* d = dynamic_cast<AyarlarFormu*>(&f)) {
                if (inDialog) inDialog(*d);
            } else if (auto* a = dynamic_cast<AlarmFormu*>(&f)) {
                if (inAlarm) inAlarm(*a);
            }
        };
    }
    void SetDate(int y, int m, int d) {
        platform.now.year = y;
        platform.now.month = m;
        platform.now.day = d;
    }
    std::string WakeTimer() const {
        if (!platform.wakeTimer) return "none";
        const platform::DateTime& t = *platform.wakeTimer;
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
        return text;
    }
    void InDialog(std::function<void(AyarlarFormu&)> act) {
        inDialog = std::move(act);
        form->AyarlarMenüsü_Click();
    }
    static void SetAlarm(AyarlarFormu& d, const std::string& hour, const std::string& minute) {
        d.AlarmKutusu[0]->SetListIndex(d.AlarmKutusu[0]->Find(hour));
        d.AlarmKutusu[1]->SetListIndex(d.AlarmKutusu[1]->Find(minute));
        d.AlarmıKurButonu->PerformClick();
    }
};

// Load, Set Alarm, Erase and OK with either action, in the settings dialog.
TEST_F(Wake, TheDialogSetsMovesAndCancelsIt) {
    platform.SetSetting("Alarm Zamani", "07:30");
    SetDate(2026, 12, 31);
    SetTime(10, 15, 30);
    Load();
    EXPECT_EQ(WakeTimer(), "2027-01-01 07:29:55");  // past today's: tomorrow's

    InDialog([&](AyarlarFormu& d) {
        platform.messageBoxAnswers = {platform::kIdYes};
        d.AlarmıKurButonu->PerformClick();  // Erase
        EXPECT_EQ(WakeTimer(), "none");
        SetAlarm(d, "23", "00");
        EXPECT_EQ(WakeTimer(), "2026-12-31 22:59:55");
        d.BilgisayarıKapatSeçeneği->SetValue(true);
        EXPECT_EQ(WakeTimer(), "2026-12-31 22:59:55") << "not before OK";
        d.TamamButonu->PerformClick();
    });
    EXPECT_EQ(WakeTimer(), "none") << "a shutdown alarm wakes nothing";

    InDialog([&](AyarlarFormu& d) {
        d.SesliUyarıVerSeçeneği->SetValue(true);
        d.TamamButonu->PerformClick();
    });
    EXPECT_EQ(WakeTimer(), "2026-12-31 22:59:55");

    InDialog([&](AyarlarFormu& d) {
        platform.messageBoxAnswers = {platform::kIdYes};
        d.AlarmıKurButonu->PerformClick();
        SetAlarm(d, "00", "00");  // wakes on the evening before
        d.İptalButonu->PerformClick();
    });
    EXPECT_EQ(WakeTimer(), "2026-12-31 23:59:55");
}

// After it rang (Stop: tomorrow; Erase: none) and after a resume from a
// sleep that the timer did not end (wake timers off in the power plan).
TEST_F(Wake, ItMovesOnWhenTheAlarmRangAndWhenTheComputerResumes) {
    platform.SetSetting("Alarm Zamani", "07:30");
    SetDate(2028, 2, 28);
    SetTime(7, 29, 59);
    Load();
    EXPECT_EQ(WakeTimer(), "2028-02-28 07:29:55");
    inAlarm = [&](AlarmFormu& a) { a.AlarmıDurdurButonu_Click(); };
    TickAt(7, 30, 0);
    EXPECT_EQ(WakeTimer(), "2028-02-29 07:29:55");

    SetDate(2028, 3, 1);  // asleep through the 29th
    SetTime(6, 10, 0);
    EXPECT_TRUE(form->ClockJumped);
    form->ClockJumped();
    EXPECT_EQ(WakeTimer(), "2028-03-01 07:29:55");

    platform.messageBoxAnswers = {platform::kIdYes};
    inAlarm = [&](AlarmFormu& a) { a.AlarmıSilButonu_Click(); };
    TickAt(7, 29, 59);
    TickAt(7, 30, 0);
    EXPECT_EQ(WakeTimer(), "none");
    form->ClockJumped();
    EXPECT_EQ(WakeTimer(), "none");

    platform.SetSetting("Alarm Zamani", "07:30");  // a stored shutdown alarm
    platform.SetSetting("Kapat", "1");
    platform.wakeTimer = platform.now;
    Load();
    EXPECT_EQ(WakeTimer(), "none");
}

}  // namespace
