#pragma once

#include <cstdint>

namespace torvane {

// The HID capabilities of one collection; only these five are used. Lengths are in bytes and
// include the report id byte.
struct HidCaps {
    std::uint16_t usage = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    bool operator==(const HidCaps&) const = default;
};

}  // namespace torvane
