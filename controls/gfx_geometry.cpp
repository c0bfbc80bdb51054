#include "gfx_geometry.h"

#include "platform/gfx_platform.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <numbers>

void GfxScaleRectToFit(const TRect& source, const TRect& target, TRect& result)
{
    const long double sw = source.Width();
    const long double sh = source.Height();
    const long double fx = sw != 0 ? target.Width() / sw : 0;
    const long double fy = sh != 0 ? target.Height() / sh : 0;
    long double factor = 0;
    if (sw != 0 && sh != 0)
        factor = std::min(fx, fy);
    else if (sw != 0)
        factor = fx;
    else if (sh != 0)
        factor = fy;
    result = TRect{0, 0, GfxRoundExt(sw * factor), GfxRoundExt(sh * factor)};
    GfxOffsetRect(result, target.Left, target.Top);
}

void GfxRectSize(const TRect& r, int& width, int& height)
{
    width = r.Width();
    height = r.Height();
}

bool GfxRectInRect(const TRect& inner, const TRect& outer)
{
    return GfxPtInRect(outer, TPoint{inner.Left, inner.Top}) &&
           GfxPtInRect(outer, TPoint{inner.Right, inner.Bottom});
}

void GfxRotatedRectBounds(TRect& r, int angle)
{
    if (angle == 0)
        return;
    const long double theta = angle * std::numbers::pi_v<long double> / 180.0L;
    const int a = r.Width() / 2;
    const int b = r.Height() / 2;
    const int cx = r.Left + a;
    const int cy = r.Top + b;
    const long double s = std::sin(theta);
    const long double c = std::cos(theta);
    const int u = GfxRoundExt(a * c - b * s);
    const int v = GfxRoundExt(a * c + b * s);
    const int w = GfxRoundExt(a * s - b * c);
    const int z = GfxRoundExt(a * s + b * c);
    const int xs[4] = {cx - u, cx - v, cx + v, cx + u};
    const int ys[4] = {cy + w, cy + z, cy - z, cy - w};
    const int left = *std::min_element(xs, xs + 4);
    const int right = *std::max_element(xs, xs + 4);
    const int top = *std::min_element(ys, ys + 4);
    const int bottom = *std::max_element(ys, ys + 4);
    r = TRect{0, 0, right - left, bottom - top};
}

namespace {
// The last index to visit: highIndex, but never past the array's end.
std::ptrdiff_t LastIndex(std::size_t size, int highIndex)
{
    return std::min<std::ptrdiff_t>(highIndex, static_cast<std::ptrdiff_t>(size) - 1);
}

template <class T, class Better>
T Extreme(std::span<const T> values, int highIndex, Better better)
{
    if (values.empty())
        return T{};
    T result = values[0];
    for (std::ptrdiff_t i = 1; i <= LastIndex(values.size(), highIndex); ++i)
        if (better(values[i], result))
            result = values[i];
    return result;
}
}  // namespace

void GfxOffsetPoints(std::span<TPoint> points, int highIndex, int dx, int dy)
{
    for (std::ptrdiff_t i = 0; i <= LastIndex(points.size(), highIndex); ++i) {
        points[i].X += dx;
        points[i].Y += dy;
    }
}

int GfxMaxIntValue(std::span<const int> values, int highIndex)
{
    return Extreme(values, highIndex, [](int x, int best) { return x > best; });
}

int GfxMinIntValue(std::span<const int> values, int highIndex)
{
    return Extreme(values, highIndex, [](int x, int best) { return x < best; });
}

long double GfxMinExtValue(std::span<const long double> values, int highIndex)
{
    return Extreme(values, highIndex, [](long double x, long double best) { return x < best; });
}

int GfxIntPower(int base, int exponent)
{
    std::uint32_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= static_cast<std::uint32_t>(base);
    return static_cast<int>(result);
}

int GfxIncrement(int& counter)
{
    counter = static_cast<int>(static_cast<std::uint32_t>(counter) + 1u);
    return counter;
}

QString GfxGetPrefixDir(TGfxPathPrefix kind, bool withSeparator)
{
    QString dir;
    switch (kind) {
    case ppWindows:
        dir = GfxPlatformWindowsDirectory();
        break;
    case ppSystem:
        dir = GfxPlatformSystemDirectory();
        break;
    case ppProgram:
        dir = QFileInfo(GfxProgramFilePath()).absolutePath() + GfxPathDelim;
        break;
    case ppFixed:
        return QString();
    }
    if (withSeparator) {
        if (!dir.endsWith(GfxPathDelim))
            dir += GfxPathDelim;
    } else if (dir.endsWith(GfxPathDelim) && dir.size() > 1) {
        dir.chop(1);
    }
    return dir;
}
