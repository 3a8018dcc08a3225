#include <map>

#include "tests/host/ClockFixture.h"

namespace {

using Window = ClockTest;

TEST_F(Window, ToggleSwitchesFacesSizesAndCaptions) {
    platform.SetSetting("Renk", "2");
    platform.SetSetting("Sol", "5000");
    Load();
    form->KüçültBüyültMenüsü_Click();
    EXPECT_TRUE(form->KüçükYüz());
    EXPECT_FALSE(form->HaneAltlığı.Visible());
    EXPECT_EQ(form->EtiketAltlığı.Left(), 0);
    EXPECT_EQ(form->EtiketAltlığı.Top(), 0);
    EXPECT_EQ(form->Width(), 1185);
    EXPECT_EQ(form->Height(), 345);
    EXPECT_EQ(form->Left(), 5000);  // shrinking never moves
    EXPECT_EQ(form->KüçültBüyültMenüsü.Caption, "&Enlarge");
    EXPECT_EQ(form->Hane0.ForeColor(), ui::Rgb(255, 0, 0));
    EXPECT_EQ(form->Nokta[0]->ForeColor(), ui::Rgb(255, 0, 0));

    form->KüçültBüyültMenüsü_Click();
    EXPECT_FALSE(form->KüçükYüz());
    EXPECT_TRUE(form->HaneAltlığı.Visible());
    EXPECT_EQ(form->Width(), 2900);
    EXPECT_EQ(form->Height(), 770);
    EXPECT_EQ(form->KüçültBüyültMenüsü.Caption, "&Minimize");
    // Hidden during each toggle so the change shows at once.
    auto last = std::find(host.events.rbegin(), host.events.rend(), "Hide AnaForm");
    EXPECT_NE(last, host.events.rend());
    EXPECT_EQ(host.events.back(), "Show AnaForm");
}

TEST_F(Window, GrowingPastTheRightEdgeIsCorrectedBeyondTheTolerance) {
    platform.SetSetting("Olcu", "-1");
    platform.SetSetting("Sol", std::to_string(15360 - 2900 + 100));  // overhangs by 100
    Load();
    form->KüçültBüyültMenüsü_Click();
    EXPECT_EQ(form->Left(), 15360 - 2900 + 100);

    form->KüçültBüyültMenüsü_Click();
    form->SetLeft(15360 - 2900 + 101);
    form->KüçültBüyültMenüsü_Click();
    EXPECT_EQ(form->Left(), 15360 - 2900);
}

TEST_F(Window, KeepOnScreenMovesOnlyBeyondTheTolerance) {
    Load();
    const int flush = 15360 - 2900;
    form->SetLeft(flush + 80);
    form->Sınırla_Timer();
    EXPECT_EQ(form->Left(), flush + 80);
    form->SetLeft(flush + 150);
    form->Sınırla_Timer();
    EXPECT_EQ(form->Left(), flush);
    form->SetTop(11520 - 770 + 100);  // the tolerance itself: stays
    form->Sınırla_Timer();
    EXPECT_EQ(form->Top(), 11520 - 770 + 100);
    form->SetTop(11520 - 770 + 150);
    form->Sınırla_Timer();
    EXPECT_EQ(form->Top(), 11520 - 770);
    form->Move(-1, -1, 2900, 770);
    form->Sınırla_Timer();
    EXPECT_EQ(form->Left(), 0);
    EXPECT_EQ(form->Top(), 0);
}

TEST_F(Window, WindowLargerThanTheScreenEndsRightFlushAndAtTheTop) {
    platform.screenWidth = 2000;
    platform.screenHeight = 600;
    Load();
    form->Move(0, 0, 2900, 770);
    form->Sınırla_Timer();
    EXPECT_EQ(form->Left(), 2000 - 2900);
    EXPECT_EQ(form->Top(), 0);
}

// A 1024 x 768 primary with a 1280 x 1024 monitor to its right, one of
// 800 x 600 to its left and one of 1024 x 768 above it, all at 96 dpi.
struct Monitors : ClockTest {
    Monitors() {
        auto at = [](int l, int t, int r, int b) {
            platform::Rect px{l, t, r, b};
            return platform::Monitor{px, px, 96};
        };
        platform.monitors = {at(0, 0, 1024, 768), at(1024, 0, 2304, 1024),
                             at(-800, 0, 0, 600), at(0, -768, 1024, 0)};
    }
    // The clock at (left, top) after one keep-on-screen check.
    std::pair<int, int> Kept(int left, int top) {
        form->Move(left, top, 2900, 770);
        form->Sınırla_Timer();
        return {form->Left(), form->Top()};
    }
};

TEST_F(Monitors, KeepOnScreenMeasuresTheClocksOwnMonitor) {
    Load();
    using P = std::pair<int, int>;
    // Right: 15360..34560 x 0..15360 twips. Lives there; kept by its edges.
    EXPECT_EQ(Kept(20000, 13000), P(20000, 13000));
    EXPECT_EQ(Kept(34560 - 2900 + 150, 15360 - 770 + 150), P(34560 - 2900, 15360 - 770));
    EXPECT_EQ(Kept(34560 - 2900 + 80, 100), P(34560 - 2900 + 80, 100));
    // Left, in negative coordinates: -12000..0 x 0..9000.
    EXPECT_EQ(Kept(-9000, 5000), P(-9000, 5000));
    EXPECT_EQ(Kept(-12050, 9000 - 770 + 150), P(-12000, 9000 - 770));
    // Above: 0..15360 x -11520..0.
    EXPECT_EQ(Kept(1000, -6000), P(1000, -6000));
    EXPECT_EQ(Kept(1000, -11600), P(1000, -11520));
    // Straddling the primary and the right one: the monitor with the larger
    // part takes it, whole.
    EXPECT_EQ(Kept(15360 - 1000, 100), P(15360, 100));
    EXPECT_EQ(Kept(15360 - 2000, 100), P(15360 - 2900, 100));
}

TEST_F(Monitors, PositionOnADetachedMonitorComesOntoTheNearest) {
    platform.monitors.resize(1);
    platform.SetSetting("Sol", "20000");
    platform.SetSetting("Ust", "-3000");
    Load();
    EXPECT_EQ(form->Left(), 20000);  // as stored, until the first check
    form->Sınırla_Timer();
    EXPECT_EQ(form->Left(), 15360 - 2900);
    EXPECT_EQ(form->Top(), 0);
}

TEST_F(Monitors, GrowingMeasuresTheMonitorTheSmallFaceIsOn) {
    platform.SetSetting("Olcu", "-1");
    platform.SetSetting("Sol", std::to_string(34560 - 1185));
    Load();
    form->KüçültBüyültMenüsü_Click();
    EXPECT_EQ(form->Left(), 34560 - 2900);
}

TEST_F(Monitors, DialogsFromTheClockCentreOnItsMonitor) {
    platform.SetSetting("Sol", "-9000");  // on the left monitor, -12000..0 x 0..9000
    platform.SetSetting("Ust", "5000");
    Load();
    std::map<std::string, std::pair<int, int>> centres;
    host.onModal = [&](ui::Form& f) {
        centres[f.Name()] = {f.Left() + f.Width() / 2, f.Top() + f.Height() / 2};
    };
    form->AyarlarMenüsü_Click();
    form->HakkındaMenüsü_Click();
    ASSERT_EQ(centres.size(), 2u);
    for (const auto& [name, centre] : centres) {  // halves round down: a twip short at most
        EXPECT_NEAR(centre.first, -6000, 1) << name;
        EXPECT_NEAR(centre.second, 4500, 1) << name;
    }
}

TEST_F(Window, NothingIsKeptOnScreenWhileMinimised) {
    Load();
    form->SetLeft(-3000);
    form->Minimized = true;
    form->Sınırla_Timer();
    EXPECT_EQ(form->Left(), -3000);
}

TEST_F(Window, OnlyTheLeftButtonAloneDrags) {
    Load();
    form->HaneAltlığı_MouseMove(ui::kLeftButton | ui::kRightButton);
    form->Form_MouseMove(0);
    EXPECT_EQ(Count("Drag"), 0);
    EXPECT_EQ(host.pointers.back(), ui::Pointer::Hand);
    form->HaneAltlığı_MouseMove(ui::kLeftButton);
    EXPECT_EQ(Count("Drag"), 1);
    EXPECT_EQ(host.pointers.back(), ui::Pointer::SizeAll);
    EXPECT_TRUE(form->Hane[2]->MouseToContainer && form->Hane4.MouseToContainer);  // both faces
    EXPECT_FALSE(form->KapatButonu.MouseToContainer);
}

TEST_F(Window, RightButtonReleaseOpensTheMenuWithSettingAsDefault) {
    Load();
    form->Form_MouseUp(ui::kLeftButton);
    EXPECT_EQ(Count("Menu AnaMenü"), 0);
    form->HaneAltlığı_MouseUp(ui::kRightButton);
    EXPECT_EQ(Count("Menu AnaMenü"), 1);
    EXPECT_EQ(host.menuDefaults.back(), "AyarlarMenüsü");
    std::vector<std::string> captions;
    for (auto* item : form->AnaMenü.Items) captions.push_back(item->Separator() ? "-" : item->Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Setting", "-", "Set &Date/Time", "&Minimize", "-",
                                                  "&About", "-", "Close (Esc)"}));
}

TEST_F(Window, DoubleClickOnTheBackgroundOnlyEnlarges) {
    Load();
    form->Form_DblClick();
    EXPECT_FALSE(form->KüçükYüz());
    form->HaneAltlığı_DblClick();
    EXPECT_TRUE(form->KüçükYüz());
    EXPECT_EQ(form->Hane5.ForeColor(), ui::Rgb(0, 255, 0));
    form->Form_DblClick();
    EXPECT_FALSE(form->KüçükYüz());
}

TEST_F(Window, EscAsksInTheLargeFaceAndStoresOnYes) {
    Load();
    form->KüçültBüyültMenüsü_Click();
    form->KapatButonu_Click();  // small face: nothing
    EXPECT_TRUE(platform.messageBoxes.empty());
    form->KüçültBüyültMenüsü_Click();

    platform.messageBoxAnswers = {platform::kIdNo};
    form->KapatButonu_Click();
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Do you want to close clock?");
    EXPECT_EQ(platform.messageBoxes[0].flags, 36u);
    EXPECT_EQ(platform.messageBoxes[0].caption, "Zilvane");
    EXPECT_EQ(Count("Unload AnaForm"), 0);
    EXPECT_TRUE(platform.writes.empty());

    platform.messageBoxAnswers = {platform::kIdYes};
    form->SetLeft(1234);
    form->KapatButonu_Click();
    EXPECT_EQ(Count("Unload AnaForm"), 1);
    EXPECT_EQ(platform.writes, (std::vector<std::string>{"Sol", "Ust", "Renk", "Olcu"}));
    EXPECT_EQ(platform.Setting("Sol"), "1234");
    EXPECT_EQ(platform.Setting("Ust"), "250");
    EXPECT_EQ(platform.Setting("Renk"), "0");
    EXPECT_EQ(platform.Setting("Olcu"), "0");
}

TEST_F(Window, EveryCloseStoresTheFaceOnce) {
    Load();
    form->KüçültBüyültMenüsü_Click();
    form->KapatMenüsü_Click();
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_EQ(platform.Setting("Olcu"), "-1");
    EXPECT_EQ(host.ended, 1);
    form->Unload();  // the system's close after the menu's: stored once only
    EXPECT_EQ(platform.writes.size(), 4u);
}

TEST_F(Window, ActivationPlacesTheClockByTheAlwaysOnTopSetting) {
    Load();
    form->Form_Activate();
    EXPECT_EQ(host.zOrders.back(), std::make_pair(std::string("AnaForm"), -1L));
    platform.SetSetting("Ustte", "0");
    form->Form_Activate();
    EXPECT_EQ(host.zOrders.back(), std::make_pair(std::string("AnaForm"), -2L));
    EXPECT_EQ(program.values.topMost, ui::Placement::NoTopMost);
    EXPECT_EQ(host.events.back(), "SetWindowPos AnaForm -2 3");
}

TEST_F(Window, DateTimeMenuOpensTheControlPanel) {
    Load();
    form->TarihSaatAyarlaMenüsü_Click();
    ASSERT_EQ(platform.shellOpens.size(), 1u);
    EXPECT_EQ(platform.shellOpens[0],
              "Open|Rundll32.exe|shell32.dll,Control_RunDLL timedate.cpl||1");
}

}  // namespace
