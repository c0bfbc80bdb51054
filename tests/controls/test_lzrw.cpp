// The LZRW block format: exact blocks, round trips and corrupt blocks.
#include "gfx_lzrw.h"
#include "platform/gfx_exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Compress(const Bytes& src)
{
    Bytes dst(src.size() + GfxCompressSlack);
    const std::uint16_t len = GfxCompress(src, dst);
    dst.resize(len);
    return dst;
}

Bytes Expand(const Bytes& block, std::size_t capacity)
{
    Bytes out(capacity);
    const std::size_t n = GfxDecompress(block, out);
    out.resize(n);
    return out;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes r;
    for (const auto& p : parts)
        r.insert(r.end(), p.begin(), p.end());
    return r;
}

Bytes Repeat(std::uint8_t v, std::size_t n) { return Bytes(n, v); }

struct VectorCase {
    const char* name;
    Bytes source;
    Bytes block;
};

Bytes Distinct(std::size_t n)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i);
    return b;
}

std::vector<VectorCase> VectorCases()
{
    return {
        {"empty source is a 1-byte stored block", {}, {128}},
        {"100 equal bytes are one run", Repeat('A', 100), {64, 0x80, 0x00, 0, 0, 84, 'A'}},
        {"20 distinct bytes are stored", Distinct(20), Concat({{128}, Distinct(20)})},
        {"abc four times is three literals and one copy", Text("abcabcabcabc"),
         {64, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x36}},
        // The longest run is 4095 bytes; one more byte is a literal.
        {"run of 4095", Repeat('v', 4095), {64, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'v'}},
        {"run of 4096", Repeat('v', 4096), {64, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'v', 'v'}},
        // "xyz", a run that leaves the hash table alone, then "xyz" again
        // 4095 bytes after the first: a copy of distance 4095...
        {"copy at distance 4095", Concat({Text("xyz"), Repeat('a', 4092), Text("xyz")}),
         {64, 0x18, 0x00, 'x', 'y', 'z', 0x00, 0x0F, 0xEC, 'a', 0xFF, 0xF0}},
        // ...while 4096 bytes back is too far: literals.
        {"no copy at distance 4096", Concat({Text("xyz"), Repeat('a', 4093), Text("xyz")}),
         {64, 0x10, 0x00, 'x', 'y', 'z', 0x00, 0x0F, 0xED, 'a', 'x', 'y', 'z'}},
        // Fifteen equal bytes are no run: a literal and copies from distance 1.
        {"fifteen equal bytes", Repeat('q', 15), {64, 0x40, 0x00, 'q', 0x00, 0x1B}},
    };
}

TEST(Lzrw, ExactBlocks)
{
    for (const auto& c : VectorCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Compress(c.source), c.block);
        EXPECT_EQ(Expand(c.block, c.source.size()), c.source);
    }
}

// Inputs of the kinds the property stream sees: random bytes, few symbols,
// runs mixed with text.
Bytes Generate(int kind, std::size_t n, std::mt19937& rng)
{
    Bytes b(n);
    switch (kind) {
    case 0:  // large alphabet
        for (auto& x : b)
            x = static_cast<std::uint8_t>(rng());
        break;
    case 1:  // small alphabet
        for (auto& x : b)
            x = static_cast<std::uint8_t>('a' + rng() % 3);
        break;
    case 2: {  // runs of random length, some long
        std::size_t i = 0;
        while (i < n) {
            const std::size_t len = std::min<std::size_t>(n - i, 1 + rng() % (rng() % 4 == 0 ? 5000 : 20));
            const auto v = static_cast<std::uint8_t>(rng() % 4);
            for (std::size_t k = 0; k < len; ++k)
                b[i++] = v;
        }
        break;
    }
    default:  // repeated phrases with noise
        for (std::size_t i = 0; i < n; ++i)
            b[i] = (rng() % 16 == 0) ? static_cast<std::uint8_t>(rng()) : "the quick fox "[i % 14];
        break;
    }
    return b;
}

void ExpectRoundTrip(const Bytes& src)
{
    const Bytes block = Compress(src);
    ASSERT_LE(block.size(), src.size() + 1);
    ASSERT_TRUE(block[0] == 64 || block[0] == 128);
    EXPECT_EQ(Expand(block, src.size()), src);
}

TEST(Lzrw, RoundTripLengths0To600)
{
    std::mt19937 rng(1234);
    for (int kind = 0; kind < 4; ++kind)
        for (std::size_t n = 0; n <= 600; ++n) {
            SCOPED_TRACE("kind " + std::to_string(kind) + " length " + std::to_string(n));
            ExpectRoundTrip(Generate(kind, n, rng));
            if (HasFatalFailure())
                return;
        }
}

TEST(Lzrw, RoundTripLongSources)
{
    std::mt19937 rng(99);
    for (std::size_t n : {32768u, 32769u, 32781u, 40000u, 65534u})
        for (int kind = 0; kind < 4; ++kind) {
            SCOPED_TRACE("kind " + std::to_string(kind) + " length " + std::to_string(n));
            ExpectRoundTrip(Generate(kind, n, rng));
        }
}

TEST(Lzrw, LongSourceStillCompressesRepetition)
{
    // Candidates at 32768 and above never qualify, but runs still do.
    const Bytes src = Repeat(7, 40000);
    const Bytes block = Compress(src);
    EXPECT_EQ(block[0], 64);
    EXPECT_LT(block.size(), 100u);
}

TEST(Lzrw, CompressRefusesTooSmallDestinationAndTooLongSource)
{
    Bytes src(10, 1);
    Bytes small(15);
    EXPECT_THROW(GfxCompress(src, small), EInvalidPointer);
    Bytes huge(65535, 0);
    Bytes dst(huge.size() + GfxCompressSlack);
    try {
        GfxCompress(huge, dst);
        FAIL() << "a 65535-byte source cannot have a stored block length in 16 bits";
    } catch (const EInvalidPointer& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("LZRW Error!"));
    }
}

struct CorruptCase {
    const char* name;
    Bytes block;
    std::size_t capacity;
};

TEST(Lzrw, CorruptBlocksFailCleanly)
{
    Bytes sixteenLiterals = Concat({{64, 0x00, 0x00}, Repeat('k', 16), {0x00}});
    const std::vector<CorruptCase> cases = {
        {"empty block", {}, 10},
        {"stored block larger than the destination", {128, 1, 2, 3}, 2},
        {"copy before the start of the output", {64, 0x80, 0x00, 0x00, 0x10}, 10},
        {"copy further back than the output", {64, 0x20, 0x00, 'a', 'b', 0x00, 0x50}, 10},
        {"copy item cut short", {64, 0x80, 0x00, 0x01}, 10},
        {"run item cut short", {64, 0x80, 0x00, 0x00, 0x00, 0x00}, 100},
        {"run past the destination", {64, 0x80, 0x00, 0x00, 0xFF, 0xFF, 'x'}, 100},
        {"copy past the destination", {64, 0x40, 0x00, 'a', 0x00, 0x1F}, 10},
        {"literal past the destination", {64, 0x00, 0x00, 'a', 'b'}, 1},
        {"control word cut short", sixteenLiterals, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes out(c.capacity);
        try {
            GfxDecompress(c.block, out);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidPointer& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("LZRW Error!"));
        }
    }
}

TEST(Lzrw, ShortCompressedBlocksGiveNothing)
{
    for (const Bytes& block : {Bytes{64}, Bytes{64, 0}, Bytes{64, 0x80, 0x00}}) {
        Bytes out(4);
        EXPECT_EQ(GfxDecompress(block, out), 0u);
    }
}

TEST(Lzrw, OverlappingCopyRepeatsTheLastBytes)
{
    // 'a','b' then a copy of 9 bytes from distance 2.
    const Bytes block = {64, 0x20, 0x00, 'a', 'b', 0x00, 0x26};
    EXPECT_EQ(Expand(block, 11), Text("ababababab" "a"));
}

}  // namespace
