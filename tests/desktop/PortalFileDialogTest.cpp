// The desktop portal's file chooser, against a stand-in portal on a private session bus: the
// request carries title, filters, name and folder; the chosen address comes back as a path;
// a cancelled request gives nothing.
#include <dbus/dbus.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <future>

#include "platform/desktop/PortalFileDialog.h"
#include "platform/linux/ChildProcess.h"

namespace vexmo {
namespace {

TEST(PortalUriTest, FileAddressesBecomePaths) {
    struct Case {
        const char* uri;
        const char* path;
    };
    const Case cases[] = {
        {"file:///home/u/a.psf", "/home/u/a.psf"},
        {"file:///tmp/my%20file%C3%A9.psf", "/tmp/my fileé.psf"},
        {"file://localhost/x", "/x"},
        {"https://example.com/a", ""},
        {"file://otherhost/x", ""},
        {"file:///bad%2", ""},
        {"file:///cut%00short", ""},
        {"file:///bad%zz", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathFromFileUri(c.uri), c.path) << c.uri;
}

class PortalFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindProgram("dbus-daemon").empty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        const auto out =
            RunAndCapture({"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"});
        ASSERT_TRUE(out && out->exitCode == 0);
        const size_t line = out->stdoutText.find('\n');
        const std::string address = out->stdoutText.substr(0, line);
        daemonPid = std::stoi(out->stdoutText.substr(line + 1));
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        portal = dbus_connection_open_private(address.c_str(), nullptr);
        ASSERT_NE(portal, nullptr);
        ASSERT_TRUE(dbus_bus_register(portal, nullptr));
        ASSERT_EQ(dbus_bus_request_name(portal, "org.freedesktop.portal.Desktop", 0, nullptr),
                  DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER);
        static const DBusObjectPathVTable table = {
            nullptr, &PortalFileDialogTest::OnCall, nullptr, nullptr, nullptr, nullptr};
        dbus_connection_register_object_path(portal, "/org/freedesktop/portal/desktop", &table, this);
    }
    void TearDown() override {
        if (portal) {
            dbus_connection_close(portal);
            dbus_connection_unref(portal);
        }
        if (daemonPid > 0)
            kill(daemonPid, SIGTERM);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    // Records the call, answers with a request handle, then sends the Response on it.
    static DBusHandlerResult OnCall(DBusConnection* c, DBusMessage* m, void* self) {
        auto* test = static_cast<PortalFileDialogTest*>(self);
        if (!dbus_message_has_interface(m, "org.freedesktop.portal.FileChooser")) {
            return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        test->method = dbus_message_get_member(m);
        DBusMessageIter args, dict;
        dbus_message_iter_init(m, &args);
        dbus_message_iter_next(&args);
        const char* title = nullptr;
        dbus_message_iter_get_basic(&args, &title);
        test->title = title;
        dbus_message_iter_next(&args);
        std::string token;
        for (dbus_message_iter_recurse(&args, &dict);
             dbus_message_iter_get_arg_type(&dict) == DBUS_TYPE_DICT_ENTRY; dbus_message_iter_next(&dict)) {
            DBusMessageIter entry, variant;
            dbus_message_iter_recurse(&dict, &entry);
            const char* key = nullptr;
            dbus_message_iter_get_basic(&entry, &key);
            test->keys.push_back(key);
            dbus_message_iter_next(&entry);
            dbus_message_iter_recurse(&entry, &variant);
            if (std::string(key) == "handle_token" || std::string(key) == "current_name") {
                const char* value = nullptr;
                dbus_message_iter_get_basic(&variant, &value);
                (std::string(key) == "handle_token" ? token : test->currentName) = value;
            }
        }
        std::string sender = dbus_message_get_sender(m) + 1;
        for (char& ch : sender) {
            if (ch == '.')
                ch = '_';
        }
        const std::string handle = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
        DBusMessage* reply = dbus_message_new_method_return(m);
        const char* path = handle.c_str();
        dbus_message_append_args(reply, DBUS_TYPE_OBJECT_PATH, &path, DBUS_TYPE_INVALID);
        dbus_connection_send(c, reply, nullptr);
        dbus_message_unref(reply);

        DBusMessage* signal =
            dbus_message_new_signal(handle.c_str(), "org.freedesktop.portal.Request", "Response");
        DBusMessageIter out, results, entry, variant, uris;
        dbus_message_iter_init_append(signal, &out);
        dbus_message_iter_append_basic(&out, DBUS_TYPE_UINT32, &test->response);
        dbus_message_iter_open_container(&out, DBUS_TYPE_ARRAY, "{sv}", &results);
        dbus_message_iter_open_container(&results, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
        const char* key = "uris";
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
        dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "as", &variant);
        dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "s", &uris);
        const char* uri = test->uri.c_str();
        dbus_message_iter_append_basic(&uris, DBUS_TYPE_STRING, &uri);
        dbus_message_iter_close_container(&variant, &uris);
        dbus_message_iter_close_container(&entry, &variant);
        dbus_message_iter_close_container(&results, &entry);
        dbus_message_iter_close_container(&out, &results);
        dbus_connection_send(c, signal, nullptr);
        dbus_message_unref(signal);
        test->answered = true;
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    FileDialogAnswer Run(const FileDialogRequest& request) {
        answered = false;
        auto pending = std::async(std::launch::async, RunPortalFileDialog, request);
        while (pending.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
            dbus_connection_read_write_dispatch(portal, 5);
        }
        return pending.get();
    }

    int daemonPid = 0;
    DBusConnection* portal = nullptr;
    std::string method, title, currentName, uri = "file:///tmp/chosen%20one.psf";
    std::vector<std::string> keys;
    dbus_uint32_t response = 0;
    bool answered = false;
};

TEST_F(PortalFileDialogTest, SaveCarriesTheRequestAndReturnsThePath) {
    const FileDialogAnswer answer =
        Run({true, "Export profile", "psf file(*.psf)|*.psf||", "psf", "Game.psf", "/tmp"});
    EXPECT_EQ(answer.status, FileDialogAnswer::Status::Chosen);
    EXPECT_EQ(answer.path, std::filesystem::path("/tmp/chosen one.psf"));
    EXPECT_EQ(method, "SaveFile");
    EXPECT_EQ(title, "Export profile");
    EXPECT_EQ(currentName, "Game.psf");
    EXPECT_EQ(keys, (std::vector<std::string>{"handle_token", "filters", "current_name", "current_folder"}));
}

TEST_F(PortalFileDialogTest, CancelledOpenGivesNothing) {
    response = 1;
    const FileDialogAnswer answer = Run({false, "Import", "psf file(*.psf)|*.psf||", "psf", "", ""});
    EXPECT_EQ(answer.status, FileDialogAnswer::Status::Cancelled);
    EXPECT_EQ(method, "OpenFile");
}

TEST_F(PortalFileDialogTest, NoPortalIsUnavailable) {
    dbus_bus_release_name(portal, "org.freedesktop.portal.Desktop", nullptr);
    EXPECT_EQ(RunPortalFileDialog({}).status, FileDialogAnswer::Status::Unavailable);
}

} // namespace
} // namespace vexmo
