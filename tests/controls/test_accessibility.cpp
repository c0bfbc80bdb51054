// What assistive tools hear of the library's controls: the changes of what
// they read (a check, a caption, a clock's time) come as update events, and
// what the events announce is what the control's interface then answers.
#include "control_helpers.h"
#include "gfx_application.h"
#include "gfx_clock.h"
#include "gfx_radiobutton.h"
#include "gfx_radiogroup.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include <memory>
#include <vector>

using namespace controltest;

namespace {

// One event as a tool receives it, with what the control answers then.
struct Heard {
    QObject* object;
    QAccessible::Event type;
    bool checkedChanged;  // a state change naming the checked state
    bool checked;         // the state read at that moment
    QString name;
    QString value;
};

// Hears the updates the controls send, while it exists. (The offscreen
// platform has no accessibility of its own: Qt sends nothing on to tools
// there, so the library's listener is where the updates are seen.)
class Listener {
public:
    Listener()
    {
        heard_ = &events;
        previous_ = GfxSetAccessibleListener(&Listener::Update);
    }
    ~Listener()
    {
        GfxSetAccessibleListener(previous_);
        heard_ = nullptr;
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // The events about one object.
    std::vector<Heard> About(const QObject* o) const
    {
        std::vector<Heard> out;
        for (const Heard& h : events)
            if (h.object == o)
                out.push_back(h);
        return out;
    }
    std::vector<Heard> events;

private:
    static void Update(QAccessibleEvent* e)
    {
        if (!heard_)
            return;
        QAccessibleInterface* face = e->accessibleInterface();
        Heard h{e->object(), e->type(), false, false, QString(), QString()};
        if (e->type() == QAccessible::StateChanged)
            h.checkedChanged = static_cast<QAccessibleStateChangeEvent*>(e)->changedStates().checked;
        if (e->type() == QAccessible::ValueChanged)
            h.value = static_cast<QAccessibleValueChangeEvent*>(e)->value().toString();
        if (face) {
            h.checked = face->state().checked;
            h.name = face->text(QAccessible::Name);
        }
        heard_->push_back(h);
    }
    static inline std::vector<Heard>* heard_ = nullptr;
    GfxAccessibleListener previous_ = nullptr;
};

TEST(Accessibility, ACheckChangeIsToldWithTheNewState)
{
    QWidget form;
    auto* a = new TGfxRadioButton(&form);
    auto* b = new TGfxRadioButton(&form);
    Listener tool;
    a->SetChecked(true);
    b->SetChecked(true);  // unchecks a
    b->SetChecked(true);  // no change: nothing
    const auto checks = [&](TGfxRadioButton* r) {
        std::vector<bool> out;
        for (const Heard& h : tool.About(r))
            if (h.type == QAccessible::StateChanged && h.checkedChanged)
                out.push_back(h.checked);
        return out;
    };
    EXPECT_EQ(checks(a), (std::vector<bool>{true, false}));
    EXPECT_EQ(checks(b), (std::vector<bool>{true}));
}

TEST(Accessibility, AGroupsChoiceIsToldByItsButtons)
{
    QWidget form;
    auto* g = new TGfxRadioGroup(&form);
    g->SetItems({QStringLiteral("Hi-Z"), QStringLiteral("75 Ohms")});
    Show(form);
    Listener tool;
    g->SetItemIndex(1);
    g->SetItemIndex(0);
    std::vector<std::pair<QString, bool>> heard;
    for (const Heard& h : tool.events)
        if (h.type == QAccessible::StateChanged && h.checkedChanged)
            heard.emplace_back(h.name, h.checked);
    EXPECT_EQ(heard, (std::vector<std::pair<QString, bool>>{
                         {"75 Ohms", true}, {"75 Ohms", false}, {"Hi-Z", true}}));
}

TEST(Accessibility, ACaptionChangeIsToldAsANameChange)
{
    QWidget form;
    auto* r = new TGfxRadioButton(&form);
    r->SetCaption(QStringLiteral("Auto"));
    Show(form);
    Listener tool;
    r->SetCaption(QStringLiteral("&Auto Follow"));
    r->SetCaption(QStringLiteral("&Auto Follow"));
    std::vector<QString> names;
    for (const Heard& h : tool.About(r))
        if (h.type == QAccessible::NameChanged)
            names.push_back(h.name);
    EXPECT_EQ(names, std::vector<QString>{QStringLiteral("Auto Follow")});
}

// An application object ticking by hand, with a clock that can be set.
struct ClockTime : ::testing::Test {
    ClockTime()
    {
        auto t = std::make_unique<GfxFakeTickSource>();
        app = std::make_unique<TGfxApplication>(nullptr, std::move(t));
        saved = std::exchange(GfxApplication, app.get());
        previousNow = GfxSetNowFunction([this] { return now; });
    }
    ~ClockTime() override
    {
        GfxSetNowFunction(previousNow);
        GfxApplication = saved;
    }
    TDateTime now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 30, 0, 0);
    std::unique_ptr<TGfxApplication> app;
    TGfxApplication* saved = nullptr;
    GfxNowFunction previousNow;
};

TEST_F(ClockTime, TheTimeShownIsToldAsAValueOncePerChange)
{
    QWidget form;
    auto* clock = new TGfxClock(&form);
    Show(form, 60, 60);
    Listener tool;
    clock->Tick();
    clock->Tick();  // the same second: nothing new
    now = GfxEncodeDate(2024, 5, 6) + GfxEncodeTime(15, 30, 1, 0);
    clock->Tick();
    std::vector<QString> values;
    for (const Heard& h : tool.About(clock))
        if (h.type == QAccessible::ValueChanged)
            values.push_back(h.value);
    EXPECT_EQ(values, (std::vector<QString>{QStringLiteral("15:30:00"), QStringLiteral("15:30:01")}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(clock)->text(QAccessible::Value), QStringLiteral("15:30:01"));
}

}  // namespace
