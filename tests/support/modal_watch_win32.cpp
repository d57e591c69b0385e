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

// Reads with WM_GETTEXT and a timeout, so a hung box cannot hang the watcher.
std::string TextA(HWND window) {
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

std::wstring TextW(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

} // namespace

HWND FindMessageBox(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, FindBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

ModalWatch::ModalWatch(std::function<void(HWND box)> whileUp, int button, DWORD thread,
                       DWORD timeoutMs)
    : watcher_(&ModalWatch::Watch, this, std::move(whileUp), button, thread, timeoutMs) {}

ModalWatch::~ModalWatch() {
    Seen();
}

const ModalBoxSeen& ModalWatch::Seen() {
    if (watcher_.joinable()) {
        watcher_.join();
    }
    return seen_;
}

void ModalWatch::Watch(std::function<void(HWND box)> whileUp, int button, DWORD thread,
                       DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    while (!(box = FindMessageBox(thread)) && GetTickCount() - start < timeoutMs) {
        Sleep(10);
    }
    if (!box) {
        return;
    }
    seen_.appeared = true;
    seen_.owner = GetWindow(box, GW_OWNER);
    seen_.title = TextA(box);
    seen_.wideTitle = TextW(box);
    HWND text = GetDlgItem(box, MESSAGE_BOX_TEXT_ID);
    seen_.text = TextA(text);
    seen_.wideText = TextW(text);
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
    seen_.dismissed = !IsWindow(box);
    if (!seen_.dismissed) {
        // The test thread would wait in the box for ever: end the run instead.
        std::fprintf(stderr, "A message box would not close; ending the test run.\n");
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}
