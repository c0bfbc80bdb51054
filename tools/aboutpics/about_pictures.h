#pragma once
// The About box's five model pictures: 64 x 64 in 16 colours, one per model
// in the order of its bitmap list (Zeph-Fir, Zeph-Elm, Zeph-Birch,
// Zeph-Ash, Zeph-Oak), each the device's front under the tree the model is
// named after. make_about_pictures stores them as the bitmap list file
// resources/about/GfxBitmapList1.gfxlist, which the About box loads.

#include "gfx_bitmaplist.h"
#include "platform/gfx_bitmap.h"

constexpr int AboutPictureCount = 5;
constexpr int AboutPictureSide = 64;

// Draws picture `index` (0 to 4) into the target, which becomes 64 x 64 in
// 16 colours.
void DrawAboutPicture(int index, TGfxBitmap& target);
// Replaces the list's items with the five pictures, each stored in the
// bitmap's own format, uncompressed.
void FillAboutPictureList(TGfxBitmapList& list);
