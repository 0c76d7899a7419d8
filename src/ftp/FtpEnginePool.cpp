#include "ftp/FtpEnginePool.h"

namespace {

// An engine and the primitives it runs on, which live as long as it.
struct PooledEngine {
    explicit PooledEngine(std::unique_ptr<FtpPrimitives> primitives, const std::shared_ptr<FtpModeMemory>& modes,
                          const FtpEngine::Clock& clock)
        : ftp(std::move(primitives)), engine(*ftp, kMaxTreeFolders, modes, clock)
    {
    }
    std::unique_ptr<FtpPrimitives> ftp;
    FtpEngine engine;
};

}  // namespace

FtpEnginePool::FtpEnginePool(Factory factory, FtpEngine::Clock clock)
    : m_factory(std::move(factory)), m_clock(std::move(clock))
{
}

std::shared_ptr<FtpEngine> FtpEnginePool::Take()
{
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        if (!m_idle.empty()) {
            std::shared_ptr<FtpEngine> engine = std::move(m_idle.back());
            m_idle.pop_back();
            return engine;
        }
    }
    const auto pooled = std::make_shared<PooledEngine>(m_factory(), m_modes, m_clock);
    return std::shared_ptr<FtpEngine>(pooled, &pooled->engine);
}

void FtpEnginePool::Give(std::shared_ptr<FtpEngine> engine)
{
    if (!engine)
        return;
    engine->SetStop({});
    const std::lock_guard<std::mutex> guard(m_lock);
    m_idle.push_back(std::move(engine));
}

void FtpEnginePool::CloseIdleSessions()
{
    // Taken out while they close, so that no job gets one half closed.
    std::vector<std::shared_ptr<FtpEngine>> due;
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        for (auto it = m_idle.begin(); it != m_idle.end();) {
            if ((*it)->IsSessionIdle()) {
                due.push_back(std::move(*it));
                it = m_idle.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const std::shared_ptr<FtpEngine>& engine : due)
        engine->CloseSession();
    const std::lock_guard<std::mutex> guard(m_lock);
    m_idle.insert(m_idle.begin(), due.begin(), due.end());
}

bool FtpEnginePool::HasIdleSessions() const
{
    const std::lock_guard<std::mutex> guard(m_lock);
    for (const std::shared_ptr<FtpEngine>& engine : m_idle)
        if (engine->IsSessionIdle())
            return true;
    return false;
}
