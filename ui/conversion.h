#pragma once
// Integer entry as the operator types it: leading blanks, an optional sign,
// decimal digits or hexadecimal after "$" or "0x", within 32 bits.

#include <QString>

#include <cstdint>
#include <optional>

std::optional<int32_t> StrToIntStrict(const QString& text);

// A plain decimal number as the files store it: an optional "-" and digits
// only, within 32 bits.
std::optional<int32_t> StrToDecimal(const QString& text);

// Converts, or reports "'<text>' is not a valid integer value" through the
// error report and gives nothing.
std::optional<int32_t> StrToIntOrReport(const QString& text);

// Seconds with at most one decimal, in tenths, as the fade edits take them:
// digits, then optionally "." or the locale's decimal separator with at
// most one digit after it ("2.5" is 25, "3" is 30, "2." is 20, ".5" is 5),
// blanks around allowed. Anything else (a second decimal, a sign, a count
// beyond 32 bits) gives nothing.
std::optional<uint32_t> SecondsInTenths(const QString& typed);
