#include "tests/host/ClockFixture.h"

namespace {

using Face = ClockTest;

ui::Picture Digit(int colour, int d) { return ui::Picture{static_cast<ui::Strip>(colour), d}; }

TEST_F(Face, FirstRunIsGreenLargeTopRightWithNoAlarm) {
    SetTime(10, 15, 37);
    Load();
    EXPECT_EQ(form->Width(), 2900);
    EXPECT_EQ(form->Height(), 770);
    EXPECT_EQ(form->Left(), 15360 - 250 - 2900);
    EXPECT_EQ(form->Top(), 250);
    EXPECT_EQ(form->HaneAltlığı.Left(), 320);
    EXPECT_EQ(form->HaneAltlığı.Top(), 0);
    EXPECT_EQ(Digits(), "101537");
    const int expected[6] = {1, 0, 1, 5, 3, 7};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(form->Hane[i]->GetPicture(), Digit(0, expected[i]));
    EXPECT_EQ(form->NoktaAltı[1]->GetPicture(), (ui::Picture{ui::Strip::Noktalar, 0}));
    EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00");
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kNotArmed);
    EXPECT_EQ(form->AlarmAltı.GetPicture(), (ui::Picture{ui::Strip::Alarmlar, 3}));
    EXPECT_EQ(form->TarihEtiketi.Text(), "08 Dec 2026");
    EXPECT_EQ(form->TarihEtiketi.ToolTip(), "Tuesday");
    EXPECT_EQ(form->KüçültBüyültMenüsü.Caption, "&Minimize");
    EXPECT_EQ(form->AyarlarMenüsü.Caption, "&Setting");
    EXPECT_EQ(form->HaneAltlığı.ToolTip(), "Press \"Esc\" to close clock");
    EXPECT_FALSE(form->KüçükYüz());
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(Count("Show AnaForm"), 1);
    EXPECT_EQ(host.events.back(), "Show AnaForm");
}

TEST_F(Face, StoredAlarmAndRedColourAreShown) {
    platform.SetSetting("Alarm Zamani", "07:30");
    platform.SetSetting("Renk", "2");
    platform.SetSetting("Sol", "100");
    platform.SetSetting("Ust", "200");
    Load();
    EXPECT_EQ(form->AlarmEtiketi.Text(), "07:30");
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), AnaForm::kArmed);
    EXPECT_EQ(form->AlarmAltı.GetPicture(), (ui::Picture{ui::Strip::Alarmlar, 2}));
    EXPECT_EQ(form->Hane[5]->GetPicture().strip, ui::Strip::Haneler2);
    EXPECT_EQ(form->NoktaAltı[0]->GetPicture(), (ui::Picture{ui::Strip::Noktalar, 2}));
    EXPECT_EQ(form->Left(), 100);
    EXPECT_EQ(form->Top(), 200);
}

TEST_F(Face, GarbageColourShowsGreen) {
    for (const char* bad : {"7", "-1", "300", "abc"}) {
        platform.SetSetting("Renk", bad);
        Load();
        EXPECT_EQ(program.values.colourIndex, 0) << bad;
        EXPECT_EQ(form->Hane[0]->GetPicture().strip, ui::Strip::Haneler0) << bad;
    }
}

TEST_F(Face, StoredSmallFaceIsShownAlreadySmall) {
    platform.SetSetting("Olcu", "-1");
    platform.SetSetting("Renk", "1");
    Load();
    EXPECT_TRUE(form->KüçükYüz());
    EXPECT_FALSE(form->HaneAltlığı.Visible());
    EXPECT_EQ(form->Width(), 1185);
    EXPECT_EQ(form->Height(), 345);
    EXPECT_EQ(form->KüçültBüyültMenüsü.Caption, "&Enlarge");
    EXPECT_EQ(form->Hane3.ForeColor(), ui::Rgb(0, 255, 255));
    EXPECT_EQ(form->Nokta[1]->ForeColor(), ui::Rgb(0, 255, 255));
}

TEST_F(Face, RepaintAfterAColourChangeKeepsTheDigits) {
    SetTime(9, 41, 28);
    Load();
    program.values.colourIndex = 1;
    program.values.chimeHold = true;
    form->Hane0_Change();
    form->Hane1_Change();
    form->Hane2_Change();
    form->Hane3_Change();
    form->Hane4_Change();
    form->Hane5_Change();
    program.values.chimeHold = false;
    EXPECT_EQ(Digits(), "094128");
    EXPECT_EQ(form->Hane[1]->GetPicture(), Digit(1, 9));
    EXPECT_EQ(form->Hane[5]->GetPicture(), Digit(1, 8));
    EXPECT_TRUE(platform.played.empty());  // the forced hour repaint stays silent
}

TEST_F(Face, OnlyARealChangeRepaints) {
    SetTime(9, 41, 28);
    Load();
    form->Hane[3]->SetPicture(ui::Picture{});  // so a repaint would show
    form->Hane3.SetText("1");
    EXPECT_EQ(form->Hane[3]->GetPicture(), ui::Picture{});
    form->Hane3.SetText("2");
    EXPECT_EQ(form->Hane[3]->GetPicture(), Digit(0, 2));
}

// A hand-edited time shows as the tick will match it, or as no alarm when
// no tick ever could; the stored text is never rewritten by the load.
TEST_F(Face, StoredAlarmTimeIsNormalisedOrShownAsNone) {
    const std::pair<const char*, const char*> cases[] = {
        {"7:30", "07:30"},   {" 07:30 ", "07:30"}, {"7:5", "07:05"},   {"23:59", "23:59"},
        {"99:99", ""},       {"24:00", ""},        {"07:60", ""},      {"0730", ""},
        {"07:30:00", ""},    {"ab:cd", ""},        {"-1:30", ""},      {"007:30", ""}};
    for (auto [stored, shown] : cases) {
        platform.SetSetting("Alarm Zamani", stored);
        Load();
        if (*shown) {
            EXPECT_EQ(form->AlarmEtiketi.Text(), shown) << stored;
            EXPECT_EQ(form->AlarmEtiketi.ForeColor(), ui::Rgb(192, 192, 0)) << stored;
        } else {
            EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00") << stored;
            EXPECT_EQ(form->AlarmEtiketi.ForeColor(), ui::Rgb(128, 128, 128)) << stored;
        }
        EXPECT_EQ(platform.Setting("Alarm Zamani"), stored);
    }
    platform.SetSetting("Alarm Zamani", std::string(10000, '7'));
    Load();
    EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00");
}

TEST_F(Face, AOneDigitStoredHourStillRings) {
    platform.SetSetting("Alarm Zamani", "7:30");
    host.onModal = [](ui::Form& f) { f.Unload(); };
    SetTime(7, 29, 59);
    Load();
    TickAt(7, 30, 0);
    EXPECT_EQ(Count("ShowModal AlarmFormu owner AnaForm"), 1);
}

}  // namespace
