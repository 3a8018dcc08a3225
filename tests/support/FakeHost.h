// A window system for host tests: records what forms ask and lets a test
// act inside a modal window or a pop-up menu.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace fake {

class FakeHost : public ui::FormHost {
public:
    // Frame a dialog adds around its client area, twips.
    int frameWidth = 90, frameHeight = 405;

    std::function<void(ui::Form&)> onModal;   // runs while a form is shown modally
    std::function<ui::MenuItem*(ui::Menu&)> onMenu;  // the item the user picks
    std::vector<std::string> events;  // "Show AnaForm", "Hide AnaForm", "Drag", ...
    std::vector<std::pair<std::string, long>> zOrders;  // form name, insert-after
    std::vector<std::string> menuDefaults;
    std::vector<ui::Pointer> pointers;
    int ended = 0;
    int modalDepth = 0;

    void Changed(ui::Form&, ui::Control*) override {}
    void Load(ui::Form& form) override;
    void Show(ui::Form& form) override { events.push_back("Show " + form.Name()); }
    void Hide(ui::Form& form) override { events.push_back("Hide " + form.Name()); }
    void ShowModal(ui::Form& form, ui::Form* owner) override;
    void Unload(ui::Form& form) override { events.push_back("Unload " + form.Name()); }
    void SetWindowPos(ui::Form& form, ui::Placement insertAfter, unsigned flags) override;
    void DoEvents() override { events.push_back("DoEvents"); }
    void BeginDrag(ui::Form&) override { events.push_back("Drag"); }
    void PopupMenu(ui::Form& form, ui::Menu& menu, ui::MenuItem* defaultItem) override;
    void SetPointer(ui::Form&, ui::Pointer pointer) override { pointers.push_back(pointer); }
    void TimerChanged(ui::Timer& timer) override;
    std::uintptr_t WindowHandle(const ui::Form&) override { return 0x1234; }
    void End() override { ++ended; }
    // Fixed metrics: each character 11 twips per point wide, lines 24 twips
    // per point high.
    bool MeasureText(const ui::Font& font, const std::string& text, int wrapWidth, int& width,
                     int& height) override;

    int Count(const std::string& event) const;

    // A virtual clock for the free-running timers: each (re)start counts
    // its interval from now; AdvanceMs fires what falls due, in time order.
    long clockMs = 0;
    void AdvanceMs(long ms);

private:
    std::map<ui::Timer*, long> due_;
};

}  // namespace fake
