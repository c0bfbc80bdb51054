#include "status.h"

#include "escape_key.h"
#include "look.h"
#include "zeph350_d.h"

#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

Tstatus::Tstatus(TZEPH350_d* device, QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      device_(device),
      main_(mainWindow)
{
    setObjectName(QStringLiteral("status"));
    setWindowTitle(QStringLiteral("Please Wait ....."));
    setCursor(Qt::WaitCursor);

    Gauge_store = new QProgressBar(this);
    Gauge_store->setObjectName(QStringLiteral("Gauge_store"));
    Gauge_store->setFixedSize(500, 33);
    Gauge_store->setRange(0, 180);
    Gauge_store->setValue(0);
    Gauge_store->setTextVisible(false);
    QPalette p = Gauge_store->palette();
    p.setColor(QPalette::Highlight, classic::HotLight);
    Gauge_store->setPalette(p);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Abort"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));

    auto* box = new QVBoxLayout(this);
    box->addWidget(Gauge_store);
    box->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    box->setSizeConstraint(QLayout::SetFixedSize);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void Tstatus::BitBtn1Click()
{
    // The device ends the store and reports it; the window waits for that.
    if (device_) device_->SetLABORT(true);
}

void Tstatus::SetGaugeMaximum(int seconds)
{
    const int max = std::max(1, seconds);
    const int progress = std::min(Gauge_store->value(), max);
    Gauge_store->setRange(0, max);
    Gauge_store->setValue(progress);
}

void Tstatus::SetGaugeProgress(int seconds)
{
    Gauge_store->setValue(std::clamp(seconds, 0, Gauge_store->maximum()));
}

void Tstatus::StepGauge()
{
    if (Gauge_store->value() < Gauge_store->maximum()) SetGaugeProgress(Gauge_store->value() + 1);
}

void Tstatus::keyPressEvent(QKeyEvent* event)
{
    if (holdEscape(event)) return;
    QDialog::keyPressEvent(event);
}

void Tstatus::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (main_) move(main_->x() + 252, main_->y() + 413);
}
