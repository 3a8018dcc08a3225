// The FormHost API over real windows: loading and showing forms, the
// message loops, modal shows.
#include "ui/win32/Win32Host.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiCache.h"

namespace ui::win32 {

// The common controls come with the first window that has one
// (FormWindow::CreateChildren, CreateTooltip), not with the host.
Win32Host::Win32Host(void* instance) : instance_(instance) {
    auto inst = static_cast<HINSTANCE>(instance_);
    FormWindow::RegisterWindowClass(inst);
    gdi_ = std::make_unique<GdiCache>(inst);
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
}

FormWindow* Win32Host::Find(const Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

FormWindow* Win32Host::Find(void* hwnd) const {
    for (auto& [form, w] : windows_)
        if (w->hwnd == hwnd) return w.get();
    return nullptr;
}

void* Win32Host::Handle(const Form& form) const {
    FormWindow* w = Find(form);
    return w ? w->hwnd : nullptr;
}

void Win32Host::Dispatch(void* msg) {
    MSG& m = *static_cast<MSG*>(msg);
    // Dialog forms get the dialog keys: Tab, Enter, Esc, access keys.
    if (HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr) {
        FormWindow* w = Find(static_cast<void*>(root));
        if (w && w->dialog && m.message == WM_KEYDOWN && m.wParam == VK_TAB &&
            GetKeyState(VK_CONTROL) < 0 && w->TurnPage(GetKeyState(VK_SHIFT) < 0))
            return;
        if (w && w->dialog && IsDialogMessageA(root, &m)) return;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
}

void Win32Host::Changed(Form& form, Control* control) {
    FormWindow* w = Find(form);
    if (!w) return;
    if (control)
        w->ControlChanged(*control);
    else
        w->SyncFromModel();
}

void Win32Host::Load(Form& form) {
    if (Find(form) || form.Unloaded()) return;
    if (!mainChosen_) SetMainForm(form);

    auto owned = std::make_unique<FormWindow>();
    FormWindow* w = owned.get();
    w->host = this;
    w->gdi = gdi_.get();
    w->form = &form;
    w->dialog = form.Border == BorderStyle::FixedDialog;
    // A dialog is owned by the main window until a modal show names its owner.
    HWND owner = nullptr;
    if (w->dialog && main_ && main_ != &form) owner = static_cast<HWND>(Handle(*main_));
    windows_[&form] = std::move(owned);
    if (!FormWindow::Create(*w, static_cast<HINSTANCE>(instance_), owner)) windows_.erase(&form);
}

int Win32Host::TwipsPerPixel() const { return 1440 / platform::win32::SystemDpi(); }

int Win32Host::Dpi(const Form& form) {
    FormWindow* w = Find(form);
    return w ? w->display.dpi : platform::win32::SystemDpi();
}

bool Win32Host::MeasureText(const Form& form, const Font& font, const std::string& text,
                            int wrapWidth, int& width, int& height) {
    // At the DPI of the form's window, or of the screen before it has one.
    FormWindow* w = Find(form);
    const Display display = w ? w->display : Display{platform::win32::SystemDpi(), {}, {}};
    // An auto-size label is measured on every change of its text (the small
    // face's seconds digit every second, shown or not): the last texts
    // measured are kept.
    for (const Measured& m : measured_) {
        if (m.dpi == display.dpi && m.wrapWidth == wrapWidth && m.text == text && m.font == font) {
            width = m.width;
            height = m.height;
            return true;
        }
    }
    // Measured as the screen draws it: a memory DC may pick another face.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, gdi_->FontFor(font, display.dpi));
    RECT r{0, 0, wrapWidth > 0 ? display.Px(wrapWidth) : 0, 0};
    // "&" marks an access key, as the static text shows it.
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : 0));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // A static text under Wine needs a few pixels beyond the measured
    // width, or its last character is cut.
    if (r.right > 0 && wrapWidth <= 0) r.right += 4;
    width = display.Twips(r.right);
    height = display.Twips(r.bottom);
    if (measured_.size() == kMeasuredKept) measured_.erase(measured_.begin());
    measured_.push_back(Measured{font, text, display.dpi, wrapWidth, width, height});
    return true;
}

void Win32Host::Show(Form& form) {
    if (!Find(form)) Load(form);
    FormWindow* w = Find(form);
    if (!w) return;
    ShowWindow(w->hwnd, SW_SHOW);
    // The first frame before what the activation sets off.
    UpdateWindow(w->hwnd);
    RaiseActivate();
}

void Win32Host::Hide(Form& form) {
    if (FormWindow* w = Find(form)) ShowWindow(w->hwnd, SW_HIDE);
}

// The toolkit's modal rule: a modal form disables the program's other
// enabled windows (its owner even when hidden) and, when it goes, enables
// exactly those again. A window disabled by a modal window further out (a
// message box, whose own rule disables only its owner) stays disabled, so
// that nested modal windows unwind in order.
struct ModalShow {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::vector<HWND> disabled;
    bool restored = false;

    void DisableOthers() {
        EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
    }
    static BOOL CALLBACK DisableOne(HWND h, LPARAM self) {
        auto& show = *reinterpret_cast<ModalShow*>(self);
        if (h != show.window && IsWindowEnabled(h) && (h == show.owner || IsWindowVisible(h))) {
            EnableWindow(h, FALSE);
            show.disabled.push_back(h);
        }
        return TRUE;
    }
    void Restore() {
        if (restored) return;
        restored = true;
        for (HWND h : disabled)
            if (IsWindow(h)) EnableWindow(h, TRUE);
    }
};

void Win32Host::ShowModal(Form& form, Form* owner) {
    if (!Find(form)) Load(form);
    FormWindow* w = Find(form);
    if (!w) return;
    HWND hwnd = w->hwnd;
    HWND ownerWnd = owner ? static_cast<HWND>(Handle(*owner)) : nullptr;
    if (ownerWnd && GetWindow(hwnd, GW_OWNER) != ownerWnd)
        SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWnd));
    ::SetWindowPos(hwnd, nullptr, w->Px(form.Left()), w->Px(form.Top()), w->Px(form.Width()),
                   w->Px(form.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the activation goes back to when the owner cannot take it: the
    // modal window this one opened from.
    HWND before = GetActiveWindow();
    ModalShow show{hwnd, ownerWnd, {}, false};
    show.DisableOthers();
    w->modal = &show;
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    RaiseActivate();

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
    if (FormWindow* still = Find(form)) still->modal = nullptr;
    show.Restore();
    auto usable = [](HWND h) {
        return h && IsWindow(h) && IsWindowEnabled(h) && IsWindowVisible(h);
    };
    HWND back = usable(ownerWnd) ? ownerWnd : before != hwnd && usable(before) ? before : nullptr;
    if (back) {
        SetActiveWindow(back);
        SetForegroundWindow(back);
    }
    RaiseActivate();
}

// The active form's Activate, once the show or close that activated it is
// over: the closing window is gone by then.
void Win32Host::RaiseActivate() {
    if (FormWindow* w = Find(static_cast<void*>(GetActiveWindow()))) w->RaiseActivate();
}

void Win32Host::Unload(Form& form) {
    if (FormWindow* w = Find(form)) {
        HWND hwnd = w->hwnd;
        // The windows it disabled come back first, so that one of them
        // takes the activation when this one goes.
        if (w->modal) w->modal->Restore();
        DestroyWindow(hwnd);  // WM_NCDESTROY forgets the window
    }
    if (&form == main_) {
        main_ = nullptr;
        PostQuitMessage(0);
    }
}

void Win32Host::SetWindowPos(Form& form, Placement insertAfter, unsigned flags) {
    HWND after = insertAfter == Placement::TopMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    if (HWND h = static_cast<HWND>(Handle(form))) ::SetWindowPos(h, after, 0, 0, 0, 0, flags);
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
    FormWindow* w = Find(form);
    if (!w) return;
    HWND h = w->hwnd;
    // The move loop keeps the mouse from the tooltip: it would stay behind.
    w->HideTip();
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
    FormWindow* w = Find(form);
    if (!w) return;
    w->pointer = pointer;
    POINT pt;
    GetCursorPos(&pt);
    if (GetCapture() == w->hwnd || WindowFromPoint(pt) == w->hwnd)
        SetCursor(gdi_->Cursor(pointer));
}

void Win32Host::TimerChanged(Timer& timer) {
    if (FormWindow* w = Find(timer.Owner())) w->ArmTimer(timer);
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
