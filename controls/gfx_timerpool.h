#pragma once
// TGfxTimerPool: every timed thing of the library runs from one platform
// tick on the main thread. Each item fires every Interval / MinInterval pool
// ticks, counted from the last (re)start of the pool, on the pool's grid of
// MinInterval ms. The pool does not wake the program for ticks on which no
// item fires: it tells its tick source to wake at the next tick on which an
// enabled item is due (ticks it sleeps through still count), and lets it
// sleep while no item is enabled. A tick that comes late makes the pool
// count the steps of its grid it missed, as a periodic timer that skips
// ticks would.
//
// Callbacks may add and remove timers (their own included): a tick visits the
// items that existed when it began, in list order, skips those removed since,
// and never touches a removed item afterwards. An exception from one
// callback is given to the error report; the other items still fire and the
// pool goes on ticking.

#include "gfx_component.h"
#include "platform/gfx_ticksource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

using TGfxTimerInterval = std::uint16_t;

class TGfxTimerPool;
class TGfxTimerItem;
using TGfxTimerPoolEvent = std::function<void(TObject* Sender, std::uint16_t Ident, std::int32_t Counter)>;
using TGfxTimerItemList = std::vector<std::shared_ptr<TGfxTimerItem>>;

class TGfxTimerItem : public TObject {
public:
    // Raises EInvalidOperation when the pool or the list is missing.
    TGfxTimerItem(TGfxTimerPool* pool, std::uint16_t ident, TGfxTimerItemList* list);

    std::int32_t MaxCount = -1;  // disables itself when Counter reaches it; -1 endless
    std::int32_t Counter = 0;
    std::uint16_t Ident() const { return ident_; }
    TGfxTimerInterval Interval() const { return interval_; }
    std::int32_t Ticks() const { return ticks_; }
    bool Enabled() const { return enabled_; }
    TNotifyEvent OnTimer;  // Sender is the pool

    void SetInterval(TGfxTimerInterval v);
    void SetEnabled(bool on);
    void Fire();

private:
    bool enabled_ = true;
    std::uint16_t ident_;
    TGfxTimerInterval interval_ = 1000;
    std::int32_t ticks_ = 1;
    TGfxTimerPool* pool_;
};

class TGfxTimerPool : public TGfxCustomComponent {
public:
    // MinInterval 1000, no items, inactive. Without a tick source the pool
    // ticks from a QBasicTimer.
    explicit TGfxTimerPool(QObject* AOwner = nullptr, std::unique_ptr<GfxTickSource> ticks = {});
    ~TGfxTimerPool() override;
    // The constructor, then MinInterval stored directly (0 is refused: the
    // pool keeps 1000).
    static std::unique_ptr<TGfxTimerPool> CreateWithInterval(
        QObject* AOwner, TGfxTimerInterval minInterval, std::unique_ptr<GfxTickSource> ticks = {});

    TGfxTimerInterval MinInterval() const { return minInterval_; }
    // Stores only while loading or designing, and never 0.
    void SetMinInterval(TGfxTimerInterval v);
    TGfxTimerPoolEvent OnTimer;

    // Adds an item and (re)starts the tick; returns its list index.
    // Exception "List index out of bounds (%d)" for a duplicate ident,
    // Exception "Interval not compatible with MinInterval property!" for an
    // interval that is not a positive multiple of MinInterval,
    // EOutOfResources "Not enough timers available" when the tick refuses
    // (the item stays).
    int AddTimer(std::uint16_t ident, TGfxTimerInterval interval, TNotifyEvent callback);
    void RemoveTimer(std::uint16_t ident);
    TGfxTimerItem* FindTimer(std::uint16_t ident) const;
    int IndexOfTimer(std::uint16_t ident) const;
    int EnabledCount() const;
    int Count() const { return static_cast<int>(items_.size()); }
    // Lays the grid anew (TickCount 1) while items exist, else stops.
    void SetActive(bool on);
    // The grid is laid: true from the first AddTimer while any item exists,
    // enabled or not (the tick source sleeps while none is enabled).
    bool Active() const { return active_; }
    void Clear();
    void Dispatch();
    std::int32_t TickCount() const { return tickCount_; }

    GfxTickSource& TickSource() { return *ticks_; }

    // An item's Enabled or Interval changed: the next wake-up moves.
    void ItemChanged() { Reschedule(); }

private:
    void OnTick();
    // Tells the tick source the next step on which an item fires, or lets
    // it sleep. Waits for the end of a running tick.
    void Reschedule();

    TGfxTimerInterval minInterval_ = 1000;
    bool active_ = false;
    bool inTick_ = false;
    bool removing_ = false;
    std::int32_t tickCount_ = 0;
    std::int64_t nextStep_ = 0;  // the grid step at which TickCount is dispatched
    std::int64_t wakeStep_ = 0;  // the step the tick source wakes at
    std::uint32_t restarts_ = 0;  // grids laid so far
    TGfxTimerItemList items_;
    std::unique_ptr<GfxTickSource> ticks_;
};
