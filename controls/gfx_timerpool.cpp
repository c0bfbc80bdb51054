#include "gfx_timerpool.h"

#include "gfx_strings.h"
#include "platform/gfx_exceptions.h"

#include <algorithm>
#include <limits>

namespace {
constexpr std::int64_t MaxCount32 = std::numeric_limits<std::int32_t>::max();

// One more, wrapping to 0 instead of going negative.
std::int32_t NextCount(std::int32_t v)
{
    return v == MaxCount32 ? 0 : v + 1;
}

// n more (n >= 0), wrapping as n single steps would.
std::int32_t AddCount(std::int32_t v, std::int64_t n)
{
    return static_cast<std::int32_t>((std::int64_t(v) + n) % (MaxCount32 + 1));
}
}  // namespace

// ------------------------------------------------------------------ item

TGfxTimerItem::TGfxTimerItem(TGfxTimerPool* pool, std::uint16_t ident, TGfxTimerItemList* list)
    : ident_(ident), pool_(pool)
{
    if (!pool || !list)
        throw EInvalidOperation(ClassName() + QStringLiteral(": Invalid Owner or List"));
    ticks_ = 1000 / pool->MinInterval();
}

void TGfxTimerItem::SetInterval(TGfxTimerInterval v)
{
    const TGfxTimerInterval min = pool_->MinInterval();
    if (v == interval_ || v % min != 0)
        return;
    const TGfxTimerInterval effective = v == 0 ? min : v;
    ticks_ = effective / min;
    interval_ = effective;
    Counter = 0;
    pool_->ItemChanged();
}

void TGfxTimerItem::SetEnabled(bool on)
{
    if (on == enabled_ || (on && MaxCount == 0))
        return;
    enabled_ = on;
    Counter = 0;
    pool_->ItemChanged();
}

void TGfxTimerItem::Fire()
{
    if (!enabled_)
        return;
    Counter = NextCount(Counter);
    if (Counter == MaxCount)
        SetEnabled(false);
    // Copies: the callback may remove this item or replace its own callback.
    if (TNotifyEvent callback = OnTimer) {
        callback(pool_);
    } else if (TGfxTimerPoolEvent poolEvent = pool_->OnTimer) {
        poolEvent(pool_, ident_, Counter);
    }
}

// ------------------------------------------------------------------ pool

TGfxTimerPool::TGfxTimerPool(QObject* AOwner, std::unique_ptr<GfxTickSource> ticks)
    : TGfxCustomComponent(AOwner), ticks_(std::move(ticks))
{
    if (!ticks_)
        ticks_ = std::make_unique<GfxQtTickSource>();
    ticks_->SetHandler([this] { OnTick(); });
}

TGfxTimerPool::~TGfxTimerPool()
{
    Clear();
    ticks_->SetHandler({});
}

std::unique_ptr<TGfxTimerPool> TGfxTimerPool::CreateWithInterval(
    QObject* AOwner, TGfxTimerInterval minInterval, std::unique_ptr<GfxTickSource> ticks)
{
    auto pool = std::make_unique<TGfxTimerPool>(AOwner, std::move(ticks));
    if (minInterval != 0)
        pool->minInterval_ = minInterval;
    return pool;
}

void TGfxTimerPool::SetMinInterval(TGfxTimerInterval v)
{
    if (v != 0 && (IsLoading() || IsDesigning()))
        minInterval_ = v;
}

int TGfxTimerPool::AddTimer(std::uint16_t ident, TGfxTimerInterval interval, TNotifyEvent callback)
{
    if (!items_.empty() && FindTimer(ident))
        throw Exception(QStringLiteral("List index out of bounds (%d)"));
    if (interval % minInterval_ != 0 || interval < minInterval_)
        throw Exception(GfxLoadResString(SGfxMinInterval));
    auto item = std::make_shared<TGfxTimerItem>(this, ident, &items_);
    items_.push_back(item);
    const int index = static_cast<int>(items_.size()) - 1;
    item->SetInterval(interval);
    item->OnTimer = std::move(callback);
    SetActive(true);
    return index;
}

void TGfxTimerPool::RemoveTimer(std::uint16_t ident)
{
    removing_ = true;
    const int index = IndexOfTimer(ident);
    if (index >= 0) {
        std::shared_ptr<TGfxTimerItem> item = items_[index];
        item->SetEnabled(false);
        item->OnTimer = nullptr;
        items_.erase(items_.begin() + index);
        if (items_.empty())
            SetActive(false);
        else
            Reschedule();
    }
    removing_ = false;
}

TGfxTimerItem* TGfxTimerPool::FindTimer(std::uint16_t ident) const
{
    const int index = IndexOfTimer(ident);
    return index >= 0 ? items_[index].get() : nullptr;
}

int TGfxTimerPool::IndexOfTimer(std::uint16_t ident) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Ident() == ident)
            return static_cast<int>(i);
    return -1;
}

int TGfxTimerPool::EnabledCount() const
{
    return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                          [](const auto& item) { return item->Enabled(); }));
}

void TGfxTimerPool::SetActive(bool on)
{
    if (IsDesigning())
        return;
    active_ = false;
    ticks_->Stop();
    if (on && EnabledCount() > 0) {
        if (!ticks_->Start(minInterval_))
            throw EOutOfResources(QStringLiteral("Not enough timers available"));
        tickCount_ = 1;
        nextStep_ = 1;
        ++restarts_;
        active_ = true;
        Reschedule();
    }
}

void TGfxTimerPool::Reschedule()
{
    if (inTick_ || !active_)
        return;
    // The first tick from the next one on (TickCount + j) on which an
    // enabled item fires. Every item fires where the count wraps to 0.
    std::int64_t due = MaxCount32 + 1 - tickCount_;
    bool any = false;
    for (const auto& item : items_) {
        if (!item->Enabled() || item->Ticks() <= 0)
            continue;
        any = true;
        due = std::min<std::int64_t>(due, (item->Ticks() - tickCount_ % item->Ticks()) % item->Ticks());
    }
    if (!any) {
        ticks_->Sleep();
        return;
    }
    // Steps of the grid that went by unseen count as ticks without a firing
    // (only a late or sleeping source lets that happen).
    const std::int64_t now = ticks_->Step();
    if (nextStep_ <= now) {
        const std::int64_t missed = now + 1 - nextStep_;
        tickCount_ = AddCount(tickCount_, missed);
        nextStep_ = now + 1;
        Reschedule();
        return;
    }
    wakeStep_ = nextStep_ + due;
    ticks_->WakeAt(wakeStep_);
}

void TGfxTimerPool::Clear()
{
    SetActive(false);
    while (!items_.empty())
        items_.pop_back();
}

void TGfxTimerPool::Dispatch()
{
    if (removing_)
        return;
    // The items of this tick are those that exist now; weak references let a
    // callback remove any of them without this loop touching it afterwards.
    std::vector<std::weak_ptr<TGfxTimerItem>> snapshot(items_.begin(), items_.end());
    for (const auto& weak : snapshot) {
        std::shared_ptr<TGfxTimerItem> item = weak.lock();
        if (!item || !item->Enabled() || item->Ticks() <= 0)
            continue;
        if (tickCount_ % item->Ticks() != 0)
            continue;
        try {
            item->Fire();
        } catch (...) {
            GfxHandleException();
        }
    }
    tickCount_ = NextCount(tickCount_);
    // A tick given by hand moves the phase: the wake-up moves with it.
    Reschedule();
}

void TGfxTimerPool::OnTick()
{
    // A tick that comes while a callback pumps messages is dropped.
    if (inTick_)
        return;
    inTick_ = true;
    // The ticks slept through since the last one fired nothing.
    if (wakeStep_ > nextStep_) {
        tickCount_ = AddCount(tickCount_, wakeStep_ - nextStep_);
        nextStep_ = wakeStep_;
    }
    const std::uint32_t grid = restarts_;
    try {
        Dispatch();
    } catch (...) {
        GfxHandleException();
    }
    // A grid laid anew by a callback starts at its own first step.
    if (restarts_ == grid)
        ++nextStep_;
    inTick_ = false;
    Reschedule();
}
