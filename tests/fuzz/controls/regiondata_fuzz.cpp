// Stored region data under the sanitizers: a region mask reads any bytes
// as its "RegionData" or a border bitmap and either refuses them with a
// stored-data error or takes them; taken region data writes back the same
// bytes and gives a region that stays inside its rectangle. Stored point
// lists and outline settings build regions inside their rectangle too.
//
// Stored point lists are read up to and past their bounds (points, the
// polygon's work and its rectangles): past them reading is refused with a
// stored-data error and leaves no points; within them the region stays
// inside the bounds.
//
// Input: a mode byte; then for mode 0 the declared RegionDataSize (4 bytes,
// little-endian, signed) and the stream; for mode 1 a border bitmap's
// stream (flag and bitmap); for mode 2 the outline settings (shape, side,
// corners, bubbles, shadow, width, height: 7 bytes) and a point list of
// 32-bit pairs (as many as the input holds); for mode 3 a generated point
// list, so that a short input reaches lists of any length: the count (2
// bytes), the first point (two 16-bit values) and the steps from each
// point to the next (16-bit pairs, used in turn).
#include "gfx_regions.h"
#include "stored_refusals.h"

#include <QBuffer>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void CheckInside(const std::optional<TGfxRgn>& region, const TRect& rect)
{
    if (!region)
        return;
    TGfxRgn beyond;
    if (beyond.Combine(*region, TGfxRgn::Rect(rect), RGN_DIFF) != NULLREGION)
        std::abort();
}

void RegionData(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return;
    TGfxRegionMask mask;
    mask.SetRegionDataSize(qFromLittleEndian<std::int32_t>(data));
    QBuffer in;
    in.setData(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(size - 4));
    in.open(QIODevice::ReadOnly);
    try {
        mask.ReadRegionData(in);
    } catch (const Exception& e) {
        if (!StoredDataRefusal(e) || mask.RegionDataSize() != 0)
            std::abort();
        return;
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    mask.WriteRegionData(out);
    if (out.data() != mask.RegionData() || mask.RegionData().size() != mask.RegionDataSize())
        std::abort();
    TGfxRegion region;
    region.SetMask(mask);
    region.SetShape(rsBitmap);
    const TRect rect{3, 2, 300, 200};
    const auto& built = region.BuildRegion(rect);
    if (!built)
        std::abort();  // valid data always makes a region
    CheckInside(built, rect);
}

void BorderBitmap(const std::uint8_t* data, std::size_t size)
{
    TGfxRegionMask mask;
    QBuffer in;
    in.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    in.open(QIODevice::ReadOnly);
    try {
        mask.ReadBorder(in, bbBorderDown);
    } catch (const Exception& e) {
        if (!StoredDataRefusal(e))
            std::abort();
    }
}

// Reads the list: false when it was refused (as stored data is), and then
// no point was taken; a list taken keeps to the bounds.
bool ReadPoints(TGfxRegion& region, const std::vector<std::int32_t>& values)
{
    try {
        region.ReadPointList(values);
    } catch (const Exception& e) {
        if (!StoredDataRefusal(e) || region.Points().Count() != 0 || !region.RegionData().isEmpty())
            std::abort();
        return false;
    }
    if (region.Points().Count() != static_cast<int>(values.size() / 2) ||
        region.Points().Count() > GfxMaxStoredPoints || region.RegionData().size() > 32 + 16 * qsizetype{GfxMaxPointListRects})
        std::abort();
    return true;
}

void Outline(const std::uint8_t* data, std::size_t size)
{
    if (size < 7)
        return;
    TGfxRegion region;
    std::vector<std::int32_t> values;
    for (std::size_t at = 7; at + 4 <= size; at += 4)
        values.push_back(qFromLittleEndian<std::int32_t>(data + at));
    if (!ReadPoints(region, values))
        return;
    region.SetShape(static_cast<TGfxRegionShape>(data[0] % (rsPointList + 1)));
    region.SetExtPos(static_cast<TGfxExtPos>(data[1] % 8));
    region.SetRoundX(static_cast<std::int8_t>(data[2]) * 4);
    region.SetRoundY(static_cast<std::int8_t>(data[2] >> 4) * 9);
    region.SetBubbleCount(data[3]);
    region.Shadow().SetStyle(static_cast<TGfxShadowStyle>(data[4] % 3));
    region.Shadow().SetDepth(data[4] >> 2);
    const TRect rect{-5, 7, -5 + (data[5] & 0x7F), 7 + (data[6] & 0x7F)};
    CheckInside(region.BuildRegion(rect), rect);
}

void GeneratedList(const std::uint8_t* data, std::size_t size)
{
    if (size < 10)
        return;
    const int count = qFromLittleEndian<std::uint16_t>(data);
    std::int32_t x = qFromLittleEndian<std::int16_t>(data + 2);
    std::int32_t y = qFromLittleEndian<std::int16_t>(data + 4);
    const std::size_t steps = (size - 6) / 4;
    std::vector<std::int32_t> values;
    values.reserve(2 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        values.push_back(x);
        values.push_back(y);
        const std::uint8_t* step = data + 6 + 4 * (static_cast<std::size_t>(i) % steps);
        x += qFromLittleEndian<std::int16_t>(step);
        y += qFromLittleEndian<std::int16_t>(step + 2);
    }
    TGfxRegion region;
    if (!ReadPoints(region, values))
        return;
    region.SetShape(rsPointList);
    const TRect rect{0, 0, 500, 400};
    CheckInside(region.BuildRegion(rect), rect);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    switch (data[0] % 4) {
    case 0: RegionData(data + 1, size - 1); break;
    case 1: BorderBitmap(data + 1, size - 1); break;
    case 2: Outline(data + 1, size - 1); break;
    default: GeneratedList(data + 1, size - 1); break;
    }
    return 0;
}
