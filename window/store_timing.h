#pragma once
// The store-timing file "zeph350logo.ini": one line holding the measured
// logo-storing speed, in hundredths of a status-timer tick per 65,536 bytes
// of picture (3 bytes per pixel). A completed capture writes it; the store
// gauge is sized from it.
//
// Everything is computed in 64 bits or more: a 32-bit product of the ticks
// and 6,553,600 overflows after about 328 ticks.

#include <cstdint>
#include <optional>

namespace store_timing {

// What the file holds when it is missing or unreadable, and what a store is
// expected to take when the file's line is not a number.
constexpr int32_t DefaultSpeed = 240;
constexpr int32_t DefaultSeconds = 240;

// The speed measured by a store of `ticks` timer ticks of a picture of
// `pixels` x `lines`: ((ticks - 1) x 6,553,600) div (pixels x lines x 3).
// Nothing for a store that took no tick or a picture of no bytes.
std::optional<int64_t> measuredSpeed(int64_t ticks, uint32_t pixels, uint32_t lines);

// The seconds a store of such a picture is expected to take at `speed`:
// ((pixels x lines x 3) shr 16) x speed div 100 + 1, limited to 32 bits.
int32_t expectedSeconds(uint32_t pixels, uint32_t lines, int64_t speed);

// Writes the speed as the file's only line (a write error is ignored).
void write(int64_t speed);

// Reads the speed and gives the expected seconds for the picture. A file
// that cannot be read is created with "240" (a write error is ignored) and
// read as 240; a first line that is not a number gives DefaultSeconds.
int32_t calcul_temps(uint32_t pixels, uint32_t lines);

}  // namespace store_timing
