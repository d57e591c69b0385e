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
    std::ofstream file(fs::path(path), std::ios::binary);
    file << bytes;
    file.close();
    return !file.fail();
}

ScratchFolder::ScratchFolder(const std::wstring& parent) {
    static unsigned counter = 0;
    path_ =
        (parent.empty() ? fs::temp_directory_path() : fs::path(parent)) /
        ("brevolt-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
    std::error_code ignored;
    fs::remove_all(path_, ignored);
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
    if (log == INVALID_HANDLE_VALUE) {
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = log;
    startup.hStdError = log;
    const std::wstring exe = BrevoltExePath();
    std::wstring commandLine = L"\"" + exe + L"\"";
    const BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, workFolder.c_str(), &startup, &process_);
    CloseHandle(log);
    // The main loop runs once the last gadget exists and a posted marker
    // comes back.
    return started && WaitUntil([this] {
               const std::vector<HWND> windows = Windows("WindowClass_0");
               window_ = windows.empty() ? nullptr : windows.front();
               return window_ != nullptr && Gadget(30) != nullptr;
           }) &&
           Sync();
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        ClassOf(window) == search->className) {
        search->found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> Brevolt::Windows(const char* className) const {
    WindowSearch search{process_.dwProcessId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Brevolt::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Brevolt::Sync() {
    HWND output = Gadget(OUTPUT);
    const LPARAM marker = 100000 + (++marker_ % 100000);
    return output != nullptr && PostMessageW(output, EM_SETLIMITTEXT, marker, 0) &&
           WaitUntil([&] { return Ask(output, EM_GETLIMITTEXT) == marker; });
}

bool Brevolt::PressNoWait(int gadget) {
    HWND button = Gadget(gadget);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool Brevolt::Click(int gadget) {
    HWND target = Gadget(gadget);
    const LPARAM inside = MAKELPARAM(5, 5);
    return target != nullptr && PostMessageW(target, WM_MOUSEMOVE, 0, inside) &&
           PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, inside) &&
           PostMessageW(target, WM_LBUTTONUP, 0, inside) && Sync();
}

bool Brevolt::WaitForMessageBox(MessageBoxSeen* seen) {
    // The box fills in its text after it appears.
    return WaitUntil([&] {
        const std::vector<HWND> boxes = Windows("#32770");
        seen->box = boxes.empty() ? nullptr : boxes.front();
        return seen->box != nullptr && ReadText(seen->box, &seen->title) &&
               ReadText(GetDlgItem(seen->box, MESSAGE_BOX_TEXT), &seen->text) &&
               !seen->text.empty();
    });
}

bool Brevolt::DismissMessageBox(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    return ok != nullptr && PostMessageW(ok, BM_CLICK, 0, 0) &&
           WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

bool Brevolt::WaitForExit(DWORD* exitCode) {
    return WaitForSingleObject(process_.hProcess, WAIT_MS) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.hProcess, exitCode);
}

bool Brevolt::SaveScreenshot(const std::wstring& path) const {
    RECT frame;
    if (!GetWindowRect(window_, &frame)) {
        return false;
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = frame.right - frame.left;
    info.biHeight = frame.bottom - frame.top;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD stride = (info.biWidth * 3 + 3) & ~3;
    std::string pixels(stride * info.biHeight, '\0');
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, info.biWidth, info.biHeight);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, info.biWidth, info.biHeight, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    const int rows = GetDIBits(memory, bitmap, 0, info.biHeight, pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(headers + pixels.size()), 0, 0, headers};
    return rows == info.biHeight &&
           WriteFileBytes(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                                    std::string(reinterpret_cast<const char*>(&info), sizeof info) +
                                    pixels);
}

} // namespace e2e
