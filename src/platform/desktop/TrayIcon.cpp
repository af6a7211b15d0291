#include "platform/desktop/TrayIcon.h"

#include "platform/core/WindowSystem.h"

namespace vexmo {

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() {
    Delete();
}

bool CTrayIcon::Add(const TrayIconData& data) {
    Delete();
    if (!WindowSystemRunning())
        return false;
    if (Headless()) {
        source_ = CreateHeadlessTrayIconSource();
        return source_->Add(data);
    }
    // The session bus's notifier host where one runs (it also shows XEmbed icons through a
    // proxy, so only one of the two is used), else the XEmbed tray.
    std::unique_ptr<TrayIconSource> source = CreateStatusNotifierTrayIconSource();
    if (!source->Add(data)) {
        source = CreateX11TrayIconSource();
        if (!source->Add(data))
            return false;
    }
    source_ = std::move(source);
    return true;
}

bool CTrayIcon::Modify(const TrayIconData& data) {
    return source_ && source_->Modify(data);
}

void CTrayIcon::Delete() {
    if (!source_)
        return;
    source_->Delete();
    source_.reset();
}

} // namespace vexmo
