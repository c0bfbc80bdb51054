#include "gfx_lzrw.h"

#include "platform/gfx_exceptions.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr std::uint8_t kFlagCompressed = 64;
constexpr std::uint8_t kFlagStored = 128;
constexpr std::uint16_t kEmpty = 0xFFFF;
constexpr std::size_t kTableSize = 4096;

[[noreturn]] void LzrwError() { throw EInvalidPointer(QString::fromLatin1(GfxLzrwErrorText)); }

}  // namespace

bool GfxCompressMatch(const std::uint8_t* src, std::uint32_t p, std::uint32_t n,
                      std::uint32_t& matchPos, std::uint32_t& matchLen, std::uint16_t* table)
{
    // Fewer than 3 bytes left: no match, and the hash would read past the end.
    if (p + 2 >= n)
        return false;
    std::uint32_t h = ((static_cast<std::uint32_t>(src[p]) << 4) ^ src[p + 1]) << 4;
    h ^= src[p + 2];
    h = ((h * 40543u) >> 4) & 0xFFF;

    bool found = false;
    const std::uint16_t entry = table[h];
    if (entry != kEmpty) {
        // Taken as a signed 16-bit number: a candidate at 32768 or above is
        // never near enough.
        const std::int32_t c = static_cast<std::int16_t>(entry);
        if (static_cast<std::int64_t>(p) - c < 4096 && c >= 0) {
            std::uint32_t len = 0;
            while (len < 18 && p + len < n && src[p + len] == src[c + len])
                ++len;
            if (len >= 3) {
                matchPos = static_cast<std::uint32_t>(c);
                matchLen = len;
                found = true;
            }
        }
    }
    table[h] = static_cast<std::uint16_t>(p);
    return found;
}

std::uint16_t GfxCompress(const std::uint8_t* src, std::uint8_t* dst, std::uint16_t n)
{
    if (n > GfxCompressMaxSource)
        LzrwError();
    std::unique_ptr<std::uint16_t[]> table(new (std::nothrow) std::uint16_t[kTableSize]);
    if (!table)
        LzrwError();
    for (std::size_t i = 0; i < kTableSize; ++i)
        table[i] = kEmpty;

    dst[0] = kFlagCompressed;
    std::size_t controlPos = 1;
    std::size_t out = 3;
    unsigned items = 0;
    std::uint32_t control = 0;
    std::uint32_t p = 0;

    while (p < n && out <= n) {
        if (items == 16) {
            dst[controlPos] = static_cast<std::uint8_t>(control >> 8);
            dst[controlPos + 1] = static_cast<std::uint8_t>(control);
            controlPos = out;
            out += 2;
            items = 0;
            control = 0;
        }
        std::uint32_t run = 1;
        while (run < 4095 && p + run < n && src[p + run] == src[p])
            ++run;
        if (run >= 16) {
            const std::uint32_t count = run - 16;
            dst[out] = 0;
            dst[out + 1] = static_cast<std::uint8_t>(count >> 8);
            dst[out + 2] = static_cast<std::uint8_t>(count);
            dst[out + 3] = src[p];
            out += 4;
            control = ((control << 1) | 1) & 0xFFFF;
            p += run;
        } else {
            std::uint32_t m = 0;
            std::uint32_t len = 0;
            if (GfxCompressMatch(src, p, n, m, len, table.get())) {
                const std::uint32_t item = ((p - m) << 4) + (len - 3);
                dst[out] = static_cast<std::uint8_t>(item >> 8);
                dst[out + 1] = static_cast<std::uint8_t>(item);
                out += 2;
                control = ((control << 1) | 1) & 0xFFFF;
                p += len;
            } else {
                dst[out] = src[p];
                out += 1;
                control = (control << 1) & 0xFFFF;
                p += 1;
            }
        }
        ++items;
    }
    control = (control << (16 - items)) & 0xFFFF;
    dst[controlPos] = static_cast<std::uint8_t>(control >> 8);
    dst[controlPos + 1] = static_cast<std::uint8_t>(control);

    if (out > n) {
        dst[0] = kFlagStored;
        if (n > 0)
            std::memmove(dst + 1, src, n);
        out = static_cast<std::size_t>(n) + 1;
    }
    return static_cast<std::uint16_t>(out);
}

std::uint16_t GfxCompress(std::span<const std::uint8_t> src, std::span<std::uint8_t> dst)
{
    if (src.size() > GfxCompressMaxSource || dst.size() < src.size() + GfxCompressSlack)
        LzrwError();
    return GfxCompress(src.data(), dst.data(), static_cast<std::uint16_t>(src.size()));
}

std::size_t GfxDecompress(const std::uint8_t* src, std::uint8_t* dst, std::uint16_t len,
                          std::size_t dstCapacity)
{
    if (len == 0)
        LzrwError();
    if (src[0] == kFlagStored) {
        const std::size_t n = len - 1u;
        if (n > dstCapacity)
            LzrwError();
        if (n > 0)
            std::memcpy(dst, src + 1, n);
        return n;
    }
    if (len <= 3)
        return 0;

    std::uint32_t control = (static_cast<std::uint32_t>(src[1]) << 8) | src[2];
    unsigned bitsLeft = 16;
    std::size_t pos = 3;
    std::size_t out = 0;
    for (;;) {
        if (bitsLeft == 0) {
            if (pos + 2 > len)
                LzrwError();
            control = (static_cast<std::uint32_t>(src[pos]) << 8) | src[pos + 1];
            pos += 2;
            bitsLeft = 16;
        }
        if (control & 0x8000) {
            if (pos + 2 > len)
                LzrwError();
            const std::size_t d = (static_cast<std::size_t>(src[pos]) << 4) | (src[pos + 1] >> 4);
            if (d != 0) {
                const std::size_t count = (src[pos + 1] & 15u) + 3u;
                if (d > out || count > dstCapacity - out)
                    LzrwError();
                // Byte by byte: a copy may overlap the bytes it produces.
                for (std::size_t i = 0; i < count; ++i, ++out)
                    dst[out] = dst[out - d];
                pos += 2;
            } else {
                if (pos + 4 > len)
                    LzrwError();
                const std::size_t count =
                    ((static_cast<std::size_t>(src[pos + 1]) << 8) | src[pos + 2]) + 16u;
                if (count > dstCapacity - out)
                    LzrwError();
                std::memset(dst + out, src[pos + 3], count);
                out += count;
                pos += 4;
            }
        } else {
            if (pos + 1 > len || out >= dstCapacity)
                LzrwError();
            dst[out++] = src[pos];
            pos += 1;
        }
        control = (control << 1) & 0xFFFF;
        --bitsLeft;
        if (pos >= len)
            return out;
    }
}

std::size_t GfxDecompress(std::span<const std::uint8_t> block, std::span<std::uint8_t> dst)
{
    if (block.size() > 0xFFFF)
        LzrwError();
    return GfxDecompress(block.data(), dst.data(), static_cast<std::uint16_t>(block.size()),
                         dst.size());
}
