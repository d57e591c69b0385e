// Gadgets over USER32 controls: each control is subclassed by the handler
// every gadget meets first, carries its number as its ID and "TK_ID", and
// answers colour queries through its kind's hook.
#include "toolkit/core/brush_cache.h"
#include "toolkit/win32/backend_win32.h"
#include "toolkit/win32/gadget_kinds.h"

#include <commctrl.h>

namespace {

// Tab, date, extended combo box and internet address classes.
constexpr DWORD EXTENDED_CONTROL_CLASSES = 0xB08;
constexpr char GADGET_ID_PROPERTY[] = "TK_ID";
constexpr LONG CLEANED_UP_ID = -1;

HFONT font;
BrushCache brushes;

BrushHandle CreatePlatformBrush(int32_t colour) {
    return reinterpret_cast<BrushHandle>(CreateSolidBrush(static_cast<COLORREF>(colour)));
}

void DestroyPlatformBrush(BrushHandle brush) {
    DeleteObject(reinterpret_cast<HBRUSH>(brush));
}

LRESULT CALLBACK GadgetCommonHandler(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG number = GetWindowLongA(control, GWL_ID);
    const GadgetRecord* record = number == CLEANED_UP_ID ? nullptr : GadgetOfControl(control);
    if (!record) {
        return DefWindowProcA(control, message, wParam, lParam);
    }
    const auto previous = reinterpret_cast<WNDPROC>(record->platform);
    const LRESULT result = CallWindowProcA(previous, control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        GadgetDestroyed(number, reinterpret_cast<intptr_t>(control));
        RemovePropA(control, GADGET_ID_PROPERTY);
        SetWindowLongA(control, GWL_ID, CLEANED_UP_ID);
    }
    return result;
}

// The first window up the parent chain with a window number, or the topmost.
HWND OwningWindowOf(HWND control) {
    HWND window = control;
    while (!GetPropA(window, WINDOW_ID_PROPERTY)) {
        HWND parent = GetParent(window);
        if (!parent) {
            break;
        }
        window = parent;
    }
    return window;
}

} // namespace

void PlatformGadgetLibraryStart() {
    BrushCacheInit(brushes, BrushFactory{CreatePlatformBrush, DestroyPlatformBrush});
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), EXTENDED_CONTROL_CLASSES};
    InitCommonControlsEx(&classes);
}

intptr_t GadgetCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const GadgetPlan& plan, HWND* made) {
    HWND control =
        CreateWindowExA(plan.extendedStyle, plan.className, plan.text ? plan.text : "", plan.style,
                        x, y, width, height, reinterpret_cast<HWND>(GadgetParent()), nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    if (!control) {
        return 0;
    }
    if (plan.setUp) {
        plan.setUp(control);
    }
    const intptr_t result =
        GadgetAdd(number, GadgetRecord{reinterpret_cast<intptr_t>(control), plan.kind, 0,
                                       plan.background, plan.textColour, 0, plan.extra, number});
    if (made) {
        *made = result ? control : nullptr;
    }
    return result;
}

void PlatformGadgetAttach(GadgetRecord& record, ObjectNumber number) {
    HWND control = ControlOf(record);
    record.platform =
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetCommonHandler));
    SetWindowLongA(control, GWL_ID, number);
    SetPropA(control, GADGET_ID_PROPERTY, reinterpret_cast<HANDLE>(static_cast<intptr_t>(number)));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void PlatformGadgetDiscard(intptr_t control) {
    DestroyWindow(reinterpret_cast<HWND>(control));
}

void PlatformGadgetDestroy(intptr_t control) {
    DestroyWindow(reinterpret_cast<HWND>(control));
}

std::string PlatformGadgetText(const GadgetRecord& record) {
    HWND control = ControlOf(record);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void PlatformGadgetSetText(GadgetRecord& record, const char* text) {
    SetWindowTextA(ControlOf(record), text);
}

// A new background takes the shared brush of its colour.
void PlatformGadgetRecolour(GadgetRecord& record, int32_t which) {
    if (which == COLOUR_BACKGROUND) {
        KindReleaseBrush(record);
        record.paint = record.background == COLOUR_DEFAULT
                           ? 0
                           : static_cast<intptr_t>(BrushCacheAcquire(brushes, record.background));
    }
    RedrawWindow(ControlOf(record), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
}

GadgetRecord* GadgetOfControl(HWND control) {
    return GadgetOfControl(GetWindowLongA(control, GWL_ID), reinterpret_cast<intptr_t>(control));
}

HFONT GadgetFont() {
    return font;
}

LRESULT GadgetOfferMessage(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!control) {
        return NOT_HANDLED_RESULT;
    }
    const LONG number = GetWindowLongA(control, GWL_ID);
    if (reinterpret_cast<intptr_t>(GetPropA(control, GADGET_ID_PROPERTY)) != number) {
        return NOT_HANDLED_RESULT;
    }
    GadgetRecord* record = GadgetOfControl(control);
    if (!record || !record->kind->messageHook) {
        return NOT_HANDLED_RESULT;
    }
    return record->kind->messageHook(*record, reinterpret_cast<intptr_t>(parent), message, wParam,
                                     lParam);
}

void GadgetPostEvent(HWND control, int32_t subtype) {
    PostMessageA(OwningWindowOf(control), MSG_GADGET_EVENT,
                 static_cast<WPARAM>(GetWindowLongA(control, GWL_ID)), subtype);
}

void KindReleaseBrush(GadgetRecord& record) {
    if (record.paint) {
        BrushCacheRelease(brushes, static_cast<BrushHandle>(record.paint));
        record.paint = 0;
    }
}
