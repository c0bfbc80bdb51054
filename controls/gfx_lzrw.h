#pragma once
// The LZRW block compressor and expander.
//
// Block: byte 0 is the flag, 64 compressed or 128 stored. A stored block is
// the flag and the source bytes. A compressed block is the flag, then groups
// of a 16-bit control word (high byte first, one bit per item, most
// significant first: 0 literal, 1 copy or run) and its up to 16 items:
//   literal  1 byte
//   copy     2 bytes (distance shl 4) + (length - 3), high byte first;
//            length 3..18 from distance 1..4095 back in the output
//   run      4 bytes 0, high and low byte of (count - 16), value;
//            count 16..4095
// The last control word's unused low bits are 0.

#include <cstddef>
#include <cstdint>
#include <span>

// Room that GfxCompress needs in its destination beyond the source length.
constexpr std::size_t GfxCompressSlack = 6;
// The longest source one block can hold: its stored form must still have a
// length that fits in 16 bits.
constexpr std::size_t GfxCompressMaxSource = 0xFFFE;

// Compresses n source bytes into dst, which must have room for
// n + GfxCompressSlack bytes; returns the block length (at most n + 1).
// Raises EInvalidPointer "LZRW Error!" when the hash table cannot be had or
// n exceeds GfxCompressMaxSource.
std::uint16_t GfxCompress(const std::uint8_t* src, std::uint8_t* dst, std::uint16_t n);

// The same with the sizes checked: dst must have room for
// src.size() + GfxCompressSlack bytes (else EInvalidPointer "LZRW Error!").
std::uint16_t GfxCompress(std::span<const std::uint8_t> src, std::span<std::uint8_t> dst);

// Looks for a match of at least 3 bytes at position p and enters p in the
// hash table (4096 entries, 0xFFFF empty). The match lies at most 4095 bytes
// back and is at most 18 bytes long.
bool GfxCompressMatch(const std::uint8_t* src, std::uint32_t p, std::uint32_t n,
                      std::uint32_t& matchPos, std::uint32_t& matchLen, std::uint16_t* table);

// Expands one block of len bytes into dst (dstCapacity bytes); returns the
// number of bytes produced. A block that reads past its length, copies from
// before the start of the output or would write past dstCapacity raises
// EInvalidPointer "LZRW Error!"; dst may then hold part of the output.
std::size_t GfxDecompress(const std::uint8_t* src, std::uint8_t* dst, std::uint16_t len,
                          std::size_t dstCapacity);
std::size_t GfxDecompress(std::span<const std::uint8_t> block, std::span<std::uint8_t> dst);
