// Long work off the GUI thread: one job at a time per worker, each with its own cancel flag and a
// generation number. Starting a job cancels the one before; whatever a replaced or cancelled job
// still posts is dropped on arrival. The destructor cancels and joins, so closing never waits
// longer than the library takes to notice its flag.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace kz::atlas {

class Worker : public QObject {
    Q_OBJECT
  public:
    // What the work function gets: the Watch to hand the library, and a way back to the window.
    class Job {
      public:
        const kehr::Watch &watch() const { return m_watch; }
        bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
        // Runs apply on the GUI thread, unless this job has been replaced or cancelled by then.
        void post(std::function<void()> apply);

      private:
        friend class Worker;
        Job(Worker *worker, quint64 generation);
        Worker *m_worker;
        quint64 m_generation;
        std::atomic<bool> m_cancel{false};
        std::atomic<bool> m_done{false};
        kehr::Watch m_watch;
    };
    using Work = std::function<void(Job &)>;

    explicit Worker(QObject *parent = nullptr);
    ~Worker() override;

    // Cancels the running job and starts work on a thread of its own.
    void start(Work work);
    // Cancels the running job: nothing it posts arrives any more, and finished(false) follows.
    void cancel();
    bool busy() const { return m_busy; }
    // The last job was cancelled before it completed: its results on screen are partial.
    bool cancelled() const { return m_cancelled; }
    // Waits for every thread that has been started; the GUI thread does this only when closing.
    void cancelAndJoin();

  signals:
    void started();
    // The share of the current job done, from 0 to 1.
    void progressed(double share);
    // The current job has ended, its last post applied; completed is false when it was cancelled.
    void finished(bool completed);

  private:
    struct Running {
        std::shared_ptr<Job> job;
        std::thread thread;
    };
    void reap(bool all);
    void end(bool completed);

    std::vector<Running> m_running;
    std::shared_ptr<Job> m_current;
    quint64 m_generation = 0;
    bool m_busy = false;
    bool m_cancelled = false;
};

} // namespace kz::atlas
