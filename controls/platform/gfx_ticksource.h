#pragma once
// The periodic tick that drives the library's timer pool.
//
// The pool needs one periodic tick of its MinInterval on the main thread.
// GfxQtTickSource gives it with a QBasicTimer; GfxFakeTickSource lets a test
// deliver ticks one by one. The handler is called directly from the tick;
// whatever it throws is caught here and given to the error report, so no
// exception reaches the event loop.

#include <QBasicTimer>
#include <QObject>

#include <functional>

class GfxTickSource {
public:
    using Handler = std::function<void()>;
    virtual ~GfxTickSource() = default;

    // Starts (or restarts) the periodic tick. False when the platform refuses.
    virtual bool Start(int periodMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;

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

protected:
    void timerEvent(QTimerEvent* e) override;

private:
    QBasicTimer timer_;
};

// Ticks only when told to. Records what the pool asked of it.
class GfxFakeTickSource final : public GfxTickSource {
public:
    bool Start(int periodMs) override;
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }

    // Delivers n ticks while active (a tick handler that stops the source
    // ends the burst).
    void Advance(int n = 1);

    bool RefuseStart = false;  // make Start fail, as a platform out of timers
    int StartCount = 0;
    int LastPeriod = 0;

private:
    bool active_ = false;
};
