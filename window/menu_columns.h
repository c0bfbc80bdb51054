#pragma once
// A menu whose items stand in columns, a new column starting at a given
// item, as the "C&ustomize" menu's design has it ("Logo 1" starts the
// second column). Qt's menus break into columns only when the screen is
// too short, so the menu holds one panel of items instead; each item stands
// for one of the menu's named actions, which stay what the rest of the
// window finds, shows, hides and triggers.
//
// An item draws as a menu item of the style and follows its action: its
// caption, enabled state and visibility. An action without a caption (the
// design's filler items) takes no row, shown or not.
//
// The panel behaves as the menu it stands in for:
// - One item is current, as a menu's active action: the one under the
//   pointer (once the pointer moves), or the first enabled item when the
//   menu bar opens the menu from the keyboard.
// - The keys reach the menu (nothing in the panel takes the focus), and the
//   panel takes them there: Up and Down (Shift+Tab and Tab) go through the
//   enabled items in order, across the columns and round from the last to
//   the first; Left and Right go to the other column, and beyond the first
//   and the last to the menu bar's neighbouring menu; Return, Enter and
//   Space choose; the letter after a "&" chooses its item, or goes through
//   the items that share it. Escape is the menu's.
// - Choosing (a key, or a click on an enabled item) closes the menu as a
//   menu closes on its own item, then triggers the item's action.
// - Assistive tools see the menu with one menu item per item shown, named
//   by its caption, with its enabled and current state and a press action,
//   and hear of the current item as of a menu's active action. Their
//   objects are made when a tool asks.

#include <QAbstractButton>
#include <QList>
#include <QWidget>

class QAction;
class QMenu;
class QWidgetAction;
class MenuColumns;

class MenuColumnItem : public QAbstractButton {
public:
    MenuColumnItem(QAction* action, MenuColumns* panel);
    QAction* action() const { return action_; }
    MenuColumns* panel() const { return panel_; }
    // Shown while its action is visible and has a caption.
    bool wanted() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QAction* action_;
    MenuColumns* panel_;
};

class MenuColumns : public QWidget {
    Q_OBJECT  // found among a menu's children by its class
public:
    // Fills `menu` with the panel; `actions` in order, each entry of
    // `breaks` the first action of a new column.
    MenuColumns(QMenu* menu, const QList<QAction*>& actions, const QList<QAction*>& breaks);

    QMenu* menu() const { return menu_; }
    const QList<MenuColumnItem*>& items() const { return items_; }
    MenuColumnItem* item(const QAction* action) const;
    // The column of an item (0 the first).
    int column(const MenuColumnItem* item) const;
    // The items the menu shows, in order.
    QList<MenuColumnItem*> shownItems() const;
    // The current item; none while neither the pointer nor the keyboard
    // stands on one.
    MenuColumnItem* current() const { return current_; }
    // As a click on the item: the menu closes, then its action runs.
    void choose(MenuColumnItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    friend class MenuColumnItem;
    // The items follow their actions; the menu lays the panel out anew.
    // While the menu is closed the panel is not measured: the menu's next
    // opening does it.
    void actionChanged();
    void refresh(bool measure);
    void setCurrent(MenuColumnItem* item);
    bool keyPress(QKeyEvent* k);
    // The enabled items shown, in order.
    QList<MenuColumnItem*> enabledItems() const;
    MenuColumnItem* nextInOrder(int step) const;
    MenuColumnItem* inOtherColumn(int step) const;
    MenuColumnItem* byMnemonic(QChar c, bool* alone) const;
    // Whether the pointer has moved since the menu opened: a pointer that
    // rests where the menu comes up chooses no item, as in a menu.
    bool pointerMoved(QPointF global);
    MenuColumnItem* itemAt(QPoint pos) const;

    QMenu* menu_;
    QWidgetAction* holder_;
    QList<MenuColumnItem*> items_;
    QList<int> columns_;  // per item
    MenuColumnItem* current_ = nullptr;
    QPoint openedUnder_;  // the pointer's place when the menu opened
    bool pointerMoved_ = false;
    bool closing_ = false;  // the menu's own keys pass
    MenuColumnItem* pressed_ = nullptr;
    int layoutGeneration_ = 0;
    bool unmeasured_ = true;
};
