// Runs a balancing search on a worker thread for the Balance dialog. The design is copied on
// the calling (GUI) thread before the thread starts, so the search never reads the live
// model; its progress and its result come back to the calling thread as queued calls, and
// cancelling sets the flag the search reads before every design it measures.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <atomic>
#include <memory>

#include "Balance.h"

class QThread;

namespace tarvell {

class BalanceRunner : public QObject {
    Q_OBJECT

  public:
    explicit BalanceRunner(QObject* parent = nullptr);
    // Stops a search still running and waits for its thread.
    ~BalanceRunner() override;
    BalanceRunner(const BalanceRunner&) = delete;
    BalanceRunner& operator=(const BalanceRunner&) = delete;

    // Starts searching `request` on a copy of `design`; false when a search is running.
    bool start(const Model& design, const BalanceRequest& request);
    bool running() const { return thread_ != nullptr; }
    // Asks the running search to stop: it ends after the design it is measuring and reports
    // a Cancelled result.
    void cancel();
    // Cancels a running search and waits until its thread has ended; its result, if it had
    // one still on the way, is dropped.
    void stopAndWait();
    // Milliseconds from the start of the last search to its result.
    qint64 lastRunMs() const { return lastRunMs_; }

  signals:
    // On the calling thread, after every design measured.
    void progressed(const tarvell::BalanceProgress& progress);
    // On the calling thread, once per search that was not stopped with stopAndWait.
    void finished(const tarvell::BalanceResult& result);

  private:
    void endThread();

    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
    int run_ = 0;  // numbers each search, so calls from an abandoned one are dropped
    QElapsedTimer clock_;
    qint64 lastRunMs_ = 0;
};

}  // namespace tarvell
