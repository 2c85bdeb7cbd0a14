// Runs a long calculation on a worker thread while the window stays responsive.
// The work reports one step at a time from its thread; the steps and the end
// arrive in the window's thread as queued signals. A stop request is a flag the
// work polls between its steps.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>

class QThread;

namespace tarvex {

class CalcRunner : public QObject {
    Q_OBJECT

  public:
    // The work gets a function to call after each step and the stop flag to poll.
    using Work =
        std::function<void(const std::function<void()>& step, const std::atomic<bool>& stop)>;

    explicit CalcRunner(QObject* parent = nullptr);
    ~CalcRunner() override;

    // False when a calculation is already running.
    bool Start(Work work);
    bool Running() const { return thread_ != nullptr; }
    void RequestStop() { stop_ = true; }
    // Asks the work to stop and waits until its thread has ended (window closing).
    void StopAndWait();

  Q_SIGNALS:
    void stepped();
    // The work has returned; emitted in the window's thread after the thread ended.
    void finished();

  private:
    QThread* thread_ = nullptr;
    std::atomic<bool> stop_{false};
};

}  // namespace tarvex
