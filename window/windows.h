#pragma once
// The program's ten windows, created once in their fixed order and freed
// together at the end (the companions before the main window, whose device
// component they use).

#include <memory>

class TZEPH350_main;
class TAbout_zeph_350;
class TForm_debug;
class TForm_wait_storing_settings;
class Tstatus;
class TCadre_logo;
class TIPConfigDlg;
class TRs232LanDlg;
class TForm_register_code_standby_projector;
class TForm_HD15_PIN_ASSIGNEMENT;

struct ZephWindows {
    ZephWindows();
    ~ZephWindows();
    ZephWindows(const ZephWindows&) = delete;
    ZephWindows& operator=(const ZephWindows&) = delete;

    std::unique_ptr<TZEPH350_main> ZEPH350_main;
    std::unique_ptr<TAbout_zeph_350> About_zeph_350;
    std::unique_ptr<TForm_debug> Form_debug;
    std::unique_ptr<TForm_wait_storing_settings> Form_wait_storing_settings;
    std::unique_ptr<Tstatus> status;
    std::unique_ptr<TCadre_logo> Cadre_logo;
    std::unique_ptr<TIPConfigDlg> IPConfigDlg;
    std::unique_ptr<TRs232LanDlg> Rs232LanDlg;
    std::unique_ptr<TForm_register_code_standby_projector> Form_register_code_standby_projector;
    std::unique_ptr<TForm_HD15_PIN_ASSIGNEMENT> Form_HD15_PIN_ASSIGNEMENT;
};
