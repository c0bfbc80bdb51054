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
// design's filler items) takes no row, shown or not. The keyboard moves
// through the items as through a menu's: Up and Down within a column, Left
// and Right to the next column (beyond the first and the last, to the menu
// bar's neighbouring menu), Return, Enter and Space choose.

#include <QAbstractButton>
#include <QList>
#include <QWidget>

class QAction;
class QGridLayout;
class QMenu;
class QWidgetAction;

class MenuColumnItem : public QAbstractButton {
public:
    MenuColumnItem(QAction* action, QWidget* parent);
    QAction* action() const { return action_; }
    // Shown while its action is visible and has a caption.
    bool wanted() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QAction* action_;
};

class MenuColumns : public QWidget {
public:
    // Fills `menu` with the panel; `actions` in order, each entry of
    // `breaks` the first action of a new column.
    MenuColumns(QMenu* menu, const QList<QAction*>& actions, const QList<QAction*>& breaks);

    const QList<MenuColumnItem*>& items() const { return items_; }
    MenuColumnItem* item(const QAction* action) const;
    // The column of an item (0 the first).
    int column(const MenuColumnItem* item) const;

protected:
    void focusInEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The items follow their actions; the menu lays the panel out anew.
    // While the menu is closed the panel is not measured: the menu's next
    // opening does it.
    void actionChanged();
    void refresh(bool measure);
    void choose(MenuColumnItem* item);
    MenuColumnItem* neighbour(MenuColumnItem* from, int dColumn, int dRow) const;

    QMenu* menu_;
    QWidgetAction* holder_;
    QList<MenuColumnItem*> items_;
    QList<int> columns_;  // per item
    int layoutGeneration_ = 0;
    bool unmeasured_ = true;
};
