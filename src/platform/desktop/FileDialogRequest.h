#pragma once
// What an open or save dialog is asked, and what it answers. Plain data shared by the dialog
// front (FileDialog.h) and the programs that show the dialog on a desktop.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Types.h"

namespace vexmo {

struct FileDialogRequest {
    bool save = false;
    std::string title;
    // The system's filter form: "label|patterns|label|patterns||", patterns split by ';'.
    std::string filter;
    // Added to a typed save name without an extension (no dot).
    std::string defaultExtension;
    std::string initialName;
    std::filesystem::path initialFolder;
    HWND owner = 0;
};

struct FileDialogAnswer {
    enum class Status { Chosen, Cancelled, Unavailable };
    Status status = Status::Unavailable;
    std::filesystem::path path;

    static FileDialogAnswer Chosen(std::filesystem::path p) { return {Status::Chosen, std::move(p)}; }
    static FileDialogAnswer Cancelled() { return {Status::Cancelled, {}}; }
    static FileDialogAnswer Unavailable() { return {Status::Unavailable, {}}; }
};

struct FileFilter {
    std::string label;
    std::vector<std::string> patterns;
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// "psf file(*.psf)|*.psf||" -> {{"psf file(*.psf)", {"*.psf"}}}. A label without patterns
// is dropped; an empty filter gives no entries.
inline std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t end = bar == std::string_view::npos ? filter.size() : bar;
        parts.emplace_back(filter.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::vector<FileFilter> out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break; // "||" ends the list
        FileFilter f{parts[i], {}};
        std::string_view patterns = parts[i + 1];
        size_t from = 0;
        while (from <= patterns.size()) {
            const size_t semi = patterns.find(';', from);
            const size_t to = semi == std::string_view::npos ? patterns.size() : semi;
            std::string p(patterns.substr(from, to - from));
            if (!p.empty())
                f.patterns.push_back(std::move(p));
            if (semi == std::string_view::npos)
                break;
            from = semi + 1;
        }
        if (!f.patterns.empty())
            out.push_back(std::move(f));
    }
    return out;
}

} // namespace vexmo
