// The library's radio buttons in the main window. The impedance groups of
// the "Input" page are chosen by the operator's left press or arrow key
// only: the focus that Qt hands back when the page is shown again, a Tab
// onto a group and a right or middle press choose nothing and send
// nothing. Assistive tools toggle a button as a left click does.
#include "inputs_fixture.h"

#include "audio_controller.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTabBar>

#include <functional>
#include <vector>

namespace {

class RadioFocus : public InputsPage {
protected:
    void SetUp() override
    {
        InputsPage::SetUp();
        pages = w().PageControl1;
        pages->setCurrentWidget(w().inputPage);
        w().show();
        QApplication::setActiveWindow(&w());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    }
    TGfxRadioGroup* hiz(int input) { return in().GfxRadioButton_HiZ[size_t(input - 1)]; }
    // A key to whatever has the keyboard now.
    static void keyToFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }
    void clickTab(QWidget* page)
    {
        QTabBar* tabs = pages->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(pages->indexOf(page)).center());
    }

    // Ways to leave the Input page for the Output page and come back.
    struct Round {
        const char* name;
        std::function<void(RadioFocus&)> away, back;
    };
    static std::vector<Round> rounds()
    {
        return {
            {"tab clicks", [](RadioFocus& t) { t.clickTab(t.w().outputPage); },
             [](RadioFocus& t) { t.clickTab(t.w().inputPage); }},
            {"Ctrl+Tab, Ctrl+Shift+Tab", [](RadioFocus&) { keyToFocus(Qt::Key_Tab, Qt::ControlModifier); },
             [](RadioFocus&) { keyToFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }},
        };
    }

    QTabWidget* pages = nullptr;
};

// The operator chose "75 Ohms" of input 3 and the device answered Hi-Z: the
// focus stays on "75 Ohms", and showing the page again must not write the
// operator's old choice over the device's state.
TEST_F(RadioFocus, ShowingThePageAgainKeepsTheReportedChoice)
{
    TGfxRadioGroup* group = hiz(3);
    QTest::mouseClick(group->Buttons(1), Qt::LeftButton, {}, group->Buttons(1)->rect().center());
    ASSERT_EQ(sent, (QStringList{"3PC", "1PL"}));
    for (const Round& r : rounds()) {
        SCOPED_TRACE(r.name);
        replies({"PCH3", "PLD0"});
        ASSERT_EQ(group->ItemIndex(), 0);
        ASSERT_TRUE(group->Buttons(1)->hasFocus());
        sent.clear();
        r.away(*this);
        ASSERT_EQ(pages->currentWidget(), w().outputPage);
        r.back(*this);
        ASSERT_EQ(pages->currentWidget(), w().inputPage);
        EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();
        EXPECT_EQ(group->ItemIndex(), 0);
        EXPECT_TRUE(group->Buttons(0)->Checked());
        EXPECT_FALSE(group->Buttons(1)->Checked());
    }
}

// Before any report a group has no choice; Tab reaches it at its first
// button, and leaving the page and coming back chooses nothing either.
TEST_F(RadioFocus, ShowingThePageAgainLeavesAGroupWithoutAChoice)
{
    TGfxRadioGroup* group = hiz(6);
    ASSERT_EQ(group->ItemIndex(), -1);
    // The control before the group in the tab order.
    QWidget* first = group->Buttons(0);
    QWidget* before = first->previousInFocusChain();
    while (before != first &&
           !((before->focusPolicy() & Qt::TabFocus) && before->isVisible() && before->isEnabled()))
        before = before->previousInFocusChain();
    ASSERT_NE(before, first);
    for (const Round& r : rounds()) {
        SCOPED_TRACE(r.name);
        group->SetItemIndex(-1);
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(first->hasFocus());
        r.away(*this);
        ASSERT_EQ(pages->currentWidget(), w().outputPage);
        r.back(*this);
        ASSERT_EQ(pages->currentWidget(), w().inputPage);
        EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();
        EXPECT_EQ(group->ItemIndex(), -1);
        EXPECT_FALSE(group->Buttons(0)->Checked());
        EXPECT_FALSE(group->Buttons(1)->Checked());
    }
}

// Only the left button chooses: a right or middle press on "Hi-Z" of input
// 7 shows no check and sends nothing; the left press then chooses.
TEST_F(RadioFocus, OnlyTheLeftButtonChooses)
{
    TGfxRadioGroup* group = hiz(7);
    TGfxRadioButton* hi = group->Buttons(0);
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(int(b));
        QTest::mouseClick(hi, b, {}, hi->rect().center());
        EXPECT_FALSE(hi->Checked());
        EXPECT_FALSE(group->Buttons(1)->Checked());
        EXPECT_EQ(group->ItemIndex(), -1);
        EXPECT_TRUE(sent.isEmpty()) << sent.join(u' ').toStdString();
    }
    QTest::mouseClick(hi, Qt::LeftButton, {}, hi->rect().center());
    EXPECT_TRUE(hi->Checked());
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(sent, (QStringList{"7PC", "0PL"}));
}

// "Toggle", as Qt offers it for its radio buttons, does what the left
// click does: the impedance item is chosen and written; "Auto Follow",
// whose mark only the device's report sets, writes its mode as its click
// does, and is not read-only to assistive tools.
TEST_F(RadioFocus, AssistiveToolsToggleAsTheClickDoes)
{
    const QString toggle = QAccessibleActionInterface::toggleAction();
    TGfxRadioGroup* group = hiz(4);
    replies({"PCH4", "PLD0"});
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(group->Buttons(1));
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->actionInterface(), nullptr);
    EXPECT_TRUE(item->actionInterface()->actionNames().contains(toggle));
    EXPECT_FALSE(item->state().readOnly);
    item->actionInterface()->doAction(toggle);
    EXPECT_EQ(sent, (QStringList{"4PC", "1PL"}));
    EXPECT_EQ(group->ItemIndex(), 1);

    TGfxRadioButton* follow = w().audio().RadioButton;
    pages->setCurrentWidget(w().audioPage);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(follow);
    ASSERT_NE(face, nullptr);
    ASSERT_NE(face->actionInterface(), nullptr);
    EXPECT_TRUE(face->actionInterface()->actionNames().contains(toggle));
    EXPECT_FALSE(face->state().readOnly) << "Space and the mouse change it";
    for (const char* mode : {"AMOD1", "AMOD0"}) {
        SCOPED_TRACE(mode);
        reply(mode);
        const bool shown = follow->Checked();
        sent.clear();
        face->actionInterface()->doAction(toggle);
        QTest::keyClick(follow, Qt::Key_Space);  // the keyboard's click, for comparison
        ASSERT_EQ(sent.size(), 2);
        EXPECT_EQ(sent[0], sent[1]);
        EXPECT_EQ(sent[0], mode == QByteArrayView("AMOD1") ? QStringLiteral("0AO") : QStringLiteral("1AO"));
        EXPECT_EQ(follow->Checked(), shown) << "the mark waits for the device";
    }
}

}  // namespace
