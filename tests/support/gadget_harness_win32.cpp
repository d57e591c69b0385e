#include "tests/support/gadget_harness_win32.h"

#include "toolkit/windows.h"

#include <algorithm>

namespace {

// A message that nothing handles, so EventWait returns its own number.
constexpr UINT SETTLE_MARKER = WM_APP + 0x77;
constexpr DWORD SETTLE_LIMIT_MS = 5000;

bool MessagesWaiting() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT)) != 0;
}

void SendPointer(HWND window, int x, int y, DWORD buttons) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
}

} // namespace

bool operator==(const RecordedEvent& a, const RecordedEvent& b) {
    return a.event == b.event && a.window == b.window && a.gadget == b.gadget &&
           a.subtype == b.subtype;
}

std::ostream& operator<<(std::ostream& out, const RecordedEvent& event) {
    return out << "(" << event.event << ", " << event.window << ", " << event.gadget << ", "
               << event.subtype << ")";
}

std::ostream& operator<<(std::ostream& out, const std::vector<RecordedEvent>& events) {
    out << "{";
    for (const RecordedEvent& event : events) {
        out << " " << event;
    }
    return out << " }";
}

void StartRuntimeOnce() {
    static const bool started = RuntimeStart();
    (void)started;
}

std::vector<RecordedEvent> PumpUntilSettled(HWND window) {
    std::vector<RecordedEvent> events;
    const DWORD start = GetTickCount();
    const auto wait = [&events] {
        const int32_t event = EventWait();
        if (event != static_cast<int32_t>(SETTLE_MARKER)) {
            events.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
        return event;
    };
    bool settled = false;
    while (!settled && GetTickCount() - start < SETTLE_LIMIT_MS) {
        // Queued toolkit events come out before the marker is read.
        PostMessageA(window, SETTLE_MARKER, 0, 0);
        while (wait() != static_cast<int32_t>(SETTLE_MARKER)) {
        }
        // Input and paint messages come only once nothing is posted, so
        // never before the marker: take them now, then check again.
        settled = true;
        while (MessagesWaiting()) {
            settled = false;
            wait();
        }
    }
    return events;
}

std::vector<RecordedEvent> GadgetEventsOf(const std::vector<RecordedEvent>& events) {
    std::vector<RecordedEvent> gadgetEvents;
    std::copy_if(events.begin(), events.end(), std::back_inserter(gadgetEvents),
                 [](const RecordedEvent& e) { return e.event == EVENT_GADGET; });
    return gadgetEvents;
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
