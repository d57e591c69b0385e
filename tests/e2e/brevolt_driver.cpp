#include "brevolt_driver.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace e2e {

namespace fs = std::filesystem;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)
               ? static_cast<LRESULT>(result)
               : -1;
}

std::wstring PathFromEnvironment(const wchar_t* variable) {
    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(variable, value, MAX_PATH) == 0) {
        return {};
    }
    std::wstring path = value;
    if (path[0] == L'/') { // Wine shows the Unix root as Z:
        path = L"Z:" + path;
        std::replace(path.begin(), path.end(), L'/', L'\\');
    }
    return path;
}

std::string ToAnsi(const std::wstring& text) {
    const int size = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

bool ReadText(HWND window, std::string* text) {
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH);
    std::wstring buffer(std::max<LRESULT>(length, 0) + 1, L'\0');
    const LRESULT copied =
        Ask(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(std::max<LRESULT>(copied, 0));
    *text = ToAnsi(buffer);
    return length >= 0 && copied >= 0;
}

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return ToAnsi(name);
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    for (LRESULT index = 0, count = Ask(combo, CB_GETCOUNT); index < count; ++index) {
        std::wstring buffer(std::max<LRESULT>(0, Ask(combo, CB_GETLBTEXTLEN, index)) + 1, L'\0');
        buffer.resize(std::max<LRESULT>(
            0, Ask(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()))));
        items.push_back(ToAnsi(buffer));
    }
    return items;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream file(fs::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    return static_cast<bool>(std::ofstream(fs::path(path), std::ios::binary)
                             << bytes << std::flush);
}

ScratchFolder::ScratchFolder() {
    static unsigned counter = 0;
    path_ = fs::temp_directory_path() / ("brevolt-e2e-" + std::to_string(GetCurrentProcessId()) +
                                         "-" + std::to_string(++counter));
    std::error_code ignored;
    fs::remove_all(path_, ignored); // left by an earlier run with the same process id
    fs::create_directory(path_, ignored);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

Brevolt::~Brevolt() {
    if (process_.hProcess != nullptr) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, WAIT_MS);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

bool Brevolt::Start(const std::wstring& workFolder, const std::wstring& logPath) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE log = CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = log;
    const std::wstring exe = BrevoltExePath();
    std::wstring commandLine = L"\"" + exe + L"\"";
    const BOOL started = log != INVALID_HANDLE_VALUE &&
                         CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, workFolder.c_str(), &startup, &process_);
    CloseHandle(log);
    // The main loop runs once the last gadget exists and a posted marker
    // comes back.
    return started && WaitUntil([this] {
               const std::vector<HWND> windows = Windows(L"WindowClass_0");
               window_ = windows.empty() ? nullptr : windows.front();
               return Gadget(30) != nullptr || !Running();
           }) &&
           Sync();
}

std::vector<HWND> Brevolt::Windows(const wchar_t* className) const {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_.dwProcessId && IsWindowVisible(window)) {
            found.push_back(window);
        }
    }
    return found;
}

bool Brevolt::Sync() {
    HWND output = Gadget(OUTPUT);
    const LPARAM marker = 100000 + (++marker_ % 100000);
    return output != nullptr && PostMessageW(output, EM_SETLIMITTEXT, marker, 0) &&
           WaitUntil([&] { return !Running() || Ask(output, EM_GETLIMITTEXT) == marker; }) &&
           Running();
}

bool Brevolt::Click(int gadget) {
    HWND target = Gadget(gadget);
    const LPARAM inside = MAKELPARAM(5, 5);
    return target != nullptr && PostMessageW(target, WM_MOUSEMOVE, 0, inside) &&
           PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, inside) &&
           PostMessageW(target, WM_LBUTTONUP, 0, inside) && Sync();
}

bool Brevolt::WaitForMessageBox(MessageBoxSeen* seen) {
    // The box fills in its text after it appears; an ended program shows none.
    return WaitUntil([&] {
               const std::vector<HWND> boxes = Windows(L"#32770");
               seen->box = boxes.empty() ? nullptr : boxes.front();
               return !Running() ||
                      (seen->box != nullptr && ReadText(seen->box, &seen->title) &&
                       ReadText(GetDlgItem(seen->box, MESSAGE_BOX_TEXT), &seen->text) &&
                       !seen->text.empty());
           }) &&
           seen->box != nullptr;
}

bool Brevolt::DismissMessageBox(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    return ok != nullptr && PostMessageW(ok, BM_CLICK, 0, 0) &&
           WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

bool Brevolt::PointerTo(int gadget, int x, int y) const {
    POINT point{x, y};
    if (!ClientToScreen(Gadget(gadget), &point)) {
        return false;
    }
    INPUT move{};
    move.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 across the screen's pixels.
    move.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &move, sizeof move) == 1 && WaitUntil([&] {
               POINT at;
               return GetCursorPos(&at) && at.x == point.x && at.y == point.y;
           });
}

bool Brevolt::Shows(int gadget, COLORREF colour) const {
    RECT area;
    if (!GetWindowRect(Gadget(gadget), &area)) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (LONG y = area.top; y < area.bottom && !found; ++y) {
        for (LONG x = area.left; x < area.right && !found; ++x) {
            found = GetPixel(screen, x, y) == colour;
        }
    }
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace e2e
