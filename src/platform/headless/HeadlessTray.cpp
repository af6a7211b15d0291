#include "platform/headless/HeadlessTray.h"

#include <algorithm>

#include "platform/core/Messages.h"
#include "platform/core/WindowSystem.h"

namespace vexmo {
namespace {

std::vector<TrayIconData*>& Icons() {
    static std::vector<TrayIconData*> icons;
    return icons;
}

class HeadlessTrayIconSource final : public TrayIconSource {
public:
    ~HeadlessTrayIconSource() override { Delete(); }
    bool Add(const TrayIconData& data) override {
        data_ = data;
        if (std::find(Icons().begin(), Icons().end(), &data_) == Icons().end())
            Icons().push_back(&data_);
        return true;
    }
    bool Modify(const TrayIconData& data) override {
        data_ = data;
        return true;
    }
    void Delete() override { std::erase(Icons(), &data_); }
    bool IsDocked() const override {
        return std::find(Icons().begin(), Icons().end(), &data_) != Icons().end();
    }

private:
    TrayIconData data_;
};

} // namespace

std::vector<TrayIconData> HeadlessTrayIcons() {
    std::vector<TrayIconData> out;
    for (const TrayIconData* icon : Icons())
        out.push_back(*icon);
    return out;
}

bool ClickHeadlessTrayIcon(uint32_t id, TrayClick click) {
    const auto it =
        std::find_if(Icons().begin(), Icons().end(), [id](const TrayIconData* d) { return d->id == id; });
    if (it == Icons().end())
        return false;
    const TrayIconData& icon = **it;
    std::vector<uint32_t> sequence;
    switch (click) {
    case TrayClick::Left:
        sequence = {WM_LBUTTONDOWN, WM_LBUTTONUP};
        break;
    case TrayClick::LeftDouble:
        sequence = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
        break;
    case TrayClick::Right:
        sequence = {WM_RBUTTONDOWN, WM_RBUTTONUP};
        break;
    }
    for (const uint32_t message : sequence)
        PostMessage(icon.window, icon.callbackMessage, icon.id, message);
    return true;
}

std::unique_ptr<TrayIconSource> CreateHeadlessTrayIconSource() {
    return std::make_unique<HeadlessTrayIconSource>();
}

} // namespace vexmo
