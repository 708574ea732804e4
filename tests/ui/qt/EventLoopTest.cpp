#include "tests/ui/qt/PresentationTest.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstring>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using EventLoopTest = PresentationTest;

TEST_F(EventLoopTest, PostedTasksRunInOrderInsideTheLoopUntilQuit)
{
    std::vector<int> ran;
    presentation().post([&ran] { ran.push_back(1); });
    presentation().post([&ran] {
        ran.push_back(2);
        presentation().post([&ran] { ran.push_back(3); });
        presentation().post([] { presentation().quitEventLoop(); });
    });
    EXPECT_TRUE(ran.empty());
    presentation().runEventLoop();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST_F(EventLoopTest, QuitEndsTheLoopWithoutAskingWindowsToClose)
{
    makeWindow(1, paletteLook());
    presentation().showWindow(1);
    // Should the quit wait for the windows, end the loop anyway, and fail.
    actions.onCloseRequested = [](uint64_t) { QCoreApplication::exit(0); };
    presentation().post([] { presentation().quitEventLoop(); });
    presentation().runEventLoop();
    EXPECT_TRUE(actions.closeRequested.empty());
}

TEST_F(EventLoopTest, QuitBeforeTheLoopRunsReturnsAtOnce)
{
    bool ran = false;
    presentation().post([&ran] { ran = true; });
    presentation().quitEventLoop();
    presentation().runEventLoop(); // would hang without the early quit
    EXPECT_FALSE(ran);

    // The early quit is used up: the next loop runs the posted task.
    presentation().post([] { presentation().quitEventLoop(); });
    presentation().runEventLoop();
    EXPECT_TRUE(ran);
}

TEST_F(EventLoopTest, TerminationSignalsAskTheFrameworkToEndFromTheLoop)
{
    actions.onEndRequested = [] { presentation().quitEventLoop(); };
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        actions.endRequests = 0;
        // Should the signal go unseen, end the loop anyway, and fail.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { presentation().quitEventLoop(); });
        watchdog.start(5000);
        ASSERT_EQ(raise(signal), 0);
        EXPECT_EQ(actions.endRequests, 0) << "reported from inside the signal handler";
        presentation().runEventLoop();
        EXPECT_EQ(actions.endRequests, 1);
    }
}

TEST_F(EventLoopTest, ExceptionReachingTheLoopEndsTheProgramWithAMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            presentation().post([] { throw std::runtime_error("escaped"); });
            presentation().runEventLoop();
        },
        "exception reached the event loop: escaped");
}

// While the display is there the toolkit's messages pass on as they were,
// from any thread, even one that reads like the news of a lost X server.
TEST_F(EventLoopTest, MessagesPassOnUnchangedWhileTheDisplayIsThere)
{
    testing::internal::CaptureStderr();
    qWarning("The X11 connection broke (error 1). Did the X11 server die?");
    std::thread([] { qWarning("from another thread"); }).join();
    qInfo("for information");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "The X11 connection broke (error 1). Did the X11 server die?\nfrom another thread\nfor information\n");
    EXPECT_EQ(actions.lostDisplays, std::vector<std::string>{});
}

} // namespace
