// The event loop and the commands behind the buttons and the link.
#pragma once

#include "script/composer.h"
#include "script/script_list.h"

// What the commands work on; owned by the entry for the whole run.
struct ProgramState {
    ScriptList scripts;
    BindLineComposer composer;
};

// Runs one command per button press or link click; returns after Quit or a
// close request for window 0.
void RunMainLoop(ProgramState& state);

// The whole run, from the runtime's start to its end: the process's exit
// code, 0 after Quit or a close request.
int RunBrevolt();
