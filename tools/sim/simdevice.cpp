#include "simdevice.h"

#include "behaviours.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace zeph {

namespace {

// Longest run of unfinished input kept between reads: a value has at most
// ten digits and a code two characters, so anything longer is garbage.
constexpr qsizetype MaxPending = 16;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// True when `text` (no full code) is the start of a longer command code.
bool startsACode(std::string_view text)
{
    for (const RegisterInfo& r : Registers)
        if (r.command.size() > text.size() && r.command.substr(0, text.size()) == text) return true;
    return false;
}

// Registers the device takes a value for: those with a write command, and
// the LAN registers that the panel's LAN setters write.
bool acceptsWrite(const RegisterInfo& r)
{
    switch (r.kind) {
    case StoreKind::Adip:
    case StoreKind::Octet:
    case StoreKind::Port:
    case StoreKind::Netmask:
        return true;
    case StoreKind::Dev:
    case StoreKind::QueryAll:
    case StoreKind::LEmpty:
        return false;
    default:
        return r.writable;
    }
}

qint64 nowMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

}  // namespace

SimDevice::SimDevice(QObject* parent)
    : QObject(parent)
{
    // Design start values: mid-scale picture and framing, colour gains at
    // their middle, input 1 selected, every logo slot empty.
    for (int r : {Reg::BRGT, Reg::CONTR, Reg::COLOR, Reg::HUE, Reg::BLKLV, Reg::HPOS, Reg::VPOS, Reg::HSIZ,
                  Reg::VSIZ, Reg::SHVPO, Reg::SHVSZ, Reg::MHPOS, Reg::MHSIZ, Reg::AMAST})
        regs_[size_t(r)] = 128;
    for (int r : {Reg::RLV, Reg::GLV, Reg::BLV, Reg::DIVIDER, Reg::DDIVIDER}) regs_[size_t(r)] = 64;
    for (int r : {Reg::MVPOS, Reg::MVSIZ, Reg::AMIC}) regs_[size_t(r)] = 32;
    for (int r : {Reg::PHASE, Reg::DPHASE}) regs_[size_t(r)] = 16;
    regs_[Reg::PCHAN] = 1;
    regs_[Reg::ICHM] = 1;
    regs_[Reg::ICHP] = 1;
    regs_[Reg::ACHAN] = 1;
    regs_[Reg::LCURRENT] = 1;
    regs_[Reg::UNITY] = 27000000;
    // Identifier, checksums of the four memories, upgrade version 1.5.
    regs_[Reg::VERI] = 350;
    regs_[Reg::VERK] = 0x3C1F;
    regs_[Reg::VERS] = 0x8A02;
    regs_[Reg::VERF] = 0x51E7;
    regs_[Reg::VERV] = 0x0C94;
    regs_[Reg::VERUPD] = 105;
    regs_[Reg::LANENABLE] = 1;
    regs_[Reg::ADIP] = 1;
    regs_[Reg::NTMK] = 8;
    // Each input as a real one is wired: all used; composite PAL on input
    // 1, S-Video PAL, YUV and RGB on 2 to 4, computers on 5, 6 and 8 (Hi-Z)
    // and HDTV on 7; video inputs loaded with 75 ohms.
    const uint32_t types[9] = {0, 0, 1, 2, 5, 7, 6, 8, 7};
    const uint32_t standards[9] = {0, 3, 3, 0, 0, 0, 0, 0, 0};
    const uint32_t loads[9] = {0, 1, 1, 1, 1, 0, 0, 1, 0};
    for (int i = 1; i <= 8; ++i) {
        perInput_[size_t(perInputSlot(Reg::PENA))][size_t(i)] = 1;
        perInput_[size_t(perInputSlot(Reg::PRGBI))][size_t(i)] = types[i];
        perInput_[size_t(perInputSlot(Reg::PISTD))][size_t(i)] = standards[i];
        perInput_[size_t(perInputSlot(Reg::PLOAD))][size_t(i)] = loads[i];
        // Levels and balances (0 to 64) in the middle.
        perInput_[size_t(perInputSlot(Reg::ALEV))][size_t(i)] = 32;
        perInput_[size_t(perInputSlot(Reg::ABALANCE))][size_t(i)] = 32;
    }
    for (int s = 1; s <= 9; ++s) lempty_[size_t(s)] = 1;
    // The device's own LAN settings: 192.168.0.20 local, 192.168.0.10
    // remote, 192.168.0.1 gateway. Only reported, never used for sending.
    const uint32_t last[4] = {0, 20, 10, 1};
    for (int e = 1; e <= 3; ++e) {
        ip_[0][size_t(e)] = 192;
        ip_[1][size_t(e)] = 168;
        ip_[2][size_t(e)] = 0;
        ip_[3][size_t(e)] = last[e];
    }
    ports_[1] = 10100;
    ports_[2] = 10000;

    installStandardBehaviours(*this);

    queueTimer_ = new QTimer(this);
    queueTimer_->setSingleShot(true);
    connect(queueTimer_, &QTimer::timeout, this, &SimDevice::flushQueue);
}

SimDevice::~SimDevice()
{
    stopUdp();
    stopTcp();
    closePty();
}

// ---------------------------------------------------------------------------
// Registers

uint32_t SimDevice::value(int reg) const
{
    if (reg < 0 || reg >= RegisterCount) return 0;
    const uint32_t pchan = regs_[Reg::PCHAN];
    const int input = pchan >= 1 && pchan <= 8 ? int(pchan) : 1;
    const uint32_t adip = regs_[Reg::ADIP];
    const int entry = adip >= 1 && adip <= 3 ? int(adip) : 1;
    switch (Registers[size_t(reg)].kind) {
    case StoreKind::Dev: return model_;
    case StoreKind::PerInput: return perInput(reg, input);
    case StoreKind::LpLogo: return lplogo(input, int(regs_[Reg::LINDEX]));
    case StoreKind::LEmpty: {
        const uint32_t c = regs_[Reg::LCURRENT];
        return lempty(c >= 1 && c <= 9 ? int(c) : 1) ? 1u : 0u;
    }
    case StoreKind::Octet: return octet(reg, entry);
    case StoreKind::Port: return uint32_t(adip == 2 ? ports_[2] : ports_[1]);
    default: return regs_[size_t(reg)];
    }
}

uint32_t SimDevice::perInput(int reg, int input) const
{
    const int t = perInputSlot(reg);
    if (t < 0 || input < 1 || input > 8) return 0;
    return perInput_[size_t(t)][size_t(input)];
}

uint32_t SimDevice::lplogo(int input, int slot) const
{
    if (input < 1 || input > 8 || slot < 0 || slot > 1) return 0;
    return lplogo_[size_t(input)][size_t(slot)];
}

bool SimDevice::lempty(int slot) const
{
    return slot >= 1 && slot <= 9 && lempty_[size_t(slot)] != 0;
}

void SimDevice::setLempty(int slot, bool empty)
{
    if (slot >= 1 && slot <= 9)
        lempty_[size_t(slot)] = empty;
    else if (slot == 0)
        for (int s = 1; s <= 9; ++s) lempty_[size_t(s)] = empty;
}

uint32_t SimDevice::octet(int reg, int entry) const
{
    const int t = reg - Reg::IPD;
    if (t < 0 || t > 3 || entry < 1 || entry > 3) return 0;
    return ip_[size_t(t)][size_t(entry)];
}

void SimDevice::setValue(int reg, uint32_t v)
{
    if (reg >= 0 && reg < RegisterCount) store(reg, v);
}

void SimDevice::store(int reg, uint32_t v)
{
    const RegisterInfo& info = Registers[size_t(reg)];
    if (info.type == RegType::Bool) v &= 0xFFu;
    const uint32_t pchan = regs_[Reg::PCHAN];
    const uint32_t adip = regs_[Reg::ADIP];
    switch (info.kind) {
    case StoreKind::Dev: model_ = v; return;
    case StoreKind::QueryAll: return;
    case StoreKind::PerInput: {
        auto& table = perInput_[size_t(perInputSlot(reg))];
        if (pchan >= 1 && pchan <= 8)
            table[pchan] = v;
        else
            for (int i = 1; i <= 8; ++i) table[size_t(i)] = v;
        return;
    }
    case StoreKind::LpLogo: {
        const uint32_t slot = regs_[Reg::LINDEX];
        if (pchan >= 1 && pchan <= 8)
            lplogo_[pchan][slot] = v;
        else
            for (int i = 1; i <= 8; ++i) lplogo_[size_t(i)][slot] = v;
        return;
    }
    case StoreKind::LEmpty: setLempty(int(regs_[Reg::LCURRENT]), v != 0); return;
    case StoreKind::Octet: {
        auto& table = ip_[size_t(reg - Reg::IPD)];
        if (adip >= 1 && adip <= 3)
            table[adip] = v & 0xFFu;
        else
            for (int e = 1; e <= 3; ++e) table[size_t(e)] = v & 0xFFu;
        return;
    }
    case StoreKind::Port:
        if (adip == 0 || adip == 1) ports_[1] = int32_t(v);
        if (adip == 0 || adip == 2) ports_[2] = int32_t(v);
        return;
    default: break;
    }
    // The pointer registers take only the inputs, slots and addresses that
    // exist; anything else leaves them as they are (the reply says so).
    if ((reg == Reg::PCHAN && v > 8) || (reg == Reg::LINDEX && v > 1) || (reg == Reg::LCURRENT && v > 9) ||
        (reg == Reg::ADIP && v > 3))
        return;
    if (reg == Reg::NTMK && v > 32) return;
    regs_[size_t(reg)] = v;
}

void SimDevice::appendLine(QByteArray& out, int reg) const
{
    const std::string_view code = Registers[size_t(reg)].reply;
    out.append(code.data(), qsizetype(code.size()));
    out.append(QByteArray::number(value(reg)));
    out.append("\r\n");
}

void SimDevice::appendNoise(QByteArray& out)
{
    // No reply code starts with "~"; short enough never to be cut.
    out.append('~');
    out.append(QByteArray::number(noiseCount_++ % 1000));
    out.append("\r\n");
}

QByteArray SimDevice::replyLine(int reg) const
{
    QByteArray out;
    if (reg >= 0 && reg < RegisterCount && Registers[size_t(reg)].kind != StoreKind::QueryAll) appendLine(out, reg);
    return out;
}

QByteArray SimDevice::dump() const
{
    static constexpr int pointers[] = {Reg::PCHAN, Reg::LINDEX, Reg::LCURRENT, Reg::ADIP};
    QByteArray out;
    for (int r : pointers) appendLine(out, r);
    for (const RegisterInfo& r : Registers) {
        if (r.kind == StoreKind::QueryAll || std::find(std::begin(pointers), std::end(pointers), r.number) != std::end(pointers))
            continue;
        appendLine(out, r.number);
    }
    // Then each input's own values, each after the input it is for (and
    // its two logo layers after theirs); the pointers as they were last.
    auto line = [&out](int reg, uint32_t v) {
        const std::string_view code = Registers[size_t(reg)].reply;
        out.append(code.data(), qsizetype(code.size()));
        out.append(QByteArray::number(v));
        out.append("\r\n");
    };
    for (int i = 1; i <= 8; ++i) {
        line(Reg::PCHAN, uint32_t(i));
        for (const RegisterInfo& r : Registers)
            if (r.kind == StoreKind::PerInput) line(r.number, perInput(r.number, i));
        for (uint32_t slot = 0; slot < 2; ++slot) {
            line(Reg::LINDEX, slot);
            line(Reg::LPLOGO, lplogo(i, int(slot)));
        }
    }
    line(Reg::PCHAN, regs_[Reg::PCHAN]);
    line(Reg::LINDEX, regs_[Reg::LINDEX]);
    return out;
}

void SimDevice::addBehaviour(std::unique_ptr<SimBehaviour> b)
{
    if (b) behaviours_.push_back(std::move(b));
}

void SimDevice::report(int reg)
{
    if (!spoken_ || silent_) return;
    QByteArray out = replyLine(reg);
    if (noise_) appendNoise(out);
    if (!out.isEmpty()) send(lastSink_, out);
}

int SimDevice::commandCount(int reg) const
{
    int n = 0;
    for (const SimCommand& c : commands_) n += c.reg == reg;
    return n;
}

// ---------------------------------------------------------------------------
// Commands

QByteArray SimDevice::respond(SimStream& stream, const QByteArray& bytes)
{
    if (silent_) {
        stream.pending.clear();
        return {};
    }
    stream.pending.append(bytes);
    const char* d = stream.pending.constData();
    const qsizetype n = stream.pending.size();
    QByteArray out;
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i;
        uint64_t v = 0;
        // A value is an unsigned 32-bit number; longer digit runs keep
        // their low 32 bits rather than overflow.
        while (j < n && isDigit(d[j])) v = (v * 10 + uint64_t(d[j++] - '0')) & 0xFFFFFFFFu;
        if (j == n) break;  // the code has not arrived yet
        const std::string_view rest(d + j, size_t(n - j));
        const int reg = matchCommandCode(rest);
        if (reg < 0) {
            if (startsACode(rest)) break;  // a two-character code cut in half
            i = j + 1;                     // a stray character (CR, LF, junk): dropped with its value
            continue;
        }
        SimCommand cmd;
        cmd.reg = reg;
        cmd.hasValue = j > i;  // digits ran from i to j
        cmd.value = uint32_t(v);
        i = j + qsizetype(Registers[size_t(reg)].command.size());
        out.append(execute(cmd));
    }
    stream.pending.remove(0, i);
    if (stream.pending.size() > MaxPending) stream.pending = stream.pending.right(MaxPending);
    return out;
}

QByteArray SimDevice::execute(const SimCommand& c)
{
    commands_.append(c);
    const RegisterInfo& info = Registers[size_t(c.reg)];
    QByteArray out;
    if (info.kind == StoreKind::QueryAll) {
        const QByteArray all = dump();
        if (!noise_) return all;
        // Junk between the lines of the dump as well.
        qsizetype from = 0;
        for (;;) {
            const qsizetype end = all.indexOf("\r\n", from);
            if (end < 0) break;
            out.append(all.mid(from, end + 2 - from));
            appendNoise(out);
            from = end + 2;
        }
        return out;
    }
    if (c.hasValue && acceptsWrite(info)) store(c.reg, c.value);
    appendLine(out, c.reg);
    for (const auto& b : behaviours_) b->afterCommand(*this, c, out);
    if (noise_) appendNoise(out);
    return out;
}

// ---------------------------------------------------------------------------
// Output: delay, chunks

void SimDevice::handleInput(Sink sink, SimStream& stream, const QByteArray& bytes)
{
    static constexpr const char* names[] = {"udp", "tcp", "pty"};
    if (onTraffic) onTraffic(names[int(sink)], true, bytes);
    spoken_ = true;
    lastSink_ = sink;
    const QByteArray reply = respond(stream, bytes);
    if (!reply.isEmpty()) send(sink, reply);
}

void SimDevice::send(Sink sink, const QByteArray& bytes)
{
    if (delayMs_ > 0) {
        queue_.append({nowMs() + delayMs_, sink, bytes});
        if (!queueTimer_->isActive()) queueTimer_->start(int(queue_.front().due - nowMs()));
        return;
    }
    writeNow(sink, bytes);
}

void SimDevice::flushQueue()
{
    // Replies leave in the order they were made, each when its delay is up.
    while (!queue_.isEmpty() && queue_.front().due <= nowMs()) {
        const Pending p = queue_.takeFirst();
        writeNow(p.sink, p.bytes);
    }
    if (!queue_.isEmpty()) queueTimer_->start(int(std::max<qint64>(0, queue_.front().due - nowMs())));
}

void SimDevice::writeNow(Sink sink, const QByteArray& bytes)
{
    static constexpr const char* names[] = {"udp", "tcp", "pty"};
    const qsizetype step = chunk_ > 0 ? chunk_ : bytes.size();
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        const QByteArray piece = bytes.mid(at, step);
        switch (sink) {
        case Sink::Udp:
            if (!udp_ || udpPeerPort_ == 0) return;
            udp_->writeDatagram(piece, udpPeer_, udpPeerPort_);
            break;
        case Sink::Tcp:
            if (!client_) return;
            client_->write(piece);
            client_->flush();
            break;
        case Sink::Pty: {
            if (ptyMaster_ < 0) return;
            // Nobody reading the line: what does not fit is lost, as on a
            // real serial line with no listener.
            const char* p = piece.constData();
            qsizetype left = piece.size();
            while (left > 0) {
                const ssize_t w = ::write(ptyMaster_, p, size_t(left));
                if (w < 0 && errno == EINTR) continue;
                if (w <= 0) break;
                p += w;
                left -= w;
            }
            break;
        }
        }
        if (onTraffic) onTraffic(names[int(sink)], false, piece);
    }
}

// ---------------------------------------------------------------------------
// UDP

bool SimDevice::startUdp(quint16 port, const QHostAddress& address)
{
    stopUdp();
    udp_ = std::make_unique<QUdpSocket>();
    // Not shared: two simulators on one port would split the traffic.
    if (!udp_->bind(address, port, QAbstractSocket::DontShareAddress)) {
        udp_.reset();
        return false;
    }
    connect(udp_.get(), &QUdpSocket::readyRead, this, &SimDevice::readUdp);
    return true;
}

void SimDevice::stopUdp()
{
    udp_.reset();
    udpPeerPort_ = 0;
}

quint16 SimDevice::udpPort() const
{
    return udp_ ? udp_->localPort() : 0;
}

void SimDevice::readUdp()
{
    while (udp_ && udp_->hasPendingDatagrams()) {
        QByteArray data(qsizetype(udp_->pendingDatagramSize() > 0 ? udp_->pendingDatagramSize() : 0), Qt::Uninitialized);
        QHostAddress from;
        quint16 fromPort = 0;
        const qint64 n = udp_->readDatagram(data.data(), data.size(), &from, &fromPort);
        if (n < 0) continue;
        data.truncate(qsizetype(n));
        udpPeer_ = from;
        udpPeerPort_ = fromPort;
        // One datagram is one whole message: nothing of it waits for the next.
        SimStream stream;
        handleInput(Sink::Udp, stream, data);
    }
}

// ---------------------------------------------------------------------------
// TCP

bool SimDevice::startTcp(quint16 port, const QHostAddress& address)
{
    stopTcp();
    server_ = std::make_unique<QTcpServer>();
    if (!server_->listen(address, port)) {
        server_.reset();
        return false;
    }
    connect(server_.get(), &QTcpServer::newConnection, this, &SimDevice::acceptTcp);
    return true;
}

void SimDevice::stopTcp()
{
    if (client_) {
        client_->disconnect(this);
        client_->abort();
        client_->deleteLater();
        client_ = nullptr;
    }
    server_.reset();
}

quint16 SimDevice::tcpPort() const
{
    return server_ ? server_->serverPort() : 0;
}

void SimDevice::acceptTcp()
{
    while (QTcpSocket* s = server_->nextPendingConnection()) {
        if (client_) {
            client_->disconnect(this);
            client_->abort();
            client_->deleteLater();
        }
        client_ = s;
        ++tcpConnections_;
        tcpStream_ = {};
        connect(s, &QTcpSocket::readyRead, this, [this, s] {
            if (s == client_) handleInput(Sink::Tcp, tcpStream_, s->readAll());
        });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            if (s == client_) client_ = nullptr;
            s->deleteLater();
        });
    }
}

// ---------------------------------------------------------------------------
// Pseudo-terminal

bool SimDevice::openPty()
{
    closePty();
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return false;
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        ::close(master);
        return false;
    }
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    // Holding the slave open keeps the master readable without errors
    // while the panel has the line closed.
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        ::close(master);
        return false;
    }
    termios t{};
    if (tcgetattr(slave, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    ptyMaster_ = master;
    ptySlaveHold_ = slave;
    ptyPath_ = QString::fromLocal8Bit(name);
    ptyStream_ = {};
    ptyNotifier_ = std::make_unique<QSocketNotifier>(master, QSocketNotifier::Read);
    connect(ptyNotifier_.get(), &QSocketNotifier::activated, this, &SimDevice::readPty);
    return true;
}

void SimDevice::closePty()
{
    ptyNotifier_.reset();
    if (ptyMaster_ >= 0) ::close(ptyMaster_);
    if (ptySlaveHold_ >= 0) ::close(ptySlaveHold_);
    ptyMaster_ = ptySlaveHold_ = -1;
    ptyPath_.clear();
}

void SimDevice::readPty()
{
    char buf[4096];
    const ssize_t n = ::read(ptyMaster_, buf, sizeof buf);
    if (n > 0) {
        handleInput(Sink::Pty, ptyStream_, QByteArray(buf, qsizetype(n)));
    } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        // The line is gone: stop watching rather than spin on the error.
        ptyNotifier_->setEnabled(false);
    }
}

}  // namespace zeph
