#include "gfx_ticksource.h"

#include "gfx_exceptions.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

#include <algorithm>

void GfxTickSource::Tick() noexcept
{
    if (!handler_)
        return;
    try {
        handler_();
    } catch (...) {
        GfxHandleException();
    }
}

namespace {
bool OnTheApplicationThread(const QObject* source)
{
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread() && source->thread() == app->thread();
}
}  // namespace

GfxQtTickSource::GfxQtTickSource() = default;
GfxQtTickSource::~GfxQtTickSource() { timer_.stop(); }

bool GfxQtTickSource::Start(int periodMs)
{
    if (periodMs < 1 || !OnTheApplicationThread(this))
        return false;
    periodMs_ = periodMs;
    periodic_ = true;
    grid_.start();
    timer_.start(periodMs, Qt::PreciseTimer, this);
    return timer_.isActive();
}

void GfxQtTickSource::Stop()
{
    timer_.stop();
    grid_.invalidate();
}

void GfxQtTickSource::WakeAt(std::int64_t step)
{
    if (!grid_.isValid() || !OnTheApplicationThread(this))
        return;
    periodic_ = false;
    // Rounded up: the tick never comes before its step.
    const std::int64_t dueNs = step * std::int64_t(periodMs_) * 1000000;
    const std::int64_t leftNs = dueNs - grid_.nsecsElapsed();
    const std::int64_t delayMs = leftNs <= 0 ? 0 : (leftNs + 999999) / 1000000;
    timer_.start(int(std::min<std::int64_t>(delayMs, 0x7FFFFFFF)), Qt::PreciseTimer, this);
}

std::int64_t GfxQtTickSource::Step() const
{
    return grid_.isValid() && periodMs_ > 0 ? grid_.elapsed() / periodMs_ : 0;
}

void GfxQtTickSource::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != timer_.timerId()) {
        QObject::timerEvent(e);
        return;
    }
    if (!periodic_)
        timer_.stop();
    Tick();
}

bool GfxFakeTickSource::Start(int periodMs)
{
    ++StartCount;
    LastPeriod = periodMs;
    if (RefuseStart)
        return false;
    started_ = periodic_ = true;
    waking_ = false;
    step_ = 0;
    return true;
}

void GfxFakeTickSource::Stop() { started_ = periodic_ = waking_ = false; }

void GfxFakeTickSource::WakeAt(std::int64_t step)
{
    if (!started_)
        return;
    periodic_ = false;
    waking_ = true;
    wake_ = step;
    LastWake = step;
}

void GfxFakeTickSource::Sleep() { periodic_ = waking_ = false; }

void GfxFakeTickSource::Advance(int n)
{
    for (int i = 0; i < n; ++i) {
        if (!started_)
            continue;
        ++step_;
        if (periodic_ || (waking_ && step_ >= wake_)) {
            waking_ = false;
            ++Delivered;
            Tick();
        }
    }
}
