// FTP jobs run at once on the calling thread, on engines from a pool over
// the fake server; what a job posts and asks runs at once too, one at a time
// (lanes of a batch post from threads of their own).
#pragma once

#include "FakeFtp.h"

#include "ftp/FtpEnginePool.h"
#include "ftp/FtpJobs.h"

#include <mutex>

class FakeJobs : public FtpJobs, private FtpJobContext {
public:
    explicit FakeJobs(FakeFtp& ftp, FtpEngine::Clock clock = {})
        : m_pool([&ftp] { return std::make_unique<Client>(ftp); }, std::move(clock))
    {
    }

    bool Start(FtpWorkKind kind, Job job, FtpApply = {}) override
    {
        if (m_busy)
            return false;
        kinds.push_back(kind);
        m_busy = true;
        m_engines = {Take()};
        const FtpApply last = job(*this);
        for (std::shared_ptr<FtpEngine>& engine : m_engines)
            m_pool.Give(std::move(engine));
        m_engines.clear();
        m_busy = false;
        if (last)
            last();
        return true;
    }
    bool IsBusy() const override { return m_busy; }
    void Stop() override { stop = true; }
    std::optional<FtpMode> TakeModeSwitch() override { return m_pool.Modes().TakeModeSwitch(); }

    std::vector<FtpWorkKind> kinds;  // of every job started
    bool stop = false;

private:
    // A client of the one fake server.
    struct Client : FtpPrimitives {
        explicit Client(FakeFtp& server) : ftp(server) {}
        std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                         const std::wstring& password, FtpMode mode) override
        {
            return ftp.Open(address, user, password, mode);
        }
        FtpFailure LastFailure() const override { return ftp.LastFailure(); }
        bool CanSendName(const std::wstring& name) const override { return ftp.CanSendName(name); }
        FakeFtp& ftp;
    };

    // Parts of uploads are named ".name.part-t", so that logs read the same each run.
    std::shared_ptr<FtpEngine> Take()
    {
        std::shared_ptr<FtpEngine> engine = m_pool.Take();
        engine->SetStop([this] { return stop; });
        engine->SetPartSuffix([] { return std::wstring(L"t"); });
        return engine;
    }
    FtpEngine& Engine() override { return *m_engines.front(); }
    std::vector<FtpEngine*> MoreEngines(int count) override
    {
        std::vector<FtpEngine*> engines;
        for (int i = 0; i < count; ++i) {
            m_engines.push_back(Take());
            engines.push_back(m_engines.back().get());
        }
        return engines;
    }
    bool StopRequested() const override { return stop; }
    void Post(FtpApply apply) override
    {
        const std::lock_guard<std::mutex> guard(m_window);
        apply();
    }
    bool Ask(const FtpApply& question) override
    {
        const std::lock_guard<std::mutex> guard(m_window);
        question();
        return !stop;
    }

    FtpEnginePool m_pool;
    std::vector<std::shared_ptr<FtpEngine>> m_engines;
    std::mutex m_window;  // the window's one thread
    bool m_busy = false;
};
