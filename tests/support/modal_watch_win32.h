// Answers the message box that a thread shows, from a watcher thread, so a
// GUI test never waits on a box that nobody presses. Every wait is bounded:
// a box that never appears, or will not go away, fails the test instead.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

struct ModalBoxSeen {
    bool appeared = false;
    HWND owner = nullptr;
    std::string title; // read back through the ANSI calls
    std::string text;
};

class ModalWatch {
  public:
    // Watches for a message box of the calling thread for up to timeoutMs.
    // Once one is up: reads it, calls whileUp(box) on the watcher thread,
    // then presses `button`.
    explicit ModalWatch(std::function<void(HWND box)> whileUp = {}, int button = IDOK,
                        DWORD timeoutMs = 5000);
    // Stops looking: the call that might have shown a box has returned.
    ~ModalWatch();
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    // Waits for the watcher to finish and returns what it saw.
    const ModalBoxSeen& Seen();

  private:
    ModalBoxSeen seen_; // both before watcher_, which uses them
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};
