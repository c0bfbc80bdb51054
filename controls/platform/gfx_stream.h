#pragma once
// Exact reads and writes on a stream (any QIODevice): the library's stored
// objects are read field by field, and a stream that ends early is an error,
// never a short value.

#include <QIODevice>

#include <cstdint>

// Reads exactly count bytes; EReadError "Stream read error" when the stream
// has fewer.
void GfxReadBuffer(QIODevice& stream, void* buffer, qint64 count);
// Writes exactly count bytes; EWriteError "Stream write error" when the
// stream takes fewer.
void GfxWriteBuffer(QIODevice& stream, const void* buffer, qint64 count);

// Reads past count bytes in small pieces (never holding them all);
// EReadError when the stream ends first.
void GfxSkipBuffer(QIODevice& stream, qint64 count);

// Little-endian integers.
std::uint16_t GfxReadU16(QIODevice& stream);
std::uint32_t GfxReadU32(QIODevice& stream);
void GfxWriteU16(QIODevice& stream, std::uint16_t v);
void GfxWriteU32(QIODevice& stream, std::uint32_t v);
