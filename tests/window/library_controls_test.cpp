// The library's own controls in the windows: the main window's clock and
// its one shared timer, and what every library control of the main window
// and the HD15 window tells assistive tools.
#include "window_fixture.h"

#include "effects_controller.h"
#include "gfx_application.h"
#include "gfx_clock.h"
#include "gfx_drawedge.h"
#include "gfx_graphiclabel.h"
#include "gfx_shapecontrol.h"
#include "gfx_technicalline.h"

#include <QAccessible>
#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTableWidget>

namespace {

int SharedTimers()
{
    int n = 0;
    for (int slot = 1; slot <= TGfxApplication::SharedTimerSlots; ++slot)
        n += GfxApplication->GetTimerItem(static_cast<std::uint16_t>(TGfxApplication::SharedTimerBase + slot)) != nullptr;
    return n;
}

QAccessibleInterface* Face(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

}  // namespace

// A 30 x 30 clock with its default options, at the right end of the menu
// bar, on the pool's one shared 1000 ms timer, which it gives back when the
// windows go.
TEST_F(WindowTest, MainWindowClock)
{
    ASSERT_NE(GfxApplication, nullptr);
    EXPECT_EQ(SharedTimers(), 0);
    start();
    w().show();
    TGfxClock* clock = w().GfxClock1;
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(w().findChild<QWidget*>(QStringLiteral("GfxClock1")), clock);
    EXPECT_EQ((std::array{clock->Width(), clock->Height()}), (std::array{26, 26}));
    EXPECT_EQ(clock->Options(), coShowAnalog | co24Hour);
    EXPECT_EQ(clock->Mode(), cmNormal);
    EXPECT_EQ(clock->Style(), csWin95);
    EXPECT_TRUE(clock->Transparent());
    EXPECT_EQ(clock->Bevel().Mode(), bmCustom);
    EXPECT_EQ(SharedTimers(), 1);
    const TGfxTimerItem* timer = GfxApplication->GetTimerItem(clock->TimerIdent());
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 1000);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(GfxApplication->TimerPool()->MinInterval(), 50);

    // Shown in the menu bar's corner, right of the menus, within the window.
    QApplication::processEvents();
    EXPECT_TRUE(clock->isVisibleTo(&w()));
    QMenuBar* bar = w().menuBar();
    EXPECT_EQ(bar->cornerWidget(Qt::TopRightCorner), clock->parentWidget());
    const QRect at(clock->mapTo(&w(), QPoint(0, 0)), clock->size());
    EXPECT_TRUE(w().rect().contains(at));
    for (QAction* menu : bar->actions())
        EXPECT_FALSE(bar->actionGeometry(menu).intersects(QRect(clock->mapTo(bar, QPoint(0, 0)), clock->size())))
            << menu->text().toStdString();
    EXPECT_LE(at.bottom(), w().centralWidget()->mapTo(&w(), QPoint(0, 0)).y());
    // With a margin: off the bar's top edge, and clear of its bottom line.
    const QRect inBar(clock->mapTo(bar, QPoint(0, 0)), clock->size());
    EXPECT_GE(inBar.top(), 2);
    EXPECT_LE(inBar.bottom(), bar->height() - 3);
    EXPECT_LE(inBar.right(), bar->width() - 3);

    windows.reset();
    EXPECT_EQ(SharedTimers(), 0);
    EXPECT_EQ(GfxApplication->TimerPool()->Count(), 0);
}

// Every library control answers assistive tools with its role, caption and
// state, as Qt's own widgets do.
TEST_F(WindowTest, LibraryControlsTellAssistiveTools)
{
    start();
    w().show();
    connect();
    reply("DEV23");  // the model with the effects
    EffectsController& fx = w().effects();

    QAccessibleInterface* label = Face(fx.transition().GfxGraphicLabel1);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->role(), QAccessible::StaticText);
    EXPECT_EQ(label->text(QAccessible::Name), QStringLiteral("Fade color"));
    reply("LFAD2");
    EXPECT_EQ(label->text(QAccessible::Name), QStringLiteral("Clean Cut"));

    QAccessibleInterface* edge = Face(fx.transition().GfxDrawEdge1);
    ASSERT_NE(edge, nullptr);
    EXPECT_EQ(edge->role(), QAccessible::Border);
    EXPECT_FALSE(edge->state().pressed);
    const QPoint centre = fx.transition().GfxGraphicLabel1->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, fx.transition().GfxGraphicLabel1->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(fx.transition().GfxGraphicLabel1, &press);
    EXPECT_TRUE(edge->state().pressed) << "the label looks pressed";

    QAccessibleInterface* shape = Face(fx.GfxShapeControl_effects);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->role(), QAccessible::Graphic);
    EXPECT_FALSE(shape->state().invisible);

    QAccessibleInterface* clock = Face(w().GfxClock1);
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->role(), QAccessible::Clock);
    EXPECT_EQ(clock->text(QAccessible::Value).size(), 8) << "hh:mm:ss";

    TForm_HD15_PIN_ASSIGNEMENT& hd15 = *windows->Form_HD15_PIN_ASSIGNEMENT;
    hd15.show();
    QAccessibleInterface* marker = Face(hd15.GfxTechnicalLine1);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->role(), QAccessible::Graphic);
    EXPECT_TRUE(marker->state().invisible) << "until a pin is chosen";
    hd15.StringGrid1->setCurrentCell(4, 0);
    EXPECT_FALSE(marker->state().invisible);
}
