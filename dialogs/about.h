#pragma once
// TAbout_zeph_350: the About box with the program's version, the device's
// version values and a picture of the device model.

#include <QDialog>

class QLabel;
class QPushButton;
class TGfxBitmapList;

class TAbout_zeph_350 : public QDialog {
public:
    explicit TAbout_zeph_350(QWidget* mainWindow = nullptr);

    // The five model pictures (64 x 64, 16 colours) copied into Image1, in
    // the order Zeph-Fir, Zeph-Elm, Zeph-Birch, Zeph-Ash, Zeph-Oak.
    static constexpr int PictureCount = 5;
    TGfxBitmapList* GfxBitmapList1;

    // Shows picture `index` of the list in Image1 (an index outside the
    // list leaves Image1 as it is).
    void ShowPicture(int index);
    int ShownPicture() const { return shown_; }

    // The program's version as major.minor.release.build, from the build.
    static QString ProgramVersion();
    // Label_version := "Version : " and the program's version (the main
    // window does this before each show).
    void ShowProgramVersion();

    void Button_okClick();

    QLabel* Image1;
    QLabel* Label_version;
    QLabel* label_verupd;
    QLabel* label_k;
    QLabel* label_f;
    QLabel* label_s;
    QLabel* label_v;
    QLabel* label_I;
    QLabel* label_opt;
    QPushButton* Button_ok;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* main_;
    int shown_ = -1;
};
