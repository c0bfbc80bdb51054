#include "menu_columns.h"

#include "gfx_panels.h"
#include "tool_events.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
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

// The letter after a caption's "&", upper case; none without one.
QChar mnemonicOf(const QString& caption)
{
    return GfxAccelChar(caption).toUpper();
}

MenuColumns* panelOfMenu(QObject* object)
{
    auto* menu = qobject_cast<QMenu*>(object);
    return menu ? menu->findChild<MenuColumns*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// One item for assistive tools, as a menu's item is: role, name, state and
// the press action.
class ItemAccessible : public QAccessibleWidget {
public:
    explicit ItemAccessible(MenuColumnItem* item) : QAccessibleWidget(item, QAccessible::MenuItem) {}

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(item()->panel()->menu());
    }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return GfxStripAccel(item()->action()->text());
        case QAccessible::Accelerator: return mnemonicKeys();
        default: return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        const QAction* a = item()->action();
        s.invisible = !item()->isVisible();
        s.disabled = !a->isEnabled();
        s.focused = item()->panel()->current() == item();
        s.checkable = a->isCheckable();
        s.checked = a->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && item()->action()->isEnabled()) item()->panel()->choose(item());
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        const QString keys = mnemonicKeys();
        if (name != pressAction() || keys.isEmpty()) return {};
        return {keys};
    }

private:
    // The keys of the caption's mnemonic (Alt and its letter), as text.
    QString mnemonicKeys() const
    {
        return QKeySequence::mnemonic(item()->action()->text()).toString(QKeySequence::NativeText);
    }
    MenuColumnItem* item() const { return static_cast<MenuColumnItem*>(widget()); }
};

// The menu, whose children for assistive tools are the panel's items
// rather than the one action that holds the panel.
class MenuAccessible : public QAccessibleWidget {
public:
    MenuAccessible(QMenu* menu, MenuColumns* panel) : QAccessibleWidget(menu, QAccessible::PopupMenu), panel_(panel)
    {
    }

    int childCount() const override { return int(panel_->shownItems().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<MenuColumnItem*> shown = panel_->shownItems();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(panel_->shownItems().indexOf(dynamic_cast<MenuColumnItem*>(child->object()))) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (MenuColumnItem* i : panel_->shownItems())
            if (QRect(i->mapToGlobal(QPoint(0, 0)), i->size()).contains(x, y))
                return QAccessible::queryAccessibleInterface(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        return panel_->current() ? QAccessible::queryAccessibleInterface(panel_->current()) : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        // The menu bar's item that opens the menu, as for any menu of a bar.
        auto* bar = qobject_cast<QMenuBar*>(widget()->parentWidget());
        const qsizetype at = bar ? bar->actions().indexOf(menu()->menuAction()) : -1;
        if (at >= 0)
            if (QAccessibleInterface* b = QAccessible::queryAccessibleInterface(bar)) return b->child(int(at));
        return QAccessibleWidget::parent();
    }
    QString text(QAccessible::Text t) const override
    {
        const QString s = QAccessibleWidget::text(t);
        if (!s.isEmpty() || t != QAccessible::Name) return s;
        return GfxStripAccel(menu()->title());
    }

private:
    QMenu* menu() const { return static_cast<QMenu*>(widget()); }
    MenuColumns* panel_;
};

QAccessibleInterface* accessibleFactory(const QString&, QObject* object)
{
    if (auto* item = dynamic_cast<MenuColumnItem*>(object)) return new ItemAccessible(item);
    if (MenuColumns* panel = panelOfMenu(object)) return new MenuAccessible(panel->menu(), panel);
    return nullptr;
}

}  // namespace

MenuColumnItem::MenuColumnItem(QAction* action, MenuColumns* panel)
    : QAbstractButton(panel), action_(action), panel_(panel)
{
    setObjectName(action->objectName() + QStringLiteral("_item"));
    setText(action->text());
    // The keys go to the menu, as they do in a menu of Qt's, and the
    // pointer to the panel, which finds the item under it (a disabled
    // widget would hear nothing).
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
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
    const bool selected = isEnabled() && panel_->current() == this;
    const QStyleOptionMenuItem opt = menuItemOption(this, text(), selected);
    p.drawControl(QStyle::CE_MenuItem, opt);
}

MenuColumns::MenuColumns(QMenu* menu, const QList<QAction*>& actions, const QList<QAction*>& breaks)
    : QWidget(menu), menu_(menu)
{
    static const bool accessible = [] {
        QAccessible::installFactory(&accessibleFactory);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(menu->objectName() + QStringLiteral("_columns"));
    setFocusPolicy(Qt::NoFocus);
    // The pointer's moves over the items come here.
    setMouseTracking(true);
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
        column->addWidget(item);
        items_ << item;
        columns_ << index;
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
        openedUnder_ = QCursor::pos();
        pointerMoved_ = false;
    });
    connect(menu, &QMenu::aboutToHide, this, [this] { setCurrent(nullptr); });
    // The menu makes the panel's action its active one only from the
    // keyboard (the pointer's moves over the panel stop at the panel): when
    // the menu bar opens the menu by a key, the first item is current.
    connect(menu, &QMenu::hovered, this, [this](QAction* a) {
        if (a == holder_ && !current_) setCurrent(nextInOrder(1));
    });
    // The keys come to the menu.
    menu->installEventFilter(this);
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

QList<MenuColumnItem*> MenuColumns::shownItems() const
{
    QList<MenuColumnItem*> out;
    for (MenuColumnItem* i : items_)
        if (i->wanted()) out << i;
    return out;
}

QList<MenuColumnItem*> MenuColumns::enabledItems() const
{
    QList<MenuColumnItem*> out;
    for (MenuColumnItem* i : items_)
        if (i->wanted() && i->action()->isEnabled()) out << i;
    return out;
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
    if (current_ && !(current_->wanted() && current_->action()->isEnabled())) setCurrent(nullptr);
    unmeasured_ = !measure;
    if (measure) adjustSize();
    // The menu measures its widget when its items change: a new value of
    // the holder's data tells it so.
    holder_->setData(++layoutGeneration_);
}

void MenuColumns::setCurrent(MenuColumnItem* item)
{
    if (item == current_) return;
    if (current_) current_->update();
    current_ = item;
    if (!item) return;
    item->update();
    if (toolsListen()) {
        // As a menu tells of its active action: the menu, and the child.
        QAccessibleEvent focus(menu_, QAccessible::Focus);
        focus.setChild(int(shownItems().indexOf(item)));
        tellTools(focus);
    }
}

void MenuColumns::choose(MenuColumnItem* item)
{
    // As a menu does: it closes, then the item runs. The open menu is
    // closed by its own activation of the panel's action (Return on it,
    // given past the panel's keys), as for any item of it: the menus above
    // close and a menu bar opened from the keyboard gives the keyboard back
    // to where it was. Closing the menu alone would leave the keys on the
    // menu bar.
    QPointer<QAction> a = item->action();
    if (menu_->isVisible()) {
        menu_->setActiveAction(holder_);
        QKeyEvent activate(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        closing_ = true;
        QCoreApplication::sendEvent(menu_, &activate);
        closing_ = false;
        for (QWidget* w = menu_; w; w = w->parentWidget())
            if (auto* m = qobject_cast<QMenu*>(w)) m->hide();
    }
    if (a) a->trigger();
}

MenuColumnItem* MenuColumns::nextInOrder(int step) const
{
    // From the current item (from before the first when there is none),
    // round from one end to the other.
    const QList<MenuColumnItem*> enabled = enabledItems();
    if (enabled.isEmpty()) return nullptr;
    const qsizetype at = current_ ? enabled.indexOf(current_) : -1;
    if (at < 0) return step > 0 ? enabled.first() : enabled.last();
    return enabled[(at + step + enabled.size()) % enabled.size()];
}

MenuColumnItem* MenuColumns::inOtherColumn(int step) const
{
    // The item of the other column level with the current one, or the
    // nearest to it; none beyond the first and the last column.
    if (!current_) return nullptr;
    const auto shownIn = [this](int c) {
        QList<MenuColumnItem*> out;
        for (qsizetype i = 0; i < items_.size(); ++i)
            if (items_[i]->wanted() && columns_[i] == c) out << items_[i];
        return out;
    };
    const int col = column(current_);
    const qsizetype row = shownIn(col).indexOf(current_);
    const int lastColumn = columns_.isEmpty() ? 0 : columns_.last();
    for (int c = col + step; c >= 0 && c <= lastColumn; c += step) {
        const QList<MenuColumnItem*> shownThere = shownIn(c);
        MenuColumnItem* best = nullptr;
        qsizetype bestDistance = 0;
        for (qsizetype r = 0; r < shownThere.size(); ++r) {
            if (!shownThere[r]->action()->isEnabled()) continue;
            const qsizetype d = std::abs(r - row);
            if (!best || d < bestDistance) {
                best = shownThere[r];
                bestDistance = d;
            }
        }
        if (best) return best;
    }
    return nullptr;
}

MenuColumnItem* MenuColumns::byMnemonic(QChar c, bool* alone) const
{
    // As a menu: the only item with the letter, or the next of those that
    // share it after the current one.
    QList<MenuColumnItem*> matching;
    for (MenuColumnItem* i : enabledItems())
        if (mnemonicOf(i->action()->text()) == c) matching << i;
    *alone = matching.size() == 1;
    if (matching.isEmpty()) return nullptr;
    const qsizetype at = current_ ? matching.indexOf(current_) : -1;
    return at >= 0 && at + 1 < matching.size() ? matching[at + 1] : matching.first();
}

bool MenuColumns::keyPress(QKeyEvent* k)
{
    switch (k->key()) {
    // In a menu Tab goes down and Shift+Tab up.
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        setCurrent(nextInOrder(-1));
        return true;
    case Qt::Key_Down:
    case Qt::Key_Tab:
        setCurrent(nextInOrder(1));
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = (k->key() == Qt::Key_Right) != isRightToLeft() ? 1 : -1;
        if (MenuColumnItem* next = inOtherColumn(step)) {
            setCurrent(next);
            return true;
        }
        // Beyond the columns: the menu passes the key to its menu bar,
        // which opens the neighbouring menu.
        return false;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        // With none current, a menu makes its first item current.
        if (current_)
            choose(current_);
        else
            setCurrent(nextInOrder(1));
        return true;
    default: break;
    }
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    if (k->text().size() == 1 && (mods == Qt::NoModifier || mods == Qt::AltModifier || mods == Qt::ShiftModifier)) {
        bool alone = false;
        if (MenuColumnItem* i = byMnemonic(k->text()[0].toUpper(), &alone)) {
            setCurrent(i);
            if (alone) choose(i);
            return true;
        }
    }
    return false;
}

bool MenuColumns::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == menu_ && e->type() == QEvent::KeyPress && menu_->isVisible() && !closing_)
        return keyPress(static_cast<QKeyEvent*>(e));
    return QWidget::eventFilter(watched, e);
}

bool MenuColumns::pointerMoved(QPointF global)
{
    if (!pointerMoved_)
        pointerMoved_ = (global.toPoint() - openedUnder_).manhattanLength() > QApplication::startDragDistance();
    return pointerMoved_;
}

void MenuColumns::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    if (pointerMoved_) setCurrent(nullptr);
}

MenuColumnItem* MenuColumns::itemAt(QPoint pos) const
{
    for (MenuColumnItem* i : items_)
        if (i->isVisibleTo(this) && i->geometry().contains(pos)) return i;
    return nullptr;
}

// The pointer's moves, presses and releases over the panel are its own (the
// menu would take the panel for one item and choose it): a move makes the
// item under the pointer current, a release over the item pressed chooses
// it, as in a menu.
void MenuColumns::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    if (!pointerMoved(e->globalPosition())) return;
    // A disabled item or none leaves none current.
    MenuColumnItem* under = itemAt(e->position().toPoint());
    setCurrent(under && under->isEnabled() ? under : nullptr);
}

void MenuColumns::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    pressed_ = e->button() == Qt::LeftButton ? itemAt(e->position().toPoint()) : nullptr;
}

void MenuColumns::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    MenuColumnItem* under = itemAt(e->position().toPoint());
    const bool chosen = e->button() == Qt::LeftButton && under && under == pressed_ && under->isEnabled();
    pressed_ = nullptr;
    if (chosen) choose(under);
}
