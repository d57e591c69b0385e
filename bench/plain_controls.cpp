// A second start-up reference: the main window's 31 controls made with
// plain Win32 calls, with the program's manifest and imports. What start-up
// costs beyond this is the program's own; what this costs beyond the
// minimal window is the platform's price for the controls.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace {

struct Control {
    const char* className;
    const char* text;
    DWORD style;
    DWORD extendedStyle;
    int x, y, width, height;
    int entries; // combo box entries, as many as the catalogue's tables hold
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD FRAME = CHILD | BS_GROUPBOX;
constexpr DWORD BUTTON = CHILD | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD CHECK = CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD COMBO = CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS;

const Control controls[] = {
    {"Button", "Primary Weapon", FRAME, 0, 5, 5, 240, 80, 0},
    {"Button", "Secondary Weapon", FRAME, 0, 5, 95, 240, 80, 0},
    {"Button", "Items", FRAME, 0, 5, 185, 240, 80, 0},
    {"Button", "Armor", FRAME, 0, 5, 275, 120, 40, 0},
    {"Button", "Key Press", FRAME, 0, 125, 275, 120, 40, 0},
    {"Button", "Quit", BUTTON, 0, 5, 365, 80, 25, 0},
    {"Button", "Generate", BUTTON, 0, 85, 365, 80, 25, 0},
    {"Button", "About", BUTTON, 0, 165, 365, 80, 25, 0},
    {"Button", "Add", BUTTON, 0, 45, 390, 80, 25, 0},
    {"Button", "Save Config", BUTTON, 0, 125, 390, 80, 25, 0},
    {"Static", "Choice 1:", CHILD, 0, 10, 25, 50, 15, 0},
    {"Static", "Choice 2:", CHILD, 0, 10, 45, 50, 15, 0},
    {"Button", "Primary Ammo", CHECK, 0, 10, 65, 85, 17, 0},
    {"Static", "Choice 1:", CHILD, 0, 10, 115, 50, 15, 0},
    {"Static", "Choice 2:", CHILD, 0, 10, 135, 50, 15, 0},
    {"Button", "Secondary Ammo", CHECK, 0, 10, 155, 100, 17, 0},
    {"Button", "Flashbang 1", CHECK, 0, 10, 200, 80, 17, 0},
    {"Button", "Flashbang 2", CHECK, 0, 10, 220, 80, 17, 0},
    {"Button", "HE Grenade", CHECK, 0, 10, 240, 80, 15, 0},
    {"Button", "Smoke Grenade", CHECK, 0, 145, 200, 95, 17, 0},
    {"Button", "Nightvision", CHECK, 0, 145, 220, 70, 17, 0},
    {"Button", "Defusal Kit", CHECK, 0, 145, 240, 70, 17, 0},
    {"ComboBox", "", COMBO, WS_EX_CLIENTEDGE, 60, 20, 100, 100, 19},
    {"ComboBox", "", COMBO, WS_EX_CLIENTEDGE, 60, 40, 100, 100, 19},
    {"ComboBox", "", COMBO, WS_EX_CLIENTEDGE, 60, 110, 100, 100, 7},
    {"ComboBox", "", COMBO, WS_EX_CLIENTEDGE, 60, 130, 100, 100, 7},
    {"ComboBox", "", COMBO, WS_EX_CLIENTEDGE, 10, 290, 100, 100, 3},
    {"ComboBox", "", COMBO, WS_EX_CLIENTEDGE, 130, 290, 100, 100, 101},
    {"Edit", "Buy Script Output", CHILD | ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE, 5, 315, 240,
     40, 0},
    {"Static", "Oskerand", CHILD | SS_NOTIFY, 0, 90, 416, 70, 15, 0},
    {"Static", "Freeware: share it freely", CHILD | SS_SUNKEN, 0, 50, 432, 150, 15, 0},
};

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "PlainControls";
    if (!RegisterClassA(&windowClass)) {
        return 1;
    }
    HWND window = CreateWindowExA(0, "PlainControls", "Plain controls", WS_POPUP | WS_CAPTION, 382,
                                  155, 256, 474, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, showCommand);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    int id = 0;
    for (const Control& c : controls) {
        HWND control = CreateWindowExA(
            c.extendedStyle, c.className, c.text, c.style, c.x, c.y, c.width, c.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, font, TRUE);
        for (int entry = 0; entry < c.entries; ++entry) {
            SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Entry"));
        }
        if (c.entries) {
            SendMessageA(control, CB_SETCURSEL, 0, 0);
        }
    }
    // The program imports the shell for its link; so does its reference.
    if (showCommand < 0) {
        ShellExecuteA(nullptr, "open", "", nullptr, nullptr, SW_SHOWNORMAL);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
