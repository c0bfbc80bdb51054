#pragma once
// TAbout_zeph_350: the About box with the program's version, the device's
// version values and a picture of the device model.
//
// The box exists from the program's start with its name, title and size;
// its content (pictures, labels, button) is built when it is first shown
// or first asked for.

#include "lazy_dialog.h"

class QLabel;
class QPushButton;
class TGfxBitmapList;

class TAbout_zeph_350 : public LazyDialog {
public:
    explicit TAbout_zeph_350(QWidget* mainWindow = nullptr);

    // The five model pictures (64 x 64, 16 colours) copied into Image1, in
    // the order Zeph-Fir, Zeph-Elm, Zeph-Birch, Zeph-Ash, Zeph-Oak.
    static constexpr int PictureCount = 5;

    // Shows picture `index` of the list in Image1 (an index outside the
    // list leaves Image1 as it is). Before the content is built the choice
    // is kept, and shown when it is.
    void ShowPicture(int index);
    int ShownPicture() const { return shown_; }

    // The program's version as major.minor.release.build, from the build.
    static QString ProgramVersion();
    // Label_version := "Version : " and the program's version (the main
    // window does this before each show).
    void ShowProgramVersion();

    void Button_okClick();

    // Null until the content is built.
    TGfxBitmapList* GfxBitmapList1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label_version = nullptr;
    QLabel* label_verupd = nullptr;
    QLabel* label_k = nullptr;
    QLabel* label_f = nullptr;
    QLabel* label_s = nullptr;
    QLabel* label_v = nullptr;
    QLabel* label_I = nullptr;
    QLabel* label_opt = nullptr;
    QPushButton* Button_ok = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildContent() override;

    QWidget* main_;
    int shown_ = -1;
};
