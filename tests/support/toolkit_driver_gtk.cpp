#include "tests/support/toolkit_driver.h"

#include <gtk/gtk.h>

namespace {

// What a wait woken by a main loop source other than the window system returns.
constexpr int32_t WOKEN_BY_TIMER = 0x0113;
constexpr gint64 SETTLE_SECONDS = 10;
constexpr gint64 BOX_SECONDS = 20;

GtkWidget* WidgetOf(intptr_t handle) {
    return reinterpret_cast<GtkWidget*>(handle);
}

// An event as the display would hand it to the window system, once the
// window is laid out as the user would see it.
GdkEvent* NewEvent(GdkEventType type, GtkWidget* widget) {
    gtk_container_check_resize(GTK_CONTAINER(gtk_widget_get_toplevel(widget)));
    GdkEvent* event = gdk_event_new(type);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
    gdk_event_set_device(
        event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    return event;
}

// Into the window system's queue, which the next waits read.
void Queue(GdkEvent* event) {
    gdk_display_put_event(gdk_display_get_default(), event);
    gdk_event_free(event);
}

struct BoxAnswer {
    void (*probe)(void* context);
    void* context;
    gint64 end;
    bool done;
};

gboolean AnswerIfUp(gpointer data) {
    auto* answer = static_cast<BoxAnswer*>(data);
    GList* toplevels = gtk_window_list_toplevels();
    GtkWidget* box = nullptr;
    for (GList* item = toplevels; item; item = item->next) {
        if (GTK_IS_MESSAGE_DIALOG(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data))) {
            box = GTK_WIDGET(item->data);
        }
    }
    g_list_free(toplevels);
    if (box && answer->probe) {
        answer->probe(answer->context);
    }
    if (box) {
        gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    }
    answer->done = box || g_get_monotonic_time() > answer->end;
    return answer->done ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

} // namespace

// Done once the main loop had nothing left but its idle work and a wait
// found nothing but the timer that keeps the waits returning.
EventTrace Settle(const EventCodes& kept) {
    EventTrace trace;
    bool idle = false;
    const auto markIdle = [](gpointer seen) -> gboolean {
        *static_cast<bool*>(seen) = true;
        return G_SOURCE_REMOVE;
    };
    g_idle_add_full(G_PRIORITY_LOW, markIdle, &idle, nullptr);
    const guint timer = g_timeout_add(
        20, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    for (const gint64 end = g_get_monotonic_time() + SETTLE_SECONDS * G_USEC_PER_SEC;
         g_get_monotonic_time() < end;) {
        const int32_t event = EventWait();
        if (Keeps(kept, event)) {
            trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
        if (idle && event == WOKEN_BY_TIMER && !gtk_events_pending()) {
            g_source_remove(timer);
            return trace;
        }
    }
    g_source_remove(timer);
    ADD_FAILURE() << "events kept coming; events so far: " << testing::PrintToString(trace);
    return trace;
}

// The link reacts to the button's release, the others to a click.
void UserClick(intptr_t control) {
    GtkWidget* widget = WidgetOf(control);
    if (GTK_IS_BUTTON(widget)) {
        gtk_button_clicked(GTK_BUTTON(widget));
        return;
    }
    // To GTK at once, as the clicks on buttons are.
    GdkEvent* release = NewEvent(GDK_BUTTON_RELEASE, widget);
    release->button.button = GDK_BUTTON_PRIMARY;
    release->button.x = release->button.y = 1;
    gtk_main_do_event(release);
    gdk_event_free(release);
}

void UserSelectNext(intptr_t combo) {
    GtkComboBox* box = GTK_COMBO_BOX(WidgetOf(combo));
    gtk_combo_box_set_active(box, gtk_combo_box_get_active(box) + 1);
}

void UserShowList(intptr_t combo, bool shown) {
    GtkComboBox* box = GTK_COMBO_BOX(WidgetOf(combo));
    shown ? gtk_combo_box_popup(box) : gtk_combo_box_popdown(box);
}

void UserFocus(intptr_t control) {
    gtk_widget_grab_focus(WidgetOf(control));
}

void UserTab(intptr_t window, bool shift, bool ctrl) {
    GdkEvent* tab = NewEvent(GDK_KEY_PRESS, WidgetOf(window));
    tab->key.keyval = shift ? GDK_KEY_ISO_Left_Tab : GDK_KEY_Tab;
    tab->key.state = (shift ? GDK_SHIFT_MASK : 0) | (ctrl ? GDK_CONTROL_MASK : 0);
    Queue(tab);
    Settle({});
}

void UserClose(intptr_t window) {
    Queue(NewEvent(GDK_DELETE, WidgetOf(window)));
}

bool IsShown(intptr_t window) {
    return gtk_widget_get_visible(WidgetOf(window));
}

void SetEnabled(intptr_t handle, bool enabled) {
    gtk_widget_set_sensitive(WidgetOf(handle), enabled);
}

// The gadget is the child of the window's GtkFixed that holds the focus.
intptr_t FocusedGadget(intptr_t window) {
    GtkWidget* area = gtk_bin_get_child(GTK_BIN(WidgetOf(window)));
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(WidgetOf(window)));
    while (focus && gtk_widget_get_parent(focus) != area) {
        focus = gtk_widget_get_parent(focus);
    }
    return reinterpret_cast<intptr_t>(focus);
}

bool IsEnabled(intptr_t handle) {
    return gtk_widget_get_sensitive(WidgetOf(handle));
}

// From the X server: the top-level window holds the pixels of every widget
// in it, and places them by their allocations.
std::vector<int32_t> ShownPixels(intptr_t control) {
    GtkAllocation area;
    gtk_widget_get_allocation(WidgetOf(control), &area);
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(
        gtk_widget_get_window(gtk_widget_get_toplevel(WidgetOf(control))), area.x, area.y,
        area.width, area.height);
    std::vector<int32_t> pixels;
    for (int y = 0; shot && y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            const guchar* pixel = gdk_pixbuf_read_pixels(shot) +
                                  y * gdk_pixbuf_get_rowstride(shot) +
                                  x * gdk_pixbuf_get_n_channels(shot);
            pixels.push_back(pixel[0] | pixel[1] << 8 | pixel[2] << 16);
        }
    }
    g_clear_object(&shot);
    return pixels;
}

// A box runs its own main loop, which finds and answers it.
void AnsweringBoxes(TestStep action, TestStep probe, void* context) {
    BoxAnswer answer = {probe, context, g_get_monotonic_time() + BOX_SECONDS * G_USEC_PER_SEC,
                        false};
    const guint finder = g_timeout_add(10, AnswerIfUp, &answer);
    action(context);
    if (!answer.done) {
        g_source_remove(finder);
    }
}
