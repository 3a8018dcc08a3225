// The Win32 host with real windows, messages and pixels (run under Wine on
// a display).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "ui/Controls.h"
#include "ui/win32/GdiCache.h"
#include "ui/win32/Win32Host.h"

namespace {

constexpr ui::Color kRed = ui::Rgb(192, 0, 0);
constexpr ui::Color kYellow = ui::Rgb(255, 255, 0);
constexpr ui::Color kCyan = ui::Rgb(0, 255, 255);

// A borderless form shaped like the clock: a black panel with a digit
// picture and a label, and a cancel button far below the visible area.
class FaceForm : public ui::Form {
public:
    ui::PictureBox panel{*this, "panel", nullptr};
    ui::PictureBox digit{*this, "digit", &panel};
    ui::Label label{*this, "label", &panel};
    ui::Button hidden{*this, "hidden", nullptr};
    int cancels = 0;

    FaceForm() : ui::Form("FaceForm") {
        BackColor = kRed;
        Move(1500, 1500, 3000, 1500);
        panel.Move(300, 150, 2400, 1200);
        digit.Move(150, 150, 240, 330);
        label.Move(900, 150, 1200, 450);
        label.AutoSize = true;
        label.SetFont(ui::Font{"Tahoma", 14, true, false});
        label.SetForeColor(kYellow);
        label.SetText("MWM");
        hidden.Move(165, 2990, 705, 345);
        hidden.Cancel = true;
        hidden.Click = [this] { ++cancels; };
    }
};

// A fixed dialog shaped like the alarm window.
class DialogForm : public ui::Form {
public:
    ui::Button stop{*this, "stop", nullptr};
    ui::Button erase{*this, "erase", nullptr};
    std::vector<std::string> clicks;

    DialogForm() : ui::Form("DialogForm") {
        Border = ui::BorderStyle::FixedDialog;
        ClientWidth = 2850;
        ClientHeight = 1395;
        Move(3000, 3000, ClientWidth, ClientHeight);
        SetCaption("Dialog");
        // Registered in the other order than the tab order.
        erase.Move(1470, 780, 1095, 345);
        erase.SetCaption("&Erase");
        erase.TabIndex = 1;
        stop.Move(270, 780, 1095, 345);
        stop.SetCaption("&Stop");
        stop.Default = true;
        stop.TabIndex = 0;
        stop.Click = [this] { clicks.push_back("stop"); };
        erase.Click = [this] { clicks.push_back("erase"); };
    }
};

// Pixels of a device context, read back into memory.
struct Shot {
    int width = 0, height = 0;
    std::vector<std::uint32_t> bits;
    COLORREF At(int x, int y) const {
        const std::uint32_t v = bits[static_cast<size_t>(y) * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

Shot Grab(HDC src, int x, int y, int width, int height) {
    Shot s;
    s.width = width;
    s.height = height;
    std::uint32_t* bits = nullptr;
    HBITMAP dib = ui::win32::TopDownDib(width, height, &bits);
    HDC mem = CreateCompatibleDC(src);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, src, x, y, SRCCOPY);
    GdiFlush();
    const std::uint32_t* p = bits;
    s.bits.assign(p, p + static_cast<size_t>(width) * height);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
    return s;
}

// A strip as drawn (the bitmaps linked into the test); empty if missing.
Shot ArtOfRecord(int id) {
    auto strip = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) return {};
    BITMAP bm;
    GetObject(strip, sizeof bm, &bm);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    Shot art = Grab(dc, 0, 0, bm.bmWidth, bm.bmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(strip);
    return art;
}

// What the window shows in its client area.
Shot GrabClient(HWND h) {
    RECT c;
    GetClientRect(h, &c);
    HDC dc = GetDC(h);
    Shot s = Grab(dc, 0, 0, c.right, c.bottom);
    ReleaseDC(h, dc);
    return s;
}

// EnumThreadWindows: the text of the tooltip shown, into the std::string.
BOOL CALLBACK ShownTip(HWND w, LPARAM out) {
    char cls[64], text[256];
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(w)) return TRUE;
    GetWindowTextA(w, text, sizeof text);
    *reinterpret_cast<std::string*>(out) = text;
    return FALSE;
}

class Win32HostTest : public ::testing::Test {
protected:
    ui::win32::Win32Host host{GetModuleHandleA(nullptr)};
    const int tpp = host.TwipsPerPixel();

    void TearDown() override {
        // An unloaded main form leaves WM_QUIT behind: not for the next test.
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    HWND Wnd(const ui::Form& f) { return reinterpret_cast<HWND>(host.WindowHandle(f)); }

    // Lets the host process messages until done() or the time is up.
    bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > ms) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            host.DoEvents();
        }
        return true;
    }

    void ShowAndSettle(ui::Form& f) {
        f.SetHost(&host);
        f.Show();
        SetForegroundWindow(Wnd(f));
        host.DoEvents();
        UpdateWindow(Wnd(f));
    }
};

TEST_F(Win32HostTest, WindowsHaveThePixelSizeOfTheirTwips) {
    ASSERT_EQ(tpp, 15) << "the test layout assumes 96 dpi";
    FaceForm face;
    face.SetHost(&host);
    host.Load(face);
    HWND h = Wnd(face);
    ASSERT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h)) << "loaded hidden";
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    GetClientRect(h, &r);
    EXPECT_EQ(r.right, 200) << "borderless: the client area is the window";
    face.SetCaption("Zilvane test clock");
    EXPECT_EQ(FindWindowA(nullptr, "Zilvane test clock"), h);

    // A dialog's outer size follows from its client size, and the model learns it.
    DialogForm dialog;
    dialog.SetHost(&host);
    host.Load(dialog);
    HWND d = Wnd(dialog);
    GetClientRect(d, &r);
    EXPECT_EQ(r.right, 190);
    EXPECT_EQ(r.bottom, 93);
    GetWindowRect(d, &r);
    EXPECT_EQ(dialog.Width(), (r.right - r.left) * tpp);
    EXPECT_EQ(dialog.Height(), (r.bottom - r.top) * tpp);
    EXPECT_GT(dialog.Height(), dialog.ClientHeight);
    EXPECT_TRUE(GetWindowLongA(d, GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(GetWindowLongA(d, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(d, GW_OWNER), h) << "owned by the main form";
}

TEST_F(Win32HostTest, ModelGeometryFollowsTheWindow) {
    FaceForm face;
    ShowAndSettle(face);
    HWND h = Wnd(face);
    EXPECT_TRUE(face.Visible());

    // Moved from outside, as a drag or the system does.
    ::SetWindowPos(h, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(face.Left(), 40 * tpp);
    EXPECT_EQ(face.Top(), 50 * tpp);

    // Moved by the model: the window goes to the nearest pixel and the model
    // reports where it really is.
    face.Move(1234, 600, 1185, 345);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, 82);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 79);
    EXPECT_EQ(r.bottom - r.top, 23);
    EXPECT_EQ(face.Left(), 82 * tpp);
    EXPECT_EQ(face.Width(), 79 * tpp);

    ShowWindow(h, SW_HIDE);
    EXPECT_FALSE(face.Visible());
    ShowWindow(h, SW_SHOWNA);
    EXPECT_TRUE(face.Visible());
}

TEST_F(Win32HostTest, PaintsStripCellsAndLabelsPixelExact) {
    const Shot art = ArtOfRecord(IDB_HANELER0);
    ASSERT_FALSE(art.bits.empty()) << "the strips are linked into the test";
    const int cell = art.width / 10;

    FaceForm face;
    face.digit.SetPicture({ui::Strip::Haneler0, 7});
    ShowAndSettle(face);
    HWND h = Wnd(face);

    // Digit box: panel at (20, 10) px, digit at (10, 10) px inside it.
    auto expectCell = [&](int k) {
        const Shot s = GrabClient(h);
        int wrong = 0;
        for (int y = 0; y < art.height; ++y)
            for (int x = 0; x < cell; ++x)
                if (s.At(30 + x, 20 + y) != art.At(k * cell + x, y)) ++wrong;
        EXPECT_EQ(wrong, 0) << "cell " << k;
        return s;
    };
    Shot s = expectCell(7);
    EXPECT_EQ(s.At(5, 5), kRed) << "form background";
    EXPECT_EQ(s.At(190, 90), kRed);
    EXPECT_EQ(s.At(25, 15), 0u) << "panel background";
    EXPECT_EQ(s.At(30 + cell, 20), 0u) << "beside the cell: the box's own black";

    // The label: its colour in its strokes over the panel's black, nothing else.
    auto count = [&](const Shot& shot, COLORREF c) {
        int n = 0;
        for (int y = 20; y < 60; ++y)
            for (int x = 80; x < 180; ++x) n += shot.At(x, y) == c;
        return n;
    };
    EXPECT_GT(count(s, kYellow), 20);
    EXPECT_EQ(s.At(179, 59), 0u) << "labels are transparent";

    // Model changes repaint what they touch.
    face.digit.SetPicture({ui::Strip::Haneler0, 3});
    face.label.SetForeColor(kCyan);
    UpdateWindow(h);
    s = expectCell(3);
    EXPECT_EQ(count(s, kYellow), 0);
    EXPECT_GT(count(s, kCyan), 20);

    // A hidden panel takes its contents with it.
    face.panel.SetVisible(false);
    UpdateWindow(h);
    s = GrabClient(h);
    EXPECT_EQ(s.At(35, 30), kRed);
    EXPECT_EQ(count(s, kCyan), 0);
}

// Moved to a monitor of another DPI: the window takes the suggested
// rectangle, keeps its twips, and draws the strip made for the new DPI cell
// for cell; between the drawn scales it draws the next larger one scaled.
TEST_F(Win32HostTest, DpiChangeTakesTheSuggestedRectangleAndItsStrips) {
    const Shot art = ArtOfRecord(IDB_HANELER0_150);
    ASSERT_EQ(art.width, 240);
    ASSERT_EQ(art.height, 33);

    FaceForm face;
    face.digit.SetPicture({ui::Strip::Haneler0, 7});
    ShowAndSettle(face);
    HWND h = Wnd(face);
    RECT suggested{60, 70, 360, 220};  // 3000 x 1500 twips at 144 dpi
    SendMessageA(h, 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(h);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_TRUE(EqualRect(&r, &suggested));
    EXPECT_EQ(host.Dpi(face), 144);
    EXPECT_EQ(face.Left(), 600);
    EXPECT_EQ(face.Width(), 3000);
    EXPECT_EQ(face.Height(), 1500);

    // Digit at (300 + 150, 150 + 150) twips: (45, 30) px, 24 x 33 px.
    Shot s = GrabClient(h);
    int wrong = 0;
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 24; ++x)
            if (s.At(45 + x, 30 + y) != art.At(7 * 24 + x, y)) ++wrong;
    EXPECT_EQ(wrong, 0) << "the 150 % cell, unstretched";

    // 108 dpi: an 18 x 25 px box, filled from the 125 % strip made smaller.
    RECT at108{60, 70, 285, 183};
    SendMessageA(h, 0x02E0, MAKEWPARAM(108, 108), reinterpret_cast<LPARAM>(&at108));
    UpdateWindow(h);
    s = GrabClient(h);
    int inkIn = 0, inkOut = 0, halfTones = 0;
    // Panel at (23, 11) px, the digit at (11, 11) px inside it.
    for (int y = 15; y < 60; ++y)
        for (int x = 28; x < 70; ++x) {
            const COLORREF c = s.At(x, y);
            const bool in = x >= 34 && x < 34 + 18 && y >= 22 && y < 22 + 25;
            if (c != 0) (in ? inkIn : inkOut)++;
            if (in && GetGValue(c) > 0 && GetGValue(c) < 255) ++halfTones;
        }
    EXPECT_GT(inkIn, 60);
    EXPECT_EQ(inkOut, 0) << "nothing drawn outside the digit's box";
    EXPECT_GT(halfTones, 0) << "smoothed, not picked pixel by pixel";
}

// An icon is 480 twips square whatever the DPI: 32 px at 96, 48 px at 144.
TEST_F(Win32HostTest, IconsScaleWithTheDpi) {
    struct IconForm : ui::Form {
        ui::Image bell{*this, "bell", nullptr, IDI_BELL};
        IconForm() : ui::Form("IconForm") {
            BackColor = kRed;
            Move(1500, 1500, 1500, 1500);
            bell.Move(150, 150, 480, 480);
        }
    } form;
    ShowAndSettle(form);
    HWND h = Wnd(form);
    // Rows and columns the icon inked: its extent in pixels.
    auto extent = [&] {
        const Shot s = GrabClient(h);
        int lo = s.height, hi = -1;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (s.At(x, y) != kRed) lo = std::min(lo, std::min(x, y)), hi = std::max(hi, std::max(x, y));
        return hi - lo + 1;
    };
    const int at96 = extent();
    EXPECT_GT(at96, 24);
    EXPECT_LE(at96, 32);
    RECT suggested{150, 150, 300, 300};
    SendMessageA(h, 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(h);
    const int at144 = extent();
    EXPECT_GT(at144, 40);
    EXPECT_LE(at144, 48);
}

TEST_F(Win32HostTest, MouseGoesToTheControlThatHandlesIt) {
    FaceForm face;
    std::vector<std::vector<int>> panel, form;
    face.panel.MouseMove = [&](int b, int s, int x, int y) { panel.push_back({b, s, x, y}); };
    face.panel.MouseUp = [&](int b, int s, int x, int y) { panel.push_back({-b, s, x, y}); };
    face.MouseMove = [&](int b, int s, int x, int y) { form.push_back({b, s, x, y}); };
    int doubles = 0;
    face.panel.DblClick = [&] { ++doubles; };
    face.digit.MouseToContainer = true;  // as the clock lets its digits drag it
    ShowAndSettle(face);
    HWND h = Wnd(face);

    // Over the label, which has no handlers and lets nothing through: none.
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(85, 25));
    EXPECT_TRUE(panel.empty() && form.empty());

    // Over the digit, which passes it on: its panel gets it, in panel twips.
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(33, 25));
    SendMessageA(h, WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(33, 25));
    ASSERT_EQ(panel.size(), 2u);
    EXPECT_EQ(panel[0], (std::vector<int>{ui::kLeftButton | ui::kRightButton, 0, 13 * tpp, 15 * tpp}));
    EXPECT_EQ(panel[1], (std::vector<int>{-ui::kRightButton, 1, 13 * tpp, 15 * tpp}));
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(33, 25));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    EXPECT_EQ(doubles, 1);
    ASSERT_EQ(panel.size(), 3u) << "the release goes where the press went";
    EXPECT_EQ(panel[2], (std::vector<int>{-ui::kLeftButton, 0, -15 * tpp, -3 * tpp}));

    // Over the background beside the panel: the form.
    SendMessageA(h, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(5, 7));
    ASSERT_EQ(form.size(), 1u);
    EXPECT_EQ(form[0], (std::vector<int>{ui::kMiddleButton, 0, 5 * tpp, 7 * tpp}));

    // A hidden panel is no target.
    face.panel.SetVisible(false);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(33, 25));
    EXPECT_EQ(form.size(), 2u);
    EXPECT_EQ(panel.size(), 3u);
}

TEST_F(Win32HostTest, KeysReachTheButtons) {
    // Esc on the borderless form clicks the cancel button far outside it.
    FaceForm face;
    ShowAndSettle(face);
    ASSERT_EQ(GetFocus(), Wnd(face));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    host.DoEvents();
    EXPECT_EQ(face.cancels, 1);
    EXPECT_TRUE(face.Visible());

    // A dialog: focus starts on tab index 0; Enter presses the focused
    // button, Tab moves on.
    DialogForm dialog;
    ShowAndSettle(dialog);
    HWND d = Wnd(dialog);
    ASSERT_TRUE(IsChild(d, GetFocus()));
    char text[32];
    GetWindowTextA(GetFocus(), text, sizeof text);
    EXPECT_STREQ(text, "&Stop");
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    host.DoEvents();
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    host.DoEvents();
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    host.DoEvents();
    EXPECT_EQ(dialog.clicks, (std::vector<std::string>{"stop", "erase"}));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    host.DoEvents();
    EXPECT_EQ(dialog.clicks.size(), 2u) << "no cancel button, no click";
}

// How soon after the second each tick comes is a figure of the benchmark
// (the seconds digit's lag), not a test: here, one tick per second of the
// system clock, none skipped or doubled, also through a nested modal loop.
TEST_F(Win32HostTest, AlignedTimerTicksOncePerSecondEvenInsideAModalLoop) {
    FaceForm clock;
    ui::Timer saat(clock, "Saat", 1000);
    saat.AlignToSecond = true;
    DialogForm dialog;
    dialog.SetHost(&host);
    std::vector<SYSTEMTIME> ticks;
    saat.Tick = [&] {
        SYSTEMTIME t;
        GetSystemTime(&t);
        ticks.push_back(t);
        // The first tick waits in a modal window, as the alarm does; the
        // next ones come through the nested loop, and the third ends it.
        if (ticks.size() == 1) dialog.ShowModal(&clock);
        if (ticks.size() == 3) {
            saat.SetEnabled(false);
            dialog.Unload();
        }
    };
    ShowAndSettle(clock);
    ASSERT_TRUE(PumpUntil([&] { return ticks.size() >= 3; }, 5000)) << ticks.size() << " ticks";
    EXPECT_TRUE(dialog.Unloaded());
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_EQ((ticks[i].wSecond - ticks[i - 1].wSecond + 60) % 60, 1) << "tick " << i;
}

TEST_F(Win32HostTest, TimersOnTheSecondFireTogetherInOrderAndStopWithTheirForm) {
    auto clock = std::make_unique<FaceForm>();
    ui::Timer saat(*clock, "Saat", 1000), sinirla(*clock, "Sınırla", 1000);
    saat.AlignToSecond = sinirla.AlignToSecond = true;
    std::vector<std::string> fired;
    saat.Tick = [&] {
        fired.push_back("saat");
        // The second tick ends the form, as the shutdown alarm does.
        if (fired.size() == 3) clock->Unload();
    };
    sinirla.Tick = [&] { fired.push_back("sinirla"); };
    ShowAndSettle(*clock);
    ASSERT_TRUE(PumpUntil([&] { return fired.size() >= 3; }, 4000)) << fired.size();
    PumpUntil([] { return false; }, 1300);
    EXPECT_EQ(fired, (std::vector<std::string>{"saat", "sinirla", "saat"}));
}

// A resume (its two notifications) and a change of the system time each tell
// the form once and tick at once: from the messages already queued, without
// waiting for the next boundary of the old alignment; then the ticks go on
// one per second. A suspend does nothing.
TEST_F(Win32HostTest, ResumeAndTimeChangeTickAtOnceThenOnTheSecond) {
    FaceForm clock;
    ui::Timer saat(clock, "Saat", 1000);
    saat.AlignToSecond = true;
    std::vector<int> ms;  // the system clock's second at each tick
    int jumps = 0;
    saat.Tick = [&] {
        SYSTEMTIME t;
        GetSystemTime(&t);
        ms.push_back(t.wSecond);
    };
    clock.ClockJumped = [&] { ++jumps; };
    ShowAndSettle(clock);
    const HWND h = Wnd(clock);
    for (UINT message : {WM_POWERBROADCAST, WM_TIMECHANGE}) {
        // Right after a tick, when the next boundary is most of a second away.
        const size_t ticked = ms.size() + 1;
        ASSERT_TRUE(PumpUntil([&] { return ms.size() >= ticked; }, 2000));
        if (message == WM_POWERBROADCAST) {
            SendMessageA(h, message, PBT_APMSUSPEND, 0);
            SendMessageA(h, message, PBT_APMRESUMEAUTOMATIC, 0);
            SendMessageA(h, message, PBT_APMRESUMESUSPEND, 0);
        } else {
            SendMessageA(h, message, 0, 0);
        }
        host.DoEvents();
        ASSERT_EQ(ms.size(), ticked + 1) << "message " << message;
        ASSERT_TRUE(PumpUntil([&] { return ms.size() > ticked + 1; }, 2000));
        EXPECT_EQ((ms.back() - ms[ticked] + 60) % 60, 1) << "message " << message;
    }
    EXPECT_EQ(jumps, 2);
}

TEST_F(Win32HostTest, ModalFormDisablesItsOwnerUntilItUnloadsItself) {
    FaceForm owner;
    int activations = 0;
    owner.Activate = [&] { ++activations; };
    int ownerTicks = 0;
    ui::Timer ownerTimer(owner, "ownerTimer", 50);
    ownerTimer.Tick = [&] { ++ownerTicks; };
    ShowAndSettle(owner);
    HWND o = Wnd(owner);

    DialogForm dialog;
    dialog.SetHost(&host);
    ui::Timer closer(dialog, "closer", 400);
    bool ownerDisabled = false;
    closer.Tick = [&] {
        ownerDisabled = !IsWindowEnabled(o);
        dialog.Unload();
    };
    activations = 0;
    dialog.ShowModal(&owner);  // returns only once the dialog is gone

    EXPECT_TRUE(dialog.Unloaded());
    EXPECT_EQ(Wnd(dialog), nullptr);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(o));
    EXPECT_GE(ownerTicks, 4) << "the owner's timer went on during the modal loop";
    EXPECT_EQ(GetActiveWindow(), o);
    EXPECT_GE(activations, 1) << "the owner's Activate runs on its return";
}

// A message box of the clock; inside it the alarm window, opened by the
// clock's timer; inside that another modal form of the clock. Each closes
// back into the one it was opened from, the clock stays disabled until the
// last has gone, and the timers go on throughout.
TEST_F(Win32HostTest, NestedModalWindowsUnwindInOrder) {
    FaceForm clock;
    ui::Timer ticker(clock, "ticker", 50), ring(clock, "ring", 200);
    int clockTicks = 0;
    ticker.Tick = [&] { ++clockTicks; };
    DialogForm alarm, question;
    alarm.SetHost(&host);
    question.SetHost(&host);
    ui::Timer ask(alarm, "ask", 100), answer(question, "answer", 300);

    struct State {
        bool ran = false;
        bool clockEnabled = false, boxEnabled = false, alarmEnabled = false;
        HWND active = nullptr;
    };
    HWND c = nullptr, box = nullptr, alarmWnd = nullptr;
    auto state = [&] {
        return State{true, IsWindowEnabled(c) != 0, IsWindowEnabled(box) != 0,
                     IsWindowEnabled(alarmWnd) != 0, GetActiveWindow()};
    };
    State withQuestion, afterQuestion, afterAlarm;
    int ticksWithQuestion = 0;
    answer.Tick = [&] {
        answer.SetEnabled(false);
        withQuestion = state();
        question.Unload();
    };
    ask.Tick = [&] {
        ask.SetEnabled(false);
        alarmWnd = Wnd(alarm);
        const int before = clockTicks;
        question.ShowModal(&clock);
        ticksWithQuestion = clockTicks - before;
        afterQuestion = state();
        alarm.Unload();
    };
    ring.Tick = [&] {
        ring.SetEnabled(false);
        box = FindWindowA("#32770", "Nested");
        alarm.ShowModal(&clock);
        afterAlarm = state();
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    ShowAndSettle(clock);
    c = Wnd(clock);
    // The system's message box, as the platform shows it: owned by the clock.
    MessageBoxA(c, "Close?", "Nested", MB_OK);

    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(withQuestion.ran && afterQuestion.ran && afterAlarm.ran);
    EXPECT_FALSE(withQuestion.clockEnabled);
    EXPECT_FALSE(withQuestion.boxEnabled) << "the alarm window's modal rule disables the box";
    EXPECT_FALSE(withQuestion.alarmEnabled);
    EXPECT_GE(ticksWithQuestion, 3) << "the clock's timer in the innermost loop";

    EXPECT_FALSE(afterQuestion.clockEnabled) << "its owner: not disabled by it, not enabled by it";
    EXPECT_TRUE(afterQuestion.alarmEnabled);
    EXPECT_EQ(afterQuestion.active, alarmWnd) << "back in the alarm window";
    EXPECT_FALSE(afterQuestion.boxEnabled);

    EXPECT_TRUE(afterAlarm.boxEnabled);
    EXPECT_EQ(afterAlarm.active, box) << "back in the message box";
    EXPECT_FALSE(afterAlarm.clockEnabled) << "the box still holds the clock";

    EXPECT_TRUE(IsWindowEnabled(c)) << "the box gone";
}

// A form that puts itself on top in Activate, as the clock and its dialogs
// do, is on top after its first show and after its dialog has closed.
TEST_F(Win32HostTest, WhatActivateDoesToTheZOrderSticks) {
    auto onTop = [](HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    constexpr auto kTopMost = ui::Placement::TopMost;
    constexpr unsigned kNoMoveNoSize = SWP_NOMOVE | SWP_NOSIZE;
    FaceForm owner;
    int activations = 0;
    owner.Activate = [&] {
        ++activations;
        host.SetWindowPos(owner, kTopMost, kNoMoveNoSize);
    };
    owner.SetHost(&host);
    owner.Show();
    HWND o = Wnd(owner);
    EXPECT_EQ(activations, 1) << "raised by the first show, before it returns";
    EXPECT_TRUE(onTop(o)) << "after the first show";

    // Off the top again, as a changed setting leaves it.
    ::SetWindowPos(o, HWND_NOTOPMOST, 0, 0, 0, 0, kNoMoveNoSize | SWP_NOACTIVATE);
    ASSERT_FALSE(onTop(o));
    DialogForm dialog;
    dialog.SetHost(&host);
    dialog.Activate = [&] { host.SetWindowPos(dialog, kTopMost, kNoMoveNoSize); };
    ui::Timer closer(dialog, "closer", 300);
    bool closed = false, dialogOnTop = false;
    closer.Tick = [&] {
        closed = true;
        dialogOnTop = onTop(Wnd(dialog));
        dialog.Unload();
    };
    activations = 0;
    dialog.ShowModal(&owner);
    ASSERT_TRUE(closed);
    EXPECT_TRUE(dialogOnTop) << "the dialog's own Activate";
    EXPECT_EQ(activations, 1) << "the owner's Activate on its return";
    EXPECT_TRUE(onTop(o)) << "after the dialog";
}

// The tip of a painted control shows when the pointer rests on it.
TEST_F(Win32HostTest, ToolTipShowsUnderThePointer) {
    FaceForm face;
    face.label.SetToolTip("Esc closes");
    ShowAndSettle(face);
    HWND h = Wnd(face);
    POINT at{100, 25};  // inside the label's text, client pixels
    ClientToScreen(h, &at);
    SetCursorPos(at.x, at.y);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(100, 25));
    auto shownTip = [] {
        std::string text;
        EnumThreadWindows(GetCurrentThreadId(), &ShownTip, reinterpret_cast<LPARAM>(&text));
        return text;
    };
    EXPECT_TRUE(PumpUntil([&] { return !shownTip().empty(); }, 3000)) << "no tip shown";
    EXPECT_EQ(shownTip(), "Esc closes");
}

TEST_F(Win32HostTest, SystemClosesReachTheModel) {
    // The close box: a form may handle it itself, else it unloads.
    FaceForm face;
    DialogForm dialog;
    face.SetHost(&host);
    host.SetMainForm(face);
    host.Load(face);
    dialog.SetHost(&host);
    host.Load(dialog);
    bool handle = true;
    dialog.CloseRequest = [&] { return handle; };
    SendMessageA(Wnd(dialog), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog.Unloaded());
    handle = false;
    SendMessageA(Wnd(dialog), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialog.Unloaded());
    EXPECT_EQ(Wnd(dialog), nullptr);

    // Windows ending: the main form stores its state before the answer.
    int queries = 0;
    face.QueryUnload = [&] { ++queries; };
    HWND h = Wnd(face);
    EXPECT_EQ(SendMessageA(h, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(queries, 0);
    SendMessageA(h, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(queries, 1);
    EXPECT_FALSE(IsWindow(h));
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "main form gone: quit";
}

// What keeps a reading of the screen hears of a new display or a new work
// area from any form, and not of other settings.
TEST_F(Win32HostTest, DisplayChangeReachesTheHostsHook) {
    FaceForm face;
    ShowAndSettle(face);
    int changes = 0;
    host.DisplayChanged = [&] { ++changes; };
    SendMessageA(Wnd(face), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
    EXPECT_EQ(changes, 1);
    SendMessageA(Wnd(face), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    EXPECT_EQ(changes, 1);
    SendMessageA(Wnd(face), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(changes, 2);
}

TEST_F(Win32HostTest, PopupMenuRunsTheChosenItem) {
    FaceForm face;
    ShowAndSettle(face);
    HWND h = Wnd(face);
    ui::Menu menu("menu");
    ui::MenuItem first("first"), line("line", true), second("second"), third("third");
    first.Caption = "&First";
    second.Caption = "&Second";
    third.Caption = "&Third";
    menu.Items = {&first, &line, &second, &third};
    std::vector<std::string> clicked;
    first.Click = [&] { clicked.push_back("first"); };
    second.Click = [&] { clicked.push_back("second"); };
    third.Click = [&] { clicked.push_back("third"); };
    // Down selects the first item, down again skips the separator.
    PostMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
    host.PopupMenu(face, menu, &first);
    EXPECT_EQ(clicked, std::vector<std::string>{"second"});
}

// A dialog with a control of every kind, made in keyboard order: a tab
// control whose first page holds a framed label and list, a check box and
// two options; a button below.
class ControlsForm : public ui::Form {
public:
    ui::TabControl tabs{*this, "tabs", nullptr, 2};
    ui::Frame frame{*this, "frame", &tabs};
    ui::Label label{*this, "label", &frame};
    ui::ComboBox list{*this, "list", &frame};
    ui::CheckBox check{*this, "check", &frame};
    ui::OptionButton one{*this, "one", &frame, 0};
    ui::OptionButton two{*this, "two", &frame, 1};
    ui::TextBox path{*this, "path", &tabs};
    ui::Button ok{*this, "ok", nullptr};
    int okClicks = 0, checkClicks = 0;

    ControlsForm() : ui::Form("ControlsForm") {
        Border = ui::BorderStyle::FixedDialog;
        ClientWidth = 4305;
        ClientHeight = 4920;
        Move(3000, 1500, ClientWidth, ClientHeight);
        SetCaption("Controls");
        int order = 0;
        for (ui::Control* c : Controls()) c->TabIndex = order++;
        tabs.Move(300, 300, 3735, 3705);
        frame.Move(270, 540, 3195, 2500);
        label.AutoSize = true;
        label.Move(210, 360, 0, 195);
        list.Move(210, 630, 750, 315);
        for (const char* item : {"00", "01", "02"}) list.AddItem(item);
        check.Move(210, 1100, 2000, 285);
        one.Move(210, 1500, 2000, 255);
        two.Move(210, 1900, 2000, 255);
        path.Move(270, 3100, 2025, 315);
        path.Locked = true;
        tabs.Place(frame, 0);
        tabs.Place(path, 1);
        ok.Move(1770, 4230, 1095, 345);
        ok.Click = [this] { ++okClicks; };
        check.Click = [this] { ++checkClicks; };
    }
    void Captions() {
        tabs.SetTabCaption(0, "First");
        tabs.SetTabCaption(1, "Second");
        frame.SetCaption("Frame");
        label.SetText("H&our");
        check.SetCaption("&Check");
        one.SetCaption("&One");
        two.SetCaption("&Two");
        ok.SetCaption("OK");
    }
};

BOOL CALLBACK CountChild(HWND, LPARAM n) {
    ++*reinterpret_cast<int*>(n);
    return TRUE;
}
BOOL CALLBACK CountTop(HWND h, LPARAM n) {
    ++*reinterpret_cast<int*>(n);
    EnumChildWindows(h, CountChild, n);
    return TRUE;
}
int WindowsOfThisThread() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&n));
    return n;
}

std::string TextOf(HWND h) {
    char t[128] = "";
    GetWindowTextA(h, t, sizeof t);
    return t;
}

// What the dialog manager does with the real child windows: Tab walks them
// in keyboard order, an access key on a label moves to the list after it,
// Enter presses no button unless one has the focus, a click is the model's
// to apply, and the window shows what the model holds.
TEST_F(Win32HostTest, DialogControlsAreRealWindowsInKeyboardOrder) {
    ControlsForm form;
    form.SetHost(&host);
    host.Load(form);
    form.Captions();
    ShowAndSettle(form);
    HWND dlg = Wnd(form);
    HWND first = GetFocus();
    ASSERT_TRUE(first && IsChild(dlg, first));
    char cls[64];
    GetClassNameA(first, cls, sizeof cls);
    EXPECT_STREQ("SysTabControl32", cls) << "the focus starts on the first control";

    std::vector<std::string> walk;
    HWND h = first;
    for (int i = 0; i < 6; ++i) {
        h = GetNextDlgTabItem(dlg, h, FALSE);
        GetClassNameA(h, cls, sizeof cls);
        walk.push_back(std::string(cls) + ":" + TextOf(h));
    }
    EXPECT_EQ(walk, (std::vector<std::string>{"ComboBox:", "Button:&Check", "Button:&One",
                                              "Button:&Two", "Button:OK",
                                              "SysTabControl32:"}));

    // Alt+O is the label's access key: the list after it takes the focus.
    SetFocus(first);
    PostMessageA(GetFocus(), WM_SYSCHAR, 'o', 1 << 29);
    PumpUntil([] { return false; }, 200);
    GetClassNameA(GetFocus(), cls, sizeof cls);
    EXPECT_STREQ("ComboBox", cls);

    // Enter on the check box presses nothing: there is no default button.
    HWND checkWnd = FindWindowExA(dlg, nullptr, "Button", "&Check");
    SetFocus(checkWnd);
    PostMessageA(checkWnd, WM_KEYDOWN, VK_RETURN, 1);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(0, form.okClicks);

    SendMessageA(checkWnd, BM_CLICK, 0, 0);
    host.DoEvents();
    EXPECT_EQ(1, form.checkClicks);
    EXPECT_EQ(1, form.check.Value());
    EXPECT_EQ(BST_CHECKED, SendMessageA(checkWnd, BM_GETCHECK, 0, 0));

    // The model writes, the window follows: list choice, option, page.
    form.list.SetListIndex(2);
    form.two.SetValue(true);
    HWND listWnd = FindWindowExA(dlg, nullptr, "ComboBox", nullptr);
    EXPECT_EQ(2, SendMessageA(listWnd, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(BST_CHECKED,
              SendMessageA(FindWindowExA(dlg, nullptr, "Button", "&Two"), BM_GETCHECK, 0, 0));
    form.tabs.SetTab(1);
    EXPECT_FALSE(IsWindowVisible(listWnd));
    EXPECT_TRUE(IsWindowVisible(FindWindowExA(dlg, nullptr, "Edit", nullptr)));
    form.Unload();
}

// Opening and closing a dialog leaves no window behind, however often.
TEST_F(Win32HostTest, DialogOpenedAndClosedTwoHundredTimesLeavesNoWindowBehind) {
    auto cycle = [&] {
        ControlsForm form;
        form.SetHost(&host);
        host.Load(form);
        form.Captions();
        form.Show();
        host.DoEvents();
        form.Unload();
        host.DoEvents();
    };
    cycle();
    const int after1 = WindowsOfThisThread();
    for (int i = 0; i < 199; ++i) cycle();
    EXPECT_EQ(after1, WindowsOfThisThread());
}

}  // namespace
