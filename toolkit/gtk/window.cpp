// Windows over GTK 3: a GtkWindow holding a GtkFixed of the client size, the
// wait as one GTK main loop iteration, GDK events turned into the core's
// events before GTK sees them (close requests, Tab), and the title bar hints.
#include "toolkit/gtk/backend_gtk.h"
#include "toolkit/windows.h"

#include <new>
#include <vector>

namespace {

constexpr ObjectNumber NO_WINDOW = -1;
constexpr char WINDOW_NUMBER_KEY[] = "toolkit-window-number";
// What a wait returns when the main loop ran something other than a window
// system event (a timer, the accessibility bus): what a Windows wait woken
// by a timer returns (WM_TIMER). A GDK event with a Windows counterpart
// comes out as that message's number, any other as WM_USER + its type.
constexpr uint32_t MESSAGE_OTHER_SOURCE = 0x0113;
constexpr uint32_t MESSAGE_GDK_EVENT_BASE = 0x0400;

struct MessageOfEvent {
    GdkEventType type;
    uint32_t message;
};

const MessageOfEvent messagesOfEvents[] = {
    {GDK_EXPOSE, 0x000F},        {GDK_KEY_PRESS, 0x0100},    {GDK_KEY_RELEASE, 0x0101},
    {GDK_MOTION_NOTIFY, 0x0200}, {GDK_BUTTON_PRESS, 0x0201}, {GDK_BUTTON_RELEASE, 0x0202},
    {GDK_2BUTTON_PRESS, 0x0203}, {GDK_SCROLL, 0x020A},       {GDK_ENTER_NOTIFY, 0x02A1},
    {GDK_LEAVE_NOTIFY, 0x02A3},
};

uint32_t lastMessage;

// The toolkit window an event is for, or nullptr.
GtkWidget* ToolkitWindowOf(const GdkEvent* event) {
    gpointer owner = nullptr;
    if (event->any.window) {
        gdk_window_get_user_data(event->any.window, &owner);
    }
    GtkWidget* top = owner ? gtk_widget_get_toplevel(GTK_WIDGET(owner)) : nullptr;
    return top && WindowNumberOf(top) != NO_WINDOW ? top : nullptr;
}

uint32_t MessageNumberOf(GdkEventType type) {
    for (const MessageOfEvent& pair : messagesOfEvents) {
        if (pair.type == type) {
            return pair.message;
        }
    }
    return MESSAGE_GDK_EVENT_BASE + static_cast<uint32_t>(type);
}

bool IsTabKey(guint key) {
    return key == GDK_KEY_Tab || key == GDK_KEY_ISO_Left_Tab || key == GDK_KEY_KP_Tab;
}

// Tab and Shift+Tab without other modifiers move the focus by creation
// order; with Ctrl or Alt they move nothing, as on Windows. A window made
// insensitive by a message box takes no keys.
bool TakeTabKey(GtkWidget* window, const GdkEventKey& key) {
    if (!IsTabKey(key.keyval) || !gtk_widget_is_sensitive(window)) {
        return false;
    }
    const guint modifiers = key.state & gtk_accelerator_get_default_mod_mask();
    if (modifiers == 0 || modifiers == GDK_SHIFT_MASK) {
        WindowFocusMove(reinterpret_cast<intptr_t>(window), modifiers == 0);
    }
    return true;
}

// A close request: the window manager's delete message, or Alt+F4, which
// the window manager would otherwise turn into one. It is queued even while
// a message box is up, when GTK would drop it, and the window stays until
// the program calls WindowClose.
bool TakeCloseRequest(GtkWidget* window, const GdkEvent* event) {
    const bool altF4 = event->type == GDK_KEY_PRESS && event->key.keyval == GDK_KEY_F4 &&
                       (event->key.state & gtk_accelerator_get_default_mod_mask()) == GDK_MOD1_MASK;
    if (event->type != GDK_DELETE && !altF4) {
        return false;
    }
    WindowEventSource(WindowNumberOf(window));
    WindowEventQueue(EVENT_CLOSE_WINDOW, WindowNumberOf(window));
    return true;
}

// Every GDK event passes here before GTK sees it.
void OnWindowSystemEvent(GdkEvent* event, gpointer) {
    lastMessage = MessageNumberOf(event->type);
    GtkWidget* window = ToolkitWindowOf(event);
    const bool taken = window && (TakeCloseRequest(window, event) ||
                                  (event->type == GDK_KEY_PRESS && TakeTabKey(window, event->key)));
    if (!taken) {
        gtk_main_do_event(event);
    }
}

// Runs before GTK moves the focus, which it still holds.
void OnSetFocus(GtkWindow* window, GtkWidget* next, gpointer) {
    ReportFocusMove(gtk_window_get_focus(window), next);
}

// Without a system menu the title bar offers no window menu, no close box
// and no minimise or maximise box, as on Windows.
void DeclareTitleBar(GtkWidget* window, uint32_t style) {
    const bool menu = style & WINDOW_STYLE_SYSTEM_MENU;
    const bool minimise = menu && (style & WINDOW_STYLE_MINIMIZE_BOX);
    const bool maximise = menu && (style & WINDOW_STYLE_MAXIMIZE_BOX);
    const int decorations = GDK_DECOR_BORDER | GDK_DECOR_TITLE | (menu ? GDK_DECOR_MENU : 0) |
                            (minimise ? GDK_DECOR_MINIMIZE : 0) |
                            (maximise ? GDK_DECOR_MAXIMIZE : 0);
    const int functions = GDK_FUNC_MOVE | (menu ? GDK_FUNC_CLOSE : 0) |
                          (minimise ? GDK_FUNC_MINIMIZE : 0) | (maximise ? GDK_FUNC_MAXIMIZE : 0);
    gtk_widget_realize(window);
    gdk_window_set_decorations(gtk_widget_get_window(window),
                               static_cast<GdkWMDecoration>(decorations));
    gdk_window_set_functions(gtk_widget_get_window(window), static_cast<GdkWMFunction>(functions));
}

// Centres by the same rule as on Windows, on the monitor's work area.
void PlaceWindow(GtkWidget* window, uint32_t flags, int32_t x, int32_t y, int32_t width,
                 int32_t height) {
    GdkRectangle area = {0, 0, width, height};
    GdkDisplay* display = gdk_display_get_default();
    if (GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr) {
        gdk_monitor_get_workarea(monitor, &area);
    }
    const WindowPlacement placement =
        WindowPlacementFor(flags, x, y, width, height, area.width, area.height, nullptr);
    if (placement.x != PLACEMENT_DEFAULT) {
        gtk_window_move(GTK_WINDOW(window), area.x + placement.x, area.y + placement.y);
    }
}

} // namespace

GtkFixed* WindowGadgetArea(GtkWidget* window) {
    GtkWidget* area =
        window && GTK_IS_WINDOW(window) ? gtk_bin_get_child(GTK_BIN(window)) : nullptr;
    return area && GTK_IS_FIXED(area) ? GTK_FIXED(area) : nullptr;
}

// Number + 1 is kept on the widget, so a missing value (0) names no window.
ObjectNumber WindowNumberOf(GtkWidget* widget) {
    GtkWidget* top = widget ? gtk_widget_get_toplevel(widget) : nullptr;
    const auto id = reinterpret_cast<intptr_t>(
        top ? g_object_get_data(G_OBJECT(top), WINDOW_NUMBER_KEY) : nullptr);
    return id ? static_cast<ObjectNumber>(id - 1) : NO_WINDOW;
}

void PlatformWindowLibraryStart() {
    gdk_event_handler_set(OnWindowSystemEvent, nullptr, nullptr);
}

intptr_t PlatformWindowCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width,
                              int32_t height, const char* title, uint32_t flags,
                              const WindowStyle& style) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), GtkText(title).c_str());
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_style_context_add_class(gtk_widget_get_style_context(window), "toolkit");
    GtkWidget* area = gtk_fixed_new();
    gtk_widget_set_size_request(area, width, height);
    gtk_container_add(GTK_CONTAINER(window), area);
    g_object_set_data(G_OBJECT(window), WINDOW_NUMBER_KEY,
                      reinterpret_cast<gpointer>(static_cast<intptr_t>(number) + 1));
    g_signal_connect(window, "set-focus", G_CALLBACK(OnSetFocus), nullptr);
    PlaceWindow(window, flags, x, y, width, height);
    DeclareTitleBar(window, style.style);
    gtk_widget_show(area);
    return reinterpret_cast<intptr_t>(window);
}

void PlatformWindowShow(intptr_t window, bool maximize) {
    if (maximize) {
        gtk_window_maximize(GTK_WINDOW(WidgetOf(window)));
    }
    gtk_widget_show(WidgetOf(window));
}

void PlatformWindowDestroy(intptr_t window, ObjectNumber) {
    g_object_set_data(G_OBJECT(WidgetOf(window)), WINDOW_NUMBER_KEY, nullptr);
    gtk_widget_destroy(WidgetOf(window));
}

// Tab is taken from the window system's events before GTK sees them.
intptr_t PlatformFocusKeysCreate() {
    return 0;
}

void PlatformFocusKeysDestroy(intptr_t) {}

uint32_t PlatformWaitOnce() {
    lastMessage = MESSAGE_OTHER_SOURCE;
    gtk_main_iteration_do(TRUE);
    return lastMessage;
}

// Creation order: the order the gadgets were put into the window's GtkFixed.
std::vector<FocusEntry> PlatformFocusOrder(intptr_t window) {
    std::vector<FocusEntry> controls;
    GtkFixed* area = WindowGadgetArea(WidgetOf(window));
    GList* children = area ? gtk_container_get_children(GTK_CONTAINER(area)) : nullptr;
    for (GList* item = children; item; item = item->next) {
        auto* control = GTK_WIDGET(item->data);
        const bool eligible = gtk_widget_is_sensitive(control) && gtk_widget_get_visible(control) &&
                              GadgetIsTabStop(control);
        try {
            controls.push_back({reinterpret_cast<intptr_t>(control), eligible});
        } catch (const std::bad_alloc&) {
            g_list_free(children);
            throw;
        }
    }
    g_list_free(children);
    return controls;
}

// The gadget (a child of the window's GtkFixed) that holds the focus.
intptr_t PlatformFocusedControl(intptr_t window) {
    GtkFixed* area = WindowGadgetArea(WidgetOf(window));
    GtkWidget* focus = area ? gtk_window_get_focus(GTK_WINDOW(WidgetOf(window))) : nullptr;
    while (focus && gtk_widget_get_parent(focus) != GTK_WIDGET(area)) {
        focus = gtk_widget_get_parent(focus);
    }
    return reinterpret_cast<intptr_t>(focus);
}

void PlatformFocusControl(intptr_t control) {
    gtk_widget_grab_focus(WidgetOf(control));
}
