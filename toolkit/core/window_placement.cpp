#include "toolkit/core/window_placement.h"

#include "toolkit/windows.h"

#include <algorithm>

namespace {

constexpr uint32_t WS_VISIBLE_STYLE = 0x10000000; // the platform's bit under WINDOW_HIDDEN
constexpr uint32_t WS_CAPTION_STYLE = 0x00C00000;
constexpr uint32_t WS_MAXIMIZE_STYLE = 0x01000000;
constexpr uint32_t CENTRING = WINDOW_CENTER_SCREEN | WINDOW_CENTER_PARENT;

static_assert(WINDOW_HIDDEN == WS_VISIBLE_STYLE && WINDOW_MAXIMIZE == WS_MAXIMIZE_STYLE,
              "two toolkit flags are platform style bits");

// Centring arithmetic in 64 bits: a caller's extreme sizes must not overflow.
int64_t Centred(int64_t origin, int64_t span, int64_t size) {
    return origin + (span - size) / 2;
}

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

WindowStyle WindowStyleFor(uint32_t flags) {
    uint32_t style = flags;
    // A bare request (only centring or hiding) still gets a title bar.
    if ((flags & ~(CENTRING | WINDOW_HIDDEN)) == 0) {
        style |= WS_CAPTION_STYLE;
    }
    WindowStyle result;
    result.show = (style & WINDOW_HIDDEN) == 0;
    result.style = style & ~(CENTRING | WS_VISIBLE_STYLE);
    result.maximize = (result.style & WS_MAXIMIZE_STYLE) != 0;
    return result;
}

WindowPlacement WindowPlacementFor(uint32_t flags, int32_t x, int32_t y, int64_t outerWidth,
                                   int64_t outerHeight, int32_t screenWidth, int32_t screenHeight,
                                   const ScreenRect* parent) {
    WindowPlacement placement = {x, y, Clamp32(outerWidth), Clamp32(outerHeight)};
    if ((x == POSITION_DEFAULT || y == POSITION_DEFAULT) && (flags & CENTRING) == 0) {
        placement.x = PLACEMENT_DEFAULT;
        placement.y = PLACEMENT_DEFAULT;
    }
    if (flags & WINDOW_CENTER_SCREEN) {
        placement.width = Clamp32(std::min<int64_t>(outerWidth, screenWidth));
        placement.height = Clamp32(std::min<int64_t>(outerHeight, screenHeight));
        placement.x = Clamp32(Centred(0, screenWidth, placement.width));
        placement.y = Clamp32(Centred(0, screenHeight, placement.height));
    } else if ((flags & WINDOW_CENTER_PARENT) && parent) {
        int64_t width = int64_t{parent->right} - parent->left;
        int64_t height = int64_t{parent->bottom} - parent->top;
        placement.x = Clamp32(std::max<int64_t>(0, Centred(parent->left, width, outerWidth)));
        placement.y = Clamp32(std::max<int64_t>(0, Centred(parent->top, height, outerHeight)));
    }
    return placement;
}
