#pragma once
// TGfxObject: the root of the library's graphic sub-objects (captions,
// gradients, fills, bevels, shadows, segment displays, waves).
//
// The owner of a sub-object sets OnChange to learn of every change. A
// property write stores a value only when it differs and then calls
// DoChange; BeginUpdate holds notifications back until EndUpdate. The update
// state is a flag, not a counter: nested updates end at the first EndUpdate.

#include "platform/gfx_object_base.h"

#include <QString>

#include <cstdint>

// The refusal of an Assign between classes that do not know each other:
// EConvertError "Cannot assign a <source class> to a <class>" ("nil" for
// no source).
[[noreturn]] void GfxAssignError(const TObject* Source, const TObject* Dest);

class TGfxObject : public TObject {
public:
    TGfxObject() = default;
    TGfxObject(const TGfxObject&) = delete;
    TGfxObject& operator=(const TGfxObject&) = delete;

    TNotifyEvent OnChange;

    void BeginUpdate() { updating_ = 1; }
    void EndUpdate(bool Notify);
    bool IsUpdating() const { return updating_ == 1; }

    virtual void Change() { DoChange(); }
    // Fires OnChange(this) unless an update is under way or OnChange is empty.
    virtual void DoChange();
    // A one-line summary of the settings for design tools; empty here.
    virtual QString GetDescription() const { return QString(); }

    // Copies the settings of another object. Each class accepts the sources
    // it knows and hands any other to its base; here every source is refused
    // with EConvertError "Cannot assign a <source class> to a <class>" ("nil"
    // for none).
    virtual void Assign(const TObject* Source);

protected:
    // The write pattern of every property: store and notify only on change.
    template <class T, class U>
    void SetProp(T& field, const U& value)
    {
        if (field == value)
            return;
        field = value;
        DoChange();
    }

private:
    std::uint8_t updating_ = 0;
};
