#pragma once
// The texts that describe the input signal on the output and the seamless
// reference, computed from the device's measurements without any window.

#include <QString>

#include <cstdint>
#include <optional>

namespace inputstatus {

// The signal family measured on the input (IFAMM 0 to 27), as designed
// ("Black && white 50Hz"); empty for codes without a name.
QString familyName(uint32_t ifamm);
// The family of the reference (REFFAM 0 to 27), cut to the family ("PAL").
QString shortFamilyName(uint32_t reffam);
// What the output follows after a computer reference ("-> SVGA").
QString referenceOutputName(uint32_t reffam);
// A designed text as a label without a buddy shows it: "&&" is one "&".
QString labelText(const QString& designed);

// The line rate, "15KHz" (UNITY div ILDM); none while ILDM is 0.
std::optional<QString> lineRateText(uint32_t unity, uint32_t ildm);
// The frame rate, "59.94Hz": four significant digits for an interlaced
// signal, else three from 100 Hz up and two below; none while ILDM or IFDM
// is 0.
std::optional<QString> frameRateText(uint32_t unity, uint32_t ildm, uint32_t ifdm, bool interlaced);
// True when the integer rule gives exactly 50 Hz: (UNITY div ILDM) x 1000
// div IFDM = 50, with ILDM and IFDM not 0.
bool integerRateIs50(uint32_t unity, uint32_t ildm, uint32_t ifdm);

}  // namespace inputstatus
