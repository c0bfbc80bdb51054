// The global hot key's registrations, against a recording service, and the
// application-wide service that stands in where the platform has no grab.

#include "gfx_globalhotkey.h"
#include "gfx_hotkey_platform.h"
#include "gfx_hotkey_service.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace {

struct RecordingService : GfxHotKeyService {
    QStringList calls;
    bool Register(uint16_t id, unsigned modifiers, unsigned key) override
    {
        calls << QStringLiteral("register %1 %2 %3").arg(id).arg(modifiers).arg(key, 0, 16);
        return true;
    }
    void Unregister(uint16_t id) override { calls << QStringLiteral("unregister %1").arg(id); }
    QString Kind() const override { return QStringLiteral("recording"); }
    static void press(uint16_t id) { Deliver(id); }
};

class HotKey : public ::testing::Test {
protected:
    void SetUp() override { GfxSetHotKeyService(&service); }
    void TearDown() override { GfxSetHotKeyService(nullptr); }
    QString reg(const TGfxGlobalHotKey& k, unsigned mods, unsigned key) const
    {
        return QStringLiteral("register %1 %2 %3").arg(k.Identifier()).arg(mods).arg(key, 0, 16);
    }
    QString unreg(const TGfxGlobalHotKey& k) const { return QStringLiteral("unregister %1").arg(k.Identifier()); }
    RecordingService service;
};

constexpr TShortCut CtrlShiftF12 = scCtrl | scShift | VK_F12;

TEST_F(HotKey, TheMainWindowsSequence)
{
    auto k = std::make_unique<TGfxGlobalHotKey>();
    EXPECT_TRUE(k->Active());
    EXPECT_EQ(k->HotKey(), 0);
    k->SetActive(true);  // already active: nothing
    EXPECT_TRUE(service.calls.isEmpty());
    k->SetHotKey(CtrlShiftF12);
    EXPECT_EQ(service.calls, QStringList{reg(*k, GFX_MOD_CONTROL | GFX_MOD_SHIFT, VK_F12)});
    const QString released = unreg(*k);
    k.reset();  // destruction releases the grab
    EXPECT_EQ(service.calls.last(), released);
    EXPECT_EQ(service.calls.size(), 2);

    auto idle = std::make_unique<TGfxGlobalHotKey>();
    idle.reset();  // no key: nothing to release
    EXPECT_EQ(service.calls.size(), 2);
}

TEST_F(HotKey, InactiveStoresAndRegistersLater)
{
    TGfxGlobalHotKey k;
    k.SetActive(false);  // HotKey 0: no call
    EXPECT_TRUE(service.calls.isEmpty());
    k.SetHotKey(scAlt | 'K');
    EXPECT_EQ(k.HotKey(), scAlt | 'K');
    EXPECT_TRUE(service.calls.isEmpty());
    k.SetActive(true);
    EXPECT_EQ(service.calls, QStringList{reg(k, GFX_MOD_ALT, 'K')});
    k.SetActive(false);
    EXPECT_EQ(service.calls.last(), unreg(k));
    k.SetActive(true);
    k.SetHotKey(0);
    EXPECT_EQ(service.calls.last(), unreg(k));
    service.calls.clear();
    k.SetActive(false);  // HotKey 0: no call
    k.SetActive(true);   // no key: nothing to grab
    k.SetHotKey(0);      // unchanged
    EXPECT_TRUE(service.calls.isEmpty());
}

TEST_F(HotKey, DesignModeNeverRegisters)
{
    TGfxGlobalHotKey k;
    k.SetDesigning(true);
    k.SetHotKey(CtrlShiftF12);
    k.SetActive(false);
    k.SetActive(true);
    EXPECT_TRUE(service.calls.isEmpty());
    k.SetDesigning(false);
    k.SetHotKey(0);  // registered nothing, but a change while active releases
    EXPECT_EQ(service.calls, QStringList{unreg(k)});
}

TEST_F(HotKey, TwoInstancesHoldDifferentIdentifiers)
{
    TGfxGlobalHotKey a, b;
    EXPECT_NE(a.Identifier(), b.Identifier());
    EXPECT_NE(a.Identifier(), 0);
    EXPECT_EQ(GfxGlobalAtomName(a.Identifier()), QString::number(quintptr(&a)));
    int fired = 0;
    a.SetHotKey(CtrlShiftF12);
    b.SetHotKey(uint16_t(scCtrl) | uint16_t(VK_F1));
    b.OnKeyDown = [&](TObject* s, uint16_t& key, TShiftState shift) {
        EXPECT_EQ(s, &b);
        EXPECT_EQ(key, VK_F1);
        EXPECT_EQ(shift, TShiftState(ssCtrl));
        ++fired;
    };
    RecordingService::press(a.Identifier());  // no handler: swallowed
    RecordingService::press(b.Identifier());
    EXPECT_EQ(fired, 1);
}

TEST_F(HotKey, HandlerSeesTheSplitKeyAndItsExceptionStopsThere)
{
    TGfxGlobalHotKey k;
    k.SetHotKey(CtrlShiftF12);
    uint16_t seenKey = 0;
    TShiftState seenShift = 0;
    k.OnKeyDown = [&](TObject*, uint16_t& key, TShiftState shift) {
        seenKey = key;
        seenShift = shift;
        throw std::runtime_error("handler failed");
    };
    EXPECT_NO_THROW(k.WndProc());
    EXPECT_EQ(seenKey, VK_F12);
    EXPECT_EQ(seenShift, TShiftState(ssCtrl | ssShift));
}

TEST(HotKeySplit, Table)
{
    struct Case {
        TShortCut sc;
        uint16_t key;
        TShiftState shift;
        unsigned mods;
    };
    for (const Case& c : {Case{0x607B, 0x7B, ssShift | ssCtrl, 6}, Case{0x8041, 0x41, ssAlt, 1},
                          Case{0xE070, 0x70, ssShift | ssCtrl | ssAlt, 7}, Case{0x1FFF, 0x1FFF, 0, 0}}) {
        uint16_t key = 0;
        TShiftState shift = 0;
        ShortCutToKey(c.sc, key, shift);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(shift, c.shift);
        EXPECT_EQ(ShiftStateToModifiers(shift), c.mods);
    }
    EXPECT_EQ(GfxVirtualKeyToKeysym(VK_F12), 0xFFC9u);
    EXPECT_EQ(GfxVirtualKeyToKeysym('Q'), uint32_t('q'));
    EXPECT_EQ(GfxVirtualKeyToQtKey(VK_F12), int(Qt::Key_F12));
}

// Offscreen there is no system grab: the combination works inside the
// program, and only with exactly its modifiers.
TEST(AppHotKeyService, FiresOnTheExactCombination)
{
    GfxAppHotKeyService service;
    GfxSetHotKeyService(&service);
    {
        TGfxGlobalHotKey k;
        int fired = 0;
        k.SetHotKey(CtrlShiftF12);
        k.OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++fired; };
        QWidget target;
        const auto send = [&](Qt::KeyboardModifiers m, int key = Qt::Key_F12) {
            QKeyEvent e(QEvent::KeyPress, key, m);
            QCoreApplication::sendEvent(&target, &e);
        };
        send(Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(fired, 1);
        send(Qt::ControlModifier);
        send(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        send(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F11);
        EXPECT_EQ(fired, 1);
        k.SetHotKey(0);
        send(Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(fired, 1);
    }
    GfxSetHotKeyService(nullptr);
}

}  // namespace
