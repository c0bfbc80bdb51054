#pragma once
// What the main window's controllers share: the customisation names, the
// link display state, the companion windows and the stand-by message state.

#include "standby_message.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

class QAbstractButton;
class TAbout_zeph_350;
class TForm_debug;
class TForm_wait_storing_settings;
class Tstatus;
class TCadre_logo;
class TIPConfigDlg;
class TRs232LanDlg;
class TForm_register_code_standby_projector;
class TForm_HD15_PIN_ASSIGNEMENT;

// The nine windows created after the main window; null until they exist.
struct Companions {
    TAbout_zeph_350* About_zeph_350 = nullptr;
    TForm_debug* Form_debug = nullptr;
    TForm_wait_storing_settings* Form_wait_storing_settings = nullptr;
    Tstatus* status = nullptr;
    TCadre_logo* Cadre_logo = nullptr;
    TIPConfigDlg* IPConfigDlg = nullptr;
    TRs232LanDlg* Rs232LanDlg = nullptr;
    TForm_register_code_standby_projector* Form_register_code_standby_projector = nullptr;
    TForm_HD15_PIN_ASSIGNEMENT* Form_HD15_PIN_ASSIGNEMENT = nullptr;
};

inline const char* const DefaultSettingsFile = "zeph350.ini";
inline const char* const StoreTimingFile = "zeph350logo.ini";
inline const char* const DeviceNotConnectedText = "Device NOT connected";

struct ZephWindowState {
    QString Settings_file_name;
    // The sixteen renamable buttons: input buttons 1 to 8, then audio
    // buttons 1 to 8 (keys 1 to 16 of the customisation file).
    QList<QAbstractButton*> renamable;
    std::array<QString, 10> Logo_names{"None",   "Frame",  "Logo 1", "Logo 2", "Logo 3",
                                       "Logo 4", "Logo 5", "Logo 6", "Logo 7", "Logo 8"};
    // The window caption begins with it; the model layout replaces it.
    QString productName = QStringLiteral("Zeph-Cedar");
    bool Mouse_over_connection = false;
    int aboutPicture = 0;  // 0..4, the About picture shown next while no model answers
    int storeTicks = 0;    // seconds counted during a logo store
    bool fourInputs = false;

    Companions win;

    // Shared with the stand-by message dialog.
    StandbyMessageState standby;

    // Filled by the controllers of later families; empty until then.
    std::function<void()> hinthinthint;                          // the input buttons' hints
    // The reference status and the seamless box (inputs family), run at the
    // end of every output-format report.
    std::function<void()> Comp_refsta_refreq;
};
