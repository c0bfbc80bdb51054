#pragma once
// TRs232LanDlg ("ZEPH LAN Status"): the device's own network settings as
// the device reports them, read-only. The main window passes each reported
// value to its setter, also while the dialog is hidden.
//
// The window exists from the program's start with its name and title; its
// fields are built when it is first shown or first given a value.

#include "lazy_dialog.h"

#include <QString>

#include <cstdint>

class QLineEdit;
class QPushButton;

class TRs232LanDlg : public LazyDialog {
public:
    explicit TRs232LanDlg(QWidget* parent = nullptr);

    QString LocalAddr;
    QString RemoteAddr;
    QString GatewayAddr;
    uint32_t LocalPort = 0;
    uint32_t RemotePort = 0;
    QString NetMask;
    uint8_t Accepted = 0;

    void SetLocalAddr(const QString& text);
    void SetRemoteAddr(const QString& text);
    void SetGatewayAddr(const QString& text);
    void SetLocalPort(uint32_t port);
    void SetRemotePort(uint32_t port);
    void SetNetMask(const QString& text);

    void BOkClick();
    void BCancelClick();

    // Null until the fields are built.
    QLineEdit* ELocalAddr = nullptr;
    QLineEdit* ELocalPort = nullptr;
    QLineEdit* EGatewayAddr = nullptr;
    QLineEdit* ENetMask = nullptr;
    QLineEdit* ERemoteAddr = nullptr;
    QLineEdit* ERemotePort = nullptr;
    QPushButton* BOk = nullptr;  // never shown: the dialog is read-only in use
    QPushButton* BCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildContent() override;
};
