// FTP work as jobs: a job runs off the window's thread on engines of its own
// and hands back what the window is to do with its result. Whatever it
// wants shown on the way (progress, the entry being deleted) it posts; the
// one thing it waits for is an answer of the user's (the replace question).
// The program runs jobs on worker threads (FtpWork); the native tests run
// them at once on the fake server.
#pragma once

#include "ftp/FtpEngine.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Runs on the window's thread.
using FtpApply = std::function<void()>;

// What the status line says while a job runs.
enum class FtpWorkKind { kListing, kCreating, kDeleting, kRenaming, kTransfer, kCheck };

class FtpJobContext {
public:
    virtual ~FtpJobContext() = default;

    // The job's engine: the one used last, whose session is the likeliest
    // to be logged in already.
    virtual FtpEngine& Engine() = 0;
    // Engines for work side by side, each with its own session; given back
    // when the job ends.
    virtual std::vector<FtpEngine*> MoreEngines(int count) = 0;
    // Stop, Esc or the window closing.
    virtual bool StopRequested() const = 0;
    // Runs the apply on the window's thread soon, after those posted before.
    virtual void Post(FtpApply apply) = 0;
    // Runs the question on the window's thread and waits until it has run;
    // false when the job was stopped first (the question's answer is then
    // not to be used). One question at a time.
    virtual bool Ask(const FtpApply& question) = 0;
};

class FtpJobs {
public:
    // The apply it returns runs on the window's thread once the job has
    // ended: another job may start from it.
    using Job = std::function<FtpApply(FtpJobContext& context)>;

    virtual ~FtpJobs() = default;

    // False, running nothing, while another job runs. A job that a stop
    // does not end within a second is given up: onGivenUp runs instead of
    // its apply, and nothing it posts is applied any more.
    virtual bool Start(FtpWorkKind kind, Job job, FtpApply onGivenUp = {}) = 0;
    virtual bool IsBusy() const = 0;
    // Asks the running job to stop.
    virtual void Stop() = 0;
    // The mode a fallback switched to since the last call, told once.
    virtual std::optional<FtpMode> TakeModeSwitch() = 0;
};
