// The GTK counterpart of plain_controls.cpp: the main window's 31 controls
// made with plain GTK calls and the default theme, at the same positions in
// a fixed container. What the Linux program costs beyond this is its own.
#include <gtk/gtk.h>

namespace {

enum ControlKind { FRAME, BUTTON, LABEL, CHECK, COMBO, OUTPUT, LINK, SUNKEN_LABEL };

struct Control {
    ControlKind kind;
    const char* text;
    int x, y, width, height; // a combo box keeps the height its font gives it
    int entries;             // combo box entries, as many as the catalogue's tables hold
};

const Control controls[] = {
    {FRAME, "Primary Weapon", 5, 5, 240, 80, 0},
    {FRAME, "Secondary Weapon", 5, 95, 240, 80, 0},
    {FRAME, "Items", 5, 185, 240, 80, 0},
    {FRAME, "Armor", 5, 275, 120, 40, 0},
    {FRAME, "Key Press", 125, 275, 120, 40, 0},
    {BUTTON, "Quit", 5, 365, 80, 25, 0},
    {BUTTON, "Generate", 85, 365, 80, 25, 0},
    {BUTTON, "About", 165, 365, 80, 25, 0},
    {BUTTON, "Add", 45, 390, 80, 25, 0},
    {BUTTON, "Save Config", 125, 390, 80, 25, 0},
    {LABEL, "Choice 1:", 10, 25, 50, 15, 0},
    {LABEL, "Choice 2:", 10, 45, 50, 15, 0},
    {CHECK, "Primary Ammo", 10, 65, 85, 17, 0},
    {LABEL, "Choice 1:", 10, 115, 50, 15, 0},
    {LABEL, "Choice 2:", 10, 135, 50, 15, 0},
    {CHECK, "Secondary Ammo", 10, 155, 100, 17, 0},
    {CHECK, "Flashbang 1", 10, 200, 80, 17, 0},
    {CHECK, "Flashbang 2", 10, 220, 80, 17, 0},
    {CHECK, "HE Grenade", 10, 240, 80, 15, 0},
    {CHECK, "Smoke Grenade", 145, 200, 95, 17, 0},
    {CHECK, "Nightvision", 145, 220, 70, 17, 0},
    {CHECK, "Defusal Kit", 145, 240, 70, 17, 0},
    {COMBO, "", 60, 20, 100, -1, 19},
    {COMBO, "", 60, 40, 100, -1, 19},
    {COMBO, "", 60, 110, 100, -1, 7},
    {COMBO, "", 60, 130, 100, -1, 7},
    {COMBO, "", 10, 290, 100, -1, 3},
    {COMBO, "", 130, 290, 100, -1, 101},
    {OUTPUT, "Buy Script Output", 5, 315, 240, 40, 0},
    {LINK, "Oskerand", 90, 416, 70, 15, 0},
    {SUNKEN_LABEL, "Freeware: share it freely", 50, 432, 150, 15, 0},
};

GtkWidget* NewControl(const Control& c) {
    switch (c.kind) {
    case FRAME:
        return gtk_frame_new(c.text);
    case BUTTON:
        return gtk_button_new_with_label(c.text);
    case LABEL:
        return gtk_label_new(c.text);
    case CHECK:
        return gtk_check_button_new_with_label(c.text);
    case COMBO: {
        GtkWidget* combo = gtk_combo_box_text_new();
        for (int entry = 0; entry < c.entries; ++entry) {
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), "Entry");
        }
        gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0);
        return combo;
    }
    case OUTPUT: {
        GtkWidget* entry = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(entry), c.text);
        gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
        return entry;
    }
    case LINK: {
        // A label that takes clicks, as the Win32 static with SS_NOTIFY does.
        GtkWidget* box = gtk_event_box_new();
        gtk_container_add(GTK_CONTAINER(box), gtk_label_new(c.text));
        return box;
    }
    case SUNKEN_LABEL: {
        GtkWidget* frame = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
        gtk_container_add(GTK_CONTAINER(frame), gtk_label_new(c.text));
        return frame;
    }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Plain controls");
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    GtkWidget* area = gtk_fixed_new();
    gtk_widget_set_size_request(area, 250, 449);
    gtk_container_add(GTK_CONTAINER(window), area);
    for (const Control& c : controls) {
        GtkWidget* control = NewControl(c);
        gtk_widget_set_size_request(control, c.width, c.height);
        gtk_fixed_put(GTK_FIXED(area), control, c.x, c.y);
    }
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
