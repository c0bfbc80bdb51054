#pragma once
// Who follows the device's events, and in which order.
//
// The window is split into families of handlers (one controller each), and
// several families can care about the same device event: a DEV reply sets
// the connection label and then lays the window out for the model; an ICHM
// reply describes the input and then names it. Every family subscribes to
// the device component under its own order key, and the component runs the
// handlers of one event in ascending key order, so the order below is the
// order in which the families see every event they share. A family takes a
// given event once: a second subscription under the same key is refused and
// throws std::logic_error, which makes the window's construction fail at
// once in any test.
//
// Key 0 (TZEPH350_d::DirectOrder) is left to tests and tools.

#include "zeph350_d.h"

#include <stdexcept>
#include <string>
#include <vector>

enum class Family : int {
    Connection = 1,  // link status, LAN values, status timer toggles
    ModelLayout,     // the model table and the model-dependent layout
    Inputs,          // per-input caches, input status, input buttons
    Names,           // renamable labels and what repeats them
    Output,          // output formats, test pattern, versions, option bits
    Image,           // the picture registers
    Audio,           // audio inputs, levels, master volume
    VoiceOver,       // microphone and voice over
    Logos,           // logo and frame page, logo store sequence
    Effects,         // effects, transitions, titles, menu switches
    Standby,         // projector stand-by and the message sequencer
    Console,         // the service console
};

const char* familyName(Family f);

// Subscribes `obj->method` to event `e` for family `f`, for a window that
// is no controller (the service console); `name` is the handler's design
// name, kept with the subscription so that the bindings can be listed and
// checked. Throws std::logic_error when the family has that event already.
template <class T>
void bindEvent(TZEPH350_d& dev, TZEPH350_d::Event e, Family f, const char* name, T* obj,
               void (T::*method)(TZEPH350_d*, int))
{
    if (!dev.subscribe(e, int(f), name, [obj, method](TZEPH350_d* s, int n) { (obj->*method)(s, n); }))
        throw std::logic_error(std::string("device event ") + TZEPH350_d::eventName(e) + " bound twice by " +
                               familyName(f) + " (" + name + ")");
}

#include <QObject>
#include <QPointer>

// Base of the window's controllers: one family, and the subscriptions it
// made removed when the controller goes (unless the device went first).
class FamilyController : public QObject {
public:
    FamilyController(TZEPH350_d& dev, Family family) : dev_(dev), devAlive_(&dev), family_(family) {}
    ~FamilyController() override
    {
        if (!devAlive_) return;
        for (TZEPH350_d::Event e : bound_) dev_.unsubscribe(e, int(family_));
    }
    Family family() const { return family_; }

protected:
    // Subscribes a handler named `name`; throws std::logic_error when the
    // family follows that event already.
    void on(TZEPH350_d::Event e, const char* name, TZEPHNotifyEvent handler)
    {
        if (!dev_.subscribe(e, int(family_), name, std::move(handler)))
            throw std::logic_error(std::string("device event ") + TZEPH350_d::eventName(e) + " bound twice by " +
                                   familyName(family_) + " (" + name + ")");
        bound_.push_back(e);
    }
    template <class T>
    void bind(TZEPH350_d::Event e, const char* name, void (T::*method)(TZEPH350_d*, int))
    {
        T* obj = static_cast<T*>(this);
        on(e, name, [obj, method](TZEPH350_d* s, int n) { (obj->*method)(s, n); });
    }

    TZEPH350_d& dev_;

private:
    QPointer<TZEPH350_d> devAlive_;
    Family family_;
    std::vector<TZEPH350_d::Event> bound_;
};

// Inside a controller: ZEPH_ON(OnDEVchange, ConnectionController, ZEPH350_d1DEVchange)
// binds the handler under the controller's family, with its full name.
#define ZEPH_ON(event, Class, handler) bind<Class>(TZEPH350_d::Event::event, #handler, &Class::handler)
