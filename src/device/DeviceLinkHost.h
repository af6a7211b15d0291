#pragma once
// What the device link needs from the window that owns it: the window's own state, its
// timers and dialogs. The main window implements it; tests and vexmoctl implement it without
// a window. Every call but WakeForLinkEvents comes on the user-interface thread.
#include "macros/MacroLibrary.h"
#include "settings/AppSettings.h"
#include "settings/ProfileTable.h"

#include <cstddef>
#include <cstdint>

namespace vexmo {

class DeviceLinkHost {
public:
    virtual ~DeviceLinkHost() = default;

    // The window may be shown and the link may send anything at all.
    virtual bool IsActivated() const = 0;
    // The profiles (the current one is AppSettings::CurrentProfile) and the settings.
    virtual ProfileTable& Profiles() = 0;
    virtual AppSettings& Settings() = 0;
    virtual const MacroLibrary& Library() const = 0;
    // Set when the macro manager was opened: the next slot assignment copies library macros
    // into the buttons, then clears it.
    virtual bool MacrosChanged() const = 0;
    virtual void ClearMacrosChanged() = 0;
    // The counter of the one-second status timer (the status query runs when it passes 20).
    virtual int StatusCounter() const = 0;
    virtual void SetStatusCounter(int value) = 0;

    // Timer 30: ApplyChanges in 20 ms (restarted when it runs).
    virtual void StartApplyTimer() = 0;
    // Timer 70: stop it, set save-pending, start it again (10 s).
    virtual void RestartSaveTimer() = 0;
    // Timer 110: the one-second status timer (starting it again only restarts its period).
    virtual void StartStatusTimer() = 0;
    // The modal progress dialog shown after a transfer (language text 146).
    virtual void ShowProgress() = 0;
    virtual void RefreshControls() = 0;

    // A status reply from our mouse reported its radio link: set device online and apply the
    // visibility rules.
    virtual void OnDeviceLinkReported(bool linkUp) = 0;
    // The mouse reported another sensor: settings, profiles and DPI step table are updated and
    // saved; the window rebuilds its DPI value controls and repaints.
    virtual void OnSensorModelChanged() = 0;
    // The mouse changed its DPI level or report rate: show or update the on-screen display.
    virtual void RequestOnScreenDisplay() = 0;
    // The last mouse interface went away: the program ends.
    virtual void OnAllDevicesGone() = 0;
    // A macro had more events than one transfer holds; the mouse got the first ones only
    // (plus releases for keys they leave down).
    virtual void OnMacroShortened(size_t button, uint32_t sentEvents, uint32_t macroEvents) = 0;

    // Any thread: reports or device changes wait in the link; post a message so the
    // user-interface thread calls DeviceLink::ProcessLinkEvents. Must not process them here.
    virtual void WakeForLinkEvents() = 0;
};

} // namespace vexmo
