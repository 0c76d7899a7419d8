// The FTP primitives on WinINet: a direct Internet handle and an FTP
// connection per session, passive or active as asked, binary transfers,
// handles closed by the session. Every connection has time limits of 20 s,
// and the reason of each failed call is kept for LastFailure.
#pragma once

#include "ftp/FtpPrimitives.h"

class WinInetDataThread;

class WinInetFtp : public FtpPrimitives {
public:
    // The time limit of every reply, and of a data connection's silence.
    static constexpr unsigned long kTimeLimitMs = 20000;

    // dataSilenceLimitMs: how long a transfer waits for a silent server.
    explicit WinInetFtp(unsigned long dataSilenceLimitMs = kTimeLimitMs);
    ~WinInetFtp() override;

    std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                     const std::wstring& password, FtpMode mode) override;
    FtpFailure LastFailure() const override { return m_failure; }
    // WinINet converts names to the ANSI code page without a word about
    // characters that have no place in it.
    bool CanSendName(const std::wstring& name) const override;

private:
    unsigned long m_dataSilenceLimitMs;
    // Makes the data calls of every transfer; made at the first one.
    std::unique_ptr<WinInetDataThread> m_dataThread;
    FtpFailure m_failure;
};
