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
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify();
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
    Notify();
    if (Change) Change();
}

void Label::SetForeColor(Color c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    Notify();
}

void Label::SetFont(const Font& f) {
    font_ = f;
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

Timer::Timer(Form& form, std::string name, int interval, int index)
    : form_(form), name_(std::move(name)), index_(index), interval_(interval) {
    form_.Register(this);
}

void Timer::SetInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_) return;
    interval_ = ms;
    if (form_.Host()) form_.Host()->TimerChanged(*this);
}

void Timer::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    if (form_.Host()) form_.Host()->TimerChanged(*this);
}

Form::Form(std::string name) : name_(std::move(name)) {}

void Form::Notify(Control* c) {
    if (host_) host_->Changed(*this, c);
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
