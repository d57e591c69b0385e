// The runtime in a page: the state the toolkit's JavaScript shares (the
// elements by handle, the queue of DOM event records and the listeners to
// remove at the end), and the texts crossing between the program's
// Windows-1252 and the DOM.
#include "toolkit/core/code_page.h"
#include "toolkit/web/backend_web.h"

#include <cstdlib>

namespace {

// A restarted program finds the page as the first run found it: its
// listeners are gone with its end.
// clang-format off
EM_JS(void, StartPageState, (), {
    const tk = Module.tk = {els: [null], queue: [], wake: null, ends: []};
    tk.add = el => {
        el.tkHandle = tk.els.length;
        tk.els.push(el);
        return el.tkHandle;
    };
    tk.drop = handle => {
        const el = tk.els[handle];
        tk.els[handle] = null;
        if (el) {
            el.remove();
        }
    };
    tk.post = record => {
        tk.queue.push(record);
        const wake = tk.wake;
        tk.wake = null;
        if (wake) {
            wake();
        }
    };
    tk.listen = (target, type, handler, capture) => {
        target.addEventListener(type, handler, capture);
        tk.ends.push(() => target.removeEventListener(type, handler, capture));
    };
    tk.windowOf = el => {
        const client = el && el.closest('[data-window]');
        return client ? +client.dataset.window : -1;
    };
    tk.gadgetOf = el => el && el.closest && tk.windowOf(el) >= 0 ? el.closest('[data-gadget]') : null;
    tk.report = (el, message, subtype) =>
        tk.post([1, message, tk.windowOf(el), el.tkHandle, +el.dataset.gadget, subtype, 0]);
    tk.cString = text => {
        const size = lengthBytesUTF8(text) + 1;
        const copy = _malloc(size);
        stringToUTF8(text, copy, size);
        return copy;
    };
});

EM_JS(void, EndPageState, (), {
    Module.tk.ends.forEach(end => end());
    Module.tk.ends = [];
});
// clang-format on

} // namespace

bool PlatformStart() {
    StartPageState();
    return true;
}

// The page's controls need no registration of their own.
void PlatformCommonControlsStart() {}

void PlatformEnd() {
    EndPageState();
}

std::string PageText(const char* text) {
    return Utf8FromWindows1252(text ? text : "");
}

std::string ProgramText(char* pageText) {
    std::string text = Windows1252FromUtf8(pageText ? pageText : "");
    std::free(pageText);
    return text;
}
