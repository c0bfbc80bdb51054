// Panels, the group box, the radio button and the radio groups on forms:
// the client areas and the caption, the radio glyph on pixels, the click
// and change rules for code, mouse and keyboard, the layouts as data, what
// assistive tools are told, and the mended faults (a stored ItemIndex past
// the items, the order in which a group and its buttons go).
#include "control_helpers.h"
#include "gfx_library.h"
#include "gfx_panels.h"
#include "gfx_radiobutton.h"
#include "gfx_radiogroup.h"
#include "gfx_themes.h"
#include "paint_helpers.h"
#include "platform/gfx_framecontrol.h"
#include "platform/gfx_theme_service.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include <memory>
#include <string>
#include <vector>

using namespace controltest;
using namespace painttest;

namespace {

// A shown, active form.
void ShowActive(QWidget& form, int w = 300, int h = 200)
{
    Show(form, w, h);
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// A group as the Input page has it: no frame, no caption, two columns.
TGfxRadioGroup* ImpedanceGroup(QWidget* parent, int w, int h)
{
    auto* g = new TGfxRadioGroup(parent);
    g->Bevel().SetStandardStyle(lsNone);
    g->SetColumns(2);
    g->SetItems({QStringLiteral("Hi-Z"), QStringLiteral("75 Ohms")});
    g->SetBounds(10, 10, w, h);
    return g;
}

// A client-area probe: a child aligned to fill what the parent leaves.
TRect ClientArea(TWinControl* parent)
{
    auto* probe = new TGfxCustomPanel(parent);
    probe->SetAlign(alClient);
    const TRect r = probe->BoundsRect();
    delete probe;
    return r;
}

// ----------------------------------------------------- panels, group box

TEST(Panels, BevelAndCaptionTakeTheirSideOfTheClientArea)
{
    QWidget form;
    auto* bevelled = new TGfxCustomBevelPanel(&form);
    bevelled->SetBounds(0, 0, 100, 60);
    bevelled->Bevel().SetStyleOuter(bvRaised);
    bevelled->Bevel().SetBorderWidth(3);
    EXPECT_EQ(ClientArea(bevelled), (TRect{4, 4, 96, 56}));

    auto* box = new TGfxCustomGroupBox(&form);
    EXPECT_EQ(box->Width(), 185);
    EXPECT_EQ(box->Height(), 105);
    EXPECT_EQ(box->Bevel().Mode(), bmStandard);
    EXPECT_EQ(box->Bevel().StandardStyle(), lsFrameInset);
    EXPECT_EQ(ClientArea(box), (TRect{2, 2, 183, 103})) << "no caption: the frame alone";
    box->SetCaption(QStringLiteral("&Load"));
    const int e = box->CaptionExtent();
    ASSERT_GT(e, 5);
    EXPECT_EQ(ClientArea(box), (TRect{2, 2 + e, 183, 103}));
    EXPECT_EQ(box->CaptionAngle(), 0);
    // A left caption turns by 90 and takes the left edge instead.
    box->SetAlignment(gcaLeftCenter);
    EXPECT_EQ(box->CaptionAngle(), 90);
    EXPECT_EQ(ClientArea(box), (TRect{2 + e, 2, 183, 103}));
    box->SetAlignment(gcaRightTop);
    EXPECT_EQ(box->CaptionAngle(), 270);
    EXPECT_EQ(ClientArea(box), (TRect{2, 2, 183 - e, 103}));
    box->SetAlignment(gcaBottomCenter);
    EXPECT_EQ(ClientArea(box), (TRect{2, 2, 183, 103 - e}));

    // No frame and no caption: nothing reserved, nothing drawn.
    box->SetCaption(QString());
    box->Bevel().SetStandardStyle(lsNone);
    EXPECT_EQ(ClientArea(box), (TRect{0, 0, 185, 105}));
    box->SetColor(clRed);
    Show(form);
    const QImage shown = box->grab().toImage();
    EXPECT_EQ(BoundsWhere(shown, [](unsigned rgb) { return rgb != (GfxColorToQRgb(clRed) & 0xFFFFFF); }), TRect{});
}

TEST(Panels, TheFrameStopsBesideTheCaption)
{
    QWidget form;
    auto* box = new TGfxCustomGroupBox(&form);
    box->SetBounds(0, 0, 120, 60);
    box->SetColor(clWhite);
    box->Bevel().SetStandardStyle(lsSingle);  // one dark pixel at the top and left
    box->SetCaption(QStringLiteral("Mode"));
    Show(form);
    const QImage shown = box->grab().toImage();
    const TRect text = box->CaptionRect();
    const int m = box->CaptionExtent() / 2 - 1;
    ASSERT_EQ(box->FrameRect().Top, m);
    EXPECT_EQ(text.Left, 8) << "CaptionOffset from the left";
    // Along the frame's top line: the line, the gap from 2 pixels before the
    // text to its end (the background and the text's ink), the line again.
    const TColor line = At(shown, text.Left - 4, m);
    EXPECT_NE(line, GfxColorToRGB(clWhite));
    EXPECT_EQ(At(shown, text.Right + 2, m), line);
    EXPECT_EQ(At(shown, text.Left - 2, m), GfxColorToRGB(clWhite));
    EXPECT_EQ(At(shown, text.Left - 1, m), GfxColorToRGB(clWhite));
    for (int x = text.Left; x < text.Right; ++x)
        EXPECT_NE(At(shown, x, m), line) << x;
    // The text is drawn inside its rectangle.
    const TRect ink = BoundsWhere(shown, [](unsigned rgb) { return rgb == 0; });
    EXPECT_GE(ink.Left, text.Left);
    EXPECT_LE(ink.Right, text.Right);
}

TEST(Panels, CaptionFontFollowsTheControlUntilSetDirectly)
{
    QWidget form;
    auto* box = new TGfxCustomGroupBox(&form);
    TGfxFont big;
    big.SetHeight(-20);
    box->SetFont(big);
    EXPECT_TRUE(box->CaptionParentFont());
    EXPECT_EQ(box->CaptionFont().Height(), -20);
    TGfxFont own;
    own.SetHeight(-9);
    box->SetCaptionFont(own);
    EXPECT_FALSE(box->CaptionParentFont()) << "a font of its own";
    big.SetHeight(-30);
    box->SetFont(big);
    EXPECT_EQ(box->CaptionFont().Height(), -9);
    box->SetCaptionParentFont(true);
    EXPECT_EQ(box->CaptionFont().Height(), -30);
}

TEST(Panels, AParentPanelKeepsAPictureOfItsBackground)
{
    QWidget form;
    auto* panel = new TGfxCustomParentPanel(&form);
    panel->SetBounds(0, 0, 40, 30);
    panel->SetColor(clRed);
    ASSERT_NE(panel->GetBackgroundBitmap(), nullptr);
    EXPECT_EQ(panel->GetBackgroundBitmap()->Width(), 40);
    EXPECT_EQ(panel->GetBackgroundBitmap()->PixelAt(5, 5), GfxColorToRGB(clRed));
    panel->SetBounds(0, 0, 70, 50);
    panel->SetColor(clBlue);
    EXPECT_EQ(panel->GetBackgroundBitmap()->Width(), 70);
    EXPECT_EQ(panel->GetBackgroundBitmap()->PixelAt(60, 40), GfxColorToRGB(clBlue));

    // A transparent child asks its parent, at its place in the picture.
    auto* child = new TGfxCustomPanel(panel);
    child->SetBounds(10, 20, 20, 10);
    EXPECT_EQ(child->GetBackgroundBitmap(), nullptr) << "an opaque panel has none to give";
    child->SetTransparent(true);
    EXPECT_EQ(child->GetBackgroundBitmap(), panel->GetBackgroundBitmap());
    EXPECT_EQ(child->BackgroundOffset(), (TPoint{10, 20}));
    QImage part = Surface(20, 10);
    TGfxCanvas canvas(&part);
    EXPECT_TRUE(child->PaintBackgroundPart(canvas, TRect{0, 0, 20, 10}));
    canvas.Release();
    EXPECT_EQ(At(part, 19, 9), GfxColorToRGB(clBlue));

    // A transparent parent panel on a plain widget keeps none: Qt paints
    // the widget behind it.
    panel->SetTransparent(true);
    EXPECT_EQ(panel->GetBackgroundBitmap(), nullptr);
}

TEST(Panels, AcceleratorsOfCaptions)
{
    struct Case {
        const char* caption;
        char16_t accel;
        const char* shown;
    };
    const Case cases[] = {
        {"&Load", u'L', "Load"}, {"Hi-Z", 0, "Hi-Z"}, {"R&&D", 0, "R&D"}, {"R&&&D", u'D', "R&D"}, {"end&", 0, "end"},
    };
    for (const Case& c : cases) {
        const QString caption = QString::fromLatin1(c.caption);
        EXPECT_EQ(GfxAccelChar(caption), QChar(c.accel)) << c.caption;
        EXPECT_EQ(GfxStripAccel(caption), QString::fromLatin1(c.shown)) << c.caption;
    }
    EXPECT_TRUE(GfxIsAccel('l', QStringLiteral("&Load")));
    EXPECT_FALSE(GfxIsAccel('o', QStringLiteral("&Load")));
}

// ---------------------------------------------------------- radio glyph

TEST(RadioGlyph, TheClassicGlyphInItsFourStates)
{
    TGfxLibraryScope library;
    QWidget form;
    auto* radio = new TGfxRadioButton(&form);
    radio->NewGlyphBitmap();
    const TGfxBitmap* strip = radio->GlyphBitmap();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->Width(), 52) << "four cells of 13";
    EXPECT_EQ(strip->Height(), 13);
    EXPECT_EQ(radio->GlyphCellWidth(), 13);
    const QImage image = strip->ToImage();
    const Legend legend = {{GfxRGB(128, 128, 0), '.'}, {clBtnShadow, 'S'}, {clBtnHighlight, 'H'},
                           {cl3DDkShadow, 'D'},       {cl3DLight, 'L'},   {clBlack, 'B'}};
    // Checked and active: the rings, the white inside, the black bullet.
    EXPECT_EQ(Picture(image, legend, QRect(26, 0, 13, 13)), Rows(R"(
....SSSS.....
..SSDDDDSS...
.SDDHHHHDDH..
.SDHHHHHHLH..
SDHHHBBHHHLH.
SDHHBBBBHHLH.
SDHHBBBBHHLH.
SDHHHBBHHHLH.
.SDHHHHHHLH..
.HLLHHHHLLH..
..HHLLLLHH...
....HHHH.....
.............
)"));
    // Each state by its inside and its bullet.
    struct Cell {
        int index;
        TColor inside, bullet;
    };
    const Cell cells[] = {
        {0, clWindow, clWindow}, {1, clBtnFace, clBtnFace}, {2, clWindow, clWindowText}, {3, clBtnFace, clGrayText}};
    for (const Cell& c : cells) {
        EXPECT_EQ(At(image, c.index * 13 + 3, 5), GfxColorToRGB(c.inside)) << c.index;
        EXPECT_EQ(At(image, c.index * 13 + 5, 5), GfxColorToRGB(c.bullet)) << c.index;
        EXPECT_EQ(At(image, c.index * 13 + 0, 5), GfxColorToRGB(clBtnShadow)) << c.index;
    }
    // Flat: four more cells before them, the 3-D ones; the others flat.
    radio->SetFlat(true);
    radio->NewGlyphBitmap();
    const QImage flat = radio->GlyphBitmap()->ToImage();
    EXPECT_EQ(flat.width(), 104);
    EXPECT_EQ(At(flat, 1, 5), GfxColorToRGB(cl3DDkShadow)) << "a 3-D cell first";
    EXPECT_EQ(At(flat, 4 * 13 + 1, 5), GfxColorToRGB(clWindow)) << "then flat cells: one ring";
}

TEST(RadioGlyph, ButtonsOfOtherLooksNeverShareAStrip)
{
    // The strips are shared between buttons of one look; every property a
    // strip is drawn from keeps the looks apart, in either order of making.
    TGfxLibraryScope library;
    QWidget form;
    auto strip = [&](TColor transparent, bool flat, bool glyphFlat, int size) {
        auto* radio = new TGfxRadioButton(&form);
        radio->SetGlyphTransparentColor(transparent);
        radio->SetFlat(flat);
        radio->SetGlyphFlat(glyphFlat);
        radio->SetGlyphSize(std::uint8_t(size));
        radio->NewGlyphBitmap();
        return radio->GlyphBitmap()->ToImage();
    };
    const QImage plain = strip(GfxRGB(128, 128, 0), false, false, 13);
    const QImage otherKey = strip(GfxRGB(0, 128, 128), false, false, 13);
    EXPECT_EQ(At(plain, 12, 12), GfxRGB(128, 128, 0));
    EXPECT_EQ(At(otherKey, 12, 12), GfxRGB(0, 128, 128)) << "its own transparent colour";
    const QImage glyphFlat = strip(GfxRGB(128, 128, 0), false, true, 13);
    EXPECT_EQ(glyphFlat.width(), plain.width());
    EXPECT_EQ(At(glyphFlat, 1, 5), GfxColorToRGB(clWindow)) << "one ring, not the 3-D one";
    EXPECT_EQ(At(plain, 1, 5), GfxColorToRGB(cl3DDkShadow));
    EXPECT_EQ(strip(GfxRGB(128, 128, 0), true, false, 13).width(), 104);
    const QImage bigger = strip(GfxRGB(128, 128, 0), false, false, 17);
    EXPECT_EQ(bigger.size(), QSize(68, 17));
    // And the look drawn first is still the one it was.
    EXPECT_EQ(strip(GfxRGB(128, 128, 0), false, false, 13), plain);
}

TEST(RadioGlyph, TheStateChoosesTheCell)
{
    QWidget form;
    auto* radio = new TGfxRadioButton(&form);
    EXPECT_EQ(radio->GlyphCellIndex(), 0);
    radio->SetChecked(true);
    EXPECT_EQ(radio->GlyphCellIndex(), 2);
    radio->SetEnabled(false);
    EXPECT_EQ(radio->GlyphCellIndex(), 3);
    radio->SetEnabled(true);
    radio->SetFlat(true);
    EXPECT_EQ(radio->GlyphCellIndex(), 6) << "flat away from the mouse";
    MouseEnter(radio);
    EXPECT_EQ(radio->GlyphCellIndex(), 2) << "the 3-D cell under the mouse";
}

TEST(RadioGlyph, TheButtonShowsTheCellByItsTransparentColour)
{
    GradientForm form;
    auto* radio = new TGfxRadioButton(&form);
    radio->SetTransparent(true);
    radio->SetBounds(0, 0, 80, 17);
    radio->SetChecked(true);
    Show(form);
    const QImage shown = form.grab().toImage();
    const QImage own = form.OwnPainting();
    const TRect glyph = radio->GlyphRect();
    ASSERT_EQ(glyph.Width(), 13);
    // A corner of the cell is the form's gradient, the bullet is black.
    EXPECT_TRUE(SamePixels(shown, own, QRect(glyph.Left, glyph.Top, 2, 2)));
    EXPECT_EQ(At(shown, glyph.Left + 5, glyph.Top + 5), GfxColorToRGB(clWindowText));
}

struct FakeRadioThemes {
    static inline std::vector<int> states;
    static inline std::vector<int> parts;
    static bool IsThemeActive() { return true; }
    static long DrawThemeParentBackground(QObject*, QPainter*, const TRect*) { return 0; }
    static HTHEME OpenThemeData(QObject*, const wchar_t*) { return &states; }
    static long DrawThemeBackground(HTHEME, QPainter*, int part, int state, const TRect*, const TRect*)
    {
        parts.push_back(part);
        states.push_back(state);
        return 0;
    }
    static long CloseThemeData(HTHEME) { return 0; }
};

class FakeRadioModule : public GfxThemeModule {
public:
    void* Resolve(const char* name) override
    {
        const std::string n = name;
        if (n == "IsThemeActive")
            return reinterpret_cast<void*>(&FakeRadioThemes::IsThemeActive);
        if (n == "DrawThemeParentBackground")
            return reinterpret_cast<void*>(&FakeRadioThemes::DrawThemeParentBackground);
        if (n == "OpenThemeData")
            return reinterpret_cast<void*>(&FakeRadioThemes::OpenThemeData);
        if (n == "DrawThemeBackground")
            return reinterpret_cast<void*>(&FakeRadioThemes::DrawThemeBackground);
        if (n == "CloseThemeData")
            return reinterpret_cast<void*>(&FakeRadioThemes::CloseThemeData);
        return nullptr;
    }
};

TEST(RadioGlyph, TheThemedStripHasEightCellsAndFourHotOnesWhenFlat)
{
    GfxThemeModuleLoader old =
        GfxSetThemeModuleLoader([](const QString&) { return std::make_unique<FakeRadioModule>(); });
    {
        TGfxLibraryScope library;
        ASSERT_TRUE(GfxThemesLoaded);
        QWidget form;
        auto* radio = new TGfxRadioButton(&form);
        ShowActive(form);
        ASSERT_TRUE(radio->UseThemedDrawing());
        FakeRadioThemes::states.clear();
        radio->NewGlyphBitmap();
        EXPECT_EQ(radio->GlyphBitmap()->Width(), 8 * 13);
        EXPECT_EQ(FakeRadioThemes::states, (std::vector<int>{1, 4, 5, 8, 3, 4, 7, 8}));
        radio->SetFlat(true);
        FakeRadioThemes::states.clear();
        FakeRadioThemes::parts.clear();
        radio->NewGlyphBitmap();
        EXPECT_EQ(FakeRadioThemes::states, (std::vector<int>{2, 4, 6, 8, 1, 4, 5, 8, 3, 4, 7, 8}));
        EXPECT_EQ(FakeRadioThemes::parts, std::vector<int>(12, 2)) << "the radio-button part";
        // Pressed: the pressed cells, past the hot ones.
        radio->SetChecked(true);
        QTest::mousePress(radio, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(radio->GlyphCellIndex(), 2 + 4 + 4);
        QTest::mouseRelease(radio, Qt::LeftButton, {}, QPoint(3, 3));
    }
    GfxSetThemeModuleLoader(old);
}

TEST(RadioGlyph, AnOffscreenBitmapPaintsTheSamePixels)
{
    // Two forms, so that neither button unchecks the other.
    QWidget formA, formB;
    auto* direct = new TGfxRadioButton(&formA);
    auto* buffered = new TGfxRadioButton(&formB);
    buffered->SetUseBitmap(true);
    for (TGfxRadioButton* r : {direct, buffered}) {
        r->SetCaption(QStringLiteral("75 Ohms"));
        r->SetChecked(true);
        r->SetColor(clWhite);
    }
    const QImage a = direct->grab().toImage();
    const QImage b = buffered->grab().toImage();
    EXPECT_TRUE(SamePixels(a, b, a.rect()));
    EXPECT_NE(BoundsOf(a, clBlack), TRect{}) << "something was drawn";
}

TEST(RadioButton, AutoSizeTakesTheSizeOfGlyphAndText)
{
    QWidget form;
    auto* radio = new TGfxRadioButton(&form);
    radio->SetCaption(QStringLiteral("Auto Follow"));
    radio->SetAutoSize(true);
    const int wide = radio->Width();
    EXPECT_EQ(radio->Height(), std::max(radio->GlyphRect().Bottom, radio->TextRect().Bottom));
    EXPECT_EQ(wide, radio->TextRect().Right + 1);
    EXPECT_EQ(radio->GlyphRect().Left, 1) << "top-left, inside the 1-pixel margin";
    radio->SetCaption(QStringLiteral("Auto"));
    EXPECT_LT(radio->Width(), wide);
}

// Changes made while updating are laid out when it ends: the button comes
// out as one given the same changes directly, auto-sized or not.
TEST(RadioButton, ChangesWhileUpdatingAreLaidOutWhenItEnds)
{
    for (const bool autoSize : {false, true}) {
        QWidget form;
        auto change = [&](TGfxRadioButton& b) {
            b.SetAutoSize(autoSize);
            b.SetCaption(QStringLiteral("75 Ohms"));
            b.SetGlyphSize(17);
            b.SetBounds(0, 0, 140, 30);
            b.SetCaption(QStringLiteral("High impedance"));
        };
        auto* direct = new TGfxRadioButton(&form);
        change(*direct);
        auto* batched = new TGfxRadioButton(&form);
        batched->SetUpdating(true);
        change(*batched);
        batched->SetUpdating(false);
        EXPECT_EQ(batched->TextRect(), direct->TextRect()) << autoSize;
        EXPECT_EQ(batched->GlyphRect(), direct->GlyphRect()) << autoSize;
        EXPECT_EQ(batched->Width(), direct->Width()) << autoSize;
        EXPECT_EQ(batched->Height(), direct->Height()) << autoSize;
        EXPECT_FALSE(IsEmptyRect(batched->TextRect())) << autoSize;
    }
}

TEST(RadioButton, TheFocusMarkInItsColour)
{
    QWidget form;
    auto* first = new TGfxRadioButton(&form);  // takes the focus when the form is shown
    auto* radio = new TGfxRadioButton(&form);
    radio->SetBounds(0, 30, 100, 25);
    radio->Alignment().SetAlignment(agCenterLeft);  // the whole mark inside
    radio->SetCaption(QStringLiteral("Hi-Z"));
    radio->SetColor(clWhite);
    radio->SetUseFocusColor(true);
    radio->SetFocusColor(clRed);
    ShowActive(form);
    ASSERT_TRUE(first->Focused());
    EXPECT_EQ(BoundsOf(radio->grab().toImage(), clRed), TRect{}) << "no mark without the focus";
    radio->SetFocus();
    QImage shown = radio->grab().toImage();
    TRect around = radio->TextRect();
    InflateRect(around, 1, 1);
    EXPECT_EQ(BoundsOf(shown, clRed), around) << "fcText: around the text";
    radio->SetFocusStyle(fcGlyph);
    shown = radio->grab().toImage();
    around = radio->GlyphRect();
    InflateRect(around, 1, 1);
    EXPECT_EQ(BoundsOf(shown, clRed), around);
}

// ------------------------------------------------- radio button rules

TEST(RadioButton, CheckingUnchecksTheSiblingsAndClicksOnce)
{
    QWidget form;
    TGfxRadioButton* r[3];
    std::vector<std::string> log;
    for (int i = 0; i < 3; ++i) {
        r[i] = new TGfxRadioButton(&form);
        r[i]->OnClick = [&log, i](TObject*) { log.push_back("click " + std::to_string(i)); };
    }
    auto* elsewhere = new TGfxRadioButton(new QWidget(&form));  // another parent
    elsewhere->SetChecked(true);
    log.clear();
    r[0]->SetChecked(true);
    r[2]->SetChecked(true);
    EXPECT_FALSE(r[0]->Checked());
    EXPECT_TRUE(r[2]->Checked());
    EXPECT_TRUE(elsewhere->Checked()) << "not a sibling";
    r[2]->SetChecked(false);
    r[2]->SetChecked(false);
    EXPECT_EQ(log, (std::vector<std::string>{"click 0", "click 2"})) << "unchecking raises nothing";
}

TEST(RadioButton, APressTakesTheFocusAndChecksItClickingOnceOnRelease)
{
    QWidget form;
    auto* other = new TGfxRadioButton(&form);
    auto* radio = new TGfxRadioButton(&form);
    radio->SetBounds(0, 30, 100, 17);
    int clicks = 0, ups = 0;
    bool checkedAtFirstClick = false;
    radio->OnClick = [&](TObject*) {
        if (++clicks == 1)
            checkedAtFirstClick = radio->Checked();
    };
    radio->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    ShowActive(form);
    other->SetFocus();
    QTest::mousePress(radio, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(radio->Focused());
    EXPECT_TRUE(radio->Checked()) << "checked by the focus";
    EXPECT_EQ(clicks, 0) << "no click from the check";
    QTest::mouseRelease(radio, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(checkedAtFirstClick);
    EXPECT_EQ(ups, 1);

    // From the keyboard the focus checks it with one click.
    radio->SetChecked(false);
    other->SetFocus();
    clicks = 0;
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_TRUE(radio->Focused());
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 1);
}

// Qt gives the focus for a press of any button; only the left one chooses.
TEST(RadioButton, ARightOrMiddlePressChoosesNothing)
{
    QWidget form;
    auto* sibling = new TGfxRadioButton(&form);
    auto* radio = new TGfxRadioButton(&form);
    radio->SetBounds(0, 30, 100, 17);
    int clicks = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    sibling->OnClick = [&](TObject*) { ++clicks; };
    ShowActive(form);
    sibling->SetChecked(true);
    clicks = 0;
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(int(b));
        sibling->SetFocus();
        QTest::mouseClick(radio, b, {}, QPoint(5, 8));
        EXPECT_FALSE(radio->Checked());
        EXPECT_TRUE(sibling->Checked());
        EXPECT_EQ(clicks, 0);
        // Pressed again where the focus now is.
        QTest::mouseClick(radio, b, {}, QPoint(5, 8));
        EXPECT_FALSE(radio->Checked());
        EXPECT_TRUE(sibling->Checked());
        EXPECT_EQ(clicks, 0);
    }
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(radio->Checked());
    EXPECT_FALSE(sibling->Checked());
    EXPECT_EQ(clicks, 1);
}

TEST(RadioButton, AReadOnlyButtonStaysUncheckedWhenFocused)
{
    QWidget form;
    auto* other = new TGfxRadioButton(&form);
    auto* radio = new TGfxRadioButton(&form);
    radio->SetReadOnly(true);
    ShowActive(form);
    other->SetFocus();
    radio->SetFocus();
    EXPECT_TRUE(radio->Focused());
    EXPECT_FALSE(radio->Checked());
}

// A button whose check its window drives: ReadOnly. Neither the focus nor
// the keyboard changes the check mark; Space raises the click, as the
// mouse's click does, once per press and release.
TEST(RadioButton, AReadOnlyButtonKeepsItsMarkAndSpaceClicksIt)
{
    QWidget form;
    auto* other = new TGfxRadioButton(&form);
    auto* radio = new TGfxRadioButton(&form);
    radio->SetReadOnly(true);
    int clicks = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    ShowActive(form);
    for (bool checked : {false, true}) {
        SCOPED_TRACE(checked ? "checked" : "unchecked");
        other->SetFocus();
        radio->SetChecked(checked);
        clicks = 0;
        QTest::keyClick(other, Qt::Key_Tab);
        ASSERT_TRUE(radio->Focused());
        EXPECT_EQ(radio->Checked(), checked);
        EXPECT_EQ(clicks, 0) << "the focus raises nothing";
        QTest::keyClick(radio, Qt::Key_Space);
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(radio->Checked(), checked) << "the mark stays";
        // A held key: one click, on the release.
        QTest::keyPress(radio, Qt::Key_Space);
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
            QApplication::sendEvent(radio, &repeat);
        }
        EXPECT_EQ(clicks, 1);
        QTest::keyRelease(radio, Qt::Key_Space);
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(radio->Checked(), checked);
    }
    // A button that is not read-only is checked by the keyboard's focus,
    // and Space then clicks it.
    radio->SetReadOnly(false);
    radio->SetChecked(false);
    other->SetFocus();
    clicks = 0;
    QTest::keyClick(other, Qt::Key_Tab);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(radio, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
}

TEST(RadioButton, APressOnAWindowThatCannotTakeTheFocusIsDropped)
{
    QWidget form;  // never shown
    auto* radio = new TGfxRadioButton(&form);
    int clicks = 0, downs = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    radio->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(radio->Checked());
}

TEST(RadioButton, AnActionChecksItWithoutAClick)
{
    QWidget form;
    auto* radio = new TGfxRadioButton(&form);
    int clicks = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    QAction action(QStringLiteral("Auto Follow"));
    action.setCheckable(true);
    radio->SetAction(&action);
    EXPECT_EQ(radio->Caption(), QStringLiteral("Auto Follow"));
    action.setChecked(true);
    EXPECT_TRUE(radio->Checked());
    action.setChecked(false);
    EXPECT_FALSE(radio->Checked());
    action.setEnabled(false);
    EXPECT_FALSE(radio->Enabled());
    EXPECT_EQ(clicks, 0);
}

TEST(RadioButton, TheAcceleratorFocusesAndChecksIt)
{
    QWidget form;
    auto* other = new TGfxRadioButton(&form);
    auto* radio = new TGfxRadioButton(&form);
    radio->SetCaption(QStringLiteral("&Follow"));
    ShowActive(form);
    other->SetFocus();
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(radio->Focused());
    EXPECT_TRUE(radio->Checked());
}

TEST(RadioButton, AssistiveToolsSeeARadioButton)
{
    QWidget form;
    auto* radio = new TGfxRadioButton(&form);
    radio->SetCaption(QStringLiteral("&Auto Follow"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(radio);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::RadioButton);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Auto Follow"));
    EXPECT_TRUE(face->state().checkable);
    EXPECT_FALSE(face->state().checked);
    radio->SetChecked(true);
    EXPECT_TRUE(face->state().checked);
}

// Assistive tools get the actions Qt gives its own radio button; toggling
// does what a left click does (checks a button that can be modified, and
// clicks), and a button is read-only only when nothing hears the operator.
TEST(RadioButton, AssistiveToolsToggleItAsAClickDoes)
{
    QWidget form;
    auto* sibling = new TGfxRadioButton(&form);
    auto* radio = new TGfxRadioButton(&form);
    auto* qt = new QRadioButton(QStringLiteral("Qt's"), &form);
    Show(form);
    const QString toggle = QAccessibleActionInterface::toggleAction();
    QAccessibleActionInterface* ours = QAccessible::queryAccessibleInterface(radio)->actionInterface();
    QAccessibleActionInterface* theirs = QAccessible::queryAccessibleInterface(qt)->actionInterface();
    ASSERT_NE(ours, nullptr);
    ASSERT_NE(theirs, nullptr);
    EXPECT_EQ(ours->actionNames(), theirs->actionNames());
    ASSERT_TRUE(ours->actionNames().contains(toggle));

    int clicks = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    sibling->SetChecked(true);
    ours->doAction(toggle);
    EXPECT_TRUE(radio->Checked());
    EXPECT_FALSE(sibling->Checked());
    EXPECT_EQ(clicks, 1);
    ours->doAction(toggle);  // a click on the checked button
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 2);

    // Read-only: the mark stays, the click still reaches the window that
    // drives the mark, so the operator can change it.
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(radio);
    radio->SetReadOnly(true);
    radio->SetChecked(false);
    clicks = 0;
    EXPECT_FALSE(face->state().readOnly);
    ours->doAction(toggle);
    EXPECT_FALSE(radio->Checked());
    EXPECT_EQ(clicks, 1);
    radio->OnClick = nullptr;
    EXPECT_TRUE(face->state().readOnly) << "nothing hears the operator";
    radio->SetReadOnly(false);
    EXPECT_FALSE(face->state().readOnly);

    // Disabled: no actions, as Qt's.
    radio->SetEnabled(false);
    qt->setEnabled(false);
    EXPECT_EQ(ours->actionNames(), theirs->actionNames());
    EXPECT_FALSE(ours->actionNames().contains(toggle));
}

// ---------------------------------------------------------- radio group

struct LayoutCase {
    int width, height;
    QStringList items;
    int columns;
    std::vector<QRect> buttons;
};

TEST(RadioGroup, LayoutsAsData)
{
    const LayoutCase cases[] = {
        {130, 20, {"Hi-Z", "75 Ohms"}, 2, {QRect(5, 2, 61, 16), QRect(66, 2, 61, 16)}},
        {130, 28, {"Hi-Z", "75 Ohms"}, 2, {QRect(5, 2, 61, 24), QRect(66, 2, 61, 24)}},
        // Three items in two columns: the first column top to bottom.
        {130, 40, {"a", "b", "c"}, 2, {QRect(5, 2, 61, 18), QRect(5, 20, 61, 18), QRect(66, 2, 61, 18)}},
        // Four rows of 10 pixels in 40: the top moves down by 10 mod 4 div 2.
        {130, 44, {"a", "b", "c", "d"}, 1,
         {QRect(5, 3, 123, 10), QRect(5, 13, 123, 10), QRect(5, 23, 123, 10), QRect(5, 33, 123, 10)}},
    };
    for (const LayoutCase& c : cases) {
        QWidget form;
        auto* g = new TGfxRadioGroup(&form);
        g->Bevel().SetStandardStyle(lsNone);
        g->SetColumns(c.columns);
        g->SetItems(c.items);
        g->SetBounds(0, 0, c.width, c.height);
        ASSERT_EQ(g->ButtonCount(), int(c.buttons.size()));
        for (int i = 0; i < g->ButtonCount(); ++i) {
            EXPECT_EQ(g->Buttons(i)->geometry(), c.buttons[size_t(i)]) << c.width << "x" << c.height << " " << i;
            EXPECT_TRUE(g->Buttons(i)->Visible());
        }
    }
    // A framed group with a caption: the buttons below the caption.
    QWidget form;
    auto* g = new TGfxRadioGroup(&form);
    g->SetCaption(QStringLiteral("Load"));
    g->SetItems({QStringLiteral("a")});
    g->SetBounds(0, 0, 100, 60);
    const int e = g->CaptionExtent();
    ASSERT_GT(e, g->BevelWidth());
    EXPECT_EQ(g->Buttons(0)->geometry(), QRect(7, e + 2, 89, 54 - e));
}

TEST(RadioGroup, ColumnsAndItemsKeepWithinBounds)
{
    QWidget form;
    auto* g = new TGfxRadioGroup(&form);
    g->SetColumns(0);
    EXPECT_EQ(g->Columns(), 1);
    g->SetColumns(40);
    EXPECT_EQ(g->Columns(), 12);
    g->SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    g->SetItemIndex(2);
    g->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(g->ItemIndex(), 1) << "deleting items below ItemIndex moves it to the last";
    EXPECT_TRUE(g->Buttons(1)->Checked());
    int w = 0, h = 0;
    EXPECT_FALSE(g->CanAutoSize(w, h)) << "no item height of its own";
    g->SetItemHeight(20);
    ASSERT_TRUE(g->CanAutoSize(w, h));
    EXPECT_EQ(h, g->BevelExtent() + 2 * 21);
}

// The buttons' help topics by HelpContextBtn, given again to every button
// when it changes and to new buttons when the items change.
TEST(RadioGroup, HelpContextsOfTheButtons)
{
    QWidget form;
    auto* g = new TGfxRadioGroup(&form);
    g->SetHelpContext(200);
    g->SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    const auto contexts = [g] {
        std::vector<int> out;
        for (int i = 0; i < g->ButtonCount(); ++i)
            out.push_back(g->Buttons(i)->HelpContext());
        return out;
    };
    EXPECT_EQ(g->HelpContextBtn(), ciDefault);
    EXPECT_EQ(contexts(), (std::vector<int>{0, 0, 0}));
    const struct {
        TGfxChildHelpContextID mode;
        std::vector<int> three, four;
    } cases[] = {
        {ciAutoNumbered, {201, 202, 203}, {201, 202, 203, 204}},
        {ciSameAsParent, {200, 200, 200}, {200, 200, 200, 200}},
        {ciDefault, {0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        g->SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        g->SetHelpContextBtn(c.mode);
        EXPECT_EQ(contexts(), c.three) << int(c.mode);
        g->SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
        EXPECT_EQ(contexts(), c.four) << int(c.mode) << ": the items rebuilt";
    }
}

class GroupEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        group = ImpedanceGroup(&form, 130, 20);
        group->OnClick = [this](TObject*) { log.push_back("click"); };
        group->OnChange = [this](TObject* sender, int index) {
            EXPECT_EQ(sender, group);
            log.push_back("change " + std::to_string(index));
        };
    }
    QWidget form;
    TGfxRadioGroup* group = nullptr;
    std::vector<std::string> log;
};

TEST_F(GroupEvents, AnIndexFromCodeRaisesNoChange)
{
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Buttons(0)->Checked());
    group->SetItemIndex(5);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_FALSE(group->Buttons(0)->Checked()) << "checked unchecks its siblings";
    group->SetItemIndex(-7);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_TRUE(log.empty());
}

TEST_F(GroupEvents, AClickRaisesOnClickThenOnChangeOnce)
{
    ShowActive(form);
    group->SetItemIndex(0);
    QTest::mouseClick(group->Buttons(1), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 1"}));
    EXPECT_EQ(group->ItemIndex(), 1);
    log.clear();
    QTest::mouseClick(group->Buttons(1), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(log.empty()) << "the checked button: nothing";
}

// The group's own area around its buttons is no choice.
TEST_F(GroupEvents, AClickOnTheMarginRaisesNothing)
{
    ShowActive(form);
    for (int index : {-1, 0}) {
        group->SetItemIndex(index);
        for (QPoint at : {QPoint(1, 1), QPoint(2, 10), QPoint(128, 18)}) {
            ASSERT_EQ(group->childAt(at), nullptr) << at.x() << "," << at.y();
            QTest::mouseClick(group, Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(group->ItemIndex(), index);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(GroupEvents, APressReleasedOutsideStillReachesTheGroup)
{
    ShowActive(form);
    group->SetItemIndex(0);
    QTest::mousePress(group->Buttons(1), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(log.empty());
    QTest::mouseRelease(group->Buttons(1), Qt::LeftButton, {}, QPoint(-20, 8));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 1"}));
}

TEST_F(GroupEvents, ArrowKeysMoveTheCheckWithinTheGroup)
{
    group->SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    ShowActive(form);
    group->SetItemIndex(0);
    group->Buttons(0)->SetFocus();
    QTest::keyClick(group->Buttons(0), Qt::Key_Down);
    QTest::keyClick(group->Buttons(1), Qt::Key_Right);
    QTest::keyClick(group->Buttons(2), Qt::Key_Down);  // round to the first
    QTest::keyClick(group->Buttons(0), Qt::Key_Up);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 1", "click", "change 2", "click", "change 0", "click",
                                             "change 2"}));
    EXPECT_TRUE(group->Buttons(2)->Focused());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(group->Buttons(i)->TabStop(), i == 2) << "only the checked button is a tab stop";
}

TEST_F(GroupEvents, AReadOnlyGroupKeepsItsChoice)
{
    group->SetReadOnly(true);
    ShowActive(form);
    group->SetItemIndex(0);
    group->Buttons(0)->SetFocus();
    QTest::keyClick(group->Buttons(0), Qt::Key_Right);
    EXPECT_TRUE(group->Buttons(1)->Focused());
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_TRUE(log.empty());
    // The mouse neither: a click on the other button, focused or not.
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(group->Buttons(1), Qt::LeftButton, {}, QPoint(5, 8));
        EXPECT_EQ(group->ItemIndex(), 0) << round;
        EXPECT_TRUE(group->Buttons(0)->Checked()) << round;
        EXPECT_FALSE(group->Buttons(1)->Checked()) << round;
        group->Buttons(0)->SetFocus();
    }
    EXPECT_TRUE(log.empty());
    // Code still sets the choice.
    group->SetItemIndex(1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_TRUE(log.empty());
}

// Before its first choice a group is still reached by Tab, at its first
// button, and entering it chooses nothing; Space or an arrow chooses.
TEST_F(GroupEvents, AGroupWithoutAChoiceIsReachedByTabWithoutChoosing)
{
    auto* before = new QLineEdit(&form);
    group->setParent(nullptr);
    group->setParent(&form);  // after the edit in the tab order
    auto* after = new QLineEdit(&form);
    ShowActive(form);
    ASSERT_EQ(group->ItemIndex(), -1);
    EXPECT_TRUE(group->Buttons(0)->TabStop());
    EXPECT_FALSE(group->Buttons(1)->TabStop());
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(group->Buttons(0)->Focused());
    QTest::keyClick(group->Buttons(0), Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus()) << "one tab stop in the group";
    QTest::keyClick(after, Qt::Key_Backtab);
    EXPECT_TRUE(group->Buttons(0)->Focused());
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_TRUE(log.empty());

    QTest::keyClick(group->Buttons(0), Qt::Key_Space);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 0"}));
    EXPECT_EQ(group->ItemIndex(), 0);

    // Without a choice again, an arrow chooses the button it moves to.
    group->SetItemIndex(-1);
    log.clear();
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(group->Buttons(0)->Focused());
    EXPECT_TRUE(log.empty());
    QTest::keyClick(group->Buttons(0), Qt::Key_Right);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 1"}));
    EXPECT_TRUE(group->Buttons(1)->TabStop());
    EXPECT_FALSE(group->Buttons(0)->TabStop());
}

TEST_F(GroupEvents, TheAcceleratorFocusesAGroupWithoutAChoiceWithoutChoosing)
{
    group->SetCaption(QStringLiteral("&Load"));
    auto* other = new QLineEdit(&form);
    ShowActive(form);
    other->setFocus();
    QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(group->Buttons(0)->Focused());
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_TRUE(log.empty());
}

TEST_F(GroupEvents, TheCaptionsAcceleratorFocusesTheCheckedButton)
{
    group->SetCaption(QStringLiteral("&Load"));
    ShowActive(form);
    group->SetItemIndex(1);
    QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(group->Buttons(1)->Focused());
    EXPECT_TRUE(log.empty());
}

TEST(RadioGroup, AssistiveToolsFindTheItemsAsRadioButtons)
{
    QWidget form;
    auto* group = ImpedanceGroup(&form, 130, 20);
    group->SetCaption(QStringLiteral("Impedance"));
    group->SetItemIndex(1);
    Show(form);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(group);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Grouping);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Impedance"));
    ASSERT_EQ(face->childCount(), 2);
    QStringList names;
    for (int i = 0; i < 2; ++i) {
        QAccessibleInterface* item = face->child(i);
        EXPECT_EQ(item->role(), QAccessible::RadioButton);
        EXPECT_EQ(item->state().checked, i == 1);
        names << item->text(QAccessible::Name);
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Hi-Z"), QStringLiteral("75 Ohms")}));
}

// Toggling an item for assistive tools is the operator's choice; a group
// that cannot be modified is read-only and keeps its choice.
TEST_F(GroupEvents, AssistiveToolsToggleAnItemAsAClickDoes)
{
    Show(form);
    const QString toggle = QAccessibleActionInterface::toggleAction();
    group->SetItemIndex(0);
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(group->Buttons(1));
    ASSERT_NE(item->actionInterface(), nullptr);
    EXPECT_FALSE(item->state().readOnly);
    item->actionInterface()->doAction(toggle);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 1"}));
    EXPECT_EQ(group->ItemIndex(), 1);

    group->SetReadOnly(true);
    log.clear();
    QAccessibleInterface* other = QAccessible::queryAccessibleInterface(group->Buttons(0));
    EXPECT_TRUE(other->state().readOnly);
    other->actionInterface()->doAction(toggle);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_TRUE(log.empty());
}

TEST(RadioGroup, TheTextColourFollowsThePalette)
{
    QWidget form;
    auto* group = ImpedanceGroup(&form, 130, 20);
    QPalette p = group->palette();
    p.setColor(QPalette::WindowText, QColor(128, 128, 128));
    group->setPalette(p);
    EXPECT_EQ(GfxColorToRGB(group->Buttons(0)->Font().Color()), GfxRGB(128, 128, 128));
    EXPECT_EQ(GfxColorToRGB(group->Buttons(1)->Font().Color()), GfxRGB(128, 128, 128));
}

// A stored ItemIndex beyond the items names no button once loaded (it
// used to check a button past the end of the list).
TEST(RadioGroup, AStoredIndexBeyondTheItemsBecomesNone)
{
    QWidget form;
    auto* group = new TGfxRadioGroup(&form);
    int changes = 0;
    group->OnChange = [&](TObject*, int) { ++changes; };
    group->BeginLoading();
    group->SetItems({QStringLiteral("Hi-Z"), QStringLiteral("75 Ohms")});
    group->SetItemIndex(5);
    EXPECT_EQ(group->ItemIndex(), 5) << "stored as it is while loading";
    EXPECT_EQ(group->ButtonCount(), 0) << "no buttons while loading";
    group->EndLoading();
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(0)->Checked());
    EXPECT_FALSE(group->Buttons(1)->Checked());

    auto* good = new TGfxRadioGroup(&form);
    good->BeginLoading();
    good->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    good->SetItemIndex(1);
    good->EndLoading();
    EXPECT_EQ(good->ItemIndex(), 1);
    EXPECT_TRUE(good->Buttons(1)->Checked());
    EXPECT_EQ(changes, 0);
}

// The buttons go while their group is still whole: each one is taken out
// of a list that still exists, and the group hears nothing from a focus
// moving while it goes.
TEST(RadioGroup, ButtonsGoBeforeTheirGroup)
{
    auto form = std::make_unique<QWidget>();
    auto* group = ImpedanceGroup(form.get(), 130, 20);
    int changes = 0;
    group->OnChange = [&](TObject*, int) { ++changes; };
    ShowActive(*form);
    QTest::mouseClick(group->Buttons(1), Qt::LeftButton, {}, QPoint(5, 8));  // the operator's choice
    ASSERT_EQ(changes, 1);
    ASSERT_TRUE(group->Buttons(1)->Focused());
    int wholeGroups = 0, buttons = 0;
    for (int i = 0; i < group->ButtonCount(); ++i)
        QObject::connect(group->Buttons(i), &QObject::destroyed, [&, group](QObject*) {
            ++buttons;
            // Still a button group (its own destructor has not ended).
            if (dynamic_cast<TGfxCustomButtonGroup*>(static_cast<QWidget*>(group)))
                ++wholeGroups;
        });
    delete group;
    EXPECT_EQ(buttons, 2);
    EXPECT_EQ(wholeGroups, 2);
    EXPECT_EQ(changes, 1);

    // A button freed on its own leaves the list; the group carries on.
    auto* other = ImpedanceGroup(form.get(), 130, 20);
    other->SetItemIndex(1);
    delete other->Buttons(1);
    EXPECT_EQ(other->ButtonCount(), 1);
    other->SetItemIndex(0);
    EXPECT_TRUE(other->Buttons(0)->Checked());
    form.reset();  // the form frees the group and its last button
}

}  // namespace
