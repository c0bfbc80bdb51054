#include "menu_columns.h"

#include <QAction>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <QStylePainter>
#include <QWidgetAction>

#include <algorithm>

namespace {

QStyleOptionMenuItem menuItemOption(const QAbstractButton* item, const QString& text, bool selected)
{
    QStyleOptionMenuItem opt;
    opt.initFrom(item);
    opt.text = text;
    opt.menuItemType = QStyleOptionMenuItem::Normal;
    opt.checkType = QStyleOptionMenuItem::NotCheckable;
    opt.maxIconWidth = 0;
    opt.reservedShortcutWidth = 0;
    opt.menuRect = item->parentWidget() ? item->parentWidget()->rect() : item->rect();
    opt.font = item->font();
    if (selected) opt.state |= QStyle::State_Selected;
    return opt;
}

}  // namespace

MenuColumnItem::MenuColumnItem(QAction* action, QWidget* parent) : QAbstractButton(parent), action_(action)
{
    setObjectName(action->objectName() + QStringLiteral("_item"));
    setText(action->text());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

bool MenuColumnItem::wanted() const
{
    return action_->isVisible() && !action_->text().isEmpty();
}

QSize MenuColumnItem::sizeHint() const
{
    const QFontMetrics fm(font());
    const QStyleOptionMenuItem opt = menuItemOption(this, text(), false);
    const QSize contents(fm.horizontalAdvance(QString(text()).remove(QLatin1Char('&'))), fm.height());
    return style()->sizeFromContents(QStyle::CT_MenuItem, &opt, contents, this);
}

void MenuColumnItem::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    const bool selected = isEnabled() && (underMouse() || hasFocus());
    const QStyleOptionMenuItem opt = menuItemOption(this, text(), selected);
    p.drawControl(QStyle::CE_MenuItem, opt);
}

void MenuColumnItem::enterEvent(QEnterEvent* e)
{
    QAbstractButton::enterEvent(e);
    // The item under the pointer is the one the keyboard goes on from.
    if (isEnabled()) setFocus(Qt::MouseFocusReason);
    update();
}

void MenuColumnItem::leaveEvent(QEvent* e)
{
    QAbstractButton::leaveEvent(e);
    update();
}

MenuColumns::MenuColumns(QMenu* menu, const QList<QAction*>& actions, const QList<QAction*>& breaks)
    : QWidget(menu), menu_(menu)
{
    setObjectName(menu->objectName() + QStringLiteral("_columns"));
    setFocusPolicy(Qt::StrongFocus);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    QVBoxLayout* column = nullptr;
    int index = -1;
    for (QAction* a : actions) {
        if (!column || breaks.contains(a)) {
            if (column) column->addStretch(1);
            column = new QVBoxLayout;
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(0);
            row->addLayout(column);
            ++index;
        }
        auto* item = new MenuColumnItem(a, this);
        item->installEventFilter(this);
        column->addWidget(item);
        items_ << item;
        columns_ << index;
        connect(item, &QAbstractButton::clicked, this, [this, item] { choose(item); });
        connect(a, &QAction::changed, this, [this] { actionChanged(); });
    }
    if (column) column->addStretch(1);

    holder_ = new QWidgetAction(menu);
    holder_->setDefaultWidget(this);
    menu->addAction(holder_);
    refresh(false);
    // The panel is measured when the menu opens: before that nobody sees
    // it, and the window changes many of its actions while it starts.
    connect(menu, &QMenu::aboutToShow, this, [this] {
        if (unmeasured_) refresh(true);
    });
}

MenuColumnItem* MenuColumns::item(const QAction* action) const
{
    for (MenuColumnItem* i : items_)
        if (i->action() == action) return i;
    return nullptr;
}

int MenuColumns::column(const MenuColumnItem* item) const
{
    const qsizetype at = items_.indexOf(const_cast<MenuColumnItem*>(item));
    return at < 0 ? -1 : columns_[at];
}

void MenuColumns::actionChanged()
{
    refresh(isVisible());
}

void MenuColumns::refresh(bool measure)
{
    // The items always follow their actions (a menu shown without its
    // aboutToShow still lays out what is wanted); only the measuring of
    // the panel waits while the menu is closed.
    for (MenuColumnItem* i : items_) {
        i->setText(i->action()->text());
        i->setEnabled(i->action()->isEnabled());
        i->setVisible(i->wanted());
    }
    unmeasured_ = !measure;
    if (measure) adjustSize();
    // The menu measures its widget when its items change: a new value of
    // the holder's data tells it so.
    holder_->setData(++layoutGeneration_);
}

void MenuColumns::choose(MenuColumnItem* item)
{
    // As a menu does: it closes, then the item runs.
    QAction* a = item->action();
    for (QWidget* w = menu_; w; w = w->parentWidget()) {
        if (auto* m = qobject_cast<QMenu*>(w)) m->hide();
    }
    a->trigger();
}

MenuColumnItem* MenuColumns::neighbour(MenuColumnItem* from, int dColumn, int dRow) const
{
    const int col = column(from);
    QList<MenuColumnItem*> here, there;
    for (qsizetype i = 0; i < items_.size(); ++i) {
        if (!items_[i]->isVisibleTo(this) || !items_[i]->isEnabled()) continue;
        if (columns_[i] == col) here << items_[i];
        if (columns_[i] == col + dColumn) there << items_[i];
    }
    if (dRow != 0) {
        // Up and Down go round within the column, as a menu's do.
        const qsizetype at = here.indexOf(from);
        if (here.isEmpty()) return nullptr;
        return here[(at + dRow + here.size()) % here.size()];
    }
    if (there.isEmpty()) return nullptr;
    // The item of the other column level with this one, or its last.
    const qsizetype at = std::max<qsizetype>(0, here.indexOf(from));
    return there[std::min(at, there.size() - 1)];
}

void MenuColumns::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    for (MenuColumnItem* i : items_) {
        if (i->isVisibleTo(this) && i->isEnabled()) {
            i->setFocus(e->reason());
            return;
        }
    }
}

bool MenuColumns::eventFilter(QObject* watched, QEvent* e)
{
    auto* item = dynamic_cast<MenuColumnItem*>(watched);
    if (item && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        MenuColumnItem* next = nullptr;
        switch (k->key()) {
        case Qt::Key_Up: next = neighbour(item, 0, -1); break;
        case Qt::Key_Down: next = neighbour(item, 0, 1); break;
        case Qt::Key_Left: next = neighbour(item, -1, 0); break;
        case Qt::Key_Right: next = neighbour(item, 1, 0); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (item->isEnabled()) choose(item);
            return true;
        default: return false;
        }
        if (next) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
        // Beyond the first or the last column: the menu (and its menu bar)
        // takes the key.
        return false;
    }
    return QWidget::eventFilter(watched, e);
}
