// What the core leaves behind when the platform or memory fails, over a
// stand-in platform that counts what it holds and fails an operation on
// request: a skipped clean-up shows in its counts.
#include "tests/support/memory_shortage.h"
#include "toolkit/core/backend.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

enum Operation { NONE, START, WINDOW_CREATE, FOCUS_KEYS_CREATE };

struct Control {
    intptr_t window;
    ObjectNumber number;
};

Operation failing = NONE;
bool started;
intptr_t lastWindow;
int windows, focusKeys;
std::vector<Control*> controls;

Control* ControlOf(intptr_t handle) {
    return reinterpret_cast<Control*>(handle);
}

void Forget(intptr_t control) {
    controls.erase(std::find(controls.begin(), controls.end(), ControlOf(control)));
    delete ControlOf(control);
}

// The control's record is the kind's to free, in the gadget's clean-up.
const GadgetKindTable KIND = [] {
    GadgetKindTable kind{};
    kind.free = [](GadgetRecord& record) { Forget(record.handle); };
    return kind;
}();

std::vector<int> Holds() {
    return {started, windows, focusKeys, static_cast<int>(controls.size())};
}

// As a backend's create operations do: the control first, then its number.
intptr_t GadgetCreate(ObjectNumber number) {
    controls.push_back(new Control{GadgetParent(), 0});
    return GadgetAdd(number,
                     {reinterpret_cast<intptr_t>(controls.back()), &KIND, 0, 0, 0, 0, 0, 0});
}

} // namespace

// The stand-in platform: its short operations one a line.
// clang-format off
bool PlatformStart() { return started = failing != START; }
void PlatformCommonControlsStart() {}
void PlatformEnd() { started = false; }
void PlatformWindowLibraryStart() {}
intptr_t PlatformWindowCreate(ObjectNumber, int32_t, int32_t, int32_t, int32_t, const char*,
                              uint32_t, const WindowStyle&) {
    windows += failing != WINDOW_CREATE;
    return failing == WINDOW_CREATE ? 0 : ++lastWindow;
}
void PlatformWindowShow(intptr_t, bool) {}
// Its controls go with it, as a backend's do.
void PlatformWindowDestroy(intptr_t window, ObjectNumber) {
    for (Control* control : std::vector<Control*>(controls)) {
        if (control->window == window) {
            PlatformGadgetDestroy(reinterpret_cast<intptr_t>(control));
        }
    }
    --windows;
}
intptr_t PlatformFocusKeysCreate() { return failing == FOCUS_KEYS_CREATE ? 0 : ++focusKeys; }
void PlatformFocusKeysDestroy(intptr_t) { --focusKeys; }
uint32_t PlatformWaitOnce() { return 0; }
std::vector<FocusEntry> PlatformFocusOrder(intptr_t) { return {}; }
intptr_t PlatformFocusedControl(intptr_t) { return 0; }
void PlatformFocusControl(intptr_t) {}
void PlatformGadgetLibraryStart() {}
void PlatformGadgetAttach(GadgetRecord& r, ObjectNumber n) { ControlOf(r.handle)->number = n; }
void PlatformGadgetDiscard(intptr_t control) { Forget(control); }
void PlatformGadgetDestroy(intptr_t c) { GadgetDestroyed(ControlOf(c)->number, c); }
std::string PlatformGadgetText(const GadgetRecord&) { return {}; }
void PlatformGadgetSetText(GadgetRecord&, const char*) {}
void PlatformGadgetRecolour(GadgetRecord&, int32_t) {}
// clang-format on

// Only the first start that gets that far makes the libraries' registries,
// so only it can lack the memory for them: the platform fails, then the
// files', the windows' and the gadgets' registries, and then a start works.
TEST(FailurePathTest, EachFailureLeavesNothingBehindAndTheOldObjectsKept) {
    for (int allowed = -1; !started && allowed < 4; ++allowed) {
        failing = allowed < 0 ? START : NONE;
        MemoryShortage shortage(allowed < 0 ? INT32_MAX : allowed);
        EXPECT_EQ(RuntimeStart(), started) << allowed << " allocations allowed";
    }
    failing = NONE;
    GadgetListBegin(WindowOpen(2, 0, 0, 100, 100, "Old", 0));
    const intptr_t old = GadgetCreate(1);
    {
        MemoryShortage shortage;
        EXPECT_EQ(GadgetCreate(NUMBER_ANY), 0);
        EXPECT_EQ(GadgetCreate(1000), 0);
        EXPECT_EQ(GadgetCreate(INT32_MAX), 0);
    }
    EXPECT_TRUE(old && GadgetOfControl(1, old)) << "the old gadget stays";
    EXPECT_EQ(Holds(), std::vector<int>({1, 1, 1, 1})) << "the controls not registered are gone";
    // A window that cannot be made: the old one under the number is closed
    // first, and the number is free again.
    MemoryShortage counted(INT32_MAX);
    failing = WINDOW_CREATE;
    EXPECT_EQ(WindowOpen(2, 0, 0, 100, 100, "New", 0), 0);
    EXPECT_EQ(WindowOpen(NUMBER_ANY, 0, 0, 100, 100, "Issued", 0), 0);
    EXPECT_EQ(counted.Taken(), 0);
    EXPECT_EQ(WindowHandleOf(2), 0);
    EXPECT_EQ(Holds(), std::vector<int>({1, 0, 0, 0}));
    failing = FOCUS_KEYS_CREATE;
    EXPECT_TRUE(WindowOpen(2, 0, 0, 100, 100, "Without Tab", 0));
    RuntimeEnd();
    EXPECT_EQ(Holds(), std::vector<int>({0, 0, 0, 0}));
}
