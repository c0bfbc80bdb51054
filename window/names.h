#pragma once
// The renamable labels: the names of the eight inputs, the eight audio
// inputs, the frame and the eight logo slots, the controls that repeat
// them, the input buttons' hints and popup, and the per-input "Used" and
// "VCR" boxes of the "Input" page.
//
// The spreading routines reach the controls that repeat a name through the
// families that hold them; they run once every family exists.

#include "families.h"

#include <QString>

#include <optional>

class QAbstractButton;
class QAction;
class QMenu;
class QObject;
class QWidget;
class TZEPH350_main;

namespace names {

// `rename`: spreads the input names.
void rename(TZEPH350_main& w);
// `logorename`: spreads the name of logo slot `slot` (1 to 9).
void logorename(TZEPH350_main& w, int slot);
// Spreads every logo name (slots 1 to 9), as after reading a file.
void spreadLogoNames(TZEPH350_main& w);
// Fills the logo lists with the ten names and selects item 0 (start-up).
void fillLogoLists(TZEPH350_main& w);

// Names have 1 to 10 characters and are not blank: a customisation file
// with an empty caption is refused when read.
constexpr int MaxNameLength = 10;
bool acceptableName(const QString& name);
QString unstorableName(const QString& name);
// Asks for a new name in an input box until the answer is acceptable and
// the customisation file can hold it as typed (see storableText; a name
// it cannot hold is refused with the message unstorableName gives); the
// old name is the default every time. Nothing when the operator cancels.
std::optional<QString> askName(QWidget* parent, const QString& title, const QString& old);

}  // namespace names

class NamesController : public FamilyController {
public:
    explicit NamesController(TZEPH350_main& w);

    // The renaming items of "C&ustomize" (their design names are in the
    // items' table, names.cpp): input n, audio input n, logo slot `slot`
    // (1 the frame, 2 to 9 logos 1 to 8).
    void renameInput(int n);
    void renameAudio(int n);
    void renameLogo(int slot);
    void Default1Click();

    // The input buttons' hints: which logo or frame each input has on the
    // two layers.
    void hinthinthint();

    // The input buttons' popup ("Input unused", "Rename"), opened on input
    // button `popupTag` (1 to 8; 0 before it was first opened).
    void all_PopupMenuPopup(QObject* opener);
    void all_RenameClick();
    void all_UsedClick();
    int popupTag() const { return popupTag_; }
    QMenu* all_PopupMenu = nullptr;
    QAction* all_Used = nullptr;
    QAction* all_Rename = nullptr;

    // Input n's button, "Used" box and "VCR" box (their design names are in
    // the input handlers' table, names.cpp).
    void label_inputClick(int n);
    void Label_input_MouseUp(int n);
    void CheckBox_PProc_pchan_MouseUp(int n);
    void ZEPH350_d1PPROCchange(TZEPH350_d* Sender, int nroZeph);

private:
    void renameButton(QAbstractButton* button, const QString& what);

    TZEPH350_main& w_;
    int popupTag_ = 0;
};
