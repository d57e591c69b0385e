// A long run of random user operations on one brevolt.exe, each checked
// against the model: the output box after every operation, both files after
// every save, each box that appears. Then Quit, which must end with code 0.
//   BREVOLT_SOAK_OPERATIONS  how many operations (300 by default)
//   BREVOLT_SOAK_SEED        the seed; the one used is printed, so a failing
//                            run can be repeated exactly
#include "brevolt_fixture.h"
#include "script_model.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr int QUIT = 5, GENERATE = 6, ABOUT = 7, ADD = 8, SAVE_CONFIG = 9, LINK = 29;
constexpr uint64_t DEFAULT_SEED = 20070401;
constexpr unsigned long DEFAULT_OPERATIONS = 300;

// splitmix64: the same sequence from a seed on every compiler and library.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<uint64_t>(bound)); }

  private:
    uint64_t state_;
};

uint64_t NumberFromEnvironment(const wchar_t* variable, uint64_t fallback) {
    wchar_t value[64];
    if (GetEnvironmentVariableW(variable, value, 64) == 0) {
        return fallback;
    }
    return std::wcstoull(value, nullptr, 10);
}

size_t CountLines(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = 0; (at = text.find(needle, at)) != std::string::npos; at += needle.size()) {
        ++count;
    }
    return count;
}

// What one of the two files should hold; absent until something makes it.
struct ExpectedFile {
    const wchar_t* name;
    bool exists = false;
    std::string bytes;
};

class Soak {
  public:
    Soak(Brevolt& app, const std::wstring& folder, uint64_t seed)
        : app_(app), folder_(folder), random_(seed) {}

    void Run(unsigned long operations);
    const std::string& Trail() const { return trail_; }
    std::string Counts() const;

  private:
    struct Weighted {
        void (Soak::*perform)();
        int weight;
        const char* name;
    };
    static constexpr size_t OPERATION_COUNT = 8;
    static const Weighted OPERATIONS[OPERATION_COUNT];

    void Pick();
    void Tick();
    void Generate();
    void Add();
    void Save() { SaveWithLocks(false, false); }
    void SaveLocked();
    void SaveWithLocks(bool lockAutoexec, bool lockBuyscript);
    void About();
    void Link();
    static void Settle(ExpectedFile& file, bool locked, const std::string& written);
    void ExpectFiles();
    void Note(const std::string& what);

    Brevolt& app_;
    std::wstring folder_;
    Random random_;
    Picks picks_;
    std::string output_ = INITIAL_OUTPUT;
    std::vector<std::string> added_;
    ExpectedFile autoexec_{L"autoexec.cfg", false, {}};
    ExpectedFile buyscript_{L"buyscript.cfg", false, {}};
    std::string aboutText_;
    std::wstring opened_;
    size_t openedBefore_ = 0;
    unsigned linkClicks_ = 0;
    unsigned counts_[OPERATION_COUNT] = {};
    std::string trail_; // the last operations, for a failure message
};

const Soak::Weighted Soak::OPERATIONS[] = {
    {&Soak::Pick, 30, "pick"},  {&Soak::Tick, 18, "tick"}, {&Soak::Generate, 20, "generate"},
    {&Soak::Add, 15, "add"},    {&Soak::Save, 6, "save"},  {&Soak::SaveLocked, 3, "locked save"},
    {&Soak::About, 5, "about"}, {&Soak::Link, 3, "link"},
};

void Soak::Run(unsigned long operations) {
    for (size_t combo = 0; combo < ComboModels().size(); ++combo) {
        std::vector<std::string> expected;
        for (const ComboRow& row : ComboModels()[combo].rows) {
            expected.push_back(row.display);
        }
        ASSERT_EQ(ComboItems(app_.Gadget(ComboModels()[combo].gadget)), expected);
    }
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(L"BREVOLT_OPENED", value, MAX_PATH) > 0) {
        opened_ = WindowsPath(value);
        openedBefore_ = CountLines(ReadFileBytes(opened_), "www.oskerand.example");
    }

    int totalWeight = 0;
    for (const Weighted& weighted : OPERATIONS) {
        totalWeight += weighted.weight;
    }
    for (unsigned long done = 0; done < operations; ++done) {
        int roll = random_.Below(totalWeight);
        size_t chosen = 0;
        while (roll >= OPERATIONS[chosen].weight) {
            roll -= OPERATIONS[chosen++].weight;
        }
        ++counts_[chosen];
        Note("#" + std::to_string(done) + " " + OPERATIONS[chosen].name);
        (this->*OPERATIONS[chosen].perform)();
        if (::testing::Test::HasFailure()) {
            return;
        }
        ASSERT_EQ(TextOf(app_.Gadget(28)), output_) << "after " << OPERATIONS[chosen].name;
    }

    Save();
    if (!opened_.empty()) {
        // Each click starts the shell's opener in a process of its own.
        const size_t expected = openedBefore_ + linkClicks_;
        EXPECT_TRUE(WaitUntil(
            [&] { return CountLines(ReadFileBytes(opened_), "www.oskerand.example") >= expected; },
            30000))
            << "link clicks: " << linkClicks_ << ", opened: " << ReadFileBytes(opened_);
    }
}

std::string Soak::Counts() const {
    std::ostringstream text;
    for (size_t index = 0; index < OPERATION_COUNT; ++index) {
        text << (index ? ", " : "") << counts_[index] << " " << OPERATIONS[index].name;
    }
    text << "; " << added_.size() << " lines added";
    return text.str();
}

void Soak::Note(const std::string& what) {
    trail_ += what + "\n";
    if (trail_.size() > 2000) {
        trail_.erase(0, trail_.find('\n', trail_.size() - 2000) + 1);
    }
}

// "< none >" a quarter of the time, so that short lines and the error line
// come up as well as long ones.
void Soak::Pick() {
    const int combo = random_.Below(static_cast<int>(ComboModels().size()));
    const ComboModel& model = ComboModels()[combo];
    const int row =
        random_.Below(4) == 0 ? 0 : 1 + random_.Below(static_cast<int>(model.rows.size()) - 1);
    Note("  combo " + std::to_string(model.gadget) + " = " + model.rows[row].display);
    ASSERT_TRUE(SetComboSelection(app_.Gadget(model.gadget), row));
    picks_.rows[combo] = row;
}

// Clicked like the user does: the check box toggles itself.
void Soak::Tick() {
    const int check = random_.Below(static_cast<int>(CheckModels().size()));
    const int gadget = CheckModels()[check].gadget;
    Note("  check box " + std::to_string(gadget));
    ASSERT_TRUE(app_.Press(gadget));
    picks_.checked[check] = !picks_.checked[check];
    ASSERT_EQ(CheckState(app_.Gadget(gadget)), picks_.checked[check] ? BST_CHECKED : BST_UNCHECKED);
}

void Soak::Generate() {
    ASSERT_TRUE(app_.Press(GENERATE));
    output_ = ComposeLine(picks_);
    Note("  " + output_);
    ASSERT_FALSE(app_.HasMessageBox());
}

void Soak::Add() {
    ASSERT_TRUE(app_.Press(ADD));
    added_.push_back(output_);
    ASSERT_FALSE(app_.HasMessageBox());
}

void Soak::SaveLocked() {
    const int which = 1 + random_.Below(3);
    SaveWithLocks(which & 1, which & 2);
}

// Each locked file is reported, in file order; the others are written.
void Soak::SaveWithLocks(bool lockAutoexec, bool lockBuyscript) {
    Note(std::string("  locked:") + (lockAutoexec ? " autoexec.cfg" : "") +
         (lockBuyscript ? " buyscript.cfg" : ""));
    {
        FileLock autoexecLock(lockAutoexec ? folder_ + L"\\autoexec.cfg" : L"");
        FileLock buyscriptLock(lockBuyscript ? folder_ + L"\\buyscript.cfg" : L"");
        ASSERT_EQ(autoexecLock.Held(), lockAutoexec);
        ASSERT_EQ(buyscriptLock.Held(), lockBuyscript);
        ASSERT_TRUE(app_.PressNoWait(SAVE_CONFIG));
        std::vector<std::string> boxes;
        if (lockAutoexec) {
            boxes.push_back("Can't create \"autoexec.cfg\"!");
        }
        if (lockBuyscript) {
            boxes.push_back("Can't create \"buyscript.cfg\"!");
        }
        for (const std::string& text : boxes) {
            MessageBoxSeen seen;
            ASSERT_TRUE(app_.WaitForMessageBox(&seen)) << "no box for: " << text;
            ASSERT_EQ(seen.title, "Error");
            ASSERT_EQ(seen.text, text);
            ASSERT_TRUE(app_.DismissMessageBox(seen.box)) << "box stuck: " << text;
        }
        ASSERT_TRUE(app_.Sync());
        ASSERT_FALSE(app_.HasMessageBox());
    }
    Settle(autoexec_, lockAutoexec, AutoexecFile());
    Settle(buyscript_, lockBuyscript, BuyscriptFile(added_));
    ExpectFiles();
}

// A locked file keeps what it held; a lock on a file not there yet leaves
// it empty.
void Soak::Settle(ExpectedFile& file, bool locked, const std::string& written) {
    if (!locked) {
        file.bytes = written;
    } else if (!file.exists) {
        file.bytes.clear();
    }
    file.exists = true;
}

void Soak::ExpectFiles() {
    for (const ExpectedFile* file : {&autoexec_, &buyscript_}) {
        const std::wstring path = folder_ + L"\\" + file->name;
        ASSERT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, file->exists)
            << ToAnsi(file->name);
        ASSERT_EQ(ReadFileBytes(path), file->bytes) << ToAnsi(file->name);
    }
}

// The box holds the main window until it goes, and says the same each time.
void Soak::About() {
    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    MessageBoxSeen seen;
    ASSERT_TRUE(app_.WaitForMessageBox(&seen));
    ASSERT_EQ(seen.title, "About Men\xFC");
    if (aboutText_.empty()) {
        ASSERT_NE(seen.text.find("2007"), std::string::npos) << seen.text;
        aboutText_ = seen.text;
    }
    ASSERT_EQ(seen.text, aboutText_);
    ASSERT_FALSE(IsWindowEnabled(app_.Window()));
    ASSERT_TRUE(app_.DismissMessageBox(seen.box)) << "About box stuck";
    ASSERT_TRUE(app_.Sync());
    ASSERT_TRUE(IsWindowEnabled(app_.Window()));
}

void Soak::Link() {
    ASSERT_TRUE(app_.Click(LINK));
    ++linkClicks_;
    ASSERT_FALSE(app_.HasMessageBox());
}

TEST_F(BrevoltTest, SoakOfRandomOperationsMatchesTheModel) {
    const uint64_t seed = NumberFromEnvironment(L"BREVOLT_SOAK_SEED", DEFAULT_SEED);
    const unsigned long operations = static_cast<unsigned long>(
        NumberFromEnvironment(L"BREVOLT_SOAK_OPERATIONS", DEFAULT_OPERATIONS));
    std::cout << "soak: seed " << seed << ", " << operations
              << " operations (BREVOLT_SOAK_SEED, BREVOLT_SOAK_OPERATIONS)" << std::endl;

    const ULONGLONG start = GetTickCount64();
    Soak soak(app_, work_, seed);
    soak.Run(operations);
    if (HasFailure()) {
        FAIL() << "soak failed with seed " << seed << "; the last operations:\n" << soak.Trail();
    }

    ASSERT_TRUE(app_.PressNoWait(QUIT));
    DWORD exitCode = 99;
    ASSERT_TRUE(app_.WaitForExit(&exitCode)) << "still running after Quit";
    EXPECT_EQ(exitCode, 0u);
    std::cout << "soak: " << soak.Counts() << "; " << (GetTickCount64() - start) / 1000.0 << " s"
              << std::endl;
}

} // namespace
} // namespace e2e
