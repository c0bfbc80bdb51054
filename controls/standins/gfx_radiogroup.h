#pragma once
// TGfxRadioGroup, stand-in: the plainest Qt radio group with exactly what
// the main window relies on, behind the library class's name and interface.
// The library's own radio group (framed group box, glyphs, themes, focus
// styles) replaces this file without any change to the pages that use it.
//
// What the pages rely on:
// - `Items`, one radio button per line, laid out in `Columns` columns
//   (first column top to bottom, then the next);
// - `ItemIndex`, -1 for none, limited to the items when set; setting it
//   from code never raises `OnChange`;
// - `OnChange(Sender, ButtonIndex)`, raised once for an operator's choice of
//   another button (a click, or the arrow keys moving the check), never for
//   a click on the button already checked;
// - the text colour from the group's palette (QPalette::WindowText).

#include "platform/gfx_object_base.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QButtonGroup;
class QRadioButton;

// A method with the group as Sender and the chosen button's index.
using TGfxChildBtnClick = std::function<void(TObject* Sender, int ButtonIndex)>;

class TGfxRadioGroup : public QWidget, public TObject {
public:
    explicit TGfxRadioGroup(QWidget* parent = nullptr);

    QStringList Items() const { return items_; }
    void SetItems(const QStringList& items);
    int Columns() const { return columns_; }
    void SetColumns(int columns);  // limited to 1..12
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

    TGfxChildBtnClick OnChange;

    // Button i (index into Items), for layout checks and tests.
    QRadioButton* button(int i) const;
    int buttonCount() const { return int(buttons_.size()); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateButtons();
    void LayoutButtons();
    void ButtonClicked(int index);
    void showChecked();

    QStringList items_;
    int columns_ = 1;
    int itemIndex_ = -1;
    static constexpr int ItemOffset = 4;
    QButtonGroup* group_ = nullptr;
    std::vector<QRadioButton*> buttons_;
};
