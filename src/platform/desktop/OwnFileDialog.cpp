#include "platform/desktop/OwnFileDialog.h"

#include "platform/core/Dialog.h"
#include "platform/core/WindowSystem.h"
#include "platform/desktop/EditBox.h"

namespace vexmo {
namespace {

constexpr Size kDialogSize{520, 112};
constexpr Rect kPathRect{12, 44, 508, 70};
constexpr uint32_t kPathId = 1;
constexpr COLORREF kBackground = RGB(0xF0, 0xF0, 0xF0);
constexpr COLORREF kFrame = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kRefused = RGB(0xD0, 0x20, 0x20);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr int kFontHeight = 16;

std::string FilterLine(const std::string& filter) {
    std::string line;
    for (const FileFilter& f : ParseFileFilter(filter))
        line += (line.empty() ? "" : ", ") + f.label;
    return line;
}

class PathDialog final : public CDialog {
public:
    explicit PathDialog(const FileDialogRequest& request) : CDialog(request.owner), request_(request) {
        font_.Create(kFontHeight, "Tahoma");
        const Size screen = GetScreenSize();
        const int x = std::max(0, (screen.cx - kDialogSize.cx) / 2);
        const int y = std::max(0, (screen.cy - kDialogSize.cy) / 2);
        initialRect = {x, y, x + kDialogSize.cx, y + kDialogSize.cy};
        dialogExStyle = WS_EX_TOPMOST;
    }

    std::filesystem::path chosen;

    bool OnInitDialog() override {
        SetWindowText(request_.title);
        path_.Create(WS_CHILD | WS_VISIBLE, kPathRect, this, kPathId);
        path_.SetFont(&font_);
        std::filesystem::path start = request_.initialFolder;
        if (!request_.initialName.empty())
            start /= request_.initialName;
        else if (!start.empty())
            start /= "";
        path_.SetWindowText(start.string());
        path_.SetSel(0, -1);
        path_.SetFocus();
        return true;
    }

    void OnOK() override {
        const std::filesystem::path typed = path_.GetWindowText();
        if (!Acceptable(typed)) {
            refused_ = true;
            Invalidate();
            return;
        }
        chosen = typed;
        EndDialog(IDOK);
    }

    LRESULT WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam) override {
        if (path_.RouteMessage({Handle(), message, wParam, lParam}))
            return 0;
        return CDialog::WindowProc(message, wParam, lParam);
    }

protected:
    void OnPaint(CCanvas& dc) override {
        const Rect client = GetClientRect();
        dc.FillSolidRect(client, kBackground);
        dc.FrameRect(client, kFrame);
        dc.SelectFont(&font_);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kText);
        Rect title{12, 8, client.right - 12, 26};
        dc.DrawText(request_.title, title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        Rect filters{12, 24, client.right - 12, 42};
        dc.DrawText(FilterLine(request_.filter), filters,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        dc.FrameRect({kPathRect.left - 1, kPathRect.top - 1, kPathRect.right + 1, kPathRect.bottom + 1},
                     refused_ ? kRefused : kFrame);
        path_.Paint(dc);
    }

private:
    bool Acceptable(const std::filesystem::path& typed) const {
        std::error_code ec;
        if (typed.empty() || typed.filename().empty())
            return false;
        if (!request_.save)
            return std::filesystem::is_regular_file(typed, ec);
        const std::filesystem::path folder = typed.has_parent_path() ? typed.parent_path() : ".";
        return std::filesystem::is_directory(folder, ec) && !std::filesystem::is_directory(typed, ec);
    }

    const FileDialogRequest& request_;
    CFont font_;
    CEditBox path_;
    bool refused_ = false;
};

} // namespace

FileDialogAnswer RunOwnFileDialog(const FileDialogRequest& request) {
    if (!WindowSystemRunning())
        return FileDialogAnswer::Unavailable();
    PathDialog dialog(request);
    if (dialog.DoModal() != IDOK)
        return FileDialogAnswer::Cancelled();
    return FileDialogAnswer::Chosen(dialog.chosen);
}

} // namespace vexmo
