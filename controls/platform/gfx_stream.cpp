#include "gfx_stream.h"

#include "gfx_exceptions.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void GfxReadBuffer(QIODevice& stream, void* buffer, qint64 count)
{
    if (count <= 0)
        return;
    if (stream.read(static_cast<char*>(buffer), count) != count)
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
}

void GfxWriteBuffer(QIODevice& stream, const void* buffer, qint64 count)
{
    if (count <= 0)
        return;
    if (stream.write(static_cast<const char*>(buffer), count) != count)
        throw EWriteError(QString::fromLatin1(GfxWriteErrorText));
}

qint64 GfxStreamRemaining(const QIODevice& stream)
{
    if (stream.isSequential())
        return -1;
    return std::max<qint64>(0, stream.size() - stream.pos());
}

QByteArray GfxReadBlock(QIODevice& stream, qint64 count)
{
    const qint64 remaining = GfxStreamRemaining(stream);
    if (count < 0 || (remaining >= 0 && count > remaining))
        throw EReadError(QString::fromLatin1(GfxReadErrorText));
    if (remaining >= 0) {
        QByteArray block(count, Qt::Uninitialized);
        GfxReadBuffer(stream, block.data(), count);
        return block;
    }
    constexpr qint64 piece = 65536;
    QByteArray block;
    while (block.size() < count) {
        const qint64 n = std::min(piece, count - block.size());
        const qsizetype at = block.size();
        block.resize(at + n);
        GfxReadBuffer(stream, block.data() + at, n);
    }
    return block;
}

void GfxSkipBuffer(QIODevice& stream, qint64 count)
{
    char piece[4096];
    while (count > 0) {
        const qint64 n = count < qint64(sizeof piece) ? count : qint64(sizeof piece);
        GfxReadBuffer(stream, piece, n);
        count -= n;
    }
}

void GfxOpenFile(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(GfxFormat(QStringLiteral("Cannot open file \"%s\". %s"), {file.fileName(), file.errorString()}));
}

void GfxOpenStoredFile(QFile& file, qint64 maxSize)
{
    auto refuse = [&](const QString& reason) {
        throw EFOpenError(GfxFormat(QStringLiteral("Cannot open file \"%s\". %s"), {file.fileName(), reason}));
    };
    if (!QFileInfo(file.fileName()).isNativePath()) {
        // A file built into the program (a resource) is always a plain file.
        if (!file.open(QIODevice::ReadOnly))
            refuse(file.errorString());
        if (file.size() > maxSize) {
            file.close();
            refuse(QStringLiteral("The file is larger than %1 bytes").arg(maxSize));
        }
        return;
    }
    // Opened without waiting (a pipe would wait for a writer), then looked
    // at through the open handle, so that what is checked is what is read.
    const QByteArray path = QFile::encodeName(file.fileName());
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        refuse(QStringLiteral("Not a regular file"));
    }
    if (info.st_size > maxSize) {
        ::close(fd);
        refuse(QStringLiteral("The file is larger than %1 bytes").arg(maxSize));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        refuse(file.errorString());
    }
}

void GfxCreateFile(QFile& file)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFCreateError(
            GfxFormat(QStringLiteral("Cannot create file \"%s\". %s"), {file.fileName(), file.errorString()}));
}

std::uint16_t GfxReadU16(QIODevice& stream)
{
    unsigned char b[2];
    GfxReadBuffer(stream, b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t GfxReadU32(QIODevice& stream)
{
    unsigned char b[4];
    GfxReadBuffer(stream, b, 4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
}

void GfxWriteU16(QIODevice& stream, std::uint16_t v)
{
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    GfxWriteBuffer(stream, b, 2);
}

void GfxWriteU32(QIODevice& stream, std::uint32_t v)
{
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    GfxWriteBuffer(stream, b, 4);
}
