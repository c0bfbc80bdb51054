#include "gfx_component.h"

TGfxCustomComponent::TGfxCustomComponent(QObject* AOwner) : TComponent(AOwner) {}

void TGfxCustomComponent::DoChange()
{
    if (OnChange && !Updating)
        OnChange(this);
}
