// Runs the answer maker off the GUI thread: the first job reads the word
// data (once for the program's life), every job then makes one set from a
// source text. A job can be cancelled at any time; the search gives up
// within a few thousand words tried. Only a finished job's result comes
// back, through `finished` on the GUI thread; a cancelled one's is dropped.
#pragma once
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "maker/Lexicon.h"
#include "maker/PuzzleMaker.h"

class QThread;

class MakerWorker : public QObject {
    Q_OBJECT
public:
    explicit MakerWorker(QObject* parent = nullptr);
    // Cancels a running job and waits for its thread.
    ~MakerWorker() override;

    // Reads the word data in the background unless it is read or being read.
    void preload();
    // Starts making a set from `request` (a source text for makePuzzle);
    // while the word data is still being read the job starts once it is.
    void start(const std::string& request, const std::string& title, const vlq::MakeOptions& options);
    // Drops the job: the search stops, `finished` does not come for it.
    void cancel();
    // Whether a job was started and has neither finished nor been cancelled.
    bool busy() const { return pending_.has_value() || (running_ && !running_->loadOnly && !running_->cancel); }
    // Whether a thread of the worker runs (a job, or one winding down after Cancel).
    bool working() const { return thread_ != nullptr; }
    // The share (0..1) of the running search's time limit spent; 0 while
    // the word data is being read.
    double progress() const;

    // Null until the word data was read.
    std::shared_ptr<const vlq::Lexicon> lexicon() const { return lexicon_; }
    // Why the word data could not be read; empty when it could.
    QString lexiconError() const { return lexiconError_; }

signals:
    void lexiconReady();
    void finished(const vlq::MakeResult& result);
    // The word data cannot be read (see lexiconError()); the job is dropped.
    void failed(const QString& why);

private:
    struct Job {
        std::atomic<bool> cancel = false;
        bool loadOnly = false;
        std::string request, title;
        vlq::MakeOptions options;
        std::shared_ptr<const vlq::Lexicon> lexicon; // given, or read by the job
        std::string lexiconError;
        vlq::MakeResult result;
        std::chrono::steady_clock::time_point searchStart{};
        std::atomic<bool> searching = false;
    };
    struct Pending {
        std::string request, title;
        vlq::MakeOptions options;
    };

    void launch(std::shared_ptr<Job> job);
    void jobEnded();

    std::shared_ptr<const vlq::Lexicon> lexicon_;
    QString lexiconError_;
    std::shared_ptr<Job> running_;
    QThread* thread_ = nullptr;
    std::optional<Pending> pending_;
};
