#include "platform/linux/DesktopFileDialog.h"

#include "platform/linux/ChildProcess.h"

namespace vexmo {
namespace {

// What both programs report for "closed without a choice".
constexpr int kCancelledExit = 1;

std::string StartPath(const FileDialogRequest& request) {
    std::filesystem::path start = request.initialFolder;
    if (!request.initialName.empty())
        start /= request.initialName;
    else if (!start.empty())
        start /= ""; // a trailing slash makes both open the folder itself
    return start.string();
}

std::string JoinPatterns(const FileFilter& f) {
    std::string out;
    for (const std::string& p : f.patterns)
        out += (out.empty() ? "" : " ") + p;
    return out;
}

FileDialogAnswer AnswerOf(const std::optional<ProcessOutput>& result) {
    if (!result)
        return FileDialogAnswer::Unavailable();
    if (result->exitCode == kCancelledExit)
        return FileDialogAnswer::Cancelled();
    if (result->exitCode != 0)
        return FileDialogAnswer::Unavailable();
    std::string path = result->stdoutText;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
        path.pop_back();
    if (path.empty())
        return FileDialogAnswer::Cancelled();
    return FileDialogAnswer::Chosen(path);
}

} // namespace

std::vector<std::string> ZenityArguments(const FileDialogRequest& request) {
    std::vector<std::string> args = {"zenity", "--file-selection"};
    if (request.save) {
        args.push_back("--save");
        args.push_back("--confirm-overwrite");
    }
    if (!request.title.empty())
        args.push_back("--title=" + request.title);
    const std::string start = StartPath(request);
    if (!start.empty())
        args.push_back("--filename=" + start);
    for (const FileFilter& f : ParseFileFilter(request.filter)) {
        args.push_back("--file-filter=" + f.label + " | " + JoinPatterns(f));
    }
    return args;
}

std::vector<std::string> KdialogArguments(const FileDialogRequest& request) {
    std::vector<std::string> args = {"kdialog", request.save ? "--getsavefilename" : "--getopenfilename"};
    const std::string start = StartPath(request);
    args.push_back(start.empty() ? "." : start);
    std::string filters;
    for (const FileFilter& f : ParseFileFilter(request.filter)) {
        filters += (filters.empty() ? "" : "\n") + JoinPatterns(f) + "|" + f.label;
    }
    if (!filters.empty())
        args.push_back(filters);
    if (!request.title.empty()) {
        args.push_back("--title");
        args.push_back(request.title);
    }
    return args;
}

FileDialogAnswer RunDesktopFileDialog(const FileDialogRequest& request) {
    if (!FindProgram("zenity").empty()) {
        FileDialogAnswer answer = AnswerOf(RunAndCapture(ZenityArguments(request)));
        if (answer.status != FileDialogAnswer::Status::Unavailable)
            return answer;
    }
    if (!FindProgram("kdialog").empty())
        return AnswerOf(RunAndCapture(KdialogArguments(request)));
    return FileDialogAnswer::Unavailable();
}

} // namespace vexmo
