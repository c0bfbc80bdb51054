// LZRW under the sanitizers: any block expands within its bounds or fails
// with the LZRW error, and any source survives compress then expand.
//
// Input: a mode byte (bit 0: expand a block, else round-trip a source), then
// for blocks two bytes of destination size (low byte first, 0 to 65535, so
// small destinations and every size in between are reached), then the body.
// fuzz_lzrw.options lifts libFuzzer's input limit past 64 KiB, so sources at
// and beyond the largest block are tried.
#include "gfx_lzrw.h"
#include "platform/gfx_exceptions.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];

    if (mode & 1) {
        if (size < 3)
            return 0;
        const std::size_t capacity = data[1] | (std::size_t{data[2]} << 8);
        const std::uint8_t* body = data + 3;
        const std::size_t n = size - 3;
        if (n > 0xFFFF)
            return 0;
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

    const std::size_t n = std::min<std::size_t>(size - 1, GfxCompressMaxSource);
    std::vector<std::uint8_t> src(data + 1, data + 1 + n);
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
