// The platform layer: colours, rectangles, rounding, error report, ticks,
// application hooks and the generated version block.
#include "platform/gfx_exceptions.h"
#include "platform/gfx_object_base.h"
#include "platform/gfx_platform.h"
#include "platform/gfx_ticksource.h"
#include "platform/gfx_types.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <thread>
#include <vector>

namespace {

TEST(Platform, RoundHalvesToEven)
{
    const struct { double x; int expected; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {7.0, 7}, {1e12, std::numeric_limits<int>::max()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxRound(c.x), c.expected) << c.x;
}

TEST(Platform, MulDivRoundsHalvesAwayFromZero)
{
    const struct { int a, b, c, expected; } cases[] = {
        {5, 1, 2, 3},     {-5, 1, 2, -3},     {5, 1, -2, -3},   {7, 1, 2, 4},
        {4, 1, 3, 1},     {5, 1, 3, 2},       {-4, 1, 3, -1},   {100000, 100000, 100000, 100000},
        {3, 4, 0, -1},    {std::numeric_limits<int>::max(), 2, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Platform, SystemColoursResolveThroughTheClassicTable)
{
    EXPECT_EQ(GfxColorToRGB(clBtnFace), GfxRGB(212, 208, 200));
    EXPECT_EQ(GfxColorToRGB(clWindow), clWhite);
    EXPECT_EQ(GfxColorToRGB(clBtnShadow), GfxRGB(128, 128, 128));
    EXPECT_EQ(GfxColorToRGB(GfxSystemColor(200)), clBlack);  // no such entry
    EXPECT_EQ(GfxColorToRGB(0x123456), 0x123456u);           // plain colours pass
    EXPECT_EQ(GfxColorToQRgb(clRed), 0xFFFF0000u);
    EXPECT_EQ(GfxGetBValue(GfxRGB(1, 2, 3)), 3u);
}

TEST(Platform, RectanglesAreHalfOpen)
{
    const TRect r = GfxRect(10, 20, 30, 40);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_TRUE(GfxPtInRect(r, {10, 20}));
    EXPECT_TRUE(GfxPtInRect(r, {29, 39}));
    EXPECT_FALSE(GfxPtInRect(r, {30, 25}));
    EXPECT_FALSE(GfxPtInRect(r, {15, 40}));
    EXPECT_EQ(GfxFromQRect(GfxToQRect(r)), r);
    EXPECT_EQ(GfxToQRect(r).right(), 29);  // Qt's right is the last column inside
}

TEST(Platform, HandleExceptionReportsKindAndText)
{
    std::vector<std::pair<QString, QString>> seen;
    GfxErrorReporter old = GfxSetErrorReporter(
        [&](const QString& k, const QString& m) { seen.emplace_back(k, m); });
    try {
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
    } catch (...) {
        GfxHandleException();
    }
    try {
        throw std::runtime_error("plain");
    } catch (...) {
        GfxHandleException();
    }
    GfxHandleException();  // outside a handler: nothing to report
    GfxSetErrorReporter(old);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, QStringLiteral("EOutOfResources"));
    EXPECT_EQ(seen[0].second, QStringLiteral("Not enough timers available"));
    EXPECT_EQ(seen[1].second, QStringLiteral("plain"));
}

TEST(Platform, ClassNamesComeFromTheClasses)
{
    EXPECT_EQ(EReadError(QString()).ClassName(), QStringLiteral("EReadError"));
    EXPECT_EQ(EInvalidGraphicOperation(QString()).ClassName(), QStringLiteral("EInvalidGraphicOperation"));
    const Exception& e = EListError(QString());
    EXPECT_EQ(e.ClassName(), QStringLiteral("EListError"));  // the dynamic class
    struct TLocal : TObject {};
    const TObject& o = TLocal();
    EXPECT_EQ(o.ClassName(), QStringLiteral("TLocal"));
}

TEST(Platform, FormatLikeHelper)
{
    const struct { const char* format; std::initializer_list<TGfxFormatArg> args; const char* text; } cases[] = {
        {"%s: %s", {"Cannot open file %s", "a.bml"}, "Cannot open file %s: a.bml"},
        {"List index out of bounds (%d)", {7}, "List index out of bounds (7)"},
        {"%.2d:%.2d:%.2d", {5, 0, 42}, "05:00:42"},
        {"%5d|%-5d|", {42, -42}, "   42|-42  |"},
        {"%x %u", {255, -1}, "FF 4294967295"},
        {"%.3f %s", {3.14159, QStringLiteral("pi")}, "3.142 pi"},
        {"%1:s %0:s %s", {"a", "b"}, "b a b"},
        {"100%%", {}, "100%"},
        {"%.2s", {"abcdef"}, "ab"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GfxFormat(QString::fromLatin1(c.format), c.args), QString::fromLatin1(c.text)) << c.format;
    const struct { const char* format; std::initializer_list<TGfxFormatArg> args; } bad[] = {
        {"%d", {"text"}}, {"%s", {3}}, {"%d %d", {1}}, {"%", {}}, {"%q", {1}}, {"%f", {1}},
    };
    for (const auto& c : bad) {
        try {
            GfxFormat(QString::fromLatin1(c.format), c.args);
            ADD_FAILURE() << c.format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Format '%1' invalid or incompatible with argument")
                                       .arg(QString::fromLatin1(c.format)));
        }
    }
}

TEST(Platform, FakeTicksOnlyWhileStarted)
{
    GfxFakeTickSource ticks;
    int n = 0;
    ticks.SetHandler([&] { ++n; });
    ticks.Advance(3);
    EXPECT_EQ(n, 0);
    ASSERT_TRUE(ticks.Start(50));
    ticks.Advance(3);
    ticks.Stop();
    ticks.Advance(3);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(ticks.LastPeriod, 50);
    ticks.RefuseStart = true;
    EXPECT_FALSE(ticks.Start(50));
    EXPECT_FALSE(ticks.IsActive());
}

TEST(Platform, QtTicksComeOnTheMainThreadAndExceptionsStayInside)
{
    GfxQtTickSource ticks;
    int n = 0;
    std::vector<QString> reported;
    GfxErrorReporter old =
        GfxSetErrorReporter([&](const QString&, const QString& m) { reported.push_back(m); });
    QEventLoop loop;
    ticks.SetHandler([&] {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        if (++n == 1)
            throw Exception(QStringLiteral("first tick fails"));
        if (n == 3)
            loop.quit();
    });
    ASSERT_TRUE(ticks.Start(5));
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    ticks.Stop();
    GfxSetErrorReporter(old);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(reported, std::vector<QString>{QStringLiteral("first tick fails")});
}

// Told to wake at a step, the source ticks once, not before that step of
// its grid, and then sleeps.
TEST(Platform, QtTicksWakeOnceAtTheirStep)
{
    GfxQtTickSource ticks;
    std::vector<std::int64_t> steps;
    ticks.SetHandler([&] { steps.push_back(ticks.Step()); });
    ASSERT_TRUE(ticks.Start(5));
    ticks.WakeAt(8);
    EXPECT_TRUE(ticks.IsActive());
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_GE(steps.front(), 8);
    EXPECT_FALSE(ticks.IsActive());
    ticks.WakeAt(ticks.Step() - 1);  // a step gone by: at once
    ticks.Sleep();
    EXPECT_FALSE(ticks.IsActive());
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(steps.size(), 1u);
}

TEST(Platform, QtTicksRefuseAnotherThreadAndZeroPeriod)
{
    GfxQtTickSource ticks;
    EXPECT_FALSE(ticks.Start(0));
    bool started = true;
    std::thread t([&] { started = ticks.Start(10); });
    t.join();
    EXPECT_FALSE(started);
}

TEST(Platform, ApplicationHooksRunInOrderUntilOneHandles)
{
    std::vector<int> order;
    const int a = GfxAddApplicationHook([&](TMessage& m) {
        order.push_back(1);
        m.Result = 7;
        return false;
    });
    const int b = GfxAddApplicationHook([&](TMessage&) {
        order.push_back(2);
        return true;
    });
    const int c = GfxAddApplicationHook([&](TMessage&) {
        order.push_back(3);
        return false;
    });
    EXPECT_EQ(GfxSendApplicationMessage(WM_THEMECHANGED), 7);
    GfxRemoveApplicationHook(b);
    GfxSendApplicationMessage(WM_THEMECHANGED);
    GfxRemoveApplicationHook(a);
    GfxRemoveApplicationHook(c);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 3}));
}

TEST(Platform, VersionBlockComesFromTheProjectVersion)
{
    const TGfxVersionBlock& b = GfxProgramVersionBlock();
    ASSERT_TRUE(b.Present);
    const QString text = QStringLiteral("%1.%2.%3.%4").arg(b.Major).arg(b.Minor).arg(b.Release).arg(b.Build);
    EXPECT_EQ(text, QStringLiteral(ZEPH_TEST_PROJECT_VERSION));
}

TEST(Platform, NamedMutexIsCreatedAndNeverExisted)
{
    bool existed = true;
    const auto h1 = GfxCreateNamedMutex(QStringLiteral("ZEPH"), existed);
    EXPECT_NE(h1, 0u);
    EXPECT_FALSE(existed);
    const auto h2 = GfxCreateNamedMutex(QStringLiteral("ZEPH"), existed);
    EXPECT_FALSE(existed);
    GfxCloseHandle(h1);
    GfxCloseHandle(h2);
}

}  // namespace
