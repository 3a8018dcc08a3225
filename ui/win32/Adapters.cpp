#include "ui/win32/Adapters.h"

#include <commctrl.h>

#include <optional>
#include <vector>

#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiCache.h"
#include "ui/win32/Win32Host.h"

namespace ui::win32 {

namespace {

constexpr char kAdapterProp[] = "Zilvane.Child";

std::string WindowText(HWND h) {
    const int n = GetWindowTextLengthA(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

bool EnabledWithContainers(const Control& c) {
    for (const Control* p = &c; p; p = p->Parent())
        if (!p->Enabled()) return false;
    return true;
}

// A check box or option shows the model's state, set only when it differs.
void ShowCheck(HWND h, WPARAM state) {
    if (static_cast<WPARAM>(SendMessageA(h, BM_GETCHECK, 0, 0)) != state)
        SendMessageA(h, BM_SETCHECK, state, 0);
}

// --------------------------------------------------------------- adapters ---

class PushButton : public ChildWindow {
public:
    explicit PushButton(Button& b) : ChildWindow(b), b_(b) {}
    bool IsPushButton() const override { return true; }
    void Notify(FormWindow& w, int code) override {
        if (code == BN_SETFOCUS) w.MarkDefault(hwnd);
        if (code == BN_CLICKED && b_.Enabled()) b_.PerformClick();
    }

private:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override {
        return WS_TABSTOP | BS_NOTIFY | (b_.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }
    std::string Text() const override { return b_.Caption(); }
    Button& b_;
};

// A static text; it notifies, so that the mouse over it is its own and a
// click reaches the model. Its access key moves the focus to the next
// control, as a dialog's label does.
class StaticLabel : public ChildWindow {
public:
    explicit StaticLabel(Label& l) : ChildWindow(l), l_(l) {}
    bool TakesFocus() const override { return false; }
    bool TextColour(COLORREF& c) const override {
        c = ToColorRef(l_.ForeColor());
        return true;
    }
    void Notify(FormWindow&, int code) override {
        if (code == STN_CLICKED && l_.Click) {
            const auto click = l_.Click;  // may unload the form
            click();
        }
    }

private:
    const char* ClassName() const override { return "STATIC"; }
    DWORD Style() const override {
        return SS_NOTIFY | (l_.WordWrap || !l_.AutoSize ? SS_LEFT : SS_LEFTNOWORDWRAP);
    }
    std::string Text() const override { return l_.Text(); }
    void UpdateState(FormWindow& w) override {
        HFONT f = w.gdi->FontFor(l_.GetFont(), w.display.dpi);
        if (reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)) != f)
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        // Colour and underline show at the next paint.
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    Label& l_;
};

class GroupFrame : public ChildWindow {
public:
    explicit GroupFrame(Frame& f) : ChildWindow(f), f_(f) {}
    bool TakesFocus() const override { return false; }
    void Notify(FormWindow&, int) override {}

private:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return BS_GROUPBOX; }
    std::string Text() const override { return f_.Caption(); }
    Frame& f_;
};

class CheckBoxWindow : public ChildWindow {
public:
    explicit CheckBoxWindow(CheckBox& c) : ChildWindow(c), c_(c) {}
    void Notify(FormWindow&, int code) override {
        if (code == BN_CLICKED && c_.Enabled()) c_.UserClick();
    }

private:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return WS_TABSTOP | BS_CHECKBOX | BS_NOTIFY; }
    std::string Text() const override { return c_.Caption(); }
    void UpdateState(FormWindow&) override {
        ShowCheck(hwnd, c_.Value() == 1   ? BST_CHECKED
                        : c_.Value() == 2 ? BST_INDETERMINATE
                                          : BST_UNCHECKED);
    }
    CheckBox& c_;
};

class OptionWindow : public ChildWindow {
public:
    explicit OptionWindow(OptionButton& o) : ChildWindow(o), o_(o) {}
    void Notify(FormWindow&, int code) override {
        if (code == BN_CLICKED && o_.Enabled()) o_.UserClick();
    }

private:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY; }
    std::string Text() const override { return o_.Caption(); }
    void UpdateState(FormWindow&) override { ShowCheck(hwnd, o_.Value() ? BST_CHECKED : BST_UNCHECKED); }
    OptionButton& o_;
};

class DropDownList : public ChildWindow {
public:
    explicit DropDownList(ComboBox& c) : ChildWindow(c), c_(c) {}
    void Notify(FormWindow&, int code) override {
        if (code == CBN_SELCHANGE)
            c_.SetListIndex(static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0)));
    }

private:
    const char* ClassName() const override { return "COMBOBOX"; }
    DWORD Style() const override { return WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; }
    int ExtraHeight(FormWindow& w) const override { return w.Px(c_.Height()) * 8; }
    void Fill(FormWindow& w) override {
        // The closed list keeps the height of the model.
        SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     std::max(8, w.Px(c_.Height()) - 6));
    }
    void UpdateState(FormWindow&) override {
        const auto& items = c_.Items();
        if (SendMessageA(hwnd, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(items.size())) {
            SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : items)
                SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        if (SendMessageA(hwnd, CB_GETCURSEL, 0, 0) != c_.ListIndex())
            SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(c_.ListIndex()), 0);
    }
    ComboBox& c_;
};

class EditBox : public ChildWindow {
public:
    explicit EditBox(TextBox& t) : ChildWindow(t), t_(t) {}
    void Notify(FormWindow&, int code) override {
        if (code == EN_CHANGE && !t_.Locked) t_.SetText(WindowText(hwnd));
    }

private:
    const char* ClassName() const override { return "EDIT"; }
    DWORD Style() const override {
        return WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | (t_.Locked ? ES_READONLY : 0);
    }
    std::string Text() const override { return t_.Text(); }
    TextBox& t_;
};

class Tabs : public ChildWindow {
public:
    explicit Tabs(TabControl& t) : ChildWindow(t), t_(t) {}
    // The colour its page is drawn in (the system's tab look decides it),
    // for what lies on the page to draw its background with.
    COLORREF PageColour() {
        if (pageColour_) return *pageColour_;
        RECT r;
        GetClientRect(hwnd, &r);
        RECT page = r;
        SendMessageA(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        HDC screen = GetDC(hwnd);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
        HGDIOBJ old = SelectObject(dc, bmp);
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
        const COLORREF c = GetPixel(dc, (page.left + page.right) / 2, page.bottom - 2);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        ReleaseDC(hwnd, screen);
        pageColour_ = c == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : c;
        return *pageColour_;
    }
    void Notify(FormWindow&, int code) override {
        if (code == static_cast<int>(TCN_SELCHANGE))
            t_.SetTab(static_cast<int>(SendMessageA(hwnd, TCM_GETCURSEL, 0, 0)));
    }

private:
    const char* ClassName() const override { return WC_TABCONTROLA; }
    DWORD Style() const override { return WS_TABSTOP | TCS_TABS | TCS_SINGLELINE; }
    void Fill(FormWindow&) override {
        for (int i = 0; i < t_.Tabs(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>("");
            SendMessageA(hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    void UpdateState(FormWindow&) override {
        for (int i = 0; i < t_.Tabs(); ++i) {
            char text[256] = "";
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(hwnd, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            if (t_.TabCaption(i) != text) {
                item.pszText = const_cast<char*>(t_.TabCaption(i).c_str());
                SendMessageA(hwnd, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
            }
        }
        if (SendMessageA(hwnd, TCM_GETCURSEL, 0, 0) != t_.Tab())
            SendMessageA(hwnd, TCM_SETCURSEL, t_.Tab(), 0);
    }
    TabControl& t_;
    std::optional<COLORREF> pageColour_;
};

}  // namespace

// The one place that looks at a control's kind.
std::unique_ptr<ChildWindow> ChildWindow::For(Control& c, bool dialog) {
    if (auto* b = dynamic_cast<Button*>(&c)) return std::make_unique<PushButton>(*b);
    if (auto* x = dynamic_cast<CheckBox*>(&c)) return std::make_unique<CheckBoxWindow>(*x);
    if (auto* o = dynamic_cast<OptionButton*>(&c)) return std::make_unique<OptionWindow>(*o);
    if (auto* l = dynamic_cast<ComboBox*>(&c)) return std::make_unique<DropDownList>(*l);
    if (auto* t = dynamic_cast<TextBox*>(&c)) return std::make_unique<EditBox>(*t);
    if (auto* f = dynamic_cast<Frame*>(&c)) return std::make_unique<GroupFrame>(*f);
    if (auto* t = dynamic_cast<TabControl*>(&c)) return std::make_unique<Tabs>(*t);
    // The clock's face paints its labels; a dialog's are real static texts.
    if (auto* l = dynamic_cast<Label*>(&c); l && dialog) return std::make_unique<StaticLabel>(*l);
    return nullptr;
}

ChildWindow::~ChildWindow() {
    if (hwnd && IsWindow(hwnd)) {
        RemovePropA(hwnd, kAdapterProp);
        if (systemProc_)
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    }
}

void ChildWindow::Create(FormWindow& w, HINSTANCE instance, int childId) {
    id = childId;
    form_ = &w;
    const RECT r = w.Box(model);
    // A group frame lets the form's painting through: it draws only its
    // border and caption.
    const DWORD exStyle = dynamic_cast<GroupFrame*>(this) ? WS_EX_TRANSPARENT : 0;
    hwnd = CreateWindowExA(exStyle, ClassName(), Text().c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS | Style(), r.left, r.top,
                           r.right - r.left, r.bottom - r.top + ExtraHeight(w), w.hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd) return;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(w.gdi->ButtonFont(w.display.dpi)), FALSE);
    SetPropA(hwnd, kAdapterProp, this);
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildWindow::Subclass)));
    Fill(w);
}

void ChildWindow::Update(FormWindow& w) {
    if (!hwnd) return;
    const std::string text = Text();
    if (WindowText(hwnd) != text) SetWindowTextA(hwnd, text.c_str());
    UpdateState(w);
    const bool enabled = EnabledWithContainers(model);
    if ((IsWindowEnabled(hwnd) != 0) != enabled) EnableWindow(hwnd, enabled);
    const RECT r = w.Box(model);
    const bool shown = model.Shown();
    if (!shown && GetFocus() == hwnd) SendMessageA(w.hwnd, WM_NEXTDLGCTL, 0, FALSE);
    ::SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left,
                   r.bottom - r.top + ExtraHeight(w),
                   SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// Mouse movement over a child window is the model's, in twips of the
// control; everything else is the system's.
LRESULT CALLBACK ChildWindow::Subclass(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ChildWindow*>(GetPropA(h, kAdapterProp));
    if (!self) return DefWindowProcA(h, msg, wParam, lParam);
    const WNDPROC system = self->systemProc_;
    if (msg == WM_MOUSEMOVE && self->model.MouseMove) {
        const Display display = self->form_->display;
        const auto move = self->model.MouseMove;  // may unload the form
        const LRESULT r = CallWindowProcA(system, h, msg, wParam, lParam);
        move(ButtonState(wParam), ShiftState(wParam),
             display.Twips(static_cast<short>(LOWORD(lParam))),
             display.Twips(static_cast<short>(HIWORD(lParam))));
        return r;
    }
    return CallWindowProcA(system, h, msg, wParam, lParam);
}

// ------------------------------------------------------ the form's children ---

namespace {
// Child ids start above IDOK/IDCANCEL, which the dialog keys use.
constexpr int kFirstChildId = 100;
}  // namespace

// Children are made in keyboard order, which is the order the dialog
// manager walks; frames and the tab control then go to the bottom, so that
// they draw under what lies on them.
void FormWindow::CreateChildren(HINSTANCE instance) {
    std::vector<Control*> order;
    for (Control* c : form->Controls()) order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    const ChildWindow* previous = nullptr;
    for (Control* c : order) {
        auto child = ChildWindow::For(*c, dialog);
        if (!child) continue;
        child->Create(*this, instance, kFirstChildId + static_cast<int>(children.size()));
        if (!child->hwnd) continue;
        // Each control starts a group of its own, but for the options of one
        // container after the first: arrow keys move among those.
        auto* option = dynamic_cast<OptionButton*>(c);
        const bool joins = option && previous && dynamic_cast<OptionButton*>(&previous->model) &&
                           previous->model.Parent() == c->Parent();
        if (!joins)
            SetWindowLongPtrA(child->hwnd, GWL_STYLE,
                              GetWindowLongPtrA(child->hwnd, GWL_STYLE) | WS_GROUP);
        previous = child.get();
        childOf[c] = child.get();
        children.push_back(std::move(child));
    }
    for (auto& child : children)
        if (dynamic_cast<Frame*>(&child->model))
            ::SetWindowPos(child->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (auto& child : children)
        if (dynamic_cast<TabControl*>(&child->model))
            ::SetWindowPos(child->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

ChildWindow* FormWindow::Child(const Control* c) const {
    auto it = childOf.find(c);
    return it == childOf.end() ? nullptr : it->second;
}

ChildWindow* FormWindow::ChildByWindow(HWND h) const {
    if (!h || GetParent(h) != hwnd) return nullptr;
    return static_cast<ChildWindow*>(GetPropA(h, kAdapterProp));
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages of the dialog's tab control.
bool FormWindow::TurnPage(bool back) {
    for (auto& child : children)
        if (auto* tabs = dynamic_cast<TabControl*>(&child->model); tabs && tabs->Shown()) {
            const int n = tabs->Tabs();
            if (n > 0) tabs->SetTab((tabs->Tab() + (back ? n - 1 : 1)) % n);
            return true;
        }
    return false;
}

// The colours a static text, check box or frame draws with: the label's
// own text colour, over the colour of the picture box or form it lies on.
std::optional<LRESULT> FormWindow::OnControlColour(HDC dc, HWND control) {
    ChildWindow* child = ChildByWindow(control);
    if (!child || dynamic_cast<TextBox*>(&child->model)) return std::nullopt;
    COLORREF text;
    if (child->TextColour(text) && IsWindowEnabled(control)) SetTextColor(dc, text);
    COLORREF back = ToColorRef(form->BackColor);
    for (const Control* p = child->model.Parent(); p; p = p->Parent()) {
        if (auto* pic = dynamic_cast<const PictureBox*>(p)) {
            back = ToColorRef(pic->BackColor());
            break;
        }
        if (auto* tabs = dynamic_cast<Tabs*>(Child(p))) {
            back = tabs->PageColour();
            break;
        }
    }
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(gdi->Brush(back));
}

}  // namespace ui::win32
