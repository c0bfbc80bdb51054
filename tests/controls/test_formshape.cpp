// The form shape: the background query, the outline applied to the form,
// its background painting, dragging by empty space, the design-time rule
// and, on a real window system (xvfb-run with QT_QPA_PLATFORM=xcb), the
// shaped window on the screen.
#include "gfx_application.h"
#include "gfx_library.h"
#include "gfx_lists.h"
#include "widgets/gfx_formshape.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QByteArray SquareData(int l, int t, int r, int b) { return TGfxRgn::Rect({l, t, r, b}).Data(); }

// A form with a form shape, loaded as a stored form would be.
struct ShapedForm {
    QWidget form;
    TGfxFormShape* shape;
    explicit ShapedForm(int w = 200, int h = 100)
    {
        form.resize(w, h);
        shape = new TGfxFormShape(&form);
    }
    void Load(const std::function<void(TGfxFormShape&)>& settings = {})
    {
        shape->BeginLoading();
        if (settings)
            settings(*shape);
        shape->EndLoading();
    }
};

QRgb PixelOf(QWidget& w, int x, int y) { return w.grab().toImage().pixel(x, y) & 0xFFFFFF; }

TEST(FormShape, BackgroundQuery)
{
    ShapedForm f;
    TGfxFormShape& s = *f.shape;
    EXPECT_TRUE(s.UseRgnBitmap());
    EXPECT_TRUE(s.FormDragable);
    EXPECT_TRUE(s.ShowFormCaption());
    EXPECT_FALSE(s.HasOwnBackground());
    EXPECT_EQ(s.GetBackgroundBitmap(), nullptr);

    s.Region().SetShape(rsBitmap);
    EXPECT_TRUE(s.HasOwnBackground());
    EXPECT_EQ(s.GetBackgroundBitmap(), &s.Region().Mask().BorderBitmap(bbBorder));
    s.SetUseRgnBitmap(false);
    EXPECT_FALSE(s.HasOwnBackground());

    s.FillObject().SetStyle(sfGradient);
    EXPECT_TRUE(s.HasOwnBackground());
    EXPECT_NE(s.GetBackgroundBitmap(), nullptr);
    s.SetDesigning(true);  // the designer shows no fill
    EXPECT_FALSE(s.HasOwnBackground());
}

TEST(FormShape, OutlineFollowsLoadingChangesAndSize)
{
    ShapedForm f;
    TGfxFormShape& s = *f.shape;
    f.Load([&](TGfxFormShape& shape) {
        shape.Region().SetShape(rsElliptic);
        EXPECT_TRUE(f.form.mask().isEmpty());  // never while loading
    });
    EXPECT_EQ(f.form.mask(), TGfxRgn::Ellipse({0, 0, 200, 100}).QtRegion());
    s.Region().SetShape(rsDiamond);  // every change of the region applies
    EXPECT_EQ(f.form.mask(), TGfxRgn::Polygon(std::vector<TPoint>{{100, 0}, {0, 50}, {100, 100}, {200, 50}}).QtRegion());
    f.form.show();
    f.form.resize(120, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.form.mask(), TGfxRgn::Polygon(std::vector<TPoint>{{60, 0}, {0, 30}, {60, 60}, {120, 30}}).QtRegion());

    // A bitmap shape without stored data leaves the form rectangular.
    s.Region().SetShape(rsBitmap);
    EXPECT_TRUE(f.form.mask().isEmpty());
}

TEST(FormShape, BitmapShapeSizesTheFormToItsBitmap)
{
    ShapedForm f;
    f.Load([](TGfxFormShape& s) {
        s.Region().Mask().BorderBitmap(bbBorder).SetSize(90, 40);
        s.Region().Mask().SetRegionData(SquareData(10, 5, 80, 35));
        s.Region().Shadow().SetStyle(hssSolid);
        s.Region().Shadow().SetDepth(5);
        s.Region().SetShape(rsBitmap);
    });
    EXPECT_EQ(f.form.size(), QSize(95, 45));  // bitmap and shadow depth
    QRegion expected = QRegion(10, 5, 70, 30);  // the outline and its shadow copy
    expected += expected.translated(5, 5);
    EXPECT_EQ(f.form.mask(), expected);
}

TEST(FormShape, PaintsItsBackground)
{
    ShapedForm f(40, 30);
    TGfxFormShape& s = *f.shape;
    f.Load([](TGfxFormShape& shape) {
        shape.Region().SetShape(rsRect);
        shape.FillObject().SetStyle(sfBrush);
        shape.FillObject().Brush().SetColor(clRed);
    });
    EXPECT_EQ(PixelOf(f.form, 5, 5), 0xFF0000u);
    EXPECT_EQ(s.GetBackgroundBitmap()->Width(), 40);

    // A list fill takes the list's image at ListIndex, ImageIndex.
    {
        TGfxBitmapList list;
        list.AddItem();
        list.AddItem();
        TGfxBitmap lime(4, 4, pf24bit);
        lime.Canvas().Brush.SetColor(clLime);
        lime.Canvas().FillRect({0, 0, 4, 4});
        list.Items(1)->SetBitmap(&lime);
        s.SetImageList(&list);
        s.ListIndex = 1;
        s.FillObject().SetStyle(sfBitmapList);
        EXPECT_EQ(PixelOf(f.form, 20, 20), 0x00FF00u);
        EXPECT_EQ(list.Links().size(), 1u);
    }
    EXPECT_EQ(s.ImageList(), nullptr);  // the freed list is forgotten

    // A bitmap region paints the mask's bitmap.
    TGfxBitmap& picture = s.Region().Mask().BorderBitmap(bbBorder);
    picture.SetSize(40, 30);
    picture.Canvas().Brush.SetColor(clBlue);
    picture.Canvas().FillRect({0, 0, 40, 30});
    s.Region().Mask().SetRegionData(SquareData(0, 0, 40, 30));
    s.Region().SetShape(rsBitmap);
    EXPECT_EQ(PixelOf(f.form, 20, 20), 0x0000FFu);
}

TEST(FormShape, DraggedByEmptySpaceNotByAControl)
{
    ShapedForm f(100, 60);
    TGfxFormShape& s = *f.shape;
    auto* button = new QPushButton(&f.form);
    button->setGeometry(60, 20, 30, 20);
    f.Load();
    EXPECT_EQ(s.HitTest({10, 10}), TGfxFormShape::htCaption);
    EXPECT_EQ(s.HitTest({70, 30}), TGfxFormShape::htClient);
    s.FormDragable = false;
    EXPECT_EQ(s.HitTest({10, 10}), TGfxFormShape::htClient);
    s.FormDragable = true;

    f.form.move(100, 100);
    f.form.show();
    QCoreApplication::processEvents();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "the window system moves the window itself";
    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, f.form.mapToGlobal(local), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.form, &e);
    };
    const QPoint start = f.form.pos();
    // A press on the control's spot is the form's own: nothing moves.
    send(QEvent::MouseButtonPress, {70, 30}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {90, 45}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {90, 45}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.form.pos(), start);
    // From empty space the form follows the mouse until the button goes up.
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {30, 25}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(f.form.pos(), start + QPoint(20, 15));
    send(QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = f.form.pos();
    send(QEvent::MouseMove, {50, 50}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(f.form.pos(), dropped);
}

TEST(FormShape, DesignTime)
{
    // One form shape per form; the designer neither shapes the form nor
    // paints the fill.
    QWidget form;
    form.resize(50, 40);
    auto* first = new TGfxFormShape(&form);
    first->SetDesigning(true);
    first->Region().SetShape(rsElliptic);
    first->BeginLoading();
    first->EndLoading();
    EXPECT_TRUE(form.mask().isEmpty());
    auto* second = new TGfxFormShape(&form);
    second->SetDesigning(true);
    second->BeginLoading();
    try {
        second->EndLoading();
        ADD_FAILURE() << "a second form shape was accepted";
    } catch (const GfxEOneInstError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TGfxFormShape:\rInvalid owner (<>TForm) or second instance on a form"));
    }
}

TEST(FormShape, GlobalListsAreStoredByTag)
{
    TGfxLibraryScope library;
    ShapedForm f;
    TGfxFormShape& s = *f.shape;
    s.ReadInternal(QStringLiteral("GfxBML30"));
    EXPECT_EQ(s.ImageList(), GfxContainer->BitmapList());
    EXPECT_TRUE(s.ImageListLink().InternalStored());
    EXPECT_FALSE(s.ImageListLink().ListStored());
    TGfxBitmapList own;
    s.SetImageList(&own);
    EXPECT_TRUE(s.ImageListLink().ListStored());
    EXPECT_EQ(s.ImageListLink().WriteInternal(), QString());
    s.SetImageList(nullptr);
}

TEST(FormShape, ShapedWindowOnTheScreen)
{
    // Run under a real window system: xvfb-run -a env QT_QPA_PLATFORM=xcb
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs a window system (xcb)";
    ShapedForm f(160, 100);
    f.form.setWindowFlag(Qt::FramelessWindowHint);
    f.form.move(40, 40);
    f.Load([](TGfxFormShape& s) {
        s.Region().SetShape(rsElliptic);
        s.FillObject().SetStyle(sfBrush);
        s.FillObject().Brush().SetColor(clRed);
    });
    f.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.form));
    QTest::qWait(300);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QPoint origin = f.form.geometry().topLeft();
    // Inside the ellipse the form's red background; at the corners of its
    // rectangle the screen below.
    EXPECT_EQ(screen.pixel(origin + QPoint(80, 50)) & 0xFFFFFF, 0xFF0000u);
    EXPECT_NE(screen.pixel(origin + QPoint(2, 2)) & 0xFFFFFF, 0xFF0000u);
    EXPECT_NE(screen.pixel(origin + QPoint(157, 97)) & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
