// Windows in the page: a caption bar over a client area of the window's
// size, centred in the page or at its place; the wait as an awaited DOM
// event record, translated into the core's calls; Tab, Shift+Tab and Alt+F4
// taken from the keyboard before the browser sees them.
#include "toolkit/web/backend_web.h"
#include "toolkit/windows.h"

#include <vector>

namespace {

// A gadget's place in its window's order: handle, number, usable.
constexpr int32_t ORDER_FIELDS = 3;

// clang-format off
EM_JS(void, ListenToKeysAndFocus, (), {
    const tk = Module.tk;
    tk.callLater = (call, context) => setTimeout(() => tk.post([6, 0x0113, -1, 0, 0, call, context]), 0);
    // The window a key without a focused control is for: the topmost that takes input.
    tk.topWindow = () => {
        const shown = [...document.querySelectorAll('.tk-window:not([hidden]):not([inert])')];
        return shown.length ? shown[shown.length - 1] : null;
    };
    tk.listen(document, 'keydown', event => {
        const inBox = event.target.closest && event.target.closest('.tk-box');
        const owner = inBox ? null : event.target.closest && event.target.closest('.tk-window') ||
                      (event.target === document.body ? tk.topWindow() : null);
        const tab = event.key === 'Tab';
        const altF4 = event.key === 'F4' && event.altKey && !event.ctrlKey && !event.shiftKey;
        if (inBox && tab) {
            event.preventDefault();
        }
        if (!owner || !(tab || altF4)) {
            return;
        }
        event.preventDefault();
        const number = +owner.tkClient.dataset.window;
        if (altF4) {
            tk.post([4, 0x104, number, 0, 0, 0, 0]);
        } else if (!event.ctrlKey && !event.altKey && !event.metaKey) {
            tk.post([3, 0x100, number, 0, 0, event.shiftKey ? 0 : 1, 0]);
        }
    }, true);
    // Each window hears of its own gadgets.
    const post = (message, from, to) => {
        if (from && to && tk.windowOf(from) !== tk.windowOf(to)) {
            post(message, from, null);
            post(message, null, to);
        } else if (from || to) {
            tk.post([2, message, tk.windowOf(to || from), from ? from.tkHandle : 0,
                     from ? +from.dataset.gadget : 0, to ? to.tkHandle : 0, to ? +to.dataset.gadget : 0]);
        }
    };
    tk.listen(document, 'focusin', event => post(0x0007, tk.gadgetOf(event.relatedTarget), tk.gadgetOf(event.target)));
    tk.listen(document, 'focusout', event => {
        if (!event.relatedTarget) {
            post(0x0008, tk.gadgetOf(event.target), null);
        }
    });
});

EM_JS(int32_t, CreateWindowElement, (int32_t number, int32_t x, int32_t y, int32_t width, int32_t height,
                                     const char* title, int32_t placed), {
    const tk = Module.tk;
    let desk = document.querySelector('.tk-desk');
    if (!desk) {
        desk = document.createElement('div');
        desk.className = 'tk-desk';
        document.body.append(desk);
    }
    const frame = document.createElement('section');
    frame.className = placed ? 'tk-window tk-placed' : 'tk-window';
    frame.hidden = true;
    if (placed) {
        frame.style.left = x + 'px';
        frame.style.top = y + 'px';
    }
    const caption = document.createElement('div');
    caption.className = 'tk-caption';
    caption.id = 'tk-caption-' + number;
    caption.textContent = UTF8ToString(title);
    frame.setAttribute('aria-labelledby', caption.id);
    const client = frame.tkClient = document.createElement('div');
    client.className = 'tk-client';
    client.dataset.window = number;
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    frame.append(caption, client);
    desk.append(frame);
    return tk.add(frame);
});

EM_JS(void, ShowWindowElement, (int32_t window), {
    const el = Module.tk.els[window];
    el.hidden = false;
    document.title = el.firstChild.textContent;
});

EM_JS(int32_t, WindowGadgets, (int32_t window, int32_t* order, int32_t most), {
    const children = Module.tk.els[window].tkClient.children;
    const count = Math.min(children.length, most);
    for (let i = 0; i < count; ++i) {
        const el = children[i];
        const usable = !el.hidden && !(el.tkFocus || el).disabled;
        HEAP32.set([el.tkHandle, +el.dataset.gadget, usable ? 1 : 0], (order >> 2) + 3 * i);
    }
    return children.length;
});

EM_JS(int32_t, FocusedGadget, (int32_t window), {
    const client = Module.tk.els[window].tkClient;
    const focused = document.activeElement;
    const gadget = focused && focused.closest('[data-gadget]');
    return gadget && gadget.parentElement === client ? gadget.tkHandle : 0;
});

EM_JS(void, FocusGadget, (int32_t control), {
    const el = Module.tk.els[control];
    (el.tkFocus || el).focus({focusVisible: true});
});

// After the tasks the page has queued already, so that the records of the
// DOM events they dispatch come first.
EM_JS(void, PostCall, (int32_t call, int32_t context), {
    Module.tk.callLater(call, context);
});

// The oldest record (with boxOnly, the oldest of a box or a call) and its
// message; 0 when there is none yet.
EM_JS(uint32_t, TakeRecord, (int32_t* out, int32_t boxOnly), {
    const tk = Module.tk;
    const next = tk.queue.findIndex(record => !boxOnly || record[0] >= 6);
    if (next < 0) {
        return 0;
    }
    const record = next ? tk.queue.splice(next, 1)[0] : tk.queue.shift();
    HEAP32.set(record, out >> 2);
    return record[1];
});

EM_ASYNC_JS(void, AwaitNewRecord, (), {
    await new Promise(wake => { Module.tk.wake = wake; });
});
// clang-format on

// The gadgets of a window in creation order, each with its handle and
// number and whether it takes the focus.
std::vector<int32_t> GadgetsOf(intptr_t window) {
    const auto element = static_cast<int32_t>(window);
    const int32_t count = WindowGadgets(element, nullptr, 0);
    std::vector<int32_t> order(static_cast<size_t>(count) * ORDER_FIELDS);
    WindowGadgets(element, order.data(), count);
    return order;
}

// A record from the page becomes the core's calls.
void Translate(const WebRecord& record) {
    WindowEventSource(record.window);
    switch (record.kind) {
    case RECORD_REPORT:
        if (GadgetOfControl(record.gadget, record.handle)) {
            GadgetReport(record.window, record.gadget, record.a);
        }
        break;
    case RECORD_FOCUS:
        GadgetFocusMoved(record.window, GadgetOfControl(record.gadget, record.handle),
                         GadgetOfControl(record.b, record.a));
        break;
    case RECORD_TAB:
        WindowFocusMove(WindowHandleOf(record.window), record.a != 0);
        break;
    case RECORD_CLOSE:
        WindowEventQueue(EVENT_CLOSE_WINDOW, record.window);
        break;
    case RECORD_EDIT:
        if (GadgetRecord* edited = GadgetOfControl(record.gadget, record.handle)) {
            OutputBoxEdited(*edited);
        }
        break;
    default:
        break;
    }
}

} // namespace

// The program is suspended only when the page has nothing for it yet.
uint32_t WebWait(WebRecord& record, bool boxOnly) {
    uint32_t message = 0;
    while (!(message = TakeRecord(&record.kind, boxOnly ? 1 : 0))) {
        AwaitNewRecord();
    }
    if (record.kind == RECORD_CALL) {
        reinterpret_cast<void (*)(void*)>(record.a)(reinterpret_cast<void*>(record.b));
    }
    return message;
}

void WebCallLater(void (*call)(void* context), void* context) {
    PostCall(static_cast<int32_t>(reinterpret_cast<intptr_t>(call)),
             static_cast<int32_t>(reinterpret_cast<intptr_t>(context)));
}

void PlatformWindowLibraryStart() {
    ListenToKeysAndFocus();
}

// A window centred on the screen stays centred in the page, whatever its
// size; others go where WindowPlacementFor puts them in the page's viewport.
intptr_t PlatformWindowCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width,
                              int32_t height, const char* title, uint32_t flags,
                              const WindowStyle&) {
    const bool placed = (flags & WINDOW_CENTER_SCREEN) == 0;
    WindowPlacement placement = {};
    if (placed) {
        placement =
            WindowPlacementFor(flags, x, y, width, height, EM_ASM_INT({ return innerWidth; }),
                               EM_ASM_INT({ return innerHeight; }), nullptr);
    }
    if (placement.x == PLACEMENT_DEFAULT) {
        placement.x = placement.y = 0;
    }
    return CreateWindowElement(number, placement.x, placement.y, width, height,
                               PageText(title).c_str(), placed ? 1 : 0);
}

void PlatformWindowShow(intptr_t window, bool) {
    ShowWindowElement(static_cast<int32_t>(window));
}

// Its gadgets go with it, each releasing its number.
void PlatformWindowDestroy(intptr_t window, ObjectNumber) {
    const std::vector<int32_t> order = GadgetsOf(window);
    for (size_t i = 0; i < order.size(); i += ORDER_FIELDS) {
        GadgetDestroyed(order[i + 1], order[i]);
    }
    EM_ASM({ Module.tk.drop($0); }, static_cast<int32_t>(window));
}

// Tab is taken from the keyboard by the page's listener.
intptr_t PlatformFocusKeysCreate() {
    return 0;
}

void PlatformFocusKeysDestroy(intptr_t) {}

uint32_t PlatformWaitOnce() {
    WebRecord record;
    const uint32_t message = WebWait(record, false);
    Translate(record);
    return message;
}

std::vector<FocusEntry> PlatformFocusOrder(intptr_t window) {
    const std::vector<int32_t> order = GadgetsOf(window);
    std::vector<FocusEntry> controls;
    for (size_t i = 0; i < order.size(); i += ORDER_FIELDS) {
        const GadgetRecord* record = GadgetOfControl(order[i + 1], order[i]);
        controls.push_back({order[i], record && order[i + 2] && KindIsTabStop(*record->kind)});
    }
    return controls;
}

intptr_t PlatformFocusedControl(intptr_t window) {
    return FocusedGadget(static_cast<int32_t>(window));
}

void PlatformFocusControl(intptr_t control) {
    FocusGadget(static_cast<int32_t>(control));
}
