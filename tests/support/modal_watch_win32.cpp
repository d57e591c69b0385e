#include "tests/support/modal_watch_win32.h"

#include <cstdio>

namespace {

// Message boxes give their text to a static control with this id.
constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Reads with a timeout, so a hung box cannot hang the watcher.
std::string Text(HWND window) {
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

} // namespace

ModalWatch::ModalWatch(std::function<void(HWND box)> whileUp, int button, DWORD timeoutMs)
    : watcher_([this, whileUp, button, timeoutMs, thread = GetCurrentThreadId()] {
          HWND box = nullptr;
          for (const DWORD start = GetTickCount();
               !box && !stop_ && GetTickCount() - start < timeoutMs; Sleep(10)) {
              EnumThreadWindows(thread, FindBox, reinterpret_cast<LPARAM>(&box));
          }
          if (!box) {
              return;
          }
          seen_ = {true, GetWindow(box, GW_OWNER), Text(box),
                   Text(GetDlgItem(box, MESSAGE_BOX_TEXT_ID))};
          if (whileUp) {
              whileUp(box);
          }
          // Press again now and then in case the box was not ready for the first press.
          const DWORD pressed = GetTickCount();
          for (int attempt = 0; IsWindow(box) && GetTickCount() - pressed < timeoutMs; ++attempt) {
              if (attempt % 50 == 0) {
                  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
              }
              Sleep(10);
          }
          if (IsWindow(box)) {
              // The test thread would wait in the box for ever: end the run instead.
              std::fprintf(stderr, "A message box would not close; ending the test run.\n");
              std::fflush(stderr);
              TerminateProcess(GetCurrentProcess(), 3);
          }
      }) {}

ModalWatch::~ModalWatch() {
    stop_ = true;
    Seen();
}

const ModalBoxSeen& ModalWatch::Seen() {
    if (watcher_.joinable()) {
        watcher_.join();
    }
    return seen_;
}
