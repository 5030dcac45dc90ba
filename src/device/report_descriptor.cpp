#include "device/report_descriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace torvane {

namespace {

enum : std::uint8_t { kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2 };
enum : std::uint8_t {
    kMainInput = 0x8,
    kMainOutput = 0x9,
    kMainCollection = 0xA,
    kMainFeature = 0xB,
    kMainEndCollection = 0xC,
};
enum : std::uint8_t {
    kGlobalUsagePage = 0x0,
    kGlobalReportSize = 0x7,
    kGlobalReportId = 0x8,
    kGlobalReportCount = 0x9,
    kGlobalPush = 0xA,
    kGlobalPop = 0xB,
};
constexpr std::uint8_t kLocalUsage = 0x0;
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kMaxPushDepth = 32;
constexpr std::uint64_t kMaxBits = 0xFFFFull * 8;  // keeps every length within 16 bits

struct Globals {
    std::uint16_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

enum Kind { kInput = 0, kOutput = 1, kFeature = 2 };

std::uint16_t lengthOf(std::uint64_t bits) {
    if (bits == 0) return 0;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>((bits + 7) / 8 + 1, 0xFFFF));
}

}  // namespace

std::optional<HidCaps> ReportDescriptor::capsOf(std::uint16_t usagePage,
                                                std::uint16_t usage) const {
    const DescriptorTopLevel* top = topLevelOf(usagePage, usage);
    if (top == nullptr) return std::nullopt;
    return top->caps;
}

const DescriptorTopLevel* ReportDescriptor::topLevelOf(std::uint16_t usagePage,
                                                       std::uint16_t usage) const {
    for (const DescriptorTopLevel& top : topLevels) {
        if (top.caps.usagePage == usagePage && top.caps.usage == usage) return &top;
    }
    for (const DescriptorCollection& collection : collections) {
        if (collection.usagePage == usagePage && collection.usage == usage &&
            collection.topLevelIndex < topLevels.size()) {
            return &topLevels[collection.topLevelIndex];
        }
    }
    return nullptr;
}

std::optional<std::size_t> frameInputReport(std::span<const std::uint8_t> raw, bool usesReportIds,
                                            std::span<const std::uint8_t> inputReportIds,
                                            std::span<std::uint8_t> out) {
    if (raw.empty()) return std::nullopt;
    if (usesReportIds) {
        if (!inputReportIds.empty() && std::find(inputReportIds.begin(), inputReportIds.end(),
                                                 raw[0]) == inputReportIds.end()) {
            return std::nullopt;
        }
        const std::size_t length = std::min(raw.size(), out.size());
        std::copy_n(raw.begin(), length, out.begin());
        return length;
    }
    if (out.empty()) return 0;
    out[0] = 0;
    const std::size_t length = std::min(raw.size(), out.size() - 1);
    std::copy_n(raw.begin(), length, out.begin() + 1);
    return length + 1;
}

std::optional<ReportDescriptor> parseReportDescriptor(std::span<const std::uint8_t> bytes) {
    ReportDescriptor result;
    Globals globals;
    std::vector<Globals> pushed;
    // Local: the first usage since the last main item (usage page in the high half).
    bool haveUsage = false;
    std::uint32_t firstUsage = 0;
    std::size_t depth = 0;
    // Bits per report id and kind, per top-level collection.
    std::vector<std::map<std::uint8_t, std::array<std::uint64_t, 3>>> bits;

    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t prefix = bytes[at];
        if (prefix == kLongItemPrefix) {
            if (at + 1 >= bytes.size()) return std::nullopt;
            const std::size_t skip = 3 + static_cast<std::size_t>(bytes[at + 1]);
            if (bytes.size() - at < skip) return std::nullopt;
            at += skip;
            continue;
        }
        static constexpr std::array<std::size_t, 4> kSizes{0, 1, 2, 4};
        const std::size_t size = kSizes[prefix & 3];
        if (bytes.size() - at - 1 < size) return std::nullopt;
        std::uint32_t data = 0;
        for (std::size_t i = 0; i < size; ++i) {
            data |= static_cast<std::uint32_t>(bytes[at + 1 + i]) << (8 * i);
        }
        at += 1 + size;
        const std::uint8_t type = (prefix >> 2) & 3;
        const std::uint8_t tag = prefix >> 4;

        if (type == kTypeGlobal) {
            switch (tag) {
                case kGlobalUsagePage:
                    globals.usagePage = static_cast<std::uint16_t>(data);
                    break;
                case kGlobalReportSize:
                    globals.reportSize = data;
                    break;
                case kGlobalReportCount:
                    globals.reportCount = data;
                    break;
                case kGlobalReportId:
                    globals.reportId = static_cast<std::uint8_t>(data);
                    result.usesReportIds = true;
                    break;
                case kGlobalPush:
                    if (pushed.size() < kMaxPushDepth) pushed.push_back(globals);
                    break;
                case kGlobalPop:
                    if (!pushed.empty()) {
                        globals = pushed.back();
                        pushed.pop_back();
                    }
                    break;
                default:
                    break;
            }
            continue;
        }
        if (type == kTypeLocal) {
            if (tag == kLocalUsage && !haveUsage) {
                // A four-byte usage carries its own usage page in the high half.
                firstUsage = size == 4 ? data : (std::uint32_t{globals.usagePage} << 16) | data;
                haveUsage = true;
            }
            continue;
        }
        if (type != kTypeMain) continue;

        if (tag == kMainCollection) {
            const std::uint32_t usage =
                haveUsage ? firstUsage : std::uint32_t{globals.usagePage} << 16;
            DescriptorCollection collection;
            collection.usagePage = static_cast<std::uint16_t>(usage >> 16);
            collection.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
            collection.topLevel = depth == 0;
            if (collection.topLevel) {
                DescriptorTopLevel top;
                top.caps.usagePage = collection.usagePage;
                top.caps.usage = collection.usage;
                result.topLevels.push_back(top);
                bits.emplace_back();
            }
            collection.topLevelIndex = result.topLevels.size() - 1;
            result.collections.push_back(collection);
            ++depth;
        } else if (tag == kMainEndCollection) {
            if (depth > 0) --depth;
        } else if ((tag == kMainInput || tag == kMainOutput || tag == kMainFeature) && depth > 0) {
            const Kind kind = tag == kMainInput ? kInput : tag == kMainOutput ? kOutput : kFeature;
            std::uint64_t& total = bits.back()[globals.reportId][kind];
            const std::uint64_t added = std::uint64_t{globals.reportSize} * globals.reportCount;
            total = std::min(total + std::min(added, kMaxBits), kMaxBits);
        }
        haveUsage = false;
    }

    for (std::size_t i = 0; i < result.topLevels.size(); ++i) {
        std::array<std::uint64_t, 3> longest{};
        for (const auto& [id, kinds] : bits[i]) {
            for (std::size_t k = 0; k < 3; ++k) longest[k] = std::max(longest[k], kinds[k]);
            if (kinds[kInput] > 0) result.topLevels[i].inputReportIds.push_back(id);
        }
        HidCaps& caps = result.topLevels[i].caps;
        caps.inputReportLength = lengthOf(longest[kInput]);
        caps.outputReportLength = lengthOf(longest[kOutput]);
        caps.featureReportLength = lengthOf(longest[kFeature]);
    }
    return result;
}

}  // namespace torvane
