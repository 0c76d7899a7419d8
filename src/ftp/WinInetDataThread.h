// The data calls of one open FTP file (InternetReadFile, InternetWriteFile),
// made on a thread of their own. Wine waits on a silent data connection
// without any time limit, and the window must not wait with it: the caller
// waits in slices of a tenth of a second, is told the bytes moved so far
// between them (where it lets the window's messages through and may ask to
// stop), and gives a call up after a silence of the time limit, or a second
// after a stop the call does not come back from. A call given up keeps its
// thread, which closes the file and the handles handed over once the call
// returns; until then the session must not touch them. One thread serves
// one transfer after the other (a thread's start costs Wine a while); one
// that was given up is not used again.
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

    explicit WinInetDataThread(DWORD silenceLimitMs);
    ~WinInetDataThread();
    WinInetDataThread(const WinInetDataThread&) = delete;
    WinInetDataThread& operator=(const WinInetDataThread&) = delete;

    // The next calls are on this file. The session's connection and Internet
    // handles go to the thread if a call is given up.
    void Attach(HINTERNET file, HINTERNET connection, HINTERNET internet, const std::wstring& password);

    // Two blocks, so that the next one's data call can run while the caller
    // works with the other one (writes it to disk, or reads the next part
    // of the local file into it).
    std::vector<char>& Block(int index);
    // Starts filling the block from the file; fewer bytes only at the file's end.
    void StartRead(int block);
    // Starts writing the first `size` bytes of the block to the file.
    void StartWrite(int block, DWORD size);
    // Waits for the call started last (none: kDone with 0 bytes).
    Result Finish(const Waiting& waiting);

    const FtpFailure& Failure() const { return m_failure; }
    // Ends a call still under way as a stop would; true when a call was
    // given up: the file and the handles are the thread's now.
    bool Settle();

private:
    struct Shared;
    enum class Job { kNone, kRead, kWrite, kEnd };

    static void Work(const std::shared_ptr<Shared>& shared);
    void Start(Job job, int block, DWORD size);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    DWORD m_silenceLimitMs;
    FtpFailure m_failure;
    bool m_gaveUp = false;
    bool m_running = false;  // a call was started and not finished
};
