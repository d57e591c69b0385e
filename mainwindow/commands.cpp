#include "mainwindow/commands.h"

#include "mainwindow/main_window.h"
#include "script/config_files.h"
#include "toolkit/files.h"
#include "toolkit/gadgets.h"
#include "toolkit/launch.h"
#include "toolkit/messagebox.h"
#include "toolkit/windows.h"

#include <string>

namespace {

constexpr const char* AUTHOR_WEB_HOST = "www.oskerand.example";
constexpr const char* ABOUT_TITLE = "About Men\xFC";
constexpr const char* ABOUT_TEXT = "Brevolt (c) 2007 by Oskerand\r\n"
                                   "\r\n"
                                   "----------------------------------------\r\n"
                                   "E-mail: oskerand@oskerand.example\r\n"
                                   "Home page: www.oskerand.example\r\n"
                                   "Brevolt page: www.brevolt.example\r\n"
                                   "----------------------------------------";
// Without its window the program could only wait for events that never come.
constexpr int EXIT_NO_WINDOW = 1;

void ShowFileError(const char* problem, const char* fileName) {
    const std::string text = std::string(problem) + " \"" + fileName + "\"!";
    MessageBoxShow("Error", text.c_str(), 0);
}

void WriteAutoexec(ObjectNumber file, ScriptList&) {
    WriteAutoexecLines(file);
}

// A file that cannot be created or fully written is reported and left
// behind; the caller goes on with the next file either way.
void SaveConfigFile(ObjectNumber file, const char* fileName,
                    void (*writeLines)(ObjectNumber, ScriptList&), ScriptList& scripts) {
    if (FileCreate(file, fileName) == 0) {
        ShowFileError("Can't create", fileName);
        return;
    }
    writeLines(file, scripts);
    if (FileClose(file) == 0) {
        ShowFileError("Can't write", fileName);
    }
}

// Shows the bind line for the current picks, or the error line.
void OnGenerate(ProgramState& state) {
    SelectionReadings readings;
    readings.key = GadgetGetText(GADGET_KEY);
    readings.primary1 = GadgetGetText(GADGET_PRIMARY1);
    readings.primary2 = GadgetGetText(GADGET_PRIMARY2);
    readings.primaryAmmo = GadgetGetState(GADGET_PRIMARY_AMMO);
    readings.secondary1 = GadgetGetText(GADGET_SECONDARY1);
    readings.secondary2 = GadgetGetText(GADGET_SECONDARY2);
    readings.secondaryAmmo = GadgetGetState(GADGET_SECONDARY_AMMO);
    readings.flashbang1 = GadgetGetState(GADGET_FLASHBANG1);
    readings.flashbang2 = GadgetGetState(GADGET_FLASHBANG2);
    readings.heGrenade = GadgetGetState(GADGET_HE_GRENADE);
    readings.smokeGrenade = GadgetGetState(GADGET_SMOKE_GRENADE);
    readings.nightvision = GadgetGetState(GADGET_NIGHTVISION);
    readings.defusalKit = GadgetGetState(GADGET_DEFUSAL_KIT);
    readings.armour = GadgetGetText(GADGET_ARMOUR);
    GadgetSetText(GADGET_OUTPUT, Compose(state.composer, readings).c_str());
}

// Keeps whatever the output box shows, even its first text or the error line.
void OnAdd(ProgramState& state) {
    const std::string text = GadgetGetText(GADGET_OUTPUT);
    if (!text.empty()) {
        ScriptListAdd(state.scripts, text);
    }
}

// Writes both files from scratch into the current directory.
void OnSaveConfig(ProgramState& state) {
    SaveConfigFile(0, AUTOEXEC_FILE_NAME, WriteAutoexec, state.scripts);
    SaveConfigFile(1, BUYSCRIPT_FILE_NAME, WriteBuyscriptLines, state.scripts);
}

// Blocks the main window until the box is dismissed.
void OnAbout(ProgramState&) {
    MessageBoxShow(ABOUT_TITLE, ABOUT_TEXT, MESSAGE_BOX_INFORMATION);
}

// The shell picks the browser; a failure to open the page is not reported.
void OnLink(ProgramState&) {
    DocumentOpen(AUTHOR_WEB_HOST);
}

using CommandHandler = void (*)(ProgramState&);

struct CommandRoute {
    ObjectNumber gadget;
    CommandHandler handler;
};

// Quit is not here: it ends the loop instead of running a command. Every
// other gadget's reports are ignored.
const CommandRoute commandRoutes[] = {
    {GADGET_GENERATE, OnGenerate},      {GADGET_ABOUT, OnAbout}, {GADGET_ADD, OnAdd},
    {GADGET_SAVE_CONFIG, OnSaveConfig}, {GADGET_LINK, OnLink},
};

void RouteCommand(ProgramState& state, ObjectNumber gadget) {
    for (const CommandRoute& route : commandRoutes) {
        if (route.gadget == gadget) {
            route.handler(state);
            return;
        }
    }
}

} // namespace

void RunMainLoop(ProgramState& state) {
    for (;;) {
        const int32_t event = EventWait();
        if (event == EVENT_GADGET) {
            const ObjectNumber gadget = EventSourceGadget();
            if (gadget == GADGET_QUIT) {
                return;
            }
            RouteCommand(state, gadget);
        } else if (event == EVENT_CLOSE_WINDOW && EventSourceWindow() == MAIN_WINDOW) {
            WindowClose(MAIN_WINDOW);
            return;
        }
    }
}

int RunBrevolt() {
    if (!RuntimeStart()) {
        return EXIT_NO_WINDOW;
    }
    ProgramState state;
    int exitCode = EXIT_NO_WINDOW;
    if (BuildMainWindow()) {
        RunMainLoop(state);
        exitCode = 0;
    }
    // Closes every window, flushes and closes every file.
    RuntimeEnd();
    return exitCode;
}
