// The Win32 host: realises form models as real windows. Buttons become
// BUTTON child windows; picture boxes, labels and images are painted onto
// the form (double-buffered). Model geometry is in twips; the window is the
// truth, and every move of it is reported back to the model.
//
// Like Platform.h this header stays free of <windows.h>: handles travel as
// void* / integers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui::win32 {

struct FormWindow;  // one loaded form and its window
class GdiCache;

class Win32Host : public FormHost {
public:
    explicit Win32Host(void* instance);  // the HINSTANCE of the module with the resources
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // The form whose unload ends the message loop; without a call the first
    // form loaded is the main form.
    void SetMainForm(Form& form) {
        main_ = &form;
        mainChosen_ = true;
    }
    // The main message loop: runs until WM_QUIT, returns its exit code.
    int Run();

    // Twips per pixel at the system DPI (15 at 96 dpi), for layouts made
    // for one DPI; each window converts at its own.
    int TwipsPerPixel() const;

    // Runs when the screen's size or colours, the monitors, a work area or
    // a monitor's scale change (WM_DISPLAYCHANGE, WM_SETTINGCHANGE for the
    // work area, WM_DPICHANGED): for what keeps a reading of the screen.
    std::function<void()> DisplayChanged;

    void Changed(Form& form, Control* control) override;
    void Load(Form& form) override;
    void Show(Form& form) override;
    void Hide(Form& form) override;
    void ShowModal(Form& form, Form* owner) override;
    void Unload(Form& form) override;
    void SetWindowPos(Form& form, Placement insertAfter, unsigned flags) override;
    void DoEvents() override;
    void BeginDrag(Form& form) override;
    void PopupMenu(Form& form, Menu& menu, MenuItem* defaultItem) override;
    void SetPointer(Form& form, Pointer pointer) override;
    void TimerChanged(Timer& timer) override;
    std::uintptr_t WindowHandle(const Form& form) override;
    int Dpi(const Form& form) override;
    void End() override;
    bool MeasureText(const Form& form, const Font& font, const std::string& text, int wrapWidth, int& width,
                     int& height) override;

private:
    friend struct FormWindow;
    FormWindow* Find(const Form& form) const;
    FormWindow* Find(void* hwnd) const;
    void* Handle(const Form& form) const;
    void Dispatch(void* msg);  // a MSG: dialog keys first, then the window
    void RaiseActivate();

    void* instance_;
    Form* main_ = nullptr;
    bool mainChosen_ = false;
    std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
    std::unique_ptr<GdiCache> gdi_;  // loaded once for the life of the host
    // The texts measured last, oldest first.
    struct Measured {
        Font font;
        std::string text;
        int dpi, wrapWidth, width, height;
    };
    static constexpr std::size_t kMeasuredKept = 32;
    std::vector<Measured> measured_;
};

}  // namespace ui::win32
