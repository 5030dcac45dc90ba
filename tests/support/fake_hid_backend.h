#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "device/hid_backend.h"

namespace torvane::test {

// A HID backend with a prepared list of interfaces. It keeps the opens it was asked for, can
// be told to fail the opens of some paths, and gives devices that keep the feature reports sent
// through them (in one log shared by all its devices, so tests see the order across handles).
class FakeHidBackend : public HidBackend {
  public:
    struct Open {
        std::string path;
        HidAccess access;
        bool operator==(const Open&) const = default;
    };

    std::vector<HidInterface> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, HidAccess access) override;

    // Adds an interface of the mouse (its ids) or of another device.
    void addMouseCollection(const std::string& path, std::uint16_t usagePage,
                            std::uint16_t usage = 1, std::uint16_t inputLength = 8,
                            std::uint16_t featureLength = 8);
    void addOtherDevice(const std::string& path, std::uint16_t vendorId = 0x046D,
                        std::uint16_t productId = 0xC077);

    std::vector<HidInterface> interfaces;
    std::set<std::string> failingOpens;
    std::vector<Open> opens;

    // Sent reports, as sent.
    std::vector<std::vector<std::uint8_t>> sentReports() const;

  private:
    class Device;
    mutable std::mutex m_mutex;  // guards m_sent (devices send from any thread)
    std::vector<std::vector<std::uint8_t>> m_sent;
};

}  // namespace torvane::test
