// Message boxes over GtkMessageDialog, modal to the active window.
#include "toolkit/messagebox.h"
#include "toolkit/gtk/backend_gtk.h"

namespace {

constexpr uint32_t ICON_FLAGS = 0xF0;

struct BoxKind {
    uint32_t iconFlags;
    GtkMessageType type;
};

const BoxKind boxKinds[] = {
    {MESSAGE_BOX_ERROR, GTK_MESSAGE_ERROR},
    {MESSAGE_BOX_QUESTION, GTK_MESSAGE_QUESTION},
    {MESSAGE_BOX_WARNING, GTK_MESSAGE_WARNING},
    {MESSAGE_BOX_INFORMATION, GTK_MESSAGE_INFO},
};

GtkMessageType MessageTypeFor(uint32_t flags) {
    for (const BoxKind& kind : boxKinds) {
        if ((flags & ICON_FLAGS) == kind.iconFlags) {
            return kind.type;
        }
    }
    return GTK_MESSAGE_OTHER;
}

// GTK breaks lines at LF alone; a CR would show as a glyph of its own.
std::string WithoutCarriageReturns(std::string text) {
    std::string lines;
    for (char c : text) {
        if (c != '\r') {
            lines += c;
        }
    }
    return lines;
}

} // namespace

// A modal dialog takes the input away from its owner but leaves it
// sensitive; the core disables every other window, the owner included.
const bool PLATFORM_BOX_DISABLES_OWNER = false;

void PlatformEachThreadWindow(WindowVisitor visit, void* context) {
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next) {
        if (gtk_window_get_window_type(GTK_WINDOW(item->data)) == GTK_WINDOW_TOPLEVEL) {
            visit(reinterpret_cast<intptr_t>(item->data), context);
        }
    }
    g_list_free(toplevels);
}

bool PlatformWindowUsable(intptr_t window) {
    return gtk_widget_get_visible(WidgetOf(window)) && gtk_widget_get_sensitive(WidgetOf(window));
}

// A disabled window is held until it is enabled again, as the program may
// close it while the box is up.
void PlatformWindowEnable(intptr_t window, bool enable) {
    if (!enable) {
        g_object_ref(WidgetOf(window));
    }
    gtk_widget_set_sensitive(WidgetOf(window), enable);
    if (enable) {
        g_object_unref(WidgetOf(window));
    }
}

// GTK runs on one thread.
uint32_t PlatformThreadId() {
    return 1;
}

// The active window, or else the first visible one.
intptr_t PlatformBoxOwner() {
    GtkWindow* owner = nullptr;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next) {
        auto* window = GTK_WINDOW(item->data);
        const bool candidate = gtk_window_get_window_type(window) == GTK_WINDOW_TOPLEVEL &&
                               gtk_widget_get_visible(GTK_WIDGET(window));
        if (candidate && (!owner || gtk_window_is_active(window))) {
            owner = window;
        }
    }
    g_list_free(toplevels);
    return reinterpret_cast<intptr_t>(owner);
}

// Always answers OK, as a Windows box with only an OK button does, whether
// it was pressed or the box was closed.
int32_t PlatformMessageBox(intptr_t owner, const char* title, const char* text, uint32_t flags) {
    GtkWidget* box = gtk_message_dialog_new(reinterpret_cast<GtkWindow*>(owner), GTK_DIALOG_MODAL,
                                            MessageTypeFor(flags), GTK_BUTTONS_OK, "%s",
                                            WithoutCarriageReturns(GtkText(text)).c_str());
    gtk_window_set_title(GTK_WINDOW(box), GtkText(title).c_str());
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    return MESSAGE_BOX_OK;
}
