#pragma once
// TForm_wait_storing_settings: covers the storing of the image settings.

#include <QDialog>

class QLabel;

class TForm_wait_storing_settings : public QDialog {
public:
    explicit TForm_wait_storing_settings(QWidget* mainWindow);

    QLabel* Label1;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape leaves the window: only the end of the storing closes it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* main_;
};
