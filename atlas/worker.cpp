#include "atlas/worker.h"

#include <QMetaObject>

namespace kz::atlas {

Worker::Job::Job(Worker *worker, quint64 generation) : m_worker(worker), m_generation(generation)
{
    m_watch.cancel = &m_cancel;
    m_watch.progress = [this](double share) {
        post([worker = m_worker, share] { emit worker->progressed(share); });
    };
}

void Worker::Job::post(std::function<void()> apply)
{
    // The worker joins every thread before it goes, so it outlives each post; Qt drops what is
    // still queued for it when it is deleted.
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker, generation = m_generation, apply = std::move(apply)] {
            if (generation == worker->m_generation && worker->m_busy)
                apply();
        },
        Qt::QueuedConnection);
}

Worker::Worker(QObject *parent) : QObject(parent) {}

Worker::~Worker()
{
    cancelAndJoin();
}

void Worker::start(Work work)
{
    if (m_current)
        m_current->m_cancel = true;
    reap(false);
    m_current.reset(new Job(this, ++m_generation));
    m_busy = true;
    m_cancelled = false;
    emit started();
    std::shared_ptr<Job> job = m_current;
    std::thread thread([job, work = std::move(work)] {
        // Whatever the work throws (memory run out, above all) ends it as cancelled, not the
        // program.
        try {
            work(*job);
        } catch (...) {
            job->m_cancel = true;
        }
        const bool completed = !job->cancelled();
        job->post([worker = job->m_worker, completed] { worker->end(completed); });
        job->m_done = true;
    });
    m_running.push_back({std::move(job), std::move(thread)});
}

void Worker::cancel()
{
    if (!m_current)
        return;
    m_current->m_cancel = true;
    m_current.reset();
    ++m_generation;
    if (m_busy)
        end(false);
}

void Worker::end(bool completed)
{
    m_busy = false;
    m_cancelled = !completed;
    reap(false);
    emit finished(completed);
}

void Worker::cancelAndJoin()
{
    if (m_current)
        m_current->m_cancel = true;
    m_current.reset();
    ++m_generation;
    m_busy = false;
    reap(true);
}

void Worker::reap(bool all)
{
    std::erase_if(m_running, [all](Running &r) {
        if (!all && !r.job->m_done)
            return false;
        r.job->m_cancel = true;
        r.thread.join();
        return true;
    });
}

} // namespace kz::atlas
