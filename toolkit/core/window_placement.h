// How WindowOpen's flags and coordinates become the platform's window style,
// size and position. Platform-free; the caller supplies the measurements.
#pragma once

#include <cstdint>

struct WindowStyle {
    uint32_t style; // for the platform: no centring bits, never visible at creation
    bool show;      // show once the window carries its number
    bool maximize;  // show maximised
};

WindowStyle WindowStyleFor(uint32_t flags);

struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// WindowPlacementFor's x and y when the window system is to choose the place.
constexpr int32_t PLACEMENT_DEFAULT = INT32_MIN;

struct WindowPlacement {
    int32_t x;
    int32_t y;
    int32_t width; // outer size
    int32_t height;
};

// Where the window goes. outerWidth and outerHeight are the window's size
// with its frame, in 64 bits since the frame may take it past 32;
// screenWidth and screenHeight the screen's; parent the thread's active
// window, or nullptr when there is none.
WindowPlacement WindowPlacementFor(uint32_t flags, int32_t x, int32_t y, int64_t outerWidth,
                                   int64_t outerHeight, int32_t screenWidth, int32_t screenHeight,
                                   const ScreenRect* parent);
