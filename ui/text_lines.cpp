#include "text_lines.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
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

// Writes all the bytes: 0, or the error number of the write that failed.
int writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

// Opens without waiting (a FIFO with no writer would block a plain open)
// and checks the kind and the size before anything is read. `found`, when
// given, receives what the file's status says (its permission bits).
TextFile openBounded(const QByteArray& name, qint64 limit, struct stat* found = nullptr)
{
    TextFile out;
    if (name.isEmpty()) return out;
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
    if (found) *found = st;
    if (st.st_size > limit) {
        out.status = TextFile::Status::TooBig;
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

// Names go to the system as the bytes they are: a name that is no UTF-8
// (a folder named in Latin-1) would not survive a trip through QString.
QByteArray backupNameOf(const QByteArray& name, int n)
{
    return n == 0 ? name + ".bak" : name + '.' + QByteArray::number(n) + ".bak";
}

QByteArray folderOf(const QByteArray& name)
{
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

// The name of a new file beside `name`, random enough not to meet another.
QByteArray scratchNameBeside(const QByteArray& name)
{
    return name + '.' + QByteArray::number(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFFFull, 36);
}

// The file a name stands for: a symbolic link is followed to the file it
// names (which need not exist yet), so that a save through a link
// rewrites the file and the link stays.
QByteArray followLinks(const QByteArray& name)
{
    QByteArray at = name;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(at.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(at.constData(), target.data(), size_t(target.size()));
        if (n <= 0 || n >= target.size()) return name;
        target.truncate(n);
        const qsizetype slash = at.lastIndexOf('/');
        at = target.startsWith('/') || slash < 0 ? target : at.left(slash + 1) + target;
    }
    return name;  // a loop: the name as it is
}

// A new file beside another, written whole and flushed to the disk before
// it gets a name. It has no name at all where the file system allows
// (O_TMPFILE), so that a crash leaves nothing behind; elsewhere it has a
// temporary one, which every way out removes.
class NewFile {
public:
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile()
    {
        if (fd_ >= 0) ::close(fd_);
        if (!temp_.isEmpty()) ::unlink(temp_.constData());
    }

    // Writes the bytes into a new file in the folder of `beside`, with the
    // permission bits `mode` (those the system gives a new file when
    // none). The error text on failure.
    std::optional<QString> write(const QByteArray& beside, const QByteArray& bytes, std::optional<mode_t> mode)
    {
        fd_ = ::open(folderOf(beside).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            proc_ = "/proc/self/fd/" + QByteArray::number(fd_);
            if (::access(proc_.constData(), F_OK) != 0) {  // it could never be named
                ::close(fd_);
                fd_ = -1;
            }
        }
        for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
            proc_.clear();
            const QByteArray temp = scratchNameBeside(beside);
            fd_ = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (fd_ >= 0) temp_ = temp;
            else if (errno != EEXIST) return errnoText(errno);
        }
        if (fd_ < 0) return errnoText(EEXIST);
        if (mode && ::fchmod(fd_, *mode) != 0) return errnoText(errno);
        // A file-size limit or a full disk shows here (EFBIG, ENOSPC).
        if (const int err = writeAll(fd_, bytes)) return errnoText(err);
        // Some file systems report a lost write only here.
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) return errnoText(errno);
        return std::nullopt;
    }

    // Gives the file the name `name`, never replacing anything that holds
    // it: 0, or the error number (EEXIST when the name is taken).
    int linkTo(const QByteArray& name)
    {
        if (!proc_.isEmpty())
            return ::linkat(AT_FDCWD, proc_.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
        if (::link(temp_.constData(), name.constData()) == 0) return 0;
        if (errno == EEXIST) return EEXIST;
        // A file system without hard links: a rename that replaces nothing,
        int r = ::renameat2(AT_FDCWD, temp_.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE);
        // or, where even that is missing, the check just before.
        if (r != 0 && (errno == EINVAL || errno == ENOSYS)) {
            if (nameTaken(name)) return EEXIST;
            r = ::rename(temp_.constData(), name.constData());
        }
        if (r != 0) return errno;
        temp_.clear();
        return 0;
    }

    // Puts the file in the place of `name`, whatever is there, in one
    // step (a rename): 0, or the error number.
    int replace(const QByteArray& name)
    {
        if (temp_.isEmpty()) {
            // A rename needs a name to start from.
            int err = EEXIST;
            for (int attempt = 0; err == EEXIST && attempt < 100; ++attempt) {
                const QByteArray temp = scratchNameBeside(name);
                err = linkTo(temp);
                if (err == 0) temp_ = temp;
            }
            if (err != 0) return err;
        }
        if (::rename(temp_.constData(), name.constData()) != 0) return errno;
        temp_.clear();
        return 0;
    }

private:
    int fd_ = -1;
    QByteArray temp_;  // its temporary name, when it has one
    QByteArray proc_;  // where it can be reached while it has none
};

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
    return openBounded(QFile::encodeName(path), limit);
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
    return QFile::decodeName(backupNameOf(QFile::encodeName(path), n));
}

namespace {

// Renames the thing at `name`, whatever its kind, to its first free backup
// name, never over anything there. The new name, or nothing (`error` says
// why).
std::optional<QByteArray> moveAsideName(const QByteArray& name, QString* error)
{
    int err = EEXIST;
    for (int n = 0; n < MaxBackups; ++n) {
        const QByteArray to = backupNameOf(name, n);
        if (nameTaken(to)) continue;
        // Never over a name that appeared meanwhile; a file system that
        // cannot promise that gets the check above alone.
        int r = ::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (r != 0 && (errno == EINVAL || errno == ENOSYS)) r = ::rename(name.constData(), to.constData());
        if (r == 0) return to;
        err = errno;
        if (err != EEXIST) break;
    }
    if (error) *error = errnoText(err);
    return std::nullopt;
}

// Keeps a copy of `bytes`, the content of the file `name`, with its
// permission bits, under the first backup name that nothing holds when
// the copy takes it: a name taken meanwhile (another panel keeping the
// same file) is left alone and the next one is taken. The error text on
// failure; `keptAs` receives the name.
std::optional<QString> keepCopy(const QByteArray& name, const QByteArray& bytes, mode_t mode, QByteArray& keptAs)
{
    const auto failed = [&name](int n, const QString& why) {
        return QStringLiteral("the file it replaces could not be kept as \"%1\": %2")
            .arg(QFile::decodeName(backupNameOf(name, n)), why);
    };
    const auto firstFree = [&name] {
        int n = 0;
        while (n < MaxBackups - 1 && nameTaken(backupNameOf(name, n))) ++n;
        return n;
    };
    NewFile copy;
    if (const std::optional<QString> why = copy.write(name, bytes, mode)) return failed(firstFree(), *why);
    for (int n = 0; n < MaxBackups; ++n) {
        const int err = copy.linkTo(backupNameOf(name, n));
        if (err == 0) {
            keptAs = backupNameOf(name, n);
            return std::nullopt;
        }
        if (err != EEXIST) return failed(n, errnoText(err));
    }
    return QStringLiteral("the file it replaces could not be kept: no backup name is free");
}

// A file that is a mount point (a single file bound over its name) is
// never replaced by a rename: `target` is written where it is, its content
// kept under a backup name of `name` first (unless that is done already),
// as a write cut short there damages it. Each step is checked.
std::optional<QString> writeInPlace(const QByteArray& target, const QByteArray& name, const TextFile& there, mode_t mode,
                                    const QByteArray& bytes, QByteArray keptAs)
{
    if (there.status == TextFile::Status::Ok && there.bytes == bytes) return std::nullopt;  // holds them already
    if (keptAs.isEmpty() && there.status == TextFile::Status::Ok) {
        if (const std::optional<QString> why = keepCopy(name, there.bytes, mode, keptAs)) return why;
    }
    const auto failed = [&keptAs](int err) {
        const QString why = errnoText(err);
        if (keptAs.isEmpty()) return QStringLiteral("it could not be written in place: ") + why;
        return QStringLiteral("it could not be written in place (its old content is kept as \"%1\"): %2")
            .arg(QFile::decodeName(keptAs), why);
    };
    Fd f;
    do {
        f.fd = ::open(target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (f.fd < 0 && errno == EINTR);
    if (f.fd < 0) return failed(errno);
    if (::ftruncate(f.fd, 0) != 0) return failed(errno);
    if (const int err = writeAll(f.fd, bytes)) return failed(err);
    if (::fsync(f.fd) != 0 && errno != EINVAL) return failed(errno);
    const int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0 && errno != EINTR) return failed(errno);
    return std::nullopt;
}

}  // namespace

std::optional<QString> moveAside(const QString& path, QString* error)
{
    const std::optional<QByteArray> to = moveAsideName(QFile::encodeName(path), error);
    if (!to) return std::nullopt;
    return QFile::decodeName(*to);
}

std::optional<QString> writeTextFile(const QString& path, const QByteArray& bytes, Replaced old)
{
    if (path.isEmpty()) return QStringLiteral("no file name");
    // Backups are named after the name given; the file written is the one
    // it stands for.
    const QByteArray name = QFile::encodeName(path);
    QByteArray target = followLinks(name);
    struct stat st {};
    TextFile there = openBounded(target, MaxTextFileBytes, &st);
    const mode_t mode = st.st_mode & 0777;
    if (there.refused()) {
        // What could not be read is not ours to destroy: it goes aside
        // whole first (a link to it, the link).
        QString why;
        if (!moveAsideName(name, &why))
            return QStringLiteral("the file in its place cannot be read and cannot be moved aside: ") + why;
        target = name;
        there.status = TextFile::Status::Missing;
    } else if (there.status == TextFile::Status::Ok &&
               ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
        // Its owner keeps it as it is.
        return errno == EACCES ? QStringLiteral("the file is read-only") : errnoText(errno);
    }
    const bool exists = there.status == TextFile::Status::Ok;

    // The new file first, whole on the disk: a full disk or a size limit
    // stops the save before anything is kept or replaced.
    NewFile file;
    if (const std::optional<QString> why = file.write(target, bytes, exists ? std::optional<mode_t>(mode) : std::nullopt))
        return why;
    QByteArray keptAs;
    if (old == Replaced::Kept && exists) {
        if (const std::optional<QString> why = keepCopy(name, there.bytes, mode, keptAs)) return why;
    }
    const int err = file.replace(target);
    if (err == EBUSY) return writeInPlace(target, name, there, mode, bytes, keptAs);
    if (err != 0) {
        // The file is still there as it was, so its copy goes again: a
        // file that can never be replaced does not gain one per save.
        if (!keptAs.isEmpty()) ::unlink(keptAs.constData());
        return errnoText(err);
    }
    return std::nullopt;
}

std::optional<QString> writeTextLines(const QString& path, const QStringList& lines, Replaced old)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toLatin1() + "\r\n";
    return writeTextFile(path, bytes, old);
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

bool storableChar(QChar c)
{
    const char16_t u = c.unicode();
    return u <= 0xFF && u >= 0x20 && !(u >= 0x7F && u <= 0x9F);
}

bool storableText(const QString& text)
{
    return std::all_of(text.begin(), text.end(), storableChar);
}

QString shownText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            out += QStringLiteral("[U+%1]").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString unstorableMessage(const QString& text, const QString& file)
{
    return QStringLiteral("\"%1\" cannot be stored: %2 holds only Western European (Latin-1) letters, digits and "
                          "signs, without line breaks, tabs or other control characters.")
        .arg(shownText(text), file);
}
