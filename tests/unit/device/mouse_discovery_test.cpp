#include "device/mouse_discovery.h"

#include <gtest/gtest.h>

#include "device/device_link.h"
#include "support/fake_hid_backend.h"

namespace torvane {
namespace {

using test::FakeHidBackend;
using Open = FakeHidBackend::Open;

TEST(MouseDiscoveryTest, OpensBothCollectionsAndStopsAtTheSecond) {
    FakeHidBackend backend;
    backend.addOtherDevice("/dev/keyboard");
    backend.addOtherDevice("/dev/other");
    // Write collection first, then the read collection, then interfaces never examined.
    backend.addMouseCollection("/dev/mouse-write", 0xFF01, 1, 0, 9);
    backend.addMouseCollection("/dev/mouse-read", 0xFF00, 1, 5, 0);
    backend.addMouseCollection("/dev/mouse-later", 0xFF00);
    backend.addOtherDevice("/dev/after");

    DeviceLink link;
    EXPECT_TRUE(discoverMouse(link, backend));
    EXPECT_TRUE(link.devicePresent);
    EXPECT_EQ(link.devicePath, "/dev/mouse-read");
    EXPECT_EQ(link.readHandle.state(), HandleState::Open);
    EXPECT_EQ(link.writeHandle.state(), HandleState::Open);
    EXPECT_EQ(link.readCaps.inputReportLength, 5);
    EXPECT_EQ(link.writeCaps.featureReportLength, 9);
    EXPECT_EQ(link.writeHandle.snapshot().caps, link.writeCaps);
    EXPECT_EQ(backend.opens, (std::vector<Open>{{"/dev/mouse-write", HidAccess::Write},
                                                {"/dev/mouse-read", HidAccess::Read}}));
}

TEST(MouseDiscoveryTest, OnePathServesBothCollections) {
    // Enumeration that lists every collection usage of one node, nested ones included.
    FakeHidBackend backend;
    backend.addMouseCollection("/dev/hidraw3", 0x0001, 2);
    backend.addMouseCollection("/dev/hidraw3", 0xFF00, 1, 8, 0);
    backend.addMouseCollection("/dev/hidraw3", 0xFF00, 2);
    backend.addMouseCollection("/dev/hidraw3", 0xFF01, 1, 0, 8);

    DeviceLink link;
    EXPECT_TRUE(discoverMouse(link, backend));
    EXPECT_EQ(backend.opens, (std::vector<Open>{{"/dev/hidraw3", HidAccess::Read},
                                                {"/dev/hidraw3", HidAccess::Write}}));
    EXPECT_EQ(link.readHandle.state(), HandleState::Open);
    EXPECT_EQ(link.writeHandle.state(), HandleState::Open);
}

TEST(MouseDiscoveryTest, MissingCollectionRunsThroughAndLastInterfaceDecides) {
    struct Case {
        const char* name;
        bool mouseLast;
    };
    for (const Case c : {Case{"mouse last", true}, Case{"other device last", false}}) {
        FakeHidBackend backend;
        backend.addMouseCollection("/dev/mouse", 0xFF00);
        backend.addOtherDevice("/dev/other");
        if (c.mouseLast) backend.addMouseCollection("/dev/mouse", 0x0001, 2);

        DeviceLink link;
        EXPECT_EQ(discoverMouse(link, backend), c.mouseLast) << c.name;
        EXPECT_EQ(link.devicePresent, c.mouseLast) << c.name;
        EXPECT_EQ(link.devicePath, "/dev/mouse") << c.name;
        EXPECT_EQ(link.readHandle.state(), HandleState::Open) << c.name;
        EXPECT_EQ(link.writeHandle.state(), HandleState::None) << c.name;
    }
}

TEST(MouseDiscoveryTest, FailedOpenLeavesAnInvalidHandleThatCountsAsSet) {
    FakeHidBackend backend;
    backend.addMouseCollection("/dev/mouse-read", 0xFF00);
    backend.addMouseCollection("/dev/mouse-write", 0xFF01);
    backend.addMouseCollection("/dev/mouse-read2", 0xFF00);
    backend.failingOpens = {"/dev/mouse-write"};

    DeviceLink link;
    EXPECT_TRUE(discoverMouse(link, backend));
    EXPECT_EQ(link.readHandle.state(), HandleState::Open);
    EXPECT_EQ(link.writeHandle.state(), HandleState::Invalid);
    EXPECT_EQ(backend.opens.size(), 2u);
}

TEST(MouseDiscoveryTest, ExaminesAtMostOneHundredIndexes) {
    for (const std::size_t others : {std::size_t{98}, std::size_t{99}, std::size_t{100}}) {
        FakeHidBackend backend;
        for (std::size_t i = 0; i < others; ++i)
            backend.addOtherDevice("/dev/o" + std::to_string(i));
        backend.addMouseCollection("/dev/mouse-read", 0xFF00);
        backend.addMouseCollection("/dev/mouse-write", 0xFF01);

        DeviceLink link;
        const bool found = discoverMouse(link, backend);
        // With 98 others both collections fit in 0..99; with 99 only the read collection is
        // examined (and it is the last one, so the mouse counts as present); with 100 neither.
        EXPECT_EQ(found, others < 100) << others;
        EXPECT_EQ(link.readHandle.isSet(), others < 100) << others;
        EXPECT_EQ(link.writeHandle.isSet(), others < 99) << others;
    }
}

TEST(MouseDiscoveryTest, NoMouseAtAll) {
    FakeHidBackend backend;
    backend.addOtherDevice("/dev/a");
    backend.addOtherDevice("/dev/b", 0x18F8, 0x0001);  // the vendor's other product
    DeviceLink link;
    EXPECT_FALSE(discoverMouse(link, backend));
    EXPECT_TRUE(link.devicePath.empty());
    EXPECT_TRUE(backend.opens.empty());
}

}  // namespace
}  // namespace torvane
