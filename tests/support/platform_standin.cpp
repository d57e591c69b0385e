// Every operation of toolkit/core/backend.h over the stand-in's records.
#include "tests/support/platform_standin.h"

#include "toolkit/gadgets.h"
#include "toolkit/messagebox.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

struct Window {
    bool visible;
    bool enabled;
};

struct Control {
    intptr_t parent;
    ObjectNumber number;
    std::string text;
};

unsigned failing; // a bit for each operation that fails
bool started;
int focusKeys;
std::vector<Window*> windows;
std::vector<Control*> controls;
intptr_t focused;
std::string trace;

bool Fails(PlatformOperation operation) {
    return failing >> static_cast<unsigned>(operation) & 1;
}

Control* ControlOf(intptr_t handle) {
    return reinterpret_cast<Control*>(handle);
}

void Forget(intptr_t control) {
    controls.erase(std::find(controls.begin(), controls.end(), ControlOf(control)));
    delete ControlOf(control);
}

const GadgetKindTable STAND_IN_KIND = [] {
    GadgetKindTable kind{};
    kind.code = KIND_LABEL;
    kind.free = [](GadgetRecord& record) { delete static_cast<int*>(record.extra); };
    return kind;
}();

} // namespace

PlatformFailure::PlatformFailure(PlatformOperation operation) : previous_(failing) {
    failing |= 1u << static_cast<unsigned>(operation);
}

PlatformFailure::~PlatformFailure() {
    failing = previous_;
}

StandIn StandInHolds() {
    return {started, static_cast<int>(windows.size()), focusKeys,
            static_cast<int>(controls.size())};
}

std::string StandInTrace() {
    std::string given;
    given.swap(trace);
    return given;
}

intptr_t StandInGadgetCreate(ObjectNumber number, const char* text) {
    controls.push_back(new Control{GadgetParent(), 0, text});
    const auto handle = reinterpret_cast<intptr_t>(controls.back());
    int* held = new int();
    const intptr_t result = GadgetAdd(
        number, GadgetRecord{handle, &STAND_IN_KIND, 0, COLOUR_DEFAULT, COLOUR_DEFAULT, 0, held});
    if (!result) {
        delete held;
    }
    return result;
}

bool PlatformStart() {
    started = !Fails(PlatformOperation::START);
    return started;
}

void PlatformCommonControlsStart() {}

void PlatformEnd() {
    started = false;
}

void PlatformWindowLibraryStart() {}

intptr_t PlatformWindowCreate(ObjectNumber, int32_t, int32_t, int32_t, int32_t, const char*,
                              uint32_t, const WindowStyle&) {
    if (Fails(PlatformOperation::WINDOW_CREATE)) {
        return 0;
    }
    windows.push_back(new Window{false, true});
    return reinterpret_cast<intptr_t>(windows.back());
}

void PlatformWindowShow(intptr_t window, bool) {
    reinterpret_cast<Window*>(window)->visible = true;
}

// Its controls go with it, each reporting its end as a backend's do.
void PlatformWindowDestroy(intptr_t window, ObjectNumber) {
    const std::vector<Control*> all = controls;
    for (Control* control : all) {
        if (control->parent == window) {
            PlatformGadgetDestroy(reinterpret_cast<intptr_t>(control));
        }
    }
    windows.erase(std::find(windows.begin(), windows.end(), reinterpret_cast<Window*>(window)));
    delete reinterpret_cast<Window*>(window);
}

intptr_t PlatformFocusKeysCreate() {
    if (Fails(PlatformOperation::FOCUS_KEYS_CREATE)) {
        return 0;
    }
    return ++focusKeys;
}

void PlatformFocusKeysDestroy(intptr_t) {
    --focusKeys;
}

uint32_t PlatformWaitOnce() {
    return 0;
}

std::vector<FocusEntry> PlatformFocusOrder(intptr_t window) {
    if (Fails(PlatformOperation::FOCUS_ORDER)) {
        throw std::bad_alloc();
    }
    std::vector<FocusEntry> order;
    for (Control* control : controls) {
        if (control->parent == window) {
            order.push_back({reinterpret_cast<intptr_t>(control), true});
        }
    }
    return order;
}

intptr_t PlatformFocusedControl(intptr_t window) {
    const auto found = std::find(controls.begin(), controls.end(), ControlOf(focused));
    return found != controls.end() && (*found)->parent == window ? focused : 0;
}

void PlatformFocusControl(intptr_t control) {
    focused = control;
}

void PlatformEachThreadWindow(WindowVisitor visit, void* context) {
    const std::vector<Window*> all = windows;
    for (Window* window : all) {
        visit(reinterpret_cast<intptr_t>(window), context);
    }
}

bool PlatformWindowUsable(intptr_t window) {
    return reinterpret_cast<Window*>(window)->visible && reinterpret_cast<Window*>(window)->enabled;
}

void PlatformWindowEnable(intptr_t window, bool enable) {
    reinterpret_cast<Window*>(window)->enabled = enable;
}

uint32_t PlatformThreadId() {
    return 1;
}

intptr_t PlatformBoxOwner() {
    return 0;
}

const bool PLATFORM_BOX_DISABLES_OWNER = false;

int32_t PlatformMessageBox(intptr_t, const char*, const char*, uint32_t) {
    trace += " box " + std::to_string(std::count_if(windows.begin(), windows.end(), [](Window* w) {
                 return PlatformWindowUsable(reinterpret_cast<intptr_t>(w));
             }));
    return MESSAGE_BOX_OK;
}

bool PlatformStartProgram(const char* commandLine) {
    trace += std::string(" program ") + commandLine;
    return !Fails(PlatformOperation::START_PROGRAM);
}

bool PlatformOpenDocument(const char* name) {
    trace += std::string(" document ") + name;
    return !Fails(PlatformOperation::OPEN_DOCUMENT);
}

void PlatformGadgetLibraryStart() {}

void PlatformGadgetAttach(GadgetRecord& record, ObjectNumber number) {
    ControlOf(record.handle)->number = number;
}

void PlatformGadgetDiscard(intptr_t control) {
    Forget(control);
}

void PlatformGadgetDestroy(intptr_t control) {
    GadgetDestroyed(ControlOf(control)->number, control);
    Forget(control);
}

std::string PlatformGadgetText(const GadgetRecord& record) {
    return ControlOf(record.handle)->text;
}

void PlatformGadgetSetText(GadgetRecord& record, const char* text) {
    ControlOf(record.handle)->text = text;
}

void PlatformGadgetRecolour(GadgetRecord&, int32_t) {}
