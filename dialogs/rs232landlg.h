#pragma once
// TRs232LanDlg ("ZEPH LAN Status"): the device's own network settings as
// the device reports them, read-only. The main window passes each reported
// value to its setter, also while the dialog is hidden.

#include <QDialog>
#include <QString>

#include <cstdint>

class QLineEdit;
class QPushButton;

class TRs232LanDlg : public QDialog {
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

    QLineEdit* ELocalAddr;
    QLineEdit* ELocalPort;
    QLineEdit* EGatewayAddr;
    QLineEdit* ENetMask;
    QLineEdit* ERemoteAddr;
    QLineEdit* ERemotePort;
    QPushButton* BOk;  // never shown: the dialog is read-only in use
    QPushButton* BCancel;

protected:
    void showEvent(QShowEvent* event) override;
};
