// Save Config and About when things go wrong: a disk that fills up, a folder
// nothing can be written to, names taken by folders or by other programs,
// and a close request while a box is up. The program reports each failure,
// keeps running, and loses nothing the user added.
#include "brevolt_fixture.h"
#include "script_model.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr int QUIT = 5, GENERATE = 6, ABOUT = 7, ADD = 8, SAVE_CONFIG = 9, OUTPUT = 28;

// A folder offered by environment.sh, as a Windows path; empty when not offered.
std::wstring FolderFromEnvironment(const wchar_t* variable) {
    wchar_t value[MAX_PATH];
    return GetEnvironmentVariableW(variable, value, MAX_PATH) > 0 ? WindowsPath(value)
                                                                  : std::wstring();
}

// Sets the picks on the window and in the model.
void Apply(Brevolt& app, const Picks& picks) {
    for (size_t combo = 0; combo < ComboModels().size(); ++combo) {
        ASSERT_TRUE(SetComboSelection(app.Gadget(ComboModels()[combo].gadget), picks.rows[combo]));
    }
    for (size_t check = 0; check < CheckModels().size(); ++check) {
        ASSERT_TRUE(SetCheck(app.Gadget(CheckModels()[check].gadget), picks.checked[check]));
    }
}

// Generates the line for these picks and adds it `times` times; the clicks
// are posted together and handled in order.
void AddLine(Brevolt& app, const Picks& picks, int times, std::vector<std::string>* added) {
    Apply(app, picks);
    ASSERT_TRUE(app.Press(GENERATE));
    const std::string line = ComposeLine(picks);
    ASSERT_EQ(TextOf(app.Gadget(OUTPUT)), line);
    for (int time = 0; time < times; ++time) {
        ASSERT_TRUE(app.PressNoWait(ADD));
        added->push_back(line);
    }
    ASSERT_TRUE(app.Sync());
}

// Picks by display text, one per combo box in the model's order.
Picks PicksOf(const std::vector<std::string>& displays, const std::vector<bool>& checked) {
    Picks picks;
    for (size_t combo = 0; combo < displays.size(); ++combo) {
        const std::vector<ComboRow>& rows = ComboModels()[combo].rows;
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].display == displays[combo]) {
                picks.rows[combo] = static_cast<int>(row);
            }
        }
    }
    picks.checked = checked;
    return picks;
}

// Every check box and both weapons of each kind: some 170 bytes.
Picks LongLinePicks() {
    return PicksOf(
        {"Key Pad Enter", "AK47", "AK47", "Dual Elites", "Dual Elites", "Kevlar & Helmet"},
        std::vector<bool>(8, true));
}

Picks ShortLinePicks() {
    return PicksOf({"Q", "M4A1", "< none >", "< none >", "< none >", "< none >"},
                   {true, false, false, false, false, false, false, false});
}

// Each "Error" box in this order, dismissed in turn; then none is left.
void ExpectErrorBoxes(Brevolt& app, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        MessageBoxSeen seen;
        ASSERT_TRUE(app.WaitForMessageBox(&seen)) << "no box for: " << text;
        EXPECT_EQ(seen.title, "Error");
        EXPECT_EQ(seen.text, text);
        ASSERT_TRUE(app.DismissMessageBox(seen.box)) << "box stuck: " << seen.text;
    }
    ASSERT_TRUE(app.Sync());
    EXPECT_FALSE(app.HasMessageBox());
}

void ExpectQuitWithExitCodeZero(Brevolt& app) {
    ASSERT_TRUE(app.PressNoWait(QUIT));
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(&exitCode)) << "still running after Quit";
    EXPECT_EQ(exitCode, 0u);
}

// Fills the disk holding `path` with that file, then gives back `spare` bytes.
void FillDiskLeaving(const std::wstring& path, LONGLONG spare) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string block(4096, 'f');
    LONGLONG size = 0;
    DWORD written = 0;
    while (size < (1 << 24) && WriteFile(file, block.data(), 4096, &written, nullptr) &&
           written == 4096) {
        size += 4096;
    }
    LARGE_INTEGER end;
    end.QuadPart = size - spare;
    const bool truncated =
        end.QuadPart > 0 && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(truncated) << "the disk took " << size << " bytes";
}

// Removes the files a test leaves on a disk shared with later tests.
struct FolderCleaner {
    std::wstring folder;
    ~FolderCleaner() {
        for (const wchar_t* name : {L"filler", L"autoexec.cfg", L"buyscript.cfg"}) {
            DeleteFileW((folder + L"\\" + name).c_str());
        }
    }
};

// BREVOLT_SMALL_FOLDER names an empty 64 KB disk for this test alone.
TEST(DiskFull, ReportsTheFileThatDidNotFitAndSavesAllOnceThereIsRoom) {
    const std::wstring folder = FolderFromEnvironment(L"BREVOLT_SMALL_FOLDER");
    if (folder.empty()) {
        GTEST_SKIP() << "BREVOLT_SMALL_FOLDER is not set: mounting a small disk needs root "
                        "(tests/e2e/environment.sh)";
    }
    FolderCleaner cleaner{folder}; // declared first: goes after the program has ended
    ScratchFolder logFolder;
    Brevolt app;
    ASSERT_TRUE(app.Start(folder, logFolder.File(L"brevolt.log")));
    std::vector<std::string> added;
    ASSERT_NO_FATAL_FAILURE(AddLine(app, LongLinePicks(), 120, &added)); // some 20 KB
    ASSERT_GT(BuyscriptFile(added).size(), 3u * 4096);

    // Room for autoexec.cfg and the first page of buyscript.cfg only.
    ASSERT_NO_FATAL_FAILURE(FillDiskLeaving(folder + L"\\filler", 2 * 4096));
    ASSERT_TRUE(app.PressNoWait(SAVE_CONFIG));
    ASSERT_NO_FATAL_FAILURE(ExpectErrorBoxes(app, {"Can't write \"buyscript.cfg\"!"}));
    EXPECT_EQ(ReadFileBytes(folder + L"\\autoexec.cfg"), AutoexecFile());
    EXPECT_NE(ReadFileBytes(folder + L"\\buyscript.cfg"), BuyscriptFile(added));
    ASSERT_TRUE(app.Running());

    ASSERT_NO_FATAL_FAILURE(AddLine(app, ShortLinePicks(), 1, &added));
    ASSERT_TRUE(DeleteFileW((folder + L"\\filler").c_str()));
    ASSERT_TRUE(app.Press(SAVE_CONFIG));
    EXPECT_FALSE(app.HasMessageBox());
    EXPECT_EQ(ReadFileBytes(folder + L"\\autoexec.cfg"), AutoexecFile());
    EXPECT_EQ(ReadFileBytes(folder + L"\\buyscript.cfg"), BuyscriptFile(added));
    ExpectQuitWithExitCodeZero(app);
}

enum class Obstacle { NONE, FOLDER, LOCK };

struct FaultCase {
    const char* name;
    bool readOnlyFolder;
    Obstacle autoexec;
    Obstacle buyscript;
    std::vector<std::string> boxes;
};

const char* const CANT_CREATE_AUTOEXEC = "Can't create \"autoexec.cfg\"!";
const char* const CANT_CREATE_BUYSCRIPT = "Can't create \"buyscript.cfg\"!";

const FaultCase faultCases[] = {
    {"ReadOnlyFolder",
     true,
     Obstacle::NONE,
     Obstacle::NONE,
     {CANT_CREATE_AUTOEXEC, CANT_CREATE_BUYSCRIPT}},
    {"AutoexecIsAFolder", false, Obstacle::FOLDER, Obstacle::NONE, {CANT_CREATE_AUTOEXEC}},
    {"BuyscriptIsAFolder", false, Obstacle::NONE, Obstacle::FOLDER, {CANT_CREATE_BUYSCRIPT}},
    {"BothAreFolders",
     false,
     Obstacle::FOLDER,
     Obstacle::FOLDER,
     {CANT_CREATE_AUTOEXEC, CANT_CREATE_BUYSCRIPT}},
    {"FolderAndLock",
     false,
     Obstacle::FOLDER,
     Obstacle::LOCK,
     {CANT_CREATE_AUTOEXEC, CANT_CREATE_BUYSCRIPT}},
    {"BothLocked",
     false,
     Obstacle::LOCK,
     Obstacle::LOCK,
     {CANT_CREATE_AUTOEXEC, CANT_CREATE_BUYSCRIPT}},
};

void PrintTo(const FaultCase& fault, std::ostream* out) {
    *out << fault.name;
}

// One of the two file names, taken by a folder or held open by another
// program for as long as it lives.
class Obstruction {
  public:
    Obstruction(Obstacle obstacle, const std::wstring& path) : obstacle_(obstacle), path_(path) {
        if (obstacle == Obstacle::FOLDER) {
            made_ = CreateDirectoryW(path.c_str(), nullptr) != FALSE;
        } else if (obstacle == Obstacle::LOCK) {
            lock_ = std::make_unique<FileLock>(path);
            made_ = lock_->Held();
        } else {
            made_ = true;
        }
    }
    bool Made() const { return made_; }
    // Takes the obstacle away; true when the program left it as it was: the
    // folder still a folder, the locked file still empty.
    bool RemoveUntouched() {
        if (obstacle_ == Obstacle::FOLDER) {
            const DWORD attributes = GetFileAttributesW(path_.c_str());
            return attributes != INVALID_FILE_ATTRIBUTES &&
                   (attributes & FILE_ATTRIBUTE_DIRECTORY) && RemoveDirectoryW(path_.c_str());
        }
        if (obstacle_ == Obstacle::LOCK) {
            lock_.reset();
            return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES &&
                   ReadFileBytes(path_).empty();
        }
        return true;
    }

  private:
    Obstacle obstacle_;
    std::wstring path_;
    std::unique_ptr<FileLock> lock_;
    bool made_ = false;
};

class SaveFaultTest : public ::testing::TestWithParam<FaultCase> {};

// Each file that cannot be created is reported, in file order; the other is
// written; the program goes on answering, and once the obstacle is gone the
// next save writes every line added before and after the failure.
TEST_P(SaveFaultTest, ReportsEachFileInOrderAndKeepsEveryLine) {
    const FaultCase& fault = GetParam();
    ScratchFolder scratch;
    std::wstring folder = scratch.File(L"work");
    if (fault.readOnlyFolder) {
        folder = FolderFromEnvironment(L"BREVOLT_READONLY_FOLDER");
        if (folder.empty()) {
            GTEST_SKIP() << "BREVOLT_READONLY_FOLDER is not set: tests/e2e/environment.sh offers "
                            "one (as root only where it may mount a read-only disk)";
        }
    } else {
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }
    const std::wstring autoexecPath = folder + L"\\autoexec.cfg";
    const std::wstring buyscriptPath = folder + L"\\buyscript.cfg";

    Brevolt app;
    ASSERT_TRUE(app.Start(folder, scratch.File(L"brevolt.log")));
    std::vector<std::string> added;
    ASSERT_NO_FATAL_FAILURE(AddLine(app, ShortLinePicks(), 2, &added));
    {
        Obstruction autoexec(fault.autoexec, autoexecPath);
        Obstruction buyscript(fault.buyscript, buyscriptPath);
        ASSERT_TRUE(autoexec.Made() && buyscript.Made());
        ASSERT_TRUE(app.PressNoWait(SAVE_CONFIG));
        ASSERT_NO_FATAL_FAILURE(ExpectErrorBoxes(app, fault.boxes));
        if (!fault.readOnlyFolder && fault.autoexec == Obstacle::NONE) {
            EXPECT_EQ(ReadFileBytes(autoexecPath), AutoexecFile());
        }
        if (!fault.readOnlyFolder && fault.buyscript == Obstacle::NONE) {
            EXPECT_EQ(ReadFileBytes(buyscriptPath), BuyscriptFile(added));
        }

        ASSERT_NO_FATAL_FAILURE(AddLine(app, LongLinePicks(), 1, &added));
        EXPECT_TRUE(autoexec.RemoveUntouched());
        EXPECT_TRUE(buyscript.RemoveUntouched());
    }
    if (!fault.readOnlyFolder) {
        ASSERT_TRUE(app.Press(SAVE_CONFIG));
        EXPECT_FALSE(app.HasMessageBox());
        EXPECT_EQ(ReadFileBytes(autoexecPath), AutoexecFile());
        EXPECT_EQ(ReadFileBytes(buyscriptPath), BuyscriptFile(added));
    }
    ExpectQuitWithExitCodeZero(app);
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveFaultTest, ::testing::ValuesIn(faultCases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.name);
                         });

// A close request that arrives while About is up waits for the box: the box
// still answers, and the program ends with code 0 once it is dismissed.
TEST_F(BrevoltTest, CloseRequestDuringAboutWaitsForTheBox) {
    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    MessageBoxSeen about;
    ASSERT_TRUE(app_.WaitForMessageBox(&about));
    ASSERT_TRUE(PostMessageW(app_.Window(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(app_.Sync());

    EXPECT_TRUE(app_.Running());
    EXPECT_TRUE(IsWindowVisible(about.box));
    std::string text;
    ASSERT_TRUE(ReadText(GetDlgItem(about.box, 0xFFFF), &text)) << "the box does not answer";
    EXPECT_EQ(text, about.text);

    ASSERT_TRUE(app_.DismissMessageBox(about.box));
    DWORD exitCode = 99;
    ASSERT_TRUE(app_.WaitForExit(&exitCode)) << "the queued close request was lost";
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
} // namespace e2e
