#include "ui/Controls.h"

namespace ui {

Picture PictureClip::GraphicCell(int k) const {
    if (k < 0 || k >= columns_) return Picture{};  // no such cell: an empty picture
    return Picture{strip_, k};
}

Control::Control(Form& form, std::string name, Control* parent)
    : form_(form), name_(std::move(name)), parent_(parent) {
    form_.Register(this);
}

void Control::Notify() { form_.Notify(this); }

void Control::Move(int left, int top) { Move(left, top, width_, height_); }

void Control::Move(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify();
    if (resized && Resize) Resize();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Notify();
}

void Control::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    Notify();
}

bool Control::Shown() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::SetToolTip(const std::string& t) {
    if (t == toolTip_) return;
    toolTip_ = t;
    Notify();
}

void Label::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Measure();
    Notify();
    if (Change) Change();
}

void Label::Measure() {
    FormHost* host = Owner().Host();
    if (!AutoSize || !host) return;
    int w = 0, h = 0;
    if (!host->MeasureText(Owner(), font_, text_, WordWrap ? Width() : 0, w, h)) return;
    if (WordWrap) w = Width();
    Move(Left(), Top(), w, h);
}

void Label::SetForeColor(Color c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    Notify();
}

void Label::SetFont(const Font& f) {
    font_ = f;
    Measure();
    Notify();
}

void PictureBox::SetPicture(const Picture& p) {
    if (p == picture_) return;
    picture_ = p;
    Notify();
}

void PictureBox::SetBackColor(Color c) {
    if (c == backColor_) return;
    backColor_ = c;
    Notify();
}

void Button::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void Frame::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void CheckBox::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void CheckBox::SetValue(int v) {
    if (v == value_) return;
    value_ = v;
    Notify();
    if (Click) Click();
}

void OptionButton::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify();
}

void OptionButton::SetValue(bool v) {
    if (v == value_) return;
    if (v) {
        for (Control* c : Owner().Controls()) {
            auto* other = dynamic_cast<OptionButton*>(c);
            if (other && other != this && other->Parent() == Parent() && other->value_) {
                other->value_ = false;
                other->Notify();
            }
        }
    }
    value_ = v;
    Notify();
    if (v && Click) Click();
}

void ComboBox::AddItem(const std::string& item) {
    items_.push_back(item);
    Notify();
}

void ComboBox::SetListIndex(int i) {
    if (i < -1 || i >= static_cast<int>(items_.size())) i = -1;
    if (i == listIndex_) return;
    listIndex_ = i;
    Notify();
    if (Click) Click();
}

std::string ComboBox::Text() const { return listIndex_ < 0 ? std::string() : items_[listIndex_]; }

int ComboBox::Find(const std::string& item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return static_cast<int>(i);
    return -1;
}

void TextBox::SetText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    Notify();
    if (Change) Change();
}

TabControl::TabControl(Form& form, std::string name, Control* parent, int tabs)
    : Control(form, std::move(name), parent), captions_(tabs), pages_(tabs) {}

void TabControl::SetTabCaption(int tab, const std::string& c) {
    if (captions_.at(tab) == c) return;
    captions_[tab] = c;
    Notify();
}

void TabControl::SetTab(int tab) {
    if (tab < 0 || tab >= Tabs()) return;
    tab_ = tab;
    for (int t = 0; t < Tabs(); ++t)
        for (Control* c : pages_[t]) c->SetVisible(t == tab_);
    Notify();
}

void TabControl::Place(Control& c, int tab) {
    pages_.at(tab).push_back(&c);
    c.SetVisible(tab == tab_);
}

int TabControl::TabOf(const Control& c) const {
    for (int t = 0; t < Tabs(); ++t)
        for (const Control* x : pages_[t])
            if (x == &c) return t;
    return -1;
}

Timer::Timer(Form& form, std::string name, int interval, int index)
    : form_(form), name_(std::move(name)), index_(index), interval_(interval) {
    form_.Register(this);
}

// Setting the interval of a running timer restarts its countdown, even to
// the same value: a blink turn that restarts its partner relies on it.
void Timer::SetInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_ && ms == 0) return;
    interval_ = ms;
    if (form_.Host()) form_.Host()->TimerChanged(*this);
}

void Timer::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    if (form_.Host()) form_.Host()->TimerChanged(*this);
}

Form::Form(std::string name) : name_(std::move(name)) {}

void Form::SetHost(FormHost* host) {
    host_ = host;
    Remeasure();
}

void Form::Remeasure() {
    for (Control* c : controls_)
        if (auto* l = dynamic_cast<Label*>(c)) l->Measure();
}

void Form::Notify(Control* c) {
    if (host_) host_->Changed(*this, c);
}

void Form::MakeFixedDialog(int clientWidth, int clientHeight) {
    Border = BorderStyle::FixedDialog;
    BackColor = 0x80000000u | 15;  // the system's button face
    ClientWidth = clientWidth;
    ClientHeight = clientHeight;
    Move(0, 0, ClientWidth, ClientHeight);
}

void Form::CentreOn(int screenWidth, int screenHeight) { CentreIn(0, 0, screenWidth, screenHeight); }

void Form::CentreIn(int left, int top, int right, int bottom) {
    Move(left + (right - left - width_) / 2, top + (bottom - top - height_) / 2, width_, height_);
}

void Form::SetCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    Notify(nullptr);
}

void Form::Move(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(nullptr);
}

void Form::SyncGeometry(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Form::Show() {
    visible_ = true;
    if (host_) host_->Show(*this);
}

void Form::Hide() {
    visible_ = false;
    if (host_) host_->Hide(*this);
}

void Form::ShowModal(Form* owner) {
    visible_ = true;
    if (host_) host_->ShowModal(*this, owner);
}

void Form::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (QueryUnload) QueryUnload();
    visible_ = false;
    if (host_) host_->Unload(*this);
}

}  // namespace ui
