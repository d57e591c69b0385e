// The link: black text with role "link", in its hover colour while the
// pointer is over it and its window takes input, never underlined; a
// left-button release over it reports a click. Like a Windows static
// control, it never takes the focus.
#include "toolkit/web/backend_web.h"

namespace {

constexpr int32_t BLACK = 0;

// clang-format off
EM_JS(int32_t, NewLink, (const char* text, const char* hover), {
    const tk = Module.tk;
    const link = document.createElement('span');
    link.className = 'tk-link';
    link.setAttribute('role', 'link');
    link.textContent = UTF8ToString(text);
    if (UTF8ToString(hover)) {
        link.style.setProperty('--tk-hover', UTF8ToString(hover));
    }
    link.addEventListener('mousedown', event => event.preventDefault());
    link.addEventListener('mouseup', event => {
        if (event.button === 0) {
            tk.report(link, 0x0202, 0);
        }
    });
    return tk.add(link);
});
// clang-format on

const GadgetKindTable LINK_KIND = KindTable(KIND_LINK).Colours();

} // namespace

intptr_t LinkCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* text, int32_t hoverColour) {
    const std::string hover =
        hoverColour == COLOUR_DEFAULT ? std::string() : CssColour(hoverColour);
    return GadgetPlace(number, x, y, width, height, LINK_KIND,
                       NewLink(PageText(text).c_str(), hover.c_str()), BLACK);
}
