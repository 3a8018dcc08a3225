#include "tests/support/FakeHost.h"

#include <algorithm>

namespace fake {

void FakeHost::Load(ui::Form& form) {
    events.push_back("Load " + form.Name());
    if (form.Border == ui::BorderStyle::FixedDialog)
        form.SyncGeometry(form.Left(), form.Top(), form.ClientWidth + frameWidth,
                          form.ClientHeight + frameHeight);
}

void FakeHost::ShowModal(ui::Form& form, ui::Form* owner) {
    events.push_back("ShowModal " + form.Name() + (owner ? " owner " + owner->Name() : ""));
    ++modalDepth;
    if (onModal) onModal(form);
    --modalDepth;
}

void FakeHost::SetWindowPos(ui::Form& form, ui::Placement placement, unsigned flags) {
    const long insertAfter = static_cast<long>(placement);
    events.push_back("SetWindowPos " + form.Name() + " " + std::to_string(insertAfter) + " " +
                     std::to_string(flags));
    zOrders.emplace_back(form.Name(), insertAfter);
}

void FakeHost::PopupMenu(ui::Form&, ui::Menu& menu, ui::MenuItem* defaultItem) {
    events.push_back("Menu " + menu.Name());
    menuDefaults.push_back(defaultItem ? defaultItem->Name() : "");
    if (!onMenu) return;
    if (ui::MenuItem* item = onMenu(menu); item && item->Click) item->Click();
}

void FakeHost::TimerChanged(ui::Timer& timer) {
    if (timer.Running() && !timer.AlignToSecond)
        due_[&timer] = clockMs + timer.Interval();
    else
        due_.erase(&timer);
}

void FakeHost::AdvanceMs(long ms) {
    const long end = clockMs + ms;
    for (;;) {
        ui::Timer* next = nullptr;
        long at = end + 1;
        for (auto& [t, when] : due_)
            if (when < at) {
                at = when;
                next = t;
            }
        if (!next) break;
        clockMs = at;
        due_[next] = at + next->Interval();
        next->Fire();
    }
    clockMs = end;
}

bool FakeHost::MeasureText(const ui::Font& font, const std::string& text, int wrapWidth,
                           int& width, int& height) {
    const int charWidth = static_cast<int>(font.points * 11 + 0.5);
    const int lineHeight = static_cast<int>(font.points * 24 + 0.5);
    width = charWidth * static_cast<int>(text.size());
    height = lineHeight;
    if (wrapWidth > 0 && width > wrapWidth) {
        height = lineHeight * ((width + wrapWidth - 1) / wrapWidth);
        width = wrapWidth;
    }
    return true;
}

int FakeHost::Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

}  // namespace fake
