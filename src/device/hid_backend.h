#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/device_link.h"

namespace torvane {

// One HID interface (one top-level collection) as enumeration lists it.
struct HidInterface {
    std::string path;  // opaque to the core; the same path may serve several collections
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    HidCaps caps;  // usage page, usage and report lengths (in bytes, report id included)
};

enum class HidAccess { Read, Write };

enum class HidReadStatus {
    Report,     // one input report was read
    Failed,     // the read failed; the device may still be there
    Cancelled,  // cancelRead() was called
    Gone,       // the device has been unplugged
};

struct HidReadResult {
    HidReadStatus status = HidReadStatus::Failed;
    std::size_t length = 0;  // bytes written into the buffer when status is Report
};

// An open HID interface. Owned by the device link (shared with the listener while it reads).
class HidDevice {
  public:
    virtual ~HidDevice() = default;
    // Sends one feature report: `report[0]` is the report id and counts in its size. True when
    // the platform accepted it. Any thread; the device link serialises the calls.
    virtual bool sendFeatureReport(std::span<const std::uint8_t> report) = 0;
    // Blocks until one input report has arrived and copies at most buffer.size() bytes of it.
    // Called by one reader thread at a time.
    virtual HidReadResult readInputReport(std::span<std::uint8_t> buffer) = 0;
    // Makes a blocked read return Cancelled soon, and every later read at once. Any thread.
    virtual void cancelRead() = 0;
};

// The HID layer of the platform (or a simulated mouse). UI thread, except where noted.
class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // The present HID interfaces, in the platform's order.
    virtual std::vector<HidInterface> enumerate() = 0;
    // Opens `path` for reading input reports or for sending feature reports; null on failure.
    virtual std::unique_ptr<HidDevice> open(const std::string& path, HidAccess access) = 0;
    // Opens the enumerated collection `entry`; a backend that needs more than the path to
    // serve one collection (say, to pass on only its input reports) overrides this.
    virtual std::unique_ptr<HidDevice> openInterface(const HidInterface& entry, HidAccess access) {
        return open(entry.path, access);
    }
};

}  // namespace torvane
