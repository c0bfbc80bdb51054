#pragma once
// What the main window's controllers share: the customisation names, the
// link display state, the companion windows and the stand-by message state.

#include "standby_message.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

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

// The last reply of one per-input register for each input: entry 0 holds
// the value reported for all inputs, entries 1 to 8 one input each.
template <class T>
struct PerInputCache {
    std::array<T, 9> entry{};

    // Stores a reply for input `pchan`. A reply for all inputs (0) is the
    // value of every input, so every entry takes it; any other input
    // number names no input and nothing is stored (false).
    bool store(uint32_t pchan, T value)
    {
        if (pchan > 8) return false;
        if (pchan == 0)
            entry.fill(value);
        else
            entry[pchan] = value;
        return true;
    }
    // Entry `input`; the start value outside 0 to 8.
    T operator[](uint32_t input) const { return input <= 8 ? entry[input] : T{}; }
};

// The last LPLOGO reply per input (0 all, 1 to 8) and layer (LINDEX 0 to 3).
struct LogoAssignmentCache {
    std::array<std::array<uint32_t, 4>, 9> entry{};

    // Stores a reply for input `pchan` on layer `lindex`; nothing (false)
    // for an input or a layer that does not exist.
    bool store(uint32_t pchan, uint32_t lindex, uint32_t value)
    {
        if (pchan > 8 || lindex > 3) return false;
        if (pchan == 0)
            for (auto& row : entry) row[lindex] = value;
        else
            entry[pchan][lindex] = value;
        return true;
    }
    uint32_t at(uint32_t input, uint32_t lindex) const { return input <= 8 && lindex <= 3 ? entry[input][lindex] : 0; }
};

// The per-input caches the input rows and the logo rows are drawn from.
struct InputCaches {
    PerInputCache<uint8_t> PENA;
    PerInputCache<uint8_t> PLOAD;
    PerInputCache<uint32_t> PRGBI;
    PerInputCache<uint32_t> PISTD;
    PerInputCache<uint32_t> PPROC;
    PerInputCache<uint8_t> LDYSPLAY;
    LogoAssignmentCache LPLOGO;
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
    bool fourInputs = false;  // the four-input layout is in force
    uint32_t Last_model = 0;  // the model code laid out last

    Companions win;

    // Shared with the stand-by message dialog.
    StandbyMessageState standby;

    // The per-input caches (the inputs family stores them; the logo family
    // stores LPLOGO and LDYSPLAY and redraws through the inputs family's
    // Tableau_input).
    InputCaches perInput;
};
