// The link: a "STATIC" control that the library draws itself, in its text
// colour or, while the pointer is over it, in its hover colour. It shows a
// hand cursor and reports a click when the left button is released over it.
#include "toolkit/core/memory.h"
#include "toolkit/win32/gadget_kinds.h"

namespace {

constexpr uint32_t LINK_UNDERLINE = 1;
// Painting reads at most this many characters of the text.
constexpr int LINK_TEXT_LIMIT = 511;

struct LinkRecord {
    HFONT font;
    uint32_t flags;
    WNDPROC previous; // GadgetCommonHandler
    int32_t hoverColour;
};

HCURSOR handCursor = nullptr;

COLORREF DrawingColour(int32_t colour) {
    return colour == COLOUR_DEFAULT ? GetSysColor(COLOR_BTNTEXT) : static_cast<COLORREF>(colour);
}

void Repaint(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
}

// The link is in its hover state while it holds the pointer capture; the
// edges of the client rectangle count as inside. A disabled parent (a modal
// message box is up) ends the hover on the next move and keeps it from
// starting again: releasing the capture makes the window system send a move
// to the window under the pointer, which would take the capture back, and
// so on without end.
void TrackHover(HWND control, LPARAM position) {
    const bool parentEnabled = IsWindowEnabled(GetParent(control));
    if (GetCapture() != control) {
        if (parentEnabled) {
            SetCapture(control);
            Repaint(control);
        }
        return;
    }
    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));
    RECT client;
    GetClientRect(control, &client);
    const bool inside = x >= 0 && y >= 0 && x <= client.right && y <= client.bottom;
    if (!inside || !parentEnabled) {
        ReleaseCapture();
    }
}

void DrawUnderline(HDC dc, const char* text, int length, COLORREF colour) {
    SIZE extent;
    GetTextExtentPoint32A(dc, text, length, &extent);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, extent.cy, nullptr);
    LineTo(dc, extent.cx, extent.cy);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

void PaintLink(HWND control, int32_t textColour, const LinkRecord& link) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    if (!dc) {
        return;
    }
    // The static class draws through its parent's context, so clip to the link.
    RECT client;
    GetClientRect(control, &client);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    const auto background = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control)));
    if (background) {
        FillRect(dc, &paint.rcPaint, background);
    }
    char text[LINK_TEXT_LIMIT + 1];
    const int length = GetWindowTextA(control, text, sizeof text);
    if (link.font) {
        SelectObject(dc, link.font);
    }
    if (IsWindowEnabled(control)) {
        const COLORREF colour =
            DrawingColour(GetCapture() == control ? link.hoverColour : textColour);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        TextOutA(dc, 0, 0, text, length);
        if (link.flags & LINK_UNDERLINE) {
            DrawUnderline(dc, text, length, colour);
        }
    } else {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), length, 0, 0, 0, 0,
                   DST_TEXT | DSS_DISABLED);
    }
    EndPaint(control, &paint);
}

LRESULT CALLBACK LinkHandler(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const GadgetRecord* record = GadgetOfControl(control);
    if (!record) {
        return DefWindowProcA(control, message, wParam, lParam);
    }
    auto* link = static_cast<LinkRecord*>(record->extra);
    switch (message) {
    case WM_SETFONT:
        link->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) == 1) {
            Repaint(control);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(link->font);
    case WM_SETTEXT: {
        const LRESULT result = CallWindowProcA(link->previous, control, message, wParam, lParam);
        Repaint(control);
        return result;
    }
    case WM_ENABLE:
        Repaint(control);
        return 0;
    case WM_SETCURSOR:
        SetCursor(handCursor);
        return 1;
    case WM_MOUSEMOVE:
        TrackHover(control, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return 0;
    case WM_LBUTTONUP:
        GadgetPostEvent(control, 0);
        return 0;
    // Swallowed, so the release that follows a double-click reports the second click.
    case WM_LBUTTONDBLCLK:
    case WM_COMMAND:
        return 0;
    case WM_PAINT:
        PaintLink(control, record->textColour, *link);
        return 0;
    default: {
        // The static control answers hit tests as transparent; the default
        // handling makes the whole rectangle take pointer input.
        CallWindowProcA(link->previous, control, message, wParam, lParam);
        return DefWindowProcA(control, message, wParam, lParam);
    }
    }
}

intptr_t LinkColourQuery(GadgetRecord& record, intptr_t, uint32_t message, uintptr_t, intptr_t) {
    if (message != WM_CTLCOLORSTATIC || record.background == COLOUR_DEFAULT || !record.paint) {
        return NOT_HANDLED_RESULT;
    }
    return record.paint;
}

void FreeLink(GadgetRecord& record) {
    KindReleaseBrush(record);
    MemoryFree(record.extra);
    record.extra = nullptr;
}

const GadgetKindTable& LinkKind() {
    static const GadgetKindTable table = [] {
        GadgetKindTable kind{};
        kind.code = KIND_LINK;
        kind.messageHook = LinkColourQuery;
        kind.free = FreeLink;
        kind.setColour = KindSetColour;
        kind.getColour = KindGetColour;
        return kind;
    }();
    return table;
}

} // namespace

intptr_t LinkCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* text, int32_t hoverColour) {
    if (!handCursor) {
        handCursor = LoadCursorA(nullptr, IDC_HAND);
        if (!handCursor) {
            handCursor = LoadCursorA(nullptr, IDC_ARROW);
        }
    }
    auto* link = static_cast<LinkRecord*>(MemoryAllocate(sizeof(LinkRecord)));
    if (!link) {
        return 0;
    }
    *link = LinkRecord{GadgetFont(), 0, nullptr, hoverColour};
    // Created hidden, so that it is first drawn once LinkHandler is in place.
    const GadgetPlan plan = {&LinkKind(),    "STATIC", text, WS_CHILD, 0,
                             COLOUR_DEFAULT, 0,        link, nullptr};
    HWND control = nullptr;
    const intptr_t result = GadgetCreate(number, x, y, width, height, plan, &control);
    if (!result) {
        MemoryFree(link);
        return 0;
    }
    link->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkHandler)));
    ShowWindow(control, SW_SHOW);
    return result;
}
