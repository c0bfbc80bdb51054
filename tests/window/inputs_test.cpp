// The "Input" page: the per-input caches and their display for every
// selector and input pointer, the operator's writes (the input first), the
// input buttons, out-of-range pointers and the hourglass.
#include "inputs_fixture.h"

#include "simdevice.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>

#include <functional>
#include <vector>

using namespace zeph;

namespace {

// What row `row` (1 to 8) of one selector shows, as a number.
using Shown = std::function<int(InputsPage&, int row)>;

struct SelectorCase {
    int what;
    const char* name;
    // The reply that stores value v for the input in PCHAN (null: the
    // selector belongs to the logo family, which stores the cache itself).
    const char* reply;
    std::vector<uint32_t> values;
    // What the row shows for a value stored for it.
    std::function<int(uint32_t)> expected;
    Shown shown;
};

class Selectors : public InputsPage, public ::testing::WithParamInterface<SelectorCase> {};

int checked(QAbstractButton* b)
{
    return b->isChecked() ? 1 : 0;
}

const SelectorCase kSelectors[] = {
    {45, "PENA", "PEN", {1, 0}, [](uint32_t v) { return int(v); },
     [](InputsPage& t, int row) {
         // The used box, the input button and the row's colours agree.
         auto* box = t.find<QCheckBox>(QStringLiteral("Label_input_%1").arg(row));
         const bool used = box->isChecked();
         EXPECT_EQ(t.find<QToolButton>(QStringLiteral("label_input%1").arg(row))->isEnabled(), used) << row;
         auto* hiz = t.find<TGfxRadioGroup>(QStringLiteral("GfxRadioButton_HiZ%1").arg(row));
         EXPECT_EQ(hiz->palette().color(QPalette::WindowText), used ? QColor(0, 0, 0) : QColor(128, 128, 128)) << row;
         // The items are written in it.
         for (int i = 0; i < hiz->ButtonCount(); ++i)
             EXPECT_EQ(GfxColorToRGB(hiz->Buttons(i)->Font().Color()), used ? GfxRGB(0, 0, 0) : GfxRGB(128, 128, 128))
                 << row;
         return checked(box);
     }},
    {46, "PLOAD", "PLD", {1, 0}, [](uint32_t v) { return int(v); },
     [](InputsPage& t, int row) {
         return t.find<TGfxRadioGroup>(QStringLiteral("GfxRadioButton_HiZ%1").arg(row))->ItemIndex();
     }},
    {47, "PRGBI", "PRGB", {8, 3, 12}, [](uint32_t v) { return v < 10 ? int(v) : -1; },
     [](InputsPage& t, int row) {
         return t.find<QComboBox>(QStringLiteral("ComboBox_signaltype%1").arg(row))->currentIndex();
     }},
    {48, "PISTD", "PSTD", {5, 2}, [](uint32_t v) { return int(v); },
     [](InputsPage& t, int row) {
         return t.find<QComboBox>(QStringLiteral("ComboBox_standard%1").arg(row))->currentIndex();
     }},
    {49, "PPROC", "PPRC", {1, 2, 0}, [](uint32_t v) { return v == 1 ? 1 : 0; },
     [](InputsPage& t, int row) {
         return checked(t.find<QCheckBox>(QStringLiteral("CheckBox_PProc_pchan_%1").arg(row)));
     }},
    {50, "LPLOGO", nullptr, {4, 1}, [](uint32_t v) { return int(v); },
     [](InputsPage& t, int row) { return t.logos().assignment().new_Combologo[size_t(row - 1)]->currentIndex(); }},
    {51, "LDYSPLAY", nullptr, {0, 1}, [](uint32_t v) { return int(v); },
     [](InputsPage& t, int row) {
         auto* b = t.find<QPushButton>(QStringLiteral("BitBtn_Input_%1").arg(row));
         const bool on = b->text() == QLatin1String("ON");
         // The colour it shows while enabled (disabled, its text is grey).
         EXPECT_EQ(b->palette().color(QPalette::Active, QPalette::ButtonText),
                   on ? InputsController::Color_bitbtn_of_pchan(true) : QColor(255, 0, 0))
             << row;
         return on ? 1 : 0;
     }},
};

}  // namespace

// For each selector: a reply while PCHAN is 0 redraws every row, while
// PCHAN is 3 row 3 only, and while PCHAN is 9 nothing.
TEST_P(Selectors, RowsFollowTheCacheByInputPointer)
{
    const SelectorCase& c = GetParam();
    std::array<int, 9> expected{};
    auto check = [&](const char* when) {
        for (int row = 1; row <= 8; ++row) EXPECT_EQ(c.shown(*this, row), expected[size_t(row)]) << when << " row " << row;
    };
    for (const uint32_t p : {0u, 3u, 9u}) {
        for (const uint32_t v : c.values) {
            SCOPED_TRACE(testing::Message() << "PCHAN " << p << ", value " << v);
            reply(qPrintable(QStringLiteral("PCH%1").arg(p)));
            if (c.reply) {
                reply(qPrintable(QString::fromLatin1(c.reply) + QString::number(v)));
            } else if (c.what == 50) {
                // The logo family's handler: stored on layer LINDEX, then drawn.
                reply("LIND0");
                w().state.perInput.LPLOGO.store(p, 0, v);
                in().Tableau_input(50);
            } else {
                w().state.perInput.LDYSPLAY.store(p, uint8_t(v));
                in().Tableau_input(51);
            }
            if (p == 0) expected.fill(c.expected(v));
            if (p >= 1 && p <= 8) expected[p] = c.expected(v);
            check("after the reply");
        }
    }
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, Selectors, ::testing::ValuesIn(kSelectors),
                         [](const testing::TestParamInfo<SelectorCase>& i) { return std::string(i.param.name); });

// The cache entries after replies for one input, for all and for none.
TEST_F(InputsPage, CacheStoresOnlyExistingInputsAndCopiesTheEntryForAll)
{
    const InputCaches& c = w().state.perInput;
    replies({"PCH0", "PRGB7", "PCH4", "PRGB2"});
    EXPECT_EQ(c.PRGBI.entry, (std::array<uint32_t, 9>{7, 7, 7, 7, 2, 7, 7, 7, 7}));
    // A pointer past the inputs followed by every per-input reply stores
    // nowhere (the tables have nine entries).
    for (const char* pointer : {"PCH9", "PCH4294967295"}) {
        replies({pointer, "PEN1", "PLD1", "PRGB9", "PSTD6", "PPRC1"});
        EXPECT_EQ(c.PRGBI.entry, (std::array<uint32_t, 9>{7, 7, 7, 7, 2, 7, 7, 7, 7})) << pointer;
        EXPECT_EQ(c.PENA.entry, (std::array<uint8_t, 9>{})) << pointer;
        EXPECT_EQ(c.PPROC.entry, (std::array<uint32_t, 9>{})) << pointer;
    }
    // Logo layers: 0 to 3 kept, others nowhere.
    InputCaches& mutableCache = w().state.perInput;
    EXPECT_TRUE(mutableCache.LPLOGO.store(0, 3, 5));
    EXPECT_FALSE(mutableCache.LPLOGO.store(2, 4, 6));
    EXPECT_FALSE(mutableCache.LPLOGO.store(9, 0, 6));
    for (uint32_t input = 0; input <= 8; ++input) EXPECT_EQ(c.LPLOGO.at(input, 3), 5u) << input;
    EXPECT_EQ(c.LPLOGO.at(2, 4), 0u);
}

// The standard list's colour: by PENA while the row's type is one the
// standard applies to (below 2), the inactive caption colour otherwise; a
// type reported for all inputs colours every list by the type alone.
TEST_F(InputsPage, StandardListColourFollowsUseAndType)
{
    QComboBox* standard3 = in().ComboBox_standard[2];
    QComboBox* type3 = in().ComboBox_signaltype[2];
    const QColor silver(192, 192, 192), white = classic::Window, inactive = classic::InactiveCaptionText;
    replies({"PCH3", "PRGB1", "PEN0"});
    EXPECT_EQ(listColour(standard3), silver);
    EXPECT_EQ(listColour(type3), silver);
    replies({"PEN1"});
    EXPECT_EQ(listColour(standard3), white);
    EXPECT_EQ(listColour(type3), white);
    replies({"PRGB6"});
    EXPECT_EQ(listColour(standard3), inactive);
    // For all inputs: the type alone decides, used or not.
    replies({"PCH0", "PEN0", "PRGB0"});
    for (QComboBox* s : in().ComboBox_standard) EXPECT_EQ(listColour(s), white);
    replies({"PRGB8"});
    for (QComboBox* s : in().ComboBox_standard) EXPECT_EQ(listColour(s), inactive);
    // PENA for all inputs leaves the standard lists as the type left them.
    replies({"PEN1"});
    for (QComboBox* s : in().ComboBox_standard) EXPECT_EQ(listColour(s), inactive);
    for (QComboBox* t : in().ComboBox_signaltype) EXPECT_EQ(listColour(t), white);
}

// Every operator choice on a row names the input first.
TEST_F(InputsPage, OperatorChoicesWriteTheInputFirst)
{
    in().ComboBox_signaltype[3]->setCurrentIndex(6);
    emit in().ComboBox_signaltype[3]->activated(6);
    in().ComboBox_standard[0]->setCurrentIndex(3);
    emit in().ComboBox_standard[0]->activated(3);
    in().ComboBox_standard[7]->setCurrentIndex(5);
    emit in().ComboBox_standard[7]->activated(5);
    operatorClick(w().inputPage, in().GfxRadioButton_HiZ[1]->Buttons(1));
    operatorClick(w().inputPage, in().GfxRadioButton_HiZ[1]->Buttons(0));
    operatorClick(w().inputPage, in().GfxRadioButton_HiZ[1]->Buttons(0));  // the checked one: no choice
    in().Label_input_[4]->click();
    in().CheckBox_PProc_pchan[5]->click();
    EXPECT_EQ(sent, (QStringList{"4PC", "6PR", "1PC", "3PI", "8PC", "5PI", "2PC", "1PL", "2PC", "0PL", "5PC", "1PE",
                                 "6PC", "1PP"}));
}

// The impedance group set by a report raises nothing, so nothing goes back
// to the device; the operator's choice raises the change once.
TEST_F(InputsPage, ImpedanceGroupSetFromCodeSendsNothing)
{
    TGfxRadioGroup* hiz = in().GfxRadioButton_HiZ[2];
    int changes = 0;
    auto chained = hiz->OnChange;
    hiz->OnChange = [&](TObject* s, int i) {
        ++changes;
        chained(s, i);
    };
    replies({"PCH3", "PLD1", "PLD0", "PLD1", "PCH0", "PLD0"});
    hiz->SetItemIndex(1);
    hiz->SetItemIndex(7);  // limited to the last item
    EXPECT_EQ(hiz->ItemIndex(), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(sent.isEmpty());
    operatorClick(w().inputPage, hiz->Buttons(0));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(sent, (QStringList{"3PC", "0PL"}));
    hiz->SetItemIndex(-5);
    EXPECT_EQ(hiz->ItemIndex(), -1);
    EXPECT_FALSE(hiz->Buttons(0)->Checked());
    EXPECT_FALSE(hiz->Buttons(1)->Checked());
    EXPECT_EQ(changes, 1);
}

// A burst of load reports for every input pointer sends nothing; the
// operator's click on "75 Ohms" of input 3 names the input, then writes
// the load, and the device's answer sends nothing more.
TEST_F(InputsPage, ClickOn75OhmsOfInput3WritesTheInputFirst)
{
    for (int p = 0; p <= 9; ++p) {
        const QByteArray pointer = "PCH" + QByteArray::number(p);
        replies({pointer.constData(), "PLD1", "PLD0"});
    }
    replies({"PCH3", "PLD0"});
    EXPECT_TRUE(sent.isEmpty());
    TGfxRadioGroup* hiz = in().GfxRadioButton_HiZ[2];
    ASSERT_EQ(hiz->ItemIndex(), 0);
    ASSERT_EQ(hiz->Buttons(1)->Caption(), QStringLiteral("75 Ohms"));
    operatorClick(w().inputPage, hiz->Buttons(1));
    EXPECT_EQ(sent, (QStringList{"3PC", "1PL"}));
    EXPECT_EQ(hiz->ItemIndex(), 1) << "the operator's choice shows at once";
    sent.clear();
    replies({"PCH3", "PLD1"});
    EXPECT_EQ(hiz->ItemIndex(), 1);
    EXPECT_TRUE(sent.isEmpty());
}

// The arrow keys move the check within a group, and so write the input's
// load; the tab key enters a group at its checked button only.
TEST_F(InputsPage, ArrowKeysMoveTheImpedanceChoice)
{
    replies({"PCH5", "PLD0"});
    TGfxRadioGroup* hiz = in().GfxRadioButton_HiZ[4];
    operatorClick(w().inputPage, hiz->Buttons(0));  // the focus, no change
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_FALSE(hiz->Buttons(1)->TabStop()) << "only the checked button is a tab stop";
    QTest::keyClick(hiz->Buttons(0), Qt::Key_Right);
    EXPECT_EQ(sent, (QStringList{"5PC", "1PL"}));
    EXPECT_TRUE(hiz->Buttons(1)->hasFocus());
    EXPECT_TRUE(hiz->Buttons(1)->TabStop());
    EXPECT_FALSE(hiz->Buttons(0)->TabStop());
}

// Two items in two columns, side by side, filling the group, without a
// frame.
TEST_F(InputsPage, ImpedanceGroupLaysItsItemsInTwoColumns)
{
    TGfxRadioGroup* hiz = in().GfxRadioButton_HiZ[0];
    ASSERT_EQ(hiz->ButtonCount(), 2);
    EXPECT_EQ(hiz->Buttons(0)->Caption(), QStringLiteral("Hi-Z"));
    EXPECT_EQ(hiz->Buttons(1)->Caption(), QStringLiteral("75 Ohms"));
    EXPECT_EQ(hiz->Buttons(0)->y(), hiz->Buttons(1)->y());
    EXPECT_GT(hiz->Buttons(1)->x(), hiz->Buttons(0)->geometry().right());
    EXPECT_LE(hiz->Buttons(1)->geometry().right(), hiz->width());
    EXPECT_EQ(hiz->BevelWidth(), 0);
    // 150 x 20: each item a column of 71 less a pixel all round, after the
    // item offset, and each caption whole within its item.
    for (TGfxRadioGroup* g : in().GfxRadioButton_HiZ) {
        SCOPED_TRACE(g->objectName().toStdString());
        EXPECT_EQ(g->size(), QSize(150, 20));
        EXPECT_EQ(g->Buttons(0)->geometry(), QRect(5, 2, 71, 16));
        EXPECT_EQ(g->Buttons(1)->geometry(), QRect(76, 2, 71, 16));
        g->grab();  // lays the captions out
        for (int i = 0; i < 2; ++i) {
            TGfxRadioButton* b = g->Buttons(i);
            const int needed = QFontMetrics(b->font()).horizontalAdvance(b->Caption());
            EXPECT_LE(b->TextRect().Left + needed, b->width()) << b->Caption().toStdString();
        }
    }
}

// Assistive tools read each impedance group by its row, and its items with
// the choice the device reported.
TEST_F(InputsPage, ImpedanceGroupsCanBeReadByAssistiveTools)
{
    replies({"PCH2", "PLD1", "PCH5", "PLD0"});
    for (int row = 1; row <= 8; ++row) {
        SCOPED_TRACE(row);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(in().GfxRadioButton_HiZ[size_t(row - 1)]);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Grouping);
        EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Input%1 impedance").arg(row));
        ASSERT_EQ(face->childCount(), 2);
        EXPECT_EQ(face->child(0)->text(QAccessible::Name), QStringLiteral("Hi-Z"));
        EXPECT_EQ(face->child(1)->text(QAccessible::Name), QStringLiteral("75 Ohms"));
        EXPECT_EQ(face->child(0)->role(), QAccessible::RadioButton);
        EXPECT_EQ(face->child(0)->state().checked, row == 5);
        EXPECT_EQ(face->child(1)->state().checked, row == 2);
    }
}

// A burst of every report the page follows, for every input pointer,
// writes nothing.
TEST_F(InputsPage, BurstOfReportsWritesNothing)
{
    SimDevice sim;
    for (uint32_t round = 0; round < 12; ++round) {
        for (const RegisterInfo& r : Registers)
            if (r.type != RegType::I32) sim.setValue(r.number, (uint32_t(r.number) * 7 + round * 13) % 31);
        sim.setValue(Reg::PCHAN, round % 10);
        z().receive(sim.dump());
        for (const char* line : {"CH3", "ch5", "IPS1", "IOO0", "IST0", "IFA19", "REFR9", "REFA10", "REFR0", "TAKE1",
                                 "TAKE0", "PCH0", "PEN0", "PLD1", "PRGB9", "PSTD2", "PPRC1"})
            reply(line);
    }
    EXPECT_TRUE(sent.isEmpty()) << sent.join(QLatin1Char(' ')).toStdString();
}

// The input button clicked preselects its input; the buttons keep showing
// the input on the output until the device reports the switch.
TEST_F(InputsPage, InputButtonClickPreselectsAndKeepsTheReportedButton)
{
    replies({"CH2", "ch2"});
    w().label_input[4]->click();
    EXPECT_EQ(sent, QStringList{"5c"});
    for (int i = 0; i < 8; ++i) EXPECT_EQ(w().label_input[size_t(i)]->isChecked(), i == 1) << i;
    replies({"ch5"});
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(w().label_input[size_t(i)]->palette().color(QPalette::ButtonText),
                  i == 4 ? QColor(0, 128, 0) : classic::WindowText)
            << i;
    replies({"CH5"});
    for (int i = 0; i < 8; ++i) EXPECT_EQ(w().label_input[size_t(i)]->isChecked(), i == 4) << i;
}

// A button another family holds down in a group of its own shows down
// beside the input on the output; a report of the input on the output puts
// every button back in one group, the preselection keeps the reported one.
TEST_F(InputsPage, InputButtonGroups)
{
    // Titles on with a computer reference on input 1's side: the effects
    // family holds input 1 down in a group of its own.
    replies({"TITA1", "REFA9", "CH3"});
    EXPECT_EQ(w().inputButtons.groupIndex(w().label_input[0]), 11);
    EXPECT_TRUE(w().label_input[0]->isChecked());
    EXPECT_TRUE(w().label_input[2]->isChecked());
    replies({"TITA0", "ch6"});
    for (int i = 0; i < 8; ++i) EXPECT_EQ(w().label_input[size_t(i)]->isChecked(), i == 2) << i;
    // No input on the output: no button down.
    for (const char* ichm : {"CH0", "CH9", "CH4294967295"}) {
        replies({ichm});
        for (QToolButton* b : w().label_input) EXPECT_FALSE(b->isChecked()) << ichm;
    }
}

// Pointers out of range (PCHAN, ICHM, LINDEX) in any order with every
// register they point for: nothing is stored or drawn for them, and
// nothing fails (the suite runs under AddressSanitizer in CI).
TEST_F(InputsPage, OutOfRangePointersNeverFail)
{
    for (const char* line : {"PCH9",  "PEN1",  "PRGB9", "PSTD9", "PPRC1", "PLD1",  "LIND7", "LIND4294967295",
                             "CH0",   "IPS0",  "PRGB3", "CH9",   "IFA99", "CH4294967295", "IPS1", "IOO1",
                             "PCH4294967295", "PEN0", "ch0", "ch9", "REFA12", "REFF99", "REFR11", "PROC99",
                             "CH1",   "PCH1",  "PRGB99", "IPS0"})
        reply(line);
    w().state.perInput.LDYSPLAY.store(12, 1);
    w().state.perInput.LPLOGO.store(1, 7, 3);
    for (int what = 40; what <= 55; ++what) in().Tableau_input(what);
    EXPECT_EQ(w().state.perInput.PENA.entry, (std::array<uint8_t, 9>{}));
    EXPECT_EQ(in().status().Label_status_prgbi->text(), QString()) << "type 99 has no text";
    EXPECT_TRUE(sent.isEmpty());
}

// Every input reported unused at once: all eight boxes and buttons at
// once, and "Input unused" on input 5 then reads the entry copied for it.
TEST_F(InputsPage, ReplyForAllInputsReachesEveryEntry)
{
    replies({"PCH0", "PEN1"});
    for (QCheckBox* b : in().Label_input_) EXPECT_TRUE(b->isChecked());
    nm().all_PopupMenuPopup(w().label_input[4]);
    nm().all_Used->trigger();
    EXPECT_EQ(sent, (QStringList{"5PC", "0PE"}));
    replies({"PEN0"});
    for (QToolButton* b : w().label_input) EXPECT_FALSE(b->isEnabled());
}

// The hourglass shows while the device takes a switch, once however often
// TAKE is reported, and goes when the link drops in the middle.
TEST_F(InputsPage, HourglassWhileTakingClearedWhenTheLinkDrops)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    replies({"TAKE1", "TAKE1"});
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    replies({"TAKE0"});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    replies({"TAKE0", "TAKE1"});
    z().SetForceConn(false);
    z().LinkTimerTick();
    ASSERT_FALSE(z().Connected());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(in().hourglass());
}

// The sharpness list follows PROC without writing it back.
TEST_F(InputsPage, SharpnessFollowsProc)
{
    auto* process = find<QComboBox>(QStringLiteral("ComboBox_process"));
    replies({"PROC5"});
    EXPECT_EQ(process->currentText(), QStringLiteral("Sharpness Level 5"));
    replies({"PROC8"});
    EXPECT_EQ(process->currentIndex(), -1);
    EXPECT_TRUE(sent.isEmpty());
}
