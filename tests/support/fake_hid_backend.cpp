#include "support/fake_hid_backend.h"

namespace torvane::test {

class FakeHidBackend::Device : public HidDevice {
  public:
    explicit Device(FakeHidBackend& backend) : m_backend(backend) {}
    bool sendFeatureReport(std::span<const std::uint8_t> report) override {
        std::lock_guard lock(m_backend.m_mutex);
        m_backend.m_sent.emplace_back(report.begin(), report.end());
        return true;
    }
    // Nothing ever arrives: reads fail at once (tests of the listener use the virtual mouse).
    HidReadResult readInputReport(std::span<std::uint8_t>) override {
        return {HidReadStatus::Failed, 0};
    }
    void cancelRead() override {}

  private:
    FakeHidBackend& m_backend;
};

std::vector<HidInterface> FakeHidBackend::enumerate() {
    return interfaces;
}

std::unique_ptr<HidDevice> FakeHidBackend::open(const std::string& path, HidAccess access) {
    opens.push_back({path, access});
    if (failingOpens.count(path) != 0) return nullptr;
    return std::make_unique<Device>(*this);
}

void FakeHidBackend::addMouseCollection(const std::string& path, std::uint16_t usagePage,
                                        std::uint16_t usage, std::uint16_t inputLength,
                                        std::uint16_t featureLength) {
    interfaces.push_back(
        {path, 0x18F8, 0x0F99, HidCaps{usage, usagePage, inputLength, 0, featureLength}});
}

void FakeHidBackend::addOtherDevice(const std::string& path, std::uint16_t vendorId,
                                    std::uint16_t productId) {
    interfaces.push_back({path, vendorId, productId, HidCaps{2, 1, 8, 0, 0}});
}

std::vector<std::vector<std::uint8_t>> FakeHidBackend::sentReports() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

}  // namespace torvane::test
