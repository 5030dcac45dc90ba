#include "device/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace torvane {
namespace {

// A node with a mouse collection, then the read collection (input reports 5 and 6, the longer
// one 7 bytes of data, with a nested collection) and the write collection (feature report 7 with
// 8 bytes of data, given as two items).
const std::vector<std::uint8_t> kMouseNode = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,                    // Generic Desktop / Mouse, Application
    0x85, 0x01, 0x75, 0x08, 0x95, 0x04, 0x81, 0x02,        // report 1: 4 bytes input
    0xC0, 0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        // 0xFF00 / 1, Application
    0x85, 0x05, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02,        // report 5: 3 bytes input
    0x09, 0x02, 0xA1, 0x02,                                //   0xFF00 / 2, Logical
    0x85, 0x06, 0x95, 0x07, 0x81, 0x02,                    //   report 6: 7 bytes input
    0xC0, 0xC0, 0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01,  // 0xFF01 / 1, Application
    0x85, 0x07, 0x75, 0x08, 0x95, 0x03, 0xB1, 0x02,        // report 7: 3 + 5 bytes feature
    0x75, 0x08, 0x95, 0x05, 0xB1, 0x02, 0xC0,
};

TEST(ReportDescriptorTest, GivesTheCapsOfEachCollection) {
    const auto descriptor = parseReportDescriptor(kMouseNode);
    ASSERT_TRUE(descriptor);
    EXPECT_TRUE(descriptor->usesReportIds);
    ASSERT_EQ(descriptor->topLevels.size(), 3u);
    EXPECT_EQ(descriptor->collections.size(), 4u);

    const auto read = descriptor->capsOf(0xFF00, 1);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (HidCaps{1, 0xFF00, 8, 0, 0}));
    const auto write = descriptor->capsOf(0xFF01, 1);
    ASSERT_TRUE(write);
    EXPECT_EQ(*write, (HidCaps{1, 0xFF01, 0, 0, 9}));
    // A nested collection has the lengths of its top-level collection.
    EXPECT_EQ(descriptor->capsOf(0xFF00, 2), read);
    EXPECT_EQ(descriptor->capsOf(0x0001, 2)->inputReportLength, 5);
    EXPECT_FALSE(descriptor->capsOf(0xFF02, 1));
    EXPECT_EQ(descriptor->topLevelOf(0xFF00, 1)->inputReportIds, (std::vector<std::uint8_t>{5, 6}));
}

TEST(ReportDescriptorTest, WithoutReportIdsLengthsStillCountTheIdByte) {
    const std::vector<std::uint8_t> bytes = {0x06, 0x00, 0xFF, 0x0A, 0x01, 0x00, 0xA1, 0x01,
                                             0x75, 0x08, 0x96, 0x00, 0x01, 0x81, 0x02, 0xC0};
    const auto descriptor = parseReportDescriptor(bytes);
    ASSERT_TRUE(descriptor);
    EXPECT_FALSE(descriptor->usesReportIds);
    EXPECT_EQ(descriptor->capsOf(0xFF00, 1)->inputReportLength, 257);
}

TEST(ReportDescriptorTest, ExtendedUsagePushPopAndLongItems) {
    const std::vector<std::uint8_t> bytes = {
        0x05, 0x01,                    // usage page 1 ...
        0x0B, 0x01, 0x00, 0x01, 0xFF,  // ... but a four-byte usage 0xFF01 / 1
        0xA1, 0x01, 0x85, 0x07, 0x75, 0x08, 0x95, 0x02,
        0xA4,                          // push
        0x95, 0x10, 0xB1, 0x02,        // 16 bytes
        0xB4,                          // pop: count 2 again
        0xB1, 0x02,                    // 2 bytes
        0xFE, 0x02, 0x10, 0xAA, 0xBB,  // a long item, skipped
        0xC0,
    };
    const auto descriptor = parseReportDescriptor(bytes);
    ASSERT_TRUE(descriptor);
    EXPECT_EQ(descriptor->capsOf(0xFF01, 1)->featureReportLength, 19);
}

TEST(ReportDescriptorTest, TruncatedOrOddInputIsBounded) {
    // Cut inside an item.
    EXPECT_FALSE(parseReportDescriptor(std::vector<std::uint8_t>{0x06, 0x00}));
    EXPECT_FALSE(parseReportDescriptor(std::vector<std::uint8_t>{0xFE, 0x05, 0x00}));
    EXPECT_FALSE(parseReportDescriptor(std::vector<std::uint8_t>{0xFE}));
    // Empty, unbalanced, items outside collections, huge counts: parsed, lengths bounded.
    EXPECT_TRUE(parseReportDescriptor({}));
    const std::vector<std::uint8_t> odd = {0xC0, 0xC0, 0x81, 0x02, 0xB4, 0x09, 0x01, 0xA1,
                                           0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF,
                                           0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02};
    const auto descriptor = parseReportDescriptor(odd);
    ASSERT_TRUE(descriptor);
    ASSERT_EQ(descriptor->topLevels.size(), 1u);
    EXPECT_EQ(descriptor->topLevels[0].caps.inputReportLength, 0xFFFF);
}

TEST(FrameInputReportTest, PassesOnlyTheCollectionsReportsWithTheIdFirst) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> raw;
        bool usesIds;
        std::vector<std::uint8_t> ids;
        std::size_t outSize;
        std::optional<std::vector<std::uint8_t>> framed;
    };
    const std::vector<std::uint8_t> ids = {5, 6};
    const std::vector<Case> cases = {
        {"own press", {5, 245, 0}, true, ids, 8, std::vector<std::uint8_t>{5, 245, 0}},
        {"confirmation", {6, 0}, true, ids, 8, std::vector<std::uint8_t>{6, 0}},
        {"other collection", {1, 0, 4, 4}, true, ids, 8, std::nullopt},
        {"no id list", {1, 7}, true, {}, 8, std::vector<std::uint8_t>{1, 7}},
        {"cut to the buffer", {5, 245, 1, 2, 3}, true, ids, 2, std::vector<std::uint8_t>{5, 245}},
        {"no ids: 0 first", {245, 1}, false, {}, 8, std::vector<std::uint8_t>{0, 245, 1}},
        {"no ids, cut", {245, 1, 2}, false, {}, 2, std::vector<std::uint8_t>{0, 245}},
        {"no ids, no room", {245}, false, {}, 0, std::vector<std::uint8_t>{}},
        {"empty read", {}, true, ids, 8, std::nullopt},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out(c.outSize, 0xEE);
        const auto length = frameInputReport(c.raw, c.usesIds, c.ids, out);
        ASSERT_EQ(length.has_value(), c.framed.has_value()) << c.name;
        if (!length) continue;
        out.resize(*length);
        EXPECT_EQ(out, *c.framed) << c.name;
    }
}

}  // namespace
}  // namespace torvane
