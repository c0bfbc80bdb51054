#include "gfx_radiogroup.h"

#include <QKeyEvent>

#include <algorithm>

// ---------------------------------------------------------- TGfxRadioGroupButton
TGfxRadioGroupButton::TGfxRadioGroupButton(TGfxCustomButtonGroup* Group) : TGfxRadioButton(Group), group_(Group)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetVisible(false);
    SetTransparent(true);
    SetTabStop(false);
    if (group_) {
        group_->AddButton(this);
        SetEnabled(group_->Enabled());
    }
}

TGfxRadioGroupButton::~TGfxRadioGroupButton()
{
    Destroying();
    if (group_)
        group_->RemoveButton(this);
}

void TGfxRadioGroupButton::SetChecked(bool Value)
{
    TGfxRadioButton::SetChecked(Value);
    if (group_)
        group_->UpdateTabStops();
    else
        SetTabStop(Checked());
}

bool TGfxRadioGroupButton::CanModify() const { return group_ ? group_->CanModify() : TGfxRadioButton::CanModify(); }

bool TGfxRadioGroupButton::FocusChooses(Qt::FocusReason Reason) const
{
    if (!group_)
        return TGfxRadioButton::FocusChooses(Reason);
    return arrowFocus_ && CanModify();
}

void TGfxRadioGroupButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (group_)
        group_->MouseDown(Button, Shift, X, Y);
    TGfxRadioButton::MouseDown(Button, Shift, X, Y);
}

void TGfxRadioGroupButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (group_)
        group_->MouseUp(Button, Shift, X, Y);
    TGfxRadioButton::MouseUp(Button, Shift, X, Y);
    // A check that came from the press taking the focus, released outside
    // the button: the group hears of it now.
    if (Button == mbLeft && group_ && Checked() && group_->GetItemIndex() != group_->IndexOfButton(this))
        Click();
}

void TGfxRadioGroupButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (group_)
        group_->MouseMove(Shift, X, Y);
    TGfxRadioButton::MouseMove(Shift, X, Y);
}

void TGfxRadioGroupButton::DblClick()
{
    TGfxRadioButton::DblClick();
    if (group_ && group_->OnDblClick)
        group_->OnDblClick(group_);
}

void TGfxRadioGroupButton::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Backspace:
        if (group_ && !group_->CanModify()) {
            e->accept();
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        if (group_) {
            group_->FocusNeighbour(this, -1);
            e->accept();
            return;
        }
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        if (group_) {
            group_->FocusNeighbour(this, 1);
            e->accept();
            return;
        }
        break;
    default: break;
    }
    TGfxRadioButton::keyPressEvent(e);
}

// --------------------------------------------------------- TGfxCustomButtonGroup
TGfxCustomButtonGroup::TGfxCustomButtonGroup(QWidget* AParent)
    : TGfxCustomGroupBox(AParent), btnAlignment_(std::make_unique<TGfxGlyphTextLayout>()),
      font3D_(std::make_unique<TGfx3DCaption>()),
      glyphLink_(*this, this, [this](TObject*) {
          if (!IsDestroying())
              UpdateButtons();
      })
{
    // No click events of its own: its OnClick tells of a choice made with
    // a button, never of a click on its margin.
    SetControlStyle(csSetCaption | csOpaque | csDoubleClicks | csCaptureMouse | csReplicatable);
    btnAlignment_->SetAlignment(agCenterLeft);
    btnAlignment_->OnChange = [this](TObject*) {
        ForEachButton([this](TGfxRadioGroupButton& b) { b.SetAlignment(*btnAlignment_); });
        LayoutButtons();
    };
    font3D_->OnChange = [this](TObject*) { UpdateButtons(); };
}

TGfxCustomButtonGroup::~TGfxCustomButtonGroup()
{
    // The buttons go first, while the list they leave and everything they
    // may ask of the group still exist; nothing reaches the group from them
    // any more (it is destroying).
    Destroying();
    while (!buttons_.empty()) {
        TGfxRadioGroupButton* b = buttons_.back();
        buttons_.pop_back();
        b->group_ = nullptr;
        delete b;
    }
    btnAlignment_->OnChange = nullptr;
    font3D_->OnChange = nullptr;
}

void TGfxCustomButtonGroup::ForEachButton(const std::function<void(TGfxRadioGroupButton&)>& Apply)
{
    for (TGfxRadioGroupButton* b : buttons_)
        Apply(*b);
}

void TGfxCustomButtonGroup::SetItemHeight(int Value)
{
    if (itemHeight_ == Value)
        return;
    itemHeight_ = Value;
    LayoutButtons();
}

void TGfxCustomButtonGroup::SetItemOffset(int Value)
{
    if (itemOffset_ == Value)
        return;
    itemOffset_ = Value;
    LayoutButtons();
}

void TGfxCustomButtonGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, 12);
    if (columns_ == Value)
        return;
    columns_ = Value;
    LayoutButtons();
}

void TGfxCustomButtonGroup::SetFlatGlyphs(bool Value)
{
    if (flatGlyphs_ == Value)
        return;
    flatGlyphs_ = Value;
    if (IsLoading())
        return;
    ForEachButton([Value](TGfxRadioGroupButton& b) { b.SetFlat(Value); });
    LayoutButtons();
}

void TGfxCustomButtonGroup::SetGlyphFlat(bool Value)
{
    if (glyphFlat_ == Value)
        return;
    glyphFlat_ = Value;
    if (!IsLoading() && !GlyphImageList())
        ForEachButton([Value](TGfxRadioGroupButton& b) { b.SetGlyphFlat(Value); });
}

void TGfxCustomButtonGroup::SetUseBitmap(bool Value)
{
    if (useBitmap_ == Value)
        return;
    useBitmap_ = Value;
    UpdateButtons();
}

void TGfxCustomButtonGroup::SetUseFocusColor(bool Value)
{
    if (useFocusColor_ == Value)
        return;
    useFocusColor_ = Value;
    if (!IsDesigning())
        UpdateButtons();
}

void TGfxCustomButtonGroup::SetFocusStyle(TGfxGlyphTextFocusStyle Value)
{
    if (focusStyle_ == Value)
        return;
    focusStyle_ = Value;
    if (!IsDesigning())
        UpdateButtons();
}

void TGfxCustomButtonGroup::SetFocusColor(TColor Value)
{
    if (focusColor_ == Value)
        return;
    focusColor_ = Value;
    if (!IsDesigning())
        UpdateButtons();
}

void TGfxCustomButtonGroup::SetGlyphTransparent(bool Value)
{
    if (glyphTransparent_ == Value)
        return;
    glyphTransparent_ = Value;
    UpdateButtons();
}

void TGfxCustomButtonGroup::SetGlyphTransparentColor(TColor Value)
{
    if (glyphTransparentColor_ == Value)
        return;
    glyphTransparentColor_ = Value;
    UpdateButtons();
}

void TGfxCustomButtonGroup::SetGlyphSize(std::uint8_t Value)
{
    if (glyphSize_ == Value)
        return;
    glyphSize_ = Value;
    if (IsLoading() || GlyphImageList())
        return;
    ForEachButton([Value](TGfxRadioGroupButton& b) { b.SetGlyphSize(Value); });
    LayoutButtons();
}

void TGfxCustomButtonGroup::SetHelpContextBtn(TGfxChildHelpContextID Value)
{
    if (helpContextBtn_ == Value)
        return;
    helpContextBtn_ = Value;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetHelpContext(ButtonHelpContext(int(i)));
}

int TGfxCustomButtonGroup::ButtonHelpContext(int Index) const
{
    switch (helpContextBtn_) {
    case ciSameAsParent: return HelpContext();
    case ciAutoNumbered: return HelpContext() + Index + 1;
    default: return 0;
    }
}

void TGfxCustomButtonGroup::SetItems(const QStringList& Value)
{
    if (items_ == Value)
        return;
    items_ = Value;
    ItemsChanged();
}

TGfxRadioGroupButton* TGfxCustomButtonGroup::Buttons(int Index) const
{
    return Index >= 0 && Index < ButtonCount() ? buttons_[size_t(Index)] : nullptr;
}

int TGfxCustomButtonGroup::IndexOfButton(const TObject* Button) const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (static_cast<const TObject*>(buttons_[i]) == Button)
            return int(i);
    return -1;
}

void TGfxCustomButtonGroup::AddButton(TGfxRadioGroupButton* Button)
{
    buttons_.push_back(Button);
    Button->OnClick = [this](TObject* Sender) { ButtonClicked(Sender); };
}

void TGfxCustomButtonGroup::RemoveButton(TGfxRadioGroupButton* Button)
{
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), Button), buttons_.end());
    UpdateTabStops();
}

void TGfxCustomButtonGroup::UpdateTabStops()
{
    if (IsDestroying())
        return;
    size_t stop = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]->Checked()) {
            stop = i;
            break;
        }
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetTabStop(i == stop);
}

void TGfxCustomButtonGroup::ButtonClicked(TObject* Sender)
{
    // A group that cannot be modified keeps its choice, whatever the mouse
    // does (the keyboard's paths are closed in the buttons).
    if (building_ || IsDestroying() || !CanModify())
        return;
    const int index = IndexOfButton(Sender);
    if (index < 0)
        return;
    const int old = itemIndex_;
    SetItemIndex(index);
    if (itemIndex_ == old)
        return;
    Click();
    FireChange(index);
}

void TGfxCustomButtonGroup::FireChange(int ButtonIndex)
{
    if (!SuppressChange && OnChange)
        OnChange(this, ButtonIndex);
}

void TGfxCustomButtonGroup::ItemsChanged()
{
    if (IsLoading())
        return;
    if (itemIndex_ >= items_.size())
        itemIndex_ = int(items_.size()) - 1;
    UpdateButtons();
}

void TGfxCustomButtonGroup::FocusNeighbour(const TGfxRadioGroupButton* From, int Step)
{
    const int n = ButtonCount();
    const int from = IndexOfButton(From);
    if (n == 0 || from < 0)
        return;
    for (int k = 1; k < n; ++k) {
        TGfxRadioGroupButton* b = buttons_[size_t(((from + Step * k) % n + n) % n)];
        if (b->isVisibleTo(this) && b->isEnabled()) {
            // The arrows choose, also in a group without a choice.
            b->arrowFocus_ = true;
            b->setFocus(Qt::OtherFocusReason);
            b->arrowFocus_ = false;
            return;
        }
    }
}

void TGfxCustomButtonGroup::LayoutButtons()
{
    if (IsLoading() || IsDestroying() || buttons_.empty())
        return;
    const int b = BevelWidth();
    const int c = ShownCaption().isEmpty() ? 0 : CaptionExtent();
    const int m = std::max(b, c);
    // The widget's own size: one given through Qt to a hidden group reaches
    // SetBounds only when the group is shown.
    const int W = QWidget::width(), H = QWidget::height();
    TRect r;
    switch (int(Alignment()) / 3) {
    case 0: r = TRect{b, m, W - b, H - b}; break;
    case 1: r = TRect{m, b, W - b, H - b}; break;
    case 2: r = TRect{b, b, W - b, H - m}; break;
    default: r = TRect{b, b, W - m, H - b}; break;
    }
    InflateRect(r, -1, -1);
    const int count = ButtonCount();
    const int rows = (count + columns_ - 1) / columns_;
    const int columnWidth = (r.Width() - itemOffset_) / columns_ - 1;
    const int available = r.Height() - 2;
    const int itemHeight = itemHeight_ >= 0 ? itemHeight_ : available / rows;
    // Moved down by half of what the item height leaves over the rows.
    const int top = r.Top + 1 + (itemHeight % rows) / 2;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows, row = i % rows;
        TGfxRadioGroupButton* button = buttons_[size_t(i)];
        button->SetBounds(column * columnWidth + r.Left + itemOffset_, row * itemHeight + top, columnWidth,
                          itemHeight);
        button->SetVisible(true);
    }
}

bool TGfxCustomButtonGroup::CanAutoSize(int& NewWidth, int& NewHeight) const
{
    if (buttons_.empty() || itemHeight_ < 1)
        return false;
    const int top = ShownCaption().isEmpty() ? BevelExtent() : CaptionExtent() + BevelWidth();
    NewWidth = Width();
    NewHeight = top + ButtonCount() * (itemHeight_ + 1);
    return true;
}

void TGfxCustomButtonGroup::ThemeChanged()
{
    TGfxCustomGroupBox::ThemeChanged();
    UpdateButtons();
}

void TGfxCustomButtonGroup::Loaded()
{
    TGfxCustomGroupBox::Loaded();
    UpdateButtons();
}

void TGfxCustomButtonGroup::Notification(TComponentBase* AComponent, TOperation Operation)
{
    TGfxCustomGroupBox::Notification(AComponent, Operation);
    if (Operation == opRemove)
        glyphLink_.ListFreed(AComponent);
}

void TGfxCustomButtonGroup::FollowPalette()
{
    const TColor text = GfxColorFromQRgb(palette().color(QPalette::WindowText).rgb());
    if (GfxColorToRGB(Font().Color()) != text)
        Font().SetColor(text);
}

bool TGfxCustomButtonGroup::event(QEvent* e)
{
    if (e->type() == QEvent::PaletteChange && !IsDestroying())
        FollowPalette();
    return TGfxCustomGroupBox::event(e);
}

void TGfxCustomButtonGroup::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        TGfxCustomGroupBox::WndProc(Message);
        ForEachButton([this](TGfxRadioGroupButton& b) { b.SetEnabled(Enabled()); });
        break;
    case CM_FONTCHANGED:
    case WM_SIZE:
    case GFX_PARENTBKGNDCHANGED:
        TGfxCustomGroupBox::WndProc(Message);
        LayoutButtons();
        break;
    default: TGfxCustomGroupBox::WndProc(Message); break;
    }
}

// ---------------------------------------------------------- TGfxCustomRadioGroup
TGfxCustomRadioGroup::TGfxCustomRadioGroup(QWidget* AParent) : TGfxCustomButtonGroup(AParent)
{
    SetGlyphTransparent(true);
    SetGlyphSize(13);
}

TGfxCustomRadioGroup::~TGfxCustomRadioGroup() { Destroying(); }

void TGfxCustomRadioGroup::SetItemIndex(int Value)
{
    if (IsLoading()) {
        itemIndex_ = Value;
        return;
    }
    Value = std::clamp(Value, -1, ButtonCount() - 1);
    if (Value == itemIndex_)
        return;
    if (TGfxRadioGroupButton* old = Buttons(itemIndex_))
        old->SetChecked(false);
    itemIndex_ = Value;
    if (TGfxRadioGroupButton* now = Buttons(Value))
        now->SetChecked(true);
}

void TGfxCustomRadioGroup::SetButtonCount(int Count)
{
    while (ButtonCount() < Count)
        new TGfxRadioGroupButton(this);
    while (ButtonCount() > Count) {
        TGfxRadioGroupButton* last = buttons_.back();
        if (last->hasFocus() && !IsDestroying()) {
            if (isVisible() && isEnabled())
                setFocus(Qt::OtherFocusReason);
            else if (parentWidget())
                parentWidget()->setFocus(Qt::OtherFocusReason);
        }
        delete last;
    }
}

void TGfxCustomRadioGroup::UpdateButtons()
{
    if (IsLoading() || IsDestroying())
        return;
    SetButtonCount(int(items_.size()));
    // A stored index beyond the lines (from a stored form) names no button.
    if (itemIndex_ < -1 || itemIndex_ >= ButtonCount())
        itemIndex_ = -1;
    building_ = true;
    for (int i = 0; i < ButtonCount(); ++i) {
        TGfxRadioGroupButton& b = *buttons_[size_t(i)];
        b.SetUpdating(true);
        b.SetCaption(items_[i]);
        b.SetAlignment(BtnAlignment());
        b.SetImageIndex(GlyphImageIndex());
        b.SetListIndex(GlyphListIndex());
        b.SetParentColor(true);
        b.SetImageList(GlyphImageList());
        b.SetGlyphTransparent(GlyphTransparent());
        b.SetGlyphTransparentColor(GlyphTransparentColor());
        b.SetGlyphSize(std::uint8_t(GlyphSize()));
        b.SetGlyphFlat(GlyphFlat());
        b.SetFocusStyle(FocusStyle());
        b.SetFocusColor(FocusColor());
        b.SetUseFocusColor(UseFocusColor());
        b.SetFont3D(Font3D());
        b.SetUseBitmap(UseBitmap());
        b.SetFlat(FlatGlyphs());
        b.SetCtlXP(CtlXP());
        b.SetHelpContext(ButtonHelpContext(i));
        b.SetUpdating(false);
        b.Invalidate();
    }
    if (TGfxRadioGroupButton* checked = Buttons(itemIndex_))
        checked->SetChecked(true);
    building_ = false;
    UpdateTabStops();
    LayoutButtons();
}

void TGfxCustomRadioGroup::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR && GfxIsAccel(Message.WParam, Caption())) {
        if (isVisible() && Enabled()) {
            Message.Result = 1;
            // The checked button, else the first (the tab stops). Without
            // a choice the focus comes as a shortcut's, which chooses
            // nothing.
            TGfxRadioGroupButton* checked = Buttons(itemIndex_);
            if (!checked || !checked->isVisibleTo(this) || !checked->isEnabled())
                checked = Buttons(0);
            if (checked && checked->isVisibleTo(this) && checked->isEnabled())
                checked->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
    TGfxCustomButtonGroup::WndProc(Message);
}
