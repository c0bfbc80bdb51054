#include "waitstoring.h"

#include "escape_key.h"
#include "window_placement.h"

#include <QLabel>
#include <QVBoxLayout>

TForm_wait_storing_settings::TForm_wait_storing_settings(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(mainWindow)
{
    setObjectName(QStringLiteral("Form_wait_storing_settings"));
    setWindowTitle(QStringLiteral("WAIT STORING SETTING"));
    Label1 = new QLabel(QStringLiteral("WAIT STORING SETTING"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPixelSize(16);
    Label1->setFont(f);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(24, 16, 24, 16);
    box->addWidget(Label1);
    box->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm_wait_storing_settings::keyPressEvent(QKeyEvent* event)
{
    if (holdEscape(event)) return;
    QDialog::keyPressEvent(event);
}

void TForm_wait_storing_settings::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOn(this, main_);
}
