#include "gfx_themes.h"

#include "platform/gfx_theme_service.h"

#include <algorithm>
#include <cstring>
#include <memory>

bool GfxThemesLoaded = false;

const std::array<const char*, GfxThemeEntryCount> GfxThemeEntryNames = {
    "DrawThemeEdge", "DrawThemeBackground", "DrawThemeParentBackground", "DrawThemeText",
    "DrawThemeIcon", "OpenThemeData", "CloseThemeData", "IsThemeBackgroundPartiallyTransparent",
    "GetThemeBackgroundContentRect", "SetWindowTheme", "SetThemeAppProperties",
    "IsThemePartDefined", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect",
    "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush", "GetThemeSysBool",
    "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "EnableTheming",
};

std::array<void*, GfxThemeEntryCount> GfxThemeEntries{};

namespace {

std::unique_ptr<GfxThemeModule>& Module()
{
    static std::unique_ptr<GfxThemeModule> module;
    return module;
}

void* Entry(const char* name)
{
    for (std::size_t i = 0; i < GfxThemeEntryCount; ++i)
        if (std::strcmp(GfxThemeEntryNames[i], name) == 0)
            return GfxThemeEntries[i];
    return nullptr;
}

template <class F>
F Typed(const char* name)
{
    return reinterpret_cast<F>(Entry(name));
}

}  // namespace

TGfxIsThemeActive GfxThemeIsThemeActive() { return Typed<TGfxIsThemeActive>("IsThemeActive"); }
TGfxSetThemeAppProperties GfxThemeSetThemeAppProperties()
{
    return Typed<TGfxSetThemeAppProperties>("SetThemeAppProperties");
}
TGfxDrawThemeParentBackground GfxThemeDrawThemeParentBackground()
{
    return Typed<TGfxDrawThemeParentBackground>("DrawThemeParentBackground");
}
TGfxOpenThemeData GfxThemeOpenThemeData() { return Typed<TGfxOpenThemeData>("OpenThemeData"); }
TGfxDrawThemeBackground GfxThemeDrawThemeBackground()
{
    return Typed<TGfxDrawThemeBackground>("DrawThemeBackground");
}
TGfxCloseThemeData GfxThemeCloseThemeData() { return Typed<TGfxCloseThemeData>("CloseThemeData"); }

void GfxLoadThemeLibrary()
{
    GfxFreeThemeLibrary();
    Module() = GfxPlatformLoadThemeModule(QStringLiteral("UxTheme.dll"));
    GfxThemesLoaded = Module() != nullptr;
    if (!GfxThemesLoaded)
        return;
    for (std::size_t i = 0; i < GfxThemeEntryCount; ++i)
        GfxThemeEntries[i] = Module()->Resolve(GfxThemeEntryNames[i]);
}

void GfxFreeThemeLibrary()
{
    Module().reset();
    GfxThemesLoaded = false;
    GfxThemeEntries.fill(nullptr);
}
