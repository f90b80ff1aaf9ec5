#include "terrain/work_ahead.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace kestrane {

namespace {

// Slots beyond one per worker and the calling thread's: items prepared
// ahead, so that a maker rarely waits for the calling thread to finish one
// (and that the heaviest among them can be taken first).
constexpr std::size_t kSlotsBeyondMakers = 6;
constexpr std::size_t kMostMakers = 4;

}  // namespace

std::size_t WorkAhead::SlotsFor(std::size_t workers)
{
    return workers == 0 ? 1 : workers + 1 + kSlotsBeyondMakers;
}

std::size_t WorkAhead::WorkersFor(std::size_t items, unsigned cores)
{
    if (items < 2 || cores < 2)
        return 0;
    return std::min({items, static_cast<std::size_t>(cores), kMostMakers}) - 1;
}

WorkAhead::WorkAhead(std::size_t items, std::size_t workers, Prepare prepare, Make make,
                     std::vector<std::size_t> weights)
    : items_(items), prepare_(std::move(prepare)), make_(std::move(make)), weights_(std::move(weights)),
      slots_(SlotsFor(workers))
{
    for (std::size_t w = 0; w < workers; ++w) {
        try {
            threads_.emplace_back([this, w] { Work(w); });
        } catch (const std::system_error&) {
            break;  // the workers started (or the calling thread alone) make every item
        } catch (...) {
            Stop();
            throw;
        }
    }
    for (std::size_t item = 0; item < std::min(items_, slots_.size()); ++item)
        PrepareItem(item);
    {
        // The workers choose among all the first prepared items.
        std::lock_guard<std::mutex> lock(mutex_);
        started_ = true;
    }
    prepared_.notify_all();
}

WorkAhead::~WorkAhead() { Stop(); }

void WorkAhead::Stop() noexcept
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    prepared_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
    threads_.clear();
}

void WorkAhead::PrepareItem(std::size_t item)
{
    if (failed_)
        return;
    Slot& slot = slots_[item % slots_.size()];
    std::exception_ptr error;
    try {
        prepare_(item, item % slots_.size());
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        slot.item = item;
        slot.taken = false;
        slot.made = false;
        slot.error = error;
        failed_ = error != nullptr;
        preparedItems_ = item + 1;
    }
    prepared_.notify_one();
}

std::size_t WorkAhead::NextToTake() const
{
    std::size_t next = items_;
    for (std::size_t item = untaken_; item < preparedItems_; ++item) {
        if (slots_[item % slots_.size()].taken)
            continue;
        if (next == items_ || (item < weights_.size() && next < weights_.size() && weights_[item] > weights_[next]))
            next = item;
        if (weights_.empty())
            break;  // in order
    }
    return next;
}

void WorkAhead::MakeTaken(std::unique_lock<std::mutex>& lock, std::size_t maker, std::size_t item)
{
    const std::size_t index = item % slots_.size();
    slots_[index].taken = true;
    while (untaken_ < preparedItems_ && slots_[untaken_ % slots_.size()].taken)
        ++untaken_;
    const bool skip = slots_[index].error != nullptr;  // not prepared: nothing to make
    lock.unlock();
    // The slot is this maker's alone until it is marked made.
    std::exception_ptr error;
    if (!skip) {
        try {
            make_(maker, item, index);
        } catch (...) {
            error = std::current_exception();
        }
    }
    lock.lock();
    if (error)
        slots_[index].error = error;
    slots_[index].made = true;
    made_.notify_all();
}

void WorkAhead::Work(std::size_t worker)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        std::size_t next = items_;
        prepared_.wait(lock, [&] { return stop_ || (started_ && (next = NextToTake()) != items_); });
        if (stop_)
            return;
        MakeTaken(lock, worker, next);
    }
}

std::size_t WorkAhead::Get(std::size_t item)
{
    const std::size_t index = item % slots_.size();
    Slot& slot = slots_[index];
    {
        // While the item is not made, the calling thread makes a prepared
        // one itself: the item, unless a worker took it first, else the
        // one a worker would take next.
        std::unique_lock<std::mutex> lock(mutex_);
        while (!(slot.item == item && slot.made)) {
            const bool waiting = slot.item == item && !slot.taken && item < preparedItems_;
            const std::size_t next = waiting ? item : NextToTake();
            if (next != items_)
                MakeTaken(lock, threads_.size(), next);
            else
                made_.wait(lock);
        }
    }
    if (slot.error) {
        Stop();
        std::rethrow_exception(slot.error);
    }
    return index;
}

void WorkAhead::Done(std::size_t item)
{
    if (item + slots_.size() < items_)
        PrepareItem(item + slots_.size());
}

}  // namespace kestrane
