#include "gfx_library.h"

#include "gfx_application.h"
#include "gfx_lists.h"
#include "gfx_sysinfo.h"
#include "gfx_themes.h"

void GfxInitializeLibrary()
{
    if (GfxApplication)
        return;
    GfxLoadThemeLibrary();
    (void)GfxOSFlags();
    GfxApplication = new TGfxApplication(nullptr);
    GfxContainer = new TGfxContainer(nullptr);
}

void GfxFinalizeLibrary()
{
    delete GfxContainer;
    GfxContainer = nullptr;
    delete GfxApplication;
    GfxApplication = nullptr;
    GfxFreeThemeLibrary();
}
