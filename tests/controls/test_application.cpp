// The application object: shared timers, pattern bitmap, log file, theme
// switching and the library's start-up.
#include "gfx_application.h"
#include "gfx_library.h"
#include "gfx_lists.h"
#include "gfx_themes.h"
#include "platform/gfx_platform.h"
#include "platform/gfx_theme_service.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct AppFixture : ::testing::Test {
    AppFixture()
    {
        auto t = std::make_unique<GfxFakeTickSource>();
        ticks = t.get();
        app = std::make_unique<TGfxApplication>(nullptr, std::move(t));
    }
    GfxFakeTickSource* ticks = nullptr;
    std::unique_ptr<TGfxApplication> app;
};

TEST_F(AppFixture, ConstructionValues)
{
    EXPECT_EQ(app->Options, 0x36);
    EXPECT_EQ(app->PatternColor, clNone);
    EXPECT_EQ(app->ShortText, QStringLiteral("#tdl"));
    EXPECT_FALSE(app->SecondInstance);
    EXPECT_NE(app->MutexHandle, 0u);
    EXPECT_EQ(app->TimerPool()->MinInterval(), 50);
    EXPECT_NE(app->IniCtrl(), nullptr);
    EXPECT_EQ(app->CheckGlyphWidth, 13);
    EXPECT_EQ(app->CheckGlyphHeight, 13);
    EXPECT_GT(app->PerformanceFrequency, 0);
    EXPECT_TRUE(app->Themed);
}

TEST_F(AppFixture, SharedTimerSlots)
{
    EXPECT_EQ(app->AllocTimer(1000, {}), 0xFD01);
    EXPECT_EQ(app->AllocTimer(1000, {}), 0xFD02);
    app->FreeTimer(0xFD01);
    EXPECT_EQ(app->GetTimerItem(0xFD01), nullptr);
    EXPECT_NE(app->GetTimerItem(0xFD02), nullptr);
    EXPECT_EQ(app->AllocTimer(1000, {}), 0xFD01);
}

TEST_F(AppFixture, FreeTimerIgnoresIdentsThatNameNoSlot)
{
    ASSERT_EQ(app->AllocTimer(50, {}), 0xFD01);
    app->TimerPool()->AddTimer(0xFDFB, 50, {});  // a pool item outside the slot range
    app->TimerPool()->AddTimer(0xFD00, 50, {});
    for (std::uint16_t ident : {0x0000, 0x0010, 0xFD00, 0xFDFB, 0xFFFF})
        app->FreeTimer(ident);
    EXPECT_NE(app->GetTimerItem(0xFDFB), nullptr);
    EXPECT_NE(app->GetTimerItem(0xFD00), nullptr);
    EXPECT_NE(app->GetTimerItem(0xFD01), nullptr);
    EXPECT_EQ(app->AllocTimer(50, {}), 0xFD02);
}

TEST_F(AppFixture, AllSlotsTakenRefusesWithZero)
{
    for (int slot = 1; slot <= 250; ++slot)
        ASSERT_EQ(app->AllocTimer(50, {}), 0xFD00 + slot);
    EXPECT_EQ(app->FindFreeTimerSlot(), 0);
    EXPECT_EQ(app->AllocTimer(50, {}), 0);
    EXPECT_EQ(app->TimerPool()->Count(), 250);
    app->FreeTimer(0xFD7B);
    EXPECT_EQ(app->AllocTimer(50, {}), 0xFD7B);
    app->FreeTimer(0xFDFA);  // the last slot is a slot
    EXPECT_EQ(app->GetTimerItem(0xFDFA), nullptr);
}

TEST_F(AppFixture, RefusedTickTakesNoSlotAndLeavesNoItem)
{
    ticks->RefuseStart = true;
    EXPECT_EQ(app->AllocTimer(1000, {}), 0);
    EXPECT_EQ(app->TimerPool()->Count(), 0);
    ticks->RefuseStart = false;
    EXPECT_EQ(app->AllocTimer(1000, {}), 0xFD01);  // no duplicate left behind
    EXPECT_TRUE(ticks->IsActive());
}

TEST_F(AppFixture, BadIntervalTakesNoSlot)
{
    EXPECT_THROW(app->AllocTimer(75, {}), Exception);
    EXPECT_EQ(app->AllocTimer(100, {}), 0xFD01);
}

TEST_F(AppFixture, SharedTimerFiresFromThePool)
{
    int n = 0;
    const auto ident = app->AllocTimer(1000, [&](TObject* sender) {
        EXPECT_EQ(sender, app->TimerPool());
        ++n;
    });
    ticks->Advance(40);
    EXPECT_EQ(n, 2);
    app->GetTimerItem(ident)->SetEnabled(false);
    ticks->Advance(40);
    EXPECT_EQ(n, 2);
}

TEST_F(AppFixture, PatternBitmapIsACheckerInTheColour)
{
    const unsigned white = GfxColorToQRgb(clWhite);
    const struct { TColor colour; unsigned odd; } cases[] = {
        {clNone, white},  // before any colour: a white bitmap, not none
        {clRed, GfxColorToQRgb(clRed)},
        {clBtnShadow, GfxColorToQRgb(GfxRGB(128, 128, 128))},
        {clNone, white},
    };
    for (const auto& c : cases) {
        const QImage* bmp = app->GetPatternBitmap(c.colour);
        ASSERT_NE(bmp, nullptr);
        ASSERT_EQ(bmp->size(), QSize(8, 8));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(static_cast<unsigned>(bmp->pixel(x, y)), (x + y) % 2 ? c.odd : white)
                    << x << "," << y;
        EXPECT_EQ(app->PatternColor, c.colour);
    }
    EXPECT_EQ(app->GetPatternBitmap(clNone), app->GetPatternBitmap(clNone));
}

TEST_F(AppFixture, LogFileName)
{
    const QString program = QCoreApplication::applicationFilePath();
    const QString dir = QCoreApplication::applicationDirPath() + "/";
    EXPECT_EQ(app->LogFile, dir + QFileInfo(program).fileName() + ".LOG");
    const struct { TGfxPathPrefix prefix; const char* name; QString expected; } cases[] = {
        {ppProgram, "trace", dir + "trace.LOG"},
        {ppProgram, "other/trace.txt", dir + "trace.txt"},
        {ppFixed, "other/trace", "other/trace.LOG"},
        {ppSystem, "x", GfxGetPrefixDir(ppSystem, true) + "x.LOG"},
    };
    for (const auto& c : cases) {
        app->LogPrefix = c.prefix;
        app->SetLogFileName(QString::fromLatin1(c.name));
        EXPECT_EQ(app->LogFile, c.expected);
    }
}

TEST_F(AppFixture, OneInstanceMessages)
{
    EXPECT_EQ(GfxEOneInstError::CreateKind("TGfxFormShape", 0).Message(),
              QStringLiteral("TGfxFormShape:\rInvalid owner (<>TForm) or second instance on a form"));
    EXPECT_EQ(GfxEOneInstError::CreateKind("TGfxFormShape", 1).Message(),
              QStringLiteral("TGfxFormShape:\rAlready one TGfxFormShape control in this project!"));
}

TEST_F(AppFixture, NoThemeServiceMeansClassicDrawing)
{
    GfxLoadThemeLibrary();
    EXPECT_FALSE(GfxThemesLoaded);
    EXPECT_FALSE(GfxIsThemeActive());
    EXPECT_FALSE(app->GetThemed());
    app->SetThemed(false);
    app->SetThemed(true);  // cannot be switched on without an active theme
    EXPECT_FALSE(app->Themed);
    app->RefreshThemeState();
    EXPECT_FALSE(app->Themed);
}

// A visual-styles service that is there, to reach the themed path.
struct FakeThemes {
    static inline bool active = true;
    static inline std::vector<std::uint32_t> props;
    static bool IsThemeActive() { return active; }
    static void SetThemeAppProperties(std::uint32_t f) { props.push_back(f); }
};

class FakeModule : public GfxThemeModule {
public:
    void* Resolve(const char* name) override
    {
        const std::string n = name;
        if (n == "IsThemeActive")
            return reinterpret_cast<void*>(&FakeThemes::IsThemeActive);
        if (n == "SetThemeAppProperties")
            return reinterpret_cast<void*>(&FakeThemes::SetThemeAppProperties);
        return nullptr;
    }
};

TEST_F(AppFixture, ThemeSwitchingWithAThemeService)
{
    GfxThemeModuleLoader oldLoader = GfxSetThemeModuleLoader(
        [](const QString&) { return std::make_unique<FakeModule>(); });
    GfxLoadThemeLibrary();
    FakeThemes::props.clear();
    FakeThemes::active = true;
    int broadcasts = 0;
    GfxThemeBroadcaster oldB = GfxSetThemeBroadcaster([&] { ++broadcasts; });
    std::vector<std::uint32_t> appMessages;
    const int hook = GfxAddApplicationHook([&](TMessage& m) {
        appMessages.push_back(m.Msg);
        return false;
    });

    EXPECT_TRUE(app->GetThemed());
    app->SetThemed(true);  // already themed: nothing
    app->SetThemed(false);
    EXPECT_FALSE(app->GetThemed());
    app->SetThemed(true);
    FakeThemes::active = false;
    EXPECT_FALSE(app->GetThemed());
    app->SetThemed(false);
    app->SetThemed(true);  // no active theme: stays off
    EXPECT_FALSE(app->Themed);

    GfxRemoveApplicationHook(hook);
    GfxSetThemeBroadcaster(oldB);
    GfxSetThemeModuleLoader(oldLoader);
    GfxLoadThemeLibrary();
    EXPECT_EQ(FakeThemes::props, (std::vector<std::uint32_t>{0, 3, 0}));
    EXPECT_EQ(broadcasts, 3);
    EXPECT_EQ(appMessages, (std::vector<std::uint32_t>(3, WM_THEMECHANGED)));
}

TEST_F(AppFixture, DesignModeSwitchesWithoutTellingAnyone)
{
    GfxThemeModuleLoader oldLoader = GfxSetThemeModuleLoader(
        [](const QString&) { return std::make_unique<FakeModule>(); });
    GfxLoadThemeLibrary();
    FakeThemes::props.clear();
    FakeThemes::active = true;
    app->SetDesigning(true);
    app->SetThemed(false);
    EXPECT_FALSE(app->Themed);
    GfxSetThemeModuleLoader(oldLoader);
    GfxLoadThemeLibrary();
    EXPECT_TRUE(FakeThemes::props.empty());
}

TEST(Library, InitialiseCreatesTheApplicationObjectAndContainerOnce)
{
    ASSERT_EQ(GfxApplication, nullptr);
    ASSERT_EQ(GfxContainer, nullptr);
    {
        TGfxLibraryScope scope;
        ASSERT_NE(GfxApplication, nullptr);
        TGfxApplication* first = GfxApplication;
        TGfxContainer* container = GfxContainer;
        ASSERT_NE(container, nullptr);
        EXPECT_EQ(container->Owner(), nullptr);
        GfxInitializeLibrary();
        EXPECT_EQ(GfxApplication, first);
        EXPECT_EQ(GfxContainer, container);
        EXPECT_NE(GfxApplication->TimerPool(), nullptr);
        EXPECT_FALSE(GfxThemesLoaded);
    }
    EXPECT_EQ(GfxApplication, nullptr);
    EXPECT_EQ(GfxContainer, nullptr);
}

TEST(Library, RealTimerPoolTicksOnTheEventLoop)
{
    TGfxLibraryScope scope;
    QEventLoop loop;
    int n = 0;
    const auto ident = GfxApplication->AllocTimer(50, [&](TObject*) {
        if (++n == 2)
            loop.quit();
    });
    ASSERT_NE(ident, 0);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    GfxApplication->FreeTimer(ident);
    EXPECT_EQ(n, 2);
}

}  // namespace
