// The scroll bar under real mouse, key and wheel input: the classic codes,
// one end scroll per operator action, nothing for moves made by code.
#include "regctl/scroll_bar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>

#include <utility>
#include <vector>

namespace {

struct Probe : ScrollBarEx {
    Probe() : ScrollBarEx(Qt::Horizontal)
    {
        setRange(0, 255);
        setValue(128);
        setGeometry(0, 0, 300, 17);
        connect(this, &ScrollBarEx::scrolled, this, [this](int c, int p) { events.emplace_back(c, p); });
    }
    QPoint centre(QStyle::SubControl sc)
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        return style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this).center();
    }
    QStyle::SubControl hitTestAt(const QPoint& at)
    {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        return style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt, at, this);
    }
    std::vector<int> codes() const
    {
        std::vector<int> c;
        for (auto [code, pos] : events) c.push_back(code);
        return c;
    }
    std::vector<std::pair<int, int>> events;
};

using C = ScrollBarEx::Code;

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }
    Probe bar;
};

}  // namespace

TEST_F(ScrollBarTest, ArrowClickIsOneLineThenEndScroll)
{
    const QPoint right = bar.centre(QStyle::SC_ScrollBarAddLine);
    QTest::mousePress(&bar, Qt::LeftButton, {}, right);
    EXPECT_EQ(bar.codes(), (std::vector<int>{C::LineDown}));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, right);
    EXPECT_EQ(bar.events, (std::vector<std::pair<int, int>>{{C::LineDown, 129}, {C::EndScroll, 129}}));

    bar.events.clear();
    const QPoint left = bar.centre(QStyle::SC_ScrollBarSubLine);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, left);
    EXPECT_EQ(bar.events, (std::vector<std::pair<int, int>>{{C::LineUp, 128}, {C::EndScroll, 128}}));
}

TEST_F(ScrollBarTest, PageClickIsOnePageThenEndScroll)
{
    const QPoint page = bar.centre(QStyle::SC_ScrollBarAddPage);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, page);
    ASSERT_EQ(bar.events.size(), 2u);
    EXPECT_EQ(bar.events[0].first, C::PageDown);
    EXPECT_EQ(bar.events[0].second, 128 + bar.pageStep());
    EXPECT_EQ(bar.events[1].first, C::EndScroll);
}

TEST_F(ScrollBarTest, ThumbDragTracksThenPositionAndEndScroll)
{
    const QPoint thumb = bar.centre(QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
    for (int dx : {10, 20, 30}) QTest::mouseMove(&bar, thumb + QPoint(dx, 0));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, thumb + QPoint(30, 0));
    const auto codes = bar.codes();
    ASSERT_GE(codes.size(), 3u);
    for (size_t i = 0; i + 2 < codes.size(); ++i) EXPECT_EQ(codes[i], C::ThumbTrack);
    EXPECT_EQ(codes[codes.size() - 2], C::ThumbPosition);
    EXPECT_EQ(codes.back(), C::EndScroll);
    EXPECT_GT(bar.events.back().second, 128);
    EXPECT_EQ(bar.events.back().second, bar.value());
}

TEST_F(ScrollBarTest, BarHiddenDuringADragEndsTheAction)
{
    const QPoint thumb = bar.centre(QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(&bar, thumb + QPoint(20, 0));
    bar.hide();  // no release will reach it
    EXPECT_FALSE(bar.isSliderDown());
    const auto codes = bar.codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), C::EndScroll);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), int(C::EndScroll)), 1);
}

TEST_F(ScrollBarTest, ThumbPressWithoutMoveStillEnds)
{
    const QPoint thumb = bar.centre(QStyle::SC_ScrollBarSlider);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, thumb);
    EXPECT_EQ(bar.events, (std::vector<std::pair<int, int>>{{C::ThumbPosition, 128}, {C::EndScroll, 128}}));
}

TEST_F(ScrollBarTest, KeysAndWheelEndEachAction)
{
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Left);
    QTest::keyClick(&bar, Qt::Key_Home);
    QTest::keyClick(&bar, Qt::Key_End);
    EXPECT_EQ(bar.events, (std::vector<std::pair<int, int>>{
                              {C::LineDown, 129}, {C::EndScroll, 129}, {C::LineUp, 128}, {C::EndScroll, 128},
                              {C::Top, 0}, {C::EndScroll, 0},
                              {C::Bottom, 255}, {C::EndScroll, 255}}));

    bar.events.clear();
    bar.setValue(100);
    const QPoint at = bar.centre(QStyle::SC_ScrollBarAddPage);
    QWheelEvent down(at, bar.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &down);
    QWheelEvent up(at, bar.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &up);
    const auto codes = bar.codes();
    EXPECT_EQ(codes, (std::vector<int>{C::LineDown, C::EndScroll, C::LineUp, C::EndScroll}));
    EXPECT_EQ(bar.events.back().second, 100);
}

TEST_F(ScrollBarTest, MovesByCodeReportNothing)
{
    bar.setValue(3);
    bar.setSliderPosition(200);
    bar.setRange(0, 10);
    bar.triggerAction(QAbstractSlider::SliderMove);
    EXPECT_TRUE(bar.events.empty());
    EXPECT_EQ(bar.contextMenuPolicy(), Qt::NoContextMenu);
}

// Classic scroll bars take the focus: Tab reaches them, and the keys then
// send the same codes as the mouse.
TEST(ScrollBarFocus, TabReachesTheBarAndArrowsScroll)
{
    QWidget form;
    auto* before = new QLineEdit(&form);
    auto* bar = new Probe;
    bar->setParent(&form);
    bar->move(0, 30);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    before->setFocus();
    QApplication::setActiveWindow(&form);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(bar->hasFocus());
    QTest::keyClick(bar, Qt::Key_PageDown);
    QTest::keyClick(bar, Qt::Key_Down);
    EXPECT_EQ(bar->events, (std::vector<std::pair<int, int>>{{C::PageDown, 128 + bar->pageStep()},
                                                             {C::EndScroll, 128 + bar->pageStep()},
                                                             {C::LineDown, 129 + bar->pageStep()},
                                                             {C::EndScroll, 129 + bar->pageStep()}}));
}

// A page click held down walks a page at a time towards the pointer and
// stops with the thumb under it: never a jump, never a step back.
TEST_F(ScrollBarTest, HeldPageClickWalksToThePointerAndStops)
{
    bar.setValue(0);
    const QPoint target(240, 8);  // about value 205, far right of the thumb
    ASSERT_EQ(bar.hitTestAt(target), QStyle::SC_ScrollBarAddPage);
    QTest::mousePress(&bar, Qt::LeftButton, {}, target);
    // About 20 pages, then it rests: no new step for a good while.
    size_t walked = 0;
    for (int i = 0; i < 40; ++i) {
        walked = bar.events.size();
        QTest::qWait(400);  // longer than the pause before the walk starts
        if (bar.events.size() == walked) break;
    }
    EXPECT_EQ(bar.events.size(), walked) << "the walk has stopped";
    EXPECT_EQ(bar.hitTestAt(target), QStyle::SC_ScrollBarSlider) << "the thumb is under the pointer";
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, target);

    ASSERT_GE(bar.events.size(), 3u);
    int last = 0;
    for (size_t i = 0; i + 1 < bar.events.size(); ++i) {
        EXPECT_EQ(bar.events[i].first, C::PageDown) << i;
        EXPECT_EQ(bar.events[i].second, last + bar.pageStep()) << i;
        last = bar.events[i].second;
    }
    EXPECT_EQ(bar.events.back(), std::make_pair(int(C::EndScroll), last));
    EXPECT_EQ(bar.value(), last);
}
