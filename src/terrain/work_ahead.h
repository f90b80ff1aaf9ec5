// A sequence of items (the tiles of a set) made on worker threads ahead of
// the calling thread, which prepares each item, finishes the items in
// order and so keeps everything that must happen in order, or on its own
// thread, to itself: opening and putting files in place, reports.
//
// The items go round a ring of slots. The calling thread prepares an item
// in its slot (opens its file), the workers take the prepared items (the
// heaviest first, when the items are weighed) and make each (write its
// text), and the calling thread waits for each item in order - making
// prepared items itself meanwhile - finishes it and hands its slot to the
// item the ring's length later. What preparing or making an item throws
// is thrown again by Get, for that item, in its turn: the items before it
// are finished as they would have been without workers, and nothing after
// it is prepared.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrane {

class WorkAhead {
public:
    // On the calling thread: item `item` into slot `slot`.
    using Prepare = std::function<void(std::size_t item, std::size_t slot)>;
    // By maker `maker`, one item at a time: worker 0 to workers - 1, or the
    // calling thread as maker `workers` (0 without workers): the prepared
    // item `item` in slot `slot`.
    using Make = std::function<void(std::size_t maker, std::size_t item, std::size_t slot)>;

    // The slots of the ring for `workers` workers.
    static std::size_t SlotsFor(std::size_t workers);
    // The workers a machine with `cores` cores uses for `items` items
    // beside the calling thread: none for a single item or a single core,
    // else one for every other core, at most three (each maker holds the
    // tables of a tile).
    static std::size_t WorkersFor(std::size_t items, unsigned cores);

    // Starts the workers (fewer, or none, when threads cannot be started)
    // and prepares the first items. Of the prepared items a worker takes
    // the one of the greatest `weights` (the first of equal ones; all
    // equal without weights), so that the longest start first and the
    // makers finish together; the calling thread takes the item it waits
    // for, if nobody has yet.
    WorkAhead(std::size_t items, std::size_t workers, Prepare prepare, Make make,
              std::vector<std::size_t> weights = {});
    ~WorkAhead();  // stops the workers and waits for them
    WorkAhead(const WorkAhead&) = delete;
    WorkAhead& operator=(const WorkAhead&) = delete;

    // Waits until item `item` is made and returns its slot. Items are asked
    // for in order, 0 first, each after Done of the one before.
    std::size_t Get(std::size_t item);
    // Item `item` is finished: its slot takes the next item.
    void Done(std::size_t item);

private:
    struct Slot {
        std::size_t item = 0;
        bool taken = false;
        bool made = false;
        std::exception_ptr error;  // of preparing or making the item
    };
    void Work(std::size_t worker);
    // The prepared item nobody has taken yet that a worker takes next;
    // items_ when there is none.
    std::size_t NextToTake() const;
    // Takes item `item` and makes it as `maker`, the lock released meanwhile.
    void MakeTaken(std::unique_lock<std::mutex>& lock, std::size_t maker, std::size_t item);
    void PrepareItem(std::size_t item);
    void Stop() noexcept;

    std::size_t items_;
    Prepare prepare_;
    Make make_;
    std::vector<std::size_t> weights_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable made_;      // an item is made
    std::condition_variable prepared_;  // an item is prepared, or the workers stop
    std::size_t preparedItems_ = 0;     // items 0 to this - 1 are prepared
    std::size_t untaken_ = 0;           // items before this one are all taken
    bool started_ = false;              // the first items are prepared
    bool failed_ = false;               // an item could not be prepared: none after it is
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace kestrane
