// The engines of the FTP work, each on primitives of its own and all sharing
// what they learn of the servers' transfer modes. An engine is taken by one
// job at a time and given back when the job ends, with its session kept
// for the next one; an engine a job never gives back (the job was given up)
// is simply replaced. Safe to use from several threads.
#pragma once

#include "ftp/FtpEngine.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class FtpEnginePool {
public:
    using Factory = std::function<std::unique_ptr<FtpPrimitives>()>;

    explicit FtpEnginePool(Factory factory, FtpEngine::Clock clock = {});

    // The engine given back last (its session is the one most likely
    // wanted), or a new one.
    std::shared_ptr<FtpEngine> Take();
    void Give(std::shared_ptr<FtpEngine> engine);
    // Closes the sessions of the engines no job holds that have been idle
    // for their limit.
    void CloseIdleSessions();
    // Whether an engine no job holds has a session idle for its limit.
    bool HasIdleSessions() const;

    FtpModeMemory& Modes() { return *m_modes; }

private:
    Factory m_factory;
    FtpEngine::Clock m_clock;
    std::shared_ptr<FtpModeMemory> m_modes = std::make_shared<FtpModeMemory>();
    mutable std::mutex m_lock;
    std::vector<std::shared_ptr<FtpEngine>> m_idle;  // the last given back at the end
};
