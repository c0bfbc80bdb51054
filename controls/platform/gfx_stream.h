#pragma once
// Exact reads and writes on a stream (any QIODevice): the library's stored
// objects are read field by field, and a stream that ends early is an error,
// never a short value.

#include <QByteArray>
#include <QFile>
#include <QIODevice>

#include <cstdint>

// Reads exactly count bytes; EReadError "Stream read error" when the stream
// has fewer.
void GfxReadBuffer(QIODevice& stream, void* buffer, qint64 count);
// Writes exactly count bytes; EWriteError "Stream write error" when the
// stream takes fewer.
void GfxWriteBuffer(QIODevice& stream, const void* buffer, qint64 count);

// The bytes left between the position and the end; -1 for a sequential
// stream, whose end is not known in advance.
qint64 GfxStreamRemaining(const QIODevice& stream);

// Reads exactly count bytes into a new array. A count below 0, or beyond
// what a stream of known size still holds, is EReadError before anything is
// allocated; a sequential stream is read in pieces, so a false count fails
// when the stream ends rather than by allocating it.
QByteArray GfxReadBlock(QIODevice& stream, qint64 count);

// Reads past count bytes in small pieces (never holding them all);
// EReadError when the stream ends first.
void GfxSkipBuffer(QIODevice& stream, qint64 count);

// Opens the file for reading; EFOpenError "Cannot open file "<name>".
// <reason>" when it cannot.
void GfxOpenFile(QFile& file);
// Opens a stored file for reading, only when it is a regular file of at
// most maxSize bytes: a pipe, a device or a directory could block the
// reader or never end. Otherwise, or when it cannot be opened, EFOpenError
// "Cannot open file "<name>". <reason>".
void GfxOpenStoredFile(QFile& file, qint64 maxSize);
// Creates the file (emptied when it exists) for writing; EFCreateError
// "Cannot create file "<name>". <reason>" when it cannot.
void GfxCreateFile(QFile& file);

// Little-endian integers.
std::uint16_t GfxReadU16(QIODevice& stream);
std::uint32_t GfxReadU32(QIODevice& stream);
void GfxWriteU16(QIODevice& stream, std::uint16_t v);
void GfxWriteU32(QIODevice& stream, std::uint32_t v);
