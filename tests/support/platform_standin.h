// A platform without a window system, for the core's own tests: it keeps
// plain records of its windows and controls, counts what it holds, and fails
// any one of its fallible operations on request.
#pragma once

#include "toolkit/core/backend.h"

#include <string>

enum class PlatformOperation {
    NONE,
    START,
    WINDOW_CREATE,
    FOCUS_KEYS_CREATE,
    FOCUS_ORDER, // throws std::bad_alloc
    START_PROGRAM,
    OPEN_DOCUMENT,
};

// The operation fails while this is in scope; several may fail at once.
class PlatformFailure {
  public:
    explicit PlatformFailure(PlatformOperation operation);
    ~PlatformFailure();
    PlatformFailure(const PlatformFailure&) = delete;
    PlatformFailure& operator=(const PlatformFailure&) = delete;

  private:
    unsigned previous_;
};

struct StandIn {
    bool started;
    int windows, focusKeys, controls;
};
StandIn StandInHolds();

// What the launch and message-box operations were given since the last call:
// " program <command line>", " document <name>", " box <usable windows>".
std::string StandInTrace();

// A control made in the GadgetListBegin window and registered with GadgetAdd,
// as a backend's create operation does; its kind frees a block it holds.
intptr_t StandInGadgetCreate(ObjectNumber number, const char* text);
