#pragma once
// The object roots that the library's classes stand on.
//
// TObject is the root of everything that can be the Sender of a
// notification; ClassName gives the name of its class. TComponent is an
// object with a name, an owner (its QObject parent, which frees it) and a
// component state: loading while its stored settings are being applied,
// designing while a design tool edits it, destroying once its destruction
// has begun. The running program never designs; tests set
// the state to reach the design-time rules.

#include "gfx_exceptions.h"

#include <QObject>

#include <algorithm>
#include <functional>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
    // The name of the object's own class, for messages that name it.
    QString ClassName() const { return GfxClassNameOf(typeid(*this)); }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public QObject, public TObject {
public:
    enum StateFlag : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };
    enum TOperation { opInsert, opRemove };

    explicit TComponent(QObject* AOwner = nullptr) : QObject(AOwner) {}
    ~TComponent() override
    {
        Destroying();
        // Tell every component that asked for it, and forget them both ways.
        while (!freeNotifies_.empty()) {
            TComponent* other = freeNotifies_.back();
            freeNotifies_.pop_back();
            other->Forget(this);
            other->Notification(this, opRemove);
        }
    }

    QObject* Owner() const { return parent(); }
    // The component's name in its window (the QObject's object name).
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }

    unsigned ComponentState() const { return state_; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    void SetDesigning(bool on) { state_ = on ? (state_ | csDesigning) : (state_ & ~csDesigning); }
    // Sets the destroying state. A class whose teardown would otherwise
    // notify others calls it first thing in its destructor; the root sets
    // it in any case.
    void Destroying() { state_ |= csDestroying; }

    // Stored settings are applied between BeginLoading and EndLoading; the
    // latter clears the loading state and calls Loaded.
    void BeginLoading() { state_ |= csLoading; }
    void EndLoading()
    {
        state_ &= ~csLoading;
        Loaded();
    }

    // Free notification: once linked, each of the two components hears
    // Notification(other, opRemove) when the other is destroyed, so neither
    // keeps a pointer to a freed one. Linking twice links once.
    void FreeNotification(TComponent* AComponent)
    {
        if (!AComponent || AComponent == this)
            return;
        Remember(AComponent);
        AComponent->Remember(this);
    }
    void RemoveFreeNotification(TComponent* AComponent)
    {
        if (!AComponent)
            return;
        Forget(AComponent);
        AComponent->Forget(this);
    }

protected:
    virtual void Loaded() {}
    // A linked component is being destroyed (opRemove).
    virtual void Notification(TComponent* AComponent, TOperation Operation)
    {
        (void)AComponent;
        (void)Operation;
    }

private:
    void Remember(TComponent* c)
    {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), c) == freeNotifies_.end())
            freeNotifies_.push_back(c);
    }
    void Forget(TComponent* c) { freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), c), freeNotifies_.end()); }

    unsigned state_ = 0;
    std::vector<TComponent*> freeNotifies_;
};
