// Drives gadgets in a toolkit window for the GUI tests: starts the runtime
// once, feeds real input, pumps EventWait until things settle and records
// what it returns.
#pragma once

#include "toolkit/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <vector>

struct RecordedEvent {
    int32_t event;
    int32_t window;
    int32_t gadget;
    int32_t subtype;
};

bool operator==(const RecordedEvent& a, const RecordedEvent& b);
std::ostream& operator<<(std::ostream& out, const RecordedEvent& event);
std::ostream& operator<<(std::ostream& out, const std::vector<RecordedEvent>& events);

// RuntimeStart, the first time only: the libraries can start once per process.
void StartRuntimeOnce();

// Calls EventWait until every message that the window's thread has been
// given so far has been handled and no queued event is left, at most for
// five seconds. Returns everything EventWait returned in that time.
std::vector<RecordedEvent> PumpUntilSettled(HWND window);

// Only the EVENT_GADGET entries.
std::vector<RecordedEvent> GadgetEventsOf(const std::vector<RecordedEvent>& events);

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

    // The EVENT_GADGET entries of what EventWait returns until things settle.
    std::vector<RecordedEvent> GadgetEvents();
    static RecordedEvent Reported(ObjectNumber gadget, int32_t subtype);

    HWND window = nullptr;
};

inline HWND HandleOf(intptr_t created) {
    return reinterpret_cast<HWND>(created);
}
