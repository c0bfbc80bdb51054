#include "about.h"

#include "gfx_bitmaplist.h"
#include "platform/gfx_platform.h"
#include "stored_pictures.h"
#include "window_placement.h"

#include <QFrame>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

TAbout_zeph_350::TAbout_zeph_350(QWidget* mainWindow) : LazyDialog(nullptr), main_(mainWindow)
{
    setObjectName(QStringLiteral("About_zeph_350"));
    setWindowTitle(QStringLiteral("about Zeph-Cedar remote control"));
    setFixedSize(289, 289);
    // The content waits for ensureContent(): the box is seldom opened, and
    // reading its pictures and building its labels is a part of the
    // panel's start.
}

void TAbout_zeph_350::buildContent()
{
    GfxBitmapList1 = new TGfxBitmapList(this);
    GfxBitmapList1->setObjectName(QStringLiteral("GfxBitmapList1"));
    LoadAboutPictures(*GfxBitmapList1);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 64, 64);
    Image1->setAttribute(Qt::WA_TranslucentBackground);

    auto* software = new QGroupBox(QStringLiteral("Software"), this);
    software->setGeometry(80, 8, 201, 50);
    Label_version = new QLabel(QStringLiteral("Version : ?.?.?.?"), software);
    Label_version->setObjectName(QStringLiteral("Label_version"));
    (new QVBoxLayout(software))->addWidget(Label_version);

    auto* device = new QGroupBox(QStringLiteral("Device"), this);
    device->setGeometry(8, 80, 273, 160);
    auto* grid = new QGridLayout(device);
    const auto label = [device](const char* name, const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text), device);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    label_verupd = label("label_verupd", "Version : ?.?");
    label_k = label("label_k", "K =");
    label_f = label("label_f", "F =");
    label_s = label("label_s", "S =");
    label_v = label("label_v", "V =");
    label_I = label("label_I", "I =");
    label_opt = label("label_opt", "OPT =");
    auto* line = new QFrame(device);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Raised);
    grid->addWidget(label_verupd, 0, 0, 1, 3);
    grid->addWidget(label_k, 1, 0);
    grid->addWidget(label_f, 2, 0);
    grid->addWidget(label_s, 3, 0);
    grid->addWidget(line, 1, 1, 3, 1);
    grid->addWidget(label_v, 1, 2);
    grid->addWidget(label_I, 2, 2);
    grid->addWidget(label_opt, 3, 2);

    Button_ok = new QPushButton(QStringLiteral("OK"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_ok->setGeometry(107, 252, 75, 25);
    connect(Button_ok, &QPushButton::clicked, this, [this] { Button_okClick(); });

    // The picture chosen meanwhile.
    const int chosen = std::exchange(shown_, -1);
    if (chosen >= 0) ShowPicture(chosen);
}

void TAbout_zeph_350::ShowPicture(int index)
{
    if (!contentBuilt()) {
        if (index >= 0 && index < PictureCount) shown_ = index;
        return;
    }
    if (index < 0 || index >= GfxBitmapList1->Count()) return;
    GfxBitmapList1->SetListIndex(index);
    Image1->setPixmap(QPixmap::fromImage(GfxBitmapList1->CurrentBitmap()->ToImage()));
    Image1->adjustSize();  // sized to its picture
    shown_ = index;
}

QString TAbout_zeph_350::ProgramVersion()
{
    const TGfxVersionBlock& v = GfxProgramVersionBlock();
    return QStringLiteral("%1.%2.%3.%4").arg(v.Major).arg(v.Minor).arg(v.Release).arg(v.Build);
}

void TAbout_zeph_350::ShowProgramVersion()
{
    ensureContent();
    Label_version->setText(QStringLiteral("Version : ") + ProgramVersion());
}

void TAbout_zeph_350::Button_okClick()
{
    close();
}

void TAbout_zeph_350::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOn(this, main_);
}
