#pragma once
// TAbout_zeph_350: the About box with the program's version, the device's
// version values and a picture of the device model.

#include <QDialog>
#include <QPixmap>

#include <array>

class QLabel;
class QPushButton;

class TAbout_zeph_350 : public QDialog {
public:
    explicit TAbout_zeph_350(QWidget* mainWindow = nullptr);

    // The five model pictures (64 x 64, 16 colours) copied into Image1.
    static constexpr int PictureCount = 5;
    std::array<QPixmap, PictureCount> GfxBitmapList1;

    // Shows picture `index` of the list in Image1 (an index outside the
    // list leaves Image1 as it is).
    void ShowPicture(int index);
    int ShownPicture() const { return shown_; }

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
