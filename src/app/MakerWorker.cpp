#include "app/MakerWorker.h"

#include <QThread>

#ifdef __linux__
#include <sys/resource.h>
#endif

#include <algorithm>
#include <exception>

namespace {
[[maybe_unused]] constexpr int kWorkerNice = 10;
} // namespace

MakerWorker::MakerWorker(QObject* parent) : QObject(parent) {}

MakerWorker::~MakerWorker() {
    pending_.reset();
    if (!thread_) return;
    running_->cancel = true;
    thread_->wait();
    delete thread_;
}

void MakerWorker::preload() {
    if (lexicon_ || thread_ || !lexiconError_.isEmpty()) return;
    auto job = std::make_shared<Job>();
    job->loadOnly = true;
    launch(job);
}

void MakerWorker::start(const std::string& request, const std::string& title, const vlq::MakeOptions& options) {
    if (!lexiconError_.isEmpty()) {
        emit failed(lexiconError_);
        return;
    }
    if (thread_) {
        // After the word data is read, or after the search that is winding down.
        pending_ = Pending{request, title, options};
        if (!running_->loadOnly) running_->cancel = true;
        return;
    }
    auto job = std::make_shared<Job>();
    job->request = request;
    job->title = title;
    job->options = options;
    launch(job);
}

void MakerWorker::cancel() {
    pending_.reset();
    if (running_ && !running_->loadOnly) running_->cancel = true;
}

double MakerWorker::progress() const {
    if (!running_ || !running_->searching || running_->options.seconds <= 0) return 0;
    const double spent =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - running_->searchStart).count();
    return std::clamp(spent / running_->options.seconds, 0.0, 1.0);
}

void MakerWorker::launch(std::shared_ptr<Job> job) {
    job->lexicon = lexicon_;
    job->options.cancel = &job->cancel;
    running_ = job;
    // The thread holds the job: it outlives a worker that stops waiting for it.
    thread_ = QThread::create([job] {
#ifdef __linux__
        // Below the window in the processors' favour, and so are the
        // maker's search threads, which take this thread's nice value.
        setpriority(PRIO_PROCESS, 0, kWorkerNice);
#endif
        if (!job->lexicon) {
            try {
                job->lexicon = std::make_shared<const vlq::Lexicon>(vlq::Lexicon::load(vlq::LexiconPaths::debian()));
            } catch (const std::exception& e) {
                job->lexiconError = e.what();
                return;
            }
        }
        if (job->loadOnly || job->cancel) return;
        job->searchStart = std::chrono::steady_clock::now();
        job->searching = true;
        try {
            job->result = vlq::makePuzzle(job->request, job->title, *job->lexicon, job->options);
        } catch (const std::exception& e) {
            job->result = {};
            job->result.problems.push_back({0, e.what()});
        }
    });
    connect(thread_, &QThread::finished, this, &MakerWorker::jobEnded);
    thread_->start();
}

void MakerWorker::jobEnded() {
    const std::shared_ptr<Job> job = std::move(running_);
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    if (!job) return;
    if (job->lexicon && !lexicon_) {
        lexicon_ = job->lexicon;
        emit lexiconReady();
    }
    if (!job->lexiconError.empty()) {
        lexiconError_ = QString::fromStdString(job->lexiconError);
        const bool asked = (!job->loadOnly && !job->cancel) || pending_;
        pending_.reset();
        if (asked) emit failed(lexiconError_);
        return;
    }
    if (!job->loadOnly && !job->cancel) emit finished(job->result);
    if (pending_) {
        const Pending next = *pending_;
        pending_.reset();
        start(next.request, next.title, next.options);
    }
}
