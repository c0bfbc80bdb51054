#pragma once
// A window that exists from the program's start (its name, title and size
// set by its constructor) but that most operators never open: its controls
// are built the first time it is shown, or the first time something needs
// one of them, not with the program.

#include <QDialog>

class LazyDialog : public QDialog {
public:
    using QDialog::QDialog;

    // Builds the controls, once; every show does it first, and so does each
    // method of the window that touches a control. Until then the control
    // members are null.
    void ensureContent();
    // Before the window shows, so that its controls show with it.
    void setVisible(bool visible) override;

protected:
    bool contentBuilt() const { return built_; }
    // The window's own controls; runs once, already counted as built, so
    // that what it calls may ask for the content again.
    virtual void buildContent() = 0;

private:
    bool built_ = false;
};
