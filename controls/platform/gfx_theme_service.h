#pragma once
// The visual-styles service. The library loads it by name and looks its entry
// points up by name; a module that is not there leaves every themed path on
// its classic drawing. This platform has no such service: the loader reports
// "not loaded". Tests may put a fake module in its place.

#include <QString>

#include <functional>
#include <memory>

class GfxThemeModule {
public:
    virtual ~GfxThemeModule() = default;
    // The entry point of that name, or nullptr when the module has none.
    virtual void* Resolve(const char* name) = 0;
};

using GfxThemeModuleLoader = std::function<std::unique_ptr<GfxThemeModule>(const QString& name)>;

// Loads the named module; nullptr when it is not there (always, here, unless
// a loader was installed).
std::unique_ptr<GfxThemeModule> GfxPlatformLoadThemeModule(const QString& name);

// Replaces the loader (tests); an empty function restores the platform's.
GfxThemeModuleLoader GfxSetThemeModuleLoader(GfxThemeModuleLoader loader);
