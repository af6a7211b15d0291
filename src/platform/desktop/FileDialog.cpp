#include "platform/desktop/FileDialog.h"

#include <chrono>
#include <future>

#include "platform/core/WindowSystem.h"
#include "platform/core/Wnd.h"
#include "platform/desktop/OwnFileDialog.h"
#include "platform/desktop/PortalFileDialog.h"

namespace vexmo {
namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(10);

struct Script {
    std::deque<FileDialogAnswer> answers;
    std::vector<FileDialogRequest> requests;
};

Script& TheScript() {
    static Script script;
    return script;
}

FileDialogProvider& SystemProvider() {
    static FileDialogProvider provider;
    return provider;
}

FileDialogAnswer FromScript(const FileDialogRequest& request) {
    Script& script = TheScript();
    script.requests.push_back(request);
    if (script.answers.empty())
        return FileDialogAnswer::Cancelled();
    FileDialogAnswer answer = std::move(script.answers.front());
    script.answers.pop_front();
    return answer;
}

// Runs the dialog program on a helper thread so our windows keep painting meanwhile.
FileDialogAnswer RunKeepingWindowsAlive(const FileDialogRequest& request,
                                        const FileDialogProvider& provider) {
    if (!WindowSystemRunning())
        return provider(request);
    CWnd* owner = request.owner ? FromHandle(request.owner) : nullptr;
    const bool wasEnabled = owner && owner->IsWindowEnabled();
    if (wasEnabled)
        owner->EnableWindow(false);
    auto pending = std::async(std::launch::async, provider, request);
    while (pending.wait_for(kPumpInterval) != std::future_status::ready)
        PumpPendingMessages();
    if (wasEnabled && IsWindow(request.owner))
        owner->EnableWindow(true);
    return pending.get();
}

} // namespace

std::filesystem::path WithDefaultExtension(std::filesystem::path path, const std::string& extension) {
    if (extension.empty() || path.has_extension() || path.filename().empty())
        return path;
    path += "." + extension;
    return path;
}

std::optional<std::filesystem::path> ShowFileDialog(const FileDialogRequest& request) {
    FileDialogAnswer answer;
    if (Headless()) {
        answer = FromScript(request);
    } else {
        answer = RunKeepingWindowsAlive(request, &RunPortalFileDialog);
        if (answer.status == FileDialogAnswer::Status::Unavailable && SystemProvider())
            answer = RunKeepingWindowsAlive(request, SystemProvider());
        if (answer.status == FileDialogAnswer::Status::Unavailable)
            answer = RunOwnFileDialog(request);
    }
    if (answer.status != FileDialogAnswer::Status::Chosen || answer.path.empty())
        return std::nullopt;
    return request.save ? WithDefaultExtension(answer.path, request.defaultExtension) : answer.path;
}

void SetSystemFileDialog(FileDialogProvider provider) {
    SystemProvider() = std::move(provider);
}

void ScriptFileDialogAnswers(std::deque<FileDialogAnswer> answers) {
    TheScript().answers = std::move(answers);
}

const std::vector<FileDialogRequest>& ScriptedFileDialogRequests() {
    return TheScript().requests;
}

void ClearFileDialogScript() {
    TheScript() = Script{};
}

} // namespace vexmo
