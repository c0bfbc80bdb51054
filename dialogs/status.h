#pragma once
// Tstatus: the progress of a logo store, with an Abort button.

#include <QDialog>

class QProgressBar;
class QPushButton;
class TZEPH350_d;

class Tstatus : public QDialog {
public:
    Tstatus(TZEPH350_d* device, QWidget* mainWindow);

    void BitBtn1Click();

    QProgressBar* Gauge_store;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TZEPH350_d* device_;
    QWidget* main_;
};
