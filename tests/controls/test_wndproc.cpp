// The window-procedure hook, the theme manager, the one-instance check and
// the theme broadcast to the forms.
#include "gfx_application.h"
#include "gfx_library.h"
#include "gfx_themes.h"
#include "platform/gfx_platform.h"
#include "platform/gfx_theme_service.h"
#include "widgets/gfx_wndproc.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A form that records the library messages its own handling receives.
class RecordingForm : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<std::uint32_t> seen;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == GfxMessageEvent::EventType()) {
            auto& m = static_cast<GfxMessageEvent*>(e)->Message;
            seen.push_back(m.Msg);
            m.Result = 100 + static_cast<std::intptr_t>(m.Msg);
            return true;
        }
        return QWidget::event(e);
    }
};

// A hook that records what it sees before passing it on.
class SpyHook : public TGfxWndProcComponent {
public:
    using TGfxWndProcComponent::TGfxWndProcComponent;
    std::vector<std::uint32_t> seen;
    bool CallMainHook(TMessage& m) { return MainWindowHook(m); }

protected:
    void WndProc(TMessage& m) override
    {
        seen.push_back(m.Msg);
        TGfxWndProcComponent::WndProc(m);
    }
};

TEST(WndProc, HookSeesMessagesAndPassesThemOn)
{
    RecordingForm form;
    auto* hook = new SpyHook(&form);
    EXPECT_EQ(hook->OwnerKind(), 0);
    EXPECT_EQ(hook->HookWindow(), &form);
    hook->EndLoading();  // loaded: hooks
    EXPECT_EQ(hook->HookedWindow(), &form);
    EXPECT_EQ(GfxSendMessage(&form, 0x0400), 100 + 0x400);
    EXPECT_EQ(hook->seen, std::vector<std::uint32_t>{0x0400});
    EXPECT_EQ(form.seen, std::vector<std::uint32_t>{0x0400});
    EXPECT_FALSE(hook->Hook());  // a second hook fails
}

TEST(WndProc, NothingPassesAfterTheDestroyMessage)
{
    RecordingForm form;
    auto* hook = new SpyHook(&form);
    ASSERT_TRUE(hook->Hook());
    GfxSendMessage(&form, WM_DESTROY);
    GfxSendMessage(&form, 0x0400);
    GfxSendMessage(&form, 0x0401);
    EXPECT_EQ(form.seen, std::vector<std::uint32_t>{WM_DESTROY});
}

TEST(WndProc, EnabledHooksAndUnhooks)
{
    RecordingForm form;
    auto* hook = new SpyHook(&form);
    int changes = 0;
    struct Counting : SpyHook {
        using SpyHook::SpyHook;
        int* n = nullptr;
        void EnabledChanged() override { ++*n; }
    };
    auto* counted = new Counting(&form);
    counted->n = &changes;
    counted->SetEnabled(false);
    counted->SetEnabled(false);
    counted->SetEnabled(true);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(counted->HookedWindow(), &form);
    ASSERT_TRUE(hook->Hook());
    hook->SetEnabled(false);
    EXPECT_EQ(hook->HookedWindow(), nullptr);
    GfxSendMessage(&form, 0x0400);
    EXPECT_TRUE(hook->seen.empty());
    EXPECT_EQ(form.seen, std::vector<std::uint32_t>{0x0400});
}

TEST(WndProc, NoOwnerOrDesigningHooksNothing)
{
    SpyHook lonely(nullptr);
    EXPECT_FALSE(lonely.Hook());
    RecordingForm form;
    auto* hook = new SpyHook(&form);
    hook->SetDesigning(true);
    EXPECT_FALSE(hook->Hook());
    hook->DesignTimeHook = true;
    EXPECT_TRUE(hook->Hook());
}

TEST(WndProc, MultipleDocumentParentHooksItsArea)
{
    QMainWindow main;
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    auto* hook = new SpyHook(&main);
    EXPECT_EQ(hook->OwnerKind(), 2);
    EXPECT_EQ(hook->HookWindow(), area);
    hook->UseFormHandle = true;
    EXPECT_EQ(hook->HookWindow(), &main);
    auto* child = new QWidget;
    area->addSubWindow(child);
    EXPECT_EQ(SpyHook(child).OwnerKind(), 1);
}

TEST(WndProc, MainWindowHookAnswersHandled)
{
    RecordingForm form;
    auto* hook = new SpyHook(&form);
    hook->MainWindowFlag = true;
    ASSERT_TRUE(hook->Hook());
    int later = 0;
    const int key = GfxAddApplicationHook([&](TMessage&) {
        ++later;
        return false;
    });
    GfxSendApplicationMessage(0x0400);
    EXPECT_EQ(later, 0);  // the component's hook took it
    TMessage m{0x0400, 0, 0, 0};
    EXPECT_TRUE(hook->CallMainHook(m));
    hook->Unhook();
    GfxSendApplicationMessage(0x0400);
    EXPECT_EQ(later, 1);
    GfxRemoveApplicationHook(key);
}

TEST(WndProc, HooksOnOneFormChain)
{
    RecordingForm form;
    auto* first = new SpyHook(&form);
    auto* second = new SpyHook(&form);
    auto* third = new SpyHook(&form);
    ASSERT_TRUE(first->Hook());
    ASSERT_TRUE(second->Hook());
    ASSERT_TRUE(third->Hook());
    EXPECT_EQ(GfxSendMessage(&form, 0x0400), 100 + 0x400);
    for (SpyHook* h : {first, second, third})
        EXPECT_EQ(h->seen, std::vector<std::uint32_t>{0x0400});
    EXPECT_EQ(form.seen, std::vector<std::uint32_t>{0x0400});

    // The middle one leaves: the last passes straight to the first.
    second->Unhook();
    GfxSendMessage(&form, 0x0401);
    EXPECT_EQ(first->seen.back(), 0x0401u);
    EXPECT_EQ(second->seen.size(), 1u);
    EXPECT_EQ(third->seen.back(), 0x0401u);
    EXPECT_EQ(form.seen.size(), 2u);

    // After the destroy message, the last component passes nothing on.
    GfxSendMessage(&form, WM_DESTROY);
    GfxSendMessage(&form, 0x0402);
    EXPECT_EQ(third->seen.back(), 0x0402u);
    EXPECT_EQ(first->seen.back(), WM_DESTROY);
    EXPECT_EQ(form.seen.back(), WM_DESTROY);
}

TEST(WndProc, DestroyingTheFormUnhooksCleanly)
{
    auto* form = new RecordingForm;
    auto* hook = new SpyHook(nullptr);
    hook->setParent(form);
    ASSERT_TRUE(hook->Hook());
    SpyHook* outside = new SpyHook(form);
    ASSERT_TRUE(outside->Hook());
    outside->setParent(nullptr);  // outlives the form it hooks
    delete form;
    EXPECT_EQ(outside->HookedWindow(), nullptr);
    delete outside;
}

TEST(OneInstance, CountsComponentsOfTheClassOnAForm)
{
    auto isHook = [](const QObject* o) { return dynamic_cast<const SpyHook*>(o) != nullptr; };
    QWidget form;
    EXPECT_TRUE(GfxCheckOneInstance(nullptr, isHook, false));
    new SpyHook(&form);
    EXPECT_FALSE(GfxCheckOneInstance(&form, isHook, false));
    EXPECT_FALSE(GfxCheckOneInstance(&form, {}, false));
    new SpyHook(&form);
    EXPECT_TRUE(GfxCheckOneInstance(&form, isHook, false));
    QWidget* inner = new QWidget(&form);
    EXPECT_TRUE(GfxCheckOneInstance(inner, isHook, false));   // not a form
    EXPECT_FALSE(GfxCheckOneInstance(inner, isHook, true));   // admitted, holds none
}

struct FakeThemes {
    static inline bool active = true;
    static bool IsThemeActive() { return active; }
};
class FakeModule : public GfxThemeModule {
public:
    void* Resolve(const char* name) override
    {
        return std::string(name) == "IsThemeActive" ? reinterpret_cast<void*>(&FakeThemes::IsThemeActive)
                                                    : nullptr;
    }
};

TEST(ThemeManager, ThemeChangeReachesEveryVisibleForm)
{
    GfxThemeModuleLoader old =
        GfxSetThemeModuleLoader([](const QString&) { return std::make_unique<FakeModule>(); });
    GfxInitializeWidgetLibrary();
    ASSERT_TRUE(GfxThemesLoaded);
    ASSERT_NE(GfxThemeManager, nullptr);

    RecordingForm form;
    auto* control = new RecordingForm(&form);
    auto* inner = new RecordingForm(control);
    auto* manager = new TGfxXPThemeManager(&form);
    ASSERT_TRUE(manager->Hook());
    form.show();
    RecordingForm hidden;

    GfxSendMessage(&form, WM_CREATE);
    EXPECT_TRUE(GfxApplication->Themed);
    GfxSendMessage(&form, WM_THEMECHANGED);  // off and on again: two broadcasts

    const std::vector<std::uint32_t> twice = {GFX_THEMECHANGED, WM_THEMECHANGED,
                                              GFX_THEMECHANGED, WM_THEMECHANGED};
    EXPECT_EQ(control->seen, twice);
    EXPECT_EQ(inner->seen, (std::vector<std::uint32_t>{WM_THEMECHANGED, WM_THEMECHANGED}));
    // The form: WM_CREATE passed on, the two broadcasts, then the theme
    // change itself passed on.
    EXPECT_EQ(form.seen, (std::vector<std::uint32_t>{WM_CREATE, WM_THEMECHANGED, WM_THEMECHANGED,
                                                     WM_THEMECHANGED}));
    EXPECT_TRUE(hidden.seen.empty());

    delete manager;
    GfxFinalizeWidgetLibrary();
    GfxSetThemeModuleLoader(old);
    GfxLoadThemeLibrary();
    EXPECT_EQ(GfxThemeManager, nullptr);
}

}  // namespace
