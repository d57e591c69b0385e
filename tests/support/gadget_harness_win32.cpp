#include "tests/support/gadget_harness_win32.h"

#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <algorithm>

namespace {

// Posted behind what a test did; its dispatch marks that all of it was read.
// A window of its own sees it even when the wait that reads it reports a
// gadget event raised earlier instead of the message number.
constexpr UINT SETTLE_MARKER = WM_APP + 0x77;
constexpr DWORD SETTLE_LIMIT_MS = 5000;
constexpr UINT WAKE_UP_MS = 20;
constexpr uint32_t PROGRAM_WINDOW_FLAGS = 0x80C00001;

bool MessagesWaiting() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

void SendPointer(HWND window, int x, int y, DWORD buttons) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 across the screen's pixels.
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
}

bool markerSeen = false;

LRESULT CALLBACK MarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SETTLE_MARKER) {
        markerSeen = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MarkerWindow() {
    static HWND window = [] {
        WNDCLASSA marker = {};
        marker.lpfnWndProc = MarkerProc;
        marker.hInstance = GetModuleHandleA(nullptr);
        marker.lpszClassName = "GadgetSettleMarker";
        RegisterClassA(&marker);
        return CreateWindowExA(0, marker.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               marker.hInstance, nullptr);
    }();
    return window;
}

} // namespace

EventTrace PumpUntilSettled(HWND window, const std::vector<int32_t>& kept) {
    EventTrace events;
    const DWORD start = GetTickCount();
    const auto inTime = [start] { return GetTickCount() - start < SETTLE_LIMIT_MS; };
    // A message that the queue reports may still be dropped (input for a
    // disabled window); the timer keeps the wait for it from blocking.
    const UINT_PTR timer = SetTimer(nullptr, 0, WAKE_UP_MS, nullptr);
    const auto wait = [&events, &kept] {
        const int32_t event = EventWait();
        if (std::find(kept.begin(), kept.end(), event) != kept.end()) {
            events.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
    };
    bool settled = false;
    while (!settled && inTime()) {
        // Queued toolkit events come out before the marker is read.
        markerSeen = false;
        PostMessageA(MarkerWindow(), SETTLE_MARKER, 0, 0);
        while (!markerSeen && inTime()) {
            wait();
        }
        // Input comes only once nothing is posted, so never before the
        // marker: take it now, then check again.
        settled = true;
        while (MessagesWaiting() && inTime()) {
            settled = false;
            wait();
        }
        // Wine may report a paint as waiting that no wait ever yields, so
        // paints are not waited for but carried out here.
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    KillTimer(nullptr, timer);
    EXPECT_TRUE(settled) << "messages kept coming; events so far:\n" << DescribeTrace(events);
    return events;
}

void PointerMoveTo(HWND window, int x, int y) {
    SendPointer(window, x, y, 0);
}

void PointerClick(HWND window, int x, int y) {
    SendPointer(window, x, y, MOUSEEVENTF_LEFTDOWN);
    SendPointer(window, x, y, MOUSEEVENTF_LEFTUP);
}

int ClientPixels::Count(COLORREF colour) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

ClientPixels ReadClientPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    ClientPixels result{client.right, client.bottom, {}};
    HDC dc = GetDC(window);
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x) {
            result.pixels.push_back(GetPixel(dc, x, y));
        }
    }
    ReleaseDC(window, dc);
    return result;
}

void GadgetWindowTest::SetUp() {
    StartToolkitRuntime();
    window = HandleOf(WindowOpen(WINDOW, 0, 0, 640, 400, "Gadgets", PROGRAM_WINDOW_FLAGS));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GadgetListBegin(reinterpret_cast<intptr_t>(window)),
              reinterpret_cast<intptr_t>(window));
    PumpUntilSettled(window);
}

void GadgetWindowTest::TearDown() {
    WindowClose(WINDOW);
}

EventTrace GadgetWindowTest::GadgetEvents() {
    return PumpUntilSettled(window);
}

TracedEvent GadgetWindowTest::Reported(ObjectNumber gadget, int32_t subtype) {
    return {EVENT_GADGET, WINDOW, gadget, subtype};
}
