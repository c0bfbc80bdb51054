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

    // The gauge in seconds of the store. The expected duration can come out
    // 0 or negative from a bad timing file: the maximum is at least 1, and
    // the progress stays within 0 .. maximum.
    void SetGaugeMaximum(int seconds);
    void SetGaugeProgress(int seconds);
    void StepGauge();  // one more second

    QProgressBar* Gauge_store;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape leaves the window: only the end of the store closes it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    TZEPH350_d* device_;
    QWidget* main_;
};
