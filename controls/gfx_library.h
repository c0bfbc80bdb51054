#pragma once
// The library's initialisation and finalisation. The program calls
// GfxInitializeLibrary once its Qt application object exists and before it
// creates any window: the visual-styles loader runs, the system flags are
// computed, GfxApplication (with its timer pool) and GfxContainer are
// created.
// GfxFinalizeLibrary frees them in reverse order. TGfxLibraryScope does both.

void GfxInitializeLibrary();
void GfxFinalizeLibrary();

class TGfxLibraryScope {
public:
    TGfxLibraryScope() { GfxInitializeLibrary(); }
    ~TGfxLibraryScope() { GfxFinalizeLibrary(); }
    TGfxLibraryScope(const TGfxLibraryScope&) = delete;
    TGfxLibraryScope& operator=(const TGfxLibraryScope&) = delete;
};
