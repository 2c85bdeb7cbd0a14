#include "optimizer/EvaluationPool.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tarvex {

namespace {

// Between two generations the running thread works alone only briefly. Waiting
// that long awake keeps each thread on its own core: a thread put to sleep is
// woken on its waker's core when the others are busy, and then waits for it.
constexpr auto kSpin = std::chrono::milliseconds(2);

template <class Done>
bool SpinUntil(Done done) {
    const auto until = std::chrono::steady_clock::now() + kSpin;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::yield();
    }
    return true;
}

}  // namespace

EvaluationPool::EvaluationPool(int threads) {
    const int helpers = std::max(threads, 1) - 1;
    workers_.reserve(helpers);
    for (int i = 0; i < helpers; ++i)
        workers_.emplace_back([this](std::stop_token stop) { Work(stop); });
}

// The threads are stopped and joined by their own destructors; a stop request
// wakes a waiting thread.
EvaluationPool::~EvaluationPool() = default;

void EvaluationPool::Run(int count, const Task& task) {
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        count_ = count;
        next_.store(0);
        busy_.store(static_cast<int>(workers_.size()));
        error_ = nullptr;
        round_.fetch_add(1, std::memory_order_release);
    }
    wake_.notify_all();
    Drain(ownList_);
    if (!SpinUntil([this] { return busy_.load(std::memory_order_acquire) == 0; })) {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return busy_.load(std::memory_order_acquire) == 0; });
    }
    std::exception_ptr error;
    {
        std::lock_guard lock(mutex_);
        task_ = nullptr;
        error = std::exchange(error_, nullptr);
    }
    if (error) std::rethrow_exception(error);
}

bool EvaluationPool::AwaitRound(std::uint64_t seen, std::stop_token stop) {
    auto started = [&] { return round_.load(std::memory_order_acquire) != seen; };
    if (SpinUntil([&] { return started() || stop.stop_requested(); }))
        return !stop.stop_requested();
    std::unique_lock lock(mutex_);
    return wake_.wait(lock, stop, started);
}

void EvaluationPool::Work(std::stop_token stop) {
    WorkList list;
    std::uint64_t seen = 0;
    while (AwaitRound(seen, stop)) {
        seen = round_.load(std::memory_order_acquire);
        Drain(list);
        if (busy_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            std::lock_guard lock(mutex_);
            idle_.notify_one();
        }
    }
}

void EvaluationPool::Drain(WorkList& list) {
    for (int i = next_.fetch_add(1); i < count_; i = next_.fetch_add(1)) {
        try {
            (*task_)(i, list);
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!error_) error_ = std::current_exception();
        }
    }
}

}  // namespace tarvex
