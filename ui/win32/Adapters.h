// Controls that are child windows of their own: push buttons everywhere;
// in dialogs also labels, frames, check boxes, option buttons, drop-down
// lists, text boxes and the tab control. One adapter per kind makes the
// window, brings it up to date with the model and turns its notifications
// into model events; the model stays the only writer of a value.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/Controls.h"

namespace ui::win32 {

struct FormWindow;

class ChildWindow {
public:
    virtual ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    // The adapter for a control of this form, or nullptr: painted.
    static std::unique_ptr<ChildWindow> For(Control& c, bool dialog);

    // Creates the window (hidden; Update shows it) with this child id.
    void Create(FormWindow& w, HINSTANCE instance, int id);
    // Model to window: text, state, enabled, place.
    void Update(FormWindow& w);
    // A WM_COMMAND or WM_NOTIFY code from the window.
    virtual void Notify(FormWindow& w, int code) = 0;

    virtual bool TakesFocus() const { return true; }
    virtual bool IsPushButton() const { return false; }
    // Text colour, for labels; false: the system's.
    virtual bool TextColour(COLORREF&) const { return false; }

    Control& model;
    HWND hwnd = nullptr;
    int id = 0;

protected:
    explicit ChildWindow(Control& c) : model(c) {}
    virtual const char* ClassName() const = 0;
    virtual DWORD Style() const = 0;
    virtual std::string Text() const { return {}; }
    virtual int ExtraHeight(FormWindow&) const { return 0; }  // a list's drop-down part
    virtual void Fill(FormWindow&) {}                          // once, after creation
    virtual void UpdateState(FormWindow&) {}

private:
    static LRESULT CALLBACK Subclass(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    WNDPROC systemProc_ = nullptr;
    FormWindow* form_ = nullptr;
};

}  // namespace ui::win32
