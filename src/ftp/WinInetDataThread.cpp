#include "ftp/WinInetDataThread.h"

#include "ftp/FtpTransfer.h"
#include "ftp/WinInetFailure.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kSlice(100);
// How long a call may take to come back after a stop before it is given up.
constexpr std::chrono::milliseconds kStopGrace(1000);
// Writes go out in parts, so that a slow line still shows progress, a stop is
// heard after one part and the silence limit counts from the last part.
constexpr DWORD kWritePart = 64 * 1024;

}  // namespace

struct WinInetDataThread::Shared {
    std::mutex lock;
    std::condition_variable wake;      // a job for the thread
    std::condition_variable finished;  // the job returned
    Job job = Job::kNone;
    int block = 0;
    DWORD size = 0;                    // to move; afterwards, moved
    std::atomic<DWORD> progress{0};
    std::atomic<bool> quit{false};
    bool ok = true;
    FtpFailure failure;
    bool gaveUp = false;
    std::vector<char> blocks[2] = {std::vector<char>(kTransferBlockSize), std::vector<char>(kTransferBlockSize)};
    HINTERNET file = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET internet = nullptr;
    std::wstring password;
};

WinInetDataThread::WinInetDataThread(DWORD silenceLimitMs)
    : m_shared(std::make_shared<Shared>()), m_silenceLimitMs(silenceLimitMs)
{
    m_thread = std::thread(Work, m_shared);
}

void WinInetDataThread::Attach(HINTERNET file, HINTERNET connection, HINTERNET internet, const std::wstring& password)
{
    Settle();
    const std::lock_guard<std::mutex> guard(m_shared->lock);
    m_shared->file = file;
    m_shared->connection = connection;
    m_shared->internet = internet;
    m_shared->password = password;
    m_failure = FtpFailure();
}

WinInetDataThread::~WinInetDataThread()
{
    if (Settle()) {
        m_thread.detach();
        return;
    }
    {
        const std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->job = Job::kEnd;
    }
    m_shared->wake.notify_one();
    m_thread.join();
}

bool WinInetDataThread::Settle()
{
    if (m_running)
        Finish([](DWORD) { return false; });
    return m_gaveUp;
}

std::vector<char>& WinInetDataThread::Block(int index) { return m_shared->blocks[index & 1]; }

void WinInetDataThread::StartRead(int block) { Start(Job::kRead, block, static_cast<DWORD>(kTransferBlockSize)); }

void WinInetDataThread::StartWrite(int block, DWORD size)
{
    Start(Job::kWrite, block, std::min(size, static_cast<DWORD>(kTransferBlockSize)));
}

void WinInetDataThread::Start(Job job, int block, DWORD size)
{
    {
        const std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->job = job;
        m_shared->block = block & 1;
        m_shared->size = size;
        m_shared->progress = 0;
        m_shared->quit = false;
    }
    m_shared->wake.notify_one();
    m_running = true;
}

void WinInetDataThread::Work(const std::shared_ptr<Shared>& shared)
{
    Shared& s = *shared;
    std::unique_lock<std::mutex> lock(s.lock);
    for (;;) {
        s.wake.wait(lock, [&] { return s.job != Job::kNone; });
        if (s.job == Job::kEnd)
            return;
        const Job job = s.job;
        const DWORD size = s.size;
        char* const data = s.blocks[s.block].data();
        lock.unlock();
        bool ok = true;
        FtpFailure failure;
        DWORD done = 0;
        while (done < size && !s.quit) {
            DWORD moved = 0;
            ok = job == Job::kRead ? ::InternetReadFile(s.file, data + done, size - done, &moved) != FALSE
                                   : ::InternetWriteFile(s.file, data + done, std::min(size - done, kWritePart),
                                                         &moved) != FALSE;
            if (!ok) {
                failure = FailureOfLastCall(s.password);
                break;
            }
            if (moved == 0)
                break;  // the end of a download; a write that took nothing is caught by the caller
            done += moved;
            s.progress = done;
        }
        lock.lock();
        s.job = Job::kNone;
        s.size = done;
        s.ok = ok;
        s.failure = failure;
        if (s.gaveUp) {
            for (HINTERNET handle : {s.file, s.connection, s.internet})
                if (handle)
                    ::InternetCloseHandle(handle);
            return;
        }
        s.finished.notify_one();
    }
}

WinInetDataThread::Result WinInetDataThread::Finish(const Waiting& waiting)
{
    if (!m_running)
        return {Outcome::kDone, 0};
    m_running = false;
    Shared& s = *m_shared;
    DWORD lastProgress = 0;
    Clock::time_point quietSince = Clock::now();
    Clock::time_point stoppedAt;
    bool stopping = false;
    std::unique_lock<std::mutex> lock(s.lock);
    while (!s.finished.wait_for(lock, kSlice, [&] { return s.job == Job::kNone; })) {
        lock.unlock();
        const DWORD progress = s.progress;
        const Clock::time_point now = Clock::now();
        if (progress != lastProgress) {
            lastProgress = progress;
            quietSince = now;
        }
        if (!stopping && waiting && !waiting(progress)) {
            stopping = true;
            stoppedAt = now;
            s.quit = true;
        }
        const bool silent = now - quietSince > std::chrono::milliseconds(m_silenceLimitMs);
        const bool unanswered = stopping && now - stoppedAt > kStopGrace;
        lock.lock();
        if ((silent || unanswered) && s.job != Job::kNone) {
            s.gaveUp = true;
            m_gaveUp = true;
            if (!stopping)
                m_failure = {FtpFailureKind::kNoAnswer, ERROR_INTERNET_TIMEOUT, std::wstring()};
            return {stopping ? Outcome::kStopped : Outcome::kSilent, progress};
        }
    }
    if (!s.ok) {
        m_failure = s.failure;
        return {Outcome::kFailed, s.size};
    }
    return {stopping ? Outcome::kStopped : Outcome::kDone, s.size};
}
