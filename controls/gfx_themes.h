#pragma once
// The visual-styles loader. The library never links the visual-styles
// service: it loads it by name when the library initialises and looks up its
// entry points by name. Every caller tests GfxThemesLoaded or the entry point
// before it calls; a missing service leaves every themed path on its classic
// drawing.

#include "platform/gfx_types.h"

#include <QPainter>

#include <array>
#include <cstdint>

extern bool GfxThemesLoaded;

// The 31 entry points, in the order in which they are looked up.
constexpr std::size_t GfxThemeEntryCount = 31;
extern const std::array<const char*, GfxThemeEntryCount> GfxThemeEntryNames;
// The address found for each name, or nullptr.
extern std::array<void*, GfxThemeEntryCount> GfxThemeEntries;

// The six calls the library makes, with this platform's argument types.
using HTHEME = void*;
using TGfxIsThemeActive = bool (*)();
using TGfxSetThemeAppProperties = void (*)(std::uint32_t flags);
using TGfxDrawThemeParentBackground = long (*)(QObject* window, QPainter* dc, const TRect* rect);
using TGfxOpenThemeData = HTHEME (*)(QObject* window, const wchar_t* classList);
using TGfxDrawThemeBackground = long (*)(HTHEME theme, QPainter* dc, int part, int state,
                                         const TRect* rect, const TRect* clip);
using TGfxCloseThemeData = long (*)(HTHEME theme);

TGfxIsThemeActive GfxThemeIsThemeActive();
TGfxSetThemeAppProperties GfxThemeSetThemeAppProperties();
TGfxDrawThemeParentBackground GfxThemeDrawThemeParentBackground();
TGfxOpenThemeData GfxThemeOpenThemeData();
TGfxDrawThemeBackground GfxThemeDrawThemeBackground();
TGfxCloseThemeData GfxThemeCloseThemeData();

// Library initialisation and finalisation of the loader.
void GfxLoadThemeLibrary();
void GfxFreeThemeLibrary();
