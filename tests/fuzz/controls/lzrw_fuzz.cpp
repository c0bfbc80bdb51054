// LZRW under the sanitizers: any block expands within its bounds or fails
// with the LZRW error, and any source survives compress then expand.
#include "gfx_lzrw.h"
#include "platform/gfx_exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];
    const std::uint8_t* body = data + 1;
    const std::size_t n = std::min<std::size_t>(size - 1, GfxCompressMaxSource);

    if (mode & 1) {
        // A block as read from a stream, into a destination of a size the
        // input chooses (up to 64 KiB).
        if (n > 0xFFFF)
            return 0;
        const std::size_t capacity = (static_cast<std::size_t>(mode) << 8) % 65536;
        std::vector<std::uint8_t> block(body, body + n);
        std::vector<std::uint8_t> out(capacity);
        try {
            const std::size_t produced = GfxDecompress(block, out);
            if (produced > capacity)
                std::abort();
        } catch (const EInvalidPointer&) {
        }
        return 0;
    }

    std::vector<std::uint8_t> src(body, body + n);
    std::vector<std::uint8_t> block(n + GfxCompressSlack);
    const std::uint16_t len = GfxCompress(src, block);
    if (len > n + 1)
        std::abort();
    block.resize(len);
    std::vector<std::uint8_t> back(n);
    const std::size_t produced = GfxDecompress(block, back);
    if (produced != n || (n > 0 && std::memcmp(back.data(), src.data(), n) != 0))
        std::abort();
    return 0;
}
