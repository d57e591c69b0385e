// What the toolkit's GTK modules share with each other; not for the program.
#pragma once

#include "toolkit/core/backend.h"
#include "toolkit/gadgets.h"

#include <gtk/gtk.h>

#include <string>

inline GtkWidget* WidgetOf(intptr_t handle) {
    return reinterpret_cast<GtkWidget*>(handle);
}

// The widget that holds a gadget's text and state, inside its handle.
inline GtkWidget* ContentOf(const GadgetRecord& record) {
    return WidgetOf(record.platform);
}

// The widget that gadgets of a window are placed in.
GtkFixed* WindowGadgetArea(GtkWidget* window);
// The number of the toolkit window a widget is in; -1 for none, or one
// that is closing.
ObjectNumber WindowNumberOf(GtkWidget* widget);

// Places a new gadget's widget in the creation parent and registers it;
// returns what the create operation returns. A widget that cannot be placed
// or registered is dropped.
intptr_t GadgetPlace(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const GadgetKindTable& kind, GtkWidget* widget, GtkWidget* content,
                     int32_t textColour = COLOUR_DEFAULT);

// Reports a user's action on the gadget the widget belongs to.
void ReportUserAction(GtkWidget* widget, int32_t subtype);

// Whether a gadget's widget is a tab stop.
bool GadgetIsTabStop(GtkWidget* gadget);
// The focus of a window moves between two widgets (either may be nullptr);
// the gadgets they belong to report it.
void ReportFocusMove(GtkWidget* from, GtkWidget* to);

// A label whose text starts at its top left corner, as on Windows.
GtkWidget* NewLabel(const char* text);

// KindFree of the kinds with colours.
void KindFreeColours(GadgetRecord& record);

// UTF-8 for GTK from one of the program's Windows-1252 texts, and back.
std::string GtkText(const char* text);
std::string ProgramText(const char* utf8);
