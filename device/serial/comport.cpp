// Serial-port component over POSIX termios.
//
// Threading: the reader thread (TCommThread) only waits on the port with
// poll(). Every port event is handed to the main thread by a synchronous
// call: the thread posts the hand-over to the port's (main) thread and waits
// until it has run there. All reading, all callbacks and all events happen on
// the main thread. Close() sets the link's stop flag and wakes the thread both
// out of poll() (eventfd) and out of a hand-over wait (condition variable), so
// closing never waits on a hand-over that the main thread cannot serve while
// it is inside Close(). A hand-over still queued after Close() finds the stop
// flag set and does nothing.

#include "serial/comport.h"
#include "serial/comport_p.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

using namespace zeph_serial;

EComError::EComError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

namespace {

// Unsent rest of writes the port could not take at once. Beyond this the
// line is not draining at all (nobody reads a pseudo-terminal, a stuck
// adapter) and further text is dropped rather than growing without bound.
constexpr qsizetype kMaxPendingOut = 1 << 20;

// Read size used when the port signals input but reports no byte count:
// the read then tells whether bytes came in or the device went away.
constexpr int kProbeRead = 4096;

// Poll period used only to sample the modem lines and the line-error
// counters, which poll() itself does not report.
constexpr int kLinePollMs = 50;

QString SystemText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool SpeedFor(uint32_t baud, speed_t& speed)
{
    static const struct {
        uint32_t baud;
        speed_t speed;
    } table[] = {
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},
#ifdef B460800
        {460800, B460800},
#endif
#ifdef B500000
        {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000},
        {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000},
        {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
#endif
    };
    for (const auto& entry : table) {
        if (entry.baud == baud) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

// "COMn" with n from 1 to 99, written without leading zero; 0 otherwise.
int ComNumber(const QString& name)
{
    if (!name.startsWith(QLatin1String("COM")))
        return 0;
    const QString digits = name.mid(3);
    if (digits.isEmpty() || digits.size() > 2 || digits.front() == QLatin1Char('0'))
        return 0;
    int n = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

}  // namespace

// ---------------------------------------------------------------------------
// Reader thread and the state it shares with the main thread.

struct TCommLink {
    TComPort* port = nullptr;
    int fd = -1;      // the port; -1 once closed
    int wakeFd = -1;  // eventfd: stop requested, or output is pending

    std::mutex mutex;
    std::condition_variable served;
    bool stop = false;  // written on the main thread only, under mutex
    uint64_t posted = 0;
    uint64_t done = 0;
    QByteArray out;  // unsent rest of writes, under mutex

    // Main thread only.
    std::function<void(int count)> receive;
    std::function<void(uint32_t mask, uint32_t modem)> status;
    bool lost = false;  // a read found the device gone

    void Wake()
    {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
    }

    // Writes as much of `out` as the port takes now. Caller holds mutex.
    void FlushLocked()
    {
        while (!out.isEmpty()) {
            const ssize_t n = ::write(fd, out.constData(), size_t(out.size()));
            if (n > 0) {
                out.remove(0, qsizetype(n));
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                    out.clear();  // the line failed; the reader reports the loss
                return;
            }
        }
    }
};

namespace {

// Runs on the main thread: the body of one hand-over.
void SyncEvents(const std::shared_ptr<TCommLink>& link, uint64_t seq, uint32_t mask,
                uint32_t modem)
{
    if (link->stop)
        return;  // the port was closed after this hand-over was posted

    int count = 0;
    if (::ioctl(link->fd, FIONREAD, &count) < 0)
        count = 0;
    if ((mask & evRXCHAR) && link->receive) {
        auto receive = link->receive;  // a callback may Close() and clear it
        receive(count);
    }
    const uint32_t events = mask & ~(evRXCHAR | evHANGUP);
    if (!link->stop && events && link->status) {
        auto status = link->status;
        status(events, modem);
    }
    const bool gone = (mask & evHANGUP) || link->lost;
    {
        std::lock_guard lock(link->mutex);
        link->done = seq;
    }
    link->served.notify_all();
    if (gone && !link->stop)
        link->port->Close();
}

}  // namespace

class TCommThread {
public:
    TCommThread(TComPort* port, int fd, int wakeFd) : link_(std::make_shared<TCommLink>())
    {
        link_->port = port;
        link_->fd = fd;
        link_->wakeFd = wakeFd;
    }

    ~TCommThread()
    {
        // Release the exclusive claim before closing, or the terminal keeps
        // refusing other opens while its other end (a pty master) lives on.
        ::ioctl(link_->fd, TIOCNXCL);
        ::close(link_->fd);
        ::close(link_->wakeFd);
        link_->fd = -1;
        link_->wakeFd = -1;
    }

    const std::shared_ptr<TCommLink>& Link() const { return link_; }

    // Main thread: ask the thread to end and wait until it has.
    void Stop()
    {
        link_->receive = nullptr;
        link_->status = nullptr;
        {
            std::lock_guard lock(link_->mutex);
            link_->stop = true;
        }
        link_->served.notify_all();
        link_->Wake();
        if (thread_.joinable())
            thread_.join();
    }

    void Start() { thread_ = std::thread([this] { Execute(); }); }

private:
    void Execute()
    {
        TCommLink& link = *link_;
        int lines = 0;
        bool watchLines = ::ioctl(link.fd, TIOCMGET, &lines) == 0;
#ifdef __linux__
        serial_icounter_struct counts{};
        bool watchCounts = ::ioctl(link.fd, TIOCGICOUNT, &counts) == 0;
#else
        bool watchCounts = false;
#endif
        for (;;) {
            bool wantOut;
            {
                std::lock_guard lock(link.mutex);
                if (link.stop)
                    break;
                wantOut = !link.out.isEmpty();
            }
            pollfd fds[2] = {{link.fd, short(POLLIN | (wantOut ? POLLOUT : 0)), 0},
                             {link.wakeFd, POLLIN, 0}};
            const int r = ::poll(fds, 2, (watchLines || watchCounts) ? kLinePollMs : -1);
            uint32_t mask = 0;
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                mask |= evHANGUP;  // cannot wait on the port any more
            }
            if (fds[1].revents & POLLIN) {
                uint64_t value;
                [[maybe_unused]] ssize_t n = ::read(link.wakeFd, &value, sizeof value);
            }
            const short rev = fds[0].revents;
            if (rev & POLLIN)
                mask |= evRXCHAR;
            if (rev & (POLLHUP | POLLERR | POLLNVAL))
                mask |= evHANGUP;
            if ((rev & POLLOUT) && !(mask & evHANGUP)) {
                std::lock_guard lock(link.mutex);
                link.FlushLocked();
            }
            if (watchLines && !(mask & evHANGUP)) {
                int now = 0;
                if (::ioctl(link.fd, TIOCMGET, &now) == 0) {
                    const int changed = now ^ lines;
                    if (changed & TIOCM_CTS) mask |= evCTS;
                    if (changed & TIOCM_DSR) mask |= evDSR;
                    if (changed & TIOCM_CD) mask |= evRLSD;
                    if (changed & TIOCM_RI) mask |= evRING;
                    lines = now;
                } else {
                    watchLines = false;
                }
            }
#ifdef __linux__
            if (watchCounts && !(mask & evHANGUP)) {
                // The counters also catch line pulses shorter than the poll
                // period, which sampling the lines would miss.
                serial_icounter_struct now{};
                if (::ioctl(link.fd, TIOCGICOUNT, &now) == 0) {
                    if (now.cts != counts.cts) mask |= evCTS;
                    if (now.dsr != counts.dsr) mask |= evDSR;
                    if (now.dcd != counts.dcd) mask |= evRLSD;
                    if (now.rng != counts.rng) mask |= evRING;
                    if (now.frame != counts.frame || now.overrun != counts.overrun ||
                        now.parity != counts.parity || now.brk != counts.brk ||
                        now.buf_overrun != counts.buf_overrun)
                        mask |= evERR;
                    counts = now;
                } else {
                    watchCounts = false;
                }
            }
#endif
            if (mask == 0)
                continue;
            if (!HandOver(mask, ModemStatusFromLines(lines)))
                break;
            if (mask & evHANGUP)
                break;  // the main thread closes the port
        }
    }

    // Hands one event over to the main thread and waits until it has run
    // there. False when a stop was requested instead.
    bool HandOver(uint32_t mask, uint32_t modem)
    {
        uint64_t seq;
        {
            std::lock_guard lock(link_->mutex);
            if (link_->stop)
                return false;
            seq = ++link_->posted;
        }
        std::shared_ptr<TCommLink> link = link_;
        QMetaObject::invokeMethod(
            link->port, [link, seq, mask, modem] { SyncEvents(link, seq, mask, modem); },
            Qt::QueuedConnection);
        std::unique_lock lock(link_->mutex);
        link_->served.wait(lock, [&] { return link_->stop || link_->done >= seq; });
        return !link_->stop;
    }

    std::shared_ptr<TCommLink> link_;
    std::thread thread_;
};

// ---------------------------------------------------------------------------

namespace zeph_serial {

void DispatchStatusEvents(TComPort& port, uint32_t eventMask, uint32_t modemStatus)
{
    // Copies: a handler may reassign its own slot or close the port.
    if ((eventMask & evCTS) && port.OnCTSChanged) {
        auto handler = port.OnCTSChanged;
        handler((modemStatus & msCTS_ON) == 0);
    }
    if ((eventMask & evDSR) && port.OnDSRChanged) {
        auto handler = port.OnDSRChanged;
        handler((modemStatus & msDSR_ON) == 0);
    }
    if ((eventMask & evRLSD) && port.OnRLSDChanged) {
        auto handler = port.OnRLSDChanged;
        handler((modemStatus & msRLSD_ON) == 0);
    }
    if ((eventMask & evRING) && port.OnRingChanged) {
        auto handler = port.OnRingChanged;
        handler((modemStatus & msRING_ON) == 0);
    }
    if ((eventMask & evERR) && port.OnError) {
        auto handler = port.OnError;
        handler(&port);
    }
}

int ApplyLineSettings(termios& tio, uint32_t baud, uint8_t dataBits, TParity parity,
                      TStopBit stopBits)
{
    ::cfmakeraw(&tio);  // binary: no translation, no echo, no signals
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
#ifdef CMSPAR
    tio.c_cflag &= ~CMSPAR;
#endif
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;  // a read of 0 bytes then means the device went away
    tio.c_cc[VTIME] = 0;

    switch (dataBits) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    case 8: tio.c_cflag |= CS8; break;
    default: return EINVAL;
    }
    switch (parity) {
    case ptNONE: break;
    case ptODD: tio.c_cflag |= PARENB | PARODD; break;
    case ptEVEN: tio.c_cflag |= PARENB; break;
#ifdef CMSPAR
    case ptMARK: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case ptSPACE: tio.c_cflag |= PARENB | CMSPAR; break;
#endif
    default: return EINVAL;
    }
    // termios has no one-and-a-half stop bits; a UART sends 1.5 stop bits
    // for 5-bit characters when asked for two, as the PC ports always did.
    switch (stopBits) {
    case sbONE: break;
    case sbONE5:
    case snTWO: tio.c_cflag |= CSTOPB; break;
    default: return EINVAL;
    }

    speed_t speed;
    if (!SpeedFor(baud, speed))
        return EINVAL;  // a rate termios cannot name
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    return 0;
}

uint32_t ModemStatusFromLines(int lines)
{
    uint32_t status = 0;
    if (lines & TIOCM_CTS) status |= msCTS_ON;
    if (lines & TIOCM_DSR) status |= msDSR_ON;
    if (lines & TIOCM_RI) status |= msRING_ON;
    if (lines & TIOCM_CD) status |= msRLSD_ON;
    return status;
}

}  // namespace zeph_serial

// ---------------------------------------------------------------------------

TComPort::TComPort(QObject* owner) : QObject(owner) {}

TComPort::~TComPort()
{
    if (opened_)
        Close();
}

QString TComPort::DevicePath(const QString& portName)
{
    if (portName.startsWith(QLatin1Char('/')))
        return portName;
    QString name = portName;
    const QLatin1String devicePrefix("\\\\.\\");
    if (name.startsWith(devicePrefix))
        name = name.mid(devicePrefix.size());
    if (name.isEmpty())
        return QString();

    // comports.ini in the working directory maps a port name to a device,
    // e.g. "COM3=/dev/ttyUSB0". The first line naming the port wins.
    // Only a small regular file is read: a FIFO or a device in its place
    // would block the open, and a huge file would be read line by line for
    // every port name.
    const QFileInfo mapInfo(QStringLiteral("comports.ini"));
    QFile map(mapInfo.filePath());
    if (mapInfo.isFile() && mapInfo.size() <= MaxPortMapBytes &&
        map.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!map.atEnd()) {
            const QString line = QString::fromUtf8(map.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
                line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq <= 0)
                continue;
            if (line.left(eq).trimmed() == name)
                return line.mid(eq + 1).trimmed();
        }
    }

    const int n = ComNumber(name);
    if (n >= 1 && n <= 99)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    return QString();
}

QString TComPort::Terminator() const
{
    QString text;
    for (char c : terminator_)
        text += QLatin1Char('#') + QString::number(uchar(c));
    return text;
}

void TComPort::SetTerminator(const QString& text)
{
    terminator_.clear();
    QString rest = text.mid(1);  // the leading "#"
    while (!rest.isEmpty()) {
        const qsizetype hash = rest.indexOf(QLatin1Char('#'));
        const QString code = hash < 0 ? rest : rest.left(hash);
        rest = hash < 0 ? QString() : rest.mid(hash + 1);

        // Strictly decimal digits, as a character code 0 to 255.
        bool ok = !code.isEmpty() && code.size() <= 3;
        int value = 0;
        for (QChar c : code) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                ok = false;
                break;
            }
            value = value * 10 + (c.unicode() - '0');
        }
        if (!ok || value > 255) {
            terminator_ = QByteArray("\r\n");
            throw EComError(QStringLiteral(
                "Illegal terminator string.\rformat : #<asciicode>#<asciicode>#<...>\r"
                "example: #13#10"));
        }
        terminator_.append(char(value));
    }
    if (terminator_.isEmpty())
        throw EComError(QStringLiteral("Terminator string cannot be empty!"));
}

void TComPort::Open()
{
    if (opened_)
        return;

    const auto fail = [this](int err) {
        throw EComError(QStringLiteral("TCOMPORT : cannot open ") + port_ + QLatin1Char('\r') +
                        SystemText(err));
    };

    const QString path = DevicePath(port_);
    if (path.isEmpty())
        fail(ENOENT);
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail(errno);

    bool exclusive = false;
    const auto failClosing = [&](int err) {
        if (exclusive)
            ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        fail(err);
    };

    // No sharing. TIOCEXCL makes later opens fail with EBUSY, but not for a
    // privileged process; the advisory lock also keeps out a second panel
    // (or a second port object) running as root.
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0)
        failClosing(errno == EWOULDBLOCK ? EBUSY : errno);
    if (::ioctl(fd, TIOCEXCL) == 0)
        exclusive = true;

    termios tio{};
    if (::tcgetattr(fd, &tio) < 0)
        failClosing(errno);
    if (const int err = ApplyLineSettings(tio, Baud, DataBits, Parity, StopBits))
        failClosing(err);
    if (::tcsetattr(fd, TCSANOW, &tio) < 0)
        failClosing(errno);

    // WinQSizeIn and WinQSizeOut have no termios counterpart: the kernel
    // sizes the terminal's queues itself. The properties are kept as
    // settings only.

    ::tcflush(fd, TCIOFLUSH);
    // DTR and RTS stay low; a pseudo-terminal has no modem lines and refuses
    // this, which is harmless.
    const int dtrRts = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &dtrRts);

    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0)
        failClosing(errno);

    thread_ = std::make_unique<TCommThread>(this, fd, wakeFd);
    const auto& link = thread_->Link();
    link->receive = [this](int count) { ReceiveData(count); };
    link->status = [this](uint32_t mask, uint32_t modem) { DispatchStatus(mask, modem); };
    pending_.clear();  // a piece left from an earlier session is not this line's
    opened_ = true;
    thread_->Start();
    if (OnPortOpen) {
        auto handler = OnPortOpen;
        handler(this);
    }
}

void TComPort::Close()
{
    if (!opened_)
        return;
    opened_ = false;
    thread_->Stop();
    thread_.reset();  // closes the port
    if (OnPortClose) {
        auto handler = OnPortClose;
        handler(this);
    }
}

void TComPort::Write(const QByteArray& text)
{
    if (!opened_ || text.isEmpty())
        return;
    TCommLink& link = *thread_->Link();
    std::lock_guard lock(link.mutex);
    const bool idle = link.out.isEmpty();
    if (link.out.size() + text.size() > kMaxPendingOut)
        return;
    link.out += text;
    link.FlushLocked();
    if (idle && !link.out.isEmpty())
        link.Wake();  // the reader thread sends the rest when the port takes it
}

void TComPort::ReceiveData(int count)
{
    TCommLink& link = *thread_->Link();
    QByteArray data(count > 0 ? count : kProbeRead, Qt::Uninitialized);
    ssize_t n;
    do {
        n = ::read(link.fd, data.data(), size_t(data.size()));
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        data.truncate(qsizetype(n));
    } else {
        // 0 (hung up) or an error other than "nothing yet": the device is gone.
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            link.lost = true;
        return;  // nothing was received, so there is nothing to deliver
    }

    if (!opened_ || !ReceiveCallBack)
        return;
    auto callback = ReceiveCallBack;  // it may be reassigned while it runs
    if (ReceiveMode == rmRAW) {
        callback(data);
        return;
    }
    pending_ += data;
    if (terminator_.isEmpty())
        return;  // nothing can end a piece; an empty one is never delivered
    const qsizetype at = pending_.indexOf(terminator_);
    if (at < 0)
        return;
    const qsizetype length = at + terminator_.size();
    const QByteArray piece = pending_.left(length);
    pending_.remove(0, length);
    callback(piece);
}

void TComPort::DispatchStatus(uint32_t eventMask, uint32_t modemStatus)
{
    DispatchStatusEvents(*this, eventMask, modemStatus);
}
