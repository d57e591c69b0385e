// What the core leaves behind when the platform or memory fails, over the
// stand-in platform: the result, the numbers, and nothing the platform still
// holds or the leak checker finds.
#include "tests/support/memory_shortage.h"
#include "tests/support/platform_standin.h"
#include "toolkit/gadgets.h"
#include "toolkit/launch.h"
#include "toolkit/messagebox.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using Op = PlatformOperation;

std::vector<int> Holds() {
    const StandIn held = StandInHolds();
    return {held.started, held.windows, held.focusKeys, held.controls};
}

// First in the program: only the first start that gets that far makes the
// libraries' registries, so only it can lack the memory for them. The
// platform fails, then the files', the windows' and the gadgets' registries.
TEST(RuntimeStartTest, AFailedStartEndsWhatStartedAndALaterOneWorks) {
    bool started = false;
    for (int allowed = -1; !started; ++allowed) {
        PlatformFailure failure(allowed < 0 ? Op::START : Op::NONE);
        MemoryShortage shortage(allowed < 0 ? INT_MAX : allowed);
        started = RuntimeStart();
        EXPECT_EQ(StandInHolds().started, started) << allowed << " allocations allowed";
    }
    EXPECT_TRUE(WindowOpen(1, 0, 0, 10, 10, "Works", 0));
    RuntimeEnd();
    EXPECT_EQ(Holds(), std::vector<int>({0, 0, 0, 0}));
}

class FailurePathTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(RuntimeStart());
        window = WindowOpen(2, 0, 0, 100, 100, "Window", 0);
        GadgetListBegin(window);
        StandInTrace();
    }
    void TearDown() override {
        RuntimeEnd();
        EXPECT_EQ(Holds(), std::vector<int>({0, 0, 0, 0})) << "left with the platform";
    }
    intptr_t window = 0;
};

TEST_F(FailurePathTest, AWindowThatCannotBeMadeLeavesItsNumberFree) {
    ASSERT_TRUE(StandInGadgetCreate(1, "On the old window"));
    MemoryShortage counted(INT_MAX);
    {
        PlatformFailure failure(Op::WINDOW_CREATE);
        EXPECT_EQ(WindowOpen(2, 0, 0, 100, 100, "New", 0), 0);
        EXPECT_EQ(WindowOpen(NUMBER_ANY, 0, 0, 100, 100, "Issued", 0), 0);
    }
    EXPECT_EQ(counted.Taken(), 0) << "the issued number is free again";
    EXPECT_EQ(WindowHandleOf(2), 0);
    EXPECT_EQ(Holds(), std::vector<int>({1, 0, 0, 0})) << "the old window was closed first";
    PlatformFailure failure(Op::FOCUS_KEYS_CREATE);
    EXPECT_TRUE(WindowOpen(2, 0, 0, 100, 100, "Without Tab", 0));
}

TEST_F(FailurePathTest, AControlThatCannotBeRegisteredGoesAndTheOldGadgetStays) {
    ASSERT_TRUE(StandInGadgetCreate(1, "Old"));
    {
        MemoryShortage shortage;
        EXPECT_EQ(StandInGadgetCreate(NUMBER_ANY, "Issued"), 0);
        EXPECT_EQ(StandInGadgetCreate(1000, "Beyond the table"), 0);
    }
    EXPECT_EQ(StandInGadgetCreate(INT32_MAX, "Past any table"), 0);
    EXPECT_EQ(Holds(), std::vector<int>({1, 1, 1, 1}));
    EXPECT_EQ(GadgetGetText(1), "Old");
    ASSERT_TRUE(StandInGadgetCreate(1, "New"));
    EXPECT_EQ(Holds(), std::vector<int>({1, 1, 1, 1})) << "the old control was destroyed";
    EXPECT_EQ(GadgetGetText(1), "New");
}

TEST_F(FailurePathTest, TabLeavesTheFocusWhenTheOrderCannotBeHad) {
    const intptr_t first = StandInGadgetCreate(1, "First");
    ASSERT_TRUE(first && StandInGadgetCreate(2, "Second"));
    WindowFocusMove(window, true);
    PlatformFailure failure(Op::FOCUS_ORDER);
    WindowFocusMove(window, true);
    EXPECT_EQ(PlatformFocusedControl(window), first);
}

// Each box disables the windows it can record; the last box sees that the
// earlier ones enabled theirs again.
TEST_F(FailurePathTest, AMessageBoxLeavesAloneTheWindowsItCannotRecord) {
    ASSERT_TRUE(WindowOpen(3, 0, 0, 100, 100, "Other", 0));
    for (int allowed : {2, 1, 0}) {
        MemoryShortage shortage(allowed);
        EXPECT_EQ(MessageBoxShow("Title", "Text"), MESSAGE_BOX_OK);
    }
    EXPECT_EQ(StandInTrace(), " box 0 box 1 box 2");
}

TEST_F(FailurePathTest, ANameIsOpenedAsADocumentWhenNoProgramStarts) {
    const struct {
        const char* name;
        bool programFails, documentFails;
        int32_t result;
        const char* trace;
    } cases[] = {
        {"tool.exe", false, false, 1, " program \"tool.exe\""},
        {"\"a b.exe\" -x", false, false, 1, " program \"a b.exe\" -x"},
        {"www.a.example", true, false, 1, " program \"www.a.example\" document www.a.example"},
        {"none", true, true, 0, " program \"none\" document none"},
    };
    for (const auto& c : cases) {
        PlatformFailure program(c.programFails ? Op::START_PROGRAM : Op::NONE);
        PlatformFailure document(c.documentFails ? Op::OPEN_DOCUMENT : Op::NONE);
        EXPECT_EQ(DocumentOpen(c.name), c.result) << c.name;
        EXPECT_EQ(StandInTrace(), c.trace) << c.name;
    }
}

} // namespace
