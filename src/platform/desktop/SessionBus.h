#pragma once
// Whether a session bus is there to talk to. Only an existing one is used: libdbus would
// otherwise try to launch a bus for the display.
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace vexmo {

inline bool SessionBusExists() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && access((std::string(runtime) + "/bus").c_str(), F_OK) == 0;
}

} // namespace vexmo
