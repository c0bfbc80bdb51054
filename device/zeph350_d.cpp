#include "zeph350_d.h"

#include "serial/comport.h"

#include <QEvent>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QSocketNotifier>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace zeph;
using Event = TZEPH350_d::Event;

int TZEPH350_d::s_lastReplyRegister = 0;

namespace {

constexpr const char* EventNames[] = {
#define ZEPH_EVENT(name) #name,
#include "event_table.def"
#undef ZEPH_EVENT
};

// The change events of each register: most raise "On<name>change"; the LAN
// registers raise the events of the properties they rebuild.
struct ChangeEvents {
    std::array<std::array<int, 3>, RegisterCount> ev{};
    std::array<uint8_t, RegisterCount> count{};

    static int find(const QByteArray& name)
    {
        for (int i = 0; i < TZEPH350_d::EventCount; ++i)
            if (name == EventNames[i]) return i;
        return -1;
    }
    void add(int reg, const char* name)
    {
        const int e = find(name);
        Q_ASSERT(e >= 0);
        ev[reg][count[reg]++] = e;
    }
    ChangeEvents()
    {
        for (const RegisterInfo& r : Registers) {
            switch (r.kind) {
            case StoreKind::Adip: add(r.number, "OnPADIPchange"); break;
            case StoreKind::Octet:
                add(r.number, "OnLOCAL_IPchange");
                add(r.number, "OnREMOTE_IPchange");
                add(r.number, "OnGATEWAY_IPchange");
                break;
            case StoreKind::Port:
                add(r.number, "OnLOCAL_PORTchange");
                add(r.number, "OnREMOTE_PORTchange");
                break;
            case StoreKind::Netmask: add(r.number, "OnNETMASKchange"); break;
            case StoreKind::QueryAll: add(r.number, "OnQUERYALLchange"); break;
            default: {
                const QByteArray name = "On" + QByteArray(r.name.data(), qsizetype(r.name.size())) + "change";
                add(r.number, name.constData());
            }
            }
        }
    }
};

const ChangeEvents& changeEvents()
{
    static const ChangeEvents table;
    return table;
}

// Latin-1 bytes into a text that keeps its buffer from one line to the
// next: a reply or a command costs no allocation unless someone still holds
// the previous text.
void assignLatin1(QString& to, const char* data, qsizetype size)
{
    to.resize(size);
    QChar* out = to.data();
    for (qsizetype i = 0; i < size; ++i) out[i] = QLatin1Char(data[i]);
}

// The longest command code of the table, for the stack buffer a command is
// written into.
constexpr size_t LongestCommand = [] {
    size_t n = 0;
    for (const RegisterInfo& r : Registers) n = std::max(n, r.command.size());
    return n;
}();

// The UDP endpoint's read notifier. Its activation goes straight to the
// reader: a plain notifier emits two signals per activation (the descriptor
// one and the old int one) and builds a guard around them, which costs more
// than parsing the datagram. The reader may delete the notifier; nothing of
// it is touched after the call.
class DatagramNotifier final : public QSocketNotifier {
public:
    DatagramNotifier(int fd, TZEPH350_d* owner, void (TZEPH350_d::*read)())
        : QSocketNotifier(qintptr(fd), QSocketNotifier::Read), owner_(owner), read_(read)
    {
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::SockAct && e->type() != QEvent::SockClose) return QSocketNotifier::event(e);
        (owner_->*read_)();
        return true;
    }

private:
    TZEPH350_d* owner_;
    void (TZEPH350_d::*read_)();
};

// The first CR LF at or after `from`, or -1. A lone CR belongs to the line.
qsizetype findCrLf(const char* p, qsizetype size, qsizetype from)
{
    while (from + 1 < size) {
        const void* cr = std::memchr(p + from, '\r', size_t(size - 1 - from));
        if (!cr) return -1;
        const qsizetype at = static_cast<const char*>(cr) - p;
        if (p[at + 1] == '\n') return at;
        from = at + 1;
    }
    return -1;
}

QString dotted(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return QString::number(a) + u'.' + QString::number(b) + u'.' + QString::number(c) + u'.' + QString::number(d);
}

}  // namespace

const char* TZEPH350_d::eventName(Event e)
{
    const int i = static_cast<int>(e);
    return i >= 0 && i < EventCount ? EventNames[i] : "";
}

TZEPH350_d::TZEPH350_d(QObject* owner)
    : QObject(owner)
{
    setRemoteAddress(QStringLiteral("192.168.0.10"));
    rebuildAddresses();
    netmask_.clear();

    comPort_ = std::make_unique<TComPort>();
    comPort_->ReceiveMode = rmRAW;
    comPort_->ReceiveCallBack = [this](const QByteArray& data) { SerialReceive(data); };
    comPort_->SetPort(port_);

    udpLocalPort_ = ipRemotePort_;  // the constructor binds on the remote port's value

    tcp_ = std::make_unique<QTcpSocket>();
    // The device is reached directly on its own network: a proxy of the
    // desktop's settings never stands between (and asking for one costs a
    // helper thread and the settings lookup at every connect).
    tcp_->setProxy(QNetworkProxy::NoProxy);
    tcpAddress_ = ipRemoteAddress_;
    tcpPort_ = ipRemotePort_;
    connect(tcp_.get(), &QTcpSocket::readyRead, this, &TZEPH350_d::TcpRead);
    connect(tcp_.get(), &QTcpSocket::connected, this, &TZEPH350_d::TcpConnected);
    // Queued, so the socket has finished its own error handling before it is
    // closed and tried again.
    connect(tcp_.get(), &QTcpSocket::errorOccurred, this, &TZEPH350_d::TcpError, Qt::QueuedConnection);
    tcpRetryTimer_.setSingleShot(true);
    connect(&tcpRetryTimer_, &QTimer::timeout, this, [this] {
        if (conType_ == CON_TCP) OpenTcp();
    });

    // The protocol's timings (2 s probe, 2 s loss) are measured, not
    // approximate: a coarse timer may fire 5 % early.
    linkTimer_.setTimerType(Qt::PreciseTimer);
    tcpRetryTimer_.setTimerType(Qt::PreciseTimer);
    linkTimer_.setInterval(3000);
    connect(&linkTimer_, &QTimer::timeout, this, &TZEPH350_d::linkTimerTimeout);
}

TZEPH350_d::~TZEPH350_d()
{
    handlers_ = {};
    onUdpSendError = nullptr;
    CloseSerial();
    CloseUdp();
    CloseTcp();
    stopTimer();
}

// ---------------------------------------------------------------------------
// Events

bool TZEPH350_d::subscribe(Event e, int order, const char* name, TZEPHNotifyEvent handler)
{
    const int i = static_cast<int>(e);
    if (i < 0 || i >= EventCount || !handler) return false;
    const auto& current = handlers_[size_t(i)];
    SubscriberList list = current ? *current : SubscriberList{};
    auto at = list.begin();
    while (at != list.end() && at->order < order) ++at;
    if (at != list.end() && at->order == order) return false;
    list.insert(at, Subscriber{order, name ? name : "", nextSubscriberId_++, std::move(handler)});
    handlers_[size_t(i)] = std::make_shared<const SubscriberList>(std::move(list));
    return true;
}

bool TZEPH350_d::unsubscribe(Event e, int order)
{
    const int i = static_cast<int>(e);
    if (i < 0 || i >= EventCount || !handlers_[size_t(i)]) return false;
    SubscriberList list = *handlers_[size_t(i)];
    const auto at = std::find_if(list.begin(), list.end(), [order](const Subscriber& s) { return s.order == order; });
    if (at == list.end()) return false;
    list.erase(at);
    if (list.empty())
        handlers_[size_t(i)].reset();
    else
        handlers_[size_t(i)] = std::make_shared<const SubscriberList>(std::move(list));
    return true;
}

void TZEPH350_d::unsubscribeAll(int order)
{
    for (int i = 0; i < EventCount; ++i) unsubscribe(Event(i), order);
}

std::vector<TZEPH350_d::Subscription> TZEPH350_d::subscriptions(Event e) const
{
    std::vector<Subscription> out;
    const int i = static_cast<int>(e);
    if (i < 0 || i >= EventCount || !handlers_[size_t(i)]) return out;
    for (const Subscriber& s : *handlers_[size_t(i)]) out.push_back({s.order, s.name});
    return out;
}

void TZEPH350_d::setHandler(Event e, TZEPHNotifyEvent handler)
{
    unsubscribe(e, DirectOrder);
    if (handler) subscribe(e, DirectOrder, "", std::move(handler));
}

TZEPHNotifyEvent TZEPH350_d::handler(Event e) const
{
    const int i = static_cast<int>(e);
    if (i < 0 || i >= EventCount || !handlers_[size_t(i)]) return {};
    for (const Subscriber& s : *handlers_[size_t(i)])
        if (s.order == DirectOrder) return s.fn;
    return {};
}

void TZEPH350_d::raise(Event e)
{
    const size_t i = size_t(static_cast<int>(e));
    // The list is held for the whole raise, so a handler that changes the
    // subscriptions never frees the one that is running.
    const std::shared_ptr<const SubscriberList> list = handlers_[i];
    if (!list) return;
    for (const Subscriber& s : *list) {
        if (handlers_[i] != list) {
            // Changed by an earlier handler: only those still subscribed run.
            const auto& now = handlers_[i];
            if (!now || std::none_of(now->begin(), now->end(), [&s](const Subscriber& n) { return n.id == s.id; }))
                continue;
        }
        s.fn(this, tag_);
    }
}

// ---------------------------------------------------------------------------
// Register reads

uint32_t TZEPH350_d::value(int reg) const
{
    if (reg < 0 || reg >= RegisterCount) return 0;
    switch (Registers[size_t(reg)].kind) {
    case StoreKind::PerInput: return perInputEntry(reg, pchanIndex());
    case StoreKind::LpLogo: return GetLPLOGO();
    case StoreKind::LEmpty: return GetLEMPTY() ? 1u : 0u;
    case StoreKind::Octet: {
        const uint32_t adip = regs_[Reg::ADIP];
        return ipOctet(reg, adip >= 1 && adip <= 3 ? int(adip) : 1);
    }
    case StoreKind::Port: return uint32_t(regs_[Reg::ADIP] == 2 ? remotePort_ : localPort_);
    default: return regs_[size_t(reg)];
    }
}

uint32_t TZEPH350_d::perInputEntry(int reg, int input) const
{
    const int t = perInputSlot(reg);
    if (t < 0 || input < 1 || input > 8) return 0;
    return perInput_[size_t(t)][size_t(input)];
}

uint32_t TZEPH350_d::GetLPLOGO() const
{
    // Only slots 0 and 1 exist; any other LINDEX reads slot 0 of the row.
    const uint32_t slot = regs_[Reg::LINDEX] == 1 ? 1 : 0;
    return lplogo_[size_t(pchanIndex())][slot];
}

uint32_t TZEPH350_d::lplogoEntry(int input, int slot) const
{
    if (input < 1 || input > 8 || slot < 0 || slot > 1) return 0;
    return lplogo_[size_t(input)][size_t(slot)];
}

bool TZEPH350_d::GetLEMPTY() const
{
    const uint32_t c = regs_[Reg::LCURRENT];
    return lempty_[c >= 1 && c <= 9 ? c : 1] != 0;
}

bool TZEPH350_d::lemptyEntry(int slot) const
{
    return slot >= 1 && slot <= 9 && lempty_[size_t(slot)] != 0;
}

uint32_t TZEPH350_d::ipOctet(int reg, int entry) const
{
    const int t = reg - Reg::IPD;
    if (t < 0 || t > 3 || entry < 1 || entry > 3) return 0;
    return ip_[size_t(t)][size_t(entry)];
}

// ---------------------------------------------------------------------------
// Sending

void TZEPH350_d::SendValue(int reg, uint32_t value)
{
    if (!connected_ || reg < 0 || reg >= RegisterCount) return;
    const std::string_view code = Registers[size_t(reg)].command;
    // Digits and code written side by side on the stack: a command sent on
    // a socket costs no allocation.
    char text[10 + LongestCommand];
    char* const digitsEnd = text + 10;
    char* d = digitsEnd;
    do {
        *--d = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::memcpy(digitsEnd, code.data(), code.size());
    const qsizetype size = qsizetype(digitsEnd - d) + qsizetype(code.size());
    send(d, size, nullptr);
    assignLatin1(sentString, d, size);
    raise(Event::OnSentString);
}

void TZEPH350_d::SendCode(int reg)
{
    if (reg < 0 || reg >= RegisterCount) return;
    const std::string_view code = Registers[size_t(reg)].command;
    send(code.data(), qsizetype(code.size()), nullptr);
    assignLatin1(sentString, code.data(), qsizetype(code.size()));
    raise(Event::OnSentString);
}

void TZEPH350_d::QueryAll()
{
    SendText(QByteArrayLiteral("#\r\n"));
}

int TZEPH350_d::textLimit(tConnectionType type)
{
    switch (type) {
    case CON_UDP: return UdpDatagramMax;
    case CON_TCP: return IoBufferSize;
    case CON_RS232:
    case CON_NONE: break;
    }
    return 0;
}

bool TZEPH350_d::SendText(const QByteArray& text)
{
    return send(text.constData(), text.size(), &text);
}

bool TZEPH350_d::send(const char* data, qsizetype size, const QByteArray* whole)
{
    // A text longer than the transport carries in one piece is refused
    // whole rather than cut, so the device never sees half a command: the
    // TCP I/O buffer holds 8,192 bytes, and a datagram that cannot be sent
    // must not close the endpoint as a socket error does.
    const int limit = textLimit(conType_);
    if (limit > 0 && size > limit) return false;
    switch (conType_) {
    case CON_RS232:
        comPort_->Write(whole ? *whole : QByteArray(data, size));
        break;
    case CON_UDP:
        if (udpActive()) {
            // A text that is no IPv4 address cannot be sent to: the same
            // failure as the socket refusing the datagram.
            if (remoteKind_ == RemoteKind::None) {
                udpSendFailed(QStringLiteral("Invalid address: %1").arg(ipRemoteAddress_));
                break;
            }
            if (remoteKind_ != RemoteKind::V4) {
                udpSendFailed(qt_error_string(EAFNOSUPPORT));
                break;
            }
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(quint16(ipRemotePort_));
            to.sin_addr.s_addr = htonl(remoteV4_);
            ssize_t sent;
            do {
                sent = ::sendto(udpFd_, data, size_t(size), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
            } while (sent < 0 && errno == EINTR);
            if (sent < 0) udpSendFailed(qt_error_string(errno));
        }
        break;
    case CON_TCP:
        // Unbuffered: the command goes on the wire now, not on the next
        // pass of the event loop (what the socket cannot take at once it
        // keeps and sends when it can).
        if (tcpActive()) tcp_->write(data, size);
        break;
    case CON_NONE:
        break;
    }
    return true;
}

void TZEPH350_d::sendAddress(uint32_t adip, const QString& text)
{
    const IpAddress ip = ParseIpAddress(text);
    if (!ip.valid) return;
    SendValue(Reg::ADIP, adip);
    SendValue(Reg::IPD, ip.n[0]);
    SendValue(Reg::IPC, ip.n[1]);
    SendValue(Reg::IPB, ip.n[2]);
    SendValue(Reg::IPA, ip.n[3]);
}

void TZEPH350_d::SetNETMASK(const QString& text)
{
    const IpAddress ip = ParseIpAddress(text);
    if (!ip.valid) return;
    const uint32_t mask = ip.n[0] << 24 | ip.n[1] << 16 | ip.n[2] << 8 | ip.n[3];
    uint32_t h = 0xFFFFFFFFu - mask;
    uint32_t bits = 0;
    while (h != 0) {
        h /= 2;
        ++bits;
    }
    SendValue(Reg::NTMK, bits);
}

void TZEPH350_d::SetLOCAL_PORT(int32_t port)
{
    SendValue(Reg::ADIP, 1);
    SendValue(Reg::PORT, uint32_t(port));
}

void TZEPH350_d::SetREMOTE_PORT(int32_t port)
{
    SendValue(Reg::ADIP, 2);
    SendValue(Reg::PORT, uint32_t(port));
}

// ---------------------------------------------------------------------------
// Receiving

void TZEPH350_d::receive(const QByteArray& chunk)
{
    receive(chunk.constData(), chunk.size());
}

void TZEPH350_d::receive(const char* data, qsizetype size)
{
    rxBuf_.append(data, size);
    ParseReplies();
}

void TZEPH350_d::ParseReplies()
{
    if (linkState_ == 1 || (linkState_ >= 3 && linkState_ <= 6)) postponeTimer(2000);

    // Lines end only at CR LF. The position lives in the member so that a
    // handler that brings more data in (a nested event loop) continues from
    // where this loop stands.
    for (;;) {
        const int crlf = int(findCrLf(rxBuf_.constData(), rxBuf_.size(), rxPos_));
        if (crlf < 0) break;
        const int start = rxPos_;
        rxPos_ = crlf + 2;
        // Matching reads the buffer in place; handleLine copies the line
        // before any handler runs.
        handleLine(rxBuf_.constData() + start, crlf - start);
    }
    // Without CR LF, an unfinished line keeps only its last ten characters:
    // the same as dropping one character at a time while eleven or more
    // remain, done in one step.
    if (rxBuf_.size() - rxPos_ >= 11) rxPos_ = int(rxBuf_.size()) - 10;
    if (rxPos_ > 0) {
        rxBuf_.remove(0, rxPos_);
        rxPos_ = 0;
    }
}

void TZEPH350_d::handleLine(const char* data, int size)
{
    uint32_t v = 0;
    const int reg = matchReply(std::string_view(data, size_t(size)), v);
    if (reg < 0) return;
    assignLatin1(receivedString, data, size);  // from here on `data` may move
    receivedRegister_ = reg;
    receivedValue_ = v;
    raise(Event::OnRecString);
    store(reg, v);
    s_lastReplyRegister = reg;
    if (reg != Reg::DEV) raiseChange(reg);
}

void TZEPH350_d::store(int reg, uint32_t v)
{
    const RegisterInfo& info = Registers[size_t(reg)];
    const uint32_t kept = info.type == RegType::Bool ? (v & 0xFFu) : v;
    const uint32_t pchan = regs_[Reg::PCHAN];
    switch (info.kind) {
    case StoreKind::Plain:
    case StoreKind::QueryAll:
    case StoreKind::Adip:
        regs_[size_t(reg)] = kept;
        break;
    case StoreKind::Dev:
        deviceTypeRule(v);
        break;
    case StoreKind::PerInput: {
        auto& table = perInput_[size_t(perInputSlot(reg))];
        if (pchan >= 1 && pchan <= 8)
            table[pchan] = kept;
        else if (pchan == 0)
            for (int i = 1; i <= 8; ++i) table[size_t(i)] = kept;
        break;
    }
    case StoreKind::LpLogo: {
        // Only slots 0 and 1 exist: a reply for any other slot is kept nowhere.
        const uint32_t slot = regs_[Reg::LINDEX];
        if (slot > 1) break;
        if (pchan >= 1 && pchan <= 8)
            lplogo_[pchan][slot] = kept;
        else if (pchan == 0)
            for (int i = 1; i <= 8; ++i) lplogo_[size_t(i)][slot] = kept;
        break;
    }
    case StoreKind::LEmpty: {
        const uint32_t c = regs_[Reg::LCURRENT];
        if (c >= 1 && c <= 9)
            lempty_[c] = uint8_t(kept);
        else if (c == 0)
            for (int i = 1; i <= 9; ++i) lempty_[size_t(i)] = uint8_t(kept);
        break;
    }
    case StoreKind::Octet: {
        auto& table = ip_[size_t(reg - Reg::IPD)];
        const uint32_t adip = regs_[Reg::ADIP];
        if (adip >= 1 && adip <= 3)
            table[adip] = kept;
        else if (adip == 0)
            for (int i = 1; i <= 3; ++i) table[size_t(i)] = kept;
        rebuildAddresses();
        break;
    }
    case StoreKind::Port: {
        const uint32_t adip = regs_[Reg::ADIP];
        if (adip == 0 || adip == 1) localPort_ = int32_t(v);
        if (adip == 0 || adip == 2) remotePort_ = int32_t(v);
        break;
    }
    case StoreKind::Netmask: {
        const int32_t n = int32_t(v);
        const uint32_t mask = n <= 0 ? 0xFFFFFFFFu : n >= 32 ? 0u : ~((uint32_t(1) << n) - 1u);
        netmask_ = dotted(mask >> 24, (mask >> 16) & 0xFF, (mask >> 8) & 0xFF, mask & 0xFF);
        break;
    }
    }
}

void TZEPH350_d::rebuildAddresses()
{
    auto address = [this](int e) { return dotted(ip_[0][size_t(e)], ip_[1][size_t(e)], ip_[2][size_t(e)], ip_[3][size_t(e)]); };
    localIp_ = address(1);
    remoteIp_ = address(2);
    gatewayIp_ = address(3);
}

void TZEPH350_d::raiseChange(int reg)
{
    const ChangeEvents& t = changeEvents();
    for (int i = 0; i < t.count[size_t(reg)]; ++i) raise(static_cast<Event>(t.ev[size_t(reg)][size_t(i)]));
}

void TZEPH350_d::deviceTypeRule(uint32_t v)
{
    const bool known = v == 18 || (v >= 21 && v <= 26);
    if (known || forceConn_) {
        if (linkState_ == 1) {
            restartTimer(1);
            linkState_ = 2;
        } else if (linkState_ == 6) {
            linkState_ = 5;
        }
    }
    regs_[Reg::DEV] = v;
    raise(Event::OnDEVchange);
    if (s_lastReplyRegister == Reg::DEV || RS232busy) raise(Event::ONRS232busy);
}

// ---------------------------------------------------------------------------
// Link state machine

void TZEPH350_d::restartTimer(int ms)
{
    linkInterval_ = ms;
    linkDue_ = {};
    linkTimer_.stop();
    linkTimer_.setInterval(ms);
    linkTimer_.start();
}

void TZEPH350_d::postponeTimer(int ms)
{
    // Every received chunk restarts the timer. Under traffic that is many
    // times a second, and taking the platform timer down and up again costs
    // more than parsing the reply: while it runs with this interval, only
    // the new due time is noted, and the timer, when it comes early, waits
    // for the rest (linkTimerTimeout). The tick comes when it would have.
    if (linkTimer_.isActive() && linkInterval_ == ms && ms > 0)
        linkDue_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    else
        restartTimer(ms);
}

void TZEPH350_d::linkTimerTimeout()
{
    if (linkDue_ != std::chrono::steady_clock::time_point{}) {
        const auto left = linkDue_ - std::chrono::steady_clock::now();
        if (left >= std::chrono::milliseconds(1)) {
            // Restarted since it was set: wait for the rest.
            linkTimer_.start(int(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
            return;
        }
        // Due. Back on its own period, as a timer restarted with it would
        // be, should the tick leave the timer as it is.
        linkDue_ = {};
        if (linkTimer_.interval() != linkInterval_) linkTimer_.start(linkInterval_);
    }
    LinkTimerTick();
}

void TZEPH350_d::stopTimer()
{
    linkDue_ = {};
    linkTimer_.stop();
}

void TZEPH350_d::resetLink()
{
    if (regs_[Reg::DEV] != 0) {
        regs_[Reg::DEV] = 0;
        raise(Event::OnDEVchange);
    }
    if (ready_) {
        ready_ = false;
        raise(Event::OnReady);
    }
    if (connected_) {
        connected_ = false;
        raise(Event::OnConnected);
    }
}

void TZEPH350_d::LinkTimerTick()
{
    const uint8_t state = linkState_;
    uint8_t next = state;
    switch (state) {
    case 0:
        if (forceConn_) {
            restartTimer(1);
            next = 2;
        } else {
            resetLink();
            restartTimer(2000);
            next = 1;
        }
        break;
    case 1:
        restartTimer(2000);
        SendCode(Reg::DEV);
        break;
    case 2:
        if (!connected_) {
            connected_ = true;
            raise(Event::OnConnected);
        }
        restartTimer(2000);
        next = 3;
        break;
    case 3:
        QueryAll();
        restartTimer(2000);
        next = 4;
        break;
    case 4:
        if (!ready_) {
            ready_ = true;
            raise(Event::OnReady);
        }
        restartTimer(1);
        next = 5;
        break;
    case 5:
        SendCode(Reg::DEV);
        restartTimer(2000);
        next = 6;
        break;
    case 6:
        restartTimer(1);
        next = forceConn_ ? 5 : 0;
        break;
    default:
        linkState_ = 0;
        return;
    }
    // A handler that moved the machine itself (a restart of the handshake,
    // ForceConn) keeps its own state.
    if (linkState_ == state) linkState_ = next;
}

void TZEPH350_d::SetForceConn(bool on)
{
    if (on == forceConn_) return;
    forceConn_ = on;
    if (on) {
        linkState_ = 2;
        restartTimer(1);
    } else {
        restartTimer(1);
        linkState_ = 0;
    }
}

void TZEPH350_d::SetQuelb_s_plug_and_play(bool restart)
{
    if (restart) linkState_ = 0;
}

// ---------------------------------------------------------------------------
// Transports

bool TZEPH350_d::udpActive() const
{
    return udpFd_ >= 0;
}

bool TZEPH350_d::tcpActive() const
{
    return tcp_->state() == QAbstractSocket::ConnectedState;
}

quint16 TZEPH350_d::udpBoundPort() const
{
    return udpActive() ? udpBound_ : 0;
}

bool TZEPH350_d::OpenSerial()
{
    if (comPort_->Port().isEmpty()) return false;
    try {
        comPort_->Open();
    } catch (const EComError&) {
        return false;  // a missing or busy port is silent; probing goes on into nothing
    }
    return comPort_->Opened();
}

void TZEPH350_d::CloseSerial()
{
    linkState_ = 0;
    comPort_->Close();
}

bool TZEPH350_d::OpenUdp()
{
    if (udpActive()) return true;
    linkState_ = 0;
    // Only a real port number can be bound; anything else leaves the
    // endpoint closed, as a failed bind does.
    // The same holds for the device's port: a datagram cannot go to a port
    // that is none, and replies could never be matched to it.
    const bool inRange = udpLocalPort_ >= 0 && udpLocalPort_ <= 65535 && validPort(ipRemotePort_);
    if (!inRange) return false;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const int on = 1;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(quint16(udpLocalPort_));
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t length = sizeof at;
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length) != 0) {
        ::close(fd);
        return false;
    }
    udpFd_ = fd;
    udpBound_ = ntohs(at.sin_port);
    udpNotifier_ = std::make_unique<DatagramNotifier>(fd, this, &TZEPH350_d::UdpRead);
    return true;
}

void TZEPH350_d::CloseUdp()
{
    linkState_ = 0;
    if (!udpActive()) return;
    udpNotifier_.reset();
    ::close(udpFd_);
    udpFd_ = -1;
    udpBound_ = 0;
}

void TZEPH350_d::udpSendFailed(const QString& message)
{
    CloseUdp();
    if (onUdpSendError) onUdpSendError(message);
}

bool TZEPH350_d::OpenTcp()
{
    if (tcpActive() || tcpConnecting_) return true;
    if (!validPort(tcpPort_)) return false;  // no connection to a port that is none
    tcpConnecting_ = true;
    linkState_ = 0;
    // Unbuffered both ways: a command is written on the socket at once, and
    // received data are read straight from it, with no copy into the
    // socket's own buffer and no notifier toggled for either.
    tcp_->connectToHost(tcpAddress_, quint16(tcpPort_), QIODevice::ReadWrite | QIODevice::Unbuffered);
    return true;
}

void TZEPH350_d::CloseTcp()
{
    tcpConnecting_ = false;
    linkState_ = 0;
    tcpRetryTimer_.stop();
    tcp_->abort();
}

void TZEPH350_d::closeTransport(tConnectionType type)
{
    switch (type) {
    case CON_RS232: CloseSerial(); break;
    case CON_UDP: CloseUdp(); break;
    case CON_TCP: CloseTcp(); break;
    case CON_NONE: break;
    }
}

void TZEPH350_d::SerialReceive(const QByteArray& data)
{
    if (conType_ == CON_RS232) receive(data);
}

void TZEPH350_d::UdpRead()
{
    // One datagram per notification: the notifier comes again while more
    // are queued. At most 8,192 bytes of a datagram are read; the kernel
    // drops the rest.
    char buffer[IoBufferSize + 1];
    sockaddr_in from{};
    socklen_t length = sizeof from;
    ssize_t n;
    do {
        n = ::recvfrom(udpFd_, buffer, IoBufferSize, 0, reinterpret_cast<sockaddr*>(&from), &length);
    } while (n < 0 && errno == EINTR);
    if (n < 0 || conType_ != CON_UDP) return;
    // The sender's dotted text must equal IpRemoteAddress exactly. An IPv4
    // sender's text is the canonical dotted form, so comparing numbers is
    // the same test once the address is known to be written that way.
    if (ntohs(from.sin_port) != ipRemotePort_ || !remoteIsDottedV4_ || ntohl(from.sin_addr.s_addr) != remoteV4_) return;
    buffer[n] = '\0';
    receive(buffer, qsizetype(std::strlen(buffer)));
}

void TZEPH350_d::TcpRead()
{
    // One read per notification: the socket notifies again while more is
    // waiting.
    char buffer[IoBufferSize + 1];
    const qint64 n = tcp_->read(buffer, IoBufferSize);
    if (n < 0) {
        // The peer closed the connection, or it broke. An unbuffered socket
        // says so only to the read: handled as the error event would be.
        QMetaObject::invokeMethod(this, &TZEPH350_d::TcpError, Qt::QueuedConnection);
        return;
    }
    if (n == 0 || conType_ != CON_TCP) return;
    buffer[n] = '\0';
    receive(buffer, qsizetype(std::strlen(buffer)));
}

void TZEPH350_d::TcpConnected()
{
    tcpConnecting_ = false;
}

void TZEPH350_d::TcpError()
{
    // A refused or broken connection is tried again after a pause, for as
    // long as TCP is the transport: an immediate retry would spin on a peer
    // that refuses at once.
    CloseTcp();
    if (conType_ == CON_TCP) tcpRetryTimer_.start(TcpRetryMs);
}

// ---------------------------------------------------------------------------
// Connection settings

void TZEPH350_d::SetConType(tConnectionType type)
{
    if (type != conType_) {
        closeTransport(conType_);
        conType_ = type;
        switch (type) {
        case CON_NONE:
            CloseSerial();
            CloseUdp();
            CloseTcp();
            break;
        case CON_UDP: OpenUdp(); break;
        case CON_TCP: OpenTcp(); break;
        case CON_RS232: OpenSerial(); break;
        }
        // Enabling keeps the last interval: the first tick after the first
        // opening comes 3 s later.
        if (type != CON_NONE) {
            if (!linkTimer_.isActive()) linkTimer_.start(linkInterval_);
        } else {
            stopTimer();
        }
        if (!forceConn_) {
            linkState_ = 0;
            resetLink();
        }
    }
    raise(Event::OnConTypechange);
}

void TZEPH350_d::SetPort(const QString& name)
{
    if (comPort_->Opened()) CloseSerial();
    port_ = name;
    comPort_->SetPort(name);
    if (conType_ == CON_RS232) OpenSerial();
}

void TZEPH350_d::SetIpLocalPort(int32_t port)
{
    if (conType_ == CON_UDP) CloseUdp();
    udpLocalPort_ = port;
    if (conType_ == CON_UDP) OpenUdp();
    ipLocalPort_ = port;
    raise(Event::OnIpLocalPortchange);
}

void TZEPH350_d::SetIpRemotePort(int32_t port)
{
    if (port != ipRemotePort_) {
        // Stored first: the endpoint opens only for a port that can be used.
        ipRemotePort_ = port;
        if (conType_ == CON_UDP) {
            CloseUdp();
            OpenUdp();
        }
        if (conType_ == CON_TCP) CloseTcp();
        tcpPort_ = port;
        if (conType_ == CON_TCP) OpenTcp();
    }
    raise(Event::OnIpRemotePortchange);
}

void TZEPH350_d::SetIpRemoteAddress(const QString& address)
{
    if (address != ipRemoteAddress_) {
        if (conType_ == CON_UDP) {
            CloseUdp();
            OpenUdp();
        }
        if (conType_ == CON_TCP) CloseTcp();
        tcpAddress_ = address;
        if (conType_ == CON_TCP) OpenTcp();
    }
    setRemoteAddress(address);
    raise(Event::OnIpRemoteAddresschange);
}

void TZEPH350_d::setRemoteAddress(const QString& address)
{
    ipRemoteAddress_ = address;
    const QHostAddress host(address);
    const bool v4 = host.protocol() == QAbstractSocket::IPv4Protocol;
    remoteKind_ = host.isNull() ? RemoteKind::None : v4 ? RemoteKind::V4 : RemoteKind::Other;
    remoteV4_ = v4 ? host.toIPv4Address() : 0;
    remoteIsDottedV4_ = v4 && host.toString() == address;
}

// ---------------------------------------------------------------------------

QString IpAddress::dotted() const
{
    return ::dotted(n[0], n[1], n[2], n[3]);
}

IpAddress ParseIpAddress(const QString& text)
{
    IpAddress ip;
    const QByteArray bytes = text.toLatin1();
    std::string_view rest(bytes.constData(), size_t(bytes.size()));
    for (int i = 0; i < 4; ++i) {
        std::string_view part = rest;
        if (i < 3) {
            const size_t dot = rest.find('.');
            if (dot == std::string_view::npos) return {};
            part = rest.substr(0, dot);
            rest = rest.substr(dot + 1);
        }
        // Judged on the whole number, before any cut to 32 bits.
        int64_t v = 0;
        if (!convertValue64(part, v) || v < 0 || v > 255) return {};
        ip.n[size_t(i)] = uint32_t(v);
    }
    ip.valid = true;
    return ip;
}
