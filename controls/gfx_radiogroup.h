#pragma once
// The library's button groups: a framed group box that owns one radio
// button per line of its Items, lays them out in columns and keeps at most
// one of them checked; ItemIndex is the checked line (-1 none).
//
// - TGfxCustomButtonGroup: the button list, the layout, the reaction to a
//   change of Items, the routing of the buttons' clicks and OnChange;
// - TGfxCustomRadioGroup: makes and configures the buttons, ItemIndex and
//   the caption's accelerator;
// - TGfxRadioGroup: the one the windows use;
// - TGfxRadioGroupButton: the radio button a group makes for each line.
//
// The rules the windows rely on:
// - ItemIndex set from code (limited to -1 .. the last item) never raises
//   OnChange: checking the button raises its click, which finds ItemIndex
//   already there;
// - an operator's choice of another button (a click, or the arrow keys
//   moving the focus, and so the check, within the group) raises the
//   group's OnClick, then OnChange(group, index) once; a click on the
//   checked button raises nothing;
// - the text colour follows the group's palette (QPalette::WindowText)
//   when it is set: the group's font takes it and its buttons follow.
//
// Only the checked button is a tab stop, as with the platform's radio
// groups: tabbing through a page enters a group at its choice and never
// changes it; the arrow keys move within the group. While nothing is
// chosen (ItemIndex -1) the first button is the tab stop, so that the
// keyboard reaches the group. Only the left press, Space and the arrows
// choose: entering a group by Tab, by the caption's accelerator or by the
// focus coming back to it when its page is shown again chooses nothing.

#include "gfx_radiobutton.h"

#include <QStringList>

#include <functional>
#include <vector>

// A method with the group as Sender and the chosen button's index.
using TGfxChildBtnClick = std::function<void(TObject* Sender, int ButtonIndex)>;

// The help topics a group gives its buttons: none of their own (0), the
// group's, or the group's followed by one per button (the group's + index
// + 1).
enum TGfxChildHelpContextID : std::uint8_t { ciDefault, ciSameAsParent, ciAutoNumbered };

class TGfxCustomButtonGroup;

class TGfxRadioGroupButton : public TGfxRadioButton {
public:
    // Made hidden and transparent, added to the group, parented by it.
    explicit TGfxRadioGroupButton(TGfxCustomButtonGroup* Group);
    // Taken out of its group's list.
    ~TGfxRadioGroupButton() override;

    TGfxCustomButtonGroup* Group() const { return group_; }
    // The group's tab stop follows the check.
    void SetChecked(bool Value) override;
    // Asks the group.
    bool CanModify() const override;

    // The group hears every click (and refuses it when it cannot be
    // modified).
    bool OperatorCanChange() const override { return CanModify(); }

protected:
    // Only the group's own arrow-key move chooses by the focus (the left
    // press chooses by itself): the focus that Qt gives back when a page or
    // window is shown again, Tab, Backtab and the accelerator choose
    // nothing, so that a group shows the choice its window was told of.
    bool FocusChooses(Qt::FocusReason Reason) const override;
    // Every mouse message goes to the group first, then to the button.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    // Arrows move the focus (and the check) to the neighbouring button;
    // Space and Backspace are dropped while the group cannot be modified.
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class TGfxCustomButtonGroup;
    TGfxCustomButtonGroup* group_;
    bool arrowFocus_ = false;  // the group's arrow keys are moving the focus here
};

class TGfxCustomButtonGroup : public TGfxCustomGroupBox {
public:
    explicit TGfxCustomButtonGroup(QWidget* AParent = nullptr);
    ~TGfxCustomButtonGroup() override;

    // ---------------------------------------------------------- properties
    // Copied into every button; a change lays them out again.
    TGfxGlyphTextLayout& BtnAlignment() { return *btnAlignment_; }
    void SetBtnAlignment(const TGfxGlyphTextLayout& Value) { btnAlignment_->Assign(&Value); }
    // -1: the height available divided by the rows.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int Value);
    int ItemOffset() const { return itemOffset_; }
    void SetItemOffset(int Value);
    int Columns() const { return columns_; }
    // Limited to 1..12.
    void SetColumns(int Value);
    bool FlatGlyphs() const { return flatGlyphs_; }
    void SetFlatGlyphs(bool Value);
    bool GlyphFlat() const { return glyphFlat_; }
    void SetGlyphFlat(bool Value);
    bool UseBitmap() const { return useBitmap_; }
    void SetUseBitmap(bool Value);
    bool UseFocusColor() const { return useFocusColor_; }
    void SetUseFocusColor(bool Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    TGfx3DCaption& Font3D() { return *font3D_; }
    void SetFont3D(const TGfx3DCaption& Value) { font3D_->Assign(&Value); }
    TGfxGlyphTextFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TGfxGlyphTextFocusStyle Value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor Value);
    TGfxCustomImageList* GlyphImageList() const { return glyphLink_.ImageList(); }
    void SetGlyphImageList(TGfxCustomImageList* Value) { glyphLink_.SetImageList(Value); }
    int GlyphListIndex() const { return glyphLink_.ListIndex(); }
    int GlyphImageIndex() const { return glyphLink_.ImageIndex(); }
    // A negative value is ignored; rebuilds only with a glyph image list.
    void SetGlyphListIndex(int Value) { glyphLink_.SetIndex(1, Value); }
    void SetGlyphImageIndex(int Value) { glyphLink_.SetIndex(0, Value); }
    bool GlyphTransparent() const { return glyphTransparent_; }
    void SetGlyphTransparent(bool Value);
    TColor GlyphTransparentColor() const { return glyphTransparentColor_; }
    void SetGlyphTransparentColor(TColor Value);
    int GlyphSize() const { return glyphSize_; }
    void SetGlyphSize(std::uint8_t Value);
    TGfxChildHelpContextID HelpContextBtn() const { return helpContextBtn_; }
    // Numbers the buttons' help topics again.
    void SetHelpContextBtn(TGfxChildHelpContextID Value);
    // The help topic HelpContextBtn gives button Index.
    int ButtonHelpContext(int Index) const;

    QStringList Items() const { return items_; }
    // Assigns the lines (then ItemsChanged).
    void SetItems(const QStringList& Value);
    int ItemIndex() const { return GetItemIndex(); }
    virtual int GetItemIndex() const { return itemIndex_; }
    virtual void SetItemIndex(int Value) = 0;

    // While set, OnChange is not raised.
    bool SuppressChange = false;
    TGfxChildBtnClick OnChange;

    // ------------------------------------------------------------ buttons
    int ButtonCount() const { return int(buttons_.size()); }
    // Button Index (the line's index); none outside the list.
    TGfxRadioGroupButton* Buttons(int Index) const;
    int IndexOfButton(const TObject* Button) const;
    // Appends the button and routes its click to ButtonClicked.
    void AddButton(TGfxRadioGroupButton* Button);
    void RemoveButton(TGfxRadioGroupButton* Button);
    // Makes or frees buttons until there are Count.
    virtual void SetButtonCount(int Count) = 0;
    // Makes the buttons from Items and checks ItemIndex's.
    virtual void UpdateButtons() = 0;
    // Places the buttons in the columns, first column top to bottom.
    void LayoutButtons();
    // The height that fits the buttons with ItemHeight; false when there
    // are no buttons or ItemHeight is below 1.
    bool CanAutoSize(int& NewWidth, int& NewHeight) const;
    virtual bool CanModify() const { return !readOnly_; }
    // True while the buttons are rebuilt.
    bool Building() const { return building_; }
    // Makes the checked button the only tab stop, the first one while none
    // is checked.
    void UpdateTabStops();

    void ThemeChanged() override;

protected:
    friend class TGfxRadioGroupButton;

    // A button's click: the operator's choice when it changes ItemIndex.
    void ButtonClicked(TObject* Sender);
    void FireChange(int ButtonIndex);
    // The Items changed: ItemIndex kept within them, the buttons rebuilt.
    void ItemsChanged();
    // Gives the focus to the neighbouring button that can take it (Step -1
    // or 1, round the group).
    void FocusNeighbour(const TGfxRadioGroupButton* From, int Step);

    void Loaded() override;
    void Notification(TComponentBase* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    bool event(QEvent* e) override;

    std::vector<TGfxRadioGroupButton*> buttons_;
    QStringList items_;
    int itemIndex_ = -1;
    bool building_ = false;

private:
    void FollowPalette();
    // Passes a setting to every button.
    void ForEachButton(const std::function<void(TGfxRadioGroupButton&)>& Apply);

    std::unique_ptr<TGfxGlyphTextLayout> btnAlignment_;
    int itemHeight_ = -1;
    int itemOffset_ = 4;
    int columns_ = 1;
    bool flatGlyphs_ = false;
    bool glyphFlat_ = false;
    bool useBitmap_ = false;
    bool useFocusColor_ = false;
    bool readOnly_ = false;
    std::unique_ptr<TGfx3DCaption> font3D_;
    TGfxGlyphTextFocusStyle focusStyle_ = fcText;
    TColor focusColor_ = GfxRGB(128, 128, 128);
    TGfxControlImageLink glyphLink_;
    bool glyphTransparent_ = false;
    std::uint8_t glyphSize_ = 0;
    TColor glyphTransparentColor_ = GfxRGB(128, 128, 0);
    TGfxChildHelpContextID helpContextBtn_ = ciDefault;
};

class TGfxCustomRadioGroup : public TGfxCustomButtonGroup {
public:
    explicit TGfxCustomRadioGroup(QWidget* AParent = nullptr);
    ~TGfxCustomRadioGroup() override;

    // Limited to -1 .. the last button (stored as it is while loading);
    // unchecks the old button, stores, then checks the new one.
    void SetItemIndex(int Value) override;
    void SetButtonCount(int Count) override;
    void UpdateButtons() override;

protected:
    void WndProc(TMessage& Message) override;
};

class TGfxRadioGroup : public TGfxCustomRadioGroup {
public:
    explicit TGfxRadioGroup(QWidget* AParent = nullptr) : TGfxCustomRadioGroup(AParent) {}
};
