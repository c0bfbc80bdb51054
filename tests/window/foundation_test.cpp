// The frame every page stands on: which family follows which device event,
// in which order, the controls FormCreate acts on, the menus' radio groups,
// "Save as" over an existing file, and the look of disabled controls.
#include "window_fixture.h"

#include "families.h"
#include "model_layout.h"
#include "required_child.h"
#include "menu_columns.h"
#include "tool_events.h"
#include "image_controller.h"
#include "inputs_controller.h"
#include "logos_controller.h"
#include "effects_controller.h"
#include "output_controller.h"

#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTimer>

#include <set>
#include <tuple>

using Ev = TZEPH350_d::Event;

namespace {

struct Binding {
    Ev event;
    Family family;
    const char* handler;
};

// Every change handler of the built pages, with the family that binds it.
// The table grows with each page.
const Binding kBindings[] = {
    {Ev::OnConnected, Family::Connection, "ZEPH350_d1Connected"},
    {Ev::OnReady, Family::Connection, "ZEPH350_d1Ready"},
    {Ev::OnDEVchange, Family::Connection, "ZEPH350_d1DEVchange"},
    {Ev::OnDEVchange, Family::ModelLayout, "ZEPH350_d1DEVchange"},
    {Ev::ONRS232busy, Family::Connection, "ZEPH350_d1RS232busy"},
    {Ev::OnLOCAL_IPchange, Family::Connection, "ZEPH350_d1LOCAL_IPchange"},
    {Ev::OnREMOTE_IPchange, Family::Connection, "ZEPH350_d1REMOTE_IPchange"},
    {Ev::OnGATEWAY_IPchange, Family::Connection, "ZEPH350_d1GATEWAY_IPchange"},
    {Ev::OnLOCAL_PORTchange, Family::Connection, "ZEPH350_d1LOCAL_PORTchange"},
    {Ev::OnREMOTE_PORTchange, Family::Connection, "ZEPH350_d1REMOTE_PORTchange"},
    {Ev::OnNETMASKchange, Family::Connection, "ZEPH350_d1NETMASKchange"},
    {Ev::OnIFRZchange, Family::Connection, "ZEPH350_d1IFRZchange"},
    {Ev::OnOBLKchange, Family::Connection, "ZEPH350_d1OBLKchange"},
    {Ev::OnHPOSchange, Family::Image, "ZEPH350_d1HPOSchange"},
    {Ev::OnVPOSchange, Family::Image, "ZEPH350_d1VPOSchange"},
    {Ev::OnHSIZchange, Family::Image, "ZEPH350_d1HSIZchange"},
    {Ev::OnVSIZchange, Family::Image, "ZEPH350_d1VSIZchange"},
    {Ev::OnBLKLVchange, Family::Image, "ZEPH350_d1BLKLVchange"},
    {Ev::OnHUEchange, Family::Image, "ZEPH350_d1HUEchange"},
    {Ev::OnOPTIchange, Family::Image, "ZEPH350_d1OPTIchange"},
    {Ev::OnDDIVIDERchange, Family::Image, "ZEPH350_d1DDIVIDERchange"},
    {Ev::OnDPHASEchange, Family::Image, "ZEPH350_d1DPHASEchange"},
    {Ev::OnBRGTchange, Family::Image, "ZEPH350_d1BRGTchange"},
    {Ev::OnCONTRchange, Family::Image, "ZEPH350_d1CONTRchange"},
    {Ev::OnCOLORchange, Family::Image, "ZEPH350_d1COLORchange"},
    {Ev::OnRLVchange, Family::Image, "ZEPH350_d1RLVchange"},
    {Ev::OnGLVchange, Family::Image, "ZEPH350_d1GLVchange"},
    {Ev::OnBLVchange, Family::Image, "ZEPH350_d1BLVchange"},
    {Ev::OnSTOREchange, Family::Image, "ZEPH350_d1STOREchange"},
    {Ev::OnIASPRchange, Family::Image, "ZEPH350_d1IASPRchange"},
    {Ev::OnDIVIDERchange, Family::Image, "ZEPH350_d1DIVIDERchange"},
    {Ev::OnOFMTchange, Family::Output, "ZEPH350_d1OFMTchange"},
    {Ev::OnOSYNCchange, Family::Output, "ZEPH350_d1OSYNCchange"},
    {Ev::OnOSCREENchange, Family::Output, "ZEPH350_d1OSCREENchange"},
    {Ev::OnOPATchange, Family::Output, "ZEPH350_d1OPATchange"},
    {Ev::OnMHPOSchange, Family::Output, "ZEPH350_d1MHPOSchange"},
    {Ev::OnMHSIZchange, Family::Output, "ZEPH350_d1MHSIZchange"},
    {Ev::OnMVPOSchange, Family::Output, "ZEPH350_d1MVPOSchange"},
    {Ev::OnMVSIZchange, Family::Output, "ZEPH350_d1MVSIZchange"},
    {Ev::OnOVERchange, Family::Output, "ZEPH350_d1OVERchange"},
    {Ev::OnIASPchange, Family::Output, "ZEPH350_d1IASPchange"},
    {Ev::OnHSMTchange, Family::Output, "ZEPH350_d1HSMTchange"},
    {Ev::OnVSMTchange, Family::Output, "ZEPH350_d1VSMTchange"},
    {Ev::OnVERIchange, Family::Output, "ZEPH350_d1VERIchange"},
    {Ev::OnVERKchange, Family::Output, "ZEPH350_d1VERKchange"},
    {Ev::OnVERSchange, Family::Output, "ZEPH350_d1VERSchange"},
    {Ev::OnVERFchange, Family::Output, "ZEPH350_d1VERFchange"},
    {Ev::OnVERVchange, Family::Output, "ZEPH350_d1VERVchange"},
    {Ev::OnVERUPDchange, Family::Output, "ZEPH350_d1VERUPDchange"},
    {Ev::OnOPTchange, Family::Output, "ZEPH350_d1OPTchange"},
    {Ev::OnACHANchange, Family::Audio, "ZEPH350_d1ACHANchange"},
    {Ev::OnAMODchange, Family::Audio, "ZEPH350_d1AMODchange"},
    {Ev::OnALEVchange, Family::Audio, "ZEPH350_d1ALEVchange"},
    {Ev::OnABALANCEchange, Family::Audio, "ZEPH350_d1ABALANCEchange"},
    {Ev::OnAMASTchange, Family::Audio, "ZEPH350_d1AMASTchange"},
    {Ev::OnAMUTEchange, Family::Audio, "ZEPH350_d1AMUTEchange"},
    {Ev::OnATONEchange, Family::VoiceOver, "ZEPH350_d1ATONEchange"},
    {Ev::OnAMICchange, Family::VoiceOver, "ZEPH350_d1AMICchange"},
    {Ev::OnADEPTHchange, Family::VoiceOver, "ZEPH350_d1ADEPTHchange"},
    {Ev::OnADLEVchange, Family::VoiceOver, "ZEPH350_d1ADLEVchange"},
    {Ev::OnACMPchange, Family::VoiceOver, "ZEPH350_d1ACMPchange"},
    {Ev::OnAGATchange, Family::VoiceOver, "ZEPH350_d1AGATchange"},
    {Ev::OnARELEASEchange, Family::VoiceOver, "ZEPH350_d1ARELEASEchange"},
    {Ev::OnEFFAVchange, Family::Effects, "ZEPH350_d1EFFAVchange"},
    {Ev::OnEFFOUTchange, Family::Effects, "ZEPH350_d1EFFOUTchange"},
    {Ev::OnFADDURchange, Family::Effects, "ZEPH350_d1FADDURchange"},
    {Ev::OnSHACTchange, Family::Effects, "ZEPH350_d1SHACTchange"},
    {Ev::OnSHVPOchange, Family::Effects, "ZEPH350_d1SHVPOchange"},
    {Ev::OnSHVSZchange, Family::Effects, "ZEPH350_d1SHVSZchange"},
    {Ev::OnTITAchange, Family::Effects, "ZEPH350_d1TITAchange"},
    {Ev::OnLFADEchange, Family::Effects, "ZEPH350_d1LFADEchange"},
    {Ev::OnBFCRchange, Family::Effects, "ZEPH350_d1BFCRchange"},
    {Ev::OnBFCGchange, Family::Effects, "ZEPH350_d1BFCGchange"},
    {Ev::OnBFCBchange, Family::Effects, "ZEPH350_d1BFCBchange"},
    {Ev::OnEPDchange, Family::Effects, "ZEPH350_d1EPDchange"},
    {Ev::OnAUTOFRAMEchange, Family::Effects, "ZEPH350_d1AUTOFRAMEchange"},
    {Ev::OnEISPchange, Family::Effects, "ZEPH350_d1EISPchange"},
    {Ev::OnLOCKchange, Family::Effects, "ZEPH350_d1LOCKchange"},
    {Ev::OnSTDBYchange, Family::Standby, "ZEPH350_d1STDBYchange"},
    {Ev::OnSTDBYENchange, Family::Standby, "ZEPH350_d1STDBYENchange"},
    {Ev::OnMESSRATEchange, Family::Standby, "ZEPH350_d1MESSRATEchange"},
    {Ev::OnMESSCTRLchange, Family::Standby, "ZEPH350_d1MESSCTRLchange"},
    {Ev::OnMESSONchange, Family::Standby, "ZEPH350_d1MESSONchange"},
    {Ev::OnMESSOFFchange, Family::Standby, "ZEPH350_d1MESSOFFchange"},
    {Ev::OnRecString, Family::Console, "RecString"},
    {Ev::OnPENAchange, Family::Inputs, "ZEPH350_d1PENAchange"},
    {Ev::OnPLOADchange, Family::Inputs, "ZEPH350_d1PLOADchange"},
    {Ev::OnPRGBIchange, Family::Inputs, "ZEPH350_d1PRGBIchange"},
    {Ev::OnPISTDchange, Family::Inputs, "ZEPH350_d1PISTDchange"},
    {Ev::OnICHMchange, Family::Inputs, "ZEPH350_d1ICHMchange"},
    {Ev::OnICHPchange, Family::Inputs, "ZEPH350_d1ICHPchange"},
    {Ev::OnIFAMMchange, Family::Inputs, "ZEPH350_d1IFAMMchange"},
    {Ev::OnIHPOLMchange, Family::Inputs, "ZEPH350_d1IHPOLMchange"},
    {Ev::OnIVPOLMchange, Family::Inputs, "ZEPH350_d1IVPOLMchange"},
    {Ev::OnIPSIGMchange, Family::Inputs, "ZEPH350_d1IPSIGMchange"},
    {Ev::OnIOORMchange, Family::Inputs, "ZEPH350_d1IOORMchange"},
    {Ev::OnISYNCMchange, Family::Inputs, "ZEPH350_d1ISYNCMchange"},
    {Ev::OnIINTMchange, Family::Inputs, "ZEPH350_d1IINTMchange"},
    {Ev::OnILDMchange, Family::Inputs, "ZEPH350_d1ILDMchange"},
    {Ev::OnIFDMchange, Family::Inputs, "ZEPH350_d1IFDMchange"},
    {Ev::OnUNITYchange, Family::Inputs, "ZEPH350_d1UNITYchange"},
    {Ev::OnPROCchange, Family::Inputs, "ZEPH350_d1PROCchange"},
    {Ev::OnTAKEchange, Family::Inputs, "ZEPH350_d1TAKEchange"},
    {Ev::OnConnected, Family::Inputs, "ZEPH350_d1Connected"},
    {Ev::OnREFFAMchange, Family::Inputs, "ZEPH350_d1REFFAMchange"},
    {Ev::OnREFFRQchange, Family::Inputs, "ZEPH350_d1REFFRQchange"},
    {Ev::OnREFREQchange, Family::Inputs, "ZEPH350_d1REFREQchange"},
    {Ev::OnREFSTAchange, Family::Inputs, "ZEPH350_d1REFSTAchange"},
    {Ev::OnPPROCchange, Family::Names, "ZEPH350_d1PPROCchange"},
    {Ev::OnLHPOSchange, Family::Logos, "ZEPH350_d1LHPOSchange"},
    {Ev::OnLVPOSchange, Family::Logos, "ZEPH350_d1LVPOSchange"},
    {Ev::OnLHSIZchange, Family::Logos, "ZEPH350_d1LHSIZchange"},
    {Ev::OnLVSIZchange, Family::Logos, "ZEPH350_d1LVSIZchange"},
    {Ev::OnLLEVELchange, Family::Logos, "ZEPH350_d1LLEVELchange"},
    {Ev::OnLBLACKCOLchange, Family::Logos, "ZEPH350_d1LBLACKCOLchange"},
    {Ev::OnLMODEchange, Family::Logos, "ZEPH350_d1LMODEchange"},
    {Ev::OnLSTOREchange, Family::Logos, "ZEPH350_d1LSTOREchange"},
    {Ev::OnLEMPTYchange, Family::Logos, "ZEPH350_d1LEMPTYchange"},
    {Ev::OnLPIXELSIZchange, Family::Logos, "ZEPH350_d1LPIXEL_LLINE_SIZchange"},
    {Ev::OnLLINESIZchange, Family::Logos, "ZEPH350_d1LPIXEL_LLINE_SIZchange"},
    {Ev::OnLSTATUSchange, Family::Logos, "ZEPH350_d1LSTATUSchange"},
    {Ev::OnLOFMTchange, Family::Logos, "ZEPH350_d1LOFMTchange"},
    {Ev::OnLINDEXchange, Family::Logos, "ZEPH350_d1LINDEXchange"},
    {Ev::OnLPLOGOchange, Family::Logos, "ZEPH350_d1LPLOGOchange"},
    {Ev::OnLDYSPLAYchange, Family::Logos, "ZEPH350_d1LDYSPLAYchange"},
    {Ev::OnLFRAMEDURchange, Family::Logos, "ZEPH350_d1LFRAMEDURchange"},
    {Ev::OnLLOGODURchange, Family::Logos, "ZEPH350_d1LLOGODURchange"},
    {Ev::OnConnected, Family::Logos, "ZEPH350_d1Connected"},
};

}  // namespace

// Each handler is bound once, by its family, under its own name, and the
// window binds nothing that the table does not list.
TEST_F(WindowTest, EveryHandlerIsBoundOnceByItsFamily)
{
    start();
    std::set<std::tuple<int, int, std::string>> expected;
    for (const Binding& b : kBindings) {
        const auto subs = z().subscriptions(b.event);
        int found = 0;
        for (const auto& s : subs) found += s.order == int(b.family) && std::string(s.name) == b.handler;
        EXPECT_EQ(found, 1) << b.handler << " by " << familyName(b.family);
        expected.insert({int(b.event), int(b.family), b.handler});
    }
    for (int i = 0; i < TZEPH350_d::EventCount; ++i)
        for (const auto& s : z().subscriptions(Ev(i)))
            EXPECT_TRUE(expected.count({i, s.order, s.name}))
                << "unlisted binding " << s.name << " of " << TZEPH350_d::eventName(Ev(i)) << " by "
                << familyName(Family(s.order));
}

// A second controller of a family that follows an event already is refused
// at once, and the first one keeps its bindings.
TEST_F(WindowTest, BindingAFamilyTwiceFailsAndKeepsTheFirst)
{
    start();
    QWidget pages[3];
    EXPECT_THROW(ImageController(z(), &pages[0], &pages[1], &pages[2], &w()), std::logic_error);
    connect();
    reply("BRG200");
    EXPECT_EQ(w().findChild<QLineEdit*>(QStringLiteral("Edit_brightness"))->text(), QStringLiteral("72"));
}

// DEV matters to several families. The connection family sets the label
// first; any family ordered after it sees the label already set, any
// before it (the direct handler, key 0) sees it not yet set.
TEST_F(WindowTest, SharedEventRunsFamiliesInTheirOrder)
{
    start();
    QStringList seen;
    auto* label = w().connection;
    z().setHandler(Ev::OnDEVchange, [&](TZEPH350_d*, int) { seen << QStringLiteral("before:") + label->text(); });
    ASSERT_TRUE(z().subscribe(Ev::OnDEVchange, int(Family::Console) + 1, "stand-in",
                              [&](TZEPH350_d*, int) { seen << QStringLiteral("after:") + label->text(); }));
    reply("DEV23");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("before:Device NOT connected"),
                                 QStringLiteral("after:    Device connected")}));
    z().unsubscribe(Ev::OnDEVchange, int(Family::Console) + 1);
}

// FormCreate's eight steps find their controls: every page's controller is
// built before it runs.
TEST_F(WindowTest, FormCreateActsOnRealControls)
{
    start();
    auto* type1 = w().findChild<QComboBox*>(QStringLiteral("ComboBox_signaltype1"));
    auto* standard1 = w().findChild<QComboBox*>(QStringLiteral("ComboBox_standard1"));
    ASSERT_NE(type1, nullptr);
    ASSERT_NE(standard1, nullptr);
    EXPECT_EQ(type1->count(), 10);
    EXPECT_EQ(standard1->count(), 7);
    for (int i = 2; i <= 8; ++i) {
        auto* type = w().findChild<QComboBox*>(QStringLiteral("ComboBox_signaltype%1").arg(i));
        auto* standard = w().findChild<QComboBox*>(QStringLiteral("ComboBox_standard%1").arg(i));
        ASSERT_NE(type, nullptr);
        ASSERT_NE(standard, nullptr);
        ASSERT_EQ(type->count(), type1->count()) << i;
        ASSERT_EQ(standard->count(), standard1->count()) << i;
        for (int k = 0; k < type1->count(); ++k) EXPECT_EQ(type->itemText(k), type1->itemText(k));
        for (int k = 0; k < standard1->count(); ++k) EXPECT_EQ(standard->itemText(k), standard1->itemText(k));
    }
    EXPECT_EQ(type1->itemText(7), QStringLiteral("Computer H&V/C"));

    // The popup with its one item, on the logo tab control.
    ASSERT_NE(w().logoPopup, nullptr);
    ASSERT_EQ(w().logoPopup->actions().size(), 1);
    EXPECT_EQ(w().logoPopup->actions().front()->text(), QStringLiteral("Mouse"));
    EXPECT_EQ(w().logos().TabControl_logo->contextMenuPolicy(), Qt::CustomContextMenu);

    // The ten logo names in the sixteen lists, item 0 selected; logos 1 to
    // 8 in the store list.
    for (QComboBox* c : w().logos().assignment().new_Combologo) {
        ASSERT_EQ(c->count(), 10);
        EXPECT_EQ(c->currentIndex(), 0);
        EXPECT_EQ(c->itemText(1), QStringLiteral("Frame"));
    }
    for (QComboBox* c : w().logos().assignment().LINDEX2_Combologo) EXPECT_EQ(c->count(), 10);
    ASSERT_EQ(w().logos().ComboBox_lstore->count(), 8);
    EXPECT_EQ(w().logos().ComboBox_lstore->itemText(0), QStringLiteral("Logo 1"));

    EXPECT_EQ(w().effects().StaticText_effect->height(), 12);
    EXPECT_EQ(w().output().Panel_mire_en_seamless->y(), 340);
}

// Every name by which a family reaches a control or a menu item stands for
// one: the menu items the families hold (each set, under its design name),
// the model table's controls, the logo page's groups and twins, and the
// image controls the signal description shows and hides. A control renamed
// in one place and not in the other fails here, by name.
TEST_F(WindowTest, EveryNameTheFamiliesUseIsAControl)
{
    start();
    const TZEPH350_main::MenuItems& m = w().menu;
    std::vector<std::pair<QAction*, QString>> items = {
        {m.New1, "New1"},
        {m.Open1, "Open1"},
        {m.Save1, "Save1"},
        {m.Saveas1, "Saveas1"},
        {m.Exit1, "Exit1"},
        {m.activated1, "activated1"},
        {m.dsactivated1, "dsactivated1"},
        {m.AutoFrame1 ? m.AutoFrame1->menuAction() : nullptr, "AutoFrame1"},
        {m.ON1, "ON1"},
        {m.Off1, "Off1"},
        {m.menuitem_On, "menuitem_On"},
        {m.menuitem_Off, "menuitem_Off"},
        {m.FadeColor_et_Frame, "FadeColor_et_Frame"},
        {m.Cleancutinfo, "Cleancutinfo"},
        {m.From_Computer, "From_Computer"},
        {m.From_Video, "From_Video"},
        {m.From_ALL, "From_ALL"},
        {m.Menus1, "Menus1"},
        {m.Input9, "Input9"},
        {m.AllLock1, "AllLock1"},
        {m.Eraseallmemories1, "Eraseallmemories1"},
        {m.Defaultvalues1, "Defaultvalues1"},
        {m.On_stdby, "On_stdby"},
        {m.Off_stdby, "Off_stdby"},
        {m.DelayStandby1, "DelayStandby1"},
        {m.N19200bauds1, "N19200bauds1"},
        {m.N9600bauds1, "N9600bauds1"},
        {m.N2400bauds1, "N2400bauds1"},
        {m.N1200bauds1, "N1200bauds1"},
        {m.MessageON1, "MessageON1"},
        {m.MessageOFF1, "MessageOFF1"},
        {m.Frame, "Frame"},
        {m.Default1, "Default1"},
        {m.HD15Pinassignment1, "HD15Pinassignment1"},
        {m.AboutZEPH1, "AboutZEPH1"},
        {w().Mouse1, "Mouse1"},
    };
    for (size_t i = 0; i < 8; ++i) {
        items.push_back({m.Input[i], QStringLiteral("Input%1").arg(i + 1)});
        items.push_back({m.Audio[i], QStringLiteral("Audio%1").arg(i + 1)});
        items.push_back({m.Logo[i], QStringLiteral("Logo%1").arg(i + 1)});
    }
    for (const auto& [item, name] : items) {
        ASSERT_NE(item, nullptr) << name.toStdString();
        EXPECT_EQ(item->objectName(), name);
    }

    for (const auto& n : ModelLayoutController::tableNames())
        EXPECT_NE(w().modelLayout().find(n), nullptr) << "model table: " << n.name.toStdString();
    for (const QString& name : LogosController::groupNames())
        EXPECT_NE(w().logoFramePage->findChild<QWidget*>(name), nullptr) << "logo page: " << name.toStdString();
    for (const QString& name : InputStatusController::imageControlNames())
        EXPECT_NE(w().imagePage->findChild<QWidget*>(name), nullptr) << "image page: " << name.toStdString();
}

// A family that reaches another's control by a name that names nothing
// stops the window's construction instead of skipping the step later.
TEST(RequiredChild, AMissingNameStopsTheConstruction)
{
    QWidget root;
    auto* edit = new QLineEdit(&root);
    edit->setObjectName(QStringLiteral("Edit_hue"));
    EXPECT_EQ(requiredChild<QLineEdit>(&root, "Edit_hue"), edit);
    EXPECT_THROW(requiredChild<QLineEdit>(&root, "Edit_hues"), std::logic_error);
    // The right name on a control of another kind is missing as well.
    EXPECT_THROW(requiredChild<QComboBox>(&root, "Edit_hue"), std::logic_error);
}

// Every radio group of the menus is exclusive: drawn as radio items,
// checking one unchecks the others.
TEST_F(WindowTest, MenuRadioGroupsAreExclusive)
{
    start();
    const QStringList groups[] = {
        {"com1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10", "MIPConfig"},
        {"activated1", "dsactivated1"},
        {"ON1", "Off1"},
        {"menuitem_On", "menuitem_Off"},
        {"From_Computer", "From_Video", "From_ALL"},
        {"On_stdby", "Off_stdby"},
        {"N19200bauds1", "N9600bauds1", "N2400bauds1", "N1200bauds1"},
    };
    for (const QStringList& names : groups) {
        QActionGroup* group = nullptr;
        for (const QString& n : names) {
            QAction* a = action(qPrintable(n));
            ASSERT_NE(a, nullptr) << n.toStdString();
            ASSERT_NE(a->actionGroup(), nullptr) << n.toStdString();
            if (!group) group = a->actionGroup();
            EXPECT_EQ(a->actionGroup(), group) << n.toStdString();
        }
        EXPECT_EQ(group->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
        EXPECT_EQ(group->actions().size(), names.size()) << names.front().toStdString();
    }

    // The operator picks COM3: only COM3 is checked. A cancelled "&LAN
    // Setup" changes nothing, COM3 stays checked.
    action("COM3")->trigger();
    for (QAction* a : w().linkGroup->actions()) EXPECT_EQ(a->isChecked(), a->objectName() == "COM3") << a->objectName().toStdString();
    action("MIPConfig")->trigger();  // the fake prompter cancels the dialog
    for (QAction* a : w().linkGroup->actions()) EXPECT_EQ(a->isChecked(), a->objectName() == "COM3") << a->objectName().toStdString();
}

// "Save as" with a bare name over an existing "<name>.ini": the dialog adds
// the extension before it asks whether to replace the file, and "No"
// writes nothing.
TEST_F(WindowTest, SaveAsOverAnExistingNameAsksAndNoWritesNothing)
{
    start();
    setPrompter(nullptr);  // the real dialog this time
    const QByteArray original = "keep me\r\n";
    writeFile(scratch.path(QStringLiteral("mine.ini")), original);

    int questions = 0;
    bool typed = false;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            ++questions;
            EXPECT_TRUE(box->text().contains(QStringLiteral("mine.ini"))) << box->text().toStdString();
            box->button(QMessageBox::No)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (!typed) {
                typed = true;
                dialog->setDirectory(scratch.path(QString()));
                // Typed by the operator, without the extension.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(QStringLiteral("mine"));
                // Queued: the question it asks runs outside this timer.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (questions > 0) {
                dialog->reject();
            }
        }
    });
    driver.start();
    files().Saveas1Click();
    driver.stop();
    setPrompter(&prompts);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(readFile(scratch.path(QStringLiteral("mine.ini"))), original);
    EXPECT_EQ(w().state.Settings_file_name, QStringLiteral("zeph350.ini"));
}

// Through the prompter, the save dialog gets the extension to add.
TEST_F(WindowTest, SaveAsGivesTheDialogTheIniSuffix)
{
    start();
    prompts.saveAnswer = scratch.path(QStringLiteral("copy.ini"));
    files().Saveas1Click();
    EXPECT_EQ(prompts.saveSuffix, QStringLiteral("ini"));
    EXPECT_TRUE(readFile(scratch.path(QStringLiteral("copy.ini"))).startsWith("0=COM1\r\n"));
}

namespace {

// The program's look for one case; the application's own comes back after.
class LookScope {
public:
    LookScope()
        : style_(QApplication::style()->name()), palette_(QApplication::palette()), font_(QApplication::font())
    {
        applyLook(*qApp);
    }
    ~LookScope()
    {
        QApplication::setStyle(QStyleFactory::create(style_));
        QApplication::setPalette(palette_);
        QApplication::setFont(font_);
    }

private:
    QString style_;
    QPalette palette_;
    QFont font_;
};

// The darkest pixel of a control as drawn, and whether any pixel is
// clearly red.
struct Ink {
    int darkest = 255;
    bool red = false;
};
Ink inkOf(QWidget* w)
{
    const QImage image = w->grab().toImage();
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ink.darkest = std::min(ink.darkest, std::max({c.red(), c.green(), c.blue()}));
            ink.red |= c.red() > 160 && c.green() < 90 && c.blue() < 90;
        }
    }
    return ink;
}

}  // namespace

// Disabled controls write their text in the classic grey, in the look's
// palette and in the colours a control takes of its own (the logo display
// buttons' red "OFF", the input buttons' colours); enabled, they are black.
TEST_F(WindowTest, DisabledControlsLookDisabled)
{
    LookScope look;
    const QPalette p = classicPalette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        EXPECT_EQ(p.color(QPalette::Disabled, role), QColor(128, 128, 128)) << role;
        EXPECT_EQ(p.color(QPalette::Active, role), QColor(0, 0, 0)) << role;
        EXPECT_EQ(p.color(QPalette::Inactive, role), QColor(0, 0, 0)) << role;
        EXPECT_EQ(QApplication::palette().color(QPalette::Disabled, role), QColor(128, 128, 128)) << role;
    }

    start();
    connect();
    reply("DEV23");  // the effect buttons and the logo rows are shown
    w().show();
    QToolButton* cut = w().findChild<QToolButton*>(QStringLiteral("SpeedButton_cut"));
    QLineEdit* fade = w().findChild<QLineEdit*>(QStringLiteral("Edit_FDUR"));
    QPushButton* display = w().findChild<QPushButton*>(QStringLiteral("BitBtn_Input_1"));
    ASSERT_TRUE(cut && fade && display);
    reply("PC1");
    reply("LDYS0");  // "OFF" in red while enabled
    ASSERT_EQ(display->text(), QStringLiteral("OFF"));

    reply("EFFA1");
    reply("LMOD0");  // the logo display buttons are enabled in use mode
    ASSERT_TRUE(cut->isEnabled() && display->isEnabled());
    EXPECT_LT(inkOf(cut).darkest, 60) << "enabled text is black";
    EXPECT_LT(inkOf(fade).darkest, 60);
    EXPECT_TRUE(inkOf(display).red);

    reply("EFFA0");
    reply("LMOD3");  // no mode: the buttons are disabled
    ASSERT_FALSE(cut->isEnabled() || fade->isEnabled() || display->isEnabled());
    EXPECT_GE(inkOf(cut).darkest, 100) << "disabled text drawn black";
    EXPECT_GE(inkOf(fade).darkest, 100);
    EXPECT_GE(inkOf(display).darkest, 100);
    EXPECT_FALSE(inkOf(display).red) << "a disabled button keeps its own text colour";
}

// The input buttons start in their design's group 10; the report of the
// input on the output puts them in group 1 with that input's button down.
TEST_F(WindowTest, InputButtonsStartInGroupTen)
{
    start();
    for (QToolButton* b : w().label_input) {
        EXPECT_EQ(w().inputButtons.groupIndex(b), 10) << b->objectName().toStdString();
        EXPECT_FALSE(b->isChecked());
    }
    connect();
    reply("CH3");
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w().inputButtons.groupIndex(w().label_input[size_t(i)]), 1) << i;
        EXPECT_EQ(w().label_input[size_t(i)]->isChecked(), i == 2) << i;
    }
}

namespace {

// Answers every input box with Cancel and records its title.
struct CancellingPrompter : FakePrompter {
    QStringList titles;
    std::optional<QString> inputBox(QWidget*, const QString& title, const QString&, const QString&) override
    {
        titles << title;
        return std::nullopt;
    }
};

}  // namespace

// "C&ustomize": "Logo 1" starts the second column; the design's captionless
// filler items take no row on any model.
TEST_F(WindowTest, CustomizeMenuHasTwoColumns)
{
    start();
    connect();
    auto* menu = w().findChild<QMenu*>(QStringLiteral("Customize1"));
    auto* columns = menu->findChild<MenuColumns*>();
    ASSERT_NE(columns, nullptr);
    auto at = [&](const char* name) {
        MenuColumnItem* i = columns->item(action(name));
        EXPECT_NE(i, nullptr) << name;
        return i ? QRect(i->mapTo(columns, QPoint(0, 0)), i->size()) : QRect();
    };
    for (uint32_t dev : {23u, 18u, 21u, 26u}) {
        reply(qPrintable(QStringLiteral("DEV%1").arg(dev)));
        menu->popup(QPoint(0, 0));
        QCoreApplication::processEvents();
        const std::string where = "model " + std::to_string(dev);
        for (MenuColumnItem* i : columns->items()) {
            const bool shown = i->isVisibleTo(columns);
            EXPECT_EQ(shown, i->action()->isVisible() && !i->action()->text().isEmpty())
                << where << " " << i->objectName().toStdString();
            if (shown) {
                EXPECT_FALSE(i->text().isEmpty()) << where << ": a blank row";
            }
        }
        EXPECT_EQ(columns->column(columns->item(action("Input1"))), 0);
        EXPECT_EQ(columns->column(columns->item(action("Audio8"))), 0);
        EXPECT_EQ(columns->column(columns->item(action("Logo1"))), 1);
        EXPECT_EQ(columns->column(columns->item(action("Default1"))), 1);
        if (dev != 26) {
            EXPECT_EQ(at("Logo1").top(), at("Input1").top()) << where << ": \"Logo 1\" heads the second column";
            EXPECT_GT(at("Logo1").left(), at("Input1").right()) << where;
            EXPECT_EQ(at("Default1").top(), at("Frame").bottom() + 1) << where << ": rows between Frame and Default";
        } else {
            EXPECT_EQ(at("Default1").top(), at("Input1").top()) << where;
        }
        menu->hide();
    }
}

// However the menu comes up (a plain show sends no aboutToShow), its items
// are those their actions want: no row for the captionless fillers.
TEST_F(WindowTest, CustomizeMenuShownWithoutPopupHasNoBlankRows)
{
    start();
    auto* menu = w().findChild<QMenu*>(QStringLiteral("Customize1"));
    auto* columns = menu->findChild<MenuColumns*>();
    ASSERT_NE(columns, nullptr);
    menu->show();
    QCoreApplication::processEvents();
    for (MenuColumnItem* i : columns->items())
        EXPECT_EQ(i->isVisibleTo(columns), !i->action()->text().isEmpty() && i->action()->isVisible())
            << i->objectName().toStdString();
    menu->hide();
}

namespace {

// The main window shown and active, with the "C&ustomize" menu at hand;
// keys go in where the platform puts them (the window system's window of
// the main window: Qt hands them to the open menu, as it does a real
// keyboard's).
struct CustomizeMenu {
    TZEPH350_main& w;
    QMenu* menu;
    MenuColumns* columns;
    explicit CustomizeMenu(TZEPH350_main& window)
        : w(window),
          menu(window.findChild<QMenu*>(QStringLiteral("Customize1"))),
          columns(menu ? menu->findChild<MenuColumns*>() : nullptr)
    {
        w.show();
        QApplication::setActiveWindow(&w);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(w.windowHandle(), key, mods);
    }
    QMenu* menuOf(const char* name) const { return w.findChild<QMenu*>(QString::fromLatin1(name)); }
    QString current() const
    {
        return columns->current() ? columns->current()->action()->objectName() : QString();
    }
};

}  // namespace

// Alt+U opens the menu with its first item current; the arrows go through
// the items in order (round from one end to the other) and across the
// columns, Return chooses: the menu closes and the item runs.
TEST_F(WindowTest, CustomizeMenuByKeyboard)
{
    start();
    CancellingPrompter asked;
    setPrompter(&asked);
    CustomizeMenu c(w());
    ASSERT_TRUE(c.columns);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QWidget* focused = QApplication::focusWidget();
    ASSERT_TRUE(focused);
    c.press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    EXPECT_EQ(c.current(), QStringLiteral("Input1"));
    // The first column ends on "Audio 8" (16 rows), the second on "Default"
    // (10 rows). Tab and Shift+Tab are Down and Up, as in a menu.
    const struct {
        Qt::Key key;
        const char* then;
    } steps[] = {{Qt::Key_Up, "Default1"}, {Qt::Key_Down, "Input1"},  {Qt::Key_Down, "Input2"},
                 {Qt::Key_Right, "Logo2"}, {Qt::Key_Up, "Logo1"},    {Qt::Key_Up, "Audio8"},
                 {Qt::Key_Down, "Logo1"},  {Qt::Key_Left, "Input1"}, {Qt::Key_Up, "Default1"},
                 {Qt::Key_Left, "Audio2"}, {Qt::Key_Tab, "Audio3"},   {Qt::Key_Down, "Audio4"},
                 {Qt::Key_Backtab, "Audio3"}};
    for (const auto& s : steps) {
        c.press(s.key);
        EXPECT_EQ(c.current(), QString::fromLatin1(s.then)) << QKeySequence(s.key).toString().toStdString();
    }
    EXPECT_TRUE(asked.titles.isEmpty());
    c.press(Qt::Key_Return);
    EXPECT_FALSE(c.menu->isVisible());
    EXPECT_EQ(asked.titles, QStringList{QStringLiteral("Change the button' label AUDIO 3")});
    // The keyboard is back where it was, not left on the menu bar.
    EXPECT_EQ(QApplication::focusWidget(), focused);

    // Disabled items are passed over, from the opening on; Space chooses.
    action("Input1")->setEnabled(false);
    action("Input3")->setEnabled(false);
    c.press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    EXPECT_EQ(c.current(), QStringLiteral("Input2"));
    c.press(Qt::Key_Down);
    EXPECT_EQ(c.current(), QStringLiteral("Input4"));
    c.press(Qt::Key_Up);
    EXPECT_EQ(c.current(), QStringLiteral("Input2"));
    c.press(Qt::Key_Space);
    EXPECT_FALSE(c.menu->isVisible());
    EXPECT_EQ(asked.titles.value(1), QStringLiteral("Change the button' label INPUT 2"));

    // Escape closes and runs nothing.
    c.press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    c.press(Qt::Key_Escape);
    EXPECT_FALSE(c.menu->isVisible());
    EXPECT_EQ(asked.titles.size(), 2);
}

// Beyond the columns the arrows go to the menu bar's neighbouring menus,
// and from "&Controls" Right comes to this menu with its first item current.
TEST_F(WindowTest, CustomizeMenuBetweenItsNeighbours)
{
    start();
    CustomizeMenu c(w());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QMenu* controls = c.menuOf("Controls1");
    QMenu* about = c.menuOf("About1");
    c.press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    c.press(Qt::Key_Left);
    ASSERT_EQ(QApplication::activePopupWidget(), controls);
    // Right on an item of "&Controls" that opens a submenu opens it: first
    // to an item without one.
    const auto opensSubmenu = [&] { return !controls->activeAction() || controls->activeAction()->menu(); };
    for (int i = 0; i < controls->actions().size() && opensSubmenu(); ++i) c.press(Qt::Key_Down);
    ASSERT_TRUE(controls->activeAction() && !controls->activeAction()->menu());
    c.press(Qt::Key_Right);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    EXPECT_EQ(c.current(), QStringLiteral("Input1"));
    c.press(Qt::Key_Right);
    EXPECT_EQ(c.current(), QStringLiteral("Logo1"));
    c.press(Qt::Key_Right);
    ASSERT_EQ(QApplication::activePopupWidget(), about);
    c.press(Qt::Key_Left);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    EXPECT_EQ(c.current(), QStringLiteral("Input1"));
    c.press(Qt::Key_Escape);
}

// The letter after a caption's "&" chooses its item; a letter that several
// items share goes through them.
TEST_F(WindowTest, CustomizeMenuMnemonics)
{
    start();
    CancellingPrompter asked;
    setPrompter(&asked);
    action("Frame")->setText(QStringLiteral("&Frame"));
    action("Logo2")->setText(QStringLiteral("&Logo 2"));
    action("Logo3")->setText(QStringLiteral("&Logo 3"));
    CustomizeMenu c(w());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    c.press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    c.press(Qt::Key_L);
    EXPECT_EQ(c.current(), QStringLiteral("Logo2"));
    c.press(Qt::Key_L);
    EXPECT_EQ(c.current(), QStringLiteral("Logo3"));
    EXPECT_TRUE(c.menu->isVisible());
    c.press(Qt::Key_F);
    EXPECT_FALSE(c.menu->isVisible());
    EXPECT_EQ(asked.titles, QStringList{QStringLiteral("Change the button' label Frame")});
}

// The pointer makes the item under it current (none over a disabled one),
// and a click chooses it.
TEST_F(WindowTest, CustomizeMenuByMouse)
{
    start();
    CancellingPrompter asked;
    setPrompter(&asked);
    CustomizeMenu c(w());
    action("Logo5")->setEnabled(false);
    QTest::mouseMove(&w(), QPoint(w().width() - 1, w().height() - 1));  // away from where the menu comes
    c.menu->popup(w().mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c.menu));
    EXPECT_EQ(c.current(), QString());
    MenuColumnItem* logo4 = c.columns->item(action("Logo4"));
    QTest::mouseMove(logo4);
    EXPECT_EQ(c.current(), QStringLiteral("Logo4"));
    QTest::mouseMove(c.columns->item(action("Logo5")));
    EXPECT_EQ(c.current(), QString());
    // Clicks where the pointer is, through the window system's window of
    // the menu: a disabled item does nothing.
    const auto click = [&](QWidget* at) {
        QTest::mouseClick(c.menu->windowHandle(), Qt::LeftButton, {}, at->mapTo(c.menu, at->rect().center()));
    };
    click(c.columns->item(action("Logo5")));
    EXPECT_TRUE(c.menu->isVisible());
    EXPECT_TRUE(asked.titles.isEmpty());
    click(logo4);
    EXPECT_FALSE(c.menu->isVisible());
    EXPECT_EQ(asked.titles, QStringList{QStringLiteral("Change the button' label Logo 4")});
}

namespace {

// Records the menu's item-level focus events that tools hear.
struct FocusListener {
    static inline FocusListener* current = nullptr;
    QObject* menu;
    QList<int> children;
    ToolListener previous;
    explicit FocusListener(QObject* m) : menu(m)
    {
        current = this;
        previous = setToolListener(&handle);
    }
    ~FocusListener()
    {
        setToolListener(previous);
        current = nullptr;
    }
    static void handle(QAccessibleEvent* e)
    {
        if (current && e->type() == QAccessible::Focus && e->object() == current->menu)
            current->children << e->child();
    }
};

}  // namespace

// Assistive tools see one menu item per item shown, named by its caption,
// with its state and a press action, and hear which one is current.
TEST_F(WindowTest, CustomizeMenuForAssistiveTools)
{
    start();
    CancellingPrompter asked;
    setPrompter(&asked);
    CustomizeMenu c(w());
    action("Frame")->setText(QStringLiteral("&Frame"));
    action("Logo8")->setText(QStringLiteral("Logo && 8"));
    action("Audio2")->setEnabled(false);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(c.menu);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->role(), QAccessible::PopupMenu);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Customize"));
    // Input 1-8, Audio 1-8, Logo 1-8, Frame and Default: the fillers are
    // not items.
    ASSERT_EQ(face->childCount(), 26);
    QStringList names;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* item = face->child(i);
        ASSERT_TRUE(item) << i;
        EXPECT_EQ(item->role(), QAccessible::MenuItem) << i;
        EXPECT_EQ(item->parent(), face) << i;
        EXPECT_EQ(face->indexOfChild(item), i);
        auto* shown = dynamic_cast<MenuColumnItem*>(item->object());
        ASSERT_TRUE(shown) << i;
        EXPECT_EQ(item->state().disabled, !shown->action()->isEnabled()) << i;
        ASSERT_TRUE(item->actionInterface()) << i;
        EXPECT_EQ(item->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        names << item->text(QAccessible::Name);
    }
    EXPECT_EQ(names.first(), QStringLiteral("Input 1"));
    EXPECT_EQ(names[9], QStringLiteral("Audio 2"));
    EXPECT_EQ(names[23], QStringLiteral("Logo & 8"));
    EXPECT_EQ(names[24], QStringLiteral("Frame"));
    EXPECT_EQ(names.last(), QStringLiteral("Default"));
    EXPECT_TRUE(face->child(9)->state().disabled);
    EXPECT_EQ(face->child(24)->text(QAccessible::Accelerator),
              QKeySequence(Qt::ALT | Qt::Key_F).toString(QKeySequence::NativeText));

    // A model without some items has fewer children.
    connect();
    reply("DEV26");
    int shown = 0;
    for (MenuColumnItem* i : c.columns->items()) shown += i->action()->isVisible() && !i->action()->text().isEmpty();
    EXPECT_LT(shown, 26);
    EXPECT_EQ(face->childCount(), shown);
    reply("DEV23");
    ASSERT_EQ(face->childCount(), 26);

    // The press action runs the item; a disabled item's does nothing.
    face->child(9)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(asked.titles.isEmpty());
    face->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(asked.titles, QStringList{QStringLiteral("Change the button' label INPUT 3")});

    // The current item is focused, and tools hear of each new one.
    FocusListener heard(c.menu);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    c.press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), c.menu);
    c.press(Qt::Key_Down);
    c.press(Qt::Key_Down);
    EXPECT_EQ(heard.children, (QList<int>{0, 1, 2}));
    EXPECT_TRUE(face->child(2)->state().focused);
    EXPECT_FALSE(face->child(0)->state().focused);
    EXPECT_EQ(face->focusChild(), face->child(2));
    c.press(Qt::Key_Escape);
}
