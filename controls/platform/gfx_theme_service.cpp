#include "gfx_theme_service.h"

#include <utility>

namespace {
GfxThemeModuleLoader& Loader()
{
    static GfxThemeModuleLoader loader;
    return loader;
}
}  // namespace

std::unique_ptr<GfxThemeModule> GfxPlatformLoadThemeModule(const QString& name)
{
    if (Loader())
        return Loader()(name);
    return nullptr;
}

GfxThemeModuleLoader GfxSetThemeModuleLoader(GfxThemeModuleLoader loader)
{
    return std::exchange(Loader(), std::move(loader));
}
