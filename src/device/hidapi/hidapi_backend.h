#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace torvane {

// The HID backend on hidapi (hidraw on Linux). Enumeration lists one entry per collection usage;
// several entries may share one device node. Report lengths come from the node's report
// descriptor. A read device passes on only the input reports of the collection it was opened
// for, with the report id first (0 when the device uses no ids), and tells a failed read from a
// device that has gone. UI thread for enumerate/open; the devices as HidDevice says.
class HidapiBackend : public HidBackend {
  public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    // False when the library could not be initialised (then nothing is enumerated).
    bool ready() const { return m_ready; }

    std::vector<HidInterface> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, HidAccess access) override;
    std::unique_ptr<HidDevice> openInterface(const HidInterface& entry, HidAccess access) override;

  private:
    bool m_ready = false;
};

}  // namespace torvane
