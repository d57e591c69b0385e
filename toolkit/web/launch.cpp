// Launch in a page: no program can be started; a web address opens in a
// new tab, apart from the page.
#include "toolkit/web/backend_web.h"

namespace {

// Only an address can open: a page has no documents of its own to show. A
// blocked pop-up gives no window.
// clang-format off
EM_JS(int32_t, OpenInNewTab, (const char* address), {
    let url;
    try {
        url = new URL(UTF8ToString(address));
    } catch (notAnAddress) {
        return 0;
    }
    const opened = window.open(url.href, '_blank');
    if (!opened) {
        return 0;
    }
    opened.opener = null;
    return 1;
});
// clang-format on

} // namespace

bool PlatformStartProgram(const char*) {
    return false;
}

bool PlatformOpenDocument(const char* name) {
    return OpenInNewTab(DocumentAddress(PageText(name)).c_str()) != 0;
}
