// What the toolkit's GTK modules share with each other; not for the program.
#pragma once

#include "toolkit/registry.h"

#include <gtk/gtk.h>

#include <string>

// The widget that gadgets of a window are placed in.
GtkFixed* WindowGadgetArea(GtkWidget* window);

// A gadget event from a signal: the wait that dispatches the signal reports
// it, or, when that wait already has one, a later wait.
void WindowPostGadgetEvent(GtkWidget* source, ObjectNumber gadget, int32_t subtype);

// Whether a gadget's widget is a tab stop.
bool GadgetIsTabStop(GtkWidget* gadget);
// The focus of a window moves between two widgets (either may be nullptr);
// the gadgets concerned report it.
void GadgetFocusMoved(GtkWidget* from, GtkWidget* to);

// UTF-8 for GTK from one of the program's Windows-1252 texts.
std::string GtkText(const char* text);
