#pragma once

#include <cstdint>

#include "app/mouse_config.h"

namespace torvane {

// Element number, in the main page's layout, of the DPI value chosen for stage k:
// 45 + 5k + dpiSetting[k]. Recomputed whenever a DPI value changes.
std::int32_t dpiSettingElementOf(int stage, std::uint8_t dpiSetting);

// Keeps at least one slot on the left click after slot `slot` (1..7) was given a function: when no
// slot carries LeftClick, slot 7 gets it back when it was the one assigned, otherwise slot + 1
// gets it. Returns the slot that was given LeftClick, or 0 when nothing changed.
int ensureLeftClickAfterAssignment(MouseConfig& config, int slot);

// Whether a slot other than `slot` carries LeftClick. When none does, the user is asked before
// the function of `slot` may change.
bool otherSlotHasLeftClick(const MouseConfig& config, int slot);

// The enable switch of DPI stage `stage` (0..3) was clicked. A disabled stage becomes enabled. An
// enabled one becomes disabled; if it was the active stage, the next enabled stage after it
// (cyclically) becomes active, and if there is none the stage stays enabled and active.
void toggleDpiStage(MouseConfig& config, int stage);

// Makes `stage` the active stage when it is enabled; returns whether it did.
bool chooseActiveDpiStage(MouseConfig& config, int stage);

}  // namespace torvane
