#include "ftp/FtpWork.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

const wchar_t* const kWindowClass = L"FTPTandrilFtpWork";
constexpr UINT kWake = WM_APP + 1;
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT_PTR kIdleTimer = 2;
// How often idle sessions are looked for.
constexpr UINT kIdleCheckMs = 5000;

}  // namespace

struct FtpWork::Run {
    std::shared_ptr<FtpEnginePool> pool;
    HWND window = nullptr;
    FtpWorkKind kind = FtpWorkKind::kListing;
    FtpApply onGivenUp;
    std::atomic<bool> stop{false};

    std::mutex lock;
    std::condition_variable answered;
    std::deque<FtpApply> posted;
    bool finished = false;  // the job returned; `last` is its apply
    FtpApply last;
    bool givenUp = false;
    std::vector<std::shared_ptr<FtpEngine>> engines;  // the job's; the first is Engine()

    std::mutex asking;  // one question at a time

    void Wake() const { ::PostMessageW(window, kWake, 0, 0); }

    std::shared_ptr<FtpEngine> TakeEngine(const std::shared_ptr<Run>& self)
    {
        std::shared_ptr<FtpEngine> engine = pool->Take();
        std::weak_ptr<Run> weak = self;
        engine->SetStop([weak] {
            const std::shared_ptr<Run> run = weak.lock();
            return !run || run->stop;
        });
        const std::lock_guard<std::mutex> guard(lock);
        engines.push_back(engine);
        return engine;
    }
};

class FtpWork::Context : public FtpJobContext {
public:
    explicit Context(std::shared_ptr<Run> run) : m_run(std::move(run)) {}

    FtpEngine& Engine() override { return *m_run->engines.front(); }

    std::vector<FtpEngine*> MoreEngines(int count) override
    {
        std::vector<FtpEngine*> engines;
        for (int i = 0; i < count; ++i)
            engines.push_back(m_run->TakeEngine(m_run).get());
        return engines;
    }

    bool StopRequested() const override { return m_run->stop; }

    void Post(FtpApply apply) override
    {
        {
            const std::lock_guard<std::mutex> guard(m_run->lock);
            if (m_run->givenUp)
                return;
            m_run->posted.push_back(std::move(apply));
        }
        m_run->Wake();
    }

    bool Ask(const FtpApply& question) override
    {
        const std::lock_guard<std::mutex> oneAtATime(m_run->asking);
        const auto answered = std::make_shared<bool>(false);
        const std::shared_ptr<Run> run = m_run;
        Post([run, answered, question] {
            // A job stopped while its question waited no longer wants it.
            if (!run->stop)
                question();
            const std::lock_guard<std::mutex> guard(run->lock);
            *answered = true;
            run->answered.notify_all();
        });
        std::unique_lock<std::mutex> lock(m_run->lock);
        while (!*answered) {
            if (m_run->stop || m_run->givenUp)
                return false;
            m_run->answered.wait_for(lock, std::chrono::milliseconds(100));
        }
        return true;
    }

private:
    std::shared_ptr<Run> m_run;
};

FtpWork::FtpWork(std::shared_ptr<FtpEnginePool> pool) : m_pool(std::move(pool))
{
    static const ATOM registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return ::RegisterClassW(&windowClass);
    }();
    (void)registered;
    m_window = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetTimer(m_window, kIdleTimer, kIdleCheckMs, nullptr);
}

FtpWork::~FtpWork()
{
    if (m_run) {
        const std::lock_guard<std::mutex> guard(m_run->lock);
        m_run->stop = true;
        m_run->givenUp = true;
        m_run->posted.clear();
    }
    ::DestroyWindow(m_window);
    // Closing a session waits for the server's goodbye, which a silent
    // server never sends: the sessions close off this thread.
    try {
        std::thread([pool = std::move(m_pool)]() mutable { pool.reset(); }).detach();
    } catch (const std::system_error&) {
    }
}

bool FtpWork::Start(FtpWorkKind kind, Job job, FtpApply onGivenUp)
{
    if (m_run)
        return false;
    auto run = std::make_shared<Run>();
    run->pool = m_pool;
    run->window = m_window;
    run->kind = kind;
    run->onGivenUp = std::move(onGivenUp);
    run->TakeEngine(run);
    m_run = run;
    if (m_busyListener)
        m_busyListener(true, kind);
    try {
        std::thread(Execute, run, std::move(job)).detach();
    } catch (const std::system_error&) {
        Execute(run, std::move(job));
    }
    return true;
}

void FtpWork::Execute(std::shared_ptr<Run> run, Job job)
{
    Context context(run);
    FtpApply last = job(context);
    {
        const std::lock_guard<std::mutex> guard(run->lock);
        if (!run->givenUp)
            for (std::shared_ptr<FtpEngine>& engine : run->engines)
                run->pool->Give(std::move(engine));
        run->finished = true;
        run->last = std::move(last);
    }
    run->Wake();
    // A given-up job's engines close their sessions here, on its own thread.
    std::vector<std::shared_ptr<FtpEngine>> engines;
    {
        const std::lock_guard<std::mutex> guard(run->lock);
        engines.swap(run->engines);
    }
}

void FtpWork::Stop()
{
    if (!m_run || m_run->stop)
        return;
    m_run->stop = true;
    ::SetTimer(m_window, kGiveUpTimer, kGiveUpMs, nullptr);
}

void FtpWork::Drain()
{
    const std::shared_ptr<Run> run = m_run;
    while (run && m_run == run) {
        FtpApply apply;
        bool finished = false;
        {
            const std::lock_guard<std::mutex> guard(run->lock);
            if (!run->posted.empty()) {
                apply = std::move(run->posted.front());
                run->posted.pop_front();
            } else if (run->finished) {
                finished = true;
                apply = std::move(run->last);
            } else {
                return;
            }
        }
        if (finished) {
            Ended(std::move(apply));
            return;
        }
        // An apply may show a message box, whose message loop drains further.
        if (apply)
            apply();
    }
}

void FtpWork::GiveUp()
{
    ::KillTimer(m_window, kGiveUpTimer);
    if (!m_run)
        return;
    FtpApply onGivenUp;
    {
        const std::lock_guard<std::mutex> guard(m_run->lock);
        if (m_run->finished)
            return;  // the end is on its way
        m_run->givenUp = true;
        m_run->posted.clear();
        m_run->answered.notify_all();
        onGivenUp = m_run->onGivenUp;
    }
    Ended(std::move(onGivenUp));
}

void FtpWork::Ended(FtpApply last)
{
    ::KillTimer(m_window, kGiveUpTimer);
    const FtpWorkKind kind = m_run->kind;
    m_run.reset();
    // The apply may start the next job (a refresh), which then holds the busy state.
    if (last)
        last();
    if (!m_run && m_busyListener)
        m_busyListener(false, kind);
}

LRESULT CALLBACK FtpWork::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* work = reinterpret_cast<FtpWork*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (work && message == kWake) {
        work->Drain();
        return 0;
    }
    if (work && message == WM_TIMER) {
        if (wParam == kGiveUpTimer) {
            work->GiveUp();
        } else if (wParam == kIdleTimer && !work->m_run && work->m_pool->HasIdleSessions()) {
            try {
                std::thread([pool = work->m_pool] { pool->CloseIdleSessions(); }).detach();
            } catch (const std::system_error&) {
            }
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
