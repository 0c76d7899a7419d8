// FTP jobs on worker threads. A job gets a thread of its own and engines
// from the pool; what it posts reaches the window's thread through a
// message-only window and is applied there in order. One job runs at a time;
// the busy listener hears when one starts and when it ends. Stop sets a flag
// the job's engines ask between their steps; a job that has not ended a
// second later (a WinINet call that does not come back) is given up: its
// thread keeps its engines until the call returns and then ends, and nothing
// of it is applied. Sessions idle for their limit are closed off the
// window's thread as well.
#pragma once

#include "ftp/FtpEnginePool.h"
#include "ftp/FtpJobs.h"

#include <windows.h>

#include <functional>
#include <memory>

class FtpWork : public FtpJobs {
public:
    // How long a stopped job may take to end before it is given up.
    static constexpr UINT kGiveUpMs = 1000;

    explicit FtpWork(std::shared_ptr<FtpEnginePool> pool);
    ~FtpWork() override;
    FtpWork(const FtpWork&) = delete;
    FtpWork& operator=(const FtpWork&) = delete;

    // Told true with the job's kind when a job starts, false when it ended
    // or was given up and its apply (which may start the next job) has run.
    void SetBusyListener(std::function<void(bool busy, FtpWorkKind kind)> listener)
    {
        m_busyListener = std::move(listener);
    }

    bool Start(FtpWorkKind kind, Job job, FtpApply onGivenUp = {}) override;
    bool IsBusy() const override { return m_run != nullptr; }
    void Stop() override;
    std::optional<FtpMode> TakeModeSwitch() override { return m_pool->Modes().TakeModeSwitch(); }

private:
    struct Run;
    class Context;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Execute(std::shared_ptr<Run> run, Job job);
    // Applies what the running job posted; ends it when it has finished.
    void Drain();
    void GiveUp();
    void Ended(FtpApply last);

    std::shared_ptr<FtpEnginePool> m_pool;
    HWND m_window = nullptr;
    std::shared_ptr<Run> m_run;
    std::function<void(bool, FtpWorkKind)> m_busyListener;
};
