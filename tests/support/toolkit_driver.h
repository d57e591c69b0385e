// Drives toolkit windows for the GUI tests on either window system
// (toolkit_driver_win32.cpp, toolkit_driver_gtk.cpp): what a user does,
// delivered the way the window system delivers it, and what EventWait then
// returns, recorded as (event, window, gadget, subtype) tuples. Every wait
// is bounded, so a missing event fails a test instead of hanging it.
#pragma once

#include "toolkit/gadgets.h"
#include "toolkit/registry.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

using TracedEvent = std::array<int32_t, 4>; // event, window, gadget, subtype
using EventTrace = std::vector<TracedEvent>;
using EventCodes = std::vector<int32_t>;

// The six named events.
extern const EventCodes TOOLKIT_EVENTS;

// Calls EventWait until everything the window system holds for the thread,
// and what it raised, has come out; keeps the events in `kept`.
EventTrace Settle(const EventCodes& kept = TOOLKIT_EVENTS);

// Starts the toolkit runtime once; it ends when the program's tests are over.
void StartToolkitRuntime();

// The gadget events among `trace` with one of the subtypes; each platform
// adds notifications of its own around them.
EventTrace Only(const EventTrace& trace, std::initializer_list<int32_t> subtypes);
bool Keeps(const EventCodes& kept, int32_t event);

void UserClick(intptr_t control);              // a button, a check box or a link
void UserSelectNext(intptr_t combo);           // the entry below the selected one, by keyboard
void UserShowList(intptr_t combo, bool shown); // opens or closes the list
void UserFocus(intptr_t control);              // the keyboard focus, by pointer
void UserTab(intptr_t window, bool shift, bool ctrl); // read by the time it returns
void UserClose(intptr_t window);                      // the window manager's close request
intptr_t FocusedGadget(intptr_t window);              // 0 when none of the window's has the focus
void SetEnabled(intptr_t handle, bool enabled);
bool IsEnabled(intptr_t handle);
bool IsShown(intptr_t window);
// The pixels of the control's area (inside its border where the window
// system draws one) as it shows them now, row by row from the top left, each
// as 0xBBGGRR: read from what is displayed, never from the toolkit's records.
// It does not wait: the caller settles first, so pending repaints are made.
std::vector<int32_t> ShownPixels(intptr_t control);
// Runs action; a message box it shows is answered with OK once it is up,
// after calling probe (if any) while it is.
using TestStep = void (*)(void* context);
void AnsweringBoxes(TestStep action, TestStep probe, void* context);

// Toolkit window 3 with the program's flags, taking the gadgets a test makes.
class GadgetWindowTest : public testing::Test {
  public:
    static constexpr ObjectNumber WINDOW = 3;
    static constexpr uint32_t FLAGS = WINDOW_STYLE_POPUP | WINDOW_STYLE_CAPTION;

  protected:
    void SetUp() override {
        StartToolkitRuntime();
        window = WindowOpen(WINDOW, 0, 0, 640, 400, "Gadgets", FLAGS);
        ASSERT_NE(window, 0);
        ASSERT_EQ(GadgetListBegin(window), window);
        Settle({});
    }
    void TearDown() override { WindowClose(WINDOW); }
    EventTrace GadgetEvents() { return Settle({EVENT_GADGET}); }
    static TracedEvent Reported(ObjectNumber gadget, int32_t subtype) {
        return {EVENT_GADGET, WINDOW, gadget, subtype};
    }
    intptr_t window = 0;
};
