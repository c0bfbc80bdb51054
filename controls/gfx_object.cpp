#include "gfx_object.h"

#include "platform/gfx_exceptions.h"

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

void GfxAssignError(const TObject* Source, const TObject* Dest)
{
    const QString source = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(GfxFormat(QStringLiteral("Cannot assign a %s to a %s"), {source, Dest->ClassName()}));
}

void TGfxObject::Assign(const TObject* Source) { GfxAssignError(Source, this); }
