// Control models: the visible state of every form, with the toolkit's two
// rules kept here once:
//  - a change handler runs only when the value really changes, inside the
//    assignment;
//  - setting a check box or option from code runs its click handler.
// A host (ui/win32, or a test fake) realises the models and is told of
// every visible change through Form::host().
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

using Color = std::uint32_t;  // 0x00BBGGRR
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

// The name of one member of a control array: "Hane(3)".
inline std::string ArrayName(const std::string& name, int index) {
    std::string s = name;
    s += '(';
    s += std::to_string(index);
    s += ')';
    return s;
}

// Image strips built into the program; a picture is one cell of a strip.
enum class Strip { None = -1, Haneler0, Haneler1, Haneler2, Noktalar, Alarmlar };

struct Picture {
    Strip strip = Strip::None;
    int cell = 0;
    bool operator==(const Picture&) const = default;
};

// An invisible source that cuts a strip into equal cells in one row.
class PictureClip {
public:
    PictureClip(Strip strip, int columns) : strip_(strip), columns_(columns) {}
    Picture GraphicCell(int k) const;  // cell k, counted from 0
    int Columns() const { return columns_; }

private:
    Strip strip_;
    int columns_;
};

enum class Pointer { Default, Hand, SizeAll };

// Mouse buttons as the toolkit reports them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

class Form;
class Control;

// What a form asks of the window system. The Win32 host implements it; host
// unit tests script it.
// Where SetWindowPos puts a form in the z-order: the system's two sentinel
// values, which only the host turns into window handles.
enum class Placement : int { TopMost = -1, NoTopMost = -2 };

class FormHost {
public:
    virtual ~FormHost() = default;
    virtual void Changed(Form& form, Control* control) = 0;  // control == nullptr: the form itself
    // Creates the (hidden) window of a form and reports its outer size in
    // the form's geometry: a dialog's outer size follows from its client size.
    virtual void Load(Form& form) = 0;
    virtual void Show(Form& form) = 0;
    virtual void Hide(Form& form) = 0;
    virtual void ShowModal(Form& form, Form* owner) = 0;  // returns once the form is unloaded
    virtual void Unload(Form& form) = 0;  // destroy the window; QueryUnload has run
    virtual void SetWindowPos(Form& form, Placement insertAfter, unsigned flags) = 0;
    virtual void DoEvents() = 0;
    virtual void BeginDrag(Form& form) = 0;  // ReleaseCapture + WM_NCLBUTTONDOWN/HTCAPTION
    virtual void PopupMenu(Form& form, class Menu& menu, class MenuItem* defaultItem) = 0;
    virtual void SetPointer(Form& form, Pointer pointer) = 0;
    virtual void TimerChanged(class Timer& timer) = 0;
    virtual std::uintptr_t WindowHandle(const Form& form) = 0;
    // The DPI of the monitor the form's window is on: the form's twips are
    // its pixels at this DPI.
    virtual int Dpi(const Form&) { return 96; }
    // Ends the program at once (after the main form has unloaded).
    virtual void End() = 0;
    // Size in twips of a text in a font; with wrapWidth > 0 the text wraps
    // at that width. Auto-size labels follow it; false: no measure, they
    // keep their size.
    virtual bool MeasureText(const Form&, const struct Font&, const std::string&,
                             int /*wrapWidth*/, int& /*width*/, int& /*height*/) {
        return false;
    }
};

struct Font {
    std::string name = "Tahoma";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
    int weight = 0;   // 0: from bold (400 or 700)
    int charset = 1;  // DEFAULT_CHARSET; 162 is Turkish
    bool operator==(const Font&) const = default;
};

class Control {
public:
    Control(Form& form, std::string name, Control* parent);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Control* Parent() const { return parent_; }
    Form& Owner() const { return form_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    void SetWidth(int w) { Move(left_, top_, w, height_); }
    void SetHeight(int h) { Move(left_, top_, width_, h); }

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    // Visible and every container visible.
    bool Shown() const;

    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::string& t);

    // Keyboard order among the form's controls; equal values keep the
    // order in which the controls were made.
    int TabIndex = 0;

    // Mouse handlers: button state, shift state, x, y in twips of the control.
    std::function<void(int, int, int, int)> MouseMove;
    std::function<void(int, int, int, int)> MouseUp;
    std::function<void()> DblClick;
    bool HandlesMouse() const { return MouseMove || MouseUp || DblClick; }
    // Mouse input over a control without handlers of its own goes nowhere,
    // unless the form lets it through to the container (the clock face
    // does, so that it can be dragged by its digits).
    bool MouseToContainer = false;
    // The pointer shown over the control; Default: the form's.
    Pointer MousePointer = Pointer::Default;

    // Raised after the size changed (not on a move alone).
    std::function<void()> Resize;

protected:
    void Notify();

private:
    Form& form_;
    std::string name_;
    Control* parent_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    std::string toolTip_;
};

class Label : public Control {
public:
    using Control::Control;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);  // runs Change only on a real change
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& f);
    // Sized to the text: width and height follow it, or with WordWrap the
    // height at the label's width. Set before the text.
    bool AutoSize = false;
    bool WordWrap = false;
    std::function<void()> Change;
    std::function<void()> Click;
    // Takes the text's size from the host, when auto-sized.
    void Measure();

private:
    std::string text_;
    Color foreColor_ = 0;
    Font font_;
};

class PictureBox : public Control {
public:
    using Control::Control;
    const Picture& GetPicture() const { return picture_; }
    void SetPicture(const Picture& p);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);

private:
    Picture picture_;
    Color backColor_ = 0;
};

// A fixed image from the program's icons.
class Image : public Control {
public:
    Image(Form& form, std::string name, Control* parent, int iconId)
        : Control(form, std::move(name), parent), IconId(iconId) {}
    const int IconId;
};

class Button : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool Default = false;  // Enter presses it
    bool Cancel = false;   // Esc presses it
    std::function<void()> Click;
    void PerformClick() {
        if (Click) Click();
    }

private:
    std::string caption_;
};

// A group frame: a caption and a border around its contents.
class Frame : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);

private:
    std::string caption_;
};

// A check box: 0 unchecked, 1 checked. Setting the value from code runs
// Click, as a user's click does, whenever the value changes.
class CheckBox : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    int Value() const { return value_; }
    void SetValue(int v);
    // A user's click (or its access key): toggles the value.
    void UserClick() { SetValue(value_ == 1 ? 0 : 1); }
    std::function<void()> Click;

private:
    std::string caption_;
    int value_ = 0;
};

// An option button: at most one of the options in one container is
// selected. Selecting one from code clears the others and runs Click when
// it was not selected before; clearing runs nothing.
class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, Control* parent, int index = -1)
        : Control(form, std::move(name), parent), index_(index) {}
    int Index() const { return index_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool Value() const { return value_; }
    void SetValue(bool v);
    void UserClick() { SetValue(true); }
    std::function<void()> Click;

private:
    int index_;
    std::string caption_;
    bool value_ = false;
};

// A drop-down list that takes no typed text. Choosing an item, by the
// user or from code, runs Click when the choice changes.
class ComboBox : public Control {
public:
    ComboBox(Form& form, std::string name, Control* parent, int index = -1)
        : Control(form, std::move(name), parent), index_(index) {}
    int Index() const { return index_; }
    const std::vector<std::string>& Items() const { return items_; }
    void AddItem(const std::string& item);
    int ListIndex() const { return listIndex_; }  // -1: nothing chosen
    void SetListIndex(int i);
    // The chosen item's text, or "" with nothing chosen.
    std::string Text() const;
    // The index of the item with this text, or -1.
    int Find(const std::string& item) const;
    std::function<void()> Click;

private:
    int index_;
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// A single-line text box; Locked: the user cannot type into it.
class TextBox : public Control {
public:
    using Control::Control;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& t);
    bool Locked = false;
    std::function<void()> Change;

private:
    std::string text_;
};

// Tabs in one row over pages of controls. Only the current page's
// controls are visible; positions inside are from the control's top-left.
class TabControl : public Control {
public:
    TabControl(Form& form, std::string name, Control* parent, int tabs);
    int Tabs() const { return static_cast<int>(captions_.size()); }
    const std::string& TabCaption(int tab) const { return captions_.at(tab); }
    void SetTabCaption(int tab, const std::string& c);
    int Tab() const { return tab_; }
    void SetTab(int tab);  // shows that page, hides the others
    // Puts a control (a child of this one) on a page.
    void Place(Control& c, int tab);
    int TabOf(const Control& c) const;  // -1: on no page
    int TabHeight = 520;  // the tab row, twips

private:
    std::vector<std::string> captions_;
    std::vector<std::vector<Control*>> pages_;
    int tab_ = 0;
};

class Timer {
public:
    Timer(Form& form, std::string name, int interval, int index = -1);
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Running() const { return enabled_ && interval_ > 0; }
    // Fire on each second boundary of the wall clock instead of freely every
    // Interval ms, so that no displayed second is skipped or repeated. Such
    // timers of one form fire together, in their order.
    bool AlignToSecond = false;
    std::function<void()> Tick;
    void Fire() {
        if (Tick) Tick();
    }
    Form& Owner() const { return form_; }

private:
    Form& form_;
    std::string name_;
    int index_;
    int interval_;
    bool enabled_ = true;
};

class MenuItem {
public:
    explicit MenuItem(std::string name, bool separator = false)
        : name_(std::move(name)), separator_(separator) {}
    const std::string& Name() const { return name_; }
    bool Separator() const { return separator_; }
    std::string Caption;
    std::function<void()> Click;

private:
    std::string name_;
    bool separator_;
};

class Menu {
public:
    explicit Menu(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }
    std::vector<MenuItem*> Items;

private:
    std::string name_;
};

enum class BorderStyle { None, FixedDialog };

class Form {
public:
    explicit Form(std::string name);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    FormHost* Host() const { return host_; }
    // Auto-size labels take their size from the new host.
    void SetHost(FormHost* host);
    // Auto-size labels measure their text again (the host's DPI changed).
    void Remeasure();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);

    // Outer position and size in twips.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { Move(v, top_, width_, height_); }
    void SetTop(int v) { Move(left_, v, width_, height_); }
    void SetWidth(int v) { Move(left_, top_, v, height_); }
    void SetHeight(int v) { Move(left_, top_, width_, v); }
    void Move(int left, int top, int width, int height);
    // The host reports where the window really is (a drag, the system),
    // without moving it again.
    void SyncGeometry(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    void ShowModal(Form* owner);
    // Runs QueryUnload, then lets the host destroy the window. Once only.
    void Unload();
    bool Minimized = false;  // kept by the host

    Color BackColor = 0;
    BorderStyle Border = BorderStyle::None;
    // Client size of a dialog at design, twips.
    int ClientWidth = 0, ClientHeight = 0;
    // A fixed dialog on the button face with this client size; until a host
    // measures its frame, the outer size is the client size.
    void MakeFixedDialog(int clientWidth, int clientHeight);
    // Places the window in the middle of a screen of this size (twips), by
    // its outer size.
    void CentreOn(int screenWidth, int screenHeight);
    // The same in a monitor's rectangle (twips, edges exclusive).
    void CentreIn(int left, int top, int right, int bottom);

    // Events.
    std::function<void()> Activate;
    // The wall clock jumped: the system resumed from sleep, or its time or
    // time zone was set. The timers on the second fire right after it.
    std::function<void()> ClockJumped;
    std::function<void()> QueryUnload;  // any close; store what must survive
    // A close asked for by the window system (close box, Alt+F4). Returns
    // true when the form handled it itself; otherwise the form unloads.
    std::function<bool()> CloseRequest;
    std::function<void(int, int, int, int)> MouseMove;
    std::function<void(int, int, int, int)> MouseUp;
    std::function<void()> DblClick;

    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<Timer*>& Timers() const { return timers_; }
    Menu* PopupMenuModel = nullptr;

    bool Unloaded() const { return unloaded_; }
    // The host reports a change of visibility that the form did not ask for.
    void SyncVisible(bool v) { visible_ = v; }

private:
    friend class Control;
    friend class Timer;
    void Register(Control* c) { controls_.push_back(c); }
    void Register(Timer* t) { timers_.push_back(t); }
    void Notify(Control* c);

    std::string name_;
    FormHost* host_ = nullptr;
    std::string caption_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = false;
    bool unloaded_ = false;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
};

}  // namespace ui
