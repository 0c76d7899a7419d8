// What the benchmarks share: the wall time of one run, the median of several,
// the FTP engine as the program builds it, and a login of their own through
// WinINet for the calls the program does not make.
#pragma once

#include "ftp/FtpEngine.h"
#include "ftp/WinInetFtp.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iterator>
#include <thread>
#include <functional>
#include <string>
#include <vector>

namespace bench {

inline double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline FtpEngine& Engine()
{
    static WinInetFtp winInet;
    static FtpEngine engine(winInet);
    return engine;
}

// One FTP login through WinINet, closed when the object goes: binary
// transfers with the whole-file calls, in passive or active mode.
class WinInetLogin {
public:
    WinInetLogin(INTERNET_PORT port, const std::wstring& user, const std::wstring& password, bool passive)
    {
        m_internet = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        if (m_internet)
            m_ftp = ::InternetConnectW(m_internet, L"127.0.0.1", port, user.c_str(), password.c_str(),
                                       INTERNET_SERVICE_FTP, passive ? INTERNET_FLAG_PASSIVE : 0, 0);
    }
    ~WinInetLogin()
    {
        if (m_ftp)
            ::InternetCloseHandle(m_ftp);
        if (m_internet)
            ::InternetCloseHandle(m_internet);
    }
    WinInetLogin(const WinInetLogin&) = delete;
    WinInetLogin& operator=(const WinInetLogin&) = delete;

    // remotePath is relative to the login directory ("folder/name").
    bool Get(const std::wstring& remotePath, const std::wstring& localPath) const
    {
        return m_ftp && ::FtpGetFileW(m_ftp, remotePath.c_str(), localPath.c_str(), FALSE, FILE_ATTRIBUTE_NORMAL,
                                      FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0);
    }
    bool Put(const std::wstring& localPath, const std::wstring& remotePath) const
    {
        return m_ftp && ::FtpPutFileW(m_ftp, localPath.c_str(), remotePath.c_str(), FTP_TRANSFER_TYPE_BINARY, 0);
    }

private:
    HINTERNET m_internet = nullptr;
    HINTERNET m_ftp = nullptr;
};

// Sends WM_GETTEXT to a window from a thread of its own every
// kIntervalMs and records how long each answer took, until stopped.
class AnswerProbe {
public:
    static constexpr DWORD kIntervalMs = 20;
    static constexpr UINT kLimitMs = 60000;

    explicit AnswerProbe(HWND window) : m_window(window), m_thread([this] { Run(); }) {}
    ~AnswerProbe()
    {
        if (m_thread.joinable())
            Stop();
    }

    // The answer times in ms. Handles this thread's messages while it waits,
    // so that a question sent just now is answered rather than timed out.
    std::vector<double> Stop()
    {
        m_stop = true;
        while (!m_finished) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::Sleep(1);
        }
        m_thread.join();
        return m_times;
    }

private:
    void Run()
    {
        while (!m_stop) {
            wchar_t title[256] = {};
            DWORD_PTR copied = 0;
            m_times.push_back(Milliseconds([&] {
                ::SendMessageTimeoutW(m_window, WM_GETTEXT, std::size(title), reinterpret_cast<LPARAM>(title),
                                      SMTO_NORMAL, kLimitMs, &copied);
            }));
            ::Sleep(kIntervalMs);
        }
        m_finished = true;
    }

    HWND m_window;
    std::vector<double> m_times;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;  // last: starts once the members above exist
};

}  // namespace bench
