#include "gfx_object.h"

void TGfxObject::EndUpdate(bool Notify)
{
    updating_ = 0;
    if (Notify)
        DoChange();
}

void TGfxObject::DoChange()
{
    if (updating_ == 1 || !OnChange)
        return;
    OnChange(this);
}
