// The timer pool driven by a fake tick source.
#include "gfx_timerpool.h"
#include "platform/gfx_exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct PoolFixture : ::testing::Test {
    PoolFixture()
    {
        auto t = std::make_unique<GfxFakeTickSource>();
        ticks = t.get();
        pool = TGfxTimerPool::CreateWithInterval(nullptr, 50, std::move(t));
    }
    // Advances one tick at a time, counting them.
    void Tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            ++tick;
            ticks->Advance(1);
        }
    }
    TNotifyEvent Recorder(std::vector<int>& fired)
    {
        return [this, &fired](TObject* sender) {
            EXPECT_EQ(sender, pool.get());
            fired.push_back(tick);
        };
    }
    GfxFakeTickSource* ticks = nullptr;
    std::unique_ptr<TGfxTimerPool> pool;
    int tick = 0;
};

TEST_F(PoolFixture, A1000msItemFiresEveryTwentiethTick)
{
    std::vector<int> fired;
    EXPECT_FALSE(pool->Active());
    pool->AddTimer(1, 1000, Recorder(fired));
    EXPECT_TRUE(pool->Active());
    EXPECT_EQ(ticks->LastPeriod, 50);
    Tick(60);
    EXPECT_EQ(fired, (std::vector<int>{20, 40, 60}));
}

// The platform wakes the program only on ticks where an item fires; the
// ticks in between still count.
TEST_F(PoolFixture, TheTickComesOnlyWhenAnItemIsDue)
{
    const struct { std::vector<TGfxTimerInterval> intervals; int wakes; std::vector<int> firstFired; } cases[] = {
        {{1000}, 3, {20, 40, 60}},
        {{150, 1000}, 22, {3, 6, 9}},  // 20 multiples of 3, 3 of 20, 60 shared
        {{50}, 60, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        std::vector<int> fired;
        tick = 0;
        for (std::size_t i = 0; i < c.intervals.size(); ++i)
            pool->AddTimer(std::uint16_t(i + 1), c.intervals[i], i == 0 ? Recorder(fired) : TNotifyEvent{});
        const int before = ticks->Delivered;
        Tick(60);
        EXPECT_EQ(ticks->Delivered - before, c.wakes) << c.intervals.size();
        fired.resize(std::min<std::size_t>(fired.size(), 3));
        EXPECT_EQ(fired, c.firstFired);
        EXPECT_EQ(pool->TickCount(), 61);  // as if it had ticked 60 times
        for (std::size_t i = 0; i < c.intervals.size(); ++i) pool->RemoveTimer(std::uint16_t(i + 1));
    }
}

// With no item enabled nothing wakes the program; enabled again, an item
// keeps the phase of the grid.
TEST_F(PoolFixture, NoTickWhileNoItemIsEnabled)
{
    std::vector<int> fired;
    pool->AddTimer(1, 1000, Recorder(fired));
    TGfxTimerItem* item = pool->FindTimer(1);
    Tick(25);
    item->SetEnabled(false);
    EXPECT_FALSE(ticks->IsActive());
    const int before = ticks->Delivered;
    Tick(10);
    EXPECT_EQ(ticks->Delivered, before);
    item->SetEnabled(true);
    EXPECT_TRUE(ticks->IsActive());
    Tick(25);
    EXPECT_EQ(fired, (std::vector<int>{20, 40, 60}));
    // A new interval moves the next wake-up too.
    item->SetInterval(100);
    Tick(2);
    EXPECT_EQ(fired, (std::vector<int>{20, 40, 60, 62}));
}

// A callback that outlasts the next due tick: the pool stays on its grid
// and does not fire twice to catch up.
TEST_F(PoolFixture, ALateTickKeepsTheGrid)
{
    std::vector<int> fired;
    pool->AddTimer(1, 1000, [&](TObject*) {
        fired.push_back(int(ticks->Step()));
        if (fired.size() == 1) ticks->Advance(25);  // busy until step 45
    });
    Tick(70);
    EXPECT_EQ(fired, (std::vector<int>{20, 60, 80}));
}

TEST_F(PoolFixture, IntervalsFireOnTheirMultiples)
{
    const struct { TGfxTimerInterval interval; std::vector<int> expected; } cases[] = {
        {50, {1, 2, 3, 4, 5, 6}}, {100, {2, 4, 6}}, {150, {3, 6}}, {300, {6}},
    };
    for (const auto& c : cases) {
        std::vector<int> fired;
        tick = 0;
        pool->AddTimer(7, c.interval, Recorder(fired));
        Tick(6);
        pool->RemoveTimer(7);
        EXPECT_EQ(fired, c.expected) << c.interval;
    }
}

TEST_F(PoolFixture, AddingATimerRestartsThePhase)
{
    std::vector<int> fired;
    pool->AddTimer(1, 1000, Recorder(fired));
    Tick(10);
    pool->AddTimer(2, 5000, {});
    Tick(40);
    EXPECT_EQ(fired, (std::vector<int>{30, 50}));
}

TEST_F(PoolFixture, BadIntervalsAndDuplicatesAddNothing)
{
    pool->AddTimer(1, 100, {});
    const struct { std::uint16_t ident; TGfxTimerInterval interval; const char* message; } cases[] = {
        {2, 75, "Interval not compatible with MinInterval property!"},
        {2, 25, "Interval not compatible with MinInterval property!"},
        {2, 0, "Interval not compatible with MinInterval property!"},
        {1, 100, "List index out of bounds (%d)"},
    };
    for (const auto& c : cases) {
        try {
            pool->AddTimer(c.ident, c.interval, {});
            ADD_FAILURE() << "interval " << c.interval << " accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
        EXPECT_EQ(pool->Count(), 1);
    }
}

TEST_F(PoolFixture, MaxCountDisablesAfterThatManyFirings)
{
    std::vector<int> fired;
    pool->AddTimer(1, 50, Recorder(fired));
    TGfxTimerItem* item = pool->FindTimer(1);
    item->MaxCount = 3;
    Tick(6);
    EXPECT_EQ(fired, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(item->Enabled());
    EXPECT_EQ(item->Counter, 0);  // disabling restarts the count
    item->Counter = 2;
    item->SetEnabled(true);
    EXPECT_EQ(item->Counter, 0);
    Tick(4);
    EXPECT_EQ(fired, (std::vector<int>{1, 2, 3, 7, 8, 9}));
}

TEST_F(PoolFixture, MaxCountZeroCannotBeEnabled)
{
    pool->AddTimer(1, 50, {});
    TGfxTimerItem* item = pool->FindTimer(1);
    item->SetEnabled(false);
    item->MaxCount = 0;
    item->SetEnabled(true);
    EXPECT_FALSE(item->Enabled());
}

TEST_F(PoolFixture, PoolEventForItemsWithoutCallback)
{
    std::vector<std::pair<int, int>> seen;
    pool->OnTimer = [&](TObject*, std::uint16_t ident, std::int32_t counter) {
        seen.emplace_back(ident, counter);
    };
    pool->AddTimer(9, 100, {});
    Tick(4);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{9, 1}, {9, 2}}));
}

TEST_F(PoolFixture, SetIntervalRules)
{
    pool->AddTimer(1, 100, {});
    TGfxTimerItem* item = pool->FindTimer(1);
    item->SetInterval(125);  // not a multiple: ignored
    EXPECT_EQ(item->Interval(), 100);
    item->SetInterval(0);    // 0 becomes MinInterval
    EXPECT_EQ(item->Interval(), 50);
    EXPECT_EQ(item->Ticks(), 1);
    item->SetInterval(250);
    EXPECT_EQ(item->Ticks(), 5);
}

TEST_F(PoolFixture, RemovingTheLastItemStopsTheTick)
{
    pool->AddTimer(1, 50, {});
    pool->AddTimer(2, 50, {});
    pool->FindTimer(1)->SetEnabled(false);
    pool->RemoveTimer(2);
    EXPECT_TRUE(pool->Active());      // a disabled item keeps the pool
    EXPECT_FALSE(ticks->IsActive());  // but nothing wakes it
    pool->RemoveTimer(1);
    EXPECT_FALSE(ticks->IsActive());
    EXPECT_FALSE(pool->Active());
    pool->RemoveTimer(42);  // unknown: nothing
}

TEST_F(PoolFixture, RefusedTimerRaisesAndKeepsTheItem)
{
    ticks->RefuseStart = true;
    try {
        pool->AddTimer(1, 100, {});
        FAIL() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Not enough timers available"));
    }
    EXPECT_FALSE(pool->Active());
    EXPECT_NE(pool->FindTimer(1), nullptr);
}

TEST_F(PoolFixture, MinIntervalIsWrittenOnlyWhileLoading)
{
    pool->SetMinInterval(100);
    EXPECT_EQ(pool->MinInterval(), 50);
    pool->BeginLoading();
    pool->SetMinInterval(0);
    EXPECT_EQ(pool->MinInterval(), 50);
    pool->SetMinInterval(100);
    pool->EndLoading();
    EXPECT_EQ(pool->MinInterval(), 100);
    EXPECT_EQ(TGfxTimerPool::CreateWithInterval(nullptr, 0, std::make_unique<GfxFakeTickSource>())->MinInterval(), 1000);
    EXPECT_EQ(TGfxTimerPool(nullptr, std::make_unique<GfxFakeTickSource>()).MinInterval(), 1000);
}

TEST_F(PoolFixture, ItemWithoutPoolOrList)
{
    TGfxTimerItemList list;
    try {
        TGfxTimerItem item(nullptr, 1, &list);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TGfxTimerItem: Invalid Owner or List"));
    }
    EXPECT_THROW(TGfxTimerItem(pool.get(), 1, nullptr), EInvalidOperation);
}

TEST_F(PoolFixture, ExceptionInACallbackIsReportedAndTickingGoesOn)
{
    std::vector<QString> reported;
    GfxErrorReporter old =
        GfxSetErrorReporter([&](const QString&, const QString& m) { reported.push_back(m); });
    std::vector<int> bad, good;
    pool->AddTimer(1, 100, [&](TObject*) {
        bad.push_back(tick);
        throw Exception(QStringLiteral("callback failed"));
    });
    pool->AddTimer(2, 100, Recorder(good));
    Tick(6);
    GfxSetErrorReporter(old);
    EXPECT_EQ(bad, (std::vector<int>{2, 4, 6}));   // not again on every tick
    EXPECT_EQ(good, (std::vector<int>{2, 4, 6}));  // the next item still fires
    EXPECT_EQ(reported.size(), 3u);
    EXPECT_EQ(reported.front(), QStringLiteral("callback failed"));
}

TEST_F(PoolFixture, TicksDuringACallbackAreDropped)
{
    int n = 0;
    pool->AddTimer(1, 50, [&](TObject*) {
        ++n;
        ticks->Advance(3);  // a callback that pumps messages
    });
    Tick(2);
    EXPECT_EQ(n, 2);
}

TEST_F(PoolFixture, CallbackRemovesALaterItem)
{
    std::vector<int> a, b;
    pool->AddTimer(1, 50, [&](TObject*) {
        a.push_back(tick);
        pool->RemoveTimer(2);
    });
    pool->AddTimer(2, 50, Recorder(b));
    Tick(2);
    EXPECT_EQ(a, (std::vector<int>{1, 2}));
    EXPECT_TRUE(b.empty());
}

TEST_F(PoolFixture, CallbackRemovesAnEarlierItemWithoutSkippingTheNext)
{
    std::vector<int> a, c;
    pool->AddTimer(1, 50, [&](TObject*) { a.push_back(tick); });
    pool->AddTimer(2, 50, [&](TObject*) { pool->RemoveTimer(1); });
    pool->AddTimer(3, 50, Recorder(c));
    Tick(2);
    EXPECT_EQ(a, (std::vector<int>{1}));
    EXPECT_EQ(c, (std::vector<int>{1, 2}));
}

TEST_F(PoolFixture, CallbackRemovesItself)
{
    int n = 0;
    int after = 0;
    pool->AddTimer(1, 50, [&, keep = std::make_shared<int>(5)](TObject*) {
        ++n;
        pool->RemoveTimer(1);
        after = *keep;  // the callback's own state survives its removal
    });
    pool->AddTimer(2, 1000, {});
    Tick(3);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(after, 5);
    EXPECT_EQ(pool->FindTimer(1), nullptr);
}

TEST_F(PoolFixture, CallbackAddsAnItem)
{
    std::vector<int> added;
    bool once = false;
    pool->AddTimer(1, 50, [&](TObject*) {
        if (!once) {
            once = true;
            pool->AddTimer(2, 50, Recorder(added));
        }
    });
    Tick(3);
    // Not in the tick that added it; from the next one on.
    EXPECT_EQ(added, (std::vector<int>{2, 3}));
}

TEST_F(PoolFixture, ClearRemovesEverything)
{
    pool->AddTimer(1, 50, {});
    pool->AddTimer(2, 50, {});
    pool->Clear();
    EXPECT_EQ(pool->Count(), 0);
    EXPECT_FALSE(ticks->IsActive());
}

}  // namespace
