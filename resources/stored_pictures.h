#pragma once
// The pictures that the windows carry in their stored descriptions.

#include "gfx_bitmaplist.h"

// The About box's bitmap list file in the program's resources: five model
// pictures of 64 x 64 in 16 colours.
inline constexpr const char* AboutPicturesResource = ":/about/GfxBitmapList1.gfxlist";

// Loads the About box's five pictures into its bitmap list.
void LoadAboutPictures(TGfxBitmapList& list);
