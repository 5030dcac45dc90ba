// Input reports come from the device: any bytes, in any state, only move the hand-over flags.
#include <cstddef>
#include <cstdint>
#include <span>

#include "app/app_state.h"
#include "app/app_window.h"
#include "device/device_listener.h"

namespace {
class NoWindow : public torvane::AppWindow {
  public:
    void requestRepaint() override {}
    void destroy() override {}
};
}  // namespace

// Byte 0 chooses the state (wait, engine busy, hold mode); the rest is cut into reports of
// 1..4 bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    torvane::AppState state;
    NoWindow window;
    state.ackReceived = (data[0] & 1) ? 0 : 1;
    state.buttonEventPending = (data[0] & 2) ? 1 : 0;
    state.config.macroRepeatWhileHeld = (data[0] & 4) ? 1 : 0;
    std::span<const std::uint8_t> rest(data + 1, size - 1);
    while (!rest.empty()) {
        const std::size_t length = std::min<std::size_t>(1 + rest[0] % 4, rest.size());
        torvane::handleDeviceEvent(state, rest.first(length), window);
        rest = rest.subspan(length);
    }
    return 0;
}
