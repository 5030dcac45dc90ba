#include "device/hidapi/hidapi_backend.h"

#include <hidapi.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>

#include "device/report_descriptor.h"

namespace torvane {

namespace {

// Used when a device's report descriptor cannot be read: a full-speed report with its id byte.
constexpr std::uint16_t kFallbackReportLength = 65;
// A blocked read looks for a cancellation this often.
constexpr int kReadSliceMs = 100;
constexpr std::size_t kReadBufferSize = 1024;

// The report descriptor of the device behind `path`.
std::optional<ReportDescriptor> readDescriptor(const std::string& path) {
#if defined(__linux__)
    // hidraw paths are /dev/hidrawN; sysfs holds the descriptor the kernel parsed.
    const std::filesystem::path node(path);
    const std::filesystem::path file =
        std::filesystem::path("/sys/class/hidraw") / node.filename() / "device/report_descriptor";
    std::ifstream in(file, std::ios::binary);
    if (in) {
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        return parseReportDescriptor(bytes);
    }
#endif
#if HID_API_VERSION >= HID_API_MAKE_VERSION(0, 14, 0)
    if (hid_device* device = hid_open_path(path.c_str())) {
        std::array<unsigned char, 4096> bytes{};
        const int size = hid_get_report_descriptor(device, bytes.data(), bytes.size());
        hid_close(device);
        if (size > 0) {
            return parseReportDescriptor(std::span(bytes).first(static_cast<std::size_t>(size)));
        }
    }
#endif
    return std::nullopt;
}

// Whether the device node behind `path` is still there.
bool nodeExists(const std::string& path) {
#if defined(__linux__)
    std::error_code error;
    return std::filesystem::exists(path, error) || error;
#else
    (void)path;
    return true;
#endif
}

class HidapiDevice : public HidDevice {
  public:
    HidapiDevice(hid_device* device, std::string path, bool usesReportIds,
                 std::vector<std::uint8_t> inputReportIds)
        : m_device(device),
          m_path(std::move(path)),
          m_usesReportIds(usesReportIds),
          m_inputReportIds(std::move(inputReportIds)) {}
    ~HidapiDevice() override { hid_close(m_device); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    bool sendFeatureReport(std::span<const std::uint8_t> report) override {
        std::lock_guard lock(m_mutex);
        return hid_send_feature_report(m_device, report.data(), report.size()) >= 0;
    }

    HidReadResult readInputReport(std::span<std::uint8_t> buffer) override {
        std::array<std::uint8_t, kReadBufferSize> data{};
        while (!m_cancelled) {
            int size = 0;
            {
                std::lock_guard lock(m_mutex);
                size = hid_read_timeout(m_device, data.data(), data.size(), kReadSliceMs);
            }
            if (size < 0) {
                return {nodeExists(m_path) ? HidReadStatus::Failed : HidReadStatus::Gone, 0};
            }
            if (size == 0) continue;  // no report within this slice
            const auto length = frameInputReport(
                std::span(data).first(std::min(static_cast<std::size_t>(size), data.size())),
                m_usesReportIds, m_inputReportIds, buffer);
            if (!length) continue;  // a report of another collection on the same node
            return {HidReadStatus::Report, *length};
        }
        return {HidReadStatus::Cancelled, 0};
    }

    void cancelRead() override { m_cancelled = true; }

  private:
    std::mutex m_mutex;  // one hidapi call on this device at a time
    hid_device* m_device;
    std::string m_path;
    bool m_usesReportIds;
    std::vector<std::uint8_t> m_inputReportIds;
    std::atomic<bool> m_cancelled{false};
};

std::string narrowPath(const char* path) {
    return path != nullptr ? std::string(path) : "";
}

}  // namespace

HidapiBackend::HidapiBackend() : m_ready(hid_init() == 0) {}

HidapiBackend::~HidapiBackend() {
    if (m_ready) hid_exit();
}

std::vector<HidInterface> HidapiBackend::enumerate() {
    std::vector<HidInterface> result;
    if (!m_ready) return result;
    std::map<std::string, std::optional<ReportDescriptor>> descriptors;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* info = list; info != nullptr; info = info->next) {
        HidInterface entry;
        entry.path = narrowPath(info->path);
        entry.vendorId = info->vendor_id;
        entry.productId = info->product_id;
        entry.caps.usagePage = info->usage_page;
        entry.caps.usage = info->usage;
        if (entry.vendorId == kMouseVendorId && entry.productId == kMouseProductId) {
            auto found = descriptors.find(entry.path);
            if (found == descriptors.end()) {
                found = descriptors.emplace(entry.path, readDescriptor(entry.path)).first;
            }
            const std::optional<HidCaps> caps =
                found->second ? found->second->capsOf(info->usage_page, info->usage) : std::nullopt;
            if (caps) {
                entry.caps.inputReportLength = caps->inputReportLength;
                entry.caps.outputReportLength = caps->outputReportLength;
                entry.caps.featureReportLength = caps->featureReportLength;
            } else {
                entry.caps.inputReportLength = kFallbackReportLength;
                entry.caps.featureReportLength = kFallbackReportLength;
            }
        }
        result.push_back(entry);
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path, HidAccess access) {
    return openInterface(HidInterface{path, 0, 0, {}}, access);
}

std::unique_ptr<HidDevice> HidapiBackend::openInterface(const HidInterface& entry,
                                                        HidAccess access) {
    if (!m_ready) return nullptr;
    hid_device* device = hid_open_path(entry.path.c_str());
    if (device == nullptr) return nullptr;
    bool usesReportIds = false;
    std::vector<std::uint8_t> inputReportIds;
    if (access == HidAccess::Read) {
        if (const auto descriptor = readDescriptor(entry.path)) {
            usesReportIds = descriptor->usesReportIds;
            if (const DescriptorTopLevel* top =
                    descriptor->topLevelOf(entry.caps.usagePage, entry.caps.usage)) {
                inputReportIds = top->inputReportIds;
            }
        } else {
            usesReportIds = true;  // unknown: pass every report on as it came
        }
    }
    return std::make_unique<HidapiDevice>(device, entry.path, usesReportIds,
                                          std::move(inputReportIds));
}

}  // namespace torvane
