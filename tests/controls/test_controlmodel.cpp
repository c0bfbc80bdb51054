// The control model: bounds and their flags, mouse enter and exit, focus
// events in order, the broadcast, theme changes, alignment, parent colour
// and font, window re-creation and the accessible face.
#include "control_helpers.h"
#include "gfx_control.h"
#include "gfx_customcontrol.h"
#include "gfx_graphiccontrol.h"
#include "widgets/gfx_wndproc.h"

#include <QAccessible>
#include <QPointer>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace controltest;

namespace {

class BoundsProbe : public TGfxControl {
public:
    using TGfxControl::TGfxControl;
    std::vector<TGfxBoundsFlags> flags;
    void BoundsChanged(TGfxBoundsFlags f) override
    {
        flags.push_back(f);
        TGfxControl::BoundsChanged(f);
    }
};

TEST(ControlBounds, FlagsSayWhatMovedAndWhatResized)
{
    const struct { const char* what; TRect to; std::vector<TGfxBoundsFlags> flags; } cases[] = {
        {"moved", {20, 10, 70, 30}, {gbcMoved}},
        {"resized in place", {10, 10, 90, 40}, {gbcResized}},
        {"both", {0, 0, 10, 10}, {gbcMoved | gbcResized}},
        {"same bounds", {10, 10, 60, 30}, {}},
        {"negative size counts as 0", {10, 10, 5, 5}, {gbcResized}},
    };
    for (const auto& c : cases) {
        QWidget form;
        auto* control = new BoundsProbe(&form);
        control->SetBounds(10, 10, 50, 20);
        control->flags.clear();
        control->SetBounds(c.to.Left, c.to.Top, c.to.Width(), c.to.Height());
        EXPECT_EQ(control->flags, c.flags) << c.what;
        EXPECT_EQ(control->geometry(), QRect(control->Left(), control->Top(), control->Width(), control->Height()))
            << c.what;
    }
}

TEST(ControlBounds, QtGeometryChangesTakeTheSameRoadAndLoadingFiresNothing)
{
    QWidget form;
    auto* control = new BoundsProbe(&form);
    control->SetBounds(10, 10, 50, 20);
    Show(form);
    control->flags.clear();
    control->move(30, 10);
    control->resize(60, 20);
    EXPECT_EQ(control->flags, (std::vector<TGfxBoundsFlags>{gbcMoved, gbcResized}));
    EXPECT_EQ(control->Left(), 30);
    EXPECT_EQ(control->Width(), 60);

    control->flags.clear();
    control->BeginLoading();
    control->SetBounds(0, 0, 10, 10);
    control->EndLoading();
    EXPECT_TRUE(control->flags.empty());
    EXPECT_EQ(control->BoundsRect(), (TRect{0, 0, 10, 10}));
}

TEST(ControlBounds, WindowedControlsHearMoveAndSizeOnce)
{
    class Probe : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;
        std::vector<std::uint32_t> seen;

    protected:
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_MOVE || m.Msg == WM_SIZE)
                seen.push_back(m.Msg);
            TCustomControl::WndProc(m);
        }
    };
    QWidget form;
    auto* control = new Probe(&form);
    Show(form);
    control->seen.clear();
    control->SetBounds(5, 5, 40, 40);
    control->setGeometry(5, 5, 40, 41);  // through Qt
    EXPECT_EQ(control->seen, (std::vector<std::uint32_t>{WM_MOVE, WM_SIZE, WM_SIZE}));
}

// ------------------------------------------------------------ mouse

TEST(ControlMouse, EnterAndExitFireOnlyWhileEnabled)
{
    const struct { bool windowed; bool enabled; std::vector<std::string> events; } cases[] = {
        {false, true, {"enter", "exit"}},
        {false, false, {}},
        {true, true, {"enter", "exit"}},
        {true, false, {}},
    };
    for (const auto& c : cases) {
        QWidget form;
        std::vector<std::string> events;
        TNotifyEvent enter = [&](TObject*) { events.push_back("enter"); };
        TNotifyEvent exit = [&](TObject*) { events.push_back("exit"); };
        QWidget* control;
        if (c.windowed) {
            auto* w = new TGfxCustomControl(&form);
            w->OnMouseEnter = enter;
            w->OnMouseExit = exit;
            control = w;
        } else {
            auto* g = new TGfxControl(&form);
            g->OnMouseEnter = enter;
            g->OnMouseExit = exit;
            control = g;
        }
        control->setEnabled(c.enabled);
        MouseEnter(control);
        MouseLeave(control);
        EXPECT_EQ(events, c.events) << "windowed " << c.windowed << ", enabled " << c.enabled;
    }
}

TEST(ControlMouse, DesignModeAndDisablingWhileInside)
{
    QWidget form;
    std::vector<std::string> events;
    auto* graphic = new TGfxControl(&form);
    graphic->OnMouseEnter = [&](TObject*) { events.push_back("graphic enter"); };
    graphic->SetDesigning(true);
    MouseEnter(graphic);
    MouseLeave(graphic);
    EXPECT_TRUE(events.empty()) << "the designer gets no enter or exit";

    // A windowed control that is disabled under the mouse loses it to its
    // parent, as the platform's disabled windows do.
    auto* windowed = new TGfxCustomControl(&form);
    windowed->OnMouseExit = [&](TObject*) { events.push_back("windowed exit"); };
    MouseEnter(windowed);
    EXPECT_TRUE(windowed->MouseIn());
    windowed->SetEnabled(false);
    EXPECT_FALSE(windowed->MouseIn());
    MouseLeave(windowed);
    EXPECT_EQ(events, std::vector<std::string>{"windowed exit"});
}

TEST(ControlMouse, ButtonsClickAndStayWithTheControl)
{
    GradientForm form;
    int formPresses = 0;
    class Counting : public QObject {
    public:
        int* n;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::MouseButtonPress)
                ++*n;
            return false;
        }
    } filter;
    filter.n = &formPresses;
    form.installEventFilter(&filter);
    auto* control = new TGfxControl(&form);
    control->SetBounds(10, 10, 40, 20);
    std::vector<std::string> events;
    control->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        events.push_back("down " + std::to_string(b) + " " + std::to_string(s & ssShift) + " " +
                         std::to_string(x) + "," + std::to_string(y));
    };
    control->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        events.push_back("up " + std::to_string(b));
    };
    control->OnClick = [&](TObject*) { events.push_back("click"); };
    Show(form);
    QTest::mouseClick(control, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
    QTest::mouseClick(control, Qt::RightButton, {}, QPoint(3, 4));
    EXPECT_EQ(events, (std::vector<std::string>{"down 0 1 3,4", "click", "up 0", "down 1 0 3,4", "up 1"}));
    EXPECT_EQ(formPresses, 0) << "the parent does not get the control's press as well";
}

// ------------------------------------------------------------ focus

TEST(ControlFocus, FocusEventsAreQueuedInOrder)
{
    QWidget form;
    auto* a = new TGfxCustomControl(&form);
    auto* b = new TGfxCustomControl(&form);
    b->SetBounds(0, 50, 100, 40);
    std::vector<std::string> log;
    a->OnFocusGained = [&](TObject*) { log.push_back("a gained"); };
    a->OnFocusLost = [&](TObject*) { log.push_back("a lost"); };
    b->OnFocusGained = [&](TObject*) { log.push_back("b gained"); };
    a->OnEnter = [&](TObject*) { log.push_back("a enter"); };
    Show(form);
    QApplication::setActiveWindow(&form);
    a->SetFocus();
    b->SetFocus();
    EXPECT_EQ(log, std::vector<std::string>{"a enter"}) << "enter is at once, the focus events later";
    EXPECT_FALSE(a->HasFocus());
    EXPECT_TRUE(b->HasFocus());
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a gained", "a lost", "b gained"}));
}

TEST(ControlFocus, AQueuedFocusEventNeverReachesAFreedControl)
{
    QWidget form;
    auto* a = new TGfxCustomControl(&form);
    std::vector<std::string> log;
    a->OnFocusGained = [&](TObject*) { log.push_back("a gained"); };
    Show(form);
    QApplication::setActiveWindow(&form);
    a->SetFocus();
    delete a;
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

// -------------------------------------------------------- broadcast

constexpr std::uint32_t Probe = 0x0400;

class Listener : public TCustomControl {
public:
    Listener(QWidget* parent, std::string name, std::vector<std::string>& log)
        : TCustomControl(parent), name_(std::move(name)), log_(log)
    {
    }
    std::function<void()> onProbe;
    std::intptr_t answer = 0;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == Probe) {
            log_.push_back(name_);
            if (onProbe)
                onProbe();
            m.Result = answer;
            return;
        }
        TCustomControl::WndProc(m);
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(ControlBroadcast, AChildFreedDuringTheBroadcastIsSkipped)
{
    std::vector<std::string> log;
    TWinControl parent;
    auto* first = new Listener(&parent, "first", log);
    auto* second = new Listener(&parent, "second", log);
    new Listener(&parent, "third", log);
    first->onProbe = [second] { delete second; };
    parent.NotifyControls(Probe);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(parent.ControlCount(), 2);
}

TEST(ControlBroadcast, StopsAtTheFirstAnswer)
{
    std::vector<std::string> log;
    TWinControl parent;
    new Listener(&parent, "first", log);
    (new Listener(&parent, "second", log))->answer = 7;
    new Listener(&parent, "third", log);
    TMessage m{Probe, 0, 0, 0};
    parent.Broadcast(m);
    EXPECT_EQ(m.Result, 7);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
}

// ------------------------------------------------------------ themes

std::map<std::string, int> ThemeCalls;

class ThemedGraphic : public TGfxControl {
public:
    ThemedGraphic(QWidget* p, const char* n) : TGfxControl(p) { SetName(QString::fromLatin1(n)); }
    void ThemeChanged() override
    {
        ++ThemeCalls[Name().toStdString()];
        TGfxControl::ThemeChanged();
    }
};

class ThemedWindowed : public TGfxCustomControl {
public:
    ThemedWindowed(QWidget* p, const char* n) : TGfxCustomControl(p) { SetName(QString::fromLatin1(n)); }
    void ThemeChanged() override
    {
        ++ThemeCalls[Name().toStdString()];
        TGfxCustomControl::ThemeChanged();
    }
};

TEST(ControlThemes, AThemeChangeReachesEveryControlOnce)
{
    QWidget form;
    new ThemedGraphic(&form, "g1");
    auto* w1 = new ThemedWindowed(&form, "w1");
    new ThemedGraphic(w1, "g2");
    auto* w2 = new ThemedWindowed(w1, "w2");
    new ThemedGraphic(w2, "g3");
    Show(form);
    const std::map<std::string, int> once = {{"g1", 1}, {"g2", 1}, {"g3", 1}, {"w1", 1}, {"w2", 1}};

    ThemeCalls.clear();
    GfxBroadcastThemeToForms();
    EXPECT_EQ(ThemeCalls, once);
    ThemeCalls.clear();
    GfxBroadcastThemeToForms();  // a second change is a change again
    EXPECT_EQ(ThemeCalls, once);

    // A control's own change (CtlXP) reaches its children once, and only them.
    ThemeCalls.clear();
    w1->SetCtlXP(false);
    EXPECT_EQ(ThemeCalls, (std::map<std::string, int>{{"g2", 1}, {"g3", 1}, {"w1", 1}, {"w2", 1}}));
}

// --------------------------------------------------------- alignment

TEST(ControlAlign, AlignedControlsShareTheClientAreaAndAnchorsFollow)
{
    TCustomControl panel;
    panel.SetBounds(0, 0, 200, 100);
    auto* top = new TGfxControl(&panel);
    top->SetBounds(0, 0, 10, 20);
    top->SetAlign(alTop);
    auto* left = new TGfxControl(&panel);
    left->SetBounds(0, 0, 30, 10);
    left->SetAlign(alLeft);
    auto* right = new TGfxControl(&panel);
    right->SetBounds(0, 0, 25, 10);
    right->SetAlign(alRight);
    auto* client = new TGfxControl(&panel);
    client->SetAlign(alClient);
    auto* corner = new TGfxControl(&panel);  // keeps its distance to the right and bottom
    corner->SetBounds(150, 70, 20, 10);
    corner->SetAnchors(akRight | akBottom);
    auto* stretched = new TGfxControl(&panel);  // follows both sides
    stretched->SetBounds(10, 80, 180, 10);
    stretched->SetAnchors(akLeft | akRight | akTop);

    const auto expect = [&](const char* when, TRect t, TRect l, TRect r, TRect c, TRect k, TRect s) {
        EXPECT_EQ(top->BoundsRect(), t) << when;
        EXPECT_EQ(left->BoundsRect(), l) << when;
        EXPECT_EQ(right->BoundsRect(), r) << when;
        EXPECT_EQ(client->BoundsRect(), c) << when;
        EXPECT_EQ(corner->BoundsRect(), k) << when;
        EXPECT_EQ(stretched->BoundsRect(), s) << when;
    };
    expect("placed", {0, 0, 200, 20}, {0, 20, 30, 100}, {175, 20, 200, 100}, {30, 20, 175, 100},
           {150, 70, 170, 80}, {10, 80, 190, 90});
    panel.SetBounds(0, 0, 300, 150);
    expect("grown", {0, 0, 300, 20}, {0, 20, 30, 150}, {275, 20, 300, 150}, {30, 20, 275, 150},
           {250, 120, 270, 130}, {10, 80, 290, 90});
    top->SetHeight(40);  // an aligned control's size moves the others
    expect("taller top", {0, 0, 300, 40}, {0, 40, 30, 150}, {275, 40, 300, 150}, {30, 40, 275, 150},
           {250, 120, 270, 130}, {10, 80, 290, 90});
}

TEST(ControlAlign, APlainParentIsFollowedToo)
{
    QWidget form;
    form.resize(200, 100);
    auto* bottom = new TGfxControl(&form);
    bottom->SetBounds(0, 0, 10, 15);
    bottom->SetAlign(alBottom);
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 85, 200, 100}));
    form.resize(120, 60);
    QCoreApplication::sendPostedEvents();
    Show(form, 120, 60);
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 45, 120, 60}));
}

// ------------------------------------------------- parent colour, font

TEST(ControlParent, ColourAndFontFollowTheParentUntilSet)
{
    TCustomControl panel;
    panel.SetColor(clRed);
    auto* child = new TGfxControl(&panel);
    EXPECT_TRUE(child->ParentColor());
    EXPECT_EQ(child->Color(), clRed);
    panel.SetColor(clBlue);
    EXPECT_EQ(child->Color(), clBlue);
    child->SetColor(clLime);
    EXPECT_FALSE(child->ParentColor());
    panel.SetColor(clGray);
    EXPECT_EQ(child->Color(), clLime);
    child->SetParentColor(true);
    EXPECT_EQ(child->Color(), clGray);

    panel.Font().SetHeight(-20);
    EXPECT_EQ(child->Font().Height(), -20);
    EXPECT_TRUE(child->ParentFont());
    child->Font().SetStyle(fsBold);
    EXPECT_FALSE(child->ParentFont());
    panel.Font().SetHeight(-9);
    EXPECT_EQ(child->Font().Height(), -20);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font().Height(), -9);
    EXPECT_EQ(child->Font().Style(), 0u);

    // Moved to a plain widget: its background colour.
    QWidget plain;
    QPalette pal = plain.palette();
    pal.setColor(plain.backgroundRole(), QColor(1, 2, 3));
    plain.setPalette(pal);
    child->SetParent(&plain);
    EXPECT_EQ(child->Color(), GfxRGB(1, 2, 3));
}

// --------------------------------------------- styles, window, access

TEST(ControlWindow, TransparencySwitchesTheOpaqueStyleAndRecreatesTheWindow)
{
    QWidget form;
    auto* control = new TGfxCustomControl(&form);
    Show(form);
    const int made = control->WindowsCreated();
    EXPECT_EQ(made, 1);
    control->SetTransparent(true);
    EXPECT_FALSE(control->ControlStyle() & csOpaque);
    EXPECT_FALSE(control->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(control->WindowsCreated(), made + 1);
    control->SetTransparent(false);
    EXPECT_TRUE(control->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(control->WindowsCreated(), made + 2);
    control->SetTransparent(false);
    EXPECT_EQ(control->WindowsCreated(), made + 2) << "no change, no new window";
}

TEST(ControlWindow, AControlMadeOnAShownFormShowsOnceWhole)
{
    QWidget form;
    Show(form);
    auto* windowed = new TGfxCustomControl(&form);
    auto* graphic = new TGfxControl(&form);
    auto* hidden = new TGfxControl(&form);
    hidden->SetVisible(false);
    EXPECT_FALSE(windowed->isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(windowed->isVisible());
    EXPECT_TRUE(graphic->isVisible());
    EXPECT_FALSE(hidden->isVisible()) << "hidden before it was shown: stays hidden";
    EXPECT_TRUE(windowed->HandleAllocated());
    EXPECT_EQ(windowed->WindowsCreated(), 1);
}

TEST(ControlAccess, TheControlSaysItsRoleTextAndState)
{
    class Check : public TGfxControl {
    public:
        using TGfxControl::TGfxControl;
        QAccessible::Role AccessibleRole() const override { return QAccessible::CheckBox; }
        void AccessibleState(QAccessible::State& s) const override { s.checked = true; }
    };
    QWidget form;
    auto* check = new Check(&form);
    check->SetCaption(QStringLiteral("Auto Follow"));
    Show(form);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(check);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::CheckBox);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Auto Follow"));
    EXPECT_TRUE(face->state().checked);
    check->SetEnabled(false);
    EXPECT_TRUE(face->state().disabled);
}

}  // namespace
