#pragma once
// The object roots that the library's classes stand on.
//
// TObject is the root of everything that can be the Sender of a
// notification; ClassName gives the name of its class. TComponent is an
// object with an owner (its QObject parent, which frees it) and a component
// state: loading while its stored settings are being applied, designing
// while a design tool edits it. The running program never designs; tests set
// the state to reach the design-time rules.

#include "gfx_exceptions.h"

#include <QObject>

#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
    // The name of the object's own class, for messages that name it.
    QString ClassName() const { return GfxClassNameOf(typeid(*this)); }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public QObject, public TObject {
public:
    enum StateFlag : unsigned { csLoading = 1, csDesigning = 2 };

    explicit TComponent(QObject* AOwner = nullptr) : QObject(AOwner) {}

    QObject* Owner() const { return parent(); }
    unsigned ComponentState() const { return state_; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    void SetDesigning(bool on) { state_ = on ? (state_ | csDesigning) : (state_ & ~csDesigning); }

    // Stored settings are applied between BeginLoading and EndLoading; the
    // latter clears the loading state and calls Loaded.
    void BeginLoading() { state_ |= csLoading; }
    void EndLoading()
    {
        state_ &= ~csLoading;
        Loaded();
    }

protected:
    virtual void Loaded() {}

private:
    unsigned state_ = 0;
};
