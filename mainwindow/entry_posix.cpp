// The process entry on Linux; the program takes no arguments.
#include "mainwindow/commands.h"

int main() {
    return RunBrevolt();
}
