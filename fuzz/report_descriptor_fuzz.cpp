// Report descriptors come from the device: the parser must never read out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto descriptor = torvane::parseReportDescriptor(std::span(data, size));
    if (descriptor) {
        (void)descriptor->capsOf(0xFF00, 1);
        (void)descriptor->capsOf(0xFF01, 1);
    }
    return 0;
}
