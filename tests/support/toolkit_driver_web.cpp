#include "tests/support/toolkit_driver.h"
#include "toolkit/web/backend_web.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

namespace {

constexpr double SETTLE_MS = 10000;

// clang-format off
// Real input: the harness outside the page (run_page_test.py) dispatches it
// through the DevTools protocol, hit-tested as a user's, and answers once
// the page has handled it.
EM_ASYNC_JS(void, AskHarness, (const char* request), {
    await new Promise(answered => {
        self.harnessAnswer = answered;
        self.harnessInput(UTF8ToString(request));
    });
});

EM_JS(char*, ClickRequest, (int32_t element), {
    const box = Module.tk.els[element].getBoundingClientRect();
    return Module.tk.cString(JSON.stringify({click: [box.x + box.width / 2, box.y + box.height / 2]}));
});

EM_JS(void, FocusElement, (int32_t element), {
    const el = Module.tk.els[element];
    (el.tkFocus || el).focus();
});

EM_JS(int32_t, ElementEnabled, (int32_t element), {
    const el = Module.tk.els[element];
    return !(el.classList.contains('tk-window') ? el.inert : (el.tkFocus || el).disabled);
});

EM_JS(void, SetElementEnabled, (int32_t element, int32_t enabled), {
    const el = Module.tk.els[element];
    if (el.classList.contains('tk-window')) {
        el.inert = !enabled;
    } else {
        (el.tkFocus || el).disabled = !enabled;
    }
});

EM_JS(int32_t, ElementShown, (int32_t element), {
    const el = Module.tk.els[element];
    return el && el.isConnected && !el.hidden ? 1 : 0;
});

EM_JS(int32_t, FocusedIn, (int32_t window), {
    const gadget = document.activeElement && document.activeElement.closest('[data-gadget]');
    return gadget && gadget.parentElement === Module.tk.els[window].tkClient ? gadget.tkHandle : 0;
});

// The box's call comes from the wait inside MessageBoxShow, once the box is up.
EM_JS(void, WatchForBox, (int32_t call, int32_t context), {
    const watcher = Module.tkBoxWatcher = new MutationObserver(() => {
        if (document.querySelector('dialog[open]')) {
            watcher.disconnect();
            Module.tk.callLater(call, context);
        }
    });
    watcher.observe(document.body, {subtree: true, childList: true, attributeFilter: ['open']});
});

EM_JS(void, StopWatchingForBox, (), {
    Module.tkBoxWatcher.disconnect();
});

// The harness answers with a screenshot of the area inside the element's
// border as a PNG in base64; the page decodes it.
EM_ASYNC_JS(int32_t, ShownRectangle, (int32_t element, int32_t** pixels), {
    const el = Module.tk.els[element];
    const box = el.getBoundingClientRect();
    const area = [box.x + el.clientLeft, box.y + el.clientTop, el.clientWidth, el.clientHeight];
    const png = await new Promise(answered => {
        self.harnessAnswer = answered;
        self.harnessInput(JSON.stringify({screenshot: area}));
    });
    const image = await createImageBitmap(await (await fetch('data:image/png;base64,' + png)).blob());
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const rgba = context.getImageData(0, 0, image.width, image.height).data;
    const count = image.width * image.height;
    const out = _malloc(4 * count);
    for (let i = 0; i < count; ++i) {
        HEAP32[(out >> 2) + i] = rgba[4 * i] | rgba[4 * i + 1] << 8 | rgba[4 * i + 2] << 16;
    }
    HEAP32[pixels >> 2] = out;
    return count;
});
// clang-format on

void Key(const char* key, const char* code, int32_t keyCode, bool alt, bool ctrl, bool shift) {
    const int32_t modifiers = (alt ? 1 : 0) | (ctrl ? 2 : 0) | (shift ? 8 : 0);
    const std::string request = std::string("{\"key\": \"") + key + "\", \"code\": \"" + code +
                                "\", \"keyCode\": " + std::to_string(keyCode) +
                                ", \"modifiers\": " + std::to_string(modifiers) + "}";
    AskHarness(request.c_str());
}

int32_t ElementOf(intptr_t handle) {
    return static_cast<int32_t>(handle);
}

struct BoxAnswer {
    TestStep probe;
    void* context;
};

void AnswerBox(void* data) {
    const auto* answer = static_cast<const BoxAnswer*>(data);
    if (answer->probe) {
        answer->probe(answer->context);
    }
    Key("Enter", "Enter", 13, false, false, false);
}

} // namespace

// Done once a call queued behind everything the page holds has run: the
// records before it have been read, and the events they raised with them.
EventTrace Settle(const EventCodes& kept) {
    EventTrace trace;
    bool idle = false;
    WebCallLater([](void* seen) { *static_cast<bool*>(seen) = true; }, &idle);
    for (const double end = emscripten_get_now() + SETTLE_MS; emscripten_get_now() < end;) {
        const int32_t event = EventWait();
        if (Keeps(kept, event)) {
            trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
        if (idle) {
            return trace;
        }
    }
    ADD_FAILURE() << "events kept coming; events so far: " << testing::PrintToString(trace);
    return trace;
}

void UserClick(intptr_t control) {
    char* request = ClickRequest(ElementOf(control));
    AskHarness(request);
    std::free(request);
}

// From the keyboard, as on Windows: Down on the closed list.
void UserSelectNext(intptr_t combo) {
    FocusElement(ElementOf(combo));
    Key("ArrowDown", "ArrowDown", 40, false, false, false);
}

// A press on the closed box opens its list; another closes it.
void UserShowList(intptr_t combo, bool) {
    UserClick(combo);
}

void UserFocus(intptr_t control) {
    UserClick(control);
}

void UserTab(intptr_t, bool shift, bool ctrl) {
    Key("Tab", "Tab", 9, false, ctrl, shift);
    Settle({});
}

// Alt+F4, the close request a window without a close box still gets.
void UserClose(intptr_t) {
    Key("F4", "F4", 115, true, false, false);
}

intptr_t FocusedGadget(intptr_t window) {
    return FocusedIn(ElementOf(window));
}

bool IsShown(intptr_t window) {
    return ElementShown(ElementOf(window)) != 0;
}

void SetEnabled(intptr_t handle, bool enabled) {
    SetElementEnabled(ElementOf(handle), enabled ? 1 : 0);
}

bool IsEnabled(intptr_t handle) {
    return ElementEnabled(ElementOf(handle)) != 0;
}

std::vector<int32_t> ShownPixels(intptr_t control) {
    int32_t* pixels = nullptr;
    const int32_t count = ShownRectangle(ElementOf(control), &pixels);
    std::vector<int32_t> shown(pixels, pixels + count);
    std::free(pixels);
    return shown;
}

void AnsweringBoxes(TestStep action, TestStep probe, void* context) {
    BoxAnswer answer = {probe, context};
    WatchForBox(static_cast<int32_t>(reinterpret_cast<intptr_t>(AnswerBox)),
                static_cast<int32_t>(reinterpret_cast<intptr_t>(&answer)));
    action(context);
    StopWatchingForBox();
}
