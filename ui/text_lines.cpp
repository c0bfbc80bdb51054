#include "text_lines.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MaxBackups = 1000;  // "name.bak" to "name.999.bak"

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Closes a descriptor on every path out.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0) ::close(fd);
    }
};

// Opens without waiting (a FIFO with no writer would block a plain open)
// and checks the kind and the size before anything is read. With `read`
// false only the checks are made.
TextFile openBounded(const QString& path, qint64 limit, bool read)
{
    TextFile out;
    if (path.isEmpty()) return out;
    const QByteArray name = QFile::encodeName(path);
    Fd f;
    do {
        f.fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (f.fd < 0 && errno == EINTR);
    if (f.fd < 0) {
        out.status = errno == ENOENT || errno == ENOTDIR ? TextFile::Status::Missing : TextFile::Status::Unreadable;
        return out;
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) {
        out.status = TextFile::Status::Unreadable;
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.status = TextFile::Status::NotRegular;
        return out;
    }
    if (st.st_size > limit) {
        out.status = TextFile::Status::TooBig;
        return out;
    }
    if (!read) {
        out.status = TextFile::Status::Ok;
        return out;
    }
    // The file may grow after fstat: one byte more than the limit is read
    // at most, and tells that it did.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit) {
                out.status = TextFile::Status::TooBig;
                return out;
            }
            bytes.resize(qsizetype(std::min<qint64>(limit + 1, qint64(bytes.size()) * 2 + 4096)));
        }
        const ssize_t n = ::read(f.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            out.status = TextFile::Status::Unreadable;
            return out;
        }
        if (n == 0) break;
        got += n;
    }
    if (got > limit) {
        out.status = TextFile::Status::TooBig;
        return out;
    }
    bytes.truncate(got);
    out.status = TextFile::Status::Ok;
    out.bytes = std::move(bytes);
    return out;
}

bool nameTaken(const QByteArray& name)
{
    struct stat st {};
    // A dangling symbolic link holds its name too.
    return ::lstat(name.constData(), &st) == 0 || errno != ENOENT;
}

}  // namespace

QStringList splitTextLines(const QByteArray& bytes)
{
    QStringList lines;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << QString::fromLatin1(bytes.constData() + start, i - start);
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines << QString::fromLatin1(bytes.constData() + start, n - start);
    return lines;
}

TextFile readTextFile(const QString& path, qint64 limit)
{
    return openBounded(path, limit, true);
}

std::optional<QStringList> readTextLines(const QString& path, QByteArray* raw)
{
    TextFile f = readTextFile(path);
    if (f.status != TextFile::Status::Ok) return std::nullopt;
    QStringList lines = splitTextLines(f.bytes);
    if (raw) *raw = std::move(f.bytes);
    return lines;
}

QString backupName(const QString& path, int n)
{
    return n == 0 ? path + QStringLiteral(".bak") : path + QStringLiteral(".%1.bak").arg(n);
}

std::optional<QString> freeBackupName(const QString& path)
{
    for (int n = 0; n < MaxBackups; ++n) {
        const QString candidate = backupName(path, n);
        if (!nameTaken(QFile::encodeName(candidate))) return candidate;
    }
    return std::nullopt;
}

std::optional<QString> moveAside(const QString& path, QString* error)
{
    const QByteArray from = QFile::encodeName(path);
    int err = EEXIST;
    for (int n = 0; n < MaxBackups; ++n) {
        const QString candidate = backupName(path, n);
        const QByteArray to = QFile::encodeName(candidate);
        if (nameTaken(to)) continue;
        // Never over a name that appeared meanwhile; a file system that
        // cannot promise that gets the check above alone.
        int r = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (r != 0 && (errno == EINVAL || errno == ENOSYS)) r = ::rename(from.constData(), to.constData());
        if (r == 0) return candidate;
        err = errno;
        if (err != EEXIST) break;
    }
    if (error) *error = errnoText(err);
    return std::nullopt;
}

std::optional<QString> writeTextFile(const QString& path, const QByteArray& bytes)
{
    // What could not be read is not ours to destroy: it goes aside first.
    if (openBounded(path, MaxTextFileBytes, false).refused()) {
        QString why;
        if (!moveAside(path, &why))
            return QStringLiteral("the file in its place cannot be read and cannot be moved aside: ") + why;
    }

    // Unbuffered, so that each write reaches the file system and reports
    // its own failure (a buffered write only fills memory, and an error of
    // the last flush is lost in the commit).
    QSaveFile f(path);
    const auto errorOr = [&f](const char* otherwise) {
        return f.error() != QFileDevice::NoError ? f.errorString() : QString::fromLatin1(otherwise);
    };
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return errorOr("cannot create the file");
    const auto fail = [&f](const QString& why) {
        // Nothing replaces the old file, and the temporary file goes.
        f.cancelWriting();
        f.commit();
        return why;
    };
    if (f.write(bytes) != bytes.size()) return fail(errorOr("the file could not be written whole"));
    // Some file systems report a lost write only here.
    if (::fsync(f.handle()) != 0 && errno != EINVAL && errno != EROFS) return fail(errnoText(errno));
    if (!f.commit()) return errorOr("the file could not be replaced");
    return std::nullopt;
}

std::optional<QString> writeTextLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toLatin1() + "\r\n";
    return writeTextFile(path, bytes);
}

void failWritesPastSizeLimit()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

std::optional<QString> lineValue(const QStringList& lines, const QString& name)
{
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0) return line.mid(eq + 1);
    }
    return std::nullopt;
}

bool fitsLatin1(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF) return false;
    return true;
}
