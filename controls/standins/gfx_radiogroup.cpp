#include "gfx_radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

TGfxRadioGroup::TGfxRadioGroup(QWidget* parent) : QWidget(parent), group_(new QButtonGroup(this))
{
    // idClicked comes from the operator only (a click, or the arrow keys
    // moving the check); setChecked from code never raises it.
    QObject::connect(group_, &QButtonGroup::idClicked, this, [this](int id) { ButtonClicked(id); });
}

void TGfxRadioGroup::SetItems(const QStringList& items)
{
    if (items == items_) return;
    items_ = items;
    if (itemIndex_ >= items_.size()) itemIndex_ = int(items_.size()) - 1;
    UpdateButtons();
}

void TGfxRadioGroup::SetColumns(int columns)
{
    columns = std::clamp(columns, 1, 12);
    if (columns == columns_) return;
    columns_ = columns;
    LayoutButtons();
}

void TGfxRadioGroup::SetItemIndex(int index)
{
    index = std::clamp(index, -1, int(buttons_.size()) - 1);
    if (index == itemIndex_) return;
    itemIndex_ = index;
    showChecked();
}

QRadioButton* TGfxRadioGroup::button(int i) const
{
    return i >= 0 && i < int(buttons_.size()) ? buttons_[size_t(i)] : nullptr;
}

void TGfxRadioGroup::UpdateButtons()
{
    while (int(buttons_.size()) > items_.size()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (int(buttons_.size()) < items_.size()) {
        auto* b = new QRadioButton(this);
        group_->addButton(b, int(buttons_.size()));
        buttons_.push_back(b);
    }
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setText(items_[qsizetype(i)]);
    showChecked();
    LayoutButtons();
}

void TGfxRadioGroup::showChecked()
{
    // An exclusive group cannot show "none checked": drop the exclusion
    // while the checks are set.
    group_->setExclusive(false);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const QSignalBlocker block(buttons_[i]);
        buttons_[i]->setChecked(int(i) == itemIndex_);
    }
    group_->setExclusive(true);
}

void TGfxRadioGroup::LayoutButtons()
{
    if (buttons_.empty()) return;
    // No frame and no caption: the inner rectangle is the widget less one
    // pixel on every side.
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const int count = int(buttons_.size());
    const int rows = (count + columns_ - 1) / columns_;
    const int columnWidth = (inner.width() - ItemOffset) / columns_ - 1;
    const int itemHeight = (inner.height() - 2) / rows;
    const int top = inner.top() + 1 + (itemHeight % rows) / 2;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows, row = i % rows;
        buttons_[size_t(i)]->setGeometry(column * columnWidth + inner.left() + ItemOffset, row * itemHeight + top,
                                         columnWidth, itemHeight);
        buttons_[size_t(i)]->show();
    }
}

void TGfxRadioGroup::ButtonClicked(int index)
{
    const int old = itemIndex_;
    itemIndex_ = index;
    if (index == old) return;
    if (OnChange) OnChange(this, index);
}

void TGfxRadioGroup::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutButtons();
}
