#pragma once
// Where an output format (OFMT 0 to 15) stands in the two output format
// lists of the "Output" page: the master list (FAST mode without a
// reference) and the follow list (the output follows a reference input).

#include <cstdint>

namespace outputformats {

// Position p of the master list selects OFMT MasterFormat[p].
inline constexpr uint32_t MasterFormat[16] = {0, 1, 2, 3, 4, 13, 14, 5, 6, 7, 8, 15, 9, 10, 11, 12};
// The follow list's position of each OFMT.
inline constexpr int FollowPosition[16] = {0, 1, 2, 3, 6, 0, 1, 2, 3, 4, 5, 7, 8, 4, 5, 6};

// -1 for a format outside 0 to 15.
inline int masterPosition(uint32_t ofmt)
{
    for (int p = 0; p < 16; ++p)
        if (MasterFormat[p] == ofmt) return p;
    return -1;
}
inline int followPosition(uint32_t ofmt)
{
    return ofmt < 16 ? FollowPosition[ofmt] : -1;
}

}  // namespace outputformats
