// Drives gadgets in a toolkit window for the GUI tests: feeds real pointer
// input, pumps EventWait until things settle, records what it returns and
// reads pixels back.
#pragma once

#include "tests/support/event_trace_win32.h"
#include "toolkit/registry.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

// Calls EventWait until every message that the window's thread has been
// given so far, input and paints included, has been handled and no queued
// event is left, at most for five seconds. Keeps the events whose code is in
// `kept`.
EventTrace PumpUntilSettled(HWND window, const std::vector<int32_t>& kept = {EVENT_GADGET});

// Real pointer input at a point of a window's client area.
void PointerMoveTo(HWND window, int x, int y);
void PointerClick(HWND window, int x, int y);

// Pixels of a window's client area, read back from the screen as 0x00BBGGRR.
struct ClientPixels {
    int width;
    int height;
    std::vector<COLORREF> pixels;

    int Count(COLORREF colour) const;
};
ClientPixels ReadClientPixels(HWND window);

// A toolkit window (number 3, the program's window flags) that receives the
// gadgets a test creates, closed after the test.
class GadgetWindowTest : public testing::Test {
  protected:
    static constexpr ObjectNumber WINDOW = 3;

    void SetUp() override;
    void TearDown() override;

    // The gadget events that EventWait returns until things settle.
    EventTrace GadgetEvents();
    static TracedEvent Reported(ObjectNumber gadget, int32_t subtype);

    HWND window = nullptr;
};

inline HWND HandleOf(intptr_t created) {
    return reinterpret_cast<HWND>(created);
}
