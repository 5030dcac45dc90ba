#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace torvane {

// The mouse's ids.
inline constexpr std::uint16_t kMouseVendorId = 0x18F8;
inline constexpr std::uint16_t kMouseProductId = 0x0F99;

// The HID capabilities of one collection; only these five are used.
struct HidCaps {
    std::uint16_t usage = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    bool operator==(const HidCaps&) const = default;
};

// What discovery found of the mouse. Written by the UI thread during discovery; the listener and
// the senders read it afterwards.
struct DeviceLink {
    std::atomic<bool> devicePresent{false};
    std::string devicePath;  // path of the last interface that matched the mouse's ids
    HidCaps readCaps;
    HidCaps writeCaps;
};

}  // namespace torvane
