// Which monitor a window is on, and the twips of a DPI: portable rules that
// the clock and the host share.
#include <algorithm>
#include <cstdint>

#include "platform/Platform.h"

namespace platform {

namespace {

std::int64_t Scale(std::int64_t value, std::int64_t by, std::int64_t per) {
    if (per <= 0) return value;
    const std::int64_t n = value * by;
    return n >= 0 ? (n + per / 2) / per : -((-n + per / 2) / per);
}

std::int64_t Overlap(const Rect& a, const Rect& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles; 0 when they touch or overlap.
std::int64_t Distance(const Rect& a, const Rect& b) {
    const std::int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

int TwipsOfPixels(int pixels, int dpi) { return static_cast<int>(Scale(pixels, 1440, dpi)); }

int PixelsOfTwips(int twips, int dpi) { return static_cast<int>(Scale(twips, dpi, 1440)); }

const Monitor& MonitorOf(const std::vector<Monitor>& monitors, const Rect& window) {
    const Monitor* best = &monitors.front();
    std::int64_t most = 0;
    for (const Monitor& m : monitors) {
        const std::int64_t o = Overlap(m.bounds, window);
        if (o > most) {
            most = o;
            best = &m;
        }
    }
    if (most > 0) return *best;
    std::int64_t nearest = Distance(best->bounds, window);
    for (const Monitor& m : monitors) {
        const std::int64_t d = Distance(m.bounds, window);
        if (d < nearest) {
            nearest = d;
            best = &m;
        }
    }
    return *best;
}

}  // namespace platform
