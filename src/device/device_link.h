#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "device/device_handle.h"
#include "device/hid_caps.h"

namespace torvane {

// The mouse's ids.
inline constexpr std::uint16_t kMouseVendorId = 0x18F8;
inline constexpr std::uint16_t kMouseProductId = 0x0F99;

// The mouse's two vendor collections: input reports come from the read collection, feature
// reports go to the write collection.
inline constexpr std::uint16_t kReadUsagePage = 0xFF00;
inline constexpr std::uint16_t kWriteUsagePage = 0xFF01;
inline constexpr std::uint16_t kVendorUsage = 1;

// What discovery found of the mouse. Discovery writes it on the UI thread. The listener and the
// senders use the handles only (each carries the caps it was opened with), so they never read
// the plain fields while discovery may still write them.
struct DeviceLink {
    std::atomic<bool> devicePresent{false};
    std::string devicePath;   // path of the last interface that matched the mouse's ids (UI thread)
    DeviceHandle readHandle;  // usage page 0xFF00, usage 1, opened for reading
    DeviceHandle writeHandle;  // usage page 0xFF01, usage 1, opened for writing
    HidCaps readCaps;          // UI thread; readHandle keeps its own copy
    HidCaps writeCaps;         // UI thread; writeHandle keeps its own copy
};

}  // namespace torvane
