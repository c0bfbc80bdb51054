#include "voice_over_controller.h"

#include "radio_group.h"
#include "zeph350_main.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

using Event = TZEPH350_d::Event;
using zeph::Reg::ATONE, zeph::Reg::AMIC, zeph::Reg::ADEPTH, zeph::Reg::ADLEV;

enum class Page { Audio, VoiceOver };

// One register row: the control (raw values, every scroll event writes,
// Enter sends the number as typed), its caption and place, whether it is
// shown, and the names of its three handlers.
struct Row {
    regctl::Definition def;
    Page page;
    const char* label;
    const char* caption;
    int top;
    int barLeft;
    int barWidth;
    bool shown;
    const char* scroll;
    const char* key;
    const char* change;
    Event event;
};

constexpr auto Standard = regctl::ScrollForm::Standard;
constexpr auto AsTyped = regctl::EntryForm::Unchecked;
const Row kRows[] = {
    {{ATONE, "ScrollBar_tone", "Edit_tone", nullptr, nullptr, 0, 6, 0, 0, Standard, AsTyped}, Page::Audio, "Label1",
     "Mic. Tone :", 276, 110, 160, true, "ScrollBar_toneScroll", "Edit_toneKeyPress", "ZEPH350_d1ATONEchange",
     Event::OnATONEchange},
    // The microphone level exists but is never shown.
    {{AMIC, "ScrollBar_AMIC", "Edit_AMIC", nullptr, nullptr, 0, 64, 0, 0, Standard, AsTyped}, Page::Audio, "Label_AMIC",
     "Mic. level :", 312, 110, 160, false, "ScrollBar_AMICScroll", "Edit_AMICKeyPress", "ZEPH350_d1AMICchange",
     Event::OnAMICchange},
    {{ADEPTH, "ScrollBar_ADEPTH", "Edit_ADEPTH", nullptr, nullptr, 0, 7, 0, 0, Standard, AsTyped}, Page::VoiceOver,
     "Label_ADEPTH", "Line attenuation Level :", 24, 220, 250, true, "ScrollBar_ADEPTHScroll", "Edit_ADEPTHKeyPress",
     "ZEPH350_d1ADEPTHchange", Event::OnADEPTHchange},
    {{ADLEV, "ScrollBar_ADLEV", "Edit_ADLEV", nullptr, nullptr, 0, 255, 0, 0, Standard, AsTyped}, Page::VoiceOver,
     "Label_ADLEV", "Attenuation Trigger Threshold :", 56, 220, 250, true, "ScrollBar_ADLEVScroll",
     "Edit_ADLEVKeyPress", "ZEPH350_d1ADLEVchange", Event::OnADLEVchange},
};

QLabel* caption(QWidget* page, const char* name, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, page);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

}  // namespace

VoiceOverController::VoiceOverController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::VoiceOver), w_(w)
{
    // The microphone's heading on the "Audio" page, below the audio inputs.
    QLabel* heading = caption(w_.audioPage, "Label18", QStringLiteral("Microphone"), QRect(16, 244, 200, 17));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* bevel = new QFrame(w_.audioPage);
    bevel->setObjectName(QStringLiteral("Bevel9"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 262, 640, 2);

    buildRegisters();
    buildGroups();
    bindEvents();
}

VoiceOverController::~VoiceOverController() = default;

void VoiceOverController::buildRegisters()
{
    for (const Row& r : kRows) {
        QWidget* page = r.page == Page::Audio ? w_.audioPage : w_.voiceOverPage;
        QLabel* label = caption(page, r.label, QString::fromLatin1(r.caption), QRect(16, r.top + 1, r.barLeft - 20, 17));
        const auto [bar, edit] =
            regctl::addPair(controls_.add(dev_, r.def), page, QRect(r.barLeft, r.top, r.barWidth, 17),
                            QRect(r.barLeft + r.barWidth + 6, r.top - 2, 40, 21), this);
        if (!r.shown) {
            label->hide();
            bar->hide();
            edit->hide();
        }
    }
}

void VoiceOverController::buildGroups()
{
    const struct {
        RadioGroup** group;
        QWidget* page;
        const char* name;
        const char* caption;
        const char* items[2];
        QRect geometry;
        void (VoiceOverController::*click)(int);
    } groups[] = {
        {&RadioGroup_mic_compression, w_.audioPage, "RadioGroup_mic_compression", "Mic. compression", {"2/1", "1/1"},
         QRect(340, 266, 150, 40), &VoiceOverController::RadioGroup_mic_compressionClick},
        {&RadioGroup_mic_noise_gate, w_.audioPage, "RadioGroup_mic_noise_gate", "Mic noise gate", {"Low", "High"},
         QRect(500, 266, 150, 40), &VoiceOverController::RadioGroup_mic_noise_gateClick},
        {&RadioGroup_release, w_.voiceOverPage, "RadioGroup_release", "Release Time:", {"Slow", "Fast"},
         QRect(16, 90, 200, 44), &VoiceOverController::RadioGroup_releaseClick},
    };
    for (const auto& g : groups) {
        auto* group = new RadioGroup(QString::fromLatin1(g.caption),
                                     {QString::fromLatin1(g.items[0]), QString::fromLatin1(g.items[1])}, 2, g.page);
        group->setObjectName(QString::fromLatin1(g.name));
        group->setGeometry(g.geometry);
        *g.group = group;
        const auto click = g.click;
        connect(group, &RadioGroup::itemClicked, this, [this, click](int i) { (this->*click)(i); });
    }
}

void VoiceOverController::bindEvents()
{
    for (const Row& r : kRows) {
        RegisterControl* c = controls_.find(r.def.reg);
        on(r.event, r.change, [c](TZEPH350_d*, int) { c->Change(); });
    }
    ZEPH_ON(OnACMPchange, VoiceOverController, ZEPH350_d1ACMPchange);
    ZEPH_ON(OnAGATchange, VoiceOverController, ZEPH350_d1AGATchange);
    ZEPH_ON(OnARELEASEchange, VoiceOverController, ZEPH350_d1ARELEASEchange);
}

void VoiceOverController::RadioGroup_mic_compressionClick(int ItemIndex)
{
    // Any item but the first is "1/1".
    dev_.SetACMP(ItemIndex != 0);
}

void VoiceOverController::RadioGroup_mic_noise_gateClick(int ItemIndex)
{
    dev_.SetAGAT(ItemIndex != 0);
}

void VoiceOverController::RadioGroup_releaseClick(int ItemIndex)
{
    switch (ItemIndex) {
    case 0: dev_.SetARELEASE(false); break;
    case 1: dev_.SetARELEASE(true); break;
    default: break;
    }
}

void VoiceOverController::ZEPH350_d1ACMPchange(TZEPH350_d*, int)
{
    RadioGroup_mic_compression->SetItemIndex(dev_.ACMP() ? 1 : 0);
}

void VoiceOverController::ZEPH350_d1AGATchange(TZEPH350_d*, int)
{
    RadioGroup_mic_noise_gate->SetItemIndex(dev_.AGAT() ? 1 : 0);
}

void VoiceOverController::ZEPH350_d1ARELEASEchange(TZEPH350_d*, int)
{
    RadioGroup_release->SetItemIndex(dev_.ARELEASE() ? 1 : 0);
}
