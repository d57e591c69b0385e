// Drives a running brevolt.exe from another process: start it in a folder,
// find its windows, set picks, press buttons, read texts and message boxes.
// Every wait ends at a deadline.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD WAIT_MS = 10000;
constexpr int QUIT = 5, GENERATE = 6, ABOUT = 7, ADD = 8, SAVE_CONFIG = 9, LINK = 29, OUTPUT = 28;
constexpr int MESSAGE_BOX_TEXT = 0xFFFF; // the static control that holds a box's text

// Polls until ready() is true or timeoutMs have passed; returns ready().
template <typename Ready> bool WaitUntil(Ready ready, DWORD timeoutMs = WAIT_MS) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!ready()) {
        if (GetTickCount64() >= end) {
            return ready();
        }
        Sleep(10);
    }
    return true;
}

// An environment variable naming a path, as Windows sees it (a Unix path
// from the shell scripts becomes a Z: path); empty when not set.
std::wstring PathFromEnvironment(const wchar_t* variable);
// The shell scripts name the program and the folder for the screenshot.
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
inline bool SetComboSelection(HWND combo, int index) {
    return Ask(combo, CB_SETCURSEL, index) == index;
}
inline bool SetCheck(HWND button, bool checked) {
    return Ask(button, BM_SETCHECK, checked) >= 0;
}
inline LRESULT CheckState(HWND button) {
    return Ask(button, BM_GETCHECK);
}

std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
inline bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Holds a file open with no sharing, as another program might.
struct FileLock {
    explicit FileLock(const std::wstring& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~FileLock() {
        if (Held()) {
            CloseHandle(handle);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return handle != INVALID_HANDLE_VALUE; }

    HANDLE handle;
};

// A new, empty folder under the temporary folder, or under parent; removed
// with its files.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::wstring& parent = {});
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring Path() const { return path_.wstring(); }
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
    bool Running() const;

    // Returns once the program has handled everything posted to it so far:
    // a marker posted to the output box behind it has been read back.
    bool Sync();
    // Clicks a button through its own click handling, then syncs.
    bool Press(int gadget) { return PressNoWait(gadget) && Sync(); }
    // The same without waiting: for commands that show a box or end the program.
    bool PressNoWait(int gadget);
    // Clicks with the mouse (the link reacts to the mouse, not to BM_CLICK).
    bool Click(int gadget);

    bool WaitForMessageBox(MessageBoxSeen* seen);
    // Presses the box's OK button and waits until the box is gone.
    bool DismissMessageBox(HWND box);
    bool HasMessageBox() const { return !Windows("#32770").empty(); }

    bool WaitForExit(DWORD* exitCode);
    // Saves the window's picture from the screen as a BMP file.
    bool SaveScreenshot(const std::wstring& path) const;

  private:
    std::vector<HWND> Windows(const char* className) const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    unsigned marker_ = 0;
};

} // namespace e2e
