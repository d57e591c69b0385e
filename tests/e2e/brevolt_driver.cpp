#include "brevolt_driver.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace e2e {

namespace {

constexpr UINT SEND_TIMEOUT_MS = 5000;
constexpr int OUTPUT_BOX = 28;
constexpr int MESSAGE_BOX_TEXT = 0xFFFF; // the static control that holds a box's text

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                               result) != 0;
}

LRESULT SendOrMinusOne(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return Send(window, message, wParam, lParam, &result) ? static_cast<LRESULT>(result) : -1;
}

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

void RemoveFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void AppendBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    const std::string typed = type + data;
    png += typed;
    AppendBigEndian(png, Crc32(typed));
}

// A PNG of 24-bit BGR rows (padded to 4 bytes, top row first). The image data
// is stored uncompressed, which every reader accepts.
std::string EncodePng(const unsigned char* bgr, int width, int height) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0'; // no filter
        const unsigned char* row = bgr + y * stride;
        for (int x = 0; x < width; ++x) {
            raw += static_cast<char>(row[x * 3 + 2]);
            raw += static_cast<char>(row[x * 3 + 1]);
            raw += static_cast<char>(row[x * 3]);
        }
    }
    std::string zlib = "\x78\x01";
    for (size_t offset = 0; offset < raw.size() || offset == 0; offset += 65535) {
        const size_t size = std::min<size_t>(65535, raw.size() - offset);
        zlib += static_cast<char>(offset + size >= raw.size() ? 1 : 0);
        zlib += static_cast<char>(size & 0xFF);
        zlib += static_cast<char>(size >> 8);
        zlib += static_cast<char>(~size & 0xFF);
        zlib += static_cast<char>((~size >> 8) & 0xFF);
        zlib.append(raw, offset, size);
    }
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    AppendBigEndian(zlib, (b << 16) | a);

    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(width));
    AppendBigEndian(header, static_cast<uint32_t>(height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", zlib);
    AppendChunk(png, "IEND", "");
    return png;
}

} // namespace

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') {
        return path;
    }
    // A Unix path from the shell that started us: Wine shows the Unix root as Z:.
    std::wstring windows = L"Z:" + path;
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return windows;
}

std::wstring BrevoltExePath() {
    wchar_t buffer[MAX_PATH];
    if (GetEnvironmentVariableW(L"BREVOLT_EXE", buffer, MAX_PATH) > 0) {
        return WindowsPath(buffer);
    }
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path = buffer;
    for (int level = 0; level < 2; ++level) {
        path.erase(path.find_last_of(L"\\/"));
    }
    return path + L"\\brevolt.exe";
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring ToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

bool ReadText(HWND window, std::string* text) {
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
        return false;
    }
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&buffer[0]), &copied)) {
        return false;
    }
    buffer.resize(copied);
    *text = ToAnsi(buffer);
    return true;
}

std::string TextOf(HWND window) {
    std::string text;
    return ReadText(window, &text) ? text : std::string();
}

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return ToAnsi(name);
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendOrMinusOne(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendOrMinusOne(combo, CB_GETLBTEXTLEN, index, 0);
        if (length < 0) {
            break;
        }
        std::wstring buffer(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&buffer[0]), &copied)) {
            break;
        }
        buffer.resize(std::min<size_t>(copied, length));
        items.push_back(ToAnsi(buffer));
    }
    return items;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(SendOrMinusOne(combo, CB_GETCURSEL, 0, 0));
}

bool SetComboSelection(HWND combo, int index) {
    DWORD_PTR result = 0;
    return Send(combo, CB_SETCURSEL, index, 0, &result) && static_cast<int>(result) == index;
}

bool SetCheck(HWND button, bool checked) {
    DWORD_PTR result = 0;
    return Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0, &result);
}

int CheckState(HWND button) {
    return static_cast<int>(SendOrMinusOne(button, BM_GETCHECK, 0, 0));
}

std::vector<HWND> ProcessWindows(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ReadFileBytes(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    fclose(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

FileLock::FileLock(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileLock::~FileLock() {
    if (Held()) {
        CloseHandle(handle_);
    }
}

ScratchFolder::ScratchFolder() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t name[64];
    swprintf(name, 64, L"brevolt-e2e-%lu-%u", GetCurrentProcessId(), ++counter);
    path_ = std::wstring(temp) + name;
    RemoveFolderTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveFolderTree(path_);
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
    const BOOL started = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, workFolder.c_str(), &startup, &process_);
    CloseHandle(log);
    if (!started) {
        return false;
    }
    // The main loop runs once the last gadgets exist and a posted marker
    // comes back.
    const bool found = WaitUntil([this] {
        const std::vector<HWND> windows = ProcessWindows(ProcessId(), "WindowClass_0");
        window_ = windows.empty() ? nullptr : windows.front();
        return window_ != nullptr && Gadget(30) != nullptr;
    });
    return found && Sync();
}

bool Brevolt::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Brevolt::Sync() {
    HWND output = Gadget(OUTPUT_BOX);
    const LPARAM marker = 100000 + (++marker_ % 100000);
    if (output == nullptr || !PostMessageW(output, EM_SETLIMITTEXT, marker, 0)) {
        return false;
    }
    return WaitUntil([&] { return SendOrMinusOne(output, EM_GETLIMITTEXT, 0, 0) == marker; });
}

bool Brevolt::Press(int gadget) {
    HWND button = Gadget(gadget);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0) && Sync();
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

bool Brevolt::Pick(int gadget, const std::string& displayText) {
    HWND combo = Gadget(gadget);
    const std::vector<std::string> items = ComboItems(combo);
    const auto item = std::find(items.begin(), items.end(), displayText);
    return item != items.end() && SetComboSelection(combo, static_cast<int>(item - items.begin()));
}

bool Brevolt::WaitForMessageBox(MessageBoxSeen* seen, DWORD timeoutMs) {
    std::vector<HWND> boxes;
    if (!WaitUntil(
            [&] {
                boxes = ProcessWindows(ProcessId(), "#32770");
                return !boxes.empty();
            },
            timeoutMs)) {
        return false;
    }
    seen->box = boxes.front();
    // The box fills in its text after it appears.
    return WaitUntil([&] {
        return ReadText(seen->box, &seen->title) &&
               ReadText(GetDlgItem(seen->box, MESSAGE_BOX_TEXT), &seen->text) &&
               !seen->text.empty();
    });
}

bool Brevolt::DismissMessageBox(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    return ok != nullptr && PostMessageW(ok, BM_CLICK, 0, 0) &&
           WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

bool Brevolt::HasMessageBox() const {
    return !ProcessWindows(ProcessId(), "#32770").empty();
}

bool Brevolt::WaitForExit(DWORD* exitCode, DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(process_.hProcess, exitCode) != 0;
}

bool Brevolt::SaveScreenshot(const std::wstring& path) const {
    RECT frame;
    if (!GetWindowRect(window_, &frame)) {
        return false;
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first, as PNG stores rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
        GdiFlush();
        saved = WriteFileBytes(path,
                               EncodePng(static_cast<const unsigned char*>(pixels), width, height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace e2e
