#include "store_timing.h"

#include "conversion.h"
#include "custom_files.h"
#include "window_state.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace store_timing {

namespace {

using Wide = __int128;

constexpr int64_t HundredthsPerChunk = 6553600;  // 100 x 65,536

Wide pictureBytes(uint32_t pixels, uint32_t lines)
{
    return Wide(pixels) * Wide(lines) * 3;
}

QString fileName()
{
    return QString::fromLatin1(StoreTimingFile);
}

}  // namespace

std::optional<int64_t> measuredSpeed(int64_t ticks, uint32_t pixels, uint32_t lines)
{
    const Wide bytes = pictureBytes(pixels, lines);
    if (ticks < 1 || bytes == 0) return std::nullopt;
    return int64_t(Wide(ticks - 1) * HundredthsPerChunk / bytes);
}

int32_t expectedSeconds(uint32_t pixels, uint32_t lines, int64_t speed)
{
    const Wide seconds = (pictureBytes(pixels, lines) >> 16) * Wide(speed) / 100 + 1;
    return int32_t(std::clamp<Wide>(seconds, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void write(int64_t speed)
{
    CustomFiles::writeLines(fileName(), {QString::number(speed)});
}

int32_t calcul_temps(uint32_t pixels, uint32_t lines)
{
    std::optional<QStringList> read = CustomFiles::readLines(fileName());
    if (!read) {
        read = QStringList{QString::number(DefaultSpeed)};
        CustomFiles::writeLines(fileName(), *read);
    }
    const std::optional<int32_t> speed = read->isEmpty() ? std::nullopt : StrToDecimal(read->first());
    if (!speed) return DefaultSeconds;
    return expectedSeconds(pixels, lines, *speed);
}

}  // namespace store_timing
