// The description of the input on the output (status boxes, the "Image"
// page's groups and cover), the line and frame rate texts, and the
// seamless reference with the switching mode.
#include "inputs_fixture.h"

#include "input_status.h"
#include "output_controller.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

using namespace inputstatus;

namespace {

// --- rates, without a window --------------------------------------------------

struct RateCase {
    uint32_t unity, ildm, ifdm;
    bool interlaced;
    const char* line;   // null: none
    const char* frame;  // null: none
};

class Rates : public ::testing::TestWithParam<RateCase> {};

TEST_P(Rates, LineAndFrameRateTexts)
{
    const RateCase& c = GetParam();
    const std::optional<QString> line = lineRateText(c.unity, c.ildm);
    const std::optional<QString> frame = frameRateText(c.unity, c.ildm, c.ifdm, c.interlaced);
    EXPECT_EQ(line.has_value(), c.line != nullptr);
    if (line && c.line) {
        EXPECT_EQ(*line, QString::fromLatin1(c.line));
    }
    EXPECT_EQ(frame.has_value(), c.frame != nullptr);
    if (frame && c.frame) {
        EXPECT_EQ(*frame, QString::fromLatin1(c.frame));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rates,
    ::testing::Values(RateCase{27000000, 1728000, 312, true, "15KHz", "50Hz"},        // PAL: 49.996 to four digits
                      RateCase{27000000, 1716000, 262, true, "15KHz", "59.93Hz"},     // NTSC
                      RateCase{27000000, 858000, 525, false, "31KHz", "60Hz"},        // VGA: 59.94 to two
                      RateCase{27000000, 270000, 800, false, "100KHz", "125Hz"},      // three digits from 100
                      RateCase{27000000, 270000, 1001, false, "100KHz", "100Hz"},     // 99.9 rounds up: no powers of ten
                      RateCase{27000000, 0, 312, true, nullptr, nullptr},             // nothing measured
                      RateCase{27000000, 1728000, 0, false, "15KHz", nullptr},
                      RateCase{4294967295u, 1, 1, false, "4294967295KHz", "4294967295000Hz"}));

TEST(IntegerRate, FiftyByTheIntegerRuleOnly)
{
    EXPECT_TRUE(integerRateIs50(27000000, 1728000, 300));   // 15 x 1000 div 300
    EXPECT_FALSE(integerRateIs50(27000000, 1728000, 312));  // 48, though the signal is 50 Hz
    EXPECT_FALSE(integerRateIs50(27000000, 0, 300));
    EXPECT_FALSE(integerRateIs50(27000000, 1728000, 0));
    EXPECT_FALSE(integerRateIs50(4294967295u, 1, 1));  // no overflow into 50
}

TEST(FamilyNames, TablesAndTheirEnds)
{
    EXPECT_EQ(familyName(0), QStringLiteral("no signal"));
    EXPECT_EQ(familyName(7), QStringLiteral("Black && white 50Hz"));
    EXPECT_EQ(familyName(27), QStringLiteral("720p 60Hz"));
    EXPECT_EQ(familyName(28), QString());
    EXPECT_EQ(shortFamilyName(8), QStringLiteral("Black && white"));
    EXPECT_EQ(shortFamilyName(26), QStringLiteral("480p"));
    EXPECT_EQ(shortFamilyName(4294967295u), QString());
    EXPECT_EQ(referenceOutputName(2), QStringLiteral("-> Error"));
    EXPECT_EQ(referenceOutputName(12), QStringLiteral("-> Error"));
    EXPECT_EQ(referenceOutputName(15), QStringLiteral("-> VGA"));
    EXPECT_EQ(referenceOutputName(25), QStringLiteral("-> 1080 i"));
    EXPECT_EQ(referenceOutputName(28), QString());
    EXPECT_EQ(labelText(QStringLiteral("H && V")), QStringLiteral("H & V"));
}

// --- the signal description ------------------------------------------------------

// Image page parts by letter: P brightness/contrast/colour, H hue, L the
// levels, o the optimise caption, O the optimise bar, D the divider, F the
// phase.
const std::pair<char, const char*> kParts[] = {
    {'P', "ScrollBar_brightness"}, {'H', "ScrollBar_hue"},      {'L', "ScrollBar_blacklevel"},
    {'o', "Label_Optimize"},       {'O', "ScrollBar_Optimize"}, {'D', "ScrollBar_ddivider"},
    {'F', "ScrollBar_dphase"},
};

struct SignalCase {
    const char* what;
    uint32_t ifamm;
    bool sync, outOfRange;
    uint32_t isyncm, divider, type;  // type: the cached PRGBI of the input on the output
    const char* status;              // Label_status_ifamm
    const char* syncType;            // Label_typeofsync
    bool polarities, rates;          // shown
    const char* parts;               // the image page's parts shown
    bool enabled;                    // and enabled
    bool scan, sharpness;            // enabled
    const char* alignment;           // BitBtn_alignment
};

class SignalDescription : public InputsPage, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(SignalDescription, StatusAndImageGroups)
{
    const SignalCase& c = GetParam();
    replies({"CH2", "PCH2"});
    reply(qPrintable(QStringLiteral("PRGB%1").arg(c.type)));
    reply(qPrintable(QStringLiteral("CLK%1").arg(c.divider)));
    replies({"IHP1", "IVP0", "IIN1", "UNIT27000000", "ILD858000", "IFD525"});
    reply(qPrintable(QStringLiteral("IST%1").arg(c.isyncm)));
    reply(qPrintable(QStringLiteral("IOO%1").arg(c.outOfRange ? 1 : 0)));
    reply(qPrintable(QStringLiteral("IPS%1").arg(c.sync ? 1 : 0)));
    reply(qPrintable(QStringLiteral("IFA%1").arg(c.ifamm)));

    EXPECT_EQ(in().status().Label_status_ifamm->text(), QString::fromUtf8(c.status));
    EXPECT_EQ(in().status().Label_typeofsync->text(), QString::fromUtf8(c.syncType));
    EXPECT_EQ(in().status().Label_Hpol->isHidden(), !c.polarities);
    EXPECT_EQ(in().status().Label_Vpol->isHidden(), !c.polarities);
    if (c.polarities) {
        EXPECT_EQ(in().status().Label_Hpol->text(), QStringLiteral("H+ & "));
        EXPECT_EQ(in().status().Label_Vpol->text(), QStringLiteral("V-"));
    }
    EXPECT_EQ(in().status().label_Freq_ligne_main->isHidden(), !c.rates);
    EXPECT_EQ(in().status().label_Freq_trame_main->isHidden(), !c.rates);
    EXPECT_EQ(in().status().Label_entrelacer_main->isHidden(), !c.rates);
    if (c.rates) {
        EXPECT_EQ(in().status().Label_entrelacer_main->text(), QStringLiteral("i"));
        EXPECT_EQ(in().status().label_Freq_ligne_main->text(), QStringLiteral("31KHz"));
    }
    EXPECT_EQ(in().status().Label_status_prgbi->text(), in().ComboBox_signaltype[0]->itemText(int(c.type)));
    EXPECT_EQ(in().status().Label27->isHidden(), c.type < 3);

    QString shown;
    for (auto [letter, name] : kParts) {
        auto* control = find(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        if (!control->isHidden()) {
            shown += QLatin1Char(letter);
            EXPECT_EQ(control->isEnabled(), c.enabled) << name;
        }
    }
    EXPECT_EQ(shown, QString::fromLatin1(c.parts));
    EXPECT_EQ(find(QStringLiteral("RadioGroup_over_under_scan"))->isEnabled(), c.scan);
    EXPECT_EQ(find(QStringLiteral("ComboBox_process"))->isEnabled(), c.sharpness);
    EXPECT_EQ(find<QPushButton>(QStringLiteral("BitBtn_alignment"))->text(), QString::fromLatin1(c.alignment));
    EXPECT_TRUE(sent.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SignalDescription,
    ::testing::Values(
        SignalCase{"ntsc", 3, true, false, 0, 0, 1, "NTSC (4.43/60Hz)", "H & V", false, true, "PH", true, true, true, "Reset"},
        SignalCase{"pal", 4, true, false, 1, 0, 0, "PAL std (4,43/50)", "TTL Composite", false, true, "P", true, true, true, "Reset"},
        SignalCase{"blackAndWhite", 7, true, false, 1, 64, 4, "Black & white 50Hz", "TTL Composite", false, true, "P", true, true, true, "Reset"},
        SignalCase{"xga", 19, true, false, 0, 0, 7, "XGA", "H & V", true, true, "LoOF", true, false, false, "Centering"},
        SignalCase{"vgaOnDivider", 13, true, false, 2, 64, 6, "VGA1 350l", "SOG", false, true, "LoDF", true, false, false, "Centering"},
        SignalCase{"hd", 25, true, false, 3, 0, 8, "1080i 60Hz", "Analog Composite", false, true, "PoOF", true, false, false, "Centering"},
        SignalCase{"hdOnDivider", 27, true, false, 0, 9, 8, "720p 60Hz", "H & V", true, true, "PoDF", true, false, false, "Centering"},
        SignalCase{"syncError", 19, true, false, 5, 0, 7, "XGA", "! error sync..", false, true, "LoOF", true, false, false, "Centering"},
        SignalCase{"noSignalFamily", 0, true, false, 0, 0, 7, "no signal", "H & V", true, true, "", true, false, false, "Centering"},
        SignalCase{"unknownFamily", 31, true, false, 0, 0, 0, "", "H & V", false, true, "", true, false, false, "Centering"},
        SignalCase{"noSyncVideo", 4, false, false, 0, 0, 0, "No synchro", "", false, false, "PH", false, true, true, "Centering"},
        SignalCase{"outOfRangeComputer", 19, true, true, 0, 64, 7, "Out of range", "", false, false, "LoDF", false, false, false, "Centering"},
        SignalCase{"noSyncHd", 24, false, true, 0, 0, 8, "No synchro", "", false, false, "PoOF", false, false, false, "Centering"},
        SignalCase{"noSyncAudio", 4, false, false, 0, 0, 9, "No synchro", "", false, false, "", true, false, false, "Centering"}),
    [](const testing::TestParamInfo<SignalCase>& i) { return std::string(i.param.what); });

// The clock divider found by the device's frequency search describes the
// input again: its controls replace the optimise controls.
TEST_F(InputsPage, DividerFoundRedescribesTheInput)
{
    replies({"CH1", "PCH1", "PRGB7", "CLK0", "IPS1", "IOO0", "IST0", "IFA19"});
    EXPECT_FALSE(find(QStringLiteral("ScrollBar_Optimize"))->isHidden());
    EXPECT_TRUE(find(QStringLiteral("ScrollBar_ddivider"))->isHidden());
    replies({"CLK64"});
    EXPECT_TRUE(find(QStringLiteral("ScrollBar_Optimize"))->isHidden());
    EXPECT_FALSE(find(QStringLiteral("ScrollBar_ddivider"))->isHidden());
    EXPECT_FALSE(find(QStringLiteral("Label_Optimize"))->isHidden());
}

// A YUV input measuring exactly 50 by the integer rule hides its family.
TEST_F(InputsPage, YuvAtFiftyHidesTheFamily)
{
    replies({"CH1", "PCH1", "PRGB2", "IPS1", "IOO0", "IFA9", "UNIT27000000", "ILD1728000", "IFD300"});
    EXPECT_TRUE(in().status().Label_status_ifamm->isHidden());
    replies({"IFD312"});
    EXPECT_FALSE(in().status().Label_status_ifamm->isHidden());
    replies({"IFD300", "PRGB3"});
    EXPECT_FALSE(in().status().Label_status_ifamm->isHidden()) << "RGB, not YUV";
}

// An input on the output that names no input has no cached type: no type
// text and no greyed controls, whatever was cached for input 1.
TEST_F(InputsPage, InputOnOutputOutOfRangeHasNoType)
{
    replies({"PCH0", "PRGB7", "CH1", "IPS0"});
    EXPECT_EQ(in().status().Label_status_prgbi->text(), QStringLiteral("Computer H&V/C"));
    for (const char* ichm : {"CH0", "CH9", "CH4294967295"}) {
        replies({ichm, "IPS1", "IFA0", "IPS0"});
        EXPECT_EQ(in().status().typeOfInputOnOutput(), std::nullopt) << ichm;
        EXPECT_EQ(in().status().Label_status_prgbi->text(), QString()) << ichm;
        EXPECT_TRUE(in().status().Label27->isHidden()) << ichm;
        EXPECT_TRUE(find(QStringLiteral("ScrollBar_blacklevel"))->isHidden()) << ichm;
    }
}

// The cover of the image page: the referenced input in seamless mode, and
// an audio input, which also covers the sync status.
TEST_F(InputsPage, ImagePageCover)
{
    QFrame* cover = in().status().Panel_notavailble;
    replies({"PCH0", "PRGB0", "CH1", "REFA9"});
    EXPECT_FALSE(cover->isHidden());
    EXPECT_EQ(in().status().Label_notavailble->text(), QStringLiteral("Not available for the referenced input (SEAMLESS mode)"));
    replies({"CH8"});
    EXPECT_TRUE(cover->isHidden());
    replies({"REFA10"});
    EXPECT_FALSE(cover->isHidden());
    replies({"REFA0"});
    EXPECT_TRUE(cover->isHidden());
    EXPECT_EQ(in().status().Panel_cache_status_audio->width(), 0);
    replies({"PCH8", "PRGB9"});
    EXPECT_FALSE(cover->isHidden());
    EXPECT_EQ(in().status().Label_notavailble->text(), QStringLiteral("     Not available for the audio input (SIGNAL TYPE)"));
    EXPECT_EQ(in().status().Panel_cache_status_audio->width(), 185);
    replies({"CH2"});
    EXPECT_TRUE(cover->isHidden());
    EXPECT_EQ(in().status().Panel_cache_status_audio->width(), 0);
}

// --- the reference ----------------------------------------------------------------------

struct ReferenceCase {
    uint32_t refreq, refsta, reffam, reffrq;
    const char* refstaText;
    const char* family;  // null: hidden
    bool ok;
    int mode;                  // 0 FAST, 1 SEAMLESS
    const char* seamless;      // ComboBox_out_seam
    const char* outputFormat;  // Label_outformat, in SEAMLESS mode (null: not checked)
};

// Applied in order in one window: a reference that names nothing keeps
// what the one before showed.
const ReferenceCase kReferences[] = {
    {0, 0, 0, 50, "Internal reference", nullptr, true, 0, "Internal reference    m12", nullptr},
    {3, 3, 4, 50, "Follow  Input 3", "PAL", true, 0, "Follow  Input 3    f4", nullptr},
    {3, 5, 7, 60, "Follow  Input 5", "Black & white", false, 0, "Follow  Input 5    f4", nullptr},
    {9, 9, 17, 60, "Computer 1", "SVGA", true, 1, "Computer 1 -> SVGA", "Computer 1 -> SVGA"},
    {10, 10, 24, 50, "Computer 8", "1080i", true, 1, "Computer 8 -> 1080 i", "Computer 8 -> 1080 i"},
    {9, 11, 30, 0, "Error", "", false, 1, "Computer 8 -> 1080 i", "Computer 8 -> 1080 i"},
    {0, 12, 2, 0, "Error", "NTSC", false, 0, "Computer 8 -> 1080 i", nullptr},
};

TEST_F(InputsPage, ReferenceFollowsTheDevice)
{
    // The output family's lists, with items that tell which entry was
    // taken; its format label is its own business in FAST mode.
    QComboBox* master = w().output().output_format_master;
    QComboBox* follow = w().output().output_format_follow;
    master->clear();
    follow->clear();
    for (int i = 0; i < 16; ++i) master->addItem(QStringLiteral("m%1").arg(i));
    for (int i = 0; i < 9; ++i) follow->addItem(QStringLiteral("f%1").arg(i));
    QComboBox* box = w().output().ComboBox_out_seam;
    QLabel* format = w().output().Label_outformat;
    replies({"OFMT9"});

    for (const ReferenceCase& c : kReferences) {
        SCOPED_TRACE(testing::Message() << "REFREQ " << c.refreq << " REFSTA " << c.refsta);
        reply(qPrintable(QStringLiteral("REFR%1").arg(c.refreq)));
        reply(qPrintable(QStringLiteral("REFT%1").arg(c.reffrq)));
        reply(qPrintable(QStringLiteral("REFA%1").arg(c.refsta)));
        reply(qPrintable(QStringLiteral("REFF%1").arg(c.reffam)));
        EXPECT_EQ(in().reference().Label_refsta->text(), QString::fromLatin1(c.refstaText));
        EXPECT_EQ(in().reference().Label_reffam->isHidden(), c.refsta == 0);
        EXPECT_EQ(in().reference().Label_reffrq->isHidden(), c.refsta == 0);
        if (c.family) {
            EXPECT_EQ(in().reference().Label_reffam->text(), QString::fromLatin1(c.family));
        }
        EXPECT_EQ(in().reference().Label_reffrq->text(), QStringLiteral("%1 Hz").arg(c.reffrq));
        EXPECT_EQ(in().reference().Label_freq_trame->text(), QStringLiteral("%1 Hz").arg(c.reffrq));
        EXPECT_EQ(in().reference().Edit_status->text(), c.ok ? QStringLiteral("OK") : QStringLiteral("Error"));
        EXPECT_EQ(in().reference().Edit_status->font().bold(), !c.ok);
        EXPECT_EQ(in().reference().Edit_status->palette().color(QPalette::Base), c.ok ? classic::ButtonFace : classic::Red);
        EXPECT_EQ(in().reference().fastSeamIndex(), c.mode);
        EXPECT_EQ(in().reference().combo_refreq->isHidden(), c.mode == 1);
        EXPECT_EQ(in().reference().ComboBox_seamless_computer->isHidden(), c.mode == 0);
        QComboBox* chosen = c.refreq < 9 ? in().reference().combo_refreq : in().reference().ComboBox_seamless_computer;
        EXPECT_EQ(chosen->currentIndex(), int(c.refreq < 9 ? c.refreq : c.refreq - 9));
        EXPECT_EQ(box->currentText(), QString::fromLatin1(c.seamless));
        if (c.outputFormat) { EXPECT_EQ(format->text(), QString::fromLatin1(c.outputFormat)); }
    }
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}

// On the four-input model, which has no seamless switching, a computer
// reference (or one above 10) keeps the input reference list in view, with
// no item chosen, and the computer list hidden, as the layout has them.
TEST_F(InputsPage, ComputerReferenceOnTheFourInputModel)
{
    reply("DEV26");
    ASSERT_TRUE(w().state.fourInputs);
    ASSERT_FALSE(in().reference().combo_refreq->isHidden());
    ASSERT_TRUE(in().reference().ComboBox_seamless_computer->isHidden());
    for (uint32_t refreq : {9u, 10u, 11u, 3u, 10u, 6u}) {
        SCOPED_TRACE(testing::Message() << "REFREQ " << refreq);
        reply(qPrintable(QStringLiteral("REFR%1").arg(refreq)));
        EXPECT_FALSE(in().reference().combo_refreq->isHidden());
        EXPECT_TRUE(in().reference().ComboBox_seamless_computer->isHidden());
        EXPECT_EQ(in().reference().combo_refreq->currentIndex(), refreq < 5 ? int(refreq) : -1);
    }
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
    // An eight-input model again: the computer list comes with SEAMLESS.
    reply("DEV23");
    reply("REFR9");
    EXPECT_TRUE(in().reference().combo_refreq->isHidden());
    EXPECT_FALSE(in().reference().ComboBox_seamless_computer->isHidden());
}

// The operator's switching mode and reference choices.
TEST_F(InputsPage, SwitchingModeAndReferenceChoices)
{
    replies({"REFR2"});
    QAbstractButton* fast = in().reference().RadioGroup_fast_seam->findChildren<QRadioButton*>().at(0);
    QAbstractButton* seamless = in().reference().RadioGroup_fast_seam->findChildren<QRadioButton*>().at(1);
    seamless->click();
    EXPECT_FALSE(in().reference().ComboBox_seamless_computer->isHidden());
    EXPECT_TRUE(in().reference().combo_refreq->isHidden());
    in().reference().ComboBox_seamless_computer->setCurrentIndex(1);
    emit in().reference().ComboBox_seamless_computer->activated(1);
    fast->click();
    EXPECT_TRUE(in().reference().ComboBox_seamless_computer->isHidden());
    in().reference().combo_refreq->setCurrentIndex(6);
    emit in().reference().combo_refreq->activated(6);
    EXPECT_EQ(sent, (QStringList{"9XR", "10XR", "2XR", "6XR"}));
}

}  // namespace
