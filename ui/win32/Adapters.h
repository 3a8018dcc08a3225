// How the host realises each kind of control: one adapter per kind, picked
// once per control, and the only code that knows a control's kind. A
// dialog's controls are child windows of their own (the adapter makes the
// window, brings it up to date with the model and turns its notifications
// into model events; the model stays the only writer of a value); the
// clock's face, pictures and images are painted by the form.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "ui/Controls.h"

namespace ui::win32 {

struct FormWindow;

class ControlAdapter {
public:
    virtual ~ControlAdapter();
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    // The adapter for a control of this form.
    static std::unique_ptr<ControlAdapter> For(Control& c, bool dialog);

    // A window of its own, or painted by the form.
    bool Painted() const { return ClassName() == nullptr; }
    // Creates the window (hidden; Update shows it) with this child id.
    void Create(FormWindow& w, HINSTANCE instance, int id);
    // Model to window: text, state, enabled, place.
    void Update(FormWindow& w);
    // A WM_COMMAND or WM_NOTIFY code from the window.
    virtual void Notify(FormWindow&, int /*code*/) {}

    // Dialog keys: the focus, the push buttons Enter and Esc press, the
    // options the arrow keys move among, Ctrl+Tab.
    virtual bool TakesFocus() const { return true; }
    struct ButtonRole { bool push = false, isDefault = false, cancel = false; };
    virtual ButtonRole Role() const { return {}; }
    virtual void Press() {}
    virtual bool IsOption() const { return false; }
    virtual bool TurnPage(bool /*back*/) { return false; }
    // Containers lie under what is on them: 1 a frame, 2 the tab control
    // (frames lie on its pages).
    virtual int Beneath() const { return 0; }

    // Colours of a window (WM_CTLCOLOR*): false keeps the system's.
    virtual bool TakesFormColours() const { return true; }
    virtual bool TextColour(COLORREF&) const { return false; }
    // The colour what lies on it is drawn over, when it has one.
    virtual std::optional<COLORREF> BackColour() { return std::nullopt; }

    // Where it draws, in client pixels (an auto-size label: its text).
    virtual RECT Extent(const FormWindow& w) const;
    // Draws a painted control, clipped to its containers.
    virtual void Paint(FormWindow&, HDC) {}
    // Draws, in the form's background, what a window shows behind the windows
    // on it: themed frames ask the form for the background under their caption.
    virtual void PaintBehind(FormWindow&, HDC) {}

    Control& model;
    HWND hwnd = nullptr;
    int id = 0;
    // Where it was last seen, to repaint old and new places.
    struct Seen {
        RECT rect{};
        bool shown = false;
        std::string tip;
    } seen;

protected:
    explicit ControlAdapter(Control& c) : model(c) {}
    virtual const char* ClassName() const { return nullptr; }  // nullptr: painted
    virtual DWORD Style() const { return 0; }
    virtual DWORD ExStyle() const { return 0; }
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
