#pragma once
// A tab control that can also show no tab selected (the logo page in erase
// mode), which a plain tab bar cannot.

#include <QTabBar>

#include <functional>

class TabControl : public QTabBar {
public:
    explicit TabControl(QWidget* parent = nullptr);

    // The selected tab, -1 when none is shown selected.
    int TabIndex() const { return none_ ? -1 : currentIndex(); }
    // Selects a tab from the program (an index outside the tabs selects
    // none); OnChange is not called.
    void SetTabIndex(int index);

    // The operator selected a tab (also the tab that was current while none
    // was shown selected).
    std::function<void()> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool none_ = false;
};
