#include "device/mouse_discovery.h"

#include <vector>

#include "device/device_link.h"
#include "device/hid_backend.h"

namespace torvane {

bool discoverMouse(DeviceLink& link, HidBackend& backend) {
    const std::vector<HidInterface> interfaces = backend.enumerate();
    for (std::size_t index = 0; index < kMaxInterfaceIndexes; ++index) {
        if (index >= interfaces.size()) continue;
        const HidInterface& entry = interfaces[index];
        link.devicePresent = false;
        if (entry.vendorId != kMouseVendorId || entry.productId != kMouseProductId) continue;

        link.devicePresent = true;
        link.devicePath = entry.path;
        if (entry.caps.usagePage == kReadUsagePage && entry.caps.usage == kVendorUsage) {
            link.readCaps = entry.caps;
            link.readHandle.assign(backend.openInterface(entry, HidAccess::Read), entry.caps);
        }
        if (entry.caps.usagePage == kWriteUsagePage && entry.caps.usage == kVendorUsage) {
            link.writeCaps = entry.caps;
            link.writeHandle.assign(backend.openInterface(entry, HidAccess::Write), entry.caps);
        }
        if (link.readHandle.isSet() && link.writeHandle.isSet()) break;
    }
    return link.devicePresent;
}

}  // namespace torvane
