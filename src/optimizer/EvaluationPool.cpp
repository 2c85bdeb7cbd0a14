#include "optimizer/EvaluationPool.h"

#include <algorithm>
#include <utility>

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
        busy_ = static_cast<int>(workers_.size());
        error_ = nullptr;
        ++round_;
    }
    wake_.notify_all();
    Drain(ownList_);
    std::exception_ptr error;
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return busy_ == 0; });
        task_ = nullptr;
        error = std::exchange(error_, nullptr);
    }
    if (error) std::rethrow_exception(error);
}

void EvaluationPool::Work(std::stop_token stop) {
    WorkList list;
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [&] { return round_ != seen; })) return;
            seen = round_;
        }
        Drain(list);
        std::lock_guard lock(mutex_);
        if (--busy_ == 0) idle_.notify_one();
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
