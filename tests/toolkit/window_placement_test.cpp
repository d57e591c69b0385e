#include "toolkit/window_placement.h"

#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

constexpr uint32_t POPUP = 0x80000000;
constexpr uint32_t CAPTION = 0x00C00000;
constexpr uint32_t SYSMENU = 0x00080000;

TEST(WindowPlacement, FlagsBecomeStyleAndShowing) {
    struct Case {
        uint32_t flags;
        uint32_t style;
        bool show;
        bool maximize;
    };
    const Case cases[] = {
        {POPUP | CAPTION | WINDOW_CENTER_SCREEN, POPUP | CAPTION, true, false},
        {0, CAPTION, true, false},
        {WINDOW_CENTER_PARENT | WINDOW_HIDDEN, CAPTION, false, false},
        {POPUP, POPUP, true, false},
        {POPUP | WINDOW_HIDDEN, POPUP, false, false},
        {CAPTION | SYSMENU | WINDOW_MAXIMIZE, CAPTION | SYSMENU | WINDOW_MAXIMIZE, true, true},
    };
    for (const Case& test : cases) {
        WindowStyle style = WindowStyleFor(test.flags);
        EXPECT_EQ(std::make_tuple(style.style, style.show, style.maximize),
                  std::make_tuple(test.style, test.show, test.maximize))
            << std::hex << test.flags;
    }
}

TEST(WindowPlacement, Position) {
    const ScreenRect parent = {100, 50, 401, 350}; // 301 x 300
    const ScreenRect smallParent = {10, 10, 60, 40};
    const ScreenRect farParent = {INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX};
    struct Case {
        const char* name;
        uint32_t flags;
        int32_t x, y, width, height;
        const ScreenRect* parent;
        WindowPlacement expected;
    };
    constexpr uint32_t SCREEN = WINDOW_CENTER_SCREEN, PARENT = WINDOW_CENTER_PARENT;
    constexpr int32_t DEFAULT = POSITION_DEFAULT, MAX = INT32_MAX, MIN = INT32_MIN;
    const Case cases[] = {
        {"caller's position", 0, 382, 155, 256, 478, &parent, {382, 155, 256, 478}},
        {"screen centre", SCREEN, 382, 155, 256, 478, nullptr, {512, 273, 256, 478}},
        {"screen centre truncates", SCREEN, 0, 0, 255, 477, nullptr, {512, 273, 255, 477}},
        {"larger than the screen", SCREEN, 0, 0, 2000, 1025, nullptr, {0, 0, 1280, 1024}},
        {"screen before parent", SCREEN | PARENT, 0, 0, 256, 478, &parent, {512, 273, 256, 478}},
        {"parent centre truncates", PARENT, 0, 0, 100, 100, &parent, {200, 150, 100, 100}},
        {"parent centre raised to 0", PARENT, 0, 0, 200, 100, &smallParent, {0, 0, 200, 100}},
        {"no active window", PARENT, 7, 9, 100, 100, nullptr, {7, 9, 100, 100}},
        {"default position", 0, DEFAULT, 30, 100, 100, nullptr, {MIN, MIN, 100, 100}},
        {"centred default", PARENT, DEFAULT, DEFAULT, 9, 9, nullptr, {DEFAULT, DEFAULT, 9, 9}},
        {"no overflow", PARENT, 0, 0, MIN, MIN, &farParent, {MAX, MAX, MIN, MIN}},
    };
    for (const Case& test : cases) {
        WindowPlacement placement = WindowPlacementFor(test.flags, test.x, test.y, test.width,
                                                       test.height, 1280, 1024, test.parent);
        const auto fields = [](const WindowPlacement& p) {
            return std::vector<int32_t>{p.x, p.y, p.width, p.height};
        };
        EXPECT_EQ(fields(placement), fields(test.expected)) << test.name;
    }
}

} // namespace
