#pragma once
// Rectangle, point and value-array helpers, and the directory of each path
// prefix kind.

#include "platform/gfx_types.h"

#include <QString>

#include <cstdint>
#include <span>

enum TGfxPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// The source's size scaled by one factor to fit the target, placed at the
// target's top-left corner. A source side of 0 takes no part in the factor
// (a source of 0 x 0 gives an empty rectangle at the corner).
void GfxScaleRectToFit(const TRect& source, const TRect& target, TRect& result);
void GfxRectSize(const TRect& r, int& width, int& height);
// Both corners of inner inside outer, with the half-open test (the bottom-
// right corner of a rectangle therefore never lies inside an equal one).
bool GfxRectInRect(const TRect& inner, const TRect& outer);
// The bounding box of the rectangle rotated by angle degrees about its
// centre, moved to (0, 0). Angle 0 leaves it unchanged.
void GfxRotatedRectBounds(TRect& r, int angle);

// The array helpers act on elements 0 to highIndex, and never past the end of
// the array. The min/max of an empty array is 0.
void GfxOffsetPoints(std::span<TPoint> points, int highIndex, int dx, int dy);
int GfxMaxIntValue(std::span<const int> values, int highIndex);
int GfxMinIntValue(std::span<const int> values, int highIndex);
long double GfxMinExtValue(std::span<const long double> values, int highIndex);
// base multiplied exponent times, in 32-bit arithmetic that wraps around;
// 1 for an exponent below 1.
int GfxIntPower(int base, int exponent);
// Adds 1 (wrapping from the largest value to the smallest) and returns the
// new value.
int GfxIncrement(int& counter);

// The directory of that kind, with or without a trailing separator; the
// empty text for ppFixed.
QString GfxGetPrefixDir(TGfxPathPrefix kind, bool withSeparator);
