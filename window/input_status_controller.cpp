// The description of the input on the output: its family, sync type,
// polarities, line and frame rates and signal type in the status boxes,
// and which of the "Image" page's controls apply to it.
#include "input_status.h"

#include "image_controller.h"
#include "input_status_controller.h"
#include "inputs_controller.h"
#include "output_controller.h"
#include "required_child.h"
#include "zeph350_main.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace inputstatus {

namespace {

// By IFAMM.
const std::array<const char*, 28> FamilyNames = {
    "no signal",          "incompatible signal", "NTSC std (3,58/60)",  "NTSC (4.43/60Hz)",
    "PAL std (4,43/50)",  "PAL (4.43/60Hz)",     "SECAM (50Hz)",        "Black && white 50Hz",
    "Black && white 60Hz", "YUV 50Hz",           "YUV 60Hz",            "RGB 50Hz",
    "RGB 60Hz",           "VGA1 350l",           "VGA2 400l",           "VGA3 480l",
    "PLASMA 42'",         "SVGA",                "MAC",                 "XGA",
    "PLASMA 50'",         "MAC 21'",             "SXGA",                "UXGA",
    "1080i 50Hz",         "1080i 60Hz",          "480p 60Hz",           "720p 60Hz",
};

// By REFFAM.
const std::array<const char*, 28> ShortFamilyNames = {
    "no signal", "incompatible signal", "NTSC", "NTSC", "PAL",   "PAL",  "SECAM",          "Black && white",
    "Black && white", "YUV",            "YUV",  "RGB",  "RGB",   "VGA",  "VGA",            "VGA",
    "PLASMA",    "SVGA",                "MAC",  "XGA",  "PLASMA", "MAC", "SXGA",           "UXGA",
    "1080i",     "1080i",               "480p", "720p",
};

// By REFFAM: what the output follows after a computer reference.
const std::array<const char*, 28> ReferenceOutputNames = {
    "-> no signal", "-> incompatible signal", "-> Error",     "-> Error",     "-> Error",    "-> Error",
    "-> Error",     "-> Error",               "-> Error",     "-> Error",     "-> Error",    "-> Error",
    "-> Error",     "-> VGA",                 "-> VGA",       "-> VGA",       "-> PLASMA 42'", "-> SVGA",
    "-> MAC",       "-> XGA",                 "-> PLASMA 50'", "-> MAC 21'",  "-> SXGA",     "-> UXGA",
    "-> 1080 i",    "-> 1080 i",              "-> 480 p",     "-> 720 p",
};

QString entry(const std::array<const char*, 28>& table, uint32_t code)
{
    return code < table.size() ? QString::fromLatin1(table[code]) : QString();
}

}  // namespace

QString familyName(uint32_t ifamm)
{
    return entry(FamilyNames, ifamm);
}

QString shortFamilyName(uint32_t reffam)
{
    return entry(ShortFamilyNames, reffam);
}

QString referenceOutputName(uint32_t reffam)
{
    return entry(ReferenceOutputNames, reffam);
}

QString labelText(const QString& designed)
{
    QString shown = designed;
    return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

std::optional<QString> lineRateText(uint32_t unity, uint32_t ildm)
{
    if (ildm == 0) return std::nullopt;
    return QString::number(unity / ildm) + QStringLiteral("KHz");
}

std::optional<QString> frameRateText(uint32_t unity, uint32_t ildm, uint32_t ifdm, bool interlaced)
{
    if (ildm == 0 || ifdm == 0) return std::nullopt;
    const double lines = interlaced ? double(ifdm) + 0.525 : double(ifdm);
    const double f = double(unity) / double(ildm) * 1000.0 / lines;
    const int digits = interlaced ? 4 : f >= 100.0 ? 3 : 2;
    QString text = QString::number(f, 'g', digits);
    // A rate that rounds up past its digits (99.96 to two) reads as a
    // whole number, not in powers of ten.
    if (text.contains(QLatin1Char('e'))) text = QString::number(f, 'f', 0);
    return text + QStringLiteral("Hz");
}

bool integerRateIs50(uint32_t unity, uint32_t ildm, uint32_t ifdm)
{
    if (ildm == 0 || ifdm == 0) return false;
    return uint64_t(unity / ildm) * 1000u / ifdm == 50;
}

}  // namespace inputstatus

using namespace inputstatus;

namespace {

// The "Image" page's controls that apply to some signals only, by part.
enum ImagePart : unsigned {
    Picture = 1,         // brightness, contrast, colour
    Hue = 2,
    Levels = 4,          // black level and the three colour levels
    OptimiseLabel = 8,
    Optimise = 16,       // the optimise bar and edit
    Divider = 32,        // the clock divider's caption, bar and edit
    Phase = 64,
    AllParts = 127,
    VideoGroup = Picture | Hue,
    ComputerGroup = Levels | OptimiseLabel | Optimise | Divider | Phase,
};

struct ImageControl {
    ImagePart part;
    const char* name;
};

const ImageControl kImageControls[] = {
    {Picture, "Label_brightness"},  {Picture, "ScrollBar_brightness"},  {Picture, "Edit_brightness"},
    {Picture, "Label_contrast"},    {Picture, "ScrollBar_contrast"},    {Picture, "Edit_contrast"},
    {Picture, "Label_color"},       {Picture, "ScrollBar_color"},       {Picture, "Edit_color"},
    {Hue, "Label_hue"},             {Hue, "ScrollBar_hue"},             {Hue, "Edit_hue"},
    {Levels, "Label_blacklevel"},   {Levels, "ScrollBar_blacklevel"},   {Levels, "Edit_blacklevel"},
    {Levels, "Label_redlevel"},     {Levels, "ScrollBar_redlevel"},     {Levels, "Edit_redlevel"},
    {Levels, "Label_greenlevel"},   {Levels, "ScrollBar_greenlevel"},   {Levels, "Edit_greenlevel"},
    {Levels, "Label_bluelevel"},    {Levels, "ScrollBar_bluelevel"},    {Levels, "Edit_bluelevel"},
    {OptimiseLabel, "Label_Optimize"},
    {Optimise, "ScrollBar_Optimize"}, {Optimise, "Edit_Optimize"},
    {Divider, "Label_ddivider"},    {Divider, "ScrollBar_ddivider"},    {Divider, "Edit_ddivider"},
    {Phase, "Label_dphase"},        {Phase, "ScrollBar_dphase"},        {Phase, "Edit_dphase"},
};

// The sync type by ISYNCM.
QString syncTypeText(uint32_t isyncm)
{
    switch (isyncm) {
    case 0: return QStringLiteral("H && V");
    case 1: return QStringLiteral("TTL Composite");
    case 2: return QStringLiteral("SOG");
    case 3: return QStringLiteral("Analog Composite");
    default: return QStringLiteral("! error sync..");
    }
}

QLabel* statusLabel(QWidget* parent, const char* name, const QString& text, int left, int width)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(left, 484, width, 17);
    return l;
}

}  // namespace

InputStatusController::InputStatusController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Inputs), w_(w)
{
    buildStatus();
    ZEPH_ON(OnIFAMMchange, InputStatusController, ZEPH350_d1IFAMMchange);
    ZEPH_ON(OnIHPOLMchange, InputStatusController, ZEPH350_d1IHPOLMchange);
    ZEPH_ON(OnIVPOLMchange, InputStatusController, ZEPH350_d1IVPOLMchange);
    ZEPH_ON(OnIPSIGMchange, InputStatusController, ZEPH350_d1IPSIGMchange);
    ZEPH_ON(OnIOORMchange, InputStatusController, ZEPH350_d1IOORMchange);
    ZEPH_ON(OnISYNCMchange, InputStatusController, ZEPH350_d1ISYNCMchange);
    ZEPH_ON(OnIINTMchange, InputStatusController, ZEPH350_d1IINTMchange);
    ZEPH_ON(OnILDMchange, InputStatusController, ZEPH350_d1ILDMchange);
    ZEPH_ON(OnIFDMchange, InputStatusController, ZEPH350_d1IFDMchange);
    ZEPH_ON(OnUNITYchange, InputStatusController, ZEPH350_d1UNITYchange);
}

InputStatusController::~InputStatusController() = default;

void InputStatusController::buildStatus()
{
    // The status line beside the connection label: signal type, then the
    // sync (covered for an audio input), then the family and the rates.
    QWidget* client = w_.centralWidget();
    Label_status_prgbi = statusLabel(client, "Label_status_prgbi", QString(), 228, 100);
    Label27 = statusLabel(client, "Label27", QStringLiteral("Sync:"), 330, 32);
    Label_typeofsync = statusLabel(client, "Label_typeofsync", QString(), 364, 100);
    Label_Hpol = statusLabel(client, "Label_Hpol", QString(), 466, 32);
    Label_Vpol = statusLabel(client, "Label_Vpol", QString(), 498, 18);
    Label_status_ifamm = statusLabel(client, "Label_status_ifamm", QString(), 518, 130);
    Label_entrelacer_main = statusLabel(client, "Label_entrelacer_main", QString(), 650, 8);
    label_Freq_ligne_main = statusLabel(client, "label_Freq_ligne_main", QString(), 660, 45);
    label_Freq_trame_main = statusLabel(client, "label_Freq_trame_main", QString(), 707, 60);
    Label_ICHM = statusLabel(client, "Label_ICHM", QString(), 228, 100);
    Label_ICHM->hide();

    Panel_cache_status_audio = new QFrame(client);
    Panel_cache_status_audio->setObjectName(QStringLiteral("Panel_cache_status_audio"));
    Panel_cache_status_audio->setAutoFillBackground(true);
    Panel_cache_status_audio->setGeometry(330, 482, 0, 20);

    // The cover of the "Image" page for settings that do not apply.
    Panel_notavailble = new QFrame(w_.imagePage);
    Panel_notavailble->setObjectName(QStringLiteral("Panel_notavailble"));
    Panel_notavailble->setFrameShape(QFrame::Panel);
    Panel_notavailble->setFrameShadow(QFrame::Raised);
    Panel_notavailble->setAutoFillBackground(true);
    Panel_notavailble->setGeometry(0, 0, 784, 404);
    Label_notavailble = new QLabel(Panel_notavailble);
    Label_notavailble->setObjectName(QStringLiteral("Label_notavailble"));
    Label_notavailble->setAlignment(Qt::AlignCenter);
    Label_notavailble->setGeometry(0, 0, 784, 404);
    Panel_notavailble->hide();
}

std::optional<uint32_t> InputStatusController::typeOfInputOnOutput() const
{
    const uint32_t ichm = dev_.ICHM();
    if (ichm < 1 || ichm > 8) return std::nullopt;
    return w_.state.perInput.PRGBI[ichm];
}

void InputStatusController::attachImagePage()
{
    for (const ImageControl& c : kImageControls)
        imageParts_.push_back({requiredChild<QWidget>(w_.imagePage, c.name), unsigned(c.part)});
}

QStringList InputStatusController::imageControlNames()
{
    QStringList names;
    for (const ImageControl& c : kImageControls) names << QString::fromLatin1(c.name);
    return names;
}

// Shows the parts in `shown` and hides the others; all of them enabled or
// disabled.
void InputStatusController::showImageGroups(unsigned shown, bool visible, bool enabled)
{
    for (const auto& [control, part] : imageParts_) {
        control->setVisible(visible && (part & shown) != 0);
        control->setEnabled(enabled);
    }
}

// Vertical smoothing never applies here; the over/under-scan list and the
// sharpness list as told.
void InputStatusController::enableImageExtras(bool overScan, bool sharpness)
{
    w_.output().SpeedButton_V_smooth->setEnabled(false);
    w_.image().overUnderScanList()->setEnabled(overScan);
    w_.image().processList()->setEnabled(sharpness);
}

void InputStatusController::signal()
{
    const uint32_t ifamm = dev_.IFAMM();
    const bool sync = dev_.IPSIGM();
    const bool usable = sync && !dev_.IOORM();

    Label_status_ifamm->setText(labelText(familyName(ifamm)));
    if (!sync)
        Label_status_ifamm->setText(QStringLiteral("No synchro"));
    else if (!usable)
        Label_status_ifamm->setText(QStringLiteral("Out of range"));

    Label_entrelacer_main->setVisible(usable);
    label_Freq_ligne_main->setVisible(usable);
    label_Freq_trame_main->setVisible(usable);
    const bool polarities = usable && dev_.ISYNCM() == 0;
    Label_Hpol->setVisible(polarities);
    Label_Vpol->setVisible(polarities);
    if (usable) {
        Label_typeofsync->setText(labelText(syncTypeText(dev_.ISYNCM())));
        if (polarities) {
            Label_Hpol->setText(labelText(dev_.IHPOLM() ? QStringLiteral("H+ && ") : QStringLiteral("H- &&")));
            Label_Vpol->setText(dev_.IVPOLM() ? QStringLiteral("V+ ") : QStringLiteral("V-"));
        }
        Label_entrelacer_main->setText(dev_.IINTM() ? QStringLiteral("i") : QString());
    } else {
        Label_typeofsync->clear();
    }

    showImageGroups(AllParts, false, true);
    enableImageExtras(false, false);
    if (usable) {
        const unsigned clock = dev_.DIVIDER() != 0 ? Divider : Optimise;
        QPushButton* alignment = w_.image().alignmentButton();
        const auto centring = [alignment](const char* text) { alignment->setText(QString::fromLatin1(text)); };
        if (ifamm == 2 || ifamm == 3) {  // NTSC
            showImageGroups(Picture | Hue, true, true);
            enableImageExtras(true, true);
            centring("Reset");
        } else if (ifamm >= 4 && ifamm <= 12) {  // PAL, SECAM, black and white, YUV, RGB
            showImageGroups(Picture, true, true);
            enableImageExtras(true, true);
            centring("Reset");
        } else if (ifamm >= 13 && ifamm <= 23) {  // computers
            showImageGroups(Levels | OptimiseLabel | clock | Phase, true, true);
            centring("Centering");
        } else if (ifamm >= 24 && ifamm <= 27) {  // HD
            showImageGroups(Picture | OptimiseLabel | clock | Phase, true, true);
            centring("Centering");
        }
    } else {
        prgbi_et_ifamm();
    }
    affichage_sync();
}

void InputStatusController::prgbi_et_ifamm()
{
    // No usable signal: the controls of the declared type, greyed.
    const std::optional<uint32_t> type = typeOfInputOnOutput();
    if (!type) return;
    const unsigned clock = dev_.DIVIDER() != 0 ? Divider : Optimise;
    if (*type <= 5) {
        showImageGroups(VideoGroup, true, false);
        enableImageExtras(true, true);
    } else if (*type <= 7) {
        showImageGroups(Levels | OptimiseLabel | clock | Phase, true, false);
        enableImageExtras(false, false);
    } else if (*type == 8) {
        showImageGroups(Picture | OptimiseLabel | clock | Phase, true, false);
        enableImageExtras(false, false);
    }
}

void InputStatusController::affichage_sync()
{
    const std::optional<uint32_t> type = typeOfInputOnOutput();
    Label_status_prgbi->setText(type ? w_.inputs().ComboBox_signaltype[0]->itemText(int(std::min<uint32_t>(*type, 1000))) : QString());
    const bool syncShown = type && *type >= 3;
    Label27->setVisible(syncShown);
    Label_typeofsync->setVisible(syncShown);
    // The polarities mean something only for separate H and V syncs that
    // are measured now; shown otherwise they would be a stale reading.
    const bool polarities = syncShown && dev_.IPSIGM() && !dev_.IOORM() && dev_.ISYNCM() == 0;
    Label_Hpol->setVisible(polarities);
    Label_Vpol->setVisible(polarities);
    const bool yuv50 = type && *type == 2 && integerRateIs50(dev_.UNITY(), dev_.ILDM(), dev_.IFDM());
    Label_status_ifamm->setVisible(!yuv50);
}

void InputStatusController::freq_ligne_trame()
{
    if (const auto line = lineRateText(dev_.UNITY(), dev_.ILDM())) label_Freq_ligne_main->setText(*line);
    if (const auto frame = frameRateText(dev_.UNITY(), dev_.ILDM(), dev_.IFDM(), dev_.IINTM()))
        label_Freq_trame_main->setText(*frame);
    affichage_sync();
}

void InputStatusController::afichoupalmenimag()
{
    Panel_notavailble->hide();
    const uint32_t ichm = dev_.ICHM(), refsta = dev_.REFSTA();
    if ((ichm == 1 && refsta == 9) || (ichm == 8 && refsta == 10)) {
        Label_notavailble->setText(QStringLiteral("Not available for the referenced input (SEAMLESS mode)"));
        Panel_notavailble->show();
    }
    const std::optional<uint32_t> type = typeOfInputOnOutput();
    const bool audio = type && *type == 9;
    if (audio) {
        Label_notavailble->setText(QStringLiteral("     Not available for the audio input (SIGNAL TYPE)"));
        Panel_notavailble->show();
    }
    // Over the controls the page built after it.
    if (!Panel_notavailble->isHidden()) Panel_notavailble->raise();
    Panel_cache_status_audio->resize(audio ? 185 : 0, Panel_cache_status_audio->height());
    Panel_cache_status_audio->raise();
}

// --- the measurement reports ----------------------------------------------------------

void InputStatusController::ZEPH350_d1IFAMMchange(TZEPH350_d*, int)
{
    signal();
}

void InputStatusController::ZEPH350_d1IHPOLMchange(TZEPH350_d*, int)
{
    signal();
}

void InputStatusController::ZEPH350_d1IVPOLMchange(TZEPH350_d*, int)
{
    signal();
}

void InputStatusController::ZEPH350_d1IPSIGMchange(TZEPH350_d*, int)
{
    signal();
}

void InputStatusController::ZEPH350_d1IOORMchange(TZEPH350_d*, int)
{
    signal();
}

void InputStatusController::ZEPH350_d1ISYNCMchange(TZEPH350_d*, int)
{
    signal();
}

void InputStatusController::ZEPH350_d1IINTMchange(TZEPH350_d*, int)
{
    signal();
    freq_ligne_trame();
}

void InputStatusController::ZEPH350_d1ILDMchange(TZEPH350_d*, int)
{
    freq_ligne_trame();
}

void InputStatusController::ZEPH350_d1IFDMchange(TZEPH350_d*, int)
{
    freq_ligne_trame();
}

void InputStatusController::ZEPH350_d1UNITYchange(TZEPH350_d*, int)
{
    freq_ligne_trame();
}
