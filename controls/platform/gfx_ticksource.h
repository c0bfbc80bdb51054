#pragma once
// The tick that drives the library's timer pool.
//
// A tick source lays a grid of steps of one period from the moment it is
// started (step 0 is the start). Started, it ticks on every step; told to
// wake at a step, it ticks once, on that step (at once when the step has
// passed), and then sleeps until it is told again. So the pool keeps its
// items on the grid of its MinInterval and lets the platform wake the
// program only when an item is due.
//
// GfxQtTickSource gives the tick with a QBasicTimer against a monotonic
// clock; GfxFakeTickSource lets a test move its steps by hand. The handler
// is called directly from the tick; whatever it throws is caught here and
// given to the error report, so no exception reaches the event loop.

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>

#include <cstdint>
#include <functional>

class GfxTickSource {
public:
    using Handler = std::function<void()>;
    virtual ~GfxTickSource() = default;

    // Lays the grid from now and ticks on every step. False when the
    // platform refuses (the source then stays stopped).
    virtual bool Start(int periodMs) = 0;
    // No more ticks; the grid is forgotten.
    virtual void Stop() = 0;
    // A tick is coming: started, or told to wake and not yet woken.
    virtual bool IsActive() const = 0;
    // Ticks once at grid step `step` and then sleeps. Only while started.
    virtual void WakeAt(std::int64_t step) = 0;
    // No tick until the next WakeAt; the grid stays.
    virtual void Sleep() = 0;
    // The step of the grid reached now (0 before the first period ends).
    virtual std::int64_t Step() const = 0;

    void SetHandler(Handler h) { handler_ = std::move(h); }

protected:
    void Tick() noexcept;

private:
    Handler handler_;
};

// A QBasicTimer on the thread of the application object. Start refuses when
// no application object exists, when called from another thread, or for a
// period below 1 ms.
class GfxQtTickSource final : public QObject, public GfxTickSource {
public:
    GfxQtTickSource();
    ~GfxQtTickSource() override;
    bool Start(int periodMs) override;
    void Stop() override;
    bool IsActive() const override { return timer_.isActive(); }
    void WakeAt(std::int64_t step) override;
    void Sleep() override { timer_.stop(); }
    std::int64_t Step() const override;

protected:
    void timerEvent(QTimerEvent* e) override;

private:
    QBasicTimer timer_;
    QElapsedTimer grid_;
    int periodMs_ = 0;
    bool periodic_ = false;
};

// Moves only when told to. Records what the pool asked of it.
class GfxFakeTickSource final : public GfxTickSource {
public:
    bool Start(int periodMs) override;
    void Stop() override;
    bool IsActive() const override { return periodic_ || waking_; }
    void WakeAt(std::int64_t step) override;
    void Sleep() override;
    std::int64_t Step() const override { return step_; }

    // Moves the grid on by n steps, one at a time, ticking on each step
    // that is due (a tick handler may move it further itself).
    void Advance(int n = 1);

    bool RefuseStart = false;  // make Start fail, as a platform out of timers
    int StartCount = 0;
    int LastPeriod = 0;
    int Delivered = 0;          // ticks given to the handler
    std::int64_t LastWake = -1;  // the step of the last WakeAt

private:
    bool started_ = false;
    bool periodic_ = false;
    bool waking_ = false;
    std::int64_t step_ = 0;
    std::int64_t wake_ = 0;
};
