// Several followers of one event: their order, the refused second
// subscription under a key, and handlers that change the subscriptions of
// the event they are running for.
#include "zeph350_d.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Ev = TZEPH350_d::Event;

namespace {

void brgtReply(TZEPH350_d& z, int value)
{
    z.receive(QByteArray("BRG") + QByteArray::number(value) + "\r\n");
}

}  // namespace

TEST(DeviceEvents, FollowersRunInKeyOrderWhateverTheSubscriptionOrder)
{
    TZEPH350_d z;
    std::vector<int> calls;
    for (int key : {7, 2, 5, TZEPH350_d::DirectOrder})
        ASSERT_TRUE(z.subscribe(Ev::OnBRGTchange, key, "h", [&calls, key](TZEPH350_d*, int) { calls.push_back(key); }));
    brgtReply(z, 1);
    EXPECT_EQ(calls, (std::vector<int>{0, 2, 5, 7}));

    const auto subs = z.subscriptions(Ev::OnBRGTchange);
    ASSERT_EQ(subs.size(), 4u);
    EXPECT_EQ(subs[1].order, 2);
    EXPECT_STREQ(subs[1].name, "h");
}

TEST(DeviceEvents, ASecondSubscriptionUnderOneKeyIsRefused)
{
    TZEPH350_d z;
    int first = 0, second = 0;
    ASSERT_TRUE(z.subscribe(Ev::OnBRGTchange, 3, "first", [&](TZEPH350_d*, int) { ++first; }));
    EXPECT_FALSE(z.subscribe(Ev::OnBRGTchange, 3, "second", [&](TZEPH350_d*, int) { ++second; }));
    // The same key on another event is another subscription.
    EXPECT_TRUE(z.subscribe(Ev::OnCONTRchange, 3, "other", [](TZEPH350_d*, int) {}));
    brgtReply(z, 1);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_FALSE(z.subscribe(Ev::OnBRGTchange, 4, "empty", {}));  // nothing to call
}

TEST(DeviceEvents, SetHandlerReplacesOnlyTheDirectHandler)
{
    TZEPH350_d z;
    int follower = 0, a = 0, b = 0;
    z.subscribe(Ev::OnBRGTchange, 9, "follower", [&](TZEPH350_d*, int) { ++follower; });
    z.setHandler(Ev::OnBRGTchange, [&](TZEPH350_d*, int) { ++a; });
    z.setHandler(Ev::OnBRGTchange, [&](TZEPH350_d*, int) { ++b; });
    brgtReply(z, 1);
    z.setHandler(Ev::OnBRGTchange, {});
    brgtReply(z, 2);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(follower, 2);
    z.unsubscribeAll(9);
    EXPECT_FALSE(z.hasSubscribers(Ev::OnBRGTchange));
}

// The handler's closure owns data that dies when the handler is replaced:
// the running call must still be able to use it (AddressSanitizer sees a
// use after free otherwise).
TEST(DeviceEvents, AHandlerThatReplacesItselfKeepsRunningSafely)
{
    TZEPH350_d z;
    std::string seen;
    auto payload = std::make_shared<std::string>(200, 'x');
    z.setHandler(Ev::OnBRGTchange, [&z, &seen, payload](TZEPH350_d*, int) {
        z.setHandler(Ev::OnBRGTchange, {});  // frees this closure's copy in the table
        z.setHandler(Ev::OnBRGTchange, [](TZEPH350_d*, int) {});
        seen = *payload;  // still alive
    });
    payload.reset();
    brgtReply(z, 1);
    EXPECT_EQ(seen.size(), 200u);
}

TEST(DeviceEvents, RemovedFollowersAreSkippedAndNewOnesWaitForTheNextRaise)
{
    TZEPH350_d z;
    std::vector<std::string> calls;
    z.subscribe(Ev::OnBRGTchange, 1, "first", [&](TZEPH350_d*, int) {
        calls.push_back("first");
        z.unsubscribe(Ev::OnBRGTchange, 2);
        z.subscribe(Ev::OnBRGTchange, 3, "late", [&](TZEPH350_d*, int) { calls.push_back("late"); });
    });
    z.subscribe(Ev::OnBRGTchange, 2, "removed", [&](TZEPH350_d*, int) { calls.push_back("removed"); });
    brgtReply(z, 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
    calls.clear();
    z.unsubscribe(Ev::OnBRGTchange, 1);
    brgtReply(z, 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"late"}));
}
