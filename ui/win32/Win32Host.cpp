#include "ui/win32/Win32Host.h"

#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui::win32 {

namespace {

constexpr char kClassName[] = "ZilvaneForm";
// Child ids of buttons start above IDOK/IDCANCEL, which the dialog keys use.
constexpr int kFirstButtonId = 100;
// An aligned timer fires this long after the second boundary, so that the
// clock has surely turned when the handler reads it.
constexpr unsigned kSecondSlackMs = 4;
constexpr UINT_PTR kSecondTimerId = 0x5EC;  // shared by the timers on the second

COLORREF ToColorRef(Color c) {
    if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFFu));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

int StripColumns(Strip s) {
    switch (s) {
        case Strip::Haneler0:
        case Strip::Haneler1:
        case Strip::Haneler2: return 10;
        case Strip::Noktalar: return 3;
        case Strip::Alarmlar: return 4;
        default: return 1;
    }
}

int StripResource(Strip s) {
    switch (s) {
        case Strip::Haneler0: return IDB_HANELER0;
        case Strip::Haneler1: return IDB_HANELER1;
        case Strip::Haneler2: return IDB_HANELER2;
        case Strip::Noktalar: return IDB_NOKTALAR;
        case Strip::Alarmlar: return IDB_ALARMLAR;
        default: return 0;
    }
}

// Milliseconds from now to a little after the next second of the system clock.
unsigned DelayToNextSecond() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG t = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    const unsigned ms = static_cast<unsigned>((t / 10000) % 1000);
    return 1000 - ms + kSecondSlackMs;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

bool OfThisProcess(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid == GetCurrentProcessId();
}

int ButtonState(WPARAM keys) {
    int b = 0;
    if (keys & MK_LBUTTON) b |= kLeftButton;
    if (keys & MK_RBUTTON) b |= kRightButton;
    if (keys & MK_MBUTTON) b |= kMiddleButton;
    return b;
}

int ShiftState(WPARAM keys) {
    int s = 0;
    if (keys & MK_SHIFT) s |= 1;
    if (keys & MK_CONTROL) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

}  // namespace

// One loaded form and its window.
struct Win32Host::Window {
    Win32Host* host = nullptr;
    Form* form = nullptr;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    bool dialog = false;
    HWND disabledOwner = nullptr;  // re-enabled when this modal form goes
    HWND lastFocus = nullptr;
    Pointer pointer = Pointer::Default;
    std::vector<std::pair<Button*, HWND>> buttons;  // tab order; id = kFirstButtonId + index
    // Where each painted control was last seen, to repaint old and new places.
    struct Seen {
        RECT rect{};
        bool shown = false;
        std::string tip;
    };
    std::map<const Control*, Seen> seen;
    // The client area drawn off screen, kept from paint to paint so that the
    // tick's repaint makes no bitmap of its own.
    struct BackBuffer {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old = nullptr;
        int width = 0, height = 0;
        BackBuffer() = default;
        BackBuffer(const BackBuffer&) = delete;
        BackBuffer& operator=(const BackBuffer&) = delete;
        ~BackBuffer() { Release(); }
        void Release() {
            if (!dc) return;
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
            dc = nullptr;
        }
        HDC Fit(int w, int h) {
            if (dc && w <= width && h <= height) return dc;
            Release();
            BITMAPINFO bi{};
            bi.bmiHeader.biSize = sizeof bi.bmiHeader;
            bi.bmiHeader.biWidth = w;
            bi.bmiHeader.biHeight = -h;
            bi.bmiHeader.biPlanes = 1;
            bi.bmiHeader.biBitCount = 32;
            bi.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (!bitmap) return nullptr;
            dc = CreateCompatibleDC(nullptr);
            old = SelectObject(dc, bitmap);
            width = w;
            height = h;
            return dc;
        }
    } back;
    bool capturing = false;
    Control* pressed = nullptr;  // mouse target while a button is down; nullptr: the form

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    int Px(int twips) const;
    RECT Box(const Control& c) const;      // model rect, client pixels
    RECT Clip(const Control& c) const;     // what its containers let through
    RECT Extent(const Control& c) const;   // where it draws (AutoSize labels: their text)
    RECT Visible(const Control& c) const;  // Extent within Clip
    std::vector<Control*> PaintOrder() const;
    bool HasChildren(const Control& c) const;

    void Paint(HDC dc, const RECT& client);
    void PaintControl(HDC dc, Control& c);
    void Relayout();
    void UpdateButton(Button& b, HWND h);
    void RebuildTools();
    void SyncFromModel();
    void SyncToModel();
    void ArmTimer(Timer& t);
    void FireSecondTimers();
    void ArmTimers();
    HWND ButtonWindow(const Button* b) const;
    Button* ButtonById(int id) const;
    void MarkDefault(HWND focused);
    LRESULT DefaultId() const;
    void ClickCancel();
    void ClickDefault();
    void FocusFirst();
    Control* HitTarget(POINT pt) const;
    void Mouse(UINT msg, WPARAM wParam, LPARAM lParam);
};

// --------------------------------------------------------------- geometry ---

int Win32Host::Window::Px(int twips) const {
    const int tpp = host->tpp_;
    return twips >= 0 ? (twips + tpp / 2) / tpp : -((-twips + tpp / 2) / tpp);
}

RECT Win32Host::Window::Box(const Control& c) const {
    int x = 0, y = 0;
    for (const Control* p = c.Parent(); p; p = p->Parent()) {
        x += Px(p->Left());
        y += Px(p->Top());
    }
    x += Px(c.Left());
    y += Px(c.Top());
    return RECT{x, y, x + Px(c.Width()), y + Px(c.Height())};
}

RECT Win32Host::Window::Clip(const Control& c) const {
    RECT r{-32768, -32768, 32767, 32767};
    for (const Control* p = c.Parent(); p; p = p->Parent()) {
        RECT b = Box(*p);
        IntersectRect(&r, &r, &b);
    }
    return r;
}

RECT Win32Host::Window::Extent(const Control& c) const {
    RECT box = Box(c);
    auto* label = dynamic_cast<const Label*>(&c);
    if (!label || !label->AutoSize || !c.Shown()) return box;
    // An AutoSize label is as large as its text: as wide when it does not
    // wrap, as high when it does. Measured on a memory DC: no window DC per
    // change.
    HDC dc = static_cast<HDC>(host->MeasureDC());
    HGDIOBJ old = SelectObject(dc, host->FontFor(label->GetFont()));
    RECT r{box.left, box.top, label->WordWrap ? box.right : box.left, box.top};
    UINT flags = DT_CALCRECT | (label->WordWrap ? DT_WORDBREAK : 0);
    const std::string& text = label->Text();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SelectObject(dc, old);
    if (label->WordWrap) r.right = box.right;
    return r;
}

RECT Win32Host::Window::Visible(const Control& c) const {
    RECT e = Extent(c), clip = Clip(c), r;
    if (!IntersectRect(&r, &e, &clip)) SetRectEmpty(&r);
    return r;
}

bool Win32Host::Window::HasChildren(const Control& c) const {
    for (Control* x : form->Controls())
        if (x->Parent() == &c) return true;
    return false;
}

// Containers first, then their contents, each level in registration order.
std::vector<Control*> Win32Host::Window::PaintOrder() const {
    std::vector<Control*> order;
    const auto& all = form->Controls();
    auto add = [&](auto&& self, const Control* parent) -> void {
        for (Control* c : all) {
            if (c->Parent() != parent) continue;
            order.push_back(c);
            self(self, c);
        }
    };
    add(add, nullptr);
    return order;
}

void Win32Host::Window::SyncToModel() {
    form->Minimized = IsIconic(hwnd) != 0;
    if (form->Minimized) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    const int tpp = host->tpp_;
    form->SyncGeometry(r.left * tpp, r.top * tpp, (r.right - r.left) * tpp,
                       (r.bottom - r.top) * tpp);
}

void Win32Host::Window::SyncFromModel() {
    char caption[512];
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (form->Caption() != caption) SetWindowTextA(hwnd, form->Caption().c_str());
    if (!IsIconic(hwnd)) {
        RECT want{Px(form->Left()), Px(form->Top()), Px(form->Left()) + Px(form->Width()),
                  Px(form->Top()) + Px(form->Height())};
        RECT have;
        GetWindowRect(hwnd, &have);
        if (!SameRect(want, have))
            ::SetWindowPos(hwnd, nullptr, want.left, want.top, want.right - want.left,
                           want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SyncToModel();
    InvalidateRect(hwnd, nullptr, FALSE);  // the background colour may be new too
}

// --------------------------------------------------------------- painting ---

// Paints what lies in area: the background, then each shown control that
// reaches into it.
void Win32Host::Window::Paint(HDC dc, const RECT& area) {
    HBRUSH back = CreateSolidBrush(ToColorRef(form->BackColor));
    FillRect(dc, &area, back);
    DeleteObject(back);
    for (Control* c : PaintOrder()) {
        if (!c->Shown() || dynamic_cast<Button*>(c)) continue;
        RECT seen = Visible(*c), common;
        if (IntersectRect(&common, &seen, &area)) PaintControl(dc, *c);
    }
}

void Win32Host::Window::PaintControl(HDC dc, Control& c) {
    const RECT clip = Clip(c);
    const RECT box = Box(c);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);

    if (auto* pic = dynamic_cast<PictureBox*>(&c)) {
        IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        HBRUSH brush = CreateSolidBrush(ToColorRef(pic->BackColor()));
        FillRect(dc, &box, brush);
        DeleteObject(brush);
        const Picture& p = pic->GetPicture();
        if (auto bmp = static_cast<HBITMAP>(host->StripBitmap(p.strip))) {
            BITMAP bm;
            GetObject(bmp, sizeof bm, &bm);
            const int columns = StripColumns(p.strip);
            const int cellWidth = bm.bmWidth / columns;
            if (p.cell >= 0 && p.cell < columns) {
                HDC src = static_cast<HDC>(host->StripDC());
                HGDIOBJ old = SelectObject(src, bmp);
                BitBlt(dc, box.left, box.top, cellWidth, bm.bmHeight, src, p.cell * cellWidth, 0,
                       SRCCOPY);
                SelectObject(src, old);
            }
        }
    } else if (auto* label = dynamic_cast<Label*>(&c)) {
        RECT r = Extent(c);
        UINT flags = DT_LEFT | DT_TOP;
        if (!label->AutoSize) {
            flags |= DT_WORDBREAK;
            IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        } else {
            flags |= DT_NOCLIP | (label->WordWrap ? DT_WORDBREAK : 0);
        }
        SelectObject(dc, host->FontFor(label->GetFont()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, c.Enabled() ? ToColorRef(label->ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
        const std::string& text = label->Text();
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    } else if (auto* image = dynamic_cast<Image*>(&c)) {
        if (auto icon = static_cast<HICON>(host->Icon(image->IconId)))
            DrawIconEx(dc, box.left, box.top, icon, 32, 32, 0, nullptr, DI_NORMAL);
    }
    RestoreDC(dc, saved);
}

// --------------------------------------------------- controls and windows ---

HWND Win32Host::Window::ButtonWindow(const Button* b) const {
    for (auto& [button, h] : buttons)
        if (button == b) return h;
    return nullptr;
}

Button* Win32Host::Window::ButtonById(int id) const {
    const int i = id - kFirstButtonId;
    if (i < 0 || i >= static_cast<int>(buttons.size())) return nullptr;
    return buttons[i].first;
}

void Win32Host::Window::UpdateButton(Button& b, HWND h) {
    char text[512];
    GetWindowTextA(h, text, sizeof text);
    if (b.Caption() != text) SetWindowTextA(h, b.Caption().c_str());
    EnableWindow(h, b.Enabled());
    const RECT r = Box(b);
    ::SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (b.Shown() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// Tools go in from the topmost control down: the tooltip takes the first
// tool under the mouse, so a label's tip wins over its panel's.
void Win32Host::Window::RebuildTools() {
    if (!tooltip) return;
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    while (SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti))) {
        SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        ti = TOOLINFOA{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
    }
    std::vector<Control*> order = PaintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Control* c = *it;
        if (c->ToolTip().empty() || !c->Shown()) continue;
        ti = TOOLINFOA{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = hwnd;
        ti.hinst = nullptr;
        ti.lpszText = const_cast<char*>(c->ToolTip().c_str());
        if (HWND b = ButtonWindow(dynamic_cast<Button*>(c))) {
            ti.uFlags |= TTF_IDISHWND;
            ti.uId = reinterpret_cast<UINT_PTR>(b);
        } else {
            ti.uId = reinterpret_cast<UINT_PTR>(c);
            ti.rect = Visible(*c);
        }
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

// Everything may have moved: repaint all, place the buttons, renew the tips.
void Win32Host::Window::Relayout() {
    seen.clear();
    for (Control* c : form->Controls())
        if (!dynamic_cast<Button*>(c)) seen[c] = Seen{Visible(*c), c->Shown(), c->ToolTip()};
    for (auto& [b, h] : buttons) UpdateButton(*b, h);
    RebuildTools();
    InvalidateRect(hwnd, nullptr, FALSE);
}

// Timers on the second share one system timer per window: one wake-up a
// second serves them all.
void Win32Host::Window::ArmTimer(Timer& t) {
    if (t.AlignToSecond) {
        const auto& timers = form->Timers();
        const bool any = std::any_of(timers.begin(), timers.end(),
                                     [](Timer* x) { return x->AlignToSecond && x->Running(); });
        if (any)
            SetTimer(hwnd, kSecondTimerId, DelayToNextSecond(), nullptr);
        else
            KillTimer(hwnd, kSecondTimerId);
        return;
    }
    const auto& timers = form->Timers();
    auto it = std::find(timers.begin(), timers.end(), &t);
    if (it == timers.end()) return;
    const UINT_PTR id = static_cast<UINT_PTR>(it - timers.begin()) + 1;
    if (!t.Running()) {
        KillTimer(hwnd, id);
        return;
    }
    SetTimer(hwnd, id, static_cast<UINT>(t.Interval()), nullptr);
}

// Fires the timers on the second in their order. Each may unload the form,
// and with it this object: check the window before every next one.
void Win32Host::Window::FireSecondTimers() {
    std::vector<Timer*> due;
    for (Timer* t : form->Timers())
        if (t->AlignToSecond && t->Running()) due.push_back(t);
    if (due.empty()) {
        KillTimer(hwnd, kSecondTimerId);
        return;
    }
    // Re-armed first: a tick may sit in a modal loop, and the next second
    // must come all the same.
    SetTimer(hwnd, kSecondTimerId, DelayToNextSecond(), nullptr);
    Win32Host* h = host;
    const HWND self = hwnd;
    for (Timer* t : due) {
        if (h->Find(static_cast<void*>(self)) == nullptr) return;
        if (t->Running()) t->Fire();
    }
}

void Win32Host::Window::ArmTimers() {
    for (Timer* t : form->Timers()) ArmTimer(*t);
}

// --------------------------------------------------------------- keyboard ---

// The focused button shows as the default one, as in a dialog box.
void Win32Host::Window::MarkDefault(HWND focused) {
    for (auto& [b, h] : buttons)
        SendMessageA(h, BM_SETSTYLE, h == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

LRESULT Win32Host::Window::DefaultId() const {
    HWND focus = GetFocus();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].second == focus) return MAKELRESULT(kFirstButtonId + i, DC_HASDEFID);
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].first->Default) return MAKELRESULT(kFirstButtonId + i, DC_HASDEFID);
    return 0;
}

// Esc presses the cancel button wherever it lies, even outside the window.
void Win32Host::Window::ClickCancel() {
    for (auto& [b, h] : buttons)
        if (b->Cancel && b->Enabled() && b->Visible()) {
            b->PerformClick();
            return;
        }
}

void Win32Host::Window::ClickDefault() {
    HWND focus = GetFocus();
    for (auto& [b, h] : buttons)
        if (h == focus && b->Enabled()) {
            b->PerformClick();
            return;
        }
    for (auto& [b, h] : buttons)
        if (b->Default && b->Enabled() && b->Visible()) {
            b->PerformClick();
            return;
        }
}

void Win32Host::Window::FocusFirst() {
    if (lastFocus && IsWindow(lastFocus) && IsChild(hwnd, lastFocus) && IsWindowVisible(lastFocus) &&
        IsWindowEnabled(lastFocus)) {
        SetFocus(lastFocus);
        return;
    }
    for (auto& [b, h] : buttons)
        if (IsWindowVisible(h) && IsWindowEnabled(h)) {
            SetFocus(h);
            return;
        }
    SetFocus(hwnd);
}

// ------------------------------------------------------------------ mouse ---

// The topmost shown control under the point that handles the mouse itself
// or through a container; nullptr: the form.
Control* Win32Host::Window::HitTarget(POINT pt) const {
    std::vector<Control*> order = PaintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Control* c = *it;
        if (dynamic_cast<Button*>(c) || !c->Shown()) continue;
        bool enabled = true;
        for (const Control* p = c; p; p = p->Parent()) enabled = enabled && p->Enabled();
        if (!enabled) continue;
        RECT r = Visible(*c);
        if (!PtInRect(&r, pt)) continue;
        for (Control* p = c; p; p = p->Parent())
            if (p->HandlesMouse()) return p;
        return nullptr;
    }
    return nullptr;
}

void Win32Host::Window::Mouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                      msg == WM_LBUTTONDBLCLK;
    const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;

    Control* target = capturing && !down ? pressed : HitTarget(pt);
    if (down) {
        pressed = target;
        SetCapture(hwnd);
        capturing = true;
    }
    if (up && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
    if (down && msg != WM_LBUTTONDBLCLK) return;

    const int tpp = host->tpp_;
    int x = pt.x * tpp, y = pt.y * tpp;
    if (target) {
        const RECT b = Box(*target);
        x = (pt.x - b.left) * tpp;
        y = (pt.y - b.top) * tpp;
    }
    const int shift = ShiftState(wParam);
    // Copies: a handler may do anything to its form, even unload it.
    const auto move = target ? target->MouseMove : form->MouseMove;
    const auto release = target ? target->MouseUp : form->MouseUp;
    const auto dbl = target ? target->DblClick : form->DblClick;
    switch (msg) {
        case WM_MOUSEMOVE:
            if (move) move(ButtonState(wParam), shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int button = msg == WM_LBUTTONUP   ? kLeftButton
                               : msg == WM_RBUTTONUP ? kRightButton
                                                     : kMiddleButton;
            if (release) release(button, shift, x, y);
            break;
        }
        case WM_LBUTTONDBLCLK:
            if (dbl) dbl();
            break;
    }
}

// ---------------------------------------------------------- window procedure ---

LRESULT CALLBACK Win32Host::Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        w->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    auto* w = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!w) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Destroyed from outside the model (with its owner, say): forget it.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        w->host->windows_.erase(w->form);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return w->Handle(msg, wParam, lParam);
}

// Handlers may unload the form, and with it this object: every call into
// the model is the last thing a case does.
LRESULT Win32Host::Window::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client;
            GetClientRect(hwnd, &client);
            const RECT& r = ps.rcPaint;
            if (!IsRectEmpty(&r)) {
                // Only the damaged part is drawn, off screen, then shown at once.
                if (HDC mem = back.Fit(client.right, client.bottom)) {
                    Paint(mem, r);
                    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, r.left,
                           r.top, SRCCOPY);
                } else {
                    Paint(dc, r);
                }
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            SyncToModel();
            if (pos->flags & SWP_SHOWWINDOW) form->SyncVisible(true);
            if (pos->flags & SWP_HIDEWINDOW) form->SyncVisible(false);
            break;  // DefWindowProc sends WM_MOVE and WM_SIZE
        }
        case WM_MOVE:
        case WM_SIZE: SyncToModel(); return 0;
        case WM_ACTIVATE: {
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd, focus)) lastFocus = focus;
                return 0;
            }
            if (!HIWORD(wParam)) {
                if (dialog)
                    FocusFirst();
                else
                    SetFocus(hwnd);
            }
            // Activate belongs to the program's own changes of the active
            // window: the first show, the return from one of its dialogs.
            HWND other = reinterpret_cast<HWND>(lParam);
            if ((!other || OfThisProcess(other)) && form->Activate) form->Activate();
            return 0;
        }
        case WM_SETFOCUS:
            if (dialog && lastFocus && IsWindow(lastFocus) && IsChild(hwnd, lastFocus))
                SetFocus(lastFocus);
            return 0;
        case WM_NEXTDLGCTL: {
            HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
            if (next) SetFocus(next);
            return 0;
        }
        case DM_GETDEFID: return DefaultId();
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (Button* b = ButtonById(id); b && lParam) {
                if (code == BN_SETFOCUS) MarkDefault(reinterpret_cast<HWND>(lParam));
                if (code == BN_CLICKED && b->Enabled()) b->PerformClick();
                return 0;
            }
            if (id == IDCANCEL) ClickCancel();
            if (id == IDOK) ClickDefault();
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                ClickCancel();
                return 0;
            }
            if (wParam == VK_RETURN) {
                ClickDefault();
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd) {
                SetCursor(static_cast<HCURSOR>(host->Cursor(pointer)));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_LBUTTONDBLCLK: Mouse(msg, wParam, lParam); return 0;
        case WM_CAPTURECHANGED: capturing = false; return 0;
        case WM_TIMER: {
            if (wParam == kSecondTimerId) {
                FireSecondTimers();
                return 0;
            }
            const auto& timers = form->Timers();
            if (wParam < 1 || wParam > timers.size()) break;
            Timer& t = *timers[wParam - 1];
            if (!t.Running()) {
                KillTimer(hwnd, wParam);
                return 0;
            }
            t.Fire();
            return 0;
        }
        case WM_CLOSE: {
            Form* f = form;  // outlives this object
            if (f->CloseRequest && f->CloseRequest()) return 0;
            f->Unload();
            return 0;
        }
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            // The process ends without a close when this returns: store now.
            if (wParam && host->main_ && !host->main_->Unloaded()) host->main_->Unload();
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ------------------------------------------------------------------- host ---

Win32Host::Win32Host(void* instance) : instance_(instance) {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dpi_ <= 0) dpi_ = 96;
    tpp_ = std::max(1, 1440 / dpi_);

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    auto inst = static_cast<HINSTANCE>(instance_);
    WNDCLASSEXA wc{};
    if (!GetClassInfoExA(inst, kClassName, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Window::Proc;
        wc.hInstance = inst;
        wc.hIcon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_ZILVANE));
        if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
        wc.lpszClassName = kClassName;
        RegisterClassExA(&wc);
    }
    buttonFont_ = CreateFontA(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

Win32Host::~Win32Host() {
    // Forms may already be gone: detach the windows before destroying them.
    std::vector<HWND> left;
    for (auto& [form, w] : windows_) {
        SetWindowLongPtrA(w->hwnd, GWLP_USERDATA, 0);
        left.push_back(w->hwnd);
    }
    windows_.clear();
    for (HWND h : left)
        if (IsWindow(h)) DestroyWindow(h);
    for (auto& [k, b] : strips_) DeleteObject(b);
    for (auto& [k, i] : icons_) DestroyIcon(static_cast<HICON>(i));
    for (auto& [k, f] : fonts_) DeleteObject(f);
    if (measureDC_) DeleteDC(static_cast<HDC>(measureDC_));
    if (stripDC_) DeleteDC(static_cast<HDC>(stripDC_));
    if (buttonFont_) DeleteObject(buttonFont_);
}

Win32Host::Window* Win32Host::Find(const Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

Win32Host::Window* Win32Host::Find(void* hwnd) const {
    for (auto& [form, w] : windows_)
        if (w->hwnd == hwnd) return w.get();
    return nullptr;
}

void* Win32Host::Handle(const Form& form) const {
    Window* w = Find(form);
    return w ? w->hwnd : nullptr;
}

void* Win32Host::StripBitmap(Strip strip) {
    const int id = StripResource(strip);
    if (!id) return nullptr;
    auto it = strips_.find(id);
    if (it != strips_.end()) return it->second;
    void* bmp = LoadImageA(static_cast<HINSTANCE>(instance_), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                           0, 0, LR_CREATEDIBSECTION);
    strips_[id] = bmp;
    return bmp;
}

void* Win32Host::Icon(int id) {
    auto it = icons_.find(id);
    if (it != icons_.end()) return it->second;
    void* icon =
        LoadImageA(static_cast<HINSTANCE>(instance_), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0);
    icons_[id] = icon;
    return icon;
}

void* Win32Host::FontFor(const Font& font) {
    const int height = -static_cast<int>(std::lround(font.points * dpi_ / 72.0));
    auto key = std::make_tuple(font.name, height, font.bold, font.underline);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    void* f = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    fonts_[key] = f;
    return f;
}

void* Win32Host::MeasureDC() {
    if (!measureDC_) measureDC_ = CreateCompatibleDC(nullptr);
    return measureDC_;
}

void* Win32Host::StripDC() {
    if (!stripDC_) stripDC_ = CreateCompatibleDC(nullptr);
    return stripDC_;
}

void* Win32Host::Cursor(Pointer pointer) {
    switch (pointer) {
        case Pointer::Hand:
            if (!handCursor_)
                handCursor_ = LoadCursorA(static_cast<HINSTANCE>(instance_),
                                          MAKEINTRESOURCEA(IDC_POINTING_HAND));
            if (handCursor_) return handCursor_;
            return LoadCursorA(nullptr, IDC_HAND);  // the system's own
        case Pointer::SizeAll: return LoadCursorA(nullptr, IDC_SIZEALL);
        default: return LoadCursorA(nullptr, IDC_ARROW);
    }
}

void Win32Host::Dispatch(void* msg) {
    MSG& m = *static_cast<MSG*>(msg);
    // Dialog forms get the dialog keys: Tab, Enter, Esc, access keys.
    if (HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr) {
        Window* w = Find(static_cast<void*>(root));
        if (w && w->dialog && IsDialogMessageA(root, &m)) return;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
}

void Win32Host::Changed(Form& form, Control* control) {
    Window* w = Find(form);
    if (!w) return;
    if (!control) {
        w->SyncFromModel();
        return;
    }
    if (auto* b = dynamic_cast<Button*>(control)) {
        if (HWND h = w->ButtonWindow(b)) w->UpdateButton(*b, h);
        w->RebuildTools();
        return;
    }
    Window::Seen now{w->Visible(*control), control->Shown(), control->ToolTip()};
    Window::Seen& was = w->seen[control];
    const bool moved = !SameRect(now.rect, was.rect) || now.shown != was.shown;
    if (moved && w->HasChildren(*control)) {
        w->Relayout();  // its contents moved or appeared with it
        return;
    }
    if (was.shown) InvalidateRect(w->hwnd, &was.rect, FALSE);
    if (now.shown) InvalidateRect(w->hwnd, &now.rect, FALSE);
    const bool tipChanged = now.tip != was.tip || (moved && !now.tip.empty());
    was = now;
    if (tipChanged) w->RebuildTools();
}

void Win32Host::Load(Form& form) {
    if (Find(form) || form.Unloaded()) return;
    if (!mainChosen_) SetMainForm(form);

    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->host = this;
    w->form = &form;
    w->dialog = form.Border == BorderStyle::FixedDialog;

    DWORD style, exStyle;
    int width, height;
    HWND owner = nullptr;
    if (w->dialog) {
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        RECT r{0, 0, w->Px(form.ClientWidth), w->Px(form.ClientHeight)};
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
        width = r.right - r.left;
        height = r.bottom - r.top;
        // Owned by the main window until a modal show names its owner.
        if (main_ && main_ != &form) owner = static_cast<HWND>(Handle(*main_));
    } else {
        style = WS_POPUP | WS_CLIPCHILDREN;
        exStyle = WS_EX_APPWINDOW;  // the clock has its taskbar button
        width = w->Px(form.Width());
        height = w->Px(form.Height());
    }
    windows_[&form] = std::move(owned);
    auto inst = static_cast<HINSTANCE>(instance_);
    HWND hwnd = CreateWindowExA(exStyle, kClassName, form.Caption().c_str(), style,
                                w->Px(form.Left()), w->Px(form.Top()), width, height, owner,
                                nullptr, inst, w);
    if (!hwnd) {
        windows_.erase(&form);
        return;
    }
    w->tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, inst,
                                 nullptr);

    // Buttons are real windows, created in tab order.
    std::vector<Button*> order;
    for (Control* c : form.Controls())
        if (auto* b = dynamic_cast<Button*>(c)) order.push_back(b);
    std::stable_sort(order.begin(), order.end(),
                     [](const Button* a, const Button* b) { return a->TabIndex < b->TabIndex; });
    for (Button* b : order) {
        const int id = kFirstButtonId + static_cast<int>(w->buttons.size());
        const RECT r = w->Box(*b);
        HWND h = CreateWindowExA(
            0, "BUTTON", b->Caption().c_str(),
            WS_CHILD | WS_TABSTOP | BS_NOTIFY | (b->Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
            r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
        w->buttons.emplace_back(b, h);
    }
    w->Relayout();
    w->ArmTimers();
    w->SyncToModel();
}

void Win32Host::Show(Form& form) {
    if (!Find(form)) Load(form);
    if (Window* w = Find(form)) ShowWindow(w->hwnd, SW_SHOW);
}

void Win32Host::Hide(Form& form) {
    if (Window* w = Find(form)) ShowWindow(w->hwnd, SW_HIDE);
}

void Win32Host::ShowModal(Form& form, Form* owner) {
    if (!Find(form)) Load(form);
    Window* w = Find(form);
    if (!w) return;
    HWND hwnd = w->hwnd;
    HWND ownerWnd = owner ? static_cast<HWND>(Handle(*owner)) : nullptr;
    if (ownerWnd && GetWindow(hwnd, GW_OWNER) != ownerWnd)
        SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWnd));
    ::SetWindowPos(hwnd, nullptr, w->Px(form.Left()), w->Px(form.Top()), w->Px(form.Width()),
                   w->Px(form.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
    if (ownerWnd && IsWindowEnabled(ownerWnd)) {
        EnableWindow(ownerWnd, FALSE);
        w->disabledOwner = ownerWnd;
    }
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);

    MSG m;
    while (!form.Unloaded() && Find(form)) {
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(m.wParam));  // for the loop outside
            break;
        }
        if (got < 0) break;
        Dispatch(&m);
    }
    if (Window* still = Find(form)) still->disabledOwner = nullptr;
    if (ownerWnd && IsWindow(ownerWnd)) {
        EnableWindow(ownerWnd, TRUE);
        if (IsWindowVisible(ownerWnd)) {
            SetActiveWindow(ownerWnd);
            SetForegroundWindow(ownerWnd);
        }
    }
}

void Win32Host::Unload(Form& form) {
    if (Window* w = Find(form)) {
        HWND hwnd = w->hwnd;
        // The owner comes back first, so that it is the window that takes
        // the activation when this one goes.
        if (w->disabledOwner) EnableWindow(w->disabledOwner, TRUE);
        DestroyWindow(hwnd);  // WM_NCDESTROY forgets the window
    }
    if (&form == main_) {
        main_ = nullptr;
        PostQuitMessage(0);
    }
}

void Win32Host::SetWindowPos(Form& form, long insertAfter, unsigned flags) {
    if (HWND h = static_cast<HWND>(Handle(form)))
        ::SetWindowPos(h, reinterpret_cast<HWND>(static_cast<LONG_PTR>(insertAfter)), 0, 0, 0, 0,
                       flags);
}

void Win32Host::DoEvents() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        Dispatch(&m);
    }
}

void Win32Host::BeginDrag(Form& form) {
    Window* w = Find(form);
    if (!w) return;
    HWND h = w->hwnd;
    // The move loop keeps the mouse from the tooltip: it would stay behind.
    if (w->tooltip) SendMessageA(w->tooltip, TTM_POP, 0, 0);
    ReleaseCapture();
    SendMessageA(h, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Win32Host::PopupMenu(Form& form, Menu& menu, MenuItem* defaultItem) {
    HWND h = static_cast<HWND>(Handle(form));
    if (!h) return;
    HMENU popup = CreatePopupMenu();
    for (size_t i = 0; i < menu.Items.size(); ++i) {
        MenuItem* item = menu.Items[i];
        if (item->Separator())
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(popup, MF_STRING, i + 1, item->Caption.c_str());
        if (item == defaultItem) SetMenuDefaultItem(popup, static_cast<UINT>(i + 1), FALSE);
    }
    POINT pt;
    GetCursorPos(&pt);
    SetForegroundWindow(h);
    const int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                      pt.x, pt.y, 0, h, nullptr);
    PostMessageA(h, WM_NULL, 0, 0);
    DestroyMenu(popup);
    // The action runs once the menu has gone, and only while the form lives.
    if (chosen > 0 && static_cast<size_t>(chosen) <= menu.Items.size() && Find(form)) {
        MenuItem* item = menu.Items[chosen - 1];
        if (item->Click) item->Click();
    }
}

void Win32Host::SetPointer(Form& form, Pointer pointer) {
    Window* w = Find(form);
    if (!w) return;
    w->pointer = pointer;
    POINT pt;
    GetCursorPos(&pt);
    if (GetCapture() == w->hwnd || WindowFromPoint(pt) == w->hwnd)
        SetCursor(static_cast<HCURSOR>(Cursor(pointer)));
}

void Win32Host::TimerChanged(Timer& timer) {
    if (Window* w = Find(timer.Owner())) w->ArmTimer(timer);
}

std::uintptr_t Win32Host::WindowHandle(const Form& form) {
    return reinterpret_cast<std::uintptr_t>(Handle(form));
}

void Win32Host::End() { ExitProcess(0); }

int Win32Host::Run() {
    MSG m;
    for (;;) {
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(m.wParam);
        if (got < 0) return -1;
        Dispatch(&m);
    }
}

}  // namespace ui::win32
