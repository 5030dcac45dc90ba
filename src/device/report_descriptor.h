#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/hid_caps.h"

namespace torvane {

// One collection of a HID report descriptor with the report lengths of the top-level collection
// it belongs to. Lengths are in bytes and count one report id byte, as HID capabilities do.
struct DescriptorCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    bool topLevel = false;
    std::size_t topLevelIndex = 0;  // index of its top-level collection among the top-levels
};

struct DescriptorTopLevel {
    HidCaps caps;                              // usage, usage page and the three lengths
    std::vector<std::uint8_t> inputReportIds;  // ids of its input reports (0: no ids used)
};

// What the program needs of a report descriptor: every collection (nested ones too, in the
// order they open) and the top-level collections' capabilities.
struct ReportDescriptor {
    std::vector<DescriptorCollection> collections;
    std::vector<DescriptorTopLevel> topLevels;
    bool usesReportIds = false;

    // The capabilities that belong to the collection `usagePage`/`usage`: its own when it is a
    // top-level collection, else those of the top-level collection holding it (the first
    // top-level match wins over nested ones). nullopt when no collection has these usages.
    std::optional<HidCaps> capsOf(std::uint16_t usagePage, std::uint16_t usage) const;
    // The top-level collection capsOf takes the capabilities from, or null.
    const DescriptorTopLevel* topLevelOf(std::uint16_t usagePage, std::uint16_t usage) const;
};

// Frames one input report as read from a device node (`raw`, report id first when the
// descriptor uses ids) for the reader of one collection: with ids, a report whose id is not
// among `inputReportIds` belongs to another collection of the node and gives nullopt (an empty
// list lets every report through); without ids, a report id byte 0 is put in front. The framed
// report is cut to `out`; the result is the number of bytes written.
std::optional<std::size_t> frameInputReport(std::span<const std::uint8_t> raw, bool usesReportIds,
                                            std::span<const std::uint8_t> inputReportIds,
                                            std::span<std::uint8_t> out);

// Parses a report descriptor as the device sent it. nullopt when it is cut short inside an
// item; anything else unusual (unbalanced collections, huge counts) is tolerated and bounded.
std::optional<ReportDescriptor> parseReportDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace torvane
