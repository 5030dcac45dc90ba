#include "device/config_report.h"

#include <algorithm>

namespace torvane {

ConfigReport ConfigReport::make(std::uint8_t command, std::uint8_t argument1,
                                std::uint8_t argument2) {
    ConfigReport report;
    report.bytes[0] = kConfigReportId;
    report.bytes[1] = command;
    report.bytes[2] = argument1;
    report.bytes[3] = argument2;
    return report;
}

std::span<const std::uint8_t> ConfigReport::wire(std::size_t featureReportLength) const {
    return std::span<const std::uint8_t>(bytes).first(std::min(featureReportLength, bytes.size()));
}

}  // namespace torvane
