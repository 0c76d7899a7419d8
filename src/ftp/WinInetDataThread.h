// The data calls of one open FTP file (InternetReadFile, InternetWriteFile),
// made on a thread of their own. Wine waits on a silent data connection
// without any time limit, and the window must not wait with it: the caller
// waits in slices of a tenth of a second, is told the bytes moved so far
// between them (where it lets the window's messages through and may ask to
// stop), and gives a call up after a silence of the time limit, or a second
// after a stop the call does not come back from. A call given up keeps its
// thread, which closes the file and the handles handed over once the call
// returns; until then the session must not touch them.
#pragma once

#include "ftp/FtpFailure.h"

#include <windows.h>
#include <wininet.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class WinInetDataThread {
public:
    enum class Outcome {
        kDone,     // the call returned
        kFailed,   // the call failed; Failure() says why
        kStopped,  // the caller asked to stop
        kSilent,   // no byte moved for the time limit
    };
    struct Result {
        Outcome outcome;
        DWORD bytes;  // moved by the call
    };
    // Told the bytes the call has moved so far; false asks to stop.
    using Waiting = std::function<bool(DWORD bytes)>;

    // The session's connection and Internet handles go to the thread if a
    // call is given up.
    WinInetDataThread(HINTERNET file, HINTERNET connection, HINTERNET internet, const std::wstring& password,
                      DWORD silenceLimitMs);
    ~WinInetDataThread();
    WinInetDataThread(const WinInetDataThread&) = delete;
    WinInetDataThread& operator=(const WinInetDataThread&) = delete;

    // The block the calls read into and write from.
    std::vector<char>& Block();
    // Fills the block from the file; fewer bytes only at the file's end.
    Result Read(const Waiting& waiting);
    // Writes the first `size` bytes of the block to the file.
    Result Write(DWORD size, const Waiting& waiting);

    const FtpFailure& Failure() const { return m_failure; }
    // A call was given up: the file and the handles are the thread's now.
    bool GaveUp() const { return m_gaveUp; }

private:
    struct Shared;
    enum class Job { kNone, kRead, kWrite, kEnd };

    static void Work(const std::shared_ptr<Shared>& shared);
    Result Run(Job job, DWORD size, const Waiting& waiting);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    DWORD m_silenceLimitMs;
    FtpFailure m_failure;
    bool m_gaveUp = false;
};
