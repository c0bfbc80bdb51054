#pragma once
// Serial-port component: opens a serial line, sets its line parameters,
// writes text to it and delivers what it receives to a callback on the main
// thread. A reader thread (TCommThread) waits on the port and hands every
// port event over to the main thread by a synchronous call.
//
// Port names are the panel's "COM1" ... "COM10" (also "\\.\COM10"); see
// TComPort::DevicePath for how they map to this machine's devices.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

enum TParity { ptNONE = 0, ptODD = 1, ptEVEN = 2, ptMARK = 3, ptSPACE = 4 };
enum TStopBit { sbONE = 0, sbONE5 = 1, snTWO = 2 };
enum TReceiveMode { rmRAW = 0, rmTERM = 1 };

class TComPort;
using TReceiveProc = std::function<void(const QByteArray& Data)>;
using TComNotifyEvent = std::function<void(TComPort* Sender)>;
using TStatusChanged = std::function<void(bool Status)>;

// The component's exception: an open that failed, or a bad terminator text.
class EComError : public std::runtime_error {
public:
    explicit EComError(const QString& message);
    QString Message() const { return message_; }

private:
    QString message_;
};

class TCommThread;

class TComPort : public QObject {
    Q_OBJECT
public:
    explicit TComPort(QObject* owner = nullptr);
    ~TComPort() override;

    QString Port() const { return port_; }
    void SetPort(const QString& name) { port_ = name; }
    bool Opened() const { return opened_; }

    uint32_t Baud = 9600;
    uint8_t DataBits = 8;
    TParity Parity = ptNONE;
    TStopBit StopBits = sbONE;
    uint32_t WinQSizeIn = 8192;
    uint32_t WinQSizeOut = 8192;
    TReceiveMode ReceiveMode = rmTERM;

    // "#13#10" form: "#" and a decimal character code per character.
    QString Terminator() const;
    void SetTerminator(const QString& text);  // throws EComError

    TReceiveProc ReceiveCallBack;
    TComNotifyEvent OnPortOpen;
    TComNotifyEvent OnPortClose;
    TStatusChanged OnCTSChanged;
    TStatusChanged OnDSRChanged;
    TStatusChanged OnRingChanged;
    TStatusChanged OnRLSDChanged;
    TComNotifyEvent OnError;

    void Open();   // throws EComError "TCOMPORT : cannot open <port>\r<system text>"
    void Close();
    void Write(const QByteArray& text);

    // The device file a port name stands for. A comports.ini that is not a
    // regular file of at most MaxPortMapBytes is not read.
    static constexpr qint64 MaxPortMapBytes = 64 * 1024;
    static QString DevicePath(const QString& portName);

private:
    friend class TCommThread;
    void ReceiveData(int count);
    void DispatchStatus(uint32_t eventMask, uint32_t modemStatus);

    QString port_;
    bool opened_ = false;
    QByteArray terminator_ = QByteArray("\r\n");
    QByteArray pending_;
    std::unique_ptr<TCommThread> thread_;
};
