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
    virtual void SetWindowPos(Form& form, long insertAfter, unsigned flags) = 0;
    virtual void DoEvents() = 0;
    virtual void BeginDrag(Form& form) = 0;  // ReleaseCapture + WM_NCLBUTTONDOWN/HTCAPTION
    virtual void PopupMenu(Form& form, class Menu& menu, class MenuItem* defaultItem) = 0;
    virtual void SetPointer(Form& form, Pointer pointer) = 0;
    virtual void TimerChanged(class Timer& timer) = 0;
    virtual std::uintptr_t WindowHandle(const Form& form) = 0;
    // Ends the program at once (after the main form has unloaded).
    virtual void End() = 0;
};

struct Font {
    std::string name = "Tahoma";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
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

    // Mouse handlers: button state, shift state, x, y in twips of the control.
    std::function<void(int, int, int, int)> MouseMove;
    std::function<void(int, int, int, int)> MouseUp;
    std::function<void()> DblClick;
    bool HandlesMouse() const { return MouseMove || MouseUp || DblClick; }

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
    bool AutoSize = false;
    bool WordWrap = false;
    std::function<void()> Change;

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
    int TabIndex = 0;
    std::function<void()> Click;
    void PerformClick() {
        if (Click) Click();
    }

private:
    std::string caption_;
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
    void SetHost(FormHost* host) { host_ = host; }

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

    // Events.
    std::function<void()> Activate;
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
