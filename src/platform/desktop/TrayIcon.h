#pragma once
// CTrayIcon: the program's icon in the desktop's notification area (the role of the system's
// notification-icon calls). Mouse actions on it reach the owner window as the callback
// message with wParam = the icon's id and lParam = the mouse message (WM_LBUTTONDOWN,
// WM_LBUTTONUP, WM_LBUTTONDBLCLK for the second of two quick presses, WM_RBUTTONDOWN,
// WM_RBUTTONUP). Without any notification area the icon simply does not show; everything
// else goes on. UI thread only.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Image.h"
#include "platform/core/Types.h"

namespace vexmo {

struct TrayIconData {
    HWND window = 0;
    uint32_t id = 0;
    uint32_t callbackMessage = 0;
    Image icon;
    std::string tip;
};

// What a backend does for the tray icon.
class TrayIconSource {
public:
    virtual ~TrayIconSource() = default;
    virtual bool Add(const TrayIconData& data) = 0;
    virtual bool Modify(const TrayIconData& data) = 0;
    virtual void Delete() = 0;
    // The notification area took the icon.
    virtual bool IsDocked() const = 0;
};

std::unique_ptr<TrayIconSource> CreateX11TrayIconSource();
// Needs a StatusNotifierWatcher on the session bus: Add fails without one.
std::unique_ptr<TrayIconSource> CreateStatusNotifierTrayIconSource();
std::unique_ptr<TrayIconSource> CreateHeadlessTrayIconSource();

class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // True when the icon was handed to the desktop (it docks once a notification area exists).
    bool Add(const TrayIconData& data);
    bool Modify(const TrayIconData& data);
    void Delete();
    bool IsAdded() const { return source_ != nullptr; }
    bool IsDocked() const { return source_ && source_->IsDocked(); }

private:
    std::unique_ptr<TrayIconSource> source_;
};

} // namespace vexmo
