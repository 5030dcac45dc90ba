#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QSysInfo>
#include <QUuid>
#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

#include "platform/qt/qt_app_window.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_region.h"
#include "platform/qt/qt_single_instance.h"
#include "qt_test_app.h"
#include "ui/region.h"

#if TORVANE_X11_AVAILABLE
#include "platform/x11/x11_pointer_speed.h"
#endif

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace torvane {
namespace {

QString uniqueName() {
    return QStringLiteral("TorvaneTest-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override { test::qtTestApp(); }
};

TEST_F(SingleInstanceTest, SecondStartActivatesTheFirstAndDoesNotRun) {
    const QString name = uniqueName();
    QtSingleInstance first(name);
    int activations = 0;
    first.setActivationHandler([&] { ++activations; });
    ASSERT_TRUE(first.acquire());
#ifdef Q_OS_UNIX
    EXPECT_TRUE(first.serverName().endsWith(QStringLiteral("-%1").arg(::getuid())));
#endif

    QtSingleInstance second(name);
    EXPECT_FALSE(second.acquire());
    // The second start's message reaches the first through its event loop.
    std::thread starter([&] {
        QtSingleInstance third(name);
        third.activateExisting();
    });
    EXPECT_TRUE(test::processEventsUntil([&] { return activations == 1; }));
    starter.join();
}

TEST_F(SingleInstanceTest, ReleasedInstanceCanBeClaimedAgain) {
    const QString name = uniqueName();
    {
        QtSingleInstance first(name);
        ASSERT_TRUE(first.acquire());
    }
    QtSingleInstance again(name);
    EXPECT_TRUE(again.acquire());
}

#ifdef Q_OS_UNIX
TEST_F(SingleInstanceTest, LeftoversOfACrashedInstanceAreCleanedUp) {
    const QString name = uniqueName();
    QtSingleInstance instance(name);
    // A lock whose owner process is gone, and the socket file the crash left behind.
    pid_t deadPid = 4000000;
    while (::kill(deadPid, 0) == 0 || errno != ESRCH) ++deadPid;
    QFile lock(instance.lockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\ngui_tests\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    const QString socketPath = QDir(QDir::tempPath()).filePath(instance.serverName());
    QFile stale(socketPath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    ASSERT_TRUE(instance.acquire());
    int activations = 0;
    instance.setActivationHandler([&] { ++activations; });
    std::thread starter([&] { QtSingleInstance(name).activateExisting(); });
    EXPECT_TRUE(test::processEventsUntil([&] { return activations == 1; }));
    starter.join();
}
#endif

// Pixels of the QRegion and of the runs agree, and straight sides cost one rectangle.
TEST(QtRegionTest, KeepsExactlyThePixelsOfTheRuns) {
    struct Case {
        const char* name;
        Region region;
        int maxRects;
    };
    Region notched = Region::rectangle(0, 0, 40, 30);
    notched.xorRect({10, 5, 5, 20});  // a hole
    notched.xorRect({0, 0, 3, 3});    // a cut corner
    std::vector<Case> cases = {
        {"empty", Region{}, 0},
        {"rectangle", Region::rectangle(2, 3, 30, 20), 1},
        {"notched", notched, 5},
    };
    for (const Case& c : cases) {
        const QRegion qt = toQRegion(c.region);
        EXPECT_LE(qt.rectCount(), c.maxRects) << c.name;
        for (int y = -1; y < 35; ++y) {
            for (int x = -1; x < 45; ++x) {
                ASSERT_EQ(qt.contains(QPoint(x, y)), c.region.contains(x, y))
                    << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(QtFileDialogTest, FiltersBecomeQtNameFilters) {
    struct Case {
        std::u16string filter;
        QStringList expected;
    };
    const Case cases[] = {
        {u"All Files(*.ini)|*.ini||", {QStringLiteral("All Files(*.ini)")}},
        {u"Macro(*.dat)|*.dat|All|*.*||",
         {QStringLiteral("Macro(*.dat)"), QStringLiteral("All (*.*)")}},
        {u"Pictures|*.jpg;*.bmp||", {QStringLiteral("Pictures (*.jpg *.bmp)")}},
        {u"Profiles|*.ini", {QStringLiteral("Profiles (*.ini)")}},
        {u"NoPattern||", {}},
        {u"", {}},
        {u"|*.ini||", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qtNameFilters(c.filter), c.expected)
            << QString::fromStdU16String(c.filter).toStdString();
    }
}

TEST(QtAppWindowTest, RepaintRequestsFromManyThreadsMergeIntoOneUpdate) {
    test::qtTestApp();
    QtMainWindow window;
    QtAppWindow adapter(window);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) adapter.requestRepaint();
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(adapter.queuedUpdates(), 1);
    QCoreApplication::processEvents();
    adapter.requestRepaint();  // after the update ran, a new request queues a new one
    EXPECT_EQ(adapter.queuedUpdates(), 2);
    QCoreApplication::processEvents();
}

TEST(QtMainWindowTest, IsFramelessTitledAndPaintsTheComposedFrame) {
    test::qtTestApp();
    QtMainWindow window;
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.windowTitle(), QString::fromStdU16String(kMainWindowTitle));
    int paints = 0;
    QtMainWindow::Handlers handlers;
    handlers.paintFrame = [&](QImage& frame) {
        ++paints;
        frame.fill(QColor(10, 20, 30));
    };
    window.setHandlers(std::move(handlers));
    window.setShape(QSize(64, 48), toQRegion(Region::rectangle(0, 0, 32, 48)));
    EXPECT_EQ(window.size(), QSize(64, 48));
    EXPECT_EQ(window.mask().boundingRect(), QRect(0, 0, 32, 48));
    window.renderFrame();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(window.frame().size(), QSize(64, 48));
    EXPECT_EQ(window.frame().pixelColor(5, 5), QColor(10, 20, 30));

    // A mask that cuts everything would leave an invisible window: it stays a rectangle.
    window.setShape(QSize(64, 48), QRegion());
    EXPECT_TRUE(window.mask().isEmpty());
}

#if TORVANE_X11_AVAILABLE
TEST(X11PointerSpeedTest, AccelerationMapsToSpeed) {
    struct Case {
        int numerator;
        int denominator;
        std::optional<int> speed;
    };
    const Case cases[] = {
        {10, 10, 10},
        {1, 1, 10},
        {2, 1, 20},
        {5, 10, 5},
        {1, 10, 1},
        {0, 1, 1},
        {40, 10, 20},
        {3, 2, 15},
        {1, 3, 3},
        {1, 0, std::nullopt},
        {-1, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pointerSpeedFromAcceleration(c.numerator, c.denominator), c.speed)
            << c.numerator << "/" << c.denominator;
    }
}
#endif

}  // namespace
}  // namespace torvane
