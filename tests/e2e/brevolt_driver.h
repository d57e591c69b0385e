// Drives a running brevolt.exe from another process: start it in a folder,
// find its windows, set picks, press buttons, read texts and message boxes.
// Every wait ends at a deadline.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

// Only a failing test waits this long; a loaded machine may need most of it.
constexpr DWORD WAIT_MS = 20000;
constexpr int QUIT = 5, GENERATE = 6, ABOUT = 7, ADD = 8, SAVE_CONFIG = 9, LINK = 29, OUTPUT = 28;
constexpr int MESSAGE_BOX_TEXT = 0xFFFF; // the static control that holds a box's text

// Polls until ready() is true or the deadline has passed; returns ready().
template <typename Ready> bool WaitUntil(Ready ready) {
    for (const ULONGLONG end = GetTickCount64() + WAIT_MS; !ready(); Sleep(10)) {
        if (GetTickCount64() >= end) {
            return ready();
        }
    }
    return true;
}

// An environment variable naming a path, as Windows sees it (a Unix path
// from the shell scripts becomes a Z: path); empty when not set.
std::wstring PathFromEnvironment(const wchar_t* variable);
inline std::wstring BrevoltExePath() {
    return PathFromEnvironment(L"BREVOLT_EXE");
}

// A message's answer, or -1 when the window does not answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Windows-1252 bytes, the program's own encoding.
std::string ToAnsi(const std::wstring& text);
// A window's whole text; false when it does not answer in time.
bool ReadText(HWND window, std::string* text);
inline std::string TextOf(HWND window) { // empty when it does not answer
    std::string text;
    return ReadText(window, &text) ? text : std::string();
}
std::string ClassOf(HWND window);
std::vector<std::string> ComboItems(HWND combo);

std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
inline bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Opens a file with no sharing, as another program might hold it.
inline HANDLE HoldFileExclusively(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A new, empty folder under the temporary folder; removed with its files.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring File(const wchar_t* name) const { return (path_ / name).wstring(); }

  private:
    std::filesystem::path path_;
};

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string title;
    std::string text;
};

// One run of brevolt.exe with its own current directory and its output in
// a log file. Ended by force if still running at destruction.
class Brevolt {
  public:
    Brevolt() = default;
    ~Brevolt();
    Brevolt(const Brevolt&) = delete;
    Brevolt& operator=(const Brevolt&) = delete;

    // Starts the program in workFolder and waits until its main loop runs.
    bool Start(const std::wstring& workFolder, const std::wstring& logPath);
    HWND Window() const { return window_; }
    HWND Gadget(int number) const { return GetDlgItem(window_, number); }
    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    // Returns once the program has handled everything posted to it so far:
    // a marker posted to the output box behind it has been read back.
    bool Sync();
    // Clicks a button through its own click handling, then syncs.
    bool Press(int gadget) { return PressNoWait(gadget) && Sync(); }
    // The same without waiting: for commands that show a box or end the program.
    bool PressNoWait(int gadget) { return PostMessageW(Gadget(gadget), BM_CLICK, 0, 0); }
    // Clicks with the mouse (the link reacts to the mouse, not to BM_CLICK).
    bool Click(int gadget);

    // Real input, as the X server delivers it: the pointer to a point of a
    // gadget's client area.
    bool PointerTo(int gadget, int x, int y) const;
    // Whether the gadget as shown on the screen has a pixel of this colour.
    bool Shows(int gadget, COLORREF colour) const;

    bool WaitForMessageBox(MessageBoxSeen* seen);
    // Presses the box's OK button and waits until the box is gone.
    bool DismissMessageBox(HWND box);
    bool HasMessageBox() const { return !Windows(L"#32770").empty(); }
    bool WaitForExit(DWORD* exitCode) {
        return WaitForSingleObject(process_.hProcess, WAIT_MS) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process_.hProcess, exitCode);
    }

  private:
    std::vector<HWND> Windows(const wchar_t* className) const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    unsigned marker_ = 0;
};

} // namespace e2e
