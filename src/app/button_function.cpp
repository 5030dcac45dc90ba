#include "app/button_function.h"

namespace torvane {

DeviceCode deviceCodeOf(std::int32_t code) {
    DeviceCode result;
    if (code == 6) result.dpiStep = 2;
    if (code == 17) result.dpiStep = 1;
    if (code == 18) result.dpiStep = -1;

    if (code >= 0 && code <= 5) {
        result.deviceCode = static_cast<std::uint8_t>(code);
    } else if (code >= 11 && code <= 16) {
        result.deviceCode = static_cast<std::uint8_t>(code - 4);
    } else if (code >= 21 && code <= 25) {
        result.deviceCode = static_cast<std::uint8_t>(code - 8);
    } else if (code == 6 || (code >= 17 && code <= 19) || (code >= 26 && code <= 52)) {
        result.deviceCode = kReportToHostDeviceCode;
    }
    return result;
}

bool isSoftwareFunction(std::int32_t code) {
    return deviceCodeOf(code).deviceCode == kReportToHostDeviceCode;
}

}  // namespace torvane
