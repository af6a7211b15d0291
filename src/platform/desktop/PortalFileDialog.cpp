#include "platform/desktop/PortalFileDialog.h"

#include <dbus/dbus.h>

#include <atomic>
#include <string>

#include "platform/desktop/SessionBus.h"

namespace vexmo {
namespace {

constexpr char kPortalName[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kChooserInterface[] = "org.freedesktop.portal.FileChooser";
constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
constexpr int kCallTimeoutMs = 5000;
constexpr int kWaitStepMs = 100;
constexpr dbus_uint32_t kResponseSuccess = 0;
constexpr dbus_uint32_t kGlobPattern = 0;

std::atomic<int> g_tokenCounter{0};

// Owns a private bus connection.
struct Connection {
    DBusConnection* bus = nullptr;
    ~Connection() {
        if (!bus)
            return;
        dbus_connection_close(bus);
        dbus_connection_unref(bus);
    }
};

void OpenEntry(DBusMessageIter* dict, DBusMessageIter* entry, DBusMessageIter* variant, const char* key,
               const char* signature) {
    dbus_message_iter_open_container(dict, DBUS_TYPE_DICT_ENTRY, nullptr, entry);
    dbus_message_iter_append_basic(entry, DBUS_TYPE_STRING, &key);
    dbus_message_iter_open_container(entry, DBUS_TYPE_VARIANT, signature, variant);
}

void CloseEntry(DBusMessageIter* dict, DBusMessageIter* entry, DBusMessageIter* variant) {
    dbus_message_iter_close_container(entry, variant);
    dbus_message_iter_close_container(dict, entry);
}

void AppendString(DBusMessageIter* dict, const char* key, const std::string& value) {
    DBusMessageIter entry, variant;
    OpenEntry(dict, &entry, &variant, key, "s");
    const char* text = value.c_str();
    dbus_message_iter_append_basic(&variant, DBUS_TYPE_STRING, &text);
    CloseEntry(dict, &entry, &variant);
}

// A path as the portal takes it: bytes with a closing NUL.
void AppendPathBytes(DBusMessageIter* dict, const char* key, const std::string& path) {
    DBusMessageIter entry, variant, bytes;
    OpenEntry(dict, &entry, &variant, key, "ay");
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "y", &bytes);
    const unsigned char* data = reinterpret_cast<const unsigned char*>(path.c_str());
    dbus_message_iter_append_fixed_array(&bytes, DBUS_TYPE_BYTE, &data, static_cast<int>(path.size() + 1));
    dbus_message_iter_close_container(&variant, &bytes);
    CloseEntry(dict, &entry, &variant);
}

// a(sa(us)): each filter's label and glob patterns.
void AppendFilters(DBusMessageIter* dict, const std::vector<FileFilter>& filters) {
    DBusMessageIter entry, variant, list;
    OpenEntry(dict, &entry, &variant, "filters", "a(sa(us))");
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "(sa(us))", &list);
    for (const FileFilter& f : filters) {
        DBusMessageIter filter, patterns;
        dbus_message_iter_open_container(&list, DBUS_TYPE_STRUCT, nullptr, &filter);
        const char* label = f.label.c_str();
        dbus_message_iter_append_basic(&filter, DBUS_TYPE_STRING, &label);
        dbus_message_iter_open_container(&filter, DBUS_TYPE_ARRAY, "(us)", &patterns);
        for (const std::string& p : f.patterns) {
            DBusMessageIter pattern;
            dbus_message_iter_open_container(&patterns, DBUS_TYPE_STRUCT, nullptr, &pattern);
            const char* glob = p.c_str();
            dbus_message_iter_append_basic(&pattern, DBUS_TYPE_UINT32, &kGlobPattern);
            dbus_message_iter_append_basic(&pattern, DBUS_TYPE_STRING, &glob);
            dbus_message_iter_close_container(&patterns, &pattern);
        }
        dbus_message_iter_close_container(&filter, &patterns);
        dbus_message_iter_close_container(&list, &filter);
    }
    dbus_message_iter_close_container(&variant, &list);
    CloseEntry(dict, &entry, &variant);
}

DBusMessage* BuildCall(const FileDialogRequest& request, const std::string& token) {
    DBusMessage* call = dbus_message_new_method_call(kPortalName, kPortalPath, kChooserInterface,
                                                     request.save ? "SaveFile" : "OpenFile");
    DBusMessageIter args, dict;
    dbus_message_iter_init_append(call, &args);
    const char* parent = "";
    const char* title = request.title.c_str();
    dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &parent);
    dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &title);
    dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &dict);
    AppendString(&dict, "handle_token", token);
    const std::vector<FileFilter> filters = ParseFileFilter(request.filter);
    if (!filters.empty())
        AppendFilters(&dict, filters);
    if (request.save && !request.initialName.empty())
        AppendString(&dict, "current_name", request.initialName);
    if (!request.initialFolder.empty())
        AppendPathBytes(&dict, "current_folder", request.initialFolder.string());
    dbus_message_iter_close_container(&args, &dict);
    return call;
}

// The Response signal's (u response, a{sv} results): the first of "uris".
FileDialogAnswer ReadResponse(DBusMessage* signal) {
    DBusMessageIter args;
    if (!dbus_message_iter_init(signal, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_UINT32) {
        return FileDialogAnswer::Unavailable();
    }
    dbus_uint32_t response = 0;
    dbus_message_iter_get_basic(&args, &response);
    if (response != kResponseSuccess)
        return FileDialogAnswer::Cancelled();
    if (!dbus_message_iter_next(&args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_ARRAY) {
        return FileDialogAnswer::Cancelled();
    }
    DBusMessageIter dict;
    for (dbus_message_iter_recurse(&args, &dict);
         dbus_message_iter_get_arg_type(&dict) == DBUS_TYPE_DICT_ENTRY; dbus_message_iter_next(&dict)) {
        DBusMessageIter entry, variant, uris;
        dbus_message_iter_recurse(&dict, &entry);
        const char* key = nullptr;
        dbus_message_iter_get_basic(&entry, &key);
        if (std::string(key) != "uris" || !dbus_message_iter_next(&entry))
            continue;
        dbus_message_iter_recurse(&entry, &variant);
        if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_ARRAY)
            continue;
        dbus_message_iter_recurse(&variant, &uris);
        if (dbus_message_iter_get_arg_type(&uris) != DBUS_TYPE_STRING)
            continue;
        const char* uri = nullptr;
        dbus_message_iter_get_basic(&uris, &uri);
        const std::string path = PathFromFileUri(uri);
        return path.empty() ? FileDialogAnswer::Cancelled() : FileDialogAnswer::Chosen(path);
    }
    return FileDialogAnswer::Cancelled();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string PathFromFileUri(const std::string& uri) {
    constexpr std::string_view kScheme = "file://";
    if (uri.rfind(kScheme, 0) != 0)
        return {};
    std::string rest = uri.substr(kScheme.size());
    if (rest.rfind("localhost/", 0) == 0)
        rest.erase(0, std::string_view("localhost").size());
    if (rest.empty() || rest.front() != '/')
        return {};
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            path.push_back(rest[i]);
            continue;
        }
        const int high = i + 2 < rest.size() ? HexValue(rest[i + 1]) : -1;
        const int low = i + 2 < rest.size() ? HexValue(rest[i + 2]) : -1;
        if (high < 0 || low < 0)
            return {};
        const char c = static_cast<char>(high * 16 + low);
        if (c == '\0')
            return {}; // a NUL would cut the path short
        path.push_back(c);
        i += 2;
    }
    return path;
}

FileDialogAnswer RunPortalFileDialog(const FileDialogRequest& request) {
    DBusError error;
    dbus_error_init(&error);
    Connection c;
    c.bus = OpenSessionBus();
    if (!c.bus || !dbus_bus_name_has_owner(c.bus, kPortalName, &error)) {
        dbus_error_free(&error);
        return FileDialogAnswer::Unavailable();
    }
    // Listen before asking: the answer may come at once.
    const std::string rule =
        std::string("type='signal',interface='") + kRequestInterface + "',member='Response'";
    dbus_bus_add_match(c.bus, rule.c_str(), &error);
    const std::string token = "vexmo" + std::to_string(++g_tokenCounter);
    DBusMessage* call = BuildCall(request, token);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(c.bus, call, kCallTimeoutMs, &error);
    dbus_message_unref(call);
    if (!reply) {
        dbus_error_free(&error);
        return FileDialogAnswer::Unavailable();
    }
    const char* handle = nullptr;
    dbus_message_get_args(reply, nullptr, DBUS_TYPE_OBJECT_PATH, &handle, DBUS_TYPE_INVALID);
    const std::string requestPath = handle ? handle : "";
    dbus_message_unref(reply);
    while (dbus_connection_read_write(c.bus, kWaitStepMs)) {
        while (DBusMessage* m = dbus_connection_pop_message(c.bus)) {
            const bool ours = dbus_message_is_signal(m, kRequestInterface, "Response") &&
                              dbus_message_get_path(m) && requestPath == dbus_message_get_path(m);
            if (ours) {
                FileDialogAnswer answer = ReadResponse(m);
                dbus_message_unref(m);
                return answer;
            }
            dbus_message_unref(m);
        }
    }
    return FileDialogAnswer::Unavailable(); // the bus went away
}

} // namespace vexmo
