#pragma once
// The status names of the 16 output formats (OFMT 0 to 15): in master mode
// and in follow mode (following a reference input). Shared by the output
// page and the logo page, which names the format of the stored picture.

#include <QString>

#include <cstdint>
#include <optional>

namespace output_formats {

constexpr uint32_t Count = 16;

// Nothing for a code that names no format.
std::optional<QString> masterName(uint32_t ofmt);
std::optional<QString> followName(uint32_t ofmt);

}  // namespace output_formats
