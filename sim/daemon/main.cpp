// vexmo-mousesim: runs the simulated mouse as a per-user daemon, or sends it one command.
#include "platform/simbus/LineSocket.h"
#include "sim/daemon/SimServer.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace vexmo;

constexpr int kUsageExit = 2;
constexpr char kUsage[] =
    "usage: vexmo-mousesim serve [--socket PATH] [--wired] [--receiver] [--sensor CODE] [--battery PCT]\n"
    "                            [--charge none|charging|charged] [--link on|off]\n"
    "       vexmo-mousesim [--socket PATH] COMMAND\n"
    "commands: plug|unplug wired|receiver, dpi-button, rate-button, battery PCT [--charging|--charged],\n"
    "          link on|off, sensor CODE (hex), state [--json], log, stop,\n"
    "          fault clear | fail-writes N|always | fail-reads N|always | empty-replies N|always\n"
    "                | disconnect-after N wired|receiver\n";

int Usage(const std::string& why) {
    std::cerr << "vexmo-mousesim: " << why << "\n" << kUsage;
    return kUsageExit;
}

sim::SimServer* g_server = nullptr;

extern "C" void OnStopSignal(int) {
    if (g_server != nullptr) {
        g_server->RequestStop();
    }
}

struct ServeOptions {
    bool wired = false;
    bool receiver = false;
    std::optional<std::string> sensor;
    std::optional<std::string> battery;
    std::string charge = "none";
    std::optional<std::string> link;
};

// Applies the serve options through the same requests a client would send, so they are
// checked exactly the same way.
bool ApplyServeOptions(sim::SimulatedMouse& mouse, const ServeOptions& options, std::string& why) {
    int percent = 80;
    if (options.battery) {
        const auto [end, error] = std::from_chars(options.battery->data(),
                                                  options.battery->data() + options.battery->size(), percent);
        if (error != std::errc() || end != options.battery->data() + options.battery->size() || percent < 0 ||
            percent > 100) {
            why = "--battery takes a percentage from 0 to 100";
            return false;
        }
    }
    const std::optional<sim::ChargeState> charge = sim::ParseCharge(options.charge);
    if (!charge) {
        why = "--charge takes none, charging or charged";
        return false;
    }
    mouse.SetBattery(static_cast<uint8_t>(percent), *charge);
    if (options.link) {
        if (*options.link != "on" && *options.link != "off") {
            why = "--link takes on or off";
            return false;
        }
        mouse.SetLink(*options.link == "on");
    }
    if (options.sensor) {
        std::string_view text = *options.sensor;
        if (text.starts_with("0x") || text.starts_with("0X")) {
            text.remove_prefix(2);
        }
        unsigned code = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code, 16);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() || code > 0xFF) {
            why = "--sensor takes one byte in hex, for example 27 or 0x27";
            return false;
        }
        mouse.SetSensor(static_cast<uint8_t>(code));
    }
    const bool both = !options.wired && !options.receiver;
    if (options.wired || both) {
        mouse.Plug(sim::SimKind::Wired);
    }
    if (options.receiver || both) {
        mouse.Plug(sim::SimKind::Receiver);
    }
    return true;
}

int Serve(const std::filesystem::path& socket, const std::vector<std::string>& args) {
    ServeOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        if (arg == "--wired") {
            options.wired = true;
        } else if (arg == "--receiver") {
            options.receiver = true;
        } else if (arg == "--sensor" || arg == "--battery" || arg == "--charge" || arg == "--link") {
            const std::optional<std::string> v = value();
            if (!v) {
                return Usage(arg + " needs a value");
            }
            if (arg == "--sensor") {
                options.sensor = v;
            } else if (arg == "--battery") {
                options.battery = v;
            } else if (arg == "--charge") {
                options.charge = *v;
            } else {
                options.link = v;
            }
        } else {
            return Usage("unknown serve option " + arg);
        }
    }
    sim::SimulatedMouse mouse;
    std::string why;
    if (!ApplyServeOptions(mouse, options, why)) {
        return Usage(why);
    }
    sim::SimServer server(mouse, socket);
    if (!server.Listen(&why)) {
        std::cerr << "vexmo-mousesim: " << why << "\n";
        return 1;
    }
    g_server = &server;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::cerr << "vexmo-mousesim: serving on " << socket.string() << "\n";
    server.Run();
    g_server = nullptr;
    return 0;
}

// The request line for a client command; nullopt (with `why`) when the command is malformed.
std::optional<std::string> RequestFor(const std::vector<std::string>& args, std::string& why) {
    // Every word travels inside one request line.
    for (const std::string& arg : args) {
        if (arg.empty() ||
            std::any_of(arg.begin(), arg.end(), [](char c) { return c == ' ' || (c >= 0 && c < 0x20); })) {
            why = "arguments may not be empty or contain spaces or control characters";
            return std::nullopt;
        }
    }
    const std::string& verb = args[0];
    const size_t argc = args.size() - 1;
    auto join = [&] {
        std::string line;
        for (const std::string& arg : args) {
            line += (line.empty() ? "" : " ") + arg;
        }
        return line;
    };
    if ((verb == "plug" || verb == "unplug") && argc == 1 && sim::ParseKind(args[1])) {
        return join();
    }
    if ((verb == "dpi-button" || verb == "rate-button" || verb == "log" || verb == "stop") && argc == 0) {
        return join();
    }
    if (verb == "state" && (argc == 0 || (argc == 1 && args[1] == "--json"))) {
        return argc == 0 ? "state" : "state-json";
    }
    if (verb == "battery" && (argc == 1 || argc == 2)) {
        if (argc == 1) {
            return "battery " + args[1] + " none";
        }
        if (args[2] == "--charging" || args[2] == "--charged") {
            return "battery " + args[1] + " " + args[2].substr(2);
        }
    }
    if ((verb == "link" && argc == 1) || (verb == "sensor" && argc == 1) || (verb == "fault" && argc >= 1)) {
        return join();
    }
    why = "unknown or incomplete command: " + verb;
    return std::nullopt;
}

int SendCommand(const std::filesystem::path& socket, const std::vector<std::string>& args) {
    std::string why;
    const std::optional<std::string> request = RequestFor(args, why);
    if (!request) {
        return Usage(why);
    }
    simbus::LineSocket connection = simbus::LineSocket::Connect(socket, &why);
    if (!connection.IsOpen()) {
        std::cerr << "vexmo-mousesim: no mouse simulator is running on " << socket.string() << " (" << why
                  << "); start one with: vexmo-mousesim serve\n";
        return 1;
    }
    const simbus::Reply reply = connection.Request(*request);
    for (const std::string& line : reply.data) {
        std::cout << line << "\n";
    }
    if (!reply.ok) {
        std::cerr << "vexmo-mousesim: " << reply.text << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path socket = simbus::DefaultSocketPath();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--socket") {
            if (i + 1 >= argc) {
                return Usage("--socket needs a path");
            }
            socket = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) {
        return Usage("no command given");
    }
    if (args[0] == "serve") {
        return Serve(socket, {args.begin() + 1, args.end()});
    }
    return SendCommand(socket, args);
}
