#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>

#include "device/hid_caps.h"

namespace torvane {

class HidDevice;

// The three states of a collection's handle: never opened, an open that failed, open.
enum class HandleState : std::uint8_t { None, Invalid, Open };

// One handle of the device link (the read or the write collection) with the capabilities it was
// opened with. Discovery assigns it on the UI thread; the listener and the senders take
// snapshots from any thread. Its mutex guards the state, the device pointer and the caps; a
// second mutex serialises the reports sent through it.
class DeviceHandle {
  public:
    struct Snapshot {
        HandleState state = HandleState::None;
        std::shared_ptr<HidDevice> device;  // set only when state is Open
        HidCaps caps;
        std::uint64_t generation = 0;  // changes with every assign() or reset()
    };

    HandleState state() const;
    // Not None: an invalid handle counts as set.
    bool isSet() const { return state() != HandleState::None; }

    // Records the result of an open: a null device makes the handle invalid.
    void assign(std::unique_ptr<HidDevice> device, const HidCaps& caps);
    // Back to None (the device is closed once no reader holds it any more).
    void reset();

    Snapshot snapshot() const;
    // Blocks until the handle is open with a generation other than `seenGeneration`, or until a
    // stop is requested (then the returned snapshot has no device). For the listener.
    Snapshot waitForOpen(std::stop_token stop, std::uint64_t seenGeneration) const;

    // Sends one feature report of report.size() bytes if the handle is open; false otherwise or
    // when the platform refused it. Sends from different threads never interleave.
    bool sendFeatureReport(std::span<const std::uint8_t> report);

  private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable_any m_changed;
    HandleState m_state = HandleState::None;
    std::shared_ptr<HidDevice> m_device;
    HidCaps m_caps;
    std::uint64_t m_generation = 0;
    std::mutex m_sendMutex;  // held for the whole of one send
};

}  // namespace torvane
