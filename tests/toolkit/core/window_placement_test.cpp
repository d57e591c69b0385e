#include "toolkit/core/window_placement.h"

#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The program's own placement, centred on the screen, is checked end to end.
TEST(WindowPlacement, Position) {
    const ScreenRect parent = {100, 50, 401, 350}; // 301 x 300
    const ScreenRect smallParent = {10, 10, 60, 40};
    const ScreenRect farParent = {INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX};
    struct Case {
        const char* name;
        uint32_t flags;
        int32_t x, y;
        int64_t width, height;
        const ScreenRect* parent;
        WindowPlacement expected;
    };
    constexpr uint32_t SCREEN = WINDOW_CENTER_SCREEN, PARENT = WINDOW_CENTER_PARENT;
    constexpr int32_t DEFAULT = POSITION_DEFAULT, MAX = INT32_MAX, MIN = INT32_MIN;
    const Case cases[] = {
        {"caller's position", 0, 382, 155, 256, 478, &parent, {382, 155, 256, 478}},
        {"larger than the screen", SCREEN, 0, 0, 2000, 1025, nullptr, {0, 0, 1280, 1024}},
        {"frame past 32 bits", SCREEN, 0, 0, MAX + 100LL, 100, nullptr, {0, 462, 1280, 100}},
        {"parent centre truncates", PARENT, 0, 0, 100, 100, &parent, {200, 150, 100, 100}},
        {"parent centre raised to 0", PARENT, 0, 0, 200, 100, &smallParent, {0, 0, 200, 100}},
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
