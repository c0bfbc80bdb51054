#pragma once
// TGfxCustomComponent: the root of the library's non-visual components, with
// the designer's About text and a change notification that can be held back.

#include "platform/gfx_object_base.h"

#include <QString>

using TGfxAboutVar = QString;

class TGfxCustomComponent : public TComponent {
public:
    explicit TGfxCustomComponent(QObject* AOwner = nullptr);

    TGfxAboutVar About;     // a text for the designer, without effect
    TNotifyEvent OnChange;  // internal change event
    bool Updating = false;  // while true, DoChange fires nothing

    virtual void Change() { DoChange(); }
    virtual void DoChange();
};
