#include "gfx_ticksource.h"

#include "gfx_exceptions.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

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

GfxQtTickSource::GfxQtTickSource() = default;
GfxQtTickSource::~GfxQtTickSource() { timer_.stop(); }

bool GfxQtTickSource::Start(int periodMs)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || periodMs < 1 || QThread::currentThread() != app->thread() ||
        thread() != app->thread())
        return false;
    timer_.start(periodMs, Qt::PreciseTimer, this);
    return timer_.isActive();
}

void GfxQtTickSource::Stop() { timer_.stop(); }

void GfxQtTickSource::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == timer_.timerId())
        Tick();
    else
        QObject::timerEvent(e);
}

bool GfxFakeTickSource::Start(int periodMs)
{
    ++StartCount;
    LastPeriod = periodMs;
    if (RefuseStart)
        return false;
    active_ = true;
    return true;
}

void GfxFakeTickSource::Advance(int n)
{
    for (int i = 0; i < n && active_; ++i)
        Tick();
}
