// Claims of a program's running instance on a real X server, as starts of
// the program make them one after another or at the same moment.

#include "framework/ui/qt/X11RunningInstance.h"
#include "tests/ui/x11/XvfbDisplay.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <latch>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using fw::ui::X11RunningInstance;
using Outcome = X11RunningInstance::Outcome;

// One X server for the whole run.
class X11Server : public ::testing::Environment {
public:
    void SetUp() override
    {
        display_ = std::make_unique<XvfbDisplay>();
        // Where no authority file is named, libXau works out its name in a
        // buffer of its own that threads share; the server asks for none.
        ::setenv("XAUTHORITY", "/dev/null", 1);
    }
    void TearDown() override { display_.reset(); }

    static const char* display() { return display_->name().c_str(); }

private:
    static inline std::unique_ptr<XvfbDisplay> display_;
};

X11RunningInstance::Claim claim(std::string_view program)
{
    return X11RunningInstance::claim(X11Server::display(), program);
}

// A claimed instance that counts the requests to come forward.
struct Watched {
    explicit Watched(std::unique_ptr<X11RunningInstance> claimed) : instance(std::move(claimed))
    {
        instance->watch([this] { ++requests; });
    }
    std::unique_ptr<X11RunningInstance> instance;
    int requests = 0;
};

// Runs the event loop until count requests have come, and a while longer
// for any that should not have.
int requestsAfterWaitingFor(const Watched& watched, int count)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.requests >= count; }, 5000));
    QTest::qWait(100);
    return watched.requests;
}

TEST(RunningInstanceTest, ALaterClaimFindsTheFirstAndAsksItOnce)
{
    X11RunningInstance::Claim first = claim("palette");
    ASSERT_EQ(first.outcome, Outcome::Claimed);
    ASSERT_TRUE(first.instance);
    Watched running(std::move(first.instance));

    X11RunningInstance::Claim second = claim("palette");
    EXPECT_EQ(second.outcome, Outcome::AlreadyRunning);
    EXPECT_FALSE(second.instance);
    EXPECT_EQ(requestsAfterWaitingFor(running, 1), 1);
}

TEST(RunningInstanceTest, ARequestBeforeWatchingIsKept)
{
    X11RunningInstance::Claim first = claim("starting");
    ASSERT_EQ(first.outcome, Outcome::Claimed);
    EXPECT_EQ(claim("starting").outcome, Outcome::AlreadyRunning);
    Watched running(std::move(first.instance));
    EXPECT_EQ(requestsAfterWaitingFor(running, 1), 1);
}

TEST(RunningInstanceTest, TheClaimGoesWithItsOwner)
{
    X11RunningInstance::Claim first = claim("ending");
    ASSERT_EQ(first.outcome, Outcome::Claimed);
    first.instance.reset();
    X11RunningInstance::Claim next = claim("ending");
    EXPECT_EQ(next.outcome, Outcome::Claimed);
    EXPECT_TRUE(next.instance);
}

TEST(RunningInstanceTest, AnotherProgramClaimsApart)
{
    X11RunningInstance::Claim one = claim("one_program");
    ASSERT_EQ(one.outcome, Outcome::Claimed);
    Watched running(std::move(one.instance));
    X11RunningInstance::Claim other = claim("other_program");
    EXPECT_EQ(other.outcome, Outcome::Claimed);
    EXPECT_TRUE(other.instance);
    QTest::qWait(100);
    EXPECT_EQ(running.requests, 0);
}

TEST(RunningInstanceTest, OfClaimsAtTheSameMomentOneWinsAndHearsTheOthers)
{
    constexpr int starts = 8;
    std::vector<X11RunningInstance::Claim> claims(starts);
    {
        std::latch ready(starts);
        std::vector<std::jthread> threads;
        for (X11RunningInstance::Claim& result : claims) {
            threads.emplace_back([&] {
                ready.arrive_and_wait();
                result = claim("together");
            });
        }
    }
    const auto winner = std::ranges::find(claims, Outcome::Claimed, &X11RunningInstance::Claim::outcome);
    ASSERT_NE(winner, claims.end());
    EXPECT_EQ(std::ranges::count(claims, Outcome::AlreadyRunning, &X11RunningInstance::Claim::outcome), starts - 1);
    Watched running(std::move(winner->instance));
    EXPECT_EQ(requestsAfterWaitingFor(running, starts - 1), starts - 1);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The requests come through the event loop.
    QCoreApplication application(argc, argv);
    // Made only when tests run, so listing them needs no X server.
    ::testing::AddGlobalTestEnvironment(new X11Server);
    return RUN_ALL_TESTS();
}
