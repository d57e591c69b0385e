// Drives a running brevolt.exe from another process: start it in a fresh
// directory, find its windows, set picks, press buttons, read texts and
// message boxes. Every wait ends at a deadline.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr DWORD WAIT_MS = 10000;

// A path as Windows sees it; Unix paths (from environment variables set by
// the shell scripts) are turned into Z: paths.
std::wstring WindowsPath(const std::wstring& path);

// BREVOLT_EXE, or brevolt.exe in the folder above this test program's.
std::wstring BrevoltExePath();

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

// Windows-1252 bytes, the program's own encoding, from a wide text.
std::string ToAnsi(const std::wstring& text);
std::wstring ToWide(const std::string& text);

// A window's whole text as Windows-1252 bytes, read with the wide calls.
// false when the window does not answer in time.
bool ReadText(HWND window, std::string* text);
std::string TextOf(HWND window); // empty when it does not answer
std::string ClassOf(HWND window);

std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
bool SetComboSelection(HWND combo, int index);
bool SetCheck(HWND button, bool checked);
int CheckState(HWND button);

// Top-level windows of a process with this class name, visible ones only.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className);

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string title;
    std::string text;
};

std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Holds a file open with no sharing, as another program might.
class FileLock {
  public:
    explicit FileLock(const std::wstring& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// A new, empty folder under the temporary folder; removed with its files.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

// One run of brevolt.exe with its own current directory and its output in
// a log file of its own. Ended by force if still running at destruction.
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
    DWORD ProcessId() const { return process_.dwProcessId; }
    bool Running() const;

    // Returns once the program has handled everything posted to it so far:
    // a marker posted to the output box behind it has been read back.
    bool Sync();
    // Presses a button through its own click handling, then syncs.
    bool Press(int gadget);
    // Presses a button and returns at once: for commands that show a box,
    // or that end the program.
    bool PressNoWait(int gadget);
    // Clicks a gadget with the mouse (the link reacts to the mouse, not to
    // BM_CLICK), then syncs.
    bool Click(int gadget);
    // Picks the combo entry with this display text.
    bool Pick(int gadget, const std::string& displayText);

    // Waits for a message box of the program and reads its title and text.
    bool WaitForMessageBox(MessageBoxSeen* seen, DWORD timeoutMs = WAIT_MS);
    // Presses the box's OK button and waits until the box is gone.
    bool DismissMessageBox(HWND box);
    bool HasMessageBox() const;

    // Waits for the process to end; false on timeout.
    bool WaitForExit(DWORD* exitCode, DWORD timeoutMs = WAIT_MS);

    // Saves the window's picture from the screen as a PNG file.
    bool SaveScreenshot(const std::wstring& path) const;

  private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    unsigned marker_ = 0;
};

} // namespace e2e
