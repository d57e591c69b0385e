// The process entry on Windows.
#include "mainwindow/commands.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunBrevolt();
}
