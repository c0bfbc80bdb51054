#include "windows.h"

#include "about.h"
#include "cadre_logo.h"
#include "form_debug.h"
#include "hd15.h"
#include "ipconfigdlg.h"
#include "rs232landlg.h"
#include "standby_dialog.h"
#include "status.h"
#include "waitstoring.h"
#include "zeph350_main.h"

ZephWindows::ZephWindows()
{
    // The main window first: its FormCreate runs before any other window
    // exists.
    ZEPH350_main = std::make_unique<TZEPH350_main>();
    QWidget* main = ZEPH350_main.get();
    About_zeph_350 = std::make_unique<TAbout_zeph_350>(main);
    Form_debug = std::make_unique<TForm_debug>(ZEPH350_main->ZEPH350_d1);
    Form_wait_storing_settings = std::make_unique<TForm_wait_storing_settings>(main);
    status = std::make_unique<Tstatus>(&ZEPH350_main->ZEPH350_d1, main);
    Cadre_logo = std::make_unique<TCadre_logo>(&ZEPH350_main->ZEPH350_d1);
    IPConfigDlg = std::make_unique<TIPConfigDlg>();
    Rs232LanDlg = std::make_unique<TRs232LanDlg>();
    Form_register_code_standby_projector = std::make_unique<TForm_register_code_standby_projector>(
        &ZEPH350_main->ZEPH350_d1, &ZEPH350_main->state.standby, main);
    Form_HD15_PIN_ASSIGNEMENT = std::make_unique<TForm_HD15_PIN_ASSIGNEMENT>();

    Companions c;
    c.About_zeph_350 = About_zeph_350.get();
    c.Form_debug = Form_debug.get();
    c.Form_wait_storing_settings = Form_wait_storing_settings.get();
    c.status = status.get();
    c.Cadre_logo = Cadre_logo.get();
    c.IPConfigDlg = IPConfigDlg.get();
    c.Rs232LanDlg = Rs232LanDlg.get();
    c.Form_register_code_standby_projector = Form_register_code_standby_projector.get();
    c.Form_HD15_PIN_ASSIGNEMENT = Form_HD15_PIN_ASSIGNEMENT.get();
    ZEPH350_main->setCompanions(c);
    // The program ends when the main window closes, the console open or
    // not: the programmable buttons are kept then too.
    QObject::connect(ZEPH350_main.get(), &TZEPH350_main::closed, Form_debug.get(),
                     [console = Form_debug.get()] { console->saveButtonsFile(); });
}

ZephWindows::~ZephWindows()
{
    ZEPH350_main->setCompanions(Companions{});
    Form_HD15_PIN_ASSIGNEMENT.reset();
    Form_register_code_standby_projector.reset();
    Rs232LanDlg.reset();
    IPConfigDlg.reset();
    Cadre_logo.reset();
    status.reset();
    Form_wait_storing_settings.reset();
    Form_debug.reset();
    About_zeph_350.reset();
    ZEPH350_main.reset();
}
