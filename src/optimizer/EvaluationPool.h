// Runs the evaluations of a generation on a fixed set of threads that live for
// the whole run. Every thread keeps its own working list, so evaluations never
// share mutable state; the calling thread takes part as well.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "engine/Cut.h"

namespace tarvex {

class EvaluationPool {
  public:
    using Task = std::function<void(int index, WorkList& list)>;

    // threads: how many threads evaluate, the caller included; at least 1.
    explicit EvaluationPool(int threads);
    ~EvaluationPool();
    EvaluationPool(const EvaluationPool&) = delete;
    EvaluationPool& operator=(const EvaluationPool&) = delete;

    // Calls task(i, list) once for every i in 0 .. count - 1 and returns when all
    // calls are done; the first exception a call threw is thrown again here.
    void Run(int count, const Task& task);

    int Threads() const { return static_cast<int>(workers_.size()) + 1; }

  private:
    void Work(std::stop_token stop);
    bool AwaitRound(std::uint64_t seen, std::stop_token stop);
    void Drain(WorkList& list);

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::condition_variable_any idle_;
    const Task* task_ = nullptr;
    int count_ = 0;
    std::atomic<int> next_{0};
    std::atomic<int> busy_{0};
    std::atomic<std::uint64_t> round_{0};
    std::exception_ptr error_;
    WorkList ownList_;
    // Last, so that the threads are stopped and joined before the rest goes.
    std::vector<std::jthread> workers_;
};

}  // namespace tarvex
