// The wheel and the Tab key across the main window: a notch turns only the
// focused control (scrolling over a page writes nothing), and Tab visits
// each page's controls in the order they are read on screen.
#include "page_fixture.h"

#include "real_input.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <utility>

namespace Reg = zeph::Reg;

namespace {

class FocusPaths : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        w().show();
        QApplication::setActiveWindow(&w());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    }
    // What the wheel would change: a list's or tab bar's item, a bar's
    // position.
    static int state(QWidget* c)
    {
        if (auto* list = qobject_cast<QComboBox*>(c)) return list->currentIndex();
        if (auto* tabs = qobject_cast<QTabBar*>(c)) return tabs->currentIndex();
        if (auto* bar = qobject_cast<QAbstractSlider*>(c)) return bar->sliderPosition();
        ADD_FAILURE() << "no wheel control " << c->objectName().toStdString();
        return 0;
    }
    // Tab presses where the focus is until it reaches `c`; false when a
    // whole round of the window went by without.
    bool tabTo(QWidget* c)
    {
        for (int i = 0; i < 400 && !c->hasFocus(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus) return false;
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        return c->hasFocus();
    }
};

// Counts the wheel events that reach a widget (passed on by a child).
class WheelCount : public QObject {
public:
    explicit WheelCount(QWidget* w) : w_(w) { w->installEventFilter(this); }
    ~WheelCount() override { w_->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Wheel) ++count;
        return false;
    }

private:
    QWidget* w_;
};

}  // namespace

// Every kind of control on the pages that the wheel turns: lists, tab bars
// and scroll bars, on each page and above the pages. Unfocused, a notch
// down and a notch up change nothing, write nothing and go on to the
// parent; focused by Tab (which writes nothing), the control turns and
// writes as before.
TEST_F(FocusPaths, TheWheelTurnsOnlyTheFocusedControl)
{
    const struct {
        QWidget* page;
        const char* control;
    } cases[] = {
        {w().inputPage, "ComboBox_signaltype1"},
        {w().inputPage, "ComboBox_standard2"},
        {w().outputPage, "combo_refreq"},
        {w().outputPage, "TabSet_IASPR"},
        {w().imagePage, "ComboBox_process"},
        {w().audioPage, "ScrollBar_audio1"},
        {w().audioPage, "ScrollBar_AMAST"},  // below the input buttons
        {w().logoFramePage, "TabControl_logo"},
        {w().logoFramePage, "ScrollBar_Frame_Fade_duration"},
        {w().logoFramePage, "new_Combologo1"},  // in the top panel
        {w().effectsPage, "ScrollBar_faddur"},
    };
    reply(Reg::DEV, 23);  // logos and effects
    reply(Reg::EFFAV, 1);
    reply(Reg::LMODE, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        w().PageControl1->setCurrentWidget(c.page);
        QWidget* control = find<QWidget>(c.control);
        ASSERT_TRUE(control->isVisible() && control->isEnabled());
        if (control->hasFocus()) QTest::keyClick(control, Qt::Key_Tab);
        ASSERT_FALSE(control->hasFocus());

        const int before = state(control);
        WheelCount parent(control->parentWidget());
        sent.clear();
        ASSERT_EQ(zephtest::wheelNotch(control, -120), control) << "the pointer is not over the control";
        zephtest::wheelNotch(control, 120);
        EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();
        EXPECT_EQ(state(control), before);
        EXPECT_FALSE(control->hasFocus()) << "the wheel gave the focus";
        EXPECT_EQ(parent.count, 2) << "not passed on to the parent";

        sent.clear();
        ASSERT_TRUE(tabTo(control));
        EXPECT_TRUE(sent.isEmpty()) << "Tab wrote " << sent.join(u' ').toStdString();
        zephtest::wheelNotch(control, -120);
        EXPECT_NE(state(control), before);
        EXPECT_FALSE(sent.isEmpty());
    }
}

namespace {

// Whether b may come after a in reading order: lower down, or to its
// right in the same row (their middles less than half the taller one's
// height apart).
bool readsAfter(const QRect& a, const QRect& b)
{
    const double ma = a.top() + a.height() / 2.0, mb = b.top() + b.height() / 2.0;
    const bool sameRow = std::abs(mb - ma) < std::max(a.height(), b.height()) / 2.0;
    return mb > ma || (sameRow && b.left() > a.left());
}

}  // namespace

// Tab pressed from the first control of the window goes through the page
// in view in reading order and comes back round: every shown control that
// takes Tab once, top to bottom and left to right, on every page of three
// models (the model layout moves and hides controls); Shift+Tab goes the
// same round backwards. A group of exclusive radio buttons is one stop, as
// Qt makes it. Nothing is written on the way.
TEST_F(FocusPaths, TabFollowsTheReadingOrderOfEachPage)
{
    QTabWidget* pages = w().PageControl1;
    QWidget* client = w().centralWidget();
    auto at = [client](QWidget* c) { return QRect(c->mapTo(client, QPoint(0, 0)), c->size()); };
    auto name = [](QWidget* c) {
        return (c->objectName().isEmpty() ? c->parentWidget()->objectName() + QLatin1Char('/') + QString::fromLatin1(c->metaObject()->className())
                                          : c->objectName()).toStdString();
    };
    auto exclusive = [](QWidget* c) {
        auto* b = qobject_cast<QAbstractButton*>(c);
        return b && b->isCheckable() && b->autoExclusive();
    };
    for (const uint32_t model : {23u, 26u, 18u}) {
        reply(Reg::DEV, model);
        reply(Reg::OPT, 1);
        reply(Reg::LMODE, 0);
        for (int p = 0; p < pages->count(); ++p) {
            if (!pages->isTabVisible(p)) continue;
            SCOPED_TRACE(testing::Message() << "model " << model << ", " << pages->widget(p)->objectName().toStdString());
            pages->setCurrentIndex(p);
            sent.clear();

            // What Tab must reach: every shown, enabled control of the window
            // that takes Tab for itself; of exclusive radio buttons, one of
            // each group.
            QSet<QWidget*> expected, groups;
            for (QWidget* c : client->findChildren<QWidget*>()) {
                if (!c->isVisible() || !c->isEnabled() || c->focusProxy() || c->window() != &w()) continue;
                if (exclusive(c))
                    groups << c->parentWidget();
                else if (c->focusPolicy() & Qt::TabFocus)
                    expected << c;
            }

            // One round of Tab presses from the pages' tabs.
            pages->tabBar()->setFocus();
            QList<QWidget*> round{pages->tabBar()};
            for (int i = 0; i < 2 * (expected.size() + groups.size()) + 2; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* now = QApplication::focusWidget();
                ASSERT_NE(now, round.back()) << "Tab stayed on " << name(now);
                if (now == round.front()) break;
                round << now;
            }
            ASSERT_EQ(QApplication::focusWidget(), round.front()) << "Tab went round without coming back";
            // Shift+Tab goes the same round backwards.
            for (qsizetype i = round.size() - 1; i >= 0; --i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
                ASSERT_EQ(QApplication::focusWidget(), round[i]) << "Shift+Tab from " << name(round[(i + 1) % round.size()]);
            }
            EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();

            // The round from the control read first: the top left one.
            const auto first = std::min_element(round.begin(), round.end(), [&](QWidget* a, QWidget* b) {
                return std::pair(at(a).top(), at(a).left()) < std::pair(at(b).top(), at(b).left());
            });
            std::rotate(round.begin(), first, round.end());
            for (qsizetype i = 1; i < round.size(); ++i) {
                EXPECT_TRUE(readsAfter(at(round[i - 1]), at(round[i])))
                    << name(round[i - 1]) << " " << at(round[i - 1]).x() << "," << at(round[i - 1]).y() << " then "
                    << name(round[i]) << " " << at(round[i]).x() << "," << at(round[i]).y();
            }
            QSet<QWidget*> visited, visitedGroups;
            for (QWidget* c : round) {
                EXPECT_FALSE(visited.contains(c)) << "visited twice: " << name(c);
                visited << c;
                if (exclusive(c)) {
                    EXPECT_FALSE(visitedGroups.contains(c->parentWidget())) << "a second stop in " << name(c);
                    visitedGroups << c->parentWidget();
                } else {
                    EXPECT_TRUE(expected.contains(c)) << "reached: " << name(c);
                }
            }
            for (QWidget* c : expected) EXPECT_TRUE(visited.contains(c)) << "not reached: " << name(c);
            EXPECT_EQ(visitedGroups, groups);
        }
    }
}
