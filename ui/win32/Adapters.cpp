#include "ui/win32/Adapters.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/CommonControls.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiCache.h"

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

class PushButton : public ControlAdapter {
public:
    explicit PushButton(Button& b) : ControlAdapter(b), b_(b) {}
    ButtonRole Role() const override { return {true, b_.Default, b_.Cancel}; }
    void Press() override { b_.PerformClick(); }
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

// The clock's face paints its labels; a dialog's are static texts that
// notify, so that the mouse over one is its own and a click reaches the
// model. Its access key moves the focus to the next control, as a dialog's
// label does.
class LabelAdapter : public ControlAdapter {
public:
    LabelAdapter(Label& l, bool window) : ControlAdapter(l), l_(l), window_(window) {}
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
    // An AutoSize label is as large as its text: as wide when it does not
    // wrap, as high when it does. Measured on a memory DC: no window DC per
    // change.
    RECT Extent(const FormWindow& w) const override {
        RECT box = w.Box(l_);
        if (!l_.AutoSize || !l_.Shown()) return box;
        HDC dc = w.gdi->MeasureDC();
        HGDIOBJ old = SelectObject(dc, w.gdi->FontFor(l_.GetFont(), w.display.dpi));
        RECT r{box.left, box.top, l_.WordWrap ? box.right : box.left, box.top};
        UINT flags = DT_CALCRECT | (l_.WordWrap ? DT_WORDBREAK : 0);
        DrawTextA(dc, l_.Text().c_str(), static_cast<int>(l_.Text().size()), &r, flags);
        SelectObject(dc, old);
        if (l_.WordWrap) r.right = box.right;
        return r;
    }
    void Paint(FormWindow& w, HDC dc) override {
        const RECT box = w.Box(l_);
        RECT r = Extent(w);
        UINT flags = DT_LEFT | DT_TOP;
        if (!l_.AutoSize) {
            flags |= DT_WORDBREAK;
            IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        } else {
            flags |= DT_NOCLIP | (l_.WordWrap ? DT_WORDBREAK : 0);
        }
        SelectObject(dc, w.gdi->FontFor(l_.GetFont(), w.display.dpi));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, l_.Enabled() ? ToColorRef(l_.ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(dc, l_.Text().c_str(), static_cast<int>(l_.Text().size()), &r, flags);
    }

private:
    const char* ClassName() const override { return window_ ? "STATIC" : nullptr; }
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
    bool window_;
};

// A picture box paints one cell of a strip over its colour, which is also
// the colour of the texts that lie on it.
class PictureAdapter : public ControlAdapter {
public:
    explicit PictureAdapter(PictureBox& p) : ControlAdapter(p), p_(p) {}
    std::optional<COLORREF> BackColour() override { return ToColorRef(p_.BackColor()); }
    void Paint(FormWindow& w, HDC dc) override {
        const RECT box = w.Box(p_);
        IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        FillRect(dc, &box, w.gdi->Brush(ToColorRef(p_.BackColor())));
        const Picture& p = p_.GetPicture();
        HBITMAP bmp = w.gdi->StripBitmap(p.strip, w.display.dpi);
        if (!bmp) return;
        BITMAP bm;
        GetObject(bmp, sizeof bm, &bm);
        const int columns = StripColumns(p.strip);
        const int cellWidth = bm.bmWidth / columns;
        if (p.cell < 0 || p.cell >= columns) return;
        HDC src = w.gdi->StripDC();
        HGDIOBJ old = SelectObject(src, bmp);
        BitBlt(dc, box.left, box.top, cellWidth, bm.bmHeight, src, p.cell * cellWidth, 0, SRCCOPY);
        SelectObject(src, old);
    }

private:
    PictureBox& p_;
};

class ImageAdapter : public ControlAdapter {
public:
    explicit ImageAdapter(Image& i) : ControlAdapter(i), i_(i) {}
    void Paint(FormWindow& w, HDC dc) override {
        const RECT box = w.Box(i_);
        const int size = w.display.Px(480);  // an icon is 32 px at 96 dpi
        if (HICON icon = w.gdi->Icon(i_.IconId, size))
            DrawIconEx(dc, box.left, box.top, icon, size, size, 0, nullptr, DI_NORMAL);
    }

private:
    Image& i_;
};

// A group frame lets the form's painting through: it draws only its border
// and caption.
class GroupFrame : public ControlAdapter {
public:
    explicit GroupFrame(Frame& f) : ControlAdapter(f), f_(f) {}
    bool TakesFocus() const override { return false; }
    int Beneath() const override { return 1; }

private:
    const char* ClassName() const override { return "BUTTON"; }
    DWORD Style() const override { return BS_GROUPBOX; }
    DWORD ExStyle() const override { return WS_EX_TRANSPARENT; }
    std::string Text() const override { return f_.Caption(); }
    Frame& f_;
};

class CheckBoxWindow : public ControlAdapter {
public:
    explicit CheckBoxWindow(CheckBox& c) : ControlAdapter(c), c_(c) {}
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

class OptionWindow : public ControlAdapter {
public:
    explicit OptionWindow(OptionButton& o) : ControlAdapter(o), o_(o) {}
    bool IsOption() const override { return true; }
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

class DropDownList : public ControlAdapter {
public:
    explicit DropDownList(ComboBox& c) : ControlAdapter(c), c_(c) {}
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

// An edit box keeps the system's colours.
class EditBox : public ControlAdapter {
public:
    explicit EditBox(TextBox& t) : ControlAdapter(t), t_(t) {}
    bool TakesFormColours() const override { return false; }
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

class Tabs : public ControlAdapter {
public:
    explicit Tabs(TabControl& t) : ControlAdapter(t), t_(t) {}
    int Beneath() const override { return 2; }
    bool TurnPage(bool back) override {
        if (!t_.Shown()) return false;
        const int n = t_.Tabs();
        if (n > 0) t_.SetTab((t_.Tab() + (back ? n - 1 : 1)) % n);
        return true;
    }
    // The colour its page is drawn in (the system's tab look decides it),
    // for what lies on the page to draw its background with.
    std::optional<COLORREF> BackColour() override {
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
    void PaintBehind(FormWindow& w, HDC dc) override {
        if (!hwnd || !t_.Shown()) return;
        RECT page;
        GetClientRect(hwnd, &page);
        SendMessageA(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        MapWindowPoints(hwnd, w.hwnd, reinterpret_cast<POINT*>(&page), 2);
        if (auto colour = BackColour()) FillRect(dc, &page, w.gdi->Brush(*colour));
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

// The one place that looks at a control's kind. A kind it does not know
// shows nothing.
std::unique_ptr<ControlAdapter> ControlAdapter::For(Control& c, bool dialog) {
    if (auto* b = dynamic_cast<Button*>(&c)) return std::make_unique<PushButton>(*b);
    if (auto* x = dynamic_cast<CheckBox*>(&c)) return std::make_unique<CheckBoxWindow>(*x);
    if (auto* o = dynamic_cast<OptionButton*>(&c)) return std::make_unique<OptionWindow>(*o);
    if (auto* l = dynamic_cast<ComboBox*>(&c)) return std::make_unique<DropDownList>(*l);
    if (auto* t = dynamic_cast<TextBox*>(&c)) return std::make_unique<EditBox>(*t);
    if (auto* f = dynamic_cast<Frame*>(&c)) return std::make_unique<GroupFrame>(*f);
    if (auto* t = dynamic_cast<TabControl*>(&c)) return std::make_unique<Tabs>(*t);
    if (auto* l = dynamic_cast<Label*>(&c)) return std::make_unique<LabelAdapter>(*l, dialog);
    if (auto* p = dynamic_cast<PictureBox*>(&c)) return std::make_unique<PictureAdapter>(*p);
    if (auto* i = dynamic_cast<Image*>(&c)) return std::make_unique<ImageAdapter>(*i);
    return std::unique_ptr<ControlAdapter>(new ControlAdapter(c));
}

ControlAdapter::~ControlAdapter() {
    if (hwnd && IsWindow(hwnd)) {
        RemovePropA(hwnd, kAdapterProp);
        if (systemProc_)
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    }
}

RECT ControlAdapter::Extent(const FormWindow& w) const { return w.Box(model); }

void ControlAdapter::Create(FormWindow& w, HINSTANCE instance, int childId) {
    id = childId;
    form_ = &w;
    const RECT r = w.Box(model);
    hwnd = CreateWindowExA(ExStyle(), ClassName(), Text().c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS | Style(), r.left, r.top,
                           r.right - r.left, r.bottom - r.top + ExtraHeight(w), w.hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd) return;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(w.gdi->ButtonFont(w.display.dpi)), FALSE);
    SetPropA(hwnd, kAdapterProp, this);
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlAdapter::Subclass)));
    Fill(w);
}

void ControlAdapter::Update(FormWindow& w) {
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
LRESULT CALLBACK ControlAdapter::Subclass(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ControlAdapter*>(GetPropA(h, kAdapterProp));
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

// Every control gets its adapter, in keyboard order, which is the order the
// dialog manager walks; frames and the tab control then go to the bottom,
// so that they draw under what lies on them.
void FormWindow::CreateChildren(HINSTANCE instance) {
    std::vector<Control*> order = form->Controls();
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    for (Control* c : order) {
        ControlAdapter& a = *adapters.emplace_back(ControlAdapter::For(*c, dialog));
        adapterOf[c] = &a;
    }
    if (!childrenDeferred) CreateChildWindows(instance);
}

// The adapters' windows, in keyboard order (FormWindow::Create says when).
void FormWindow::CreateChildWindows(HINSTANCE instance) {
    platform::win32::UseCommonControls(ICC_WIN95_CLASSES);
    const ControlAdapter* previous = nullptr;  // the last window made
    int nextId = kFirstChildId;
    for (auto& owned : adapters) {
        ControlAdapter& a = *owned;
        if (a.Painted()) continue;
        a.Create(*this, instance, nextId);
        if (!a.hwnd) continue;
        ++nextId;
        // Each control starts a group of its own, but for the options of one
        // container after the first: arrow keys move among those.
        const bool joins = a.IsOption() && previous && previous->IsOption() &&
                           previous->model.Parent() == a.model.Parent();
        if (!joins)
            SetWindowLongPtrA(a.hwnd, GWL_STYLE, GetWindowLongPtrA(a.hwnd, GWL_STYLE) | WS_GROUP);
        previous = &a;
    }
    for (int beneath : {1, 2})
        for (auto& a : adapters)
            if (a->hwnd && a->Beneath() == beneath)
                ::SetWindowPos(a->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

ControlAdapter* FormWindow::AdapterOf(const Control* c) const {
    auto it = adapterOf.find(c);
    return it == adapterOf.end() ? nullptr : it->second;
}

ControlAdapter* FormWindow::ChildByWindow(HWND h) const {
    if (!h || GetParent(h) != hwnd) return nullptr;
    return static_cast<ControlAdapter*>(GetPropA(h, kAdapterProp));
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages of the dialog's tab control.
bool FormWindow::TurnPage(bool back) {
    for (auto& a : adapters)
        if (a->TurnPage(back)) return true;
    return false;
}

// The colours a static text, check box or frame draws with: the label's
// own text colour, over the colour of the picture box, tab page or form it
// lies on.
std::optional<LRESULT> FormWindow::OnControlColour(HDC dc, HWND control) {
    ControlAdapter* child = ChildByWindow(control);
    if (!child || !child->TakesFormColours()) return std::nullopt;
    COLORREF text;
    if (child->TextColour(text) && IsWindowEnabled(control)) SetTextColor(dc, text);
    std::optional<COLORREF> under;
    for (const Control* p = child->model.Parent(); p && !under; p = p->Parent())
        if (ControlAdapter* a = AdapterOf(p)) under = a->BackColour();
    const COLORREF back = under.value_or(ToColorRef(form->BackColor));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(gdi->Brush(back));
}

}  // namespace ui::win32
