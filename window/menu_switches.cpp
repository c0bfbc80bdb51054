#include "menu_switches.h"

#include "about.h"
#include "hd15.h"
#include "logos_controller.h"
#include "prompter.h"
#include "radio_group.h"
#include "zeph350_main.h"

#include <QAction>

namespace {

QString confirmTitle()
{
    return QStringLiteral("Confirm");
}

}  // namespace

MenuSwitchesController::MenuSwitchesController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Effects), w_(w)
{
    buildAutoFrame();
    connectMenus();
    ZEPH_ON(OnEPDchange, MenuSwitchesController, ZEPH350_d1EPDchange);
    ZEPH_ON(OnAUTOFRAMEchange, MenuSwitchesController, ZEPH350_d1AUTOFRAMEchange);
    ZEPH_ON(OnEISPchange, MenuSwitchesController, ZEPH350_d1EISPchange);
    ZEPH_ON(OnLOCKchange, MenuSwitchesController, ZEPH350_d1LOCKchange);
}

MenuSwitchesController::~MenuSwitchesController() = default;

void MenuSwitchesController::buildAutoFrame()
{
    // Built with the "Logo && Frame" page; the item shows the device's
    // AUTOFRAME: a click only asks.
    RadioGroup_auto_frame = w_.logos().RadioGroup_auto_frame;
    connect(RadioGroup_auto_frame, &RadioGroup::itemClicked, this,
            [this](int index) { RadioGroup_auto_frameClick(RadioGroup_auto_frame, index); });
}

void MenuSwitchesController::connectMenus()
{
    // Items whose marks follow the device: the trigger takes its own mark
    // back before the handler writes.
    const TZEPH350_main::MenuItems& m = w_.menu;
    auto follow = [this](QAction* item, void (MenuSwitchesController::*handler)(QObject*)) {
        checks_.onTrigger(item, this, [this, item, handler] { (this->*handler)(item); });
    };
    follow(m.activated1, &MenuSwitchesController::activated1Click);
    follow(m.dsactivated1, &MenuSwitchesController::dsactivated1Click);
    follow(m.ON1, &MenuSwitchesController::autoframeClick);
    follow(m.Off1, &MenuSwitchesController::autoframeClick);
    follow(m.menuitem_On, &MenuSwitchesController::menuitem_OnClick);
    follow(m.menuitem_Off, &MenuSwitchesController::menuitem_OffClick);
    follow(m.Menus1, &MenuSwitchesController::Menus1Click);
    follow(m.Input9, &MenuSwitchesController::Input9Click);
    follow(m.AllLock1, &MenuSwitchesController::AllLock1Click);

    auto plain = [this](QAction* item, void (MenuSwitchesController::*handler)(QObject*)) {
        connect(item, &QAction::triggered, this, [this, item, handler] { (this->*handler)(item); });
    };
    plain(m.Eraseallmemories1, &MenuSwitchesController::Eraseallmemories1Click);
    plain(m.Defaultvalues1, &MenuSwitchesController::Defaultvalues1Click);
    plain(m.HD15Pinassignment1, &MenuSwitchesController::HD15PinOut1Click);
    plain(m.AboutZEPH1, &MenuSwitchesController::AboutZEPHLOGOClick);
}

void MenuSwitchesController::activated1Click(QObject*)
{
    dev_.SetEPD(true);
}

void MenuSwitchesController::dsactivated1Click(QObject*)
{
    dev_.SetEPD(false);
}

void MenuSwitchesController::ZEPH350_d1EPDchange(TZEPH350_d*, int)
{
    checks_.set(dev_.EPD() ? w_.menu.activated1 : w_.menu.dsactivated1, true);
}

void MenuSwitchesController::autoframeClick(QObject* Sender)
{
    if (auto* item = qobject_cast<QAction*>(Sender)) dev_.SetAUTOFRAME(uint32_t(item->data().toInt()));
}

void MenuSwitchesController::RadioGroup_auto_frameClick(QObject*, int ItemIndex)
{
    switch (ItemIndex) {
    case 0: dev_.SetAUTOFRAME(1); break;
    case 1: dev_.SetAUTOFRAME(0); break;
    default: break;
    }
}

void MenuSwitchesController::ZEPH350_d1AUTOFRAMEchange(TZEPH350_d*, int)
{
    const uint32_t v = dev_.AUTOFRAME();
    if (v > 1) return;
    RadioGroup_auto_frame->SetItemIndex(v == 1 ? 0 : 1);
    checks_.set(v == 1 ? w_.menu.ON1 : w_.menu.Off1, true);
}

void MenuSwitchesController::menuitem_OnClick(QObject*)
{
    dev_.SetEISP(false);
}

void MenuSwitchesController::menuitem_OffClick(QObject*)
{
    dev_.SetEISP(true);
}

void MenuSwitchesController::ZEPH350_d1EISPchange(TZEPH350_d*, int)
{
    checks_.set(dev_.EISP() ? w_.menu.menuitem_Off : w_.menu.menuitem_On, true);
}

void MenuSwitchesController::Menus1Click(QObject*)
{
    dev_.SetLOCK(dev_.LOCK() ^ 1u);
}

void MenuSwitchesController::Input9Click(QObject*)
{
    dev_.SetLOCK(dev_.LOCK() ^ 2u);
}

void MenuSwitchesController::AllLock1Click(QObject*)
{
    dev_.SetLOCK(dev_.LOCK() < 3 ? 3u : 0u);
}

void MenuSwitchesController::ZEPH350_d1LOCKchange(TZEPH350_d*, int)
{
    const uint32_t bits = dev_.LOCK();
    checks_.set(w_.menu.Menus1, (bits & 1u) != 0);
    checks_.set(w_.menu.Input9, (bits & 2u) != 0);
    checks_.set(w_.menu.AllLock1, (bits & 3u) == 3u);
}

void MenuSwitchesController::Eraseallmemories1Click(QObject*)
{
    // A confirmation with OK and Cancel: OK goes on.
    if (prompter().confirm(&w_, confirmTitle(), QStringLiteral("Are you sure you want erase all memories ?"),
                           Prompter::Icon::Question))
        dev_.SetERAPOS(true);
}

void MenuSwitchesController::Defaultvalues1Click(QObject*)
{
    if (prompter().confirm(&w_, confirmTitle(), QStringLiteral("Are you sure you want default value ?"),
                           Prompter::Icon::Question))
        dev_.SetFRESET(true);
}

void MenuSwitchesController::HD15PinOut1Click(QObject*)
{
    if (auto* hd15 = w_.state.win.Form_HD15_PIN_ASSIGNEMENT) {
        hd15->show();
        hd15->raise();
    }
}

void MenuSwitchesController::AboutZEPHLOGOClick(QObject*)
{
    TAbout_zeph_350* about = w_.state.win.About_zeph_350;
    if (!about) return;
    about->ShowProgramVersion();
    prompter().execDialog(about);
}
