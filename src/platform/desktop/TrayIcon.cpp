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
    std::unique_ptr<TrayIconSource> source =
        Headless() ? CreateHeadlessTrayIconSource() : CreateX11TrayIconSource();
    if (!source || !source->Add(data))
        return false;
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
