#pragma once
// TZEPH350_d: the link to one device of the family. It mirrors the device's
// 142 registers, turns a register write into its text command, parses the
// device's reply lines into stored values and change events, runs the link
// state machine (probe, query of all registers, keep-alive, loss) and drives
// the serial, UDP and TCP transports.
//
// Everything runs on the thread that owns the component (the main thread);
// no method takes a lock. The component depends on Qt Core and Network only.

#include "registers.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

class QSocketNotifier;
class QTcpSocket;
class TComPort;

enum tConnectionType : uint8_t { CON_NONE = 0, CON_RS232 = 1, CON_UDP = 2, CON_TCP = 3 };

class TZEPH350_d;
using TZEPHNotifyEvent = std::function<void(TZEPH350_d* Sender, int nroZeph)>;

class TZEPH350_d : public QObject {
    Q_OBJECT
public:
    // Every event, by name: Event::OnBRGTchange, Event::OnConnected ...
    enum class Event : int {
#define ZEPH_EVENT(name) name,
#include "event_table.def"
#undef ZEPH_EVENT
        Count_
    };
    static constexpr int EventCount = static_cast<int>(Event::Count_);
    static const char* eventName(Event e);

    explicit TZEPH350_d(QObject* owner = nullptr);
    ~TZEPH350_d() override;

    // The component's integer tag; every event carries it as nroZeph.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // --- events -----------------------------------------------------------
    // Several parts of a program may follow one event. Each subscribes under
    // its own order key; the handlers of an event run in ascending key
    // order. A key is taken once per event: a second subscription under the
    // same key is refused, so nobody replaces another's handler by accident.
    // A handler may subscribe, unsubscribe or replace handlers of the event
    // it is running for: the raise goes on over the list as it was, skipping
    // the handlers removed meanwhile.
    bool subscribe(Event e, int order, const char* name, TZEPHNotifyEvent handler);
    bool unsubscribe(Event e, int order);
    // Removes every subscription under `order`, whatever the event.
    void unsubscribeAll(int order);
    struct Subscription {
        int order;
        const char* name;
    };
    std::vector<Subscription> subscriptions(Event e) const;
    bool hasSubscribers(Event e) const { return handlers_[static_cast<int>(e)] != nullptr; }

    // Order key 0 belongs to tests and tools that hold one plain handler per
    // event: setHandler replaces it (an empty handler removes it).
    static constexpr int DirectOrder = 0;
    void setHandler(Event e, TZEPHNotifyEvent handler);
    TZEPHNotifyEvent handler(Event e) const;
    // Binds a member function `void T::f(TZEPH350_d*, int)` of `obj` as the
    // direct handler.
    template <class T>
    void bind(Event e, T* obj, void (T::*method)(TZEPH350_d*, int))
    {
        setHandler(e, [obj, method](TZEPH350_d* s, int n) { (obj->*method)(s, n); });
    }

    // --- registers, generic -----------------------------------------------
    // The stored value of a register as its read accessor sees it (Booleans
    // as their low 8 bits, per-input and slot registers through PCHAN,
    // LINDEX, LCURRENT and ADIP).
    uint32_t value(int reg) const;
    // Writes a register as its write accessor does.
    void writeRegister(int reg, uint32_t value) { SendValue(reg, value); }

    // --- registers, by name ----------------------------------------------
    // For every register: NAME() reads it; for those with a write command,
    // SetNAME(v) sends it. Per-input and slot registers read through the
    // pointer registers (GetPENA and the others).
#define ZEPH_GET_U32(no, name) \
    uint32_t name() const { return regs_[no]; }
#define ZEPH_GET_Bool(no, name) \
    bool name() const { return (regs_[no] & 0xFFu) != 0; }
#define ZEPH_GET_I32(no, name)
// The table's write column is W(SetNAME) or ro: ZEPH_SETTER(30, U32,
// W(SetBRGT)) declares SetBRGT, named as the table line spells it.
#define ZEPH_WCOL_W(setter) ZEPH_SETTER_YES, setter
#define ZEPH_WCOL_ro ZEPH_SETTER_NO, _
#define ZEPH_SETTER_PICK(kind, setter, no, type) kind(setter, no, type)
#define ZEPH_SETTER_APPLY(...) ZEPH_SETTER_PICK(__VA_ARGS__)
#define ZEPH_SETTER(no, type, write) ZEPH_SETTER_APPLY(ZEPH_WCOL_##write, no, type)
#define ZEPH_SETTER_YES(setter, no, type) ZEPH_SETTER_##type(setter, no)
#define ZEPH_SETTER_NO(setter, no, type)
#define ZEPH_SETTER_U32(setter, no) \
    void setter(uint32_t v) { SendValue(no, v); }
#define ZEPH_SETTER_Bool(setter, no) \
    void setter(bool v) { SendValue(no, v ? 1u : 0u); }
#define ZEPH_ACC_Plain(no, name, type, write) ZEPH_GET_##type(no, name) ZEPH_SETTER(no, type, write)
#define ZEPH_ACC_QueryAll ZEPH_ACC_Plain
#define ZEPH_ACC_Adip ZEPH_ACC_Plain
// DEV alone has a setter that sends nothing: SetDEV stores the value.
#define ZEPH_ACC_Dev(no, name, type, write) ZEPH_GET_U32(no, name) void Set##name(uint32_t v) { regs_[no] = v; }
#define ZEPH_CTYPE_U32 uint32_t
#define ZEPH_CTYPE_Bool bool
#define ZEPH_ACC_PerInput(no, name, type, write) \
    ZEPH_CTYPE_##type Get##name() const { return perInput<ZEPH_CTYPE_##type>(no); } \
    ZEPH_CTYPE_##type name() const { return Get##name(); } ZEPH_SETTER(no, type, write)
#define ZEPH_ACC_LpLogo(no, name, type, write) \
    uint32_t name() const { return GetLPLOGO(); } ZEPH_SETTER(no, type, write)
#define ZEPH_ACC_LEmpty(no, name, type, write) \
    bool name() const { return GetLEMPTY(); }
#define ZEPH_ACC_Octet(no, name, type, write)
#define ZEPH_ACC_Port(no, name, type, write)
#define ZEPH_ACC_Netmask(no, name, type, write)
#define ZEPH_REG(no, cmd, rep, name, type, write, kind) ZEPH_ACC_##kind(no, name, type, write)
#include "register_table.def"
#undef ZEPH_REG

    uint32_t GetLPLOGO() const;
    bool GetLEMPTY() const;
    // Raw table reads for tests and the service console (index as stored).
    uint32_t perInputEntry(int reg, int input) const;
    uint32_t lplogoEntry(int input, int slot) const;
    bool lemptyEntry(int slot) const;
    uint32_t ipOctet(int reg, int entry) const;  // reg IPD..IPA, entry 1..3

    // The device's own LAN settings (text forms rebuilt from the octets).
    QString LOCAL_IP() const { return localIp_; }
    QString REMOTE_IP() const { return remoteIp_; }
    QString GATEWAY_IP() const { return gatewayIp_; }
    QString NETMASK() const { return netmask_; }
    int32_t LOCAL_PORT() const { return localPort_; }
    int32_t REMOTE_PORT() const { return remotePort_; }
    void SetLOCAL_IP(const QString& text) { sendAddress(1, text); }
    void SetREMOTE_IP(const QString& text) { sendAddress(2, text); }
    void SetGATEWAY_IP(const QString& text) { sendAddress(3, text); }
    void SetNETMASK(const QString& text);
    void SetLOCAL_PORT(int32_t port);
    void SetREMOTE_PORT(int32_t port);

    // --- protocol -----------------------------------------------------------
    void SendValue(int reg, uint32_t value);
    void SendCode(int reg);
    void QueryAll();
    // Writes the text on the transport. False when the transport cannot
    // carry it in one piece (longer than textLimit): it is refused whole
    // and the link stays as it was.
    bool SendText(const QByteArray& text);
    // The longest text the transport takes in one piece; 0 for no limit.
    static int textLimit(tConnectionType type);
    // Appends received text to the receive buffer and parses what it can.
    void receive(const QByteArray& chunk);
    void ParseReplies();

    QString receivedString;  // last reply line recognised, without CR LF
    QString sentString;      // last command sent by a register write or query
    // The register and 32-bit value of the line in receivedString; valid
    // during OnRecString and after it.
    int receivedRegister() const { return receivedRegister_; }
    uint32_t receivedValue() const { return receivedValue_; }
    // The register of the last reply recognised by any instance.
    static int lastReplyRegister() { return s_lastReplyRegister; }
    QByteArray receiveBuffer() const { return rxBuf_.mid(rxPos_); }

    bool RS232busy = false;

    // --- link state machine -----------------------------------------------
    bool Connected() const { return connected_; }
    bool Ready() const { return ready_; }
    bool ForceConn() const { return forceConn_; }
    void SetForceConn(bool on);
    void SetQuelb_s_plug_and_play(bool restart);
    uint8_t linkState() const { return linkState_; }
    void setLinkState(uint8_t s) { linkState_ = s; }
    void LinkTimerTick();
    // The platform timer behind the link timer. While received data keep
    // postponing the tick it may wait out the rest of a period with a
    // shorter interval; linkInterval() is the period the link runs at.
    const QTimer& linkTimer() const { return linkTimer_; }
    int linkInterval() const { return linkInterval_; }

    // --- connection settings ----------------------------------------------
    tConnectionType ConType() const { return conType_; }
    void SetConType(tConnectionType type);
    QString Port() const { return port_; }
    void SetPort(const QString& name);
    int32_t IpLocalPort() const { return ipLocalPort_; }
    void SetIpLocalPort(int32_t port);
    int32_t IpRemotePort() const { return ipRemotePort_; }
    void SetIpRemotePort(int32_t port);
    QString IpRemoteAddress() const { return ipRemoteAddress_; }
    void SetIpRemoteAddress(const QString& address);

    // The one transport error an operator sees (a UDP send failure) goes to
    // this hook; the window shows it in a message box.
    std::function<void(const QString& message)> onUdpSendError;

    // Transport state, for tests and status displays.
    bool udpActive() const;
    bool tcpActive() const;
    bool tcpConnecting() const { return tcpConnecting_; }
    quint16 udpBoundPort() const;
    TComPort* comPort() const { return comPort_.get(); }

    // Interval of the pause before a refused or broken TCP connection is
    // tried again.
    static constexpr int TcpRetryMs = 1000;
    static constexpr int IoBufferSize = 8192;
    // The largest payload of one IPv4 datagram: 65,535 less the IP and UDP
    // headers.
    static constexpr int UdpDatagramMax = 65507;
    static constexpr bool validPort(int32_t port) { return port >= 0 && port <= 65535; }

private:
    template <class T>
    T perInput(int reg) const
    {
        const uint32_t v = perInputEntry(reg, pchanIndex());
        if constexpr (std::is_same_v<T, bool>)
            return (v & 0xFFu) != 0;
        else
            return v;
    }
    int pchanIndex() const { return regs_[zeph::Reg::PCHAN] >= 1 && regs_[zeph::Reg::PCHAN] <= 8 ? int(regs_[zeph::Reg::PCHAN]) : 1; }

    void raise(Event e);
    void receive(const char* data, qsizetype size);
    void handleLine(const char* data, int size);
    void store(int reg, uint32_t value);
    void raiseChange(int reg);
    void deviceTypeRule(uint32_t value);
    void restartTimer(int ms);
    void postponeTimer(int ms);
    void linkTimerTimeout();
    void stopTimer();
    void resetLink();  // state 0's reset of DEV, Ready and Connected
    void rebuildAddresses();
    void sendAddress(uint32_t adip, const QString& text);

    bool OpenSerial();
    void CloseSerial();
    bool OpenUdp();
    void CloseUdp();
    bool OpenTcp();
    void CloseTcp();
    void closeTransport(tConnectionType type);
    void setRemoteAddress(const QString& address);
    void udpSendFailed(const QString& message);
    // Writes `size` bytes on the transport; `whole`, when given, holds the
    // same bytes, for a transport that keeps the text it is handed.
    bool send(const char* data, qsizetype size, const QByteArray* whole);
    void SerialReceive(const QByteArray& data);
    void UdpRead();
    void TcpRead();
    void TcpConnected();
    void TcpError();

    QByteArray rxBuf_;
    int rxPos_ = 0;
    uint8_t linkState_ = 0;

    std::array<std::array<uint32_t, 9>, zeph::PerInputTables> perInput_{};  // [table][input 1..8]
    std::array<std::array<uint32_t, 2>, 9> lplogo_{};                 // [input 1..8][slot]
    std::array<uint8_t, 10> lempty_{};                                // [slot 1..9]
    std::array<std::array<uint32_t, 4>, 4> ip_{};                     // [IPD..IPA][entry 1..3]

    bool tcpConnecting_ = false;
    std::unique_ptr<TComPort> comPort_;
    QTimer linkTimer_;
    int linkInterval_ = 3000;
    std::chrono::steady_clock::time_point linkDue_{};  // a postponed tick's time, or none
    QTimer tcpRetryTimer_;
    bool connected_ = false;
    bool forceConn_ = false;
    bool ready_ = false;
    QString port_;
    // The UDP endpoint: an IPv4 datagram socket of the platform's own,
    // read on its notifier. A datagram costs one system call each way and
    // nothing besides: no sender address object, no control messages.
    int udpFd_ = -1;
    quint16 udpBound_ = 0;
    std::unique_ptr<QSocketNotifier> udpNotifier_;
    std::unique_ptr<QTcpSocket> tcp_;
    int32_t udpLocalPort_ = 0;  // the endpoint's own port setting
    QString tcpAddress_;        // the client socket's own address and port
    int32_t tcpPort_ = 0;
    tConnectionType conType_ = CON_NONE;
    int32_t ipLocalPort_ = 10000;
    int32_t ipRemotePort_ = 10500;
    QString ipRemoteAddress_;
    // IpRemoteAddress parsed once: where datagrams go, and the address a
    // reply must come from when the text is the canonical dotted form.
    enum class RemoteKind : uint8_t { None, V4, Other };
    RemoteKind remoteKind_ = RemoteKind::None;
    quint32 remoteV4_ = 0;
    bool remoteIsDottedV4_ = false;

    std::array<uint32_t, zeph::RegisterCount> regs_{};
    QString localIp_, remoteIp_, gatewayIp_, netmask_;
    int32_t localPort_ = 0, remotePort_ = 0;

    int receivedRegister_ = -1;
    uint32_t receivedValue_ = 0;
    static int s_lastReplyRegister;

    struct Subscriber {
        int order;
        const char* name;
        uint64_t id;  // tells a handler apart from a later one under the same key
        TZEPHNotifyEvent fn;
    };
    using SubscriberList = std::vector<Subscriber>;
    // Copy on write: a raise holds the list it started with.
    std::array<std::shared_ptr<const SubscriberList>, EventCount> handlers_;
    uint64_t nextSubscriberId_ = 1;
    int tag_ = 0;
};

// Four numbers of a dotted address and whether the text was one.
struct IpAddress {
    std::array<uint32_t, 4> n{};
    bool valid = false;
    QString dotted() const;  // canonical "a.b.c.d"
};
IpAddress ParseIpAddress(const QString& text);
