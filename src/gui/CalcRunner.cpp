#include "gui/CalcRunner.h"

#include <QMetaObject>
#include <QThread>

namespace tarvex {

CalcRunner::CalcRunner(QObject* parent) : QObject(parent) {}

CalcRunner::~CalcRunner() {
    // The queued end can no longer arrive: the thread is released here.
    StopAndWait();
    delete thread_;
}

bool CalcRunner::Start(Work work) {
    if (thread_) return false;
    stop_ = false;
    thread_ = QThread::create([this, work = std::move(work)] {
        work(
            [this] { QMetaObject::invokeMethod(this, &CalcRunner::stepped, Qt::QueuedConnection); },
            stop_);
    });
    connect(thread_, &QThread::finished, this, [this] {
        thread_->deleteLater();
        thread_ = nullptr;
        Q_EMIT finished();
    });
    thread_->start();
    return true;
}

void CalcRunner::StopAndWait() {
    if (!thread_) return;
    stop_ = true;
    thread_->wait();
}

}  // namespace tarvex
