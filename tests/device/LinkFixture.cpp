#include "LinkFixture.h"

#include "device/DpiStepTable.h"
#include "settings/KeyAssignment.h"
#include "settings/LanguageTable.h"
#include "settings/ProfileDefaults.h"

#include <chrono>
#include <thread>

namespace vexmo::test {

RecordingHost::RecordingHost() {
    settings.SetDefaults();
    LanguageTable language;
    for (size_t slot = 0; slot < profiles.records.size(); ++slot) {
        ResetProfileToDefaults(profiles[slot], static_cast<unsigned>(slot), language, settings.sensorModel);
    }
}

LinkTest::LinkTest() {
    BuildDpiTable(host.settings.sensorModel, dpiSteps);
}

void LinkTest::Connect(bool wired, bool receiver) {
    if (wired) {
        mouse.Plug(sim::SimKind::Wired);
    }
    if (receiver) {
        mouse.Plug(sim::SimKind::Receiver);
    }
    // Registered after plugging: the arrivals above are this discovery's business.
    link.RegisterForDeviceChanges();
    link.DiscoverDevices();
    mouse.ClearLog();
}

std::vector<Frame> LinkTest::TakeLog() {
    std::vector<Frame> frames;
    for (const sim::LoggedReport& report : mouse.Log()) {
        frames.push_back({report.ms, std::string(sim::KindName(report.kind)),
                          std::string(sim::DirectionName(report.direction)), report.bytes});
    }
    mouse.ClearLog();
    return frames;
}

std::vector<Frame> LinkTest::TakeSets() {
    std::vector<Frame> sets;
    for (Frame& frame : TakeLog()) {
        if (frame.direction == "set") {
            sets.push_back(std::move(frame));
        }
    }
    return sets;
}

bool LinkTest::ProcessWhenQueued(int wakes) {
    for (int i = 0; i < 5000 && host.wakes.load() < wakes; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    link.ProcessLinkEvents();
    return host.wakes.load() >= wakes;
}

uint32_t LinkTest::AddLibraryMacro(const std::string& name, const std::vector<MacroAction>& actions,
                                   uint8_t loopType, uint8_t loopCount) {
    auto macro = std::make_unique<MacroRecord>(name);
    macro->MacroKeyIndex = host.library.NextMacroKeyIndex();
    host.library.SetNextMacroKeyIndex(macro->MacroKeyIndex + 1);
    macro->LoopType = loopType;
    macro->LoopCount = loopCount;
    for (const MacroAction& action : actions) {
        macro->InsertAction(macro->ActionCount, action);
        if (!action.IsDelay()) {
            ++macro->CommandCount;
        }
    }
    const uint32_t id = macro->MacroKeyIndex;
    int slot = 0;
    while (!host.library.ItemAt({0, slot, 0, 0})->IsFree()) {
        ++slot;
    }
    host.library.AddMacroAt({0, slot, 0, 0}, name, std::move(macro));
    return id;
}

void LinkTest::BindMacro(size_t button, uint32_t macroKeyIndex) {
    KeyAssignment& key = host.Current().keys[button];
    key.code = kMacroCode;
    key.name = "macro";
    key.MacroKeyIndex = macroKeyIndex;
}

} // namespace vexmo::test
