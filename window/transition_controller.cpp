#include "transition_controller.h"

#include "gfx_drawedge.h"
#include "gfx_graphiclabel.h"
#include "logos_controller.h"
#include "platform/gfx_platform.h"
#include "prompter.h"
#include "zeph350_main.h"

#include <QActionGroup>
#include <QCursor>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

namespace {

// The transition label in its edge, with the narrow button at its right, in
// the row between the top panel and the pages (every model shows them).
constexpr int EdgeLeft = 8, EdgeTop = 45, EdgeWidth = 149, EdgeHeight = 21;

// The palette-relative colour of three 8-bit levels.
TColor paletteRgb(uint32_t r, uint32_t g, uint32_t b)
{
    return 0x02000000u | GfxRGB(r & 0xFF, g & 0xFF, b & 0xFF);
}


}  // namespace

TransitionController::TransitionController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Effects), w_(w)
{
    buildTransition();
    connectMenus();
    ZEPH_ON(OnLFADEchange, TransitionController, ZEPH350_d1LFADEchange);
    ZEPH_ON(OnBFCRchange, TransitionController, ZEPH350_d1BFCRchange);
    ZEPH_ON(OnBFCGchange, TransitionController, ZEPH350_d1BFCGchange);
    ZEPH_ON(OnBFCBchange, TransitionController, ZEPH350_d1BFCBchange);
}

TransitionController::~TransitionController() = default;

void TransitionController::buildTransition()
{
    QWidget* area = w_.centralWidget();
    GfxDrawEdge1 = new TGfxDrawEdge(area);
    GfxDrawEdge1->setObjectName(QStringLiteral("GfxDrawEdge1"));
    GfxDrawEdge1->setGeometry(EdgeLeft, EdgeTop, EdgeWidth, EdgeHeight);
    GfxDrawEdge1->SetEdgeStyle(etRaised);
    GfxDrawEdge1->SetSoft(true);

    GfxGraphicLabel1 = new TGfxGraphicLabel(area);
    GfxGraphicLabel1->setObjectName(QStringLiteral("GfxGraphicLabel1"));
    GfxGraphicLabel1->setGeometry(EdgeLeft + 2, EdgeTop + 2, EdgeWidth - 4, EdgeHeight - 4);
    GfxGraphicLabel1->SetCaption(QStringLiteral("Fade color"));
    // The caption in bold, its letters filled with the transition colour.
    GfxGraphicLabel1->Font().SetName(QStringLiteral("MS Sans Serif"));
    GfxGraphicLabel1->Font().SetHeight(-12);
    GfxGraphicLabel1->Font().SetStyle(fsBold);
    GfxGraphicLabel1->SetTransform(TGfxTransLabelTypes::tmNone);
    GfxGraphicLabel1->FillObject().SetStyle(sfGradient);
    GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose between several colors"));
    GfxGraphicLabel1->setCursor(Qt::PointingHandCursor);
    GfxGraphicLabel1->OnClick = [this](TObject*) { FadeColor_et_FrameClick(GfxGraphicLabel1); };
    GfxGraphicLabel1->OnMouseDown = [this](TObject*, auto, unsigned, int, int) { GfxGraphicLabel1MouseDown(GfxGraphicLabel1); };
    GfxGraphicLabel1->OnMouseUp = [this](TObject*, auto, unsigned, int, int) { GfxGraphicLabel1MouseUp(GfxGraphicLabel1); };

    // Beside the edge, aligned with its top.
    BitBtn_effect_color_frame_cleancut = new QPushButton(area);
    BitBtn_effect_color_frame_cleancut->setObjectName(QStringLiteral("BitBtn_effect_color_frame_cleancut"));
    BitBtn_effect_color_frame_cleancut->setIcon(area->style()->standardIcon(QStyle::SP_ArrowDown));
    BitBtn_effect_color_frame_cleancut->setGeometry(EdgeLeft + EdgeWidth + 3, EdgeTop, 16, EdgeHeight);
    connect(BitBtn_effect_color_frame_cleancut, &QPushButton::clicked, this,
            [this] { BitBtn_effect_color_frame_cleancutClick(BitBtn_effect_color_frame_cleancut); });

    // The two popups. Their items are radio items: the device's report
    // moves the marks.
    const char* const cleanCutCaptions[3] = {"switch from &Computer", "switch from &Video", "switch from &any"};
    const char* const popupNames[3] = {"switchfromComputer1", "switchfromVideo1", "switchfromany1"};
    const char* const cleanCutPopupNames[3] = {"switchfromComputer2", "switchfromVideo2", "switchfromany2"};
    auto radioGroup = [this](std::initializer_list<QAction*> items) {
        auto* g = new QActionGroup(this);
        g->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        for (QAction* a : items) {
            a->setCheckable(true);
            g->addAction(a);
        }
    };
    auto named = [](QAction* a, const char* name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    PopupMenu_Color_Frame_Cleancut = new QMenu(&w_);
    PopupMenu_Color_Frame_Cleancut->setObjectName(QStringLiteral("PopupMenu_Color_Frame_Cleancut"));
    Color1 = named(PopupMenu_Color_Frame_Cleancut->addAction(QStringLiteral("Color")), "Color1");
    Frame1 = named(PopupMenu_Color_Frame_Cleancut->addAction(QStringLiteral("Frame")), "Frame1");
    QMenu* cleanCut = PopupMenu_Color_Frame_Cleancut->addMenu(QStringLiteral("Clean Cut"));
    cleanCut->setObjectName(QStringLiteral("CleanCut1"));
    CleanCut1 = named(cleanCut->menuAction(), "CleanCut1");
    Color1->setData(0);
    Frame1->setData(1);
    CleanCut1->setData(2);
    radioGroup({Color1, Frame1, CleanCut1});
    for (int i = 0; i < 3; ++i)
        popupCleanCut[size_t(i)] = named(cleanCut->addAction(QString::fromLatin1(cleanCutCaptions[i])), popupNames[i]);
    radioGroup({popupCleanCut[0], popupCleanCut[1], popupCleanCut[2]});

    PopupMenu_clean_cut = new QMenu(&w_);
    PopupMenu_clean_cut->setObjectName(QStringLiteral("PopupMenu_clean_cut"));
    for (int i = 0; i < 3; ++i)
        cleanCutPopup[size_t(i)] =
            named(PopupMenu_clean_cut->addAction(QString::fromLatin1(cleanCutCaptions[i])), cleanCutPopupNames[i]);
    radioGroup({cleanCutPopup[0], cleanCutPopup[1], cleanCutPopup[2]});

    menuCleanCut = {w_.menu.From_Computer, w_.menu.From_Video, w_.menu.From_ALL};
}

void TransitionController::connectMenus()
{
    // Items whose marks follow the device: the trigger takes its own mark
    // back before the handler writes.
    auto follow = [this](QAction* item, void (TransitionController::*handler)(QObject*)) {
        checks_.onTrigger(item, this, [this, item, handler] { (this->*handler)(item); });
    };
    follow(w_.menu.FadeColor_et_Frame, &TransitionController::FadeColor_et_FrameClick);
    for (QAction* a : {Color1, Frame1, CleanCut1}) {
        checks_.onTrigger(a, this, [this, a] { color_fade_CleanCut_Click(a, a->data().toInt()); });
    }
    for (const auto& items : {menuCleanCut, popupCleanCut, cleanCutPopup}) {
        follow(items[0], &TransitionController::From_ComputerClick);
        follow(items[1], &TransitionController::From_VideoClick);
        follow(items[2], &TransitionController::From_ALLClick);
    }
}

void TransitionController::GfxGraphicLabel1MouseDown(QObject*)
{
    GfxDrawEdge1->SetEdgeStyle(etSunken);
}

void TransitionController::GfxGraphicLabel1MouseUp(QObject*)
{
    GfxDrawEdge1->SetEdgeStyle(etRaised);
}

void TransitionController::FadeColor_et_FrameClick(QObject* Sender)
{
    const bool fromLabel = Sender == GfxGraphicLabel1;
    const uint32_t kind = dev_.LFADE();
    if (kind == 1) {
        QWidget* panel = w_.logos().registers().Panel_fade_frame_duration;
        panel->setVisible(!panel->isVisible());
        if (panel->isVisible()) panel->raise();
        return;
    }
    if (kind >= 2 && kind <= 4) {
        popupAtMouse(PopupMenu_clean_cut);
        return;
    }
    if (kind > 4 && !fromLabel) {
        dev_.SetLFADE(0);
        return;
    }
    // The fade colour. The levels are read before the dialog: a cancelled
    // dialog sends them again as they were, never black.
    const uint32_t r = dev_.BFCR() & 0xFF, g = dev_.BFCG() & 0xFF, b = dev_.BFCB() & 0xFF;
    const QColor initial{int(r), int(g), int(b)};
    const QColor chosen = prompter().color(&w_, initial).value_or(initial);
    dev_.SetBFCB(uint32_t(chosen.blue()));
    dev_.SetBFCG(uint32_t(chosen.green()));
    dev_.SetBFCR(uint32_t(chosen.red()));
}

void TransitionController::popupAtMouse(QMenu* menu)
{
    menu->popup(QCursor::pos());
}

void TransitionController::color_fade_CleanCut_Click(QObject*, int Tag)
{
    switch (Tag) {
    case 0: dev_.SetLFADE(0); break;
    case 1: dev_.SetLFADE(1); break;
    case 2: dev_.SetLFADE(cleanCutStyle_); break;
    default: break;
    }
}

void TransitionController::writeCleanCut(uint32_t kind)
{
    cleanCutStyle_ = kind;
    dev_.SetLFADE(kind);
}

void TransitionController::From_ComputerClick(QObject*)
{
    writeCleanCut(2);
}

void TransitionController::From_VideoClick(QObject*)
{
    writeCleanCut(3);
}

void TransitionController::From_ALLClick(QObject*)
{
    writeCleanCut(4);
}

void TransitionController::BitBtn_effect_color_frame_cleancutClick(QObject*)
{
    popupAtMouse(PopupMenu_Color_Frame_Cleancut);
}

void TransitionController::setFadeItemsUnchecked()
{
    for (QAction* a : menuCleanCut) checks_.set(a, false);
    for (QAction* a : popupCleanCut) checks_.set(a, false);
}

void TransitionController::ZEPH350_d1LFADEchange(TZEPH350_d*, int)
{
    QAction* fadeColour = w_.menu.FadeColor_et_Frame;
    const uint32_t kind = dev_.LFADE();
    switch (kind) {
    case 0:
    case 1: {
        checks_.set(kind == 0 ? Color1 : Frame1, true);
        checks_.set(fadeColour, true);
        setFadeItemsUnchecked();
        const QString caption = kind == 0 ? QStringLiteral("Fade color") : QStringLiteral("Fade frame");
        GfxGraphicLabel1->SetCaption(caption);
        fadeColour->setText(caption);
        if (kind == 0) {
            GfxGraphicLabel1->setEnabled(true);
            GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose between several colors"));
            colorbackground();
        } else {
            GfxGraphicLabel1->FillObject().Gradient().SetColor(clBtnText);
            GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose fade frame time between 1s and 10s"));
        }
        break;
    }
    case 2:
    case 3:
    case 4: {
        checks_.set(CleanCut1, true);
        checks_.set(w_.menu.Cleancutinfo, true);
        const size_t k = kind - 2;
        for (const auto& items : {menuCleanCut, popupCleanCut, cleanCutPopup})
            checks_.set(items[k], true);
        GfxGraphicLabel1->FillObject().Gradient().SetColor(clBtnText);
        GfxGraphicLabel1->SetCaption(QStringLiteral("Clean Cut"));
        GfxGraphicLabel1->setToolTip(QStringLiteral("Click to choose style of Clean Cut"));
        break;
    }
    default: break;
    }
}

void TransitionController::colorbackground()
{
    GfxGraphicLabel1->FillObject().Gradient().SetColor(paletteRgb(dev_.BFCR(), dev_.BFCG(), dev_.BFCB()));
}

void TransitionController::ZEPH350_d1BFCRchange(TZEPH350_d*, int)
{
    colorbackground();
}

void TransitionController::ZEPH350_d1BFCGchange(TZEPH350_d*, int)
{
    colorbackground();
}

void TransitionController::ZEPH350_d1BFCBchange(TZEPH350_d*, int)
{
    colorbackground();
}
