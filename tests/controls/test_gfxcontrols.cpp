// The library's control bases on a form: transparency on pixels, the
// repaint rules (with no repaint loop), the flat border, the parent's
// background changes, the image-list link and the themed branches.
#include "control_helpers.h"
#include "gfx_application.h"
#include "gfx_customcontrol.h"
#include "gfx_graphiccontrol.h"
#include "gfx_imagelist.h"
#include "gfx_library.h"
#include "gfx_lists.h"
#include "gfx_panels.h"
#include "gfx_radiobutton.h"
#include "gfx_themes.h"
#include "paint_helpers.h"
#include "platform/gfx_theme_service.h"
#include "widgets/gfx_formshape.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace controltest;

namespace {

// An opaque box: its colour over its whole area, then the bevel.
class Box : public TGfxGraphicControl {
public:
    explicit Box(QWidget* parent) : TGfxGraphicControl(parent) {}
    int paints = 0;
    int repaintRequests = 0;
    using TGfxGraphicControl::InitOpaque;
    void RepaintRequest() override
    {
        ++repaintRequests;
        TGfxGraphicControl::RepaintRequest();
    }

protected:
    void Paint() override
    {
        ++paints;
        if (!Transparent())
            FillBackground();
        TGfxGraphicControl::Paint();
    }
};

// ------------------------------------------------------- transparency

TEST(Transparency, WindowlessControlsShowTheParentsPixelsOrTheirOwn)
{
    GradientForm form;
    auto* clear = new Box(&form);
    clear->SetBounds(10, 10, 200, 100);
    auto* framed = new Box(&form);  // transparent with a frame: the rings show the parent
    framed->SetBounds(10, 120, 60, 40);
    framed->Bevel().SetStyleOuter(bvRaised);
    framed->Bevel().SetBorderWidth(2);
    auto* opaque = new Box(&form);
    opaque->InitOpaque();
    opaque->SetColor(clLime);
    opaque->SetBounds(220, 10, 50, 50);
    Show(form);
    const QImage shown = form.grab().toImage();
    const QImage own = form.OwnPainting();
    EXPECT_TRUE(SamePixels(shown, own, QRect(10, 10, 200, 100))) << "the parent's gradient behind the control";
    EXPECT_TRUE(SamePixels(shown, own, QRect(11, 121, 58, 38))) << "inside the bevel, the rings included";
    EXPECT_EQ(GfxColorFromQRgb(shown.pixel(10, 120)), GfxColorToRGB(clBtnHighlight));
    EXPECT_EQ(GfxColorFromQRgb(shown.pixel(69, 159)), GfxColorToRGB(clBtnShadow));
    EXPECT_EQ(painttest::BoundsOf(shown, clLime), (TRect{220, 10, 270, 60}));
}

TEST(Transparency, WindowedControlsShowTheParentsPixelsOrTheirColour)
{
    GradientForm form;
    auto* clear = new TGfxCustomControl(&form);
    clear->SetBounds(10, 10, 120, 80);
    clear->SetTransparent(true);
    auto* inner = new TGfxCustomControl(clear);  // transparent on transparent
    inner->SetBounds(10, 10, 50, 30);
    inner->SetTransparent(true);
    auto* plain = new TGfxCustomControl(&form);
    plain->SetBounds(150, 10, 100, 40);
    plain->SetColor(clLime);
    Show(form);
    const QImage shown = form.grab().toImage();
    EXPECT_TRUE(SamePixels(shown, form.OwnPainting(), QRect(10, 10, 120, 80)));
    EXPECT_EQ(painttest::BoundsOf(shown, clLime), (TRect{150, 10, 250, 50}));
}

// ------------------------------------------------------ repaint rules

// A transparent control whose paint changes one of its sub-objects, as a
// rotated caption does when it places its text: each paint asks for
// another. Painted inside a transparent windowed control on a gradient.
class Restless : public TGfxGraphicControl {
public:
    using TGfxGraphicControl::TGfxGraphicControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        Bevel().SetWidthInner(Bevel().WidthInner() == 1 ? 2 : 1);
        TGfxGraphicControl::Paint();
    }
};

class CountingCustom : public TGfxCustomControl {
public:
    using TGfxCustomControl::TGfxCustomControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        TGfxCustomControl::Paint();
    }
};

TEST(RepaintRules, TransparentOverTransparentRepaintsInBoundedPasses)
{
    GradientForm form;
    auto* middle = new CountingCustom(&form);
    middle->SetBounds(10, 10, 150, 100);
    middle->SetTransparent(true);
    auto* top = new Restless(middle);
    top->SetBounds(10, 10, 60, 40);
    top->Bevel().SetStyleInner(bvRaised);
    Show(form);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();

    form.paints = middle->paints = top->paints = 0;
    middle->SetBounds(12, 10, 160, 100);  // moved and resized: repaints and tells the children
    top->RepaintRequest();
    // Paints come from the window's update timer: a round waits for it.
    int settledAfter = -1;
    for (int round = 0; round < 12; ++round) {
        const int before = form.paints + middle->paints + top->paints;
        QTest::qWait(40);
        if (form.paints + middle->paints + top->paints == before) {
            settledAfter = round;
            break;
        }
    }
    EXPECT_GE(settledAfter, 0) << "still repainting after 12 rounds: " << top->paints << " paints";
    EXPECT_GE(top->paints, 1);
    EXPECT_LE(top->paints, 4);
    EXPECT_LE(middle->paints, 4);
    EXPECT_LE(form.paints, 4);
}

TEST(RepaintRules, OpaquePaintsAtOnceTransparentInvalidatesUpdatingNeither)
{
    GradientForm form;
    auto* box = new Box(&form);
    box->SetBounds(10, 10, 40, 40);
    Show(form);
    QCoreApplication::processEvents();
    box->paints = 0;
    box->RepaintRequest();
    EXPECT_EQ(box->paints, 0) << "transparent: invalidated, painted later with the parent";
    QCoreApplication::processEvents();
    EXPECT_EQ(box->paints, 1);

    box->SetTransparent(false);  // the transparency message repaints an opaque control at once
    EXPECT_EQ(box->paints, 2);
    box->Bevel().SetStyleOuter(bvLowered);  // the bevel's change is a repaint request
    EXPECT_EQ(box->paints, 3);

    // A hidden control hears the message and paints nothing.
    box->SetVisible(false);
    box->repaintRequests = 0;
    box->SetTransparent(true);
    EXPECT_EQ(box->repaintRequests, 0);
}

// ---------------------------------------------- the parent's background

class OwnBackground : public TGfxCustomControl {
public:
    using TGfxCustomControl::TGfxCustomControl;
    bool own = false;
    bool HasOwnBackground() const override { return own; }
};

TEST(ParentBackground, ATransparentChildRepaintsOnlyWhenTheParentPaintsItsOwn)
{
    for (bool own : {false, true}) {
        QWidget form;
        auto* panel = new OwnBackground(&form);
        panel->own = own;
        auto* label = new Box(panel);
        auto* opaque = new Box(panel);
        opaque->InitOpaque();
        auto* hidden = new Box(panel);
        hidden->SetVisible(false);
        Show(form);
        label->repaintRequests = opaque->repaintRequests = hidden->repaintRequests = 0;
        // What a panel does when its background changes.
        panel->NotifyControls(GFX_PARENTBKGNDCHANGED);
        EXPECT_EQ(label->repaintRequests, own ? 1 : 0) << own;
        EXPECT_EQ(opaque->repaintRequests, 0) << own;
        EXPECT_EQ(hidden->repaintRequests, 0) << own;
    }
}

TEST(ParentBackground, ATransparentWindowedControlPassesTheChangeOn)
{
    class Seen : public TGfxControl {
    public:
        using TGfxControl::TGfxControl;
        int heard = 0;

    protected:
        void WndProc(TMessage& m) override
        {
            heard += m.Msg == GFX_PARENTBKGNDCHANGED;
            TGfxControl::WndProc(m);
        }
    };
    QWidget form;
    auto* outer = new TGfxCustomControl(&form);
    outer->SetTransparent(true);
    auto* inner = new TGfxCustomControl(outer);
    inner->SetTransparent(true);
    auto* leaf = new Seen(inner);
    auto* opaqueInner = new TGfxCustomControl(outer);
    auto* shielded = new Seen(opaqueInner);
    Show(form);
    outer->SetBounds(0, 0, 180, 90);  // resized: the children hear of it
    EXPECT_EQ(leaf->heard, 1);
    EXPECT_EQ(shielded->heard, 0) << "an opaque control only repaints itself";
}

// --------------------------------------------------------- flat border

TEST(FlatBorder, ShownFlatUnlessFocusedAndKeptWhenTheMouseLeavesFocused)
{
    QWidget form;
    auto* control = new TGfxCustomControl(&form);
    control->SetBounds(10, 10, 40, 20);
    control->SetColor(clLime);
    Show(form);
    QApplication::setActiveWindow(&form);
    const auto at = [&](int x, int y) { return GfxColorFromQRgb(control->grab().toImage().pixel(x, y)); };
    EXPECT_EQ(control->BorderLook(), TGfxCustomControl::blNone);
    EXPECT_EQ(at(0, 0), clLime);

    control->SetFlat(true);
    EXPECT_EQ(control->BorderLook(), TGfxCustomControl::blFlat);
    EXPECT_EQ(at(0, 0), GfxColorToRGB(clBtnFace));
    EXPECT_EQ(at(1, 1), GfxColorToRGB(clBtnFace));
    EXPECT_EQ(at(2, 2), clLime);

    control->SetTabStop(true);
    control->SetFocus();
    EXPECT_EQ(control->BorderLook(), TGfxCustomControl::blActive);
    EXPECT_EQ(at(0, 0), GfxColorToRGB(clBtnShadow));     // sunken outer, top-left
    EXPECT_EQ(at(1, 1), GfxColorToRGB(clWindowFrame));   // the dark frame inside it
    EXPECT_EQ(at(39, 19), GfxColorToRGB(clBtnHighlight));
    EXPECT_EQ(at(38, 18), GfxColorToRGB(clBtnFace));
    MouseEnter(control);
    MouseLeave(control);
    EXPECT_EQ(control->BorderLook(), TGfxCustomControl::blActive) << "focused: kept";

    control->SetCtl3D(false);
    control->Invalidate();
    EXPECT_EQ(at(0, 0), GfxColorToRGB(clWindowFrame)) << "without 3-D look, one frame";
    EXPECT_EQ(at(1, 1), clLime);
}

// The border's pixels: the sunken 3-D look, or the face twice.
void ExpectBorder(QWidget* control, TGfxCustomControl::TBorderLook look, const char* where)
{
    const QImage shown = control->grab().toImage();
    const int w = shown.width(), h = shown.height();
    const auto at = [&](int x, int y) { return GfxColorFromQRgb(shown.pixel(x, y)); };
    if (look == TGfxCustomControl::blActive) {
        EXPECT_EQ(at(0, 0), GfxColorToRGB(clBtnShadow)) << where;
        EXPECT_EQ(at(1, 1), GfxColorToRGB(clWindowFrame)) << where;
        EXPECT_EQ(at(w - 1, h - 1), GfxColorToRGB(clBtnHighlight)) << where;
        EXPECT_EQ(at(w - 2, h - 2), GfxColorToRGB(clBtnFace)) << where;
    } else {
        for (int d : {0, 1}) {
            EXPECT_EQ(at(d, d), GfxColorToRGB(clBtnFace)) << where << " " << d;
            EXPECT_EQ(at(w - 1 - d, h - 1 - d), GfxColorToRGB(clBtnFace)) << where << " " << d;
        }
    }
}

// Losing the focus with the mouse over the control keeps the active look;
// the mouse leaving then flattens it.
TEST(FlatBorder, TheFocusLostUnderTheMouseKeepsTheActiveLookUntilTheMouseLeaves)
{
    QWidget form;
    auto* control = new TGfxCustomControl(&form);
    auto* other = new TGfxCustomControl(&form);
    control->SetBounds(10, 10, 40, 20);
    control->SetColor(clLime);
    control->SetTabStop(true);
    other->SetBounds(10, 50, 40, 20);
    other->SetTabStop(true);
    control->SetFlat(true);
    Show(form);
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    control->SetFocus();
    MouseEnter(control);
    ExpectBorder(control, TGfxCustomControl::blActive, "focused under the mouse");
    other->SetFocus();
    ASSERT_FALSE(control->Focused());
    EXPECT_EQ(control->BorderLook(), TGfxCustomControl::blActive);
    ExpectBorder(control, TGfxCustomControl::blActive, "the focus gone, the mouse still over it");
    MouseLeave(control);
    EXPECT_EQ(control->BorderLook(), TGfxCustomControl::blFlat);
    ExpectBorder(control, TGfxCustomControl::blFlat, "the mouse gone");
}

// Every windowed library control paints the border it keeps at the end of
// its paint, whatever its own Paint draws (a frame, a caption, a glyph).
TEST(FlatBorder, EveryKindOfControlPaintsItLast)
{
    const struct {
        const char* kind;
        std::function<TGfxCustomControl*(QWidget*)> make;
    } kinds[] = {
        {"button control", [](QWidget* p) { return new TGfxButtonControl(p); }},
        {"radio button",
         [](QWidget* p) {
             auto* r = new TGfxRadioButton(p);
             r->SetCaption(QStringLiteral("Hi-Z"));
             r->SetFocusStyle(fcNone);
             return r;
         }},
        {"bevel panel",
         [](QWidget* p) {
             auto* b = new TGfxCustomBevelPanel(p);
             b->Bevel().SetStyleOuter(bvRaised);
             b->Bevel().SetStyleInner(bvLowered);
             return b;
         }},
        {"parent panel",
         [](QWidget* p) {
             auto* b = new TGfxCustomParentPanel(p);
             b->Bevel().SetStyleOuter(bvRaised);
             return b;
         }},
        {"group box",
         [](QWidget* p) {
             auto* g = new TGfxCustomGroupBox(p);
             g->SetCaption(QStringLiteral("Load"));
             return g;
         }},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        QWidget form;
        TGfxCustomControl* control = k.make(&form);
        auto* other = new TGfxCustomControl(&form);
        other->SetBounds(0, 150, 40, 20);
        other->SetTabStop(true);
        control->SetBounds(10, 10, 90, 40);
        control->SetColor(clLime);
        control->SetTabStop(true);
        control->SetFlat(true);
        Show(form);
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        other->SetFocus();
        ExpectBorder(control, TGfxCustomControl::blFlat, "flat");
        control->SetFocus();
        ASSERT_TRUE(control->Focused());
        ExpectBorder(control, TGfxCustomControl::blActive, "focused");
        MouseEnter(control);
        other->SetFocus();
        ExpectBorder(control, TGfxCustomControl::blActive, "the focus lost under the mouse");
        MouseLeave(control);
        ExpectBorder(control, TGfxCustomControl::blFlat, "the mouse gone");
        // Hot and not focused: the flat border the control keeps.
        MouseEnter(control);
        ExpectBorder(control, TGfxCustomControl::blFlat, "hot");
        MouseLeave(control);
        // Flat off: the 3-D border.
        control->SetFlat(false);
        ExpectBorder(control, TGfxCustomControl::blActive, "Flat off");
    }
}

// ---------------------------------------------------- image-list link

TEST(ImageListLink, IndexesListsAndTheFreedList)
{
    for (bool windowed : {false, true}) {
        QWidget form;
        int changes = 0;
        TGfxBaseControl* graphic = nullptr;
        TGfxCustomControl* custom = nullptr;
        if (windowed) {
            class Counting : public TGfxCustomControl {
            public:
                using TGfxCustomControl::TGfxCustomControl;
                int* n = nullptr;
                void ImageListChanged(TObject* s) override
                {
                    ++*n;
                    TGfxCustomControl::ImageListChanged(s);
                }
            };
            auto* c = new Counting(&form);
            c->n = &changes;
            custom = c;
        } else {
            class Counting : public TGfxBaseControl {
            public:
                using TGfxBaseControl::TGfxBaseControl;
                int* n = nullptr;
                void ImageListChanged(TObject* s) override
                {
                    ++*n;
                    TGfxBaseControl::ImageListChanged(s);
                }
            };
            auto* c = new Counting(&form);
            c->n = &changes;
            graphic = c;
        }
        const auto setIndex = [&](int i, int v) { windowed ? custom->SetIndex(i, v) : graphic->SetIndex(i, v); };
        const auto imageIndex = [&] { return windowed ? custom->ImageIndex() : graphic->ImageIndex(); };
        const auto list = [&] { return windowed ? custom->ImageList() : graphic->ImageList(); };
        const auto missing = [&] { return windowed ? custom->ListBitmapMissing() : graphic->ListBitmapMissing(); };

        setIndex(0, 3);
        EXPECT_EQ(changes, 0) << "no list: nothing to repaint";
        setIndex(0, -1);
        EXPECT_EQ(imageIndex(), 3) << "a negative index keeps the old one";
        EXPECT_TRUE(missing());

        auto images = std::make_unique<TGfxImageList>();
        windowed ? custom->SetImageList(images.get()) : graphic->SetImageList(images.get());
        EXPECT_EQ(changes, 1);
        EXPECT_TRUE(missing()) << "the list has no item 0";
        images->AddItem();
        EXPECT_EQ(changes, 2) << "the list's change reaches the control";
        setIndex(1, 0);
        EXPECT_EQ(changes, 2) << "unchanged";
        images.reset();
        EXPECT_EQ(list(), nullptr) << "the freed list is dropped";
        QCoreApplication::processEvents();
        EXPECT_EQ(changes, 3) << "and the control repaints once it is gone";
    }
}

TEST(ImageListLink, AGlobalListIsStoredByItsTag)
{
    TGfxLibraryScope library;
    QWidget form;
    auto* control = new TGfxCustomControl(&form);
    control->ReadInternal(QStringLiteral("GfxIML30"));
    EXPECT_EQ(control->ImageList(), GfxContainer->ImageList());
    EXPECT_TRUE(control->ImageLink().InternalStored());
    EXPECT_FALSE(control->ImageLink().ListStored());
    EXPECT_EQ(control->ImageLink().WriteInternal(), QStringLiteral("GfxIML30"));
    control->ReadInternal(QStringLiteral("GfxBML30"));
    EXPECT_EQ(control->ImageList(), GfxContainer->BitmapList());
    control->ReadInternal(QStringLiteral("GfxWVL30"));
    EXPECT_EQ(control->ImageList(), nullptr);

    TGfxImageList own;
    control->SetImageList(&own);
    EXPECT_TRUE(control->ImageLink().ListStored());
    EXPECT_FALSE(control->ImageLink().InternalStored());
    delete control;  // the list's later changes reach no freed control
    own.AddItem();
    EXPECT_TRUE(own.Links().empty());
}

TEST(BitmapEffects, AChangeRepaintsAndTheBackgroundDropsTheBuffer)
{
    GradientForm form;
    auto* box = new Box(&form);
    auto* panel = new TGfxCustomControl(&form);
    panel->SetBounds(100, 0, 100, 50);
    Show(form);
    box->repaintRequests = 0;
    box->BitmapEffects().SetGrayScale(true);
    EXPECT_EQ(box->repaintRequests, 1);

    // A buffered result is dropped when the parent's background changes.
    for (TGfxBitmapEffectObject* effects : {&box->BitmapEffects(), &panel->BitmapEffects()}) {
        effects->SetBuffered(true);
        TGfxBitmap source, target;
        source.SetPixelFormat(pf24bit);
        source.SetSize(4, 4);
        target.SetPixelFormat(pf24bit);
        target.SetSize(4, 4);
        effects->Apply(source, {0, 0, 4, 4}, {0, 0, 4, 4}, target);
        ASSERT_TRUE(effects->BufferValid());
    }
    box->Perform(GFX_PARENTBKGNDCHANGED);
    panel->Perform(GFX_PARENTBKGNDCHANGED);
    EXPECT_FALSE(box->BitmapEffects().BufferValid());
    EXPECT_FALSE(panel->BitmapEffects().BufferValid());
}

TEST(BitmapEffects, TheAlphaObjectsFreedListIsDroppedUnlessTheControlGoes)
{
    QWidget form;
    auto* box = new Box(&form);
    auto images = std::make_unique<TGfxImageList>();
    images->AddItem();
    TGfxAlphaObject& alpha = box->BitmapEffects().AlphaBlend();
    alpha.SetImageList(images.get());
    box->repaintRequests = 0;
    images.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(alpha.ImageList(), nullptr);
    EXPECT_EQ(box->repaintRequests, 1) << "the alpha object let go of the list: a change";

    // A control that goes first leaves nothing behind for the list to call.
    auto kept = std::make_unique<TGfxImageList>();
    auto* gone = new TGfxCustomControl(&form);
    gone->BitmapEffects().AlphaBlend().SetImageList(kept.get());
    gone->SetImageList(kept.get());
    delete gone;
    kept.reset();
    QCoreApplication::processEvents();
}

TEST(ParentBackground, AFormShapeThatPaintsTheFormsBackgroundCounts)
{
    QWidget form;
    auto* label = new Box(&form);
    EXPECT_FALSE(label->BackgroundRepaint()) << "no window yet";
    auto* shape = new TGfxFormShape(&form);
    shape->SetUseRgnBitmap(false);
    Show(form);
    EXPECT_FALSE(label->BackgroundRepaint()) << "a form shape without a fill of its own";
    shape->FillObject().SetStyle(sfBrush);
    EXPECT_TRUE(label->BackgroundRepaint());
    label->SetTransparent(false);
    EXPECT_FALSE(label->BackgroundRepaint()) << "opaque controls paint their own";
}

// ----------------------------------------------------------- themes

struct FakeThemes {
    static inline int parentBackgrounds = 0;
    static inline std::vector<int> borderStates;
    static bool IsThemeActive() { return true; }
    static long DrawThemeParentBackground(QObject*, QPainter*, const TRect*)
    {
        ++parentBackgrounds;
        return 0;
    }
    static HTHEME OpenThemeData(QObject*, const wchar_t*) { return &parentBackgrounds; }
    static long DrawThemeBackground(HTHEME, QPainter*, int, int state, const TRect*, const TRect*)
    {
        borderStates.push_back(state);
        return 0;
    }
    static long CloseThemeData(HTHEME) { return 0; }
};

class FakeModule : public GfxThemeModule {
public:
    void* Resolve(const char* name) override
    {
        const std::string n = name;
        if (n == "IsThemeActive")
            return reinterpret_cast<void*>(&FakeThemes::IsThemeActive);
        if (n == "DrawThemeParentBackground")
            return reinterpret_cast<void*>(&FakeThemes::DrawThemeParentBackground);
        if (n == "OpenThemeData")
            return reinterpret_cast<void*>(&FakeThemes::OpenThemeData);
        if (n == "DrawThemeBackground")
            return reinterpret_cast<void*>(&FakeThemes::DrawThemeBackground);
        if (n == "CloseThemeData")
            return reinterpret_cast<void*>(&FakeThemes::CloseThemeData);
        return nullptr;
    }
};

class ThemedEdit : public TGfxCustomControl {
public:
    using TGfxCustomControl::TGfxCustomControl;
    bool SupportsThemes() const override { return true; }
};

TEST(Themes, WithoutTheServiceTheClassicLookIsDrawn)
{
    TGfxLibraryScope library;
    ASSERT_FALSE(GfxThemesLoaded);
    GradientForm form;
    auto* edit = new ThemedEdit(&form);
    edit->SetTransparent(true);
    edit->SetFlat(true);
    Show(form);
    EXPECT_FALSE(edit->UseThemedDrawing());
    EXPECT_FALSE(edit->ThemedParentBackground());
    EXPECT_EQ(GfxColorFromQRgb(form.grab().toImage().pixel(0, 0)), GfxColorToRGB(clBtnFace)) << "the flat frame";
}

TEST(Themes, TheThemedBranchesWhenTheServiceIsThere)
{
    GfxThemeModuleLoader old =
        GfxSetThemeModuleLoader([](const QString&) { return std::make_unique<FakeModule>(); });
    {
        TGfxLibraryScope library;
        ASSERT_TRUE(GfxThemesLoaded);
        GradientForm form;
        auto* edit = new ThemedEdit(&form);
        edit->SetBounds(0, 0, 60, 30);
        edit->SetTransparent(true);
        edit->SetFlat(true);
        Show(form);
        FakeThemes::parentBackgrounds = 0;
        FakeThemes::borderStates.clear();
        (void)form.grab();
        EXPECT_EQ(FakeThemes::parentBackgrounds, 1) << "the service draws the parent's background";
        EXPECT_EQ(FakeThemes::borderStates, std::vector<int>{1}) << "the themed border, normal";

        // The border's state: the last that applies wins.
        const wchar_t* cls = nullptr;
        int part = 0, state = 0;
        MouseEnter(edit);
        edit->ThemedBorderPart(cls, part, state);
        EXPECT_EQ(std::wstring(cls), L"EDIT");
        EXPECT_EQ(part, 1);
        EXPECT_EQ(state, 2) << "hot";
        edit->SetEnabled(false);
        edit->ThemedBorderPart(cls, part, state);
        EXPECT_EQ(state, 4) << "disabled";

        edit->SetCtlXP(false);  // every themed path falls back to the classic drawing
        FakeThemes::parentBackgrounds = 0;
        FakeThemes::borderStates.clear();
        (void)form.grab();
        EXPECT_EQ(FakeThemes::parentBackgrounds, 0);
        EXPECT_TRUE(FakeThemes::borderStates.empty());
    }
    GfxSetThemeModuleLoader(old);
}

}  // namespace
