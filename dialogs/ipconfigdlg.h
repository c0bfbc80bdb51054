#pragma once
// TIPConfigDlg ("LAN Setup"): the computer's side of the LAN link, the
// transport (UDP or TCP), the device's address and port and the local port.
// The main window fills it through the setters, shows it modally and reads
// the stored fields when Accepted is 1.
//
// The window exists from the program's start with its name and title; its
// controls are built when it is first shown or first given a value.

#include "lazy_dialog.h"

#include <QString>

#include <cstdint>
#include <optional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TIPConfigDlg : public LazyDialog {
public:
    explicit TIPConfigDlg(QWidget* parent = nullptr);

    // Stored fields.
    uint8_t ConnectionMode = 0;  // tConnectionType: 2 UDP, 3 TCP
    QString RemoteAddr;
    int32_t RemotePort = 0;
    int32_t LocalPort = 0;
    uint8_t Accepted = 0;  // 1 when the values of this show were applied

    void SetConnectionMode(uint8_t mode);
    void SetRemoteAddr(const QString& text);
    void SetRemotePort(int32_t port);
    void SetLocalPort(int32_t port);

    void BOkClick();
    void BCancelClick();
    void RBTcpClick();
    void RBUdpClick();

    // A port typed as decimal digits within 0..65535.
    static std::optional<int32_t> PortFromText(const QString& text);

    // Null until the controls are built.
    QGroupBox* RGMode = nullptr;
    QRadioButton* RBTcp = nullptr;
    QRadioButton* RBUdp = nullptr;
    QLineEdit* ELocalPort = nullptr;
    QLineEdit* ERemoteAddr = nullptr;
    QLineEdit* ERemotePort = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void FormShow();

private:
    void buildContent() override;
};
