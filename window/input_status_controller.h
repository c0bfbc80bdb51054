#pragma once
// The inputs family's description of the input on the output: its signal
// type, sync, polarities, family and line and frame rates in the status
// line, and which of the "Image" page's controls apply to it (the cover of
// the page where none do).

#include "families.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QWidget;
class TZEPH350_main;

class InputStatusController : public FamilyController {
public:
    explicit InputStatusController(TZEPH350_main& w);
    ~InputStatusController() override;

    // Finds the "Image" page's register controls that the description
    // shows and hides, once the image family has built them.
    void attachImagePage();
    // Their design names.
    static QStringList imageControlNames();

    void ZEPH350_d1IFAMMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IHPOLMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IVPOLMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IPSIGMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IOORMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ISYNCMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IINTMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1ILDMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1IFDMchange(TZEPH350_d* Sender, int nroZeph);
    void ZEPH350_d1UNITYchange(TZEPH350_d* Sender, int nroZeph);

    // The routines the input and reference handlers run too.
    void signal();
    void prgbi_et_ifamm();
    void affichage_sync();
    void freq_ligne_trame();
    void afichoupalmenimag();
    // The cached signal type of the input on the output; none while ICHM
    // names no input.
    std::optional<uint32_t> typeOfInputOnOutput() const;

    // Status of the input on the output.
    QLabel* Label_status_prgbi = nullptr;
    QLabel* Label_status_ifamm = nullptr;
    QLabel* Label_entrelacer_main = nullptr;
    QLabel* label_Freq_ligne_main = nullptr;
    QLabel* label_Freq_trame_main = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label_typeofsync = nullptr;
    QLabel* Label_Hpol = nullptr;
    QLabel* Label_Vpol = nullptr;
    QLabel* Label_ICHM = nullptr;
    QFrame* Panel_cache_status_audio = nullptr;
    QFrame* Panel_notavailble = nullptr;  // the "Image" page's cover
    QLabel* Label_notavailble = nullptr;

private:
    void buildStatus();
    void showImageGroups(unsigned parts, bool visible, bool enabled);
    void enableImageExtras(bool overScan, bool sharpness);

    TZEPH350_main& w_;
    // The "Image" page's register controls by the part of the description
    // that shows them (attachImagePage).
    std::vector<std::pair<QWidget*, unsigned>> imageParts_;
};
