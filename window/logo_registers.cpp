#include "logo_registers.h"

#include "cadre_logo.h"
#include "conversion.h"
#include "logo_page_layout.h"
#include "required_child.h"
#include "zeph350_main.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace logopage;

namespace {

using Event = TZEPH350_d::Event;
using regctl::EntryForm;
using regctl::ScrollForm;

// A logo register row: its controls (the twin on the capture group), its
// caption and places, and the names of its three handlers.
struct Row {
    regctl::Definition def;
    const char* label;
    const char* caption;
    int top;
    const char* twinLabel;
    int twinTop;
    const char* scroll;
    const char* key;
    const char* change;
    Event event;
};

// The logo position and size edits show the raw register value (0 to 255)
// and Enter sends what was typed, 0 to 255, unchanged: the same number in
// both directions, the one the logo position window draws with. The luma key
// and the background colour are raw as well.
const Row kRows[] = {
    {{zeph::Reg::LHPOS, "ScrollBar_hpos_logo", "Edit_lhpos", "new_ScrollBar_hpos_logo", "new_Edit_lhpos", 0, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "Label_lhpos", "H. pos", Row0, "new_Label_lhpos", Row0, "ScrollBar_hpos_logoScroll", "Edit_hpos_logo_KeyPress",
     "ZEPH350_d1LHPOSchange", Event::OnLHPOSchange},
    {{zeph::Reg::LVPOS, "ScrollBar_vpos_logo", "Edit_lvpos", "new_ScrollBar_vpos_logo", "new_Edit_lvpos", 0, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "Label_lvpos", "V. pos", Row1, "new_Label_lvpos", Row1, "ScrollBar_vpos_logoScroll", "Edit_vpos_logo_KeyPress",
     "ZEPH350_d1LVPOSchange", Event::OnLVPOSchange},
    {{zeph::Reg::LHSIZ, "new_ScrollBar_hsiz_logo", "new_Edit_lhsiz", nullptr, nullptr, 5, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "new_Label_lhsiz", "H. size", Row2, nullptr, 0, "ScrollBar_hsiz_logoScroll", "Edit_hsize_logo_KeyPress",
     "ZEPH350_d1LHSIZchange", Event::OnLHSIZchange},
    {{zeph::Reg::LVSIZ, "new_ScrollBar_vsiz_logo", "new_Edit_lvsiz", nullptr, nullptr, 5, 255, 128, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "new_Label_lvisz", "V. size", Row3, nullptr, 0, "ScrollBar_vsiz_logoScroll", "Edit_vsize_logo_KeyPress",
     "ZEPH350_d1LVSIZchange", Event::OnLVSIZchange},
    {{zeph::Reg::LLEVEL, "new_ScrollBar_luma_key", "new_Edit_luma_key", nullptr, nullptr, 0, 255, 16, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "new_Label23", "Luma Key", KeyRow, nullptr, 0, "ScrollBar_luma_keyScroll", "Edit_luma_keyKeyPress",
     "ZEPH350_d1LLEVELchange", Event::OnLLEVELchange},
    {{zeph::Reg::LBLACKCOL, "ScrollBar_black_logo", "Edit_black_logo", nullptr, nullptr, 0, 7, 7, 0,
      ScrollForm::Standard, EntryForm::Byte},
     "Label_black_logo", "Back ground color", BackgroundRow, nullptr, 0, "ScrollBar_black_logoScroll",
     "Edit_black_logoKeyPress", "ZEPH350_d1LBLACKCOLchange", Event::OnLBLACKCOLchange},
};

// The picture registers' twins (built with the image page) and the captions
// this page gives them, in the capture group's rows.
struct Twin {
    const char* label;
    const char* caption;
    const char* bar;
    const char* edit;
    int top;
};
const Twin kPictureTwins[] = {
    {"new_Label_logo_hpos", "H. position", "new_ScrollBar_hpos_video", "new_Edit_hpos", Row0},
    {"new_Label_logo_hsiz", "H. size", "new_ScrollBar_hsiz_video", "new_Edit_hsize", Row1},
    {"new_Label_logo_vpos", "V. position", "new_ScrollBar_vpos_video", "new_Edit_vpos", Row2},
    {"new_Label_logo_vsiz", "V. size", "new_ScrollBar_vsiz_video", "new_Edit_vsize", Row3},
};


// A reported value on a bar the operator is not dragging; a value outside
// the bar's range puts the thumb at the nearest end.
void showOnBar(ScrollBarEx* b, uint32_t value)
{
    if (b->Tag != 0) return;
    const QSignalBlocker block(b);
    b->setValue(int(std::clamp<uint32_t>(value, uint32_t(b->minimum()), uint32_t(b->maximum()))));
}

// A value in seconds with at most two significant digits, with the
// platform's decimal separator.
QString seconds(double value)
{
    return QLocale().toString(value, 'g', 2);
}


}  // namespace

LogoRegistersController::LogoRegistersController(TZEPH350_main& w)
    : FamilyController(w.ZEPH350_d1, Family::Logos), w_(w)
{
    buildRegisters();
    buildFades();
    buildFloatingPanel();
    bindEvents();
}

LogoRegistersController::~LogoRegistersController() = default;

void LogoRegistersController::buildRegisters()
{
    QWidget* page = w_.logoFramePage;
    for (const Row& r : kRows) {
        const regctl::Definition& d = r.def;
        RegisterControl& c = rows_.add(dev_, d);
        const int reg = d.reg;
        const regctl::ScrollHandler onScroll = [this, reg](QObject* s, int code, int& pos) { Scroll(reg, s, code, pos); };
        const regctl::KeyHandler onKey = [this, reg](QObject* s, QChar& k) { KeyPress(reg, s, k); };
        label(page, r.label, QString::fromLatin1(r.caption), captionAt(r.top));
        regctl::addPair(c, page, barAt(r.top), editAt(r.top), this, onScroll, onKey);
        if (!d.twinBar) continue;
        label(page, r.twinLabel, QString::fromLatin1(r.caption), captionAt(r.twinTop));
        ScrollBarEx* bar = regctl::makeBar(page, d.twinBar, d, barAt(r.twinTop));
        QLineEdit* edit = regctl::makeEdit(page, d.twinEdit, editAt(r.twinTop));
        edit->setText(regctl::displayText(uint32_t(d.start), d.offset));
        c.add(bar, edit);
        regctl::wire(bar, edit, this, onScroll, onKey);
    }
    bevel(page, "Bevel2", QRect(BevelLeft, Row0 - 6, BevelWidth, 28));
    bevel(page, "Bevel10", QRect(BevelLeft, Row1 - 6, BevelWidth, 28));
    bevel(page, "new_Bevel11", QRect(BevelLeft, KeyRow - 6, BevelWidth, 30));

    // The picture registers' twins join the capture rows, with captions.
    for (const Twin& t : kPictureTwins) {
        label(page, t.label, QString::fromLatin1(t.caption), captionAt(t.top));
        requiredChild<QWidget>(page, t.bar)->setGeometry(barAt(t.top));
        requiredChild<QWidget>(page, t.edit)->setGeometry(editAt(t.top));
    }
}

void LogoRegistersController::buildFades()
{
    QWidget* page = w_.logoFramePage;
    // Frame fade: 0.5 to 5 s in tenths; logo fade: 15 to 255.
    const regctl::Definition frame{zeph::Reg::LFRAMEDUR, "ScrollBar_Frame_Fade_duration", "Edit_Frame_Fade_duration",
                                   "ScrollBar_frame2_fade_duration", "Edit_Frame2_Fade_duration", 5, 50, 10, 0};
    const regctl::Definition logo{zeph::Reg::LLOGODUR, "ScrollBar_Logo_Fade_duration", "Edit_Logo_Fade_duration",
                                  nullptr, nullptr, 15, 255, 50, 0};
    label(page, "Label_Frame_Fade_duration", QStringLiteral("Frame fade"), captionAt(FadeRow0));
    ScrollBar_Frame_Fade_duration = regctl::makeBar(page, frame.bar, frame, barAt(FadeRow0));
    Edit_Frame_Fade_duration = regctl::makeEdit(page, frame.edit, editAt(FadeRow0));
    label(page, "Label_s_frame", QStringLiteral("s"), QRect(UnitLeft, FadeRow0 + 1, 10, BarHeight));
    label(page, "Label_Logo_Fade_duration", QStringLiteral("Logo fade"), captionAt(FadeRow1));
    ScrollBar_Logo_Fade_duration = regctl::makeBar(page, logo.bar, logo, barAt(FadeRow1));
    Edit_Logo_Fade_duration = regctl::makeEdit(page, logo.edit, editAt(FadeRow1));
    label(page, "Label_s_logo", QStringLiteral("s"), QRect(UnitLeft, FadeRow1 + 1, 10, BarHeight));
    bevel(page, "Bevel_fade_duration", QRect(BevelLeft, FadeRow0 - 6, BevelWidth, 62));
    Edit_Frame_Fade_duration->setText(Conv_fade_frame_en_seconde(uint32_t(frame.start)));
    Edit_Logo_Fade_duration->setText(Conv_fade_logo_en_seconde(uint32_t(logo.start)));

    regctl::wire(
        ScrollBar_Frame_Fade_duration, Edit_Frame_Fade_duration, this,
        [this](QObject* s, int code, int& pos) { ScrollBar_Frame_Fade_durationScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit_Frame_Fade_durationKeyPress(s, k); });
    regctl::wire(
        ScrollBar_Logo_Fade_duration, Edit_Logo_Fade_duration, this,
        [this](QObject* s, int code, int& pos) { ScrollBar_Logo_Fade_durationScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit_Logo_Fade_durationKeyPress(s, k); });
    Edit_Frame_Fade_duration->installEventFilter(this);
    Edit_Logo_Fade_duration->installEventFilter(this);
}

void LogoRegistersController::buildFloatingPanel()
{
    const regctl::Definition frame{zeph::Reg::LFRAMEDUR, "ScrollBar_frame2_fade_duration", "Edit_Frame2_Fade_duration",
                                   nullptr, nullptr, 5, 50, 10, 0};
    Panel_fade_frame_duration = new QFrame(w_.centralWidget());
    Panel_fade_frame_duration->setObjectName(QStringLiteral("Panel_fade_frame_duration"));
    Panel_fade_frame_duration->setFrameShape(QFrame::Panel);
    Panel_fade_frame_duration->setFrameShadow(QFrame::Raised);
    Panel_fade_frame_duration->setAutoFillBackground(true);
    Panel_fade_frame_duration->setGeometry(244, 190, 300, 96);
    label(Panel_fade_frame_duration, "Label_frame2_fade", QStringLiteral("Frame fade"), QRect(8, 6, 200, BarHeight));
    label(Panel_fade_frame_duration, "Label_frame2_fade_duration", QStringLiteral(" Frame fade duration (s)"),
          QRect(8, 28, 200, BarHeight));
    ScrollBar_frame2_fade_duration = regctl::makeBar(Panel_fade_frame_duration, frame.bar, frame, QRect(8, 52, 200, BarHeight));
    Edit_Frame2_Fade_duration = regctl::makeEdit(Panel_fade_frame_duration, frame.edit, QRect(216, 50, EditWidth, EditHeight));
    Edit_Frame2_Fade_duration->setText(Conv_fade_frame_en_seconde(uint32_t(frame.start)));
    auto* close = new QToolButton(Panel_fade_frame_duration);
    close->setObjectName(QStringLiteral("BitBtn_close_frame_fade_duration"));
    close->setText(QStringLiteral("Close"));
    close->setGeometry(216, 6, 70, 24);
    connect(close, &QToolButton::clicked, this, [this, close] { BitBtn_close_frame_fade_durationClick(close); });
    regctl::wire(
        ScrollBar_frame2_fade_duration, Edit_Frame2_Fade_duration, this,
        [this](QObject* s, int code, int& pos) { ScrollBar_Frame_Fade_durationScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit_Frame_Fade_durationKeyPress(s, k); });
    Panel_fade_frame_duration->hide();
    Panel_fade_frame_duration->raise();
}

QStringList LogoRegistersController::twinNames()
{
    QStringList names;
    for (const Twin& t : kPictureTwins) names << QString::fromLatin1(t.bar) << QString::fromLatin1(t.edit);
    return names;
}

void LogoRegistersController::bindEvents()
{
    for (const Row& r : kRows) {
        const int reg = r.def.reg;
        on(r.event, r.change, [this, reg](TZEPH350_d*, int) { Change(reg); });
    }
    ZEPH_ON(OnLFRAMEDURchange, LogoRegistersController, ZEPH350_d1LFRAMEDURchange);
    ZEPH_ON(OnLLOGODURchange, LogoRegistersController, ZEPH350_d1LLOGODURchange);
}

bool LogoRegistersController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == Edit_Frame_Fade_duration || watched == Edit_Logo_Fade_duration)) {
        // After the edit has placed its cursor for the click.
        QTimer::singleShot(0, this, [this, watched] { Edit_Logo_Fade_durationClick(watched); });
    }
    return FamilyController::eventFilter(watched, event);
}

// --- position, size, key and background -----------------------------------------------

void LogoRegistersController::Scroll(int reg, QObject* Sender, int ScrollCode, int& ScrollPos)
{
    control(reg)->Scroll(Sender, ScrollCode, ScrollPos);
}

void LogoRegistersController::KeyPress(int reg, QObject* Sender, QChar& Key)
{
    control(reg)->KeyPress(Sender, Key);
}

void LogoRegistersController::Change(int reg)
{
    control(reg)->Change();
    // The logo position window sends its next mouse value on the report of
    // the previous one.
    TCadre_logo* cadre = w_.state.win.Cadre_logo;
    if (!cadre || !cadre->isVisible()) return;
    switch (reg) {
    case zeph::Reg::LHPOS: cadre->ZEPH350_d1LHPOSchange(); break;
    case zeph::Reg::LVPOS: cadre->ZEPH350_d1LVPOSchange(); break;
    case zeph::Reg::LHSIZ:
        if (dev_.LMODE() == 1) cadre->ZEPH350_d1LHSIZchange();
        break;
    case zeph::Reg::LVSIZ:
        if (dev_.LMODE() == 1) cadre->ZEPH350_d1LVSIZchange();
        break;
    default: break;
    }
}

// --- fades ----------------------------------------------------------------------------

QString LogoRegistersController::Conv_fade_frame_en_seconde(uint32_t value)
{
    return seconds(value / 10.0);
}

QString LogoRegistersController::Conv_fade_logo_en_seconde(uint32_t value)
{
    return seconds(value * 0.02);
}

void LogoRegistersController::ScrollBar_Frame_Fade_durationScroll(QObject* Sender, int ScrollCode, int& ScrollPos)
{
    dev_.SetLFRAMEDUR(uint32_t(ScrollPos));
    auto* bar = qobject_cast<ScrollBarEx*>(Sender);
    if (ScrollCode == ScrollBarEx::EndScroll) {
        if (bar) bar->Tag = 0;
        Panel_fade_frame_duration->hide();
    } else if (bar) {
        bar->Tag = 1;
    }
}

void LogoRegistersController::ScrollBar_Logo_Fade_durationScroll(QObject*, int ScrollCode, int& ScrollPos)
{
    dev_.SetLLOGODUR(uint32_t(ScrollPos));
    ScrollBar_Logo_Fade_duration->Tag = ScrollCode == ScrollBarEx::EndScroll ? 0 : 1;
}

void LogoRegistersController::Edit_Frame_Fade_durationKeyPress(QObject* Sender, QChar& Key)
{
    if (Key != QChar(13)) return;
    auto* edit = qobject_cast<QLineEdit*>(Sender);
    if (!edit) return;
    // Seconds as the Effects page's fade edit takes them; an entry it
    // refuses sends the stored value again, and the device's answer puts
    // the edit right.
    const std::optional<uint32_t> tenths = SecondsInTenths(edit->text());
    dev_.SetLFRAMEDUR(tenths ? *tenths : dev_.LFRAMEDUR());
}

void LogoRegistersController::Edit_Logo_Fade_durationKeyPress(QObject*, QChar& Key)
{
    if (Key != QChar(13)) return;
    const std::optional<int32_t> v = StrToIntOrReport(Edit_Logo_Fade_duration->text());
    if (!v) return;
    if (*v >= 1 && *v <= 5)
        dev_.SetLLOGODUR(uint32_t(*v * 60 - 45));
    else
        dev_.SetLLOGODUR(dev_.LLOGODUR());  // the device's answer puts the edit right
}

void LogoRegistersController::Edit_Logo_Fade_durationClick(QObject* Sender)
{
    if (auto* edit = qobject_cast<QLineEdit*>(Sender)) edit->selectAll();
}

void LogoRegistersController::BitBtn_close_frame_fade_durationClick(QObject*)
{
    Panel_fade_frame_duration->hide();
}

void LogoRegistersController::ZEPH350_d1LFRAMEDURchange(TZEPH350_d*, int)
{
    const uint32_t value = dev_.LFRAMEDUR();
    const QString text = Conv_fade_frame_en_seconde(value);
    for (QLineEdit* e : {Edit_Frame_Fade_duration, Edit_Frame2_Fade_duration}) {
        const QSignalBlocker block(e);
        e->setText(text);
    }
    for (ScrollBarEx* b : {ScrollBar_Frame_Fade_duration, ScrollBar_frame2_fade_duration}) showOnBar(b, value);
}

void LogoRegistersController::ZEPH350_d1LLOGODURchange(TZEPH350_d*, int)
{
    const uint32_t value = dev_.LLOGODUR();
    {
        const QSignalBlocker block(Edit_Logo_Fade_duration);
        Edit_Logo_Fade_duration->setText(Conv_fade_logo_en_seconde(value));
    }
    showOnBar(ScrollBar_Logo_Fade_duration, value);
}
