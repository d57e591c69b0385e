// The link over GTK: a GtkLabel in a GtkEventBox, black, in its hover colour
// while the pointer is over it, with a hand cursor; a left-button release
// over it reports a click.
#include "toolkit/gtk/backend_gtk.h"

namespace {

constexpr int32_t BLACK = 0;

const GadgetKindTable LINK_KIND = {KIND_LINK, nullptr,       KindFreeColours, nullptr,
                                   nullptr,   nullptr,       nullptr,         nullptr,
                                   nullptr,   KindSetColour, KindGetColour};

// The hover colour, while the pointer is over the link and its window
// takes input; above the link's own colours.
void StyleHover(GtkWidget* label, int32_t hoverColour) {
    if (hoverColour == COLOUR_DEFAULT) {
        return;
    }
    const std::string css = "label:hover:not(:disabled) { color: " + CssColour(hoverColour) + "; }";
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr)) {
        gtk_style_context_add_provider(gtk_widget_get_style_context(label),
                                       GTK_STYLE_PROVIDER(provider),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 2);
    }
    g_object_unref(provider);
}

gboolean OnCrossing(GtkWidget* box, GdkEventCrossing* crossing, gpointer) {
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(box));
    if (crossing->type == GDK_ENTER_NOTIFY) {
        gtk_widget_set_state_flags(label, GTK_STATE_FLAG_PRELIGHT, FALSE);
    } else {
        gtk_widget_unset_state_flags(label, GTK_STATE_FLAG_PRELIGHT);
    }
    return FALSE;
}

// A release over the link, as on Windows; not one after the pointer left it.
gboolean OnRelease(GtkWidget* box, GdkEventButton* button, gpointer) {
    const bool over = button->x >= 0 && button->y >= 0 &&
                      button->x < gtk_widget_get_allocated_width(box) &&
                      button->y < gtk_widget_get_allocated_height(box);
    if (button->button == GDK_BUTTON_PRIMARY && over) {
        ReportUserAction(box, SUBTYPE_CLICKED);
    }
    return TRUE;
}

void OnRealize(GtkWidget* box, gpointer) {
    GdkCursor* hand = gdk_cursor_new_from_name(gtk_widget_get_display(box), "pointer");
    gdk_window_set_cursor(gtk_widget_get_window(box), hand);
    if (hand) {
        g_object_unref(hand);
    }
}

} // namespace

intptr_t LinkCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* text, int32_t hoverColour) {
    GtkWidget* label = NewLabel(text);
    StyleHover(label, hoverColour);
    GtkWidget* box = gtk_event_box_new();
    gtk_container_add(GTK_CONTAINER(box), label);
    gtk_widget_add_events(box, GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK |
                                   GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
    g_signal_connect(box, "enter-notify-event", G_CALLBACK(OnCrossing), nullptr);
    g_signal_connect(box, "leave-notify-event", G_CALLBACK(OnCrossing), nullptr);
    g_signal_connect(box, "button-release-event", G_CALLBACK(OnRelease), nullptr);
    g_signal_connect(box, "realize", G_CALLBACK(OnRealize), nullptr);
    return GadgetPlace(number, x, y, width, height, LINK_KIND, box, label, BLACK);
}
