#pragma once
// SimDevice: one device of the family played in software, for tests and for
// running the panel without hardware. It holds the 142 registers with the
// per-input, logo, slot and LAN tables, reads commands as the device does
// (a decimal value, then a command code, no terminator, concatenated in one
// byte stream), answers each write with the register's reply line, "?" with
// the device type and "#" CR LF with a dump of every register.
//
// It listens on UDP, TCP and a pseudo-terminal, each optional. Replies can
// be delayed, split into small writes, mixed with junk lines, or withheld
// altogether (silence) to make the panel lose the link.

#include "registers.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

namespace zeph {

class SimDevice;
struct SimCommand;

// What the device does beyond storing a write and echoing it: a store that
// ends by itself, a logo capture, a message byte echo. Each page's
// behaviours live in their own file (behaviours.cpp lists them); a
// behaviour sees every command after the device has taken it and its echo
// is in `out`, and may add lines to `out` or report later with
// SimDevice::report().
class SimBehaviour {
public:
    virtual ~SimBehaviour() = default;
    virtual void afterCommand(SimDevice& device, const SimCommand& command, QByteArray& out) = 0;
};

// What is left of a byte stream between two reads: a value or a code that
// has not been completed yet.
struct SimStream {
    QByteArray pending;
};

// One command as the device took it.
struct SimCommand {
    int reg = -1;
    bool hasValue = false;  // false for a bare code (a query)
    uint32_t value = 0;
};

class SimDevice : public QObject {
    Q_OBJECT
public:
    explicit SimDevice(QObject* parent = nullptr);
    ~SimDevice() override;

    static constexpr int DefaultModel = 24;

    // --- options ------------------------------------------------------------
    uint32_t model() const { return model_; }
    void setModel(uint32_t code) { model_ = code; }
    // A silent device takes nothing in and answers nothing.
    bool silent() const { return silent_; }
    void setSilent(bool on) { silent_ = on; }
    int replyDelayMs() const { return delayMs_; }
    void setReplyDelayMs(int ms) { delayMs_ = ms < 0 ? 0 : ms; }
    // A junk line (no known reply code) after every reply line.
    bool noise() const { return noise_; }
    void setNoise(bool on) { noise_ = on; }
    // Replies go out in pieces of at most this many bytes (0: whole), one
    // write or one datagram each.
    int chunkSize() const { return chunk_; }
    void setChunkSize(int bytes) { chunk_ = bytes < 0 ? 0 : bytes; }

    // --- registers ------------------------------------------------------------
    // The value the device reports for a register now: per-input registers
    // for input PCHAN, logo entries for PCHAN and LINDEX, LEMPTY for
    // LCURRENT, LAN octets and PORT for ADIP (entry 1 when the pointer is 0).
    uint32_t value(int reg) const;
    // Stores a value as a write command would, without answering.
    void setValue(int reg, uint32_t v);
    uint32_t perInput(int reg, int input) const;  // input 1..8
    uint32_t lplogo(int input, int slot) const;   // input 1..8, slot 0..1
    bool lempty(int slot) const;                  // slot 1..9
    void setLempty(int slot, bool empty);         // slot 1..9, 0 = all
    uint32_t octet(int reg, int entry) const;     // IPD..IPA, entry 1..3
    int32_t localPort() const { return ports_[1]; }
    int32_t remotePort() const { return ports_[2]; }

    // The reply line of a register with CR LF ("BRG128\r\n").
    QByteArray replyLine(int reg) const;
    // The answer to "#" CR LF: the pointer registers first, so that a
    // listener stores what follows under the right input and slot, then
    // every other register in number order; then, for each input 1 to 8,
    // PCHAN with that input's per-input registers and its two logo layers
    // (LINDEX, LPLOGO); last PCHAN and LINDEX as they are.
    QByteArray dump() const;

    // Reads bytes of a stream and gives the reply bytes (noise included).
    // Unfinished commands wait in `stream` for the next bytes.
    QByteArray respond(SimStream& stream, const QByteArray& bytes);

    // Every command taken, in order.
    const QList<SimCommand>& commands() const { return commands_; }
    int commandCount(int reg) const;
    void clearCommands() { commands_.clear(); }

    // --- transports -----------------------------------------------------------
    // UDP: replies go to the sender of the last datagram. Port 0 picks a
    // free port; udpPort() tells which.
    bool startUdp(quint16 port, const QHostAddress& address = QHostAddress::LocalHost);
    void stopUdp();
    quint16 udpPort() const;

    // TCP server, one client at a time: a new client replaces the old one.
    bool startTcp(quint16 port, const QHostAddress& address = QHostAddress::LocalHost);
    void stopTcp();  // closes the listener and the client
    quint16 tcpPort() const;
    bool tcpClientConnected() const { return client_ != nullptr; }
    int tcpConnections() const { return tcpConnections_; }  // clients accepted so far

    // --- behaviours -----------------------------------------------------------
    // The standard behaviours are installed by the constructor.
    void addBehaviour(std::unique_ptr<SimBehaviour> b);
    // Reports a register now, unasked, to the peer that spoke last (as the
    // device does when something ends by itself). Nothing when nobody has
    // spoken yet.
    void report(int reg);
    // How long an image-settings store takes (STORE 1, then 0).
    int storeMs() const { return storeMs_; }
    void setStoreMs(int ms) { storeMs_ = ms < 0 ? 0 : ms; }
    // How long a logo or frame store takes: a fixed part and a part that
    // grows with the picture's bytes (3 per pixel). An erase takes the
    // fixed part.
    int logoStoreBaseMs() const { return logoBaseMs_; }
    int logoStoreMsPerMiB() const { return logoMsPerMiB_; }
    void setLogoStoreMs(int baseMs, int msPerMiB)
    {
        logoBaseMs_ = baseMs < 0 ? 0 : baseMs;
        logoMsPerMiB_ = msPerMiB < 0 ? 0 : msPerMiB;
    }
    int logoStoreMs(uint64_t bytes) const { return logoBaseMs_ + int(bytes * uint64_t(logoMsPerMiB_) / 1048576u); }

    // Pseudo-terminal: the panel opens ptyPath(), the slave side.
    bool openPty();
    void closePty();
    QString ptyPath() const { return ptyPath_; }

    // Every chunk in and out: transport name ("udp", "tcp", "pty"), direction.
    std::function<void(const char* transport, bool incoming, const QByteArray& data)> onTraffic;

private:
    enum class Sink { Udp, Tcp, Pty };

    QByteArray execute(const SimCommand& c);
    void store(int reg, uint32_t v);
    void appendLine(QByteArray& out, int reg) const;
    void appendNoise(QByteArray& out);
    void handleInput(Sink sink, SimStream& stream, const QByteArray& bytes);
    void send(Sink sink, const QByteArray& bytes);
    void writeNow(Sink sink, const QByteArray& piece);
    void flushQueue();
    void readUdp();
    void acceptTcp();
    void readPty();

    // Registers kept in one field; the tables below hold the rest.
    std::array<uint32_t, RegisterCount> regs_{};
    std::array<std::array<uint32_t, 9>, PerInputTables> perInput_{};  // [table][input 1..8]
    std::array<std::array<uint32_t, 2>, 9> lplogo_{};                 // [input 1..8][slot]
    std::array<uint8_t, 10> lempty_{};                                // [slot 1..9]
    std::array<std::array<uint32_t, 4>, 4> ip_{};                     // [IPD..IPA][entry 1..3]
    std::array<int32_t, 3> ports_{};                                  // [1 local, 2 remote]

    uint32_t model_ = DefaultModel;
    bool silent_ = false;
    int delayMs_ = 0;
    bool noise_ = false;
    int chunk_ = 0;
    unsigned noiseCount_ = 0;

    QList<SimCommand> commands_;
    std::vector<std::unique_ptr<SimBehaviour>> behaviours_;
    int storeMs_ = 1200;
    int logoBaseMs_ = 300;
    int logoMsPerMiB_ = 1500;
    bool spoken_ = false;
    Sink lastSink_ = Sink::Udp;

    struct Pending {
        qint64 due;
        Sink sink;
        QByteArray bytes;
    };
    QList<Pending> queue_;
    QTimer* queueTimer_ = nullptr;

    std::unique_ptr<QUdpSocket> udp_;
    QHostAddress udpPeer_;
    quint16 udpPeerPort_ = 0;

    std::unique_ptr<QTcpServer> server_;
    QTcpSocket* client_ = nullptr;
    SimStream tcpStream_;
    int tcpConnections_ = 0;

    int ptyMaster_ = -1;
    int ptySlaveHold_ = -1;  // keeps the line up while the panel has it closed
    QString ptyPath_;
    std::unique_ptr<QSocketNotifier> ptyNotifier_;
    SimStream ptyStream_;
};

}  // namespace zeph
