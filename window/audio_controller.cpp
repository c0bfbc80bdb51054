#include "audio_controller.h"

#include "conversion.h"
#include "device_button.h"
#include "zeph350_main.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <tuple>

namespace {

using zeph::Reg::ALEV, zeph::Reg::ABALANCE, zeph::Reg::AMAST;

// One audio channel: its button on the "Audio" page, its level and balance
// rows, the names of their handlers, and the top of its row.
struct Channel {
    const char* button;
    const char* mouseDown;
    const char* levelBar;
    const char* levelEdit;
    const char* levelScroll;
    const char* levelKey;
    const char* balanceBar;
    const char* balanceEdit;
    const char* balanceScroll;
    const char* balanceKey;
    int top;
};

const Channel kChannels[8] = {
    {"Label_audio1", "Label_audio1MouseDown", "ScrollBar_audio1", "Edit_audio_1", "ScrollBar_audio1Scroll",
     "Edit_audio_1KeyPress", "ScrollBar_balance_1", "Edit_balance_1", "ScrollBar_balance_1Scroll",
     "Edit_balance_1KeyPress", 54},
    {"Label_audio2", "Label_audio2MouseDown", "ScrollBar_audio2", "Edit_audio_2", "ScrollBar_audio2Scroll",
     "Edit_audio_2KeyPress", "ScrollBar_balance_2", "Edit_balance_2", "ScrollBar_balance_2Scroll",
     "Edit_balance_2KeyPress", 74},
    {"Label_audio3", "Label_audio3MouseDown", "ScrollBar_audio3", "Edit_audio_3", "ScrollBar_audio3Scroll",
     "Edit_audio_3KeyPress", "ScrollBar_balance_3", "Edit_balance_3", "ScrollBar_balance_3Scroll",
     "Edit_balance_3KeyPress", 95},
    {"Label_audio4", "Label_audio4MouseDown", "ScrollBar_audio4", "Edit_audio_4", "ScrollBar_audio4Scroll",
     "Edit_audio_4KeyPress", "ScrollBar_balance_4", "Edit_balance_4", "ScrollBar_balance_4Scroll",
     "Edit_balance_4KeyPress", 116},
    {"Label_audio5", "Label_audio5MouseDown", "ScrollBar_audio5", "Edit_audio_5", "ScrollBar_audio5Scroll",
     "Edit_audio_5KeyPress", "ScrollBar_balance_5", "Edit_balance_5", "ScrollBar_balance_5Scroll",
     "Edit_balance_5KeyPress", 137},
    {"Label_audio6", "Label_audio6MouseDown", "ScrollBar_audio6", "Edit_audio_6", "ScrollBar_audio6Scroll",
     "Edit_audio_6KeyPress", "ScrollBar_balance_6", "Edit_balance_6", "ScrollBar_balance_6Scroll",
     "Edit_balance_6KeyPress", 158},
    {"Label_audio7", "Label_audio7MouseDown", "ScrollBar_audio7", "Edit_audio_7", "ScrollBar_audio7Scroll",
     "Edit_audio_7KeyPress", "ScrollBar_balance_7", "Edit_balance_7", "ScrollBar_balance_7Scroll",
     "Edit_balance_7KeyPress", 179},
    {"Label_audio8", "Label_audio8MouseDown", "ScrollBar_audio8", "Edit_audio_8", "ScrollBar_audio8Scroll",
     "Edit_audio_8KeyPress", "ScrollBar_balance_8", "Edit_balance_8", "ScrollBar_balance_8Scroll",
     "Edit_balance_8KeyPress", 200},
};

// Level and balance bars: 0 to 64, starting in the middle.
constexpr int ChannelMax = 64, ChannelStart = 32;
constexpr int GroupTop = 11;
constexpr int LevelLeft = 150, BalanceLeft = 400, BarWidth = 180, EditGap = 6, EditWidth = 40;

// The master volume: written at the end of a drag only, Enter sends the
// number as typed.
const regctl::Definition kMaster{AMAST, "ScrollBar_AMAST", "Edit17", nullptr, nullptr, 0, 255, 128, 0,
                                 regctl::ScrollForm::EndOnly, regctl::EntryForm::Unchecked};

void setText(QLineEdit* edit, const QString& text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}

void setPosition(ScrollBarEx* bar, uint32_t value)
{
    const QSignalBlocker block(bar);
    bar->setValue(int(std::min<uint32_t>(value, uint32_t(bar->maximum()))));
}

}  // namespace

AudioController::AudioController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Audio), w_(w)
{
    buildButtons();
    buildChannels();
    buildMaster();
    bindEvents();
}

AudioController::~AudioController() = default;

void AudioController::buildButtons()
{
    QWidget* page = w_.audioPage;
    GroupBox7 = new QGroupBox(QStringLiteral("Audio input"), page);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    GroupBox7->setGeometry(8, GroupTop, 640, 222);

    RadioButton = new TGfxRadioButton(GroupBox7);
    RadioButton->setObjectName(QStringLiteral("RadioButton"));
    RadioButton->SetCaption(QStringLiteral("Auto Follow"));
    RadioButton->setGeometry(10, 22, 87, 16);
    RadioButton->SetTransparent(true);  // on the group box's own face
    // Its mark shows the device's mode only: neither the focus nor the
    // operator's press checks it.
    RadioButton->SetReadOnly(true);
    RadioButton->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState m, int x, int y) {
        RadioButtonMouseUp(s, b, m, x, y);
    };
    RadioButton->OnClick = [this](TObject* s) { RadioButtonClick(s); };

    // The audio buttons are renamable: the shell lists them after the
    // input buttons, in this order.
    for (int i = 0; i < 8; ++i) {
        const Channel& c = kChannels[i];
        auto* r = new DeviceButton<QRadioButton>(QStringLiteral("Audio %1").arg(i + 1), GroupBox7);
        r->setObjectName(QString::fromLatin1(c.button));
        r->setGeometry(10, c.top - GroupTop - 1, 120, 19);
        w_.Label_audio[size_t(i)] = r;
        const int n = i + 1;
        connect(r, &QAbstractButton::pressed, this, [this, n] { Label_audioMouseDown(n); });
    }
}

void AudioController::buildChannels()
{
    QWidget* page = w_.audioPage;
    for (auto [caption, name, text, left] : {std::tuple{&Label_audio_level, "Label_audio_level", "Level", LevelLeft},
                                             std::tuple{&Label_audio_balance, "Label_audio_balance", "Balance", BalanceLeft}}) {
        *caption = new QLabel(QString::fromLatin1(text), page);
        (*caption)->setObjectName(QString::fromLatin1(name));
        (*caption)->setGeometry(left, 34, 100, 17);
    }

    for (int i = 0; i < 8; ++i) {
        const Channel& c = kChannels[i];
        const int n = i + 1;
        const regctl::Definition levelDef{ALEV, c.levelBar, c.levelEdit, nullptr, nullptr, 0, ChannelMax, ChannelStart, 0};
        const regctl::Definition balanceDef{ABALANCE, c.balanceBar, c.balanceEdit, nullptr, nullptr,
                                            0,        ChannelMax,   ChannelStart,  BalanceOffset};
        struct Pair {
            const regctl::Definition& def;
            int left;
            ScrollBarEx*& bar;
            QLineEdit*& edit;
            void (AudioController::*scroll)(int, QObject*, int, int&);
            void (AudioController::*key)(int, QObject*, QChar&);
        } pairs[] = {
            {levelDef, LevelLeft, ScrollBar_audio[size_t(i)], Edit_audio[size_t(i)], &AudioController::levelScroll,
             &AudioController::levelKeyPress},
            {balanceDef, BalanceLeft, ScrollBar_balance[size_t(i)], Edit_balance[size_t(i)],
             &AudioController::balanceScroll, &AudioController::balanceKeyPress},
        };
        for (Pair& p : pairs) {
            p.bar = regctl::makeBar(page, p.def.bar, p.def, QRect(p.left, c.top, BarWidth, 17));
            // Edits level with their bars; the first two rows are 20 apart,
            // so the first edit sits 2 higher to clear the second.
            const int editTop = i == 0 ? c.top - 2 : c.top;
            p.edit = regctl::makeEdit(page, p.def.edit, QRect(p.left + BarWidth + EditGap, editTop, EditWidth, 21));
            p.edit->setText(regctl::displayText(uint32_t(p.def.start), p.def.offset));
            const auto scroll = p.scroll;
            const auto key = p.key;
            regctl::wire(
                p.bar, p.edit, this, [this, n, scroll](QObject* s, int code, int& pos) { (this->*scroll)(n, s, code, pos); },
                [this, n, key](QObject* s, QChar& k) { (this->*key)(n, s, k); });
        }
    }
}

void AudioController::buildMaster()
{
    // In the row between the top panel and the pages, at the right; the
    // model layout shortens the bar where the effect buttons sit before it.
    QWidget* client = w_.centralWidget();
    Label17 = new QLabel(QStringLiteral("Master\nvolume :"), client);
    Label17->setObjectName(QStringLiteral("Label17"));
    // Both lines whole within the row's 23 pixels: the small type, made
    // smaller still where two of its lines would not fit.
    QFont small = Label17->font();
    small.setPixelSize(10);
    Label17->setFont(small);
    while (small.pixelSize() > 7 && Label17->sizeHint().height() > 23) {
        small.setPixelSize(small.pixelSize() - 1);
        Label17->setFont(small);
    }
    Label17->setGeometry(208, 44, 50, 23);
    master_ = std::make_unique<RegisterControl>(dev_, kMaster);
    const auto [bar, edit] = regctl::addPair(
        *master_, client, QRect(260, 47, 333, 17), QRect(597, 45, 40, 21), this,
        [this](QObject* s, int code, int& pos) { ScrollBar_AMASTScroll(s, code, pos); },
        [this](QObject* s, QChar& k) { Edit17KeyPress(s, k); });
    ScrollBar_AMAST = bar;
    Edit17 = edit;

    SpeedButton_shutamast = new DeviceButton<QToolButton>(client);
    SpeedButton_shutamast->setObjectName(QStringLiteral("SpeedButton_shutamast"));
    SpeedButton_shutamast->setText(QStringLiteral("      Audio mute"));
    SpeedButton_shutamast->setCheckable(true);
    SpeedButton_shutamast->setGeometry(642, 45, 140, 21);
    connect(SpeedButton_shutamast, &QToolButton::clicked, this, [this] { SpeedButton_shutamastClick(); });
}

void AudioController::bindEvents()
{
    ZEPH_ON(OnACHANchange, AudioController, ZEPH350_d1ACHANchange);
    ZEPH_ON(OnAMODchange, AudioController, ZEPH350_d1AMODchange);
    ZEPH_ON(OnALEVchange, AudioController, ZEPH350_d1ALEVchange);
    ZEPH_ON(OnABALANCEchange, AudioController, ZEPH350_d1ABALANCEchange);
    ZEPH_ON(OnAMASTchange, AudioController, ZEPH350_d1AMASTchange);
    ZEPH_ON(OnAMUTEchange, AudioController, ZEPH350_d1AMUTEchange);
}

// --- operator ------------------------------------------------------------------

void AudioController::Label_audioMouseDown(int n)
{
    dev_.SetACHAN(uint32_t(n));
}

void AudioController::RadioButtonMouseUp(TObject*, TMouseButton Button, TShiftState, int, int)
{
    // Only the left button toggles: a right or middle click on a control
    // never writes.
    if (Button != mbLeft) return;
    dev_.SetAMOD(dev_.AMOD() != 0 ? 0 : 1);
}

void AudioController::RadioButtonClick(TObject* Sender)
{
    // The button's click also comes with the mouse's release (the mouse-up
    // that follows writes) and with the check a report sets: neither is the
    // keyboard's.
    if (showingMode_ || RadioButton->Pressed()) return;
    RadioButtonMouseUp(Sender, mbLeft, 0, 0, 0);
}

void AudioController::channelScroll(int n, int reg, QObject* Sender, int ScrollCode, int ScrollPos)
{
    // The channel first: the device applies the value to the channel PCHAN
    // names.
    dev_.SetPCHAN(uint32_t(n));
    dev_.writeRegister(reg, uint32_t(ScrollPos));
    if (auto* bar = qobject_cast<ScrollBarEx*>(Sender)) bar->Tag = ScrollCode == ScrollBarEx::EndScroll ? 0 : 1;
}

void AudioController::channelKeyPress(int n, int reg, int offset, QObject* Sender, QChar Key)
{
    if (Key != QChar(13)) return;
    auto* edit = qobject_cast<QLineEdit*>(Sender);
    if (!edit) return;
    const auto v = StrToIntOrReport(edit->text());
    if (!v) return;  // reported; nothing is written
    dev_.SetPCHAN(uint32_t(n));
    // Any number goes out as typed (a negative one as its 32-bit pattern).
    dev_.writeRegister(reg, uint32_t(int64_t(*v) + offset));
}

void AudioController::levelScroll(int n, QObject* Sender, int ScrollCode, int& ScrollPos)
{
    channelScroll(n, ALEV, Sender, ScrollCode, ScrollPos);
}

void AudioController::balanceScroll(int n, QObject* Sender, int ScrollCode, int& ScrollPos)
{
    channelScroll(n, ABALANCE, Sender, ScrollCode, ScrollPos);
}

void AudioController::levelKeyPress(int n, QObject* Sender, QChar& Key)
{
    channelKeyPress(n, ALEV, 0, Sender, Key);
}

void AudioController::balanceKeyPress(int n, QObject* Sender, QChar& Key)
{
    channelKeyPress(n, ABALANCE, BalanceOffset, Sender, Key);
}

void AudioController::ScrollBar_AMASTScroll(QObject* Sender, int ScrollCode, int& ScrollPos)
{
    master_->Scroll(Sender, ScrollCode, ScrollPos);
}

void AudioController::Edit17KeyPress(QObject* Sender, QChar& Key)
{
    master_->KeyPress(Sender, Key);
}

void AudioController::SpeedButton_shutamastClick()
{
    // The state the click asks for; the button shows it once the device
    // reports it.
    dev_.SetAMUTE(!SpeedButton_shutamast->isChecked());
}

// --- device ---------------------------------------------------------------------

void AudioController::keep(Cache& cache, uint32_t value) const
{
    const uint32_t p = dev_.PCHAN();
    if (p > 8) return;
    cache[p] = value;
    if (p == 0) cache.fill(value);
}

void AudioController::ZEPH350_d1ALEVchange(TZEPH350_d*, int)
{
    keep(levels_, dev_.ALEV());
    Tableau_sound(LevelTable);
}

void AudioController::ZEPH350_d1ABALANCEchange(TZEPH350_d*, int)
{
    keep(balances_, dev_.ABALANCE());
    Tableau_sound(BalanceTable);
}

void AudioController::Tableau_sound(int what)
{
    const uint32_t p = dev_.PCHAN();
    if ((what == LevelTable || what == BalanceTable) && p <= 8) {
        const bool level = what == LevelTable;
        Cache& cache = level ? levels_ : balances_;
        const auto& bars = level ? ScrollBar_audio : ScrollBar_balance;
        const auto& edits = level ? Edit_audio : Edit_balance;
        const int offset = level ? 0 : BalanceOffset;
        if (p == 0) {
            // Every channel at once, also a bar being dragged.
            for (size_t i = 0; i < 8; ++i) {
                setPosition(bars[i], cache[0]);
                setText(edits[i], regctl::displayText(cache[0], offset));
                cache[i + 1] = cache[0];
            }
        } else {
            const size_t i = p - 1;
            if (bars[i]->Tag == 0) setPosition(bars[i], cache[p]);
            setText(edits[i], regctl::displayText(cache[p], offset));
        }
    }
    ZEPH350_d1ACHANchange(&dev_, dev_.Tag());
}

void AudioController::ZEPH350_d1AMODchange(TZEPH350_d* Sender, int nroZeph)
{
    ZEPH350_d1ACHANchange(Sender, nroZeph);
}

void AudioController::ZEPH350_d1ACHANchange(TZEPH350_d*, int)
{
    const uint32_t mode = dev_.AMOD();
    const uint32_t heard = dev_.ACHAN();
    const bool channel = heard >= 1 && heard <= 8;
    if (mode == 0 || mode == 1) {
        // Checking the button raises its click: the report's, not the
        // operator's.
        const bool was = showingMode_;
        showingMode_ = true;
        RadioButton->SetChecked(mode == 0);
        showingMode_ = was;
    }
    if (mode == 0) {
        // The audio follows the input shown: only the channel heard.
        for (QRadioButton* b : w_.Label_audio) b->setEnabled(false);
        if (channel) w_.Label_audio[heard - 1]->setEnabled(true);
    } else if (mode == 1) {
        for (QRadioButton* b : w_.Label_audio) b->setEnabled(true);
    }
    if (!channel) return;
    {
        QRadioButton* b = w_.Label_audio[heard - 1];
        const QSignalBlocker block(b);
        b->setChecked(true);
    }
    for (size_t i = 0; i < 8; ++i) {
        const bool usable = i == heard - 1;
        ScrollBar_audio[i]->setEnabled(usable);
        ScrollBar_balance[i]->setEnabled(usable);
        Edit_audio[i]->setEnabled(usable);
        Edit_balance[i]->setEnabled(usable);
    }
}

void AudioController::ZEPH350_d1AMASTchange(TZEPH350_d*, int)
{
    master_->Change();
}

void AudioController::ZEPH350_d1AMUTEchange(TZEPH350_d*, int)
{
    const bool muted = dev_.AMUTE();
    const QSignalBlocker block(SpeedButton_shutamast);
    SpeedButton_shutamast->setChecked(muted);
}
