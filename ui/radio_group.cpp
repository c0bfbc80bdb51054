#include "radio_group.h"

#include "device_button.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->setVerticalSpacing(0);
    const int cols = columns < 1 ? 1 : columns;
    const int rows = (int(items.size()) + cols - 1) / cols;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new DeviceButton<QRadioButton>(items[i], this);
        b->setAutoExclusive(false);  // SetItemIndex decides, for all of them
        // Items run down the first column, then the next.
        grid->addWidget(b, i % rows, i / rows);
        buttons_ << b;
        connect(b, &QAbstractButton::clicked, this, [this, i] { emit itemClicked(i); });
    }
}

void RadioGroup::SetItemIndex(int index)
{
    index_ = index >= 0 && index < buttons_.size() ? index : -1;
    for (int i = 0; i < buttons_.size(); ++i) {
        const QSignalBlocker block(buttons_[i]);
        buttons_[i]->setChecked(i == index_);
    }
}
