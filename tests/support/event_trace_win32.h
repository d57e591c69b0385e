// Drives toolkit windows for the GUI tests: records what EventWait returns as
// (event, window, gadget, subtype) tuples, feeds real pointer input and reads
// pixels back. Every wait is bounded, so a missing event fails a test instead
// of hanging it.
#pragma once

#include "toolkit/registry.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

struct TracedEvent {
    int32_t event, window, gadget, subtype;
};
bool operator==(const TracedEvent& a, const TracedEvent& b);
void PrintTo(const TracedEvent& event, std::ostream* out);
using EventTrace = std::vector<TracedEvent>;
using EventCodes = std::vector<int32_t>;

// The six named events.
extern const EventCodes TOOLKIT_EVENTS;

// Calls EventWait until every message given to the thread so far, input
// included, and what it raised has come out; keeps the events in `kept`.
// Paints of `window` are carried out rather than waited for.
EventTrace Settle(const EventCodes& kept = TOOLKIT_EVENTS, HWND window = nullptr);

// Calls EventWait until `done` holds for the events kept so far.
EventTrace TraceUntil(const std::function<bool(const EventTrace&)>& done, const EventCodes& kept);

// Compares two traces whole; on a mismatch shows both, one tuple a line.
testing::AssertionResult SameTrace(const EventTrace& expected, const EventTrace& actual);

// Starts the toolkit runtime once; it ends when the program's tests are over.
void StartToolkitRuntime();

// Real pointer input at a point of a window's client area.
void PointerAt(HWND window, int x, int y, bool click = false);

// Client-area pixels read back from the screen as 0x00BBGGRR.
std::vector<COLORREF> ClientPixels(HWND window);

inline HWND HandleOf(intptr_t created) {
    return reinterpret_cast<HWND>(created);
}

// Toolkit window 3 with the program's flags, taking the gadgets a test makes.
class GadgetWindowTest : public testing::Test {
  protected:
    static constexpr ObjectNumber WINDOW = 3;
    void SetUp() override;
    void TearDown() override { WindowClose(WINDOW); }
    EventTrace GadgetEvents() { return Settle({EVENT_GADGET}, window); }
    static TracedEvent Reported(ObjectNumber gadget, int32_t subtype) {
        return {EVENT_GADGET, WINDOW, gadget, subtype};
    }
    HWND window = nullptr;
};
