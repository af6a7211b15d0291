// The tray icon as a StatusNotifierItem on the session bus (KDE, GNOME with the AppIndicator
// extension, and other hosts that run a StatusNotifierWatcher). The host draws the icon from
// our pixels and tells us of clicks: Activate becomes the left double click, ContextMenu the
// right click. Used instead of XEmbed when a watcher answers, so no host shows it twice.
#include <dbus/dbus.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "platform/core/Messages.h"
#include "platform/core/WindowSystem.h"
#include "platform/desktop/SessionBus.h"
#include "platform/desktop/TrayIcon.h"

namespace vexmo {
namespace {

constexpr char kWatcherName[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
constexpr char kItemInterface[] = "org.kde.StatusNotifierItem";
constexpr char kItemPath[] = "/StatusNotifierItem";
constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr int kCallTimeoutMs = 1000;
constexpr int kDispatchTimeoutMs = 50;

std::atomic<int> g_itemCounter{0};

void AppendVariantString(DBusMessageIter* iter, const char* signature, int type, const void* value) {
    DBusMessageIter variant;
    dbus_message_iter_open_container(iter, DBUS_TYPE_VARIANT, signature, &variant);
    dbus_message_iter_append_basic(&variant, type, value);
    dbus_message_iter_close_container(iter, &variant);
}

// a(iiay): the icon as ARGB32 in network byte order.
void AppendPixmaps(DBusMessageIter* iter, const Image& icon) {
    DBusMessageIter array;
    dbus_message_iter_open_container(iter, DBUS_TYPE_ARRAY, "(iiay)", &array);
    if (!icon.IsEmpty()) {
        DBusMessageIter entry, bytes;
        dbus_message_iter_open_container(&array, DBUS_TYPE_STRUCT, nullptr, &entry);
        const dbus_int32_t width = icon.Width();
        const dbus_int32_t height = icon.Height();
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_INT32, &width);
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_INT32, &height);
        std::vector<unsigned char> data;
        data.reserve(icon.Pixels().size() * 4);
        for (const uint32_t p : icon.Pixels()) {
            for (int shift = 24; shift >= 0; shift -= 8)
                data.push_back(static_cast<unsigned char>(p >> shift));
        }
        const unsigned char* start = data.data();
        dbus_message_iter_open_container(&entry, DBUS_TYPE_ARRAY, "y", &bytes);
        dbus_message_iter_append_fixed_array(&bytes, DBUS_TYPE_BYTE, &start, static_cast<int>(data.size()));
        dbus_message_iter_close_container(&entry, &bytes);
        dbus_message_iter_close_container(&array, &entry);
    }
    dbus_message_iter_close_container(iter, &array);
}

class StatusNotifierSource final : public TrayIconSource {
public:
    ~StatusNotifierSource() override { Delete(); }

    bool Add(const TrayIconData& data) override {
        Delete();
        connection_ = OpenSessionBus();
        if (!connection_)
            return false;
        DBusError error;
        dbus_error_init(&error);
        data_ = data;
        if (!dbus_bus_name_has_owner(connection_, kWatcherName, &error) || !Publish()) {
            dbus_error_free(&error);
            Close();
            return false;
        }
        thread_ = std::thread([this] { Run(); });
        return true;
    }

    bool Modify(const TrayIconData& data) override {
        if (!connection_)
            return false;
        {
            std::lock_guard lock(mutex_);
            data_ = data;
        }
        for (const char* signal : {"NewIcon", "NewToolTip", "NewTitle"}) {
            DBusMessage* m = dbus_message_new_signal(kItemPath, kItemInterface, signal);
            dbus_connection_send(connection_, m, nullptr);
            dbus_message_unref(m);
        }
        dbus_connection_flush(connection_);
        return true;
    }

    void Delete() override {
        if (thread_.joinable()) {
            stop_ = true;
            thread_.join();
        }
        Close();
        stop_ = false;
    }

    bool IsDocked() const override { return connection_ != nullptr; }

    const std::string& ServiceName() const { return serviceName_; }

private:
    bool Publish() {
        serviceName_ =
            "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++g_itemCounter);
        DBusError error;
        dbus_error_init(&error);
        if (dbus_bus_request_name(connection_, serviceName_.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE, &error) !=
            DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER) {
            dbus_error_free(&error);
            return false;
        }
        static const DBusObjectPathVTable table = {
            nullptr, &StatusNotifierSource::Dispatch, nullptr, nullptr, nullptr, nullptr};
        if (!dbus_connection_register_object_path(connection_, kItemPath, &table, this))
            return false;
        DBusMessage* call = dbus_message_new_method_call(kWatcherName, kWatcherPath, kWatcherName,
                                                         "RegisterStatusNotifierItem");
        const char* name = serviceName_.c_str();
        dbus_message_append_args(call, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
        // The reply needs our object answering meanwhile only for hosts that query at once;
        // libdbus dispatches our handler while it waits.
        DBusMessage* reply =
            dbus_connection_send_with_reply_and_block(connection_, call, kCallTimeoutMs, &error);
        dbus_message_unref(call);
        if (!reply) {
            dbus_error_free(&error);
            return false;
        }
        dbus_message_unref(reply);
        return true;
    }

    void Run() {
        while (!stop_) {
            if (!dbus_connection_read_write_dispatch(connection_, kDispatchTimeoutMs))
                return; // bus gone
        }
    }

    void Close() {
        if (!connection_)
            return;
        dbus_connection_close(connection_);
        dbus_connection_unref(connection_);
        connection_ = nullptr;
    }

    static DBusHandlerResult Dispatch(DBusConnection* connection, DBusMessage* message, void* self) {
        return static_cast<StatusNotifierSource*>(self)->Handle(connection, message);
    }

    DBusHandlerResult Handle(DBusConnection* connection, DBusMessage* message) {
        if (dbus_message_is_method_call(message, kItemInterface, "Activate")) {
            Post({WM_LBUTTONDBLCLK, WM_LBUTTONUP});
        } else if (dbus_message_is_method_call(message, kItemInterface, "ContextMenu")) {
            Post({WM_RBUTTONDOWN, WM_RBUTTONUP});
        } else if (dbus_message_is_method_call(message, kItemInterface, "SecondaryActivate") ||
                   dbus_message_is_method_call(message, kItemInterface, "Scroll")) {
            // Nothing of ours answers the middle button or the wheel.
        } else if (dbus_message_is_method_call(message, kPropertiesInterface, "Get")) {
            return ReplyProperty(connection, message);
        } else if (dbus_message_is_method_call(message, kPropertiesInterface, "GetAll")) {
            return ReplyAll(connection, message);
        } else {
            return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        Reply(connection, dbus_message_new_method_return(message));
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    void Post(std::initializer_list<uint32_t> messages) {
        std::lock_guard lock(mutex_);
        for (const uint32_t m : messages)
            PostMessage(data_.window, data_.callbackMessage, data_.id, m);
    }

    static void Reply(DBusConnection* connection, DBusMessage* reply) {
        dbus_connection_send(connection, reply, nullptr);
        dbus_message_unref(reply);
    }

    // Appends the value of `name`; false for a property we do not have.
    bool AppendProperty(DBusMessageIter* iter, const std::string& name) {
        std::lock_guard lock(mutex_);
        const char* category = "Hardware";
        const char* id = "vexmo";
        const char* status = "Active";
        const char* title = data_.tip.c_str();
        const dbus_bool_t isMenu = FALSE;
        if (name == "Category")
            AppendVariantString(iter, "s", DBUS_TYPE_STRING, &category);
        else if (name == "Id")
            AppendVariantString(iter, "s", DBUS_TYPE_STRING, &id);
        else if (name == "Title")
            AppendVariantString(iter, "s", DBUS_TYPE_STRING, &title);
        else if (name == "Status")
            AppendVariantString(iter, "s", DBUS_TYPE_STRING, &status);
        else if (name == "ItemIsMenu")
            AppendVariantString(iter, "b", DBUS_TYPE_BOOLEAN, &isMenu);
        else if (name == "IconPixmap")
            AppendIcon(iter);
        else if (name == "ToolTip")
            AppendToolTip(iter);
        else
            return false;
        return true;
    }

    void AppendIcon(DBusMessageIter* iter) {
        DBusMessageIter variant;
        dbus_message_iter_open_container(iter, DBUS_TYPE_VARIANT, "a(iiay)", &variant);
        AppendPixmaps(&variant, data_.icon);
        dbus_message_iter_close_container(iter, &variant);
    }

    // (sa(iiay)ss): icon name, icon pixmaps, title, text.
    void AppendToolTip(DBusMessageIter* iter) {
        DBusMessageIter variant, tip;
        dbus_message_iter_open_container(iter, DBUS_TYPE_VARIANT, "(sa(iiay)ss)", &variant);
        dbus_message_iter_open_container(&variant, DBUS_TYPE_STRUCT, nullptr, &tip);
        const char* empty = "";
        const char* title = data_.tip.c_str();
        dbus_message_iter_append_basic(&tip, DBUS_TYPE_STRING, &empty);
        AppendPixmaps(&tip, Image());
        dbus_message_iter_append_basic(&tip, DBUS_TYPE_STRING, &title);
        dbus_message_iter_append_basic(&tip, DBUS_TYPE_STRING, &empty);
        dbus_message_iter_close_container(&variant, &tip);
        dbus_message_iter_close_container(iter, &variant);
    }

    DBusHandlerResult ReplyProperty(DBusConnection* connection, DBusMessage* message) {
        const char* interface = nullptr;
        const char* name = nullptr;
        if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name,
                                   DBUS_TYPE_INVALID)) {
            Reply(connection, dbus_message_new_error(message, DBUS_ERROR_INVALID_ARGS, "expected (ss)"));
            return DBUS_HANDLER_RESULT_HANDLED;
        }
        DBusMessage* reply = dbus_message_new_method_return(message);
        DBusMessageIter iter;
        dbus_message_iter_init_append(reply, &iter);
        if (!AppendProperty(&iter, name)) {
            dbus_message_unref(reply);
            reply = dbus_message_new_error(message, DBUS_ERROR_UNKNOWN_PROPERTY, name);
        }
        Reply(connection, reply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    DBusHandlerResult ReplyAll(DBusConnection* connection, DBusMessage* message) {
        DBusMessage* reply = dbus_message_new_method_return(message);
        DBusMessageIter iter, dict;
        dbus_message_iter_init_append(reply, &iter);
        dbus_message_iter_open_container(&iter, DBUS_TYPE_ARRAY, "{sv}", &dict);
        for (const char* name :
             {"Category", "Id", "Title", "Status", "ItemIsMenu", "IconPixmap", "ToolTip"}) {
            DBusMessageIter entry;
            dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
            dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &name);
            AppendProperty(&entry, name);
            dbus_message_iter_close_container(&dict, &entry);
        }
        dbus_message_iter_close_container(&iter, &dict);
        Reply(connection, reply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    DBusConnection* connection_ = nullptr;
    std::string serviceName_;
    std::mutex mutex_;
    TrayIconData data_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace

std::unique_ptr<TrayIconSource> CreateStatusNotifierTrayIconSource() {
    return std::make_unique<StatusNotifierSource>();
}

} // namespace vexmo
