// The window library over GTK 3: numbered top-level windows, whose gadgets
// sit at fixed positions, and EventWait fed from the GTK main loop. The event
// queue and pending slot are the ones the Win32 build uses.
#include "toolkit/code_page.h"
#include "toolkit/event_stream.h"
#include "toolkit/files.h"
#include "toolkit/gadgets.h"
#include "toolkit/toolkit_gtk.h"
#include "toolkit/window_placement.h"
#include "toolkit/windows.h"

#include <deque>
#include <new>

namespace {

struct WindowRecord {
    GtkWidget* handle; // the GtkWindow, whose child is a GtkFixed of the client size
};

// A gadget event waiting to be read, as a Windows control's notification
// waits in the message queue.
struct PostedGadgetEvent {
    ObjectNumber window;
    int32_t gadget;
    int32_t subtype;
};

constexpr ObjectNumber NO_WINDOW = -1;
// The platform bit for a window menu, which carries the close box.
constexpr uint32_t WINDOW_MENU_STYLE = 0x00080000;
constexpr char WINDOW_NUMBER_KEY[] = "toolkit-window-number";
// WindowPlacementFor's answer for "where the window system puts it".
constexpr int32_t DEFAULT_POSITION = INT32_MIN;

ObjectRegistry<WindowRecord> windows;
EventState events;
// One main loop iteration may dispatch several sources, each raising an
// event; one slot would keep only the last. Each is read on a wait of its own.
std::deque<PostedGadgetEvent> postedGadgetEvents;
bool runtimeStarted;

// Number + 1 is kept on the widget, so a missing value (0) names no window.
ObjectNumber WindowNumberOf(GtkWidget* widget) {
    GtkWidget* top = widget ? gtk_widget_get_toplevel(widget) : nullptr;
    const auto id = reinterpret_cast<intptr_t>(
        top ? g_object_get_data(G_OBJECT(top), WINDOW_NUMBER_KEY) : nullptr);
    return id ? static_cast<ObjectNumber>(id - 1) : NO_WINDOW;
}

// The window stays until the program calls WindowClose.
gboolean OnDeleteEvent(GtkWidget* window, GdkEvent*, gpointer) {
    const ObjectNumber number = WindowNumberOf(window);
    events.window = number;
    if (number != NO_WINDOW) {
        EventQueueAppend(events.queue, EVENT_CLOSE_WINDOW, number);
    }
    return TRUE;
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
    if (placement.x != DEFAULT_POSITION) {
        gtk_window_move(GTK_WINDOW(window), area.x + placement.x, area.y + placement.y);
    }
}

// The window list shows the icon that the icon theme holds under the
// application id, which the program's desktop entry names too. An
// uninstalled program finds it in the icons folder its build stages beside it.
// Only the sizes a window list draws are loaded: by name, GTK would decode
// every size the theme has, up to 256 pixels, which costs start-up time and
// memory; docks and menus take the larger ones from the theme themselves.
void UseProgramIcon() {
    GtkIconTheme* theme = gtk_icon_theme_get_default();
    if (gchar* program = g_file_read_link("/proc/self/exe", nullptr)) {
        gchar* folder = g_path_get_dirname(program);
        gchar* icons = g_build_filename(folder, "icons", nullptr);
        gtk_icon_theme_append_search_path(theme, icons);
        g_free(icons);
        g_free(folder);
        g_free(program);
    }
    GList* sizes = nullptr;
    for (const int size : {16, 32, 48}) {
        if (GdkPixbuf* icon = gtk_icon_theme_load_icon(theme, TOOLKIT_APPLICATION_ID, size,
                                                       GTK_ICON_LOOKUP_FORCE_SIZE, nullptr)) {
            sizes = g_list_append(sizes, icon);
        }
    }
    gtk_window_set_default_icon_list(sizes);
    g_list_free_full(sizes, g_object_unref);
}

} // namespace

std::string GtkText(const char* text) {
    return Utf8FromWindows1252(text ? text : "");
}

GtkFixed* WindowGadgetArea(GtkWidget* window) {
    GtkWidget* area = GTK_IS_WINDOW(window) ? gtk_bin_get_child(GTK_BIN(window)) : nullptr;
    return area && GTK_IS_FIXED(area) ? GTK_FIXED(area) : nullptr;
}

void WindowPostGadgetEvent(GtkWidget* source, ObjectNumber gadget, int32_t subtype) {
    try {
        postedGadgetEvents.push_back({WindowNumberOf(source), gadget, subtype});
    } catch (const std::bad_alloc&) {
        // Lost, as a queued event is when memory is short.
    }
}

bool RuntimeStart() {
    if (runtimeStarted) {
        return true;
    }
    // Also the window class and the application id the desktop matches the
    // window to its desktop entry by.
    g_set_prgname(TOOLKIT_APPLICATION_ID);
    if (!gtk_init_check(nullptr, nullptr)) {
        return false;
    }
    UseProgramIcon();
    runtimeStarted = true;
    if (!FileLibraryInit() || !WindowLibraryInit() || !GadgetLibraryInit()) {
        RuntimeEnd();
        return false;
    }
    return true;
}

void RuntimeEnd() {
    WindowLibraryEnd();
    FileCloseAll();
    runtimeStarted = false;
}

bool WindowLibraryInit() {
    if (!windows.slots && !RegistryCreate(windows, 16, WindowClose)) {
        return false;
    }
    QueuedEvent dropped;
    while (EventQueueTake(events.queue, &dropped)) {
    }
    events = EventState{};
    postedGadgetEvents.clear();
    return true;
}

void WindowLibraryEnd() {
    RegistryEnumBegin(windows);
    ObjectNumber number = 0;
    while (RegistryEnumNext(windows, &number)) {
        WindowClose(number);
    }
}

intptr_t WindowOpen(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* title, uint32_t flags) {
    ObjectNumber claimed = number;
    WindowRecord* record = RegistryClaim(windows, number, &claimed);
    if (!record) {
        return 0;
    }
    const WindowStyle style = WindowStyleFor(flags);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), GtkText(title).c_str());
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_deletable(GTK_WINDOW(window), (style.style & WINDOW_MENU_STYLE) != 0);
    gtk_style_context_add_class(gtk_widget_get_style_context(window), "toolkit");
    GtkWidget* area = gtk_fixed_new();
    gtk_widget_set_size_request(area, width, height);
    gtk_container_add(GTK_CONTAINER(window), area);
    g_object_set_data(G_OBJECT(window), WINDOW_NUMBER_KEY,
                      reinterpret_cast<gpointer>(static_cast<intptr_t>(claimed) + 1));
    g_signal_connect(window, "delete-event", G_CALLBACK(OnDeleteEvent), nullptr);
    PlaceWindow(window, flags, x, y, width, height);
    *record = WindowRecord{window};
    gtk_widget_show(area);
    if (style.show) {
        if (style.maximize) {
            gtk_window_maximize(GTK_WINDOW(window));
        }
        gtk_widget_show(window);
    }
    return number == NUMBER_ANY ? claimed : reinterpret_cast<intptr_t>(window);
}

void WindowClose(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    if (!record) {
        return;
    }
    GtkWidget* window = record->handle;
    RegistryRelease(windows, number);
    g_object_set_data(G_OBJECT(window), WINDOW_NUMBER_KEY, nullptr);
    gtk_widget_destroy(window);
}

intptr_t WindowHandleOf(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    return record ? reinterpret_cast<intptr_t>(record->handle) : 0;
}

int32_t EventWait() {
    if (int32_t queued = EventStateBeginWait(events)) {
        return queued;
    }
    if (postedGadgetEvents.empty()) {
        gtk_main_iteration_do(TRUE);
    }
    if (!postedGadgetEvents.empty()) {
        const PostedGadgetEvent posted = postedGadgetEvents.front();
        postedGadgetEvents.pop_front();
        events.window = posted.window;
        EventStateRaiseGadget(events, posted.gadget, posted.subtype);
    }
    // GTK has no message numbers to pass through: 0 when nothing was raised.
    return EventStateEndWait(events, 0);
}

int32_t EventSourceGadget() {
    return events.gadget;
}

int32_t EventSubtype() {
    return events.subtype;
}

int32_t EventSourceWindow() {
    return events.window;
}
