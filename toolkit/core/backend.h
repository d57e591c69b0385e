// The boundary between the toolkit's core and a window system. The core owns
// the records, the registries, the number rules, the event state and the
// queue of posted gadget events, the order in which the libraries start and
// end, the message-box bookkeeping, and the rules that a window system's
// controls do not keep themselves (combo.h, the focus reports below). It
// calls the Platform operations, which each backend (toolkit/win32/,
// toolkit/gtk/, toolkit/web/) implements; the backends call back into the
// core through the operations at the end.
//
// What each backend raises, and how:
// - every backend: EVENT_CLOSE_WINDOW through WindowEventQueue when its
//   window system asks to close a window (Alt+F4 in a page); a gadget event for a button's or
//   check box's click (0), a link's click (0), a combo box's selection change
//   (1), its list opening (7) and closing (8) where the platform has them;
//   and the output box's and the combo box's focus reports;
// - Win32 raises them as the messages its controls send (WindowEventGadget
//   from the window procedure), and also the move, size, repaint and
//   activation events;
// - GTK and the web report through callbacks: GadgetReport for a user's
//   action and GadgetFocusMoved for focus, which post the event for a wait
//   of its own. They raise no move, size, repaint or activation events.
//
// Entries a backend may leave empty: a kind table's messageHook, free,
// getState, setState, getText, setText, addItem, addItemEx and colour
// entries fall back to the generic behaviour; PlatformFocusKeysCreate may
// answer 0 when Tab is taken before the window system sees it; a backend
// with nothing to set up leaves PlatformCommonControlsStart and PlatformEnd
// empty; PlatformStartProgram answers false where no program can be started.
#pragma once

#include "toolkit/core/focus_order.h"
#include "toolkit/core/window_placement.h"
#include "toolkit/registry.h"

#include <cstdint>
#include <string>
#include <vector>

struct GadgetKindTable;

// The first word of each kind's table.
enum GadgetKindCode : int32_t {
    KIND_BUTTON = 1,
    KIND_OUTPUT_BOX = 2,
    KIND_LABEL = 3,
    KIND_CHECK_BOX = 4,
    KIND_FRAME = 7,
    KIND_COMBO = 8,
    KIND_LINK = 10,
};

// One per live gadget, in the gadget registry.
struct GadgetRecord {
    intptr_t handle; // the platform control; 0 while the slot is free
    const GadgetKindTable* kind;
    // What the backend keeps besides: the control's previous handler (Win32),
    // the widget that holds the text and the state (GTK).
    intptr_t platform;
    int32_t background;
    int32_t textColour;
    // The background as the platform paints it: a shared brush (Win32), the
    // colours' style sheet (GTK); 0 while none is needed.
    intptr_t paint;
    void* extra;         // a per-kind record: the link's on Win32
    ObjectNumber number; // filled in by the core when the gadget is registered
};

// One per kind. Empty entries fall back to the generic behaviour.
struct GadgetKindTable {
    int32_t code;
    // Parent-window messages about the control (Win32 colour queries);
    // NOT_HANDLED when declined.
    intptr_t (*messageHook)(GadgetRecord& record, intptr_t parent, uint32_t message,
                            uintptr_t wParam, intptr_t lParam);
    void (*free)(GadgetRecord& record);
    int32_t (*getState)(GadgetRecord& record);
    void (*setState)(GadgetRecord& record, int32_t value);
    std::string (*getText)(GadgetRecord& record);
    void (*setText)(GadgetRecord& record, const char* text);
    void (*addItem)(GadgetRecord& record, int32_t position, const char* text, int32_t data);
    void (*addItemEx)(GadgetRecord& record, int32_t position, const char* text, int32_t data,
                      int32_t flags);
    void (*setColour)(GadgetRecord& record, int32_t which, int32_t colour);
    int32_t (*getColour)(GadgetRecord& record, int32_t which);
};

// Runtime.
bool PlatformStart();               // before any library
void PlatformCommonControlsStart(); // after every library
void PlatformEnd();                 // after every library has ended

// Windows. PlatformWindowCreate makes the window hidden and tied to its
// number, so that its handle and those of its controls lead back to it.
void PlatformWindowLibraryStart();
intptr_t PlatformWindowCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width,
                              int32_t height, const char* title, uint32_t flags,
                              const WindowStyle& style);
void PlatformWindowShow(intptr_t window, bool maximize);
void PlatformWindowDestroy(intptr_t window, ObjectNumber number);
// What moves the focus with Tab and Shift+Tab in one window; 0 for none.
intptr_t PlatformFocusKeysCreate();
void PlatformFocusKeysDestroy(intptr_t keys);
// One wait of the platform's loop: reads and dispatches one message and
// returns its number.
uint32_t PlatformWaitOnce();

// Keyboard focus among a window's controls, in creation order.
std::vector<FocusEntry> PlatformFocusOrder(intptr_t window);
intptr_t PlatformFocusedControl(intptr_t window); // 0 when none of the window's has it
void PlatformFocusControl(intptr_t control);

// Top-level windows of this thread, for the message-box bookkeeping.
using WindowVisitor = void (*)(intptr_t window, void* context);
void PlatformEachThreadWindow(WindowVisitor visit, void* context);
bool PlatformWindowUsable(intptr_t window); // visible and enabled
void PlatformWindowEnable(intptr_t window, bool enable);
uint32_t PlatformThreadId();
// The window that owns the next box, or 0; and whether the box disables its
// owner itself.
intptr_t PlatformBoxOwner();
extern const bool PLATFORM_BOX_DISABLES_OWNER;
int32_t PlatformMessageBox(intptr_t owner, const char* title, const char* text, uint32_t flags);

// Launch: both report success; neither waits.
bool PlatformStartProgram(const char* commandLine);
// The shell takes the name as it is; a desktop that wants an address asks
// DocumentAddress for one.
bool PlatformOpenDocument(const char* name);

// Gadgets.
void PlatformGadgetLibraryStart();
// Puts a registered control in its place: ties it to its number, gives it
// its font and shows it.
void PlatformGadgetAttach(GadgetRecord& record, ObjectNumber number);
void PlatformGadgetDiscard(intptr_t control); // made, but not to be registered
void PlatformGadgetDestroy(intptr_t control);
std::string PlatformGadgetText(const GadgetRecord& record);
void PlatformGadgetSetText(GadgetRecord& record, const char* text);
// A colour was stored; the platform takes up the new look.
void PlatformGadgetRecolour(GadgetRecord& record, int32_t which);

// What the core offers the backends.
std::string DocumentAddress(const std::string& name); // "www." names a web address
void WindowEventSource(ObjectNumber window);          // the window the current message is for
void WindowEventQueue(int32_t event, ObjectNumber window);
void WindowEventGadget(int32_t gadget, int32_t subtype);
// Tab (forward) or Shift+Tab in the window.
void WindowFocusMove(intptr_t window, bool forward);
intptr_t WindowFocusKeysOf(ObjectNumber number);

intptr_t GadgetParent(); // the window GadgetListBegin named, or 0
// Registers a control the backend made, under the number; its result is
// the create operation's. On failure the control is discarded.
intptr_t GadgetAdd(ObjectNumber number, const GadgetRecord& made);
// The live gadget under the number whose control this is, or nullptr. Valid
// only until the next gadget is created.
GadgetRecord* GadgetOfControl(ObjectNumber number, intptr_t control);
// The control is going away: its kind frees what it holds, the number is free.
void GadgetDestroyed(ObjectNumber number, intptr_t control);
// The colour entries of the kinds that have colours.
void KindSetColour(GadgetRecord& record, int32_t which, int32_t colour);
int32_t KindGetColour(GadgetRecord& record, int32_t which);
// "#rrggbb" of a 0x00BBGGRR colour, for window systems styled with CSS.
std::string CssColour(int32_t colour);

// For backends whose controls report through callbacks (GTK, the web): a
// gadget event for the gadget's window, queued and read by a wait of its
// own before the platform is asked again. Dropped for window -1 (closing).
void WindowPostGadgetEvent(ObjectNumber window, int32_t gadget, int32_t subtype);
// A user's action on a gadget, posted as above; changes the program makes
// through the toolkit's operations report nothing.
void GadgetReport(ObjectNumber window, ObjectNumber gadget, int32_t subtype);
// Whether Tab visits the kind's gadgets.
bool KindIsTabStop(const GadgetKindTable& kind);
// The keyboard focus moved from one gadget of a window to another (either
// may be nullptr, for no gadget); each reports it once, as its kind does.
void GadgetFocusMoved(ObjectNumber window, const GadgetRecord* from, const GadgetRecord* to);
