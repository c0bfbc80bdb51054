#include "logos_controller.h"

#include "zeph350_main.h"

#include <QComboBox>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>

LogosController::LogosController(TZEPH350_main& w) : FamilyController(w.ZEPH350_d1, Family::Logos), w_(w)
{
    TabControl_logo = new QTabBar(w_.logoFramePage);
    TabControl_logo->setObjectName(QStringLiteral("TabControl_logo"));
    TabControl_logo->addTab(QStringLiteral("Use"));
    TabControl_logo->addTab(QStringLiteral("Record frame"));
    TabControl_logo->addTab(QStringLiteral("Record logo"));
    TabControl_logo->setGeometry(8, 4, 300, 24);

    // The assignment rows sit in the 63-pixel band below the input buttons,
    // in the top panel: one column per input button.
    new_Panel1 = new QWidget(w_.Panel_ichmp);
    new_Panel1->setObjectName(QStringLiteral("new_Panel1"));
    new_Panel1->setGeometry(0, 44, 788, 63);
    for (int i = 0; i < 8; ++i) {
        const int left = w_.label_input[size_t(i)]->x();
        auto* slot0 = new QComboBox(new_Panel1);
        slot0->setObjectName(QStringLiteral("new_Combologo%1").arg(i + 1));
        slot0->setGeometry(left, 2, 76, 20);
        new_Combologo[size_t(i)] = slot0;
        auto* slot1 = new QComboBox(new_Panel1);
        slot1->setObjectName(QStringLiteral("LINDEX2_Combologo%1").arg(i + 1));
        slot1->setGeometry(left, 22, 76, 20);
        LINDEX2_Combologo[size_t(i)] = slot1;
    }

    ComboBox_lstore = new QComboBox(w_.logoFramePage);
    ComboBox_lstore->setObjectName(QStringLiteral("ComboBox_lstore"));
    ComboBox_lstore->setGeometry(8, 40, 120, 22);
}

void LogosController::attachPopup(QMenu* popup)
{
    popup_ = popup;
    TabControl_logo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TabControl_logo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(TabControl_logo->mapToGlobal(at)); });
}

void LogosController::Logo_by_mouse()
{
    // Placing the logo by mouse comes with the logo position window.
}
