#include "check_list_box.h"

#include <QSignalBlocker>

namespace {
// Runs a base event handler as the operator's action.
struct OperatorScope {
    explicit OperatorScope(int& depth) : depth_(depth) { ++depth_; }
    ~OperatorScope() { --depth_; }
    int& depth_;
};
}  // namespace

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (operatorDepth_ > 0) emit clickCheck(row(item));
    });
}

void CheckListBox::addRow(const QString& text, bool on)
{
    auto* item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    const QSignalBlocker quiet(this);
    addItem(item);
}

bool CheckListBox::checked(int row) const
{
    const QListWidgetItem* i = item(row);
    return i && i->checkState() == Qt::Checked;
}

void CheckListBox::setChecked(int row, bool on)
{
    QListWidgetItem* i = item(row);
    if (!i) return;
    const QSignalBlocker quiet(this);
    i->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// Mouse events reach the list through its viewport, keys through the list.
bool CheckListBox::viewportEvent(QEvent* e)
{
    const OperatorScope scope(operatorDepth_);
    return QListWidget::viewportEvent(e);
}

void CheckListBox::keyPressEvent(QKeyEvent* e)
{
    const OperatorScope scope(operatorDepth_);
    QListWidget::keyPressEvent(e);
}
