#pragma once
// A private connection to the session bus, found from the environment each time (libdbus's
// own lookup keeps the first address for the life of the process). Only an existing bus is
// used: libdbus would otherwise try to launch one for the display.
#include <dbus/dbus.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace vexmo {

inline std::string SessionBusAddress() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address)
        return address;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return {};
    const std::string socket = std::string(runtime) + "/bus";
    return access(socket.c_str(), F_OK) == 0 ? "unix:path=" + socket : std::string{};
}

inline bool SessionBusExists() {
    return !SessionBusAddress().empty();
}

// Null when there is no bus. The caller closes and unrefs the connection.
inline DBusConnection* OpenSessionBus() {
    const std::string address = SessionBusAddress();
    if (address.empty())
        return nullptr;
    dbus_threads_init_default();
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* bus = dbus_connection_open_private(address.c_str(), &error);
    if (bus && !dbus_bus_register(bus, &error)) {
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
        bus = nullptr;
    }
    dbus_error_free(&error);
    if (bus)
        dbus_connection_set_exit_on_disconnect(bus, FALSE);
    return bus;
}

} // namespace vexmo
