// Answers the message box that a thread shows, from a watcher thread, so a
// GUI test never waits on a box that nobody presses. Every wait is bounded:
// a box that never appears, or will not go away, fails the test instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

struct ModalBoxSeen {
    bool appeared = false;
    bool dismissed = false;
    HWND owner = nullptr;
    std::string title; // read back through the ANSI calls
    std::string text;
    std::wstring wideTitle; // as the box holds them
    std::wstring wideText;
};

class ModalWatch {
  public:
    // Watches for a message box of `thread`. Once one is up: reads it, calls
    // whileUp(box) on the watcher thread, then presses `button`.
    explicit ModalWatch(std::function<void(HWND box)> whileUp = {}, int button = IDOK,
                        DWORD thread = GetCurrentThreadId(), DWORD timeoutMs = 5000);
    ~ModalWatch();
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    // Waits for the watcher to finish and returns what it saw.
    const ModalBoxSeen& Seen();

  private:
    void Watch(std::function<void(HWND box)> whileUp, int button, DWORD thread, DWORD timeoutMs);

    ModalBoxSeen seen_;
    std::thread watcher_;
};

// The message box (dialog class "#32770") that `thread` shows, or nullptr.
HWND FindMessageBox(DWORD thread);
