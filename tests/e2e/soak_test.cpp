// A long run of random user operations on one brevolt.exe, each checked
// against the model: the output box after every operation, both files after
// every save, the About box each time. Then Quit, which must end with code 0.
//   BREVOLT_SOAK_OPERATIONS  how many operations (300 by default)
//   BREVOLT_SOAK_SEED        the seed; the one used is printed, so a failing
//                            run can be repeated exactly
#include "brevolt_fixture.h"

#include <cstdint>
#include <iostream>

namespace e2e {
namespace {

uint64_t NumberFromEnvironment(const wchar_t* variable, uint64_t fallback) {
    wchar_t value[64];
    return GetEnvironmentVariableW(variable, value, 64) > 0 ? std::wcstoull(value, nullptr, 10)
                                                            : fallback;
}

class Soak {
  public:
    Soak(Brevolt& app, const std::wstring& folder, uint64_t seed)
        : app_(app), folder_(folder), state_(seed) {}

    // Runs the operations; the number of the one that failed, or -1.
    long Run(unsigned long operations) {
        const Operation all[] = {{&Soak::Pick, 30}, {&Soak::Tick, 18}, {&Soak::Generate, 20},
                                 {&Soak::Add, 15},  {&Soak::Save, 8},  {&Soak::About, 5},
                                 {&Soak::Link, 3}};
        for (unsigned long done = 0; done < operations; ++done) {
            const Operation* chosen = all;
            for (int roll = Below(99); roll >= chosen->weight; ++chosen) {
                roll -= chosen->weight;
            }
            (this->*chosen->perform)();
            if (::testing::Test::HasFailure() || TextOf(app_.Gadget(OUTPUT)) != output_) {
                EXPECT_EQ(TextOf(app_.Gadget(OUTPUT)), output_);
                return static_cast<long>(done);
            }
        }
        Save();
        return ::testing::Test::HasFailure() ? static_cast<long>(operations) : -1;
    }

  private:
    struct Operation {
        void (Soak::*perform)();
        int weight;
    };

    // splitmix64: the same sequence from a seed on every compiler and library.
    int Below(int bound) {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<int>((z ^ (z >> 31)) % static_cast<uint64_t>(bound));
    }

    // "< none >" a quarter of the time, so that short lines and the error
    // line come up as well as long ones.
    void Pick() {
        const int combo = Below(static_cast<int>(ComboModels().size()));
        const ComboModel& model = ComboModels()[combo];
        const int row = Below(4) == 0 ? 0 : 1 + Below(static_cast<int>(model.rows.size()) - 1);
        ASSERT_TRUE(SetComboSelection(app_.Gadget(model.gadget), row));
        picks_.rows[combo] = row;
    }

    // Clicked like the user does: the check box toggles itself.
    void Tick() {
        const int check = Below(static_cast<int>(CheckModels().size()));
        ASSERT_TRUE(app_.Press(CheckModels()[check].gadget));
        picks_.checked[check] = !picks_.checked[check];
        ASSERT_EQ(CheckState(app_.Gadget(CheckModels()[check].gadget)),
                  picks_.checked[check] ? BST_CHECKED : BST_UNCHECKED);
    }

    void Generate() {
        ASSERT_TRUE(app_.Press(GENERATE));
        output_ = ComposeLine(picks_);
    }

    void Add() {
        ASSERT_TRUE(app_.Press(ADD));
        added_.push_back(output_);
    }

    void Save() {
        ASSERT_TRUE(app_.Press(SAVE_CONFIG));
        ASSERT_FALSE(app_.HasMessageBox());
        ASSERT_EQ(ReadFileBytes(folder_ + L"\\autoexec.cfg"), AutoexecFile());
        ASSERT_EQ(ReadFileBytes(folder_ + L"\\buyscript.cfg"), BuyscriptFile(added_));
    }

    // The box holds the main window until it goes, and says the same each time.
    void About() {
        ASSERT_TRUE(app_.PressNoWait(ABOUT));
        MessageBoxSeen seen;
        ASSERT_TRUE(app_.WaitForMessageBox(&seen));
        ASSERT_EQ(seen.title, "About Men\xFC");
        if (aboutText_.empty()) {
            aboutText_ = seen.text;
        }
        ASSERT_EQ(seen.text, aboutText_);
        ASSERT_FALSE(IsWindowEnabled(app_.Window()));
        ASSERT_TRUE(app_.DismissMessageBox(seen.box)) << "About box stuck";
        ASSERT_TRUE(app_.Sync());
        ASSERT_TRUE(IsWindowEnabled(app_.Window()));
    }

    void Link() {
        ASSERT_TRUE(app_.Click(LINK));
        ASSERT_TRUE(app_.Running());
        ASSERT_FALSE(app_.HasMessageBox());
    }

    Brevolt& app_;
    std::wstring folder_;
    uint64_t state_;
    Picks picks_;
    std::string output_ = INITIAL_OUTPUT;
    std::vector<std::string> added_;
    std::string aboutText_;
};

TEST_F(BrevoltTest, SoakOfRandomOperationsMatchesTheModel) {
    const uint64_t seed = NumberFromEnvironment(L"BREVOLT_SOAK_SEED", 20070401);
    const auto operations =
        static_cast<unsigned long>(NumberFromEnvironment(L"BREVOLT_SOAK_OPERATIONS", 300));
    std::cout << "soak: seed " << seed << ", " << operations << " operations" << std::endl;
    const long failed = Soak(app_, work_, seed).Run(operations);
    ASSERT_EQ(failed, -1) << "soak failed at operation " << failed << " with seed " << seed;
    ASSERT_TRUE(app_.PressNoWait(QUIT));
    ExpectExitCodeZero(app_);
}

} // namespace
} // namespace e2e
