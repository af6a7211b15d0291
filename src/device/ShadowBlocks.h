#pragma once
// What the program believes the mouse holds, one block per command. A shadow is unknown until
// it is first written (SyncShadows at start-up); an unknown shadow differs from everything, so
// the next pass sends its block.
#include "device/ConfigBlocks.h"
#include "device/MacroEncoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

namespace vexmo {

inline constexpr size_t kMacroSlots = 16;

template <typename Block, size_t Compared = std::tuple_size_v<Block>> class Shadow {
public:
    // Stores `built` and returns whether it differs from what was held.
    bool Update(const Block& built) {
        const bool differs = !held_ || !std::equal(built.begin(), built.begin() + Compared, held_->begin());
        held_ = built;
        return differs;
    }
    void Forget() { held_.reset(); }
    bool Known() const { return held_.has_value(); }
    const std::optional<Block>& Held() const { return held_; }

private:
    std::optional<Block> held_;
};

using ByteShadow = Shadow<std::array<uint8_t, 1>>;

struct ShadowBlocks {
    std::array<Shadow<ButtonCode>, kButtonSlots> buttons;
    Shadow<DpiBlock, kDpiBlockCompared> dpi;
    Shadow<DpiColourBlock> dpiColours;
    ByteShadow reportRate;
    ByteShadow liftOff;
    ByteShadow debounce;
    Shadow<LightingBlock> lighting; // compared over the whole block: unused bytes stay zero
    Shadow<PowerBlock> power;
    ByteShadow motion;
    std::array<Shadow<MacroBlock>, kMacroSlots> macros;

    // Every shadow unknown, so the next pass with a flag raised sends its blocks again.
    void ForgetAll() {
        for (auto& button : buttons) {
            button.Forget();
        }
        dpi.Forget();
        dpiColours.Forget();
        reportRate.Forget();
        liftOff.Forget();
        debounce.Forget();
        lighting.Forget();
        power.Forget();
        motion.Forget();
        for (auto& macro : macros) {
            macro.Forget();
        }
    }
};

} // namespace vexmo
