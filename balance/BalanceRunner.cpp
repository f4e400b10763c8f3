// Running a balancing search on a worker thread (see BalanceRunner.h).
#include "BalanceRunner.h"

#include <QThread>

namespace tarvell {

BalanceRunner::BalanceRunner(QObject* parent) : QObject(parent) {}

BalanceRunner::~BalanceRunner() {
    stopAndWait();
}

bool BalanceRunner::start(const Model& design, const BalanceRequest& request) {
    if (thread_) return false;
    cancel_ = false;
    const int run = ++run_;
    auto copy = std::make_shared<const Model>(design);
    // The calls the thread posts run here only while this object lives (Qt drops them with
    // it) and only for the search still wanted.
    thread_.reset(QThread::create([this, run, copy, request] {
        BalanceControl control;
        control.cancel = &cancel_;
        control.onProgress = [this, run](const BalanceProgress& progress) {
            QMetaObject::invokeMethod(
                this,
                [this, run, progress] {
                    if (run == run_) emit progressed(progress);
                },
                Qt::QueuedConnection);
        };
        auto result = std::make_shared<const BalanceResult>(balanceDesign(*copy, request, control));
        QMetaObject::invokeMethod(
            this,
            [this, run, result] {
                if (run != run_) return;
                lastRunMs_ = clock_.elapsed();
                endThread();
                emit finished(*result);
            },
            Qt::QueuedConnection);
    }));
    clock_.start();
    thread_->start();
    return true;
}

void BalanceRunner::cancel() {
    cancel_ = true;
}

void BalanceRunner::stopAndWait() {
    if (!thread_) return;
    cancel_ = true;
    ++run_;
    endThread();
}

void BalanceRunner::endThread() {
    thread_->wait();
    thread_.reset();
}

}  // namespace tarvell
