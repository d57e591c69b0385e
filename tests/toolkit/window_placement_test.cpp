#include "toolkit/window_placement.h"

#include "toolkit/windows.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(style.style, test.style) << std::hex << test.flags;
        EXPECT_EQ(style.show, test.show) << std::hex << test.flags;
        EXPECT_EQ(style.maximize, test.maximize) << std::hex << test.flags;
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
    const Case cases[] = {
        {"caller's position", 0, 382, 155, 256, 478, &parent, {382, 155, 256, 478}},
        {"screen centre, caller's position ignored",
         WINDOW_CENTER_SCREEN,
         382,
         155,
         256,
         478,
         nullptr,
         {512, 273, 256, 478}},
        {"screen centre truncates",
         WINDOW_CENTER_SCREEN,
         0,
         0,
         255,
         477,
         nullptr,
         {512, 273, 255, 477}},
        {"larger than the screen is clamped",
         WINDOW_CENTER_SCREEN,
         0,
         0,
         2000,
         1025,
         nullptr,
         {0, 0, 1280, 1024}},
        {"screen centre wins over parent centre",
         WINDOW_CENTER_SCREEN | WINDOW_CENTER_PARENT,
         0,
         0,
         256,
         478,
         &parent,
         {512, 273, 256, 478}},
        {"parent centre truncates",
         WINDOW_CENTER_PARENT,
         0,
         0,
         100,
         100,
         &parent,
         {200, 150, 100, 100}},
        {"parent centre is raised to 0",
         WINDOW_CENTER_PARENT,
         0,
         0,
         200,
         100,
         &smallParent,
         {0, 0, 200, 100}},
        {"no active window keeps the position",
         WINDOW_CENTER_PARENT,
         7,
         9,
         100,
         100,
         nullptr,
         {7, 9, 100, 100}},
        {"default position",
         0,
         POSITION_DEFAULT,
         30,
         100,
         100,
         nullptr,
         {INT32_MIN, INT32_MIN, 100, 100}},
        {"default position is for the platform only without centring",
         WINDOW_CENTER_PARENT,
         POSITION_DEFAULT,
         POSITION_DEFAULT,
         100,
         100,
         nullptr,
         {POSITION_DEFAULT, POSITION_DEFAULT, 100, 100}},
        {"extreme sizes do not overflow",
         WINDOW_CENTER_PARENT,
         0,
         0,
         INT32_MIN,
         INT32_MIN,
         &farParent,
         {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
    };
    for (const Case& test : cases) {
        WindowPlacement placement = WindowPlacementFor(test.flags, test.x, test.y, test.width,
                                                       test.height, 1280, 1024, test.parent);
        EXPECT_EQ(placement.x, test.expected.x) << test.name;
        EXPECT_EQ(placement.y, test.expected.y) << test.name;
        EXPECT_EQ(placement.width, test.expected.width) << test.name;
        EXPECT_EQ(placement.height, test.expected.height) << test.name;
    }
}

} // namespace
