#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>

#include "app/mouse_config.h"
#include "device/device_link.h"
#include "macro/macro_table.h"
#include "macro/shared_macro_table.h"
#include "ui/geometry.h"
#include "ui/region.h"
#include "ui/skin/skin_layout.h"

namespace torvane {

class EditBox;
class ListBox;
class FunctionPicker;

// The one process-wide record shared by the window, the worker threads and the stores.
//
// Threads: fields that the listener, the engine or an animation step machine touch besides the
// UI thread are std::atomic (or SharedValue inside MouseConfig) of the stated width. Everything
// else is touched on the UI thread alone. The macro table has its own guard.
struct AppState {
    // --- Paths: set once during start-up, read-only afterwards.
    std::filesystem::path programDirectory;  // folder of the running executable
    std::filesystem::path configFilePath;    // programDirectory / "config.ini"
    std::filesystem::path macroFilePath;     // programDirectory / "Macro.dat"
    std::filesystem::path skinDirectory;     // programDirectory / "skins"

    // --- Current configuration: edited by the UI thread; the engine changes the DPI level, the
    // LED mode and, for the next-profile function, the whole profile.
    MouseConfig config;
    std::atomic<std::int32_t> currentConfigIndex{0};  // profile 1..5 in use ([Init] CurConfig)

    // --- Applied copies, written by applyConfiguration (loadProfile sets appliedDpiSetting, the
    // engine's LED toggle appliedLedMode).
    std::array<SharedValue<std::uint8_t>, kDpiStageCount> appliedDpiSetting{};
    SharedValue<std::uint8_t> appliedLedMode{0};
    // Per button slot 1..7 (entry 0 unused): 2 cycle, 1 up, -1 down, 0 not a DPI button.
    std::array<SharedValue<std::int32_t>, kButtonSlotCount + 1> dpiButtonStep{};

    // --- Device link (discovery, UI thread).
    DeviceLink deviceLink;

    // --- Hand-over between the listener, the engine and the window.
    // The listener writes buttonEventCode before it raises buttonEventPending; only the engine
    // lowers buttonEventPending and stopRequested. Whoever changes one of the two calls
    // wakeEngine() afterwards, so the engine blocks instead of polling.
    std::atomic<std::int32_t> buttonEventPending{0};
    std::atomic<std::uint8_t> buttonEventCode{0};
    std::atomic<std::int32_t> stopRequested{0};
    std::atomic<std::uint8_t> ackReceived{1};           // 1: no confirmation awaited
    std::atomic<std::int32_t> pendingConfirmButton{0};  // slot 1..7 whose confirmation is awaited
    std::atomic<std::uint8_t> confirmBlinkOn{0};
    std::atomic<std::uint8_t> confirmBlinkStarted{0};
    std::atomic<std::uint8_t> blinkThreadActive{0};
    // Bumped and notified after every change the engine waits for (and when it must stop).
    std::atomic<std::uint32_t> engineWakeCounter{0};

    void wakeEngine() {
        engineWakeCounter.fetch_add(1);
        engineWakeCounter.notify_all();
    }

    // --- Macros (the engine reads the table through its guard).
    SharedMacroTable macroTable;
    std::int32_t currentMacroIndex = 0;
    bool recording = false;
    std::int32_t pressLineCount = 0;
    std::int32_t releaseLineCount = 0;
    std::int32_t contextLine = 0;

    // The advanced page's controls; they exist only while that page is shown (null otherwise).
    EditBox* macroNameEdit = nullptr;
    EditBox* repeatCountEdit = nullptr;
    ListBox* macroNameList = nullptr;
    ListBox* macroEventList = nullptr;

    // --- Skin and window.
    SkinLayout skinLayout;
    Region windowShape;
    Region advancedInvalidRegion;
    std::uint8_t currentPage = 0;  // 0 main, 1 advanced, 2 colour
    bool elementPressed = false;
    std::int32_t hoverMainElement = 0;
    std::int32_t hoverColourElement = kNoElement;
    std::int32_t hoverAdvancedElement = kNoElement;
    std::int32_t selectedButtonElement = 0;  // 17..23: button slot + 16
    // Derived on every profile load, also on the engine thread (next profile), hence shared.
    std::array<SharedValue<std::int32_t>, kDpiStageCount> dpiSettingElement{};
    bool pickerOpen = false;
    FunctionPicker* picker = nullptr;
    Point pickerOrigin{};
    bool closePickerOnPaint = false;
    std::atomic<bool> ledPreviewActive{false};
    std::atomic<bool> ledPreviewDark{false};
    std::atomic<std::int32_t> ledPreviewStage{0};
};

// Recomputes dpiSettingElement from the current DPI values.
void updateDpiSettingElements(AppState& state);

// Sets programDirectory and the paths derived from it.
void setProgramDirectory(AppState& state, const std::filesystem::path& directory);

}  // namespace torvane
