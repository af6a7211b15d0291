// The StatusNotifierItem tray icon on a private session bus with a stand-in watcher: it
// registers, answers the host's property reads (title, icon pixels) and turns Activate and
// ContextMenu into the double click and the right click at the owner window.
#include <dbus/dbus.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "platform/HeadlessFixture.h"
#include "platform/desktop/TrayIcon.h"
#include "platform/linux/ChildProcess.h"

namespace vexmo {
namespace {

constexpr uint32_t kCallback = 1056;
constexpr uint32_t kIconId = 128;

// A dbus-daemon of the test's own, and a watcher on it that records registrations.
class StatusNotifierTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (FindProgram("dbus-daemon").empty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        const auto out =
            RunAndCapture({"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"});
        ASSERT_TRUE(out && out->exitCode == 0);
        const std::string& text = out->stdoutText;
        const size_t line = text.find('\n');
        address = text.substr(0, line);
        daemonPid = std::stoi(text.substr(line + 1));
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        DBusError error;
        dbus_error_init(&error);
        watcher = dbus_connection_open_private(address.c_str(), &error);
        ASSERT_NE(watcher, nullptr) << error.message;
        ASSERT_TRUE(dbus_bus_register(watcher, &error));
        ASSERT_EQ(dbus_bus_request_name(watcher, "org.kde.StatusNotifierWatcher", 0, &error),
                  DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER);
        static const DBusObjectPathVTable table = {
            nullptr, &StatusNotifierTest::OnWatcherCall, nullptr, nullptr, nullptr, nullptr};
        dbus_connection_register_object_path(watcher, "/StatusNotifierWatcher", &table, this);
        ASSERT_TRUE(owner.Open({0, 0, 100, 100}));
    }
    void TearDown() override {
        if (watcher) {
            dbus_connection_close(watcher);
            dbus_connection_unref(watcher);
        }
        if (daemonPid > 0)
            kill(daemonPid, SIGTERM);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        HeadlessTest::TearDown();
    }

    static DBusHandlerResult OnWatcherCall(DBusConnection* c, DBusMessage* m, void* self) {
        if (!dbus_message_is_method_call(m, "org.kde.StatusNotifierWatcher", "RegisterStatusNotifierItem")) {
            return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        const char* service = nullptr;
        dbus_message_get_args(m, nullptr, DBUS_TYPE_STRING, &service, DBUS_TYPE_INVALID);
        static_cast<StatusNotifierTest*>(self)->registered = service ? service : "";
        DBusMessage* reply = dbus_message_new_method_return(m);
        dbus_connection_send(c, reply, nullptr);
        dbus_message_unref(reply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    // Calls the item as a host would; the reply, or null.
    DBusMessage* Call(const char* interface, const char* method,
                      std::initializer_list<const char*> strings = {}) {
        DBusMessage* m =
            dbus_message_new_method_call(registered.c_str(), "/StatusNotifierItem", interface, method);
        for (const char* s : strings)
            dbus_message_append_args(m, DBUS_TYPE_STRING, &s, DBUS_TYPE_INVALID);
        if (std::string(method) == "Activate" || std::string(method) == "ContextMenu") {
            const dbus_int32_t x = 10, y = 20;
            dbus_message_append_args(m, DBUS_TYPE_INT32, &x, DBUS_TYPE_INT32, &y, DBUS_TYPE_INVALID);
        }
        DBusMessage* reply = dbus_connection_send_with_reply_and_block(watcher, m, 2000, nullptr);
        dbus_message_unref(m);
        return reply;
    }

    std::string address;
    int daemonPid = 0;
    DBusConnection* watcher = nullptr;
    std::string registered;
    std::vector<Received> journal;
    RecordingWnd owner{journal};
};

TEST_F(StatusNotifierTest, RegistersAnswersAndReportsClicks) {
    Image icon(2, 1);
    icon.Pixels() = {0xFF102030, 0x80405060};
    auto item = CreateStatusNotifierTrayIconSource();
    // Registering waits for the watcher's answer: let the watcher dispatch meanwhile.
    std::atomic<bool> added{false};
    std::thread adder([&] { added = item->Add({owner.Handle(), kIconId, kCallback, icon, "Vexmo"}); });
    while (registered.empty() && dbus_connection_read_write_dispatch(watcher, 10)) {
    }
    adder.join();
    ASSERT_TRUE(added);
    EXPECT_EQ(registered.rfind("org.kde.StatusNotifierItem-", 0), 0u) << registered;

    DBusMessage* title =
        Call("org.freedesktop.DBus.Properties", "Get", {"org.kde.StatusNotifierItem", "Title"});
    ASSERT_NE(title, nullptr);
    DBusMessageIter iter, variant;
    dbus_message_iter_init(title, &iter);
    dbus_message_iter_recurse(&iter, &variant);
    const char* text = nullptr;
    dbus_message_iter_get_basic(&variant, &text);
    EXPECT_STREQ(text, "Vexmo");
    dbus_message_unref(title);

    DBusMessage* pixmap =
        Call("org.freedesktop.DBus.Properties", "Get", {"org.kde.StatusNotifierItem", "IconPixmap"});
    ASSERT_NE(pixmap, nullptr);
    DBusMessageIter array, entry, bytes;
    dbus_message_iter_init(pixmap, &iter);
    dbus_message_iter_recurse(&iter, &variant);
    dbus_message_iter_recurse(&variant, &array);
    dbus_message_iter_recurse(&array, &entry);
    dbus_int32_t width = 0, height = 0;
    dbus_message_iter_get_basic(&entry, &width);
    dbus_message_iter_next(&entry);
    dbus_message_iter_get_basic(&entry, &height);
    dbus_message_iter_next(&entry);
    dbus_message_iter_recurse(&entry, &bytes);
    const unsigned char* data = nullptr;
    int count = 0;
    dbus_message_iter_get_fixed_array(&bytes, &data, &count);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
    ASSERT_EQ(count, 8);
    EXPECT_EQ(std::vector<unsigned char>(data, data + count),
              (std::vector<unsigned char>{0xFF, 0x10, 0x20, 0x30, 0x80, 0x40, 0x50, 0x60}));
    dbus_message_unref(pixmap);

    DBusMessage* unknown =
        Call("org.freedesktop.DBus.Properties", "Get", {"org.kde.StatusNotifierItem", "Nope"});
    EXPECT_EQ(unknown, nullptr);

    for (const char* method : {"Activate", "ContextMenu"}) {
        DBusMessage* r = Call("org.kde.StatusNotifierItem", method);
        ASSERT_NE(r, nullptr) << method;
        dbus_message_unref(r);
    }
    screen->RunUntilIdle();
    std::vector<LPARAM> callbacks;
    for (const Received& r : journal) {
        if (r.message == kCallback && r.wParam == kIconId)
            callbacks.push_back(r.lParam);
    }
    EXPECT_EQ(callbacks, (std::vector<LPARAM>{WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));
    item->Delete();
}

TEST_F(StatusNotifierTest, NoWatcherNoItem) {
    dbus_bus_release_name(watcher, "org.kde.StatusNotifierWatcher", nullptr);
    auto item = CreateStatusNotifierTrayIconSource();
    EXPECT_FALSE(item->Add({owner.Handle(), kIconId, kCallback, Image(1, 1), "Vexmo"}));
    EXPECT_FALSE(item->IsDocked());
}

} // namespace
} // namespace vexmo
